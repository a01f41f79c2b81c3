#include "platform/application.h"

#include "platform/error_handler.h"
#include "platform/ui/wheel_rule.h"

#include <QPointer>

namespace lum {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    installEventFilter(new WheelRule(this));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        if (!ScreenFitRule::watches(*event)) return QApplication::notify(receiver, event);
        // A handler may take its window down.
        const QPointer<QObject> alive(receiver);
        const bool handled = QApplication::notify(receiver, event);
        if (alive) screenFit_.delivered(*receiver, *event);
        return handled;
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

}  // namespace lum
