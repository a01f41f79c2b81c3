#pragma once
// Small helpers over widgets shared by many windows.
#include <QList>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace lum {

// Lets a caption with a line break show on two lines. Qt buttons already
// break lines at "\n", so this only repaints.
void SetButtonMultiLine(QAbstractButton* button);

// Centres a dialog on its owner: its parent's window, else the window that
// was active when it opened, else the screen.
void centreOnOwner(QWidget& dialog);
// Centres a window on the screen it is on (the primary screen).
void centreOnScreen(QWidget& window);

// A dialog's push button: named, never pressed by Enter on its own, of the
// usual size.
QPushButton* dialogButton(const char* name, const QString& caption, QWidget* parent);

// The red "ErrorLabel" of an entry dialog.
QLabel* errorLabel(QWidget* parent);

// The keyboard order of a window, in the order given (the reading order of
// the form: left column top to bottom, then the right column, then what lies
// below, then the window's buttons). Name every Tab stop of the window: the
// chain is a ring, so Tab goes from the last back to the first.
void setTabChain(const QList<QWidget*>& chain);

// One command giving way to its partner (表示 and キャンセル): `to` is
// enabled, then `from` disabled. When `from` held its window's focus, `to`
// takes it, so the focus never moves on by itself into the next field (where
// Qt would select the field's text for the next key to overwrite).
void handOverCommand(QWidget* from, QWidget* to);

// The edit menu's and tool bar's cut, copy and paste: on the focused line
// edit, editable combo box or memo; nothing when another widget has focus.
enum class EditAction { Copy, Cut, Paste };
void editFocused(EditAction action);

}  // namespace lum
