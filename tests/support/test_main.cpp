// Test main shared by every test program: GoogleTest inside the application
// object, on a platform that never needs a display, so window tests run
// headless. No test ever blocks on a dialog: a message box, modal dialog or
// picker that the test did not script fails the running test and is answered
// like Esc; an exception escaping an event handler shows up the same way.
#include "platform/application.h"
#include "platform/ui/scripted_dialogs.h"

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleMock(&argc, argv);
    lum::Application app(argc, argv);
    lum::ScriptedDialogs::setFailureReporter(
        [](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    lum::ScriptedDialogs unscripted;
    return RUN_ALL_TESTS();
}
