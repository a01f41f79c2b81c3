#pragma once
// Small helpers over widgets shared by many windows.
class QAbstractButton;
class QWidget;

namespace lum {

// Lets a caption with a line break show on two lines. Qt buttons already
// break lines at "\n", so this only repaints.
void SetButtonMultiLine(QAbstractButton* button);

// Centres a dialog on its owner: its parent's window, else the window that
// was active when it opened, else the screen.
void centreOnOwner(QWidget& dialog);

}  // namespace lum
