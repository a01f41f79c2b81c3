#pragma once
// What every window of the print menu shares: it hides the menu while shown
// and shows it again when it closes, takes its window state from the
// WinState setting, finds its template in the application's folder, and
// reads the settings and the facility name of the run.
#include <QSize>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;
class TRegistory;

namespace lum {

// Names and captions the window, gives it the windows' font, places it in the
// middle of the screen and makes its panel "MainPanel" of the given size,
// kept centred in the client area.
QWidget* setUpPrintWindow(QWidget& window, const QString& objectName, const QString& caption, QSize panel);
// The window's name at the panel's top, large and bold.
QLabel* printWindowTitle(const QString& text, QWidget* panel);
// A label of the panel in the windows' font (10 points unless said).
QLabel* printWindowLabel(const QString& text, QWidget* panel, int pointSize = 10);
// A command button, named; Enter presses it while it has the focus.
QPushButton* printWindowButton(const char* name, const QString& caption, QWidget* parent);

// The show handler's common part: the print menu hidden, the window state applied.
void enterFromPrintMenu(QWidget& window);
// The close handler's common part: the print menu shown again.
void returnToPrintMenu();

// The message when a list could not be read.
extern const QString PrintListFailedText;

// The application's folder, '/', the template's file name.
QString printTemplatePath(const QString& fileName);
// The run's settings (null before the main window has read them).
TRegistory* printSettings();
// The facility name the data module read; empty without one.
QString printFacilityName();

}  // namespace lum
