#include "app/terminate_thread.h"

#include <thread>
#include <unistd.h>
#include <utility>

namespace lum {

namespace {
TTerminateThread::Starter& installed() {
    static TTerminateThread::Starter starter;
    return starter;
}
}  // namespace

void TTerminateThread::start(std::chrono::milliseconds delay) {
    std::thread([delay] {
        std::this_thread::sleep_for(delay);
        // The process is still alive after the close: end it now, without
        // running destructors that may be what hangs.
        ::_exit(0);
    }).detach();
}

void TTerminateThread::install(Starter starter) { installed() = std::move(starter); }

void TTerminateThread::startInstalled() {
    if (installed()) installed()();
}

}  // namespace lum
