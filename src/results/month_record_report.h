#pragma once
// The monthly medical record of one client (リハビリ実績記録書), without a
// window: the heading from the client's latest treatment plan, one line per
// day of the month (the day's first result in start-time order, its minutes
// summed and its count), the totals, the staff legend, and the values the
// record's templates ask for. The monthly record window prints one client
// with it; the monthly personal record printout prints many, a page start
// at a time.
#include "app/staff_list.h"
#include "common/calendor.h"
#include "common/category_flags.h"
#include "common/datetime.h"
#include "platform/db/database.h"
#include "report/expr/expr_value.h"
#include "results/cure_results_store.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace lum {

inline constexpr int MonthRecordLegendSize = 20;
inline constexpr int MonthRecordPrograms = 6;

// One day line of the record.
struct TLineData {
    bool Sunday = false;
    QString DayLabel;       // " 5 (月)"
    TDateTime StartTime;    // RStartTime of the day's first result; 0 when there is none
    int Count = 0;          // results that day
    int Minutes = 0;        // their RMinute summed
    QString TypeName;       // RihaTypeNames text of the first result's type
    // Per flag of CategoryFlagNames: the first result's StuffKigo (blanks
    // trimmed) where its flag is set, else empty.
    std::array<QString, CategoryFlagCount> Marks;
    QString Comment;        // of the first result
    QString LoginName;      // of the first result

    bool operator==(const TLineData&) const = default;
};

// The heading: the client as registered and the latest plan (LatestPlanQuery).
struct MonthRecordHeading {
    int PlanNo = 0;
    int CureNo = 0;
    TDateTime PlanRegistDay;
    QString Name;
    int Sex = 0;
    TDateTime Birth;
    int RihaType = -1;
    int Jiritsu_KBN = -1;
    int Ninchi_KBN = -1;
    int YOUKAIGO_KBN = -1;
    TDateTime NYUSHOBI_YMD;
    TDateTime TAISHOBI_YMD;
    std::array<QString, MonthRecordPrograms> Program;  // Program1 .. Program6 of the plan

    bool operator==(const MonthRecordHeading&) const = default;
};

// The client's latest treatment plan joined with the client's row: the
// latest PlanRegistDay, and of two on one day the higher PlanNo. The
// programme texts are read by the plan record's codec; a PlanData shorter
// than the record reads its missing bytes as zeros, so their texts are
// empty. Nothing when the client has no plan (or no Person row). Throws
// db::DbError.
std::optional<MonthRecordHeading> LatestPlanQuery(db::Database& database, int cureNo);

// One client's results of a month, read in one statement and grouped by day
// of the month (entry d - 1 for day d, whatever time of day CureDate holds);
// each day's results in start-time order: by the time of day of RStartTime
// (stored start times may carry a date), then by ResultNo. Throws db::DbError.
using MonthResultDays = std::array<std::vector<CureResult>, CalendorDays>;
MonthResultDays PrintResultLineQuery(const CureResultsStore& store, int cureNo, TDateTime month);

// Fills a day line from that day's results, in start-time order: the first
// gives the start, type, marks, remark and login; Minutes is the sum and
// Count the number. Sunday and DayLabel are left as they are.
void FillMonthRecordLine(TLineData& line, const std::vector<CureResult>& dayResults);

class MonthRecordReport {
public:
    enum class Outcome {
        Built,        // heading, lines, totals and legend are the client's
        NoPlan,       // lines, totals and legend are the client's; the heading is empty
        PlanFailed,   // the plan could not be read ("*** System Error : データエラー")
        LinesFailed,  // the results could not be read ("*** System Error : 印刷行の編集エラー")
    };

    // The record of the client's month: the calendar takes the month, every
    // line and total starts empty, the latest plan gives the heading, the
    // month's results the lines, the staff list the legend. Whatever the
    // outcome, nothing of an earlier client or month is left.
    Outcome Build(db::Database& database, int cureNo, TDateTime month, const std::vector<StaffMember>& staff);

    // The parts of Build.
    void Clear();  // heading, lines, totals and legend empty; the month kept
    void SetMonth(TDateTime anyDayOfMonth);
    void SetLines(const MonthResultDays& days);  // the month's lines and the totals over them
    void SetLegend(const std::vector<StaffMember>& staff);

    // The number of days of the month: the record count of the day lines.
    int DayCount() const;
    // The failure text of an outcome ("" for Built and NoPlan), and what the
    // no-plan case says.
    static QString FailureText(Outcome outcome);
    static QString NoPlanText();

    // The value of a template variable for the day line of record recNo
    // (counted from 0); nothing for a name the record does not know.
    std::optional<ExprValue> Value(const QString& name, int recNo) const;

    TDateTime Month;  // its first day
    int CureNo = 0;
    QString FacilityName;
    MonthRecordHeading Heading;
    TCalendor Calendor;
    std::array<TLineData, CalendorDays> Lines;
    int FunnTotal = 0;
    int CntTotal = 0;
    std::array<QString, MonthRecordLegendSize> Tk;      // symbols of the first twenty staff members
    std::array<QString, MonthRecordLegendSize> TkName;  // their names
    QString LastError;  // the database's text of the last failure

private:
    std::optional<ExprValue> LineValue(const QString& name, const TLineData& line) const;
};

}  // namespace lum
