#pragma once
// What every window of the print menu shares: it hides the menu while shown
// and shows it again when it closes, takes its window state from the
// WinState setting, finds its template in the application's folder, and
// reads the settings and the facility name of the run.
#include <QString>

class QWidget;
class TRegistory;

namespace lum {

// The show handler's common part: the print menu hidden, the window state applied.
void enterFromPrintMenu(QWidget& window);
// The close handler's common part: the print menu shown again.
void returnToPrintMenu();

// The application's folder, '/', the template's file name.
QString printTemplatePath(const QString& fileName);
// The run's settings (null before the main window has read them).
TRegistory* printSettings();
// The facility name the data module read; empty without one.
QString printFacilityName();

}  // namespace lum
