#pragma once
// The application object. Qt leaves an exception escaping an event handler
// undefined; this one catches it where every event is delivered and shows it
// through the default error handler, and the event loop goes on. It also puts
// the one wheel rule (platform/ui/wheel_rule.h) on every window, and keeps
// every window inside the screen (platform/ui/screen_fit.h) once the window's
// own handlers have placed it.
#include "platform/ui/screen_fit.h"

#include <QApplication>

namespace lum {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    ScreenFitRule screenFit_;
};

}  // namespace lum
