// The application's main routine: start-up with the splash window, the message
// loop until the main window closes, and the exit with its watchdog.
#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "startup/warm_up.h"
#include "app/terminate_thread.h"
#include "app/termination_signals.h"
#include "platform/application.h"
#include "platform/ui/file_dialog_rules.h"
#include "platform/ui/qt_translations.h"
#include "report_ui/report_windows.h"

int main(int argc, char** argv) {
    // While the application object connects to the display and the splash
    // window is made; joined when main ends.
    const std::jthread warmUp = lum::startWarmUp();
    lum::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumorind"));
    // Qt's own dialogs and buttons in Japanese, like every window of ours.
    lum::installQtTranslations(app);
    // Menus hide the main window while they are shown; only its close ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    // Armed here only: the main window's close starts it.
    lum::TTerminateThread::install([] { lum::TTerminateThread::start(); });
    // The report engine's windows: previews, print dialogs, the progress window.
    lum::installReportWindows();
    // Each kind of file's dialog opens where one was last chosen, in this run and the next.
    lum::keepFileFoldersIn(TRegistory::KeyPath + QStringLiteral("\\FileFolders"));

    lum::AppWindows windows;
    lum::AppWindows::setCurrent(&windows);
    if (!lum::startApplication(lum::startupWindows(), windows)) {
        // The windows created so far are destroyed here; the main window's
        // destruction still writes the settings.
        return 1;
    }
    QObject::connect(MainForm, &TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // A shutdown or kill closes the main window as 終了 does, so the settings are written.
    lum::TerminationSignals termination([] {
        if (MainForm) MainForm->close();
    });
    const int code = QApplication::exec();
    windows.destroyAll();
    return code;
}
