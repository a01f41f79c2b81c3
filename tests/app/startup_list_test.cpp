// The start-up engine: creation order, the flag test after the first batch,
// the progress captions, creation handlers that throw, and the owner.
#include "app/startup_list.h"

#include <QPointer>
#include <gmock/gmock.h>
#include <stdexcept>

namespace {

using ::testing::ElementsAre;

// Stand-ins with the shape of the application's windows, for the engine alone.
class FirstWindow : public QObject {
public:
    void FormCreate() { created = true; }
    bool created = false;
};
class SecondWindow : public QObject {};
class FailingModule : public QObject {
public:
    void FormCreate() { throw std::runtime_error("接続できません"); }
};
class LateWindow : public QObject {};

FirstWindow* First = nullptr;
SecondWindow* Second = nullptr;
FailingModule* Failing = nullptr;
LateWindow* Late = nullptr;

struct Recorder {
    bool flag = true;
    QStringList events;
    int failures = 0;
    lum::StartupHooks hooks() {
        lum::StartupHooks h;
        h.startupOk = [this] {
            events << QStringLiteral("flag");
            return flag;
        };
        h.progress = [this](int line, const QString& caption) {
            events << QStringLiteral("%1:%2").arg(line).arg(caption);
        };
        h.creationFailed = [this](std::exception_ptr) { ++failures; };
        return h;
    }
};

std::vector<lum::StartupStep> testList() {
    return {
        lum::createStep<FirstWindow>("FirstWindow", First),
        lum::createStep<FailingModule>("FailingModule", Failing),
        lum::createStep<SecondWindow>("SecondWindow", Second),
        lum::testStartupFlagStep(),
        lum::progressStep(1, QStringLiteral("計画書の準備ができました。")),
        lum::createStep<LateWindow>("LateWindow", Late),
        lum::progressStep(2, QStringLiteral("スケジュールの準備ができました。")),
    };
}

TEST(StartupList, CreatesInOrderAndShowsTheCaptionsWhenTheFlagIsSet) {
    lum::AppWindows windows;
    Recorder rec;
    EXPECT_TRUE(lum::runStartupSteps(testList(), windows, rec.hooks()));
    EXPECT_THAT(windows.created(),
                ElementsAre("FirstWindow", "FailingModule", "SecondWindow", "LateWindow"));
    EXPECT_THAT(rec.events, ElementsAre("flag", "1:計画書の準備ができました。",
                                        "2:スケジュールの準備ができました。"));
    ASSERT_NE(First, nullptr);
    EXPECT_TRUE(First->created);
    EXPECT_EQ(windows.first(), First);
    EXPECT_EQ(windows.find(QStringLiteral("LateWindow")), Late);
}

TEST(StartupList, AClearFlagStopsBeforeTheNextBatch) {
    lum::AppWindows windows;
    Recorder rec;
    rec.flag = false;
    EXPECT_FALSE(lum::runStartupSteps(testList(), windows, rec.hooks()));
    EXPECT_THAT(windows.created(), ElementsAre("FirstWindow", "FailingModule", "SecondWindow"));
    EXPECT_THAT(rec.events, ElementsAre("flag"));
    EXPECT_EQ(Late, nullptr);
}

TEST(StartupList, AThrowingCreationHandlerIsReportedAndTheObjectStays) {
    lum::AppWindows windows;
    Recorder rec;
    lum::runStartupSteps(testList(), windows, rec.hooks());
    EXPECT_EQ(rec.failures, 1);
    EXPECT_NE(windows.find(QStringLiteral("FailingModule")), nullptr);
    EXPECT_EQ(Failing, windows.find(QStringLiteral("FailingModule")));
}

TEST(StartupList, WithoutAFlagReaderStartUpStops) {
    lum::AppWindows windows;
    EXPECT_FALSE(lum::runStartupSteps(testList(), windows, {}));
}

TEST(AppWindows, DestroysInReverseOrderAndClearsTheGlobals) {
    QStringList destroyed;
    {
        lum::AppWindows windows;
        Recorder rec;
        lum::runStartupSteps(testList(), windows, rec.hooks());
        for (const QString& name : windows.created()) {
            QObject::connect(windows.find(name), &QObject::destroyed, [&destroyed, name] { destroyed << name; });
        }
    }
    EXPECT_THAT(destroyed, ElementsAre("LateWindow", "SecondWindow", "FailingModule", "FirstWindow"));
    EXPECT_EQ(First, nullptr);
    EXPECT_EQ(Second, nullptr);
    EXPECT_EQ(Failing, nullptr);
    EXPECT_EQ(Late, nullptr);
}

TEST(AppWindows, CurrentIsClearedWithTheSet) {
    {
        lum::AppWindows windows;
        lum::AppWindows::setCurrent(&windows);
        EXPECT_EQ(lum::AppWindows::current(), &windows);
    }
    EXPECT_EQ(lum::AppWindows::current(), nullptr);
}

}  // namespace
