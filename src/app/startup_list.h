#pragma once
// The start-up list: every window and data module of the application in the
// order they are created, with the start-up flag test after the first batch and
// the splash window's three progress captions between the later batches.
// Adding a window is one line: lum::createStep<TFooForm>("TFooForm", FooForm).
#include "app/app_windows.h"

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <vector>

namespace lum {

struct StartupStep {
    enum class Kind { Create, TestStartupFlag, Progress };
    Kind kind = Kind::Create;
    QString className;                      // Create
    std::function<QObject*()> create;       // Create: builds the object (must not throw)
    std::function<void(QObject*)> onCreate; // Create: its creation handler (may throw)
    int line = 0;                           // Progress: 1 to 3
    QString caption;                        // Progress
};

// Creates T once, keeps it in its global variable (cleared again when the
// object is destroyed) and runs its creation handler FormCreate() when it has one.
template <class T>
StartupStep createStep(const char* className, T*& global) {
    StartupStep step;
    step.className = QString::fromLatin1(className);
    step.create = [&global]() -> QObject* {
        auto* object = new T();
        global = object;
        QObject::connect(object, &QObject::destroyed, [&global] { global = nullptr; });
        return object;
    };
    if constexpr (requires(T& t) { t.FormCreate(); }) {
        step.onCreate = [](QObject* object) { static_cast<T*>(object)->FormCreate(); };
    }
    return step;
}

StartupStep testStartupFlagStep();
StartupStep progressStep(int line, const QString& caption);

struct StartupHooks {
    std::function<bool()> startupOk;                                  // the main window's flag
    std::function<void(int line, const QString& caption)> progress;  // the splash window's labels
    std::function<void(std::exception_ptr)> creationFailed;           // the default error handler
};

// Runs the list into `windows`. An exception of a creation handler goes to
// creationFailed and start-up goes on with the next step (the object stays).
// Returns false when the flag test finds the start-up flag clear; nothing after
// it is created then.
bool runStartupSteps(const std::vector<StartupStep>& steps, AppWindows& windows,
                     const StartupHooks& hooks);

}  // namespace lum
