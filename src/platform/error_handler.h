#pragma once
// The application's default error handler: an exception nobody caught is shown
// in an error message box with the application's title, and the run goes on.
#include <QString>
#include <exception>
#include <utility>

namespace lum {

// The title of the default error box: the application's display name, else its name.
QString applicationTitle();

// The text shown for an exception: what() read as UTF-8; a fixed text for
// exceptions that carry none.
QString exceptionText(const std::exception_ptr& error);

// Shows the exception through the dialog service (kind エラー, button OK, the
// application's title). Never throws.
void reportException(const std::exception_ptr& error) noexcept;

// Runs `fn`; an exception escaping it is reported as above. True when `fn`
// ended normally. For code that does not run inside an event handler (start-up,
// destructors of windows), where Application::notify cannot catch it.
template <typename Fn>
bool guarded(Fn&& fn) noexcept {
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

}  // namespace lum
