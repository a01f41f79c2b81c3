// A termination signal becomes a call on the user-interface thread.
#include "app/termination_signals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST(TerminationSignals, ASignalIsHandledOnTheEventLoop) {
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
        int calls = 0;
        lum::TerminationSignals termination([&calls] { ++calls; });
        std::raise(sig);
        EXPECT_EQ(calls, 0) << "nothing runs inside the signal handler";
        QElapsedTimer timer;
        timer.start();
        while (calls == 0 && timer.elapsed() < 2000) QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1) << sig;
    }
}

}  // namespace
