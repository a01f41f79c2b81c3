// The exit watchdog. It is armed only inside a death-test child process here:
// that child is what it ends, never the test run.
#include "app/terminate_thread.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(TTerminateThread, IsNotArmedUnlessInstalled) {
    // Nothing is installed in a test process: the close path starts nothing.
    lum::TTerminateThread::startInstalled();
    SUCCEED();
}

TEST(TTerminateThread, RunsWhatIsInstalled) {
    int started = 0;
    lum::TTerminateThread::install([&started] { ++started; });
    lum::TTerminateThread::startInstalled();
    lum::TTerminateThread::install({});
    lum::TTerminateThread::startInstalled();
    EXPECT_EQ(started, 1);
}

TEST(TTerminateThreadDeathTest, EndsAHangingProcessWithExitCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            lum::TTerminateThread::start(50ms);
            std::this_thread::sleep_for(20s);  // the hang
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
