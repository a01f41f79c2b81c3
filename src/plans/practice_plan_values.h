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
#include <span>

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

// A memo the template prints in a box of fixed size (the template's memo
// object is named as the text's variable), with the caption that names it
// on the window and on paper. Such a box holds only so many lines, fewer
// than the text's byte limit lets through, so the window refuses at saving
// a text its box cannot show whole. The plan's other memos (the table
// memos, the tool and care rows) stretch their bands and flow onto further
// pages.
struct PracticeBoxedText {
    QString TPracticePlan::*member;
    const char* caption;
};
std::span<const PracticeBoxedText> practiceBoxedTexts();
// The row of a text of that table; null for a text printed otherwise.
const PracticeBoxedText* practiceBoxedText(QString TPracticePlan::*member);

// The printed 重点項目 mark of a value: one blank, "○" or "◎".
QString specialMark(int value);

}  // namespace lum
