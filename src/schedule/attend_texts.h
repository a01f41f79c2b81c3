#pragma once
// What the booking lists show and print of a booking: the grid cells and
// the printouts' variables, without a window, so each text is tested alone.
// The three lists share the row's texts; each printout adds its heading.
#include "common/datetime.h"
#include "report/expr/expr_value.h"
#include "schedule/booking_store.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum::attend {

// ---- grid cells
// "gg ee年mm月dd日"; empty for the empty date (never the empty date's day).
QString DateCell(TDateTime date);
// 月曜日 .. 日曜日.
QString WeekdayName(TDateTime date);
// The number right-aligned in 10 characters when 1 or more, else empty.
QString CureNoCell(int cureNo);
// The set categories "短期集中  ", "認知症  ", "集団  ", "個別" in bit order;
// empty for a negative code.
QString CategoryCell(int kubunCode);
// The categories as printed and as the day list shows them: "短期集中 ",
// "認知症 ", "集団 ", "個別"; empty for a negative code.
QString CategoryText(int kubunCode);
// "hh:nn"; empty when the frame has no start time.
QString StartCell(const AttendRow& row);
// "%4d" when 1 or more, else empty (minutes, capacity).
QString CountCell(int value);
// The type's name; empty for a type outside 0..3.
QString TypeName(int rihaType);

// ---- printouts
// What every list's printout heads its pages with.
struct PrintHeading {
    QString Homemei;     // the facility
    TDateTime Printed;   // Sakuseibi
    QString Period;      // YYMMDD or YYMM
};

// The staff list's variables ("AttendSchedule.frf"): "TantouName" is the
// name of the row's staff code on the staff list (the code listed where the
// page header asks with no row at hand).
std::optional<ExprValue> StaffListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                        const std::function<QString(int)>& staffName, int listedStaff);

// The client block of the client list's printout, as its labels show it.
struct ClientHeading {
    QString CureNo;
    QString Shimei;
    QString kanaShimei;
    QString Umarebi;
    QString Seibetsu;
    QString Renraku;  // the notice
};
// The client list's variables ("UserAttend.frf"): "TantouName" is the row's
// staff name.
std::optional<ExprValue> ClientListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                         const ClientHeading& client);

// The day list's variables ("DayAttend.frf"): the weekday and the staff
// member are those of the last display.
std::optional<ExprValue> DayListValue(const QString& name, const AttendRow* row, const PrintHeading& heading,
                                      const QString& youbi, const QString& tantouName);

}  // namespace lum::attend
