#include "platform/application.h"

#include "platform/error_handler.h"
#include "platform/ui/wheel_rule.h"

namespace lum {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    installEventFilter(new WheelRule(this));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

}  // namespace lum
