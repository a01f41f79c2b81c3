// The frame dialogs driven by their control names: the time and minutes
// checks, the capacity buttons and the kept capacity, the staff change
// dialog with today's date prefilled in the current era, the staff pickers
// and the client information.
#include "schedule/frame_input_checks.h"
#include "schedule/person_property_form.h"
#include "schedule/staff_pick_forms.h"
#include "schedule/stuff_change_form.h"
#include "schedule/stuff_time_form.h"
#include "schedule/time_span.h"
#include "staff_list_fixture.h"

#include "platform/clock.h"
#include "platform/ui/scripted_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

using lum::TDateTime;
namespace text = lum::frame_text;

class FrameDialogs : public StaffListTest {};

TEST_F(FrameDialogs, TheFrameEditorChecksTimeAndMinutesInOrder) {
    TStuffTimeForm form;
    form.NewFrame = true;
    struct Case {
        const char* start;
        const char* minutes;
        QString error;  // empty: accepted
        int startMinutes;
    } const cases[] = {
        {"20:59", "1", {}, 20 * 60 + 59},
        {"21:00", "30", text::StartError, 0},
        {"07:59", "30", text::StartError, 0},
        {" 8:00", "600", {}, 8 * 60},
        {" 9: 5", "40", {}, 9 * 60 + 5},
        {"09:5_", "30", text::StartError, 0},
        {"09:60", "30", text::StartError, 0},
        {"__:__", "30", text::StartError, 0},
        {"21:00", "", text::StartError, 0},
        {"09:00", "", text::MinutesRequired, 0},
        {"09:00", "1a", text::MinutesNotNumber, 0},
        {"09:00", "0", text::MinutesTooFew, 0},
        {"09:00", "601", text::MinutesTooMany, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " / " + c.minutes);
        form.show();
        form.StartTimeEdit->setText(QString::fromLatin1(c.start));
        form.FunnEdit->setText(QString::fromLatin1(c.minutes));
        form.SetButton->click();
        EXPECT_EQ(form.ErrorLabel->text(), c.error);
        EXPECT_EQ(form.isVisible(), !c.error.isEmpty()) << "an error keeps the dialog open";
        if (c.error.isEmpty()) {
            EXPECT_EQ(form.result(), QDialog::Accepted);
            EXPECT_EQ(form.StartTime, lum::timeOfDay(c.startMinutes));
            EXPECT_EQ(form.Minutes, QString::fromLatin1(c.minutes).toInt());
        }
        form.hide();
    }
}

TEST_F(FrameDialogs, TheFrameEditorTakesTypedKeysAndKeepsTheCapacityForNewFrames) {
    lum::ScriptedDialogs d;
    TStuffTimeForm form;
    form.NewFrame = false;
    form.StartTime = lum::timeOfDay(10 * 60 + 20);
    form.Minutes = 40;
    form.Capacity = 5;
    d.expectModal(QStringLiteral("StuffTimeForm"), [](QDialog& dialog) {
        auto& f = static_cast<TStuffTimeForm&>(dialog);
        EXPECT_EQ(f.StartTimeEdit->text(), QStringLiteral("10:20"));
        EXPECT_EQ(f.FunnEdit->text(), QStringLiteral("40"));
        EXPECT_EQ(f.MenCount->value(), 5);
        for (auto [button, value] : {std::pair{f.MenFortyButton, 40}, std::pair{f.MenZeroButton, 0},
                                     std::pair{f.MenOneButton, 1}, std::pair{f.MenFortyButton, 40}}) {
            button->click();
            EXPECT_EQ(f.MenCount->value(), value);
            EXPECT_TRUE(f.isVisible()) << "the capacity buttons do not close the dialog";
        }
        f.SetButton->click();
        return f.result();
    });
    ASSERT_EQ(lum::runModal(form), QDialog::Accepted);
    EXPECT_EQ(form.Capacity, 40);

    // A new frame: empty time and minutes, the capacity shown last; typed keys.
    form.NewFrame = true;
    d.expectModal(QStringLiteral("StuffTimeForm"), [](QDialog& dialog) {
        auto& f = static_cast<TStuffTimeForm&>(dialog);
        EXPECT_EQ(f.StartTimeEdit->text(), QStringLiteral("__:__"));
        EXPECT_TRUE(f.FunnEdit->text().isEmpty());
        EXPECT_EQ(f.MenCount->value(), 40);
        EXPECT_TRUE(f.ErrorLabel->text().isEmpty());
        QTest::keyClicks(f.StartTimeEdit, QStringLiteral("0930"));
        EXPECT_EQ(f.StartTimeEdit->text(), QStringLiteral(" 9:30"));
        QTest::keyClicks(f.FunnEdit, QStringLiteral("45"));
        f.SetButton->click();
        return f.result();
    });
    ASSERT_EQ(lum::runModal(form), QDialog::Accepted);
    EXPECT_EQ(form.StartTime, lum::timeOfDay(9 * 60 + 30));
    EXPECT_EQ(form.Minutes, 45);
    EXPECT_EQ(form.Capacity, 40);
}

TEST_F(FrameDialogs, TheStaffChangeDialogAcceptsAFrameOfTodayAsPrefilled) {
    lum::FixedClock clock(QDate(2026, 12, 10));
    TStuffChangeForm form;
    form.FormCreate();
    form.WorkDay = TDateTime::fromDate(lum::today());
    form.StuffCode = 5;
    form.StartTime = lum::timeOfDay(13 * 60 + 30);
    form.Minutes = 40;
    form.show();
    EXPECT_EQ(form.DayEdit->text(), QStringLiteral("令和08年12月10日"));
    EXPECT_EQ(form.KaigoStuffBox->currentText(), QStringLiteral("佐藤　花子"));
    EXPECT_EQ(form.StartTimeEdit->text(), QStringLiteral("13:30"));
    form.SetButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted) << form.ErrorLabel->text().toStdString();
    EXPECT_EQ(form.WorkDay, TDateTime::fromYmd(2026, 12, 10));
    EXPECT_EQ(form.StuffCode, 5);
    EXPECT_EQ(form.Minutes, 40);

    // Another staff member and another day, typed.
    form.show();
    form.KaigoStuffBox->setCurrentIndex(2);
    form.DayEdit->setCursorPosition(0);
    QTest::keyClicks(form.DayEdit, QStringLiteral("R081211"));
    EXPECT_EQ(form.DayEdit->text(), QStringLiteral("令和08年12月11日"));
    form.SetButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.WorkDay, TDateTime::fromYmd(2026, 12, 11));
    EXPECT_EQ(form.StuffCode, 7);
}

TEST_F(FrameDialogs, TheStaffChangeDialogChecksTheDateFirstAndNeverKeepsAnotherStaffMember) {
    TStuffChangeForm form;
    form.FormCreate();
    form.WorkDay = TDateTime::fromYmd(2026, 12, 10);
    form.StuffCode = 7;
    form.StartTime = lum::timeOfDay(9 * 60);
    form.Minutes = 30;
    form.show();
    form.DayEdit->setText(QStringLiteral("令和08年13月01日"));
    form.SetButton->click();
    EXPECT_EQ(form.ErrorLabel->text(), text::DayError);
    EXPECT_TRUE(form.isVisible());
    form.hide();

    // The frame's staff code is not in the list: nobody stays chosen.
    form.StuffCode = 99;
    form.show();
    EXPECT_EQ(form.KaigoStuffBox->currentIndex(), -1);
    form.SetButton->click();
    EXPECT_EQ(form.ErrorLabel->text(), text::NoStaff);
    EXPECT_TRUE(form.isVisible());
    form.FunnEdit->setText(QStringLiteral("601"));
    form.KaigoStuffBox->setCurrentIndex(0);
    form.SetButton->click();
    EXPECT_EQ(form.ErrorLabel->text(), text::MinutesTooMany);
    EXPECT_EQ(form.StuffCode, 99) << "nothing taken before every check passed";
}

TEST_F(FrameDialogs, TheStaffPickers) {
    TStuffAllChangeForm all;
    all.FormCreate();
    all.show();
    EXPECT_EQ(all.KaigoStuffBox->count(), 3);
    all.SetButton->click();
    EXPECT_EQ(all.ErrorLabel->text(), QStringLiteral("担当者を指定して下さい。"));
    EXPECT_TRUE(all.isVisible());
    all.KaigoStuffBox->setCurrentIndex(1);
    all.SetButton->click();
    EXPECT_EQ(all.result(), QDialog::Accepted);
    EXPECT_EQ(all.StuffCode, 5);
    all.show();
    EXPECT_EQ(all.KaigoStuffBox->currentIndex(), 1) << "the choice stays";
    EXPECT_TRUE(all.ErrorLabel->text().isEmpty());
    all.CancelButton->click();
    EXPECT_EQ(all.result(), QDialog::Rejected);

    TStuffSelectForm select;
    select.FormCreate();
    EXPECT_EQ(select.windowTitle(), QStringLiteral("スタックの指定"));
    select.StuffCode = 7;
    select.show();
    EXPECT_EQ(select.KaigoStuffBox->currentIndex(), -1) << "no preselection";
    select.SetButton->click();
    EXPECT_TRUE(select.isVisible());
    select.KaigoStuffBox->setCurrentIndex(0);
    select.SetButton->click();
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_EQ(select.StuffCode, 3);
    EXPECT_EQ(select.StuffName, QStringLiteral("鈴木　一郎"));
}

TEST_F(FrameDialogs, TheClientInformation) {
    TPersonPropertyForm form;
    form.CureNo = 42;
    form.UserName = QStringLiteral("山田　花子");
    form.NyushoDate = TDateTime::fromYmd(2024, 4, 1);
    form.RihaTypeText = QStringLiteral("通所リハビリ");
    form.KubunCode = 5;
    form.show();
    EXPECT_EQ(form.CureNoLabel->text(), QStringLiteral("42"));
    EXPECT_EQ(form.NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(form.NyushoLabel->text(), QStringLiteral("2024/04/01"));
    EXPECT_TRUE(form.TaishoLabel->text().isEmpty()) << "no discharge date";
    EXPECT_EQ(form.RihaTypeLabel->text(), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(form.KubunLabel->text(), QStringLiteral("短期集中 集団 "));
    form.CloseButton->click();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
