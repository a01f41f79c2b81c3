// The weekly requests by control name on both backends: the save check as a
// table, opening a month through 治療希望　開く, showing a client, a typed
// change disabling 希望表作成 until a save succeeds, the save landing on
// the client shown whatever row the grid has current, a client gone
// meanwhile, and 希望表作成 handing the month to the client month schedule.
#include "schedule/user_book_form.h"

#include "schedule/open_cure_dialog.h"
#include "schedule/user_schedule_form.h"
#include "schedule/week_request_check.h"
#include "schedule/week_request_clients.h"
#include "schedule_fixture.h"

#include "app/main_module.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
using lum::test::hm;
namespace wtext = lum::week_text;

// ---- the save check

struct CheckCase {
    const char* name;
    std::array<const char*, 7> starts;
    std::array<const char*, 7> minutes;
    const char* error;  // nullptr: passes
    int field;
};

class WeekCheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(WeekCheckTable, ChecksInOrder) {
    const CheckCase& c = GetParam();
    std::array<QString, 7> starts, minutes;
    for (size_t d = 0; d < 7; ++d) {
        starts[d] = QString::fromUtf8(c.starts[d]);
        minutes[d] = QString::fromUtf8(c.minutes[d]);
    }
    const lum::WeekRequestInput r = lum::checkWeekRequests(starts, minutes);
    if (!c.error) {
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return;
    }
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QString::fromUtf8(c.error));
    EXPECT_EQ(r.field, c.field);
}

constexpr std::array<const char*, 7> kTimes{"10:00", "__:__", "  :  ", "09:30", "13:15", "00:00", "20:59"};
constexpr std::array<const char*, 7> kMinutes{"40", "0", "0", "-5", "30", "0", "600"};
constexpr std::array<const char*, 7> kNoTimes{"__:__", "__:__", "__:__", "__:__", "__:__", "__:__", "__:__"};
constexpr std::array<const char*, 7> kNoMinutes{"0", "0", "0", "0", "0", "0", "0"};

INSTANTIATE_TEST_SUITE_P(
    Checks, WeekCheckTable,
    ::testing::Values(
        CheckCase{"Valid", kTimes, kMinutes, nullptr, -1},
        CheckCase{"BadHourMonday", {"2_:00", "__:__", "__:__", "__:__", "__:__", "__:__", "__:__"}, kMinutes,
                  "時刻の数値エラー", 0},
        CheckCase{"HourOver23", {"10:00", "24:00", "__:__", "__:__", "__:__", "__:__", "__:__"}, kMinutes,
                  "時刻の数値エラー", 1},
        CheckCase{"BadHourThursday", {"10:00", "__:__", "__:__", "_9:00", "__:__", "__:__", "__:__"}, kMinutes,
                  "Error 時刻の数値エラー", 3},
        CheckCase{"BadMinuteThursday", {"10:00", "__:__", "__:__", "09:6_", "__:__", "__:__", "__:__"}, kMinutes,
                  "時刻の数値エラー", 3},
        CheckCase{"TimesBeforeMinutes", {"10:00", "__:__", "__:__", "__:__", "__:__", "__:__", "9x:00"},
                  {"", "0", "0", "0", "0", "0", "0"}, "時刻の数値エラー", 6},
        CheckCase{"EmptyMinutes", kTimes, {"40", "0", "", "0", "0", "0", "0"}, "作業時間(分)の数値エラー", 9},
        CheckCase{"MinutesNotANumber", kTimes, {"40", "0", "0", "0", "0", "0", "1０"}, "作業時間(分)の数値エラー", 13},
        // Only a time and a length a frame can have: 8:00 to 20:59, 1 to 600
        // minutes; 00:00 is no time, and a day not requested keeps any length.
        CheckCase{"BeforeEight", {"__:__", "07:30", "__:__", "__:__", "__:__", "__:__", "__:__"}, kNoMinutes,
                  "時刻の数値エラー", 1},
        CheckCase{"JustAfterMidnight", {"00:30", "__:__", "__:__", "__:__", "__:__", "__:__", "__:__"}, kNoMinutes,
                  "時刻の数値エラー", 0},
        CheckCase{"TwentyOne", {"__:__", "__:__", "__:__", "__:__", "21:00", "__:__", "__:__"}, kNoMinutes,
                  "時刻の数値エラー", 4},
        CheckCase{"TwentyTwoThursday", {"__:__", "__:__", "__:__", "22:00", "__:__", "__:__", "__:__"}, kNoMinutes,
                  "時刻の数値エラー", 3},
        CheckCase{"LastMinuteOfTheDay", {"__:__", "__:__", "__:__", "__:__", "__:__", "__:__", "23:59"},
                  kNoMinutes, "時刻の数値エラー", 6},
        CheckCase{"EightAndTheLongest", {"08:00", "__:__", "__:__", "__:__", "__:__", "__:__", "20:59"},
                  {"600", "0", "0", "0", "0", "0", "600"}, nullptr, -1},
        CheckCase{"LongerThanAFrame", {"__:__", "__:__", "08:00", "__:__", "__:__", "__:__", "__:__"},
                  {"0", "0", "601", "0", "0", "0", "0"}, "作業時間(分)の数値エラー", 9},
        CheckCase{"LongButNotRequested", kNoTimes, {"0", "0", "601", "0", "0", "0", "0"}, nullptr, -1}),
    [](const ::testing::TestParamInfo<CheckCase>& p) { return std::string(p.param.name); });

TEST(WeekCheck, BlankTimesAreZeroAndNegativeMinutesPass) {
    std::array<QString, 7> starts, minutes;
    for (size_t d = 0; d < 7; ++d) {
        starts[d] = QString::fromUtf8(kTimes[d]);
        minutes[d] = QString::fromUtf8(kMinutes[d]);
    }
    const lum::WeekRequestInput r = lum::checkWeekRequests(starts, minutes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.week[0], (lum::TWeekBookSlot{hm("10:00"), 40}));
    EXPECT_EQ(r.week[1].StartTime, TDateTime());
    EXPECT_EQ(r.week[2].StartTime, TDateTime());
    EXPECT_EQ(r.week[3], (lum::TWeekBookSlot{hm("09:30"), -5}));
    EXPECT_EQ(r.week[6], (lum::TWeekBookSlot{hm("20:59"), 600}));
}

// ---- the window

class UserBookTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        a_ = addClient(QStringLiteral("青木　一郎"), TDateTime::fromYmd(2023, 4, 1));
        b_ = addClient(QStringLiteral("石田　二郎"), TDateTime::fromYmd(2023, 4, 1));
        std::array<TDateTime, lum::WeekDays> reserve{};
        std::array<int, lum::WeekDays> funn{};
        reserve[1] = hm("10:00");
        funn[1] = 40;
        lum::PersonStore(db()).updateWeekRequests(b_, reserve, funn);
        form_ = std::make_unique<TUserBookForm>();
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        delete UserScheduleForm;
        delete OpenCureDialog;
        scope_.reset();
        ScheduleTest::TearDown();
    }
    // 開く: March 2024, 入所, every category.
    void openMonth() {
        dialogs_.expectModal(QStringLiteral("OpenCureDialog"), [](QDialog& dialog) {
            auto& open = static_cast<TOpenCureDialog&>(dialog);
            open.RihaTypeBox->setCurrentIndex(0);
            open.RihaTypeBoxChange();
            open.OpenButton->click();
            return open.result();
        });
        form_->OpenButton->click();
    }
    void clickRow(int row) {
        const QRect cell = form_->DBGrid1->visualRect(form_->UserSrchQuery->index(row, 1));
        QTest::mouseClick(form_->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    void type(QLineEdit* edit, const QString& keys) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }
    lum::PersonStore store() { return lum::PersonStore(db()); }

    lum::FixedClock clock_{QDate(2024, 3, 14)};
    lum::ScriptedDialogs dialogs_;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserBookForm> form_;
    int a_ = 0, b_ = 0;
};

TEST_P(UserBookTest, OpenListsTheMonthAndAClickShowsTheClient) {
    EXPECT_FALSE(form_->SaveButton->isEnabled());
    EXPECT_FALSE(form_->ReserveButton->isEnabled());
    openMonth();
    EXPECT_EQ(form_->SchduleDate->text(), QStringLiteral("令和06年03月"));
    EXPECT_EQ(form_->MonthStart, TDateTime::fromYmd(2024, 3, 1));
    EXPECT_EQ(form_->NextMonthStart, TDateTime::fromYmd(2024, 4, 1));
    ASSERT_EQ(form_->UserSrchQuery->rowCount(), 2);
    EXPECT_EQ(form_->UserSrchQuery->data(form_->UserSrchQuery->index(1, 4)).toString(), QStringLiteral("10:00"));
    EXPECT_EQ(form_->UserSrchQuery->headerData(2, Qt::Horizontal).toString(), QStringLiteral("月\n開始"));
    EXPECT_EQ(form_->UserSrchQuery->headerData(3, Qt::Horizontal).toString(), QStringLiteral("月\n分"));
    EXPECT_EQ(form_->UserSrchQuery->headerData(15, Qt::Horizontal).toString(), QStringLiteral("日\n分"));

    clickRow(1);
    EXPECT_EQ(form_->ShownCureNo, b_);
    EXPECT_EQ(form_->NameLabel->text(), QStringLiteral("石田　二郎"));
    EXPECT_EQ(form_->NyushoLabel->text(), QStringLiteral("令和05年04月01日"));
    EXPECT_EQ(form_->OldLabel->text(), QStringLiteral("84"));
    EXPECT_EQ(form_->StartTime[0]->text(), QStringLiteral("00:00"));
    EXPECT_EQ(form_->StartTime[1]->text(), QStringLiteral("10:00"));
    EXPECT_EQ(form_->Funn[1]->text(), QStringLiteral("40"));
    EXPECT_EQ(form_->Funn[2]->text(), QStringLiteral("0"));
    EXPECT_TRUE(form_->SaveButton->isEnabled());
    EXPECT_TRUE(form_->ReserveButton->isEnabled());
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

TEST_P(UserBookTest, ATypedChangeWaitsForASaveBeforeTheMonthIsMade) {
    openMonth();
    clickRow(0);
    type(form_->StartTime[3], QStringLiteral("0930"));
    EXPECT_EQ(form_->StartTime[3]->text(), QStringLiteral(" 9:30"));
    EXPECT_FALSE(form_->ReserveButton->isEnabled());
    type(form_->Funn[3], QStringLiteral("30"));
    EXPECT_FALSE(form_->ReserveButton->isEnabled());

    // Another row made current with the keys only (no click): the save still
    // writes the client shown.
    form_->DBGrid1->setCurrentIndex(form_->UserSrchQuery->index(1, 0));
    dialogs_.expect(MsgKind::Information, QStringLiteral("治療番号 : %1を保存しました").arg(a_), MsgButton::Ok);
    form_->SaveButton->click();
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
    EXPECT_TRUE(form_->ReserveButton->isEnabled());
    EXPECT_EQ(form_->ShownCureNo, a_);
    EXPECT_EQ(form_->DBGrid1->currentIndex().row(), 0);
    const TPerson savedA = *store().find(a_);
    EXPECT_EQ(savedA.Reserve[3], hm("09:30"));
    EXPECT_EQ(savedA.Funn[3], 30);
    const TPerson keptB = *store().find(b_);
    EXPECT_EQ(keptB.Reserve[1], hm("10:00"));
    EXPECT_EQ(keptB.Reserve[3], TDateTime());
}

TEST_P(UserBookTest, ARefusedCheckWritesNothingAndFocusesTheField) {
    openMonth();
    clickRow(1);
    form_->Funn[4]->setText(QString());
    dialogs_.expect(MsgKind::Error, wtext::MinutesError, MsgButton::Ok);
    form_->SaveButton->click();
    EXPECT_TRUE(form_->Funn[4]->hasFocus() || !form_->isActiveWindow());
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
    form_->Funn[4]->setText(QStringLiteral("-5"));
    dialogs_.expect(MsgKind::Information, QStringLiteral("治療番号 : %1を保存しました").arg(b_), MsgButton::Ok);
    form_->SaveButton->click();
    EXPECT_EQ(store().find(b_)->Funn[4], -5);
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

// The limits as typed into the window: only what a frame can be is saved,
// anything else is refused with its message and the focus in its field.
TEST_P(UserBookTest, OnlyTimesAFrameCanHaveAreSaved) {
    struct Case {
        int day;
        const char* startKeys;
        const char* minuteKeys;
        const char* error;  // nullptr: saved
        bool minutesField;  // the field the focus goes to
        const char* stored;
        int storedMinutes;
    };
    const Case cases[] = {
        {1, "0730", "40", "時刻の数値エラー", false, nullptr, 0},
        {1, "0800", "40", nullptr, false, "08:00", 40},
        {2, "2059", "600", nullptr, false, "20:59", 600},
        {2, "2059", "601", "作業時間(分)の数値エラー", true, nullptr, 0},
        {4, "2100", "30", "時刻の数値エラー", false, nullptr, 0},
        {4, "2200", "30", "時刻の数値エラー", false, nullptr, 0},
        {3, "2200", "30", "時刻の数値エラー", false, nullptr, 0},
    };
    openMonth();
    form_->activateWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.startKeys) + " " + c.minuteKeys);
        clickRow(1);
        const size_t d = static_cast<size_t>(c.day);
        const TPerson before = *store().find(b_);
        type(form_->StartTime[d], QString::fromLatin1(c.startKeys));
        type(form_->Funn[d], QString::fromLatin1(c.minuteKeys));
        if (c.error) {
            dialogs_.expect(MsgKind::Error, QString::fromUtf8(c.error), MsgButton::Ok);
        } else {
            dialogs_.expect(MsgKind::Information, QStringLiteral("治療番号 : %1を保存しました").arg(b_), MsgButton::Ok);
        }
        form_->SaveButton->setFocus();
        QTest::keyClick(form_->SaveButton, Qt::Key_Return);
        EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
        const TPerson after = *store().find(b_);
        if (c.error) {
            QLineEdit* field = c.minutesField ? form_->Funn[d] : form_->StartTime[d];
            EXPECT_EQ(form_->focusWidget(), field);
            EXPECT_EQ(after.Reserve, before.Reserve);
            EXPECT_EQ(after.Funn, before.Funn);
        } else {
            EXPECT_EQ(after.Reserve[d], hm(c.stored));
            EXPECT_EQ(after.Funn[d], c.storedMinutes);
        }
    }
}

TEST_P(UserBookTest, AClientGoneMeanwhileIsNeverReportedSaved) {
    openMonth();
    clickRow(1);
    lum::PersonStore(db()).remove(b_);
    dialogs_.expect(MsgKind::Error, QStringLiteral("*** System Error 要望テーブルデータエラー"), MsgButton::Ok);
    form_->SaveButton->click();
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(UserBookTest, ASaveThatCannotWriteStopsWithItsMessage) {
    openMonth();
    clickRow(1);
    if (isSqlite()) {
        // No write transaction can begin on a connection that may only read.
        db().execute(QStringLiteral("PRAGMA query_only = ON"));
        dialogs_.expect(MsgKind::Error, QStringLiteral("*** SystemError : DB Trans Start error 0"), MsgButton::Abort);
    } else {
        // The transaction begins; the update is refused and rolled back.
        db().execute(QStringLiteral("SET default_transaction_read_only = on"));
        dialogs_.expect(MsgKind::Error, QStringLiteral("*** System Error 要望テーブルデータエラー"), MsgButton::Ok);
    }
    form_->SaveButton->click();
    EXPECT_FALSE(db().inTransaction());
    db().execute(isSqlite() ? QStringLiteral("PRAGMA query_only = OFF")
                            : QStringLiteral("SET default_transaction_read_only = off"));
    EXPECT_EQ(store().find(b_)->Funn[1], 40);
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

TEST_P(UserBookTest, TheKeysAloneTakeARowAndSave) {
    openMonth();
    form_->activateWindow();
    form_->DBGrid1->setFocus();
    form_->DBGrid1->setCurrentIndex(form_->UserSrchQuery->index(0, 0));
    QTest::keyClick(form_->DBGrid1, Qt::Key_Down);
    EXPECT_EQ(form_->ShownCureNo, b_);
    EXPECT_EQ(form_->StartTime[1]->text(), QStringLiteral("10:00"));
    form_->Funn[1]->setFocus();
    form_->Funn[1]->selectAll();
    QTest::keyClicks(form_->Funn[1], QStringLiteral("20"));
    form_->SaveButton->setFocus();
    dialogs_.expect(MsgKind::Information, QStringLiteral("治療番号 : %1を保存しました").arg(b_), MsgButton::Ok);
    QTest::keyClick(form_->SaveButton, Qt::Key_Return);
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
    EXPECT_EQ(store().find(b_)->Funn[1], 20);
}

TEST_P(UserBookTest, AnotherMonthClearsTheClientShown) {
    openMonth();
    clickRow(1);
    openMonth();
    EXPECT_EQ(form_->ShownCureNo, 0);
    EXPECT_TRUE(form_->NameLabel->text().isEmpty());
    EXPECT_FALSE(form_->SaveButton->isEnabled());
    EXPECT_FALSE(form_->ReserveButton->isEnabled());
    form_->SaveButton->click();  // disabled: nothing happens
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

TEST_P(UserBookTest, TheMonthGoesToTheClientMonthSchedule) {
    openMonth();
    clickRow(1);
    form_->DBGrid1->setCurrentIndex(form_->UserSrchQuery->index(0, 0));  // not the client shown
    form_->ReserveButton->click();
    ASSERT_NE(UserScheduleForm, nullptr);
    EXPECT_TRUE(UserScheduleForm->isVisible());
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(UserScheduleForm->CureNo, b_);
    EXPECT_EQ(UserScheduleForm->UseMonth, TDateTime::fromYmd(2024, 3, 1));
    EXPECT_EQ(UserScheduleForm->AgeText, QStringLiteral("(84歳)"));
    EXPECT_EQ(UserScheduleForm->KubunText, QStringLiteral("個別"));
    std::vector<int> requested;
    for (int d = 0; d < 31; ++d) {
        if (UserScheduleForm->MonthBook[static_cast<size_t>(d)].Requested) requested.push_back(d + 1);
    }
    EXPECT_EQ(requested, (std::vector<int>{5, 12, 19, 26}));
    EXPECT_EQ(UserScheduleForm->LabelTotal(), 4);
    UserScheduleForm->close();
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(form_->ShownCureNo, b_);
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(UserBookTest);

}  // namespace
