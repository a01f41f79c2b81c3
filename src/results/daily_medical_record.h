#pragma once
// The daily medical record without a window: the day's four totals and the
// values of "DailyMedicalRecord.frf". Its heading is what the rows were
// loaded for (the day, the staff member, the type), never what the window's
// controls show by the time it prints.
#include "common/datetime.h"
#include "report/expr/expr_value.h"
#include "results/cure_result.h"

#include <QString>

#include <optional>
#include <vector>

namespace lum {

// 計画 回数 and 時間: results with PMinute above 0 and their PMinute summed;
// 実施 回数 and 時間: results with RMinute above 0 and their RMinute summed.
struct DailyRecordTotals {
    int PlanCount = 0;
    int PlanMinutes = 0;
    int ExecCount = 0;
    int ExecMinutes = 0;

    static DailyRecordTotals Of(const std::vector<CureResult>& rows);
    bool operator==(const DailyRecordTotals&) const = default;
};

// What a load was for, as the printout heads it.
struct DailyRecordHeading {
    QString DayText;    // YYMM: the day as "ggee年mm月dd日"
    QString TypeName;   // RihaType
    QString StaffName;  // TantouName
};

// A template variable: the row's values where the row is given (the data
// source's current record), the heading, the done totals, the facility and
// the moment printed. Nothing for a name the record does not know.
std::optional<ExprValue> DailyRecordValue(const QString& name, const CureResult* row, const DailyRecordHeading& heading,
                                          const DailyRecordTotals& totals, const QString& facility,
                                          TDateTime printed);

}  // namespace lum
