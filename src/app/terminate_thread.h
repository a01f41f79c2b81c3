#pragma once
// The exit watchdog: started when the main window closes, it ends the process
// with exit code 0 when the shutdown still runs after the delay.
//
// It is never armed unless the executable's main routine installs it
// (TTerminateThread::install): inside a test process it would end a failing
// run with exit code 0 and turn it green.
#include <chrono>
#include <functional>

namespace lum {

class TTerminateThread {
public:
    static constexpr std::chrono::milliseconds kDefaultDelay{8000};

    // Starts the watchdog thread now (detached; it frees itself when it ends).
    static void start(std::chrono::milliseconds delay = kDefaultDelay);

    // What the main window's close runs. Nothing by default; the main routine
    // installs start(), tests may install a spy.
    using Starter = std::function<void()>;
    static void install(Starter starter);
    static void startInstalled();
};

}  // namespace lum
