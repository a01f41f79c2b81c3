// The application's own start-up list: its order, the flag test after the
// first batch, and whole start-ups that end before the main window or show it.
#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "app/facility_fixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using Kind = lum::StartupStep::Kind;

// Every window and data module of the application in creation order, with
// the batch each belongs to; a build holds those that exist so far.
struct Known {
    const char* name;
    int batch;
};
const Known kOrder[] = {
    {"TMainForm", 0}, {"TLoginForm", 0}, {"TMainModule", 0}, {"TPaperMenuForm", 0}, {"TCurePlanForm", 0},
    {"TGetPractPlanForm", 0}, {"TUserSearchForm", 0}, {"TSystemMenuForm", 0}, {"TURinPractForm", 0},
    {"TURinPlanForm", 0}, {"TGetUrinPractForm", 0}, {"TGetConfForm", 0}, {"TConferenceForm", 0},
    {"TBeforeConferenceForm", 0}, {"TGetEstimateForm", 0}, {"TGetBeforeConfForm", 0}, {"TOpenCureDialog", 0},
    {"TUserBookForm", 0}, {"TUserSheetForm", 0}, {"TOpenGYMDialog", 0}, {"TGetCurePlanForm", 0},
    {"TLifeEstimateForm", 0}, {"TGetUrinPlanForm", 0},
    {"TPlanSearchForm", 1}, {"TPersonMedicalRecordForm", 1}, {"TABCForm", 1}, {"TGoodsForm", 1}, {"TKaigoForm", 1},
    {"TTimeForm", 1}, {"TTextForm", 1}, {"TStuffScheduleForm", 1}, {"TDayScheduleForm", 1},
    {"TUserScheduleForm", 1}, {"TStuffChangeForm", 1}, {"TTimeTableForm", 1}, {"TStuffAllChangeForm", 1},
    {"TScheduleData", 2}, {"TScheduleTableDispForm", 2}, {"TPersonPropertyForm", 2}, {"TResultsEditForm", 2},
    {"TResultsMenuForm", 2}, {"TCopyModeForm", 2}, {"TResultSheetForm", 2}, {"TStuffTimeForm", 2},
    {"TDebugForm", 2}, {"TStuffSelectForm", 2},
    {"TCommentForm", 3}, {"TDayAttendForm", 3}, {"TUserAttendForm", 3}, {"TAttendScheduleForm", 3},
    {"TStringsForm", 3}, {"TConferenceSelectForm", 3}, {"TUrinYobouSelectForm", 3}, {"TURinPlanSelectForm", 3},
    {"TImportScheduleDialog", 3},
    {"TDailyMedicalRecordForm", 4}, {"TScheduleMenuForm", 4}, {"TPracticePlanForm", 4}, {"TUserRegistForm", 4},
    {"TTavelundForm", 4}, {"TTavelundUserForm", 4}, {"TAccessUserForm", 4}, {"TPrintMenuForm", 4},
    {"TPrintAllUserForm", 4}, {"TPrintRihaForm", 4}, {"TPrintPractForm", 4}, {"TPrintPersonResultForm", 4},
    {"TPrintLimitRihaForm", 4}, {"TPrintOutstandingForm", 4}, {"TPrintToukeiForm", 4},
    {"TPrintScheduleTypeForm", 4}, {"TPrintKeitaiForm", 4},
};

TEST(StartupWindows, FollowTheKnownOrderWithTheFlagTestAndCaptionsBetweenTheBatches) {
    // Walk the list: each window must come later than the one before, and
    // the markers (flag test, captions 1 to 3) close batches 0 to 3.
    int position = -1;
    int batch = 0;
    int captions = 0;
    bool flagTested = false;
    const QStringList captionTexts = {QStringLiteral("計画書の準備ができました。"),
                                      QStringLiteral("スケジュールの準備ができました。"),
                                      QStringLiteral("印刷の準備ができました。")};
    for (const lum::StartupStep& step : lum::startupWindows()) {
        switch (step.kind) {
        case Kind::Create: {
            int at = -1;
            for (int i = 0; i < static_cast<int>(std::size(kOrder)); ++i) {
                if (step.className == QLatin1String(kOrder[i].name)) at = i;
            }
            ASSERT_GE(at, 0) << step.className.toStdString() << " is not a known window";
            EXPECT_GT(at, position) << step.className.toStdString() << " is out of order";
            EXPECT_EQ(kOrder[at].batch, batch) << step.className.toStdString() << " is in the wrong batch";
            position = at;
            break;
        }
        case Kind::TestStartupFlag:
            EXPECT_FALSE(flagTested);
            EXPECT_EQ(batch, 0);
            flagTested = true;
            batch = 1;
            break;
        case Kind::Progress:
            ASSERT_LT(captions, 3);
            EXPECT_EQ(step.line, captions + 1);
            EXPECT_EQ(step.caption, captionTexts[captions]);
            ++captions;
            batch = captions + 1;
            break;
        }
    }
    EXPECT_TRUE(flagTested);
    EXPECT_EQ(captions, 3);
}

class StartupRunTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    bool start() {
        lum::AppWindows::setCurrent(&windows_);
        return lum::startApplication(lum::startupWindows(), windows_);
    }
    QStringList firstBatch() const {
        QStringList names;
        for (const lum::StartupStep& step : lum::startupWindows()) {
            if (step.kind == Kind::TestStartupFlag) break;
            names << step.className;
        }
        return names;
    }

    lum::AppWindows windows_;
};

TEST_P(StartupRunTest, AGoodLoginShowsTheMainWindowWithItsTilesEnabled) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    ASSERT_TRUE(start());
    const auto steps = lum::startupWindows();
    const auto windows = std::count_if(steps.begin(), steps.end(),
                                       [](const lum::StartupStep& s) { return s.kind == Kind::Create; });
    EXPECT_EQ(windows_.created().size(), static_cast<qsizetype>(windows)) << "every window is created";
    ASSERT_NE(MainForm, nullptr);
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(windows_.first(), MainForm);
    EXPECT_EQ(MainModule->LoginName, QStringLiteral("鈴木"));
    for (const auto& t : MainForm->tiles()) {
        const bool built = windows_.find(QString::fromLatin1(t.windowClass)) != nullptr;
        EXPECT_EQ(t.tile->isEnabled(), built) << t.windowClass;
    }
    EXPECT_TRUE(MainForm->InfoConnectBtn->isEnabled());
}

TEST_P(StartupRunTest, EachFailureEndsStartUpWithItsMessageAndNoMainWindow) {
    struct Case {
        const char* name;
        std::function<void(lum::ScriptedDialogs&)> arrange;
    };
    const Case cases[] = {
        {"cancelled login", [](lum::ScriptedDialogs& d) { expectCancel(d); }},
        {"three wrong passwords",
         [](lum::ScriptedDialogs& d) {
             for (int i = 0; i < 3; ++i) {
                 expectLogin(d, "3", "wrong");
                 expectUnknownLogin(d);
             }
         }},
        {"unreachable database",
         [](lum::ScriptedDialogs& d) {
             ASSERT_TRUE(TDBSeting::WriteRegistry(
                 QStringLiteral("Provider=SQLite;Data Source=/nonexistent/lumorind/facility.db"), {}, {}));
             d.expect(lum::MsgKind::Error, QStringLiteral("接続に失敗しました。\nシステムを停止します。"),
                      lum::MsgButton::Yes);
         }},
        {"no connection key",
         [](lum::ScriptedDialogs& d) {
             QFile::remove(lum::SettingsKey::filePathOf(TDBSeting::KeyPath));
             d.expect(lum::MsgKind::Error, QStringLiteral("接続に失敗しました。\nシステムを停止します。"),
                      lum::MsgButton::Yes);
         }},
        {"unreadable login table",
         [this](lum::ScriptedDialogs& d) {
             alter("DROP TABLE LoginUser");
             d.expect(lum::MsgKind::Error,
                      QStringLiteral("System Error\n他で使用されているか又はシステム設定を確認してください。\n"
                                     "システムを終了します。"),
                      lum::MsgButton::Yes);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        createDatabase();
        QFile::remove(lum::SettingsKey::filePathOf(TRegistory::KeyPath));
        lum::ScriptedDialogs d;
        c.arrange(d);
        EXPECT_FALSE(start());
        ASSERT_NE(MainForm, nullptr);
        EXPECT_FALSE(MainForm->isVisible());
        EXPECT_EQ(windows_.created(), firstBatch()) << "nothing after the first batch";
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        // The process ends: the windows go, and the main window writes the settings.
        windows_.destroyAll();
        EXPECT_EQ(MainForm, nullptr);
        EXPECT_TRUE(lum::SettingsKey::open(TRegistory::KeyPath)) << "settings written at the end";
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(StartupRunTest);

}  // namespace
