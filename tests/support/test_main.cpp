// Test main shared by every test program: GoogleTest inside the application
// object, on a platform that never needs a display, so window tests run
// headless, on one screen of 1024 x 768 (the facility's workstations; the
// headless platform's own is 800 x 800). No test ever blocks on a dialog: a
// message box, modal dialog or picker that the test did not script fails the
// running test and is answered like Esc; an exception escaping an event
// handler shows up the same way.
#include "platform/application.h"
#include "platform/ui/scripted_dialogs.h"

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=") + LUMORIND_TEST_SCREEN);
    }
    ::testing::InitGoogleMock(&argc, argv);
    lum::Application app(argc, argv);
    lum::ScriptedDialogs::setFailureReporter(
        [](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    lum::ScriptedDialogs unscripted;
    return RUN_ALL_TESTS();
}
