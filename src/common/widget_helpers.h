#pragma once
// Small helpers over widgets shared by many windows.
class QAbstractButton;

namespace lum {

// Lets a caption with a line break show on two lines. Qt buttons already
// break lines at "\n", so this only repaints.
void SetButtonMultiLine(QAbstractButton* button);

}  // namespace lum
