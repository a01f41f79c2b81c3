#include "app/startup.h"

#include "app/greet_form.h"
#include "app/main_form.h"
#include "platform/error_handler.h"

#include <QCoreApplication>
#include <memory>

namespace lum {

bool startApplication(const std::vector<StartupStep>& steps, AppWindows& windows) {
    // Freed on every way out of here.
    auto greet = std::make_unique<TGreetForm>();
    greet->show();
    // Painted at once, unless show() did: a second paint of the whole window
    // would first wait for the X server to take the one before.
    if (!greet->painted()) greet->repaint();
    QCoreApplication::processEvents();

    StartupHooks hooks;
    hooks.startupOk = [] { return MainForm && MainForm->StartupOK != 0; };
    hooks.progress = [&greet](int line, const QString& caption) {
        greet->setProgress(line, caption);
        QCoreApplication::processEvents();
    };
    hooks.creationFailed = [](std::exception_ptr error) { reportException(error); };
    const bool ok = runStartupSteps(steps, windows, hooks);
    greet.reset();
    if (ok && MainForm) MainForm->show();
    return ok;
}

}  // namespace lum
