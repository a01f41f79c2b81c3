#pragma once
// The staff boxes of the windows: the data module's staff names, item i
// standing for staff code TMainModule.StuffCD[i]. Only a chosen item counts.
#include <QString>

#include <optional>

class QComboBox;

namespace lum {

// A drop-down list of the staff names, nothing chosen.
void fillStaffBox(QComboBox* box);
// The code of item `index` of the data module's staff list; -1 outside it.
int staffCodeAt(int index);
// The chosen staff member's code; -1 when none is chosen.
int chosenStaffCode(const QComboBox* box);
// The staff member an editable staff box names by its text, its blanks
// compared as SameStaffName does (佐藤 健一 names 佐藤　健一): the chosen item
// while the text still names it, else the first item of that name; -1 when
// the text is blank; nothing when it names nobody of the list.
std::optional<int> namedStaffCode(const QComboBox* box);
// Chooses the staff member with the code; clears the choice when the code is
// not in the list.
void chooseStaffCode(QComboBox* box, int code);
// The staff member's name; empty when the code is unknown or no data module runs.
QString staffName(int code);

}  // namespace lum
