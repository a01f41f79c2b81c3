#pragma once
// What the practice plan's template "PracticePlan.frf" is told: a plain
// function of the plan and the current records of the two table sources
// (frUserDataset1, 15 records: the first table with a blank line after its
// fourth row and after its last; frUserDataset2, 8 records: the second
// table). The practice plan window and the bulk printout of practice plans
// both answer their value event with it. Besides the window's names, "Item0"
// and "Item1" give the item name of the row each source stands at (" " on the
// blank lines), for the template's first column.
#include "plans/practice_plan_record.h"
#include "report/expr/expr_value.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

inline constexpr int PracticeFirstSourceRecords = 15;
inline constexpr int PracticeSecondSourceRecords = 8;

struct PracticePlanPrint {
    const TPracticePlan& plan;
    int firstRecord = 0;   // frUserDataset1's current record
    int secondRecord = 0;  // frUserDataset2's current record
    std::function<QString(int)> stuffName;  // a staff code's name, empty when unknown
};

// The row of the first table a record of frUserDataset1 prints: records 0-3
// rows 0-3, records 5-13 rows 4-12; nothing for the blank records 4 and 14
// (and any other).
std::optional<int> practiceFirstTableRow(int record);
// frUserDataset2's record k prints row 20 + k (k = 0 … 7).
std::optional<int> practiceSecondTableRow(int record);

// The value of a template name; nothing for a name the plan does not answer.
std::optional<ExprValue> practicePlanValue(const PracticePlanPrint& print, const QString& name);

// The printed 重点項目 mark of a value: one blank, "○" or "◎".
QString specialMark(int value);

}  // namespace lum
