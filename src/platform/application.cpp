#include "platform/application.h"

#include "platform/error_handler.h"

namespace lum {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

}  // namespace lum
