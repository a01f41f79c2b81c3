// The engine's context outlives every report: a report freed while the
// process ends (a static, a window destroyed in the end-of-process clean-up)
// still tells the engine it is gone.
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace lum;

namespace {

// Its destructor is registered before the engine's context is first made, so
// without care it would run after the context was destroyed.
[[noreturn]] void endWithAReportStillCurrent() {
    static std::unique_ptr<TfrReport> report;
    engine().reset();
    report = std::make_unique<TfrReport>();
    engine().CurrentReport = report.get();
    engine().CurrentExpression = QStringLiteral("[利用者名] + ' 様'");
    engine().LookupGuard = QStringLiteral("利用者名");
    std::exit(0);
}

}  // namespace

TEST(EngineContext, AReportFreedAtTheProcessEndFindsTheEngineStillThere) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(endWithAReportStillCurrent(), ::testing::ExitedWithCode(0), "");
}
