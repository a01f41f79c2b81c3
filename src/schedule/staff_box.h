#pragma once
// The staff boxes of the frame dialogs: the data module's staff names, item i
// standing for staff code TMainModule.StuffCD[i]. Only a chosen item counts.
class QComboBox;

namespace lum {

// A drop-down list of the staff names, nothing chosen.
void fillStaffBox(QComboBox* box);
// The chosen staff member's code; -1 when none is chosen.
int chosenStaffCode(const QComboBox* box);
// Chooses the staff member with the code; clears the choice when the code is
// not in the list.
void chooseStaffCode(QComboBox* box, int code);

}  // namespace lum
