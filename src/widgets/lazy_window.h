#pragma once
// A window or dialog kept in its global variable: made on first use (the
// start-up list normally makes it first) and forgotten again when destroyed.
#include <QObject>

#include <utility>

namespace lum {

template <class T, class... Args>
T& lazyWindow(T*& global, Args&&... args) {
    if (!global) {
        global = new T(std::forward<Args>(args)...);
        QObject::connect(global, &QObject::destroyed, [&global] { global = nullptr; });
    }
    return *global;
}

}  // namespace lum
