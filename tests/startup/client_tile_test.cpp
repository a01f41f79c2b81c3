// The tiles in the running application: the client registration opens over
// the main window and works on the data module's connection; the results
// menu opens over it and the results sheet over the menu; the schedule menu
// (its panel centred in its outer size, only the buttons of windows in this
// build enabled) and the staff work chart over it; closing each brings back
// the one before.
#include "running_app_fixture.h"
#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "clients/user_regist_form.h"
#include "clients/person_store.h"
#include "results/daily_medical_record_form.h"
#include "results/person_medical_record_form.h"
#include "results/result_sheet_form.h"
#include "results/results_menu_form.h"
#include "schedule/attend_schedule_form.h"
#include "schedule/day_attend_form.h"
#include "schedule/day_schedule_form.h"
#include "schedule/schedule_menu_form.h"
#include "schedule/user_attend_form.h"
#include "schedule/user_sheet_form.h"
#include "schedule/stuff_schedule_form.h"
#include "schedule/user_book_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class ClientTileTest : public RunningAppTest {};

TEST_P(ClientTileTest, TheTileOpensTheRegistrationOverTheMainWindow) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(UserRegistForm, nullptr);
    ASSERT_TRUE(MainForm->UserRegBtn->isEnabled());

    emit MainForm->UserRegBtn->clicked();
    EXPECT_TRUE(UserRegistForm->isVisible());
    EXPECT_FALSE(MainForm->isVisible()) << "one screen at a time";

    UserRegistForm->NewBtn->click();
    UserRegistForm->RegistName->setText(QStringLiteral("山田太郎"));
    UserRegistForm->RegistKanaName->setText(QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    UserRegistForm->BirthDay->setText(QStringLiteral("昭和15年04月01日"));
    UserRegistForm->SexBox->setCurrentIndex(0);
    UserRegistForm->RihaTypeBox->setCurrentIndex(0);
    UserRegistForm->NyushoDay->setText(QStringLiteral("平成14年05月01日"));
    d.expect(lum::MsgKind::Information, QStringLiteral("登録しました"), lum::MsgButton::Ok);
    UserRegistForm->SaveBtn->click();
    const int number = UserRegistForm->CureNo->text().toInt();
    EXPECT_GT(number, 0);
    auto db = databases_.back()->open();
    EXPECT_TRUE(lum::PersonStore(*db).find(number).has_value()) << "stored through the data module's connection";

    UserRegistForm->CloseBtn->click();
    EXPECT_FALSE(UserRegistForm->isVisible());
    EXPECT_TRUE(MainForm->isVisible());
}

TEST_P(ClientTileTest, TheTileOpensTheMenuAndTheMenuItsThreeWindows) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(ResultsMenuForm, nullptr);
    ASSERT_TRUE(MainForm->ResultsManagerBtn->isEnabled());

    emit MainForm->ResultsManagerBtn->clicked();
    ASSERT_TRUE(ResultsMenuForm->isVisible());
    EXPECT_FALSE(MainForm->isVisible()) << "one screen at a time";
    EXPECT_TRUE(ResultsMenuForm->Button3->isEnabled());
    EXPECT_EQ(ResultsMenuForm->TreatmentBtn->text(), QStringLiteral("治療実績入力\n（個人）"));
    ASSERT_TRUE(ResultsMenuForm->TreatmentBtn->isEnabled()) << "the medical records are in the start-up list";
    ASSERT_TRUE(ResultsMenuForm->TreatmentDayBtn->isEnabled());

    // Each medical record hides the menu while shown and shows it again when closed.
    ResultsMenuForm->TreatmentBtn->click();
    ASSERT_TRUE(PersonMedicalRecordForm->isVisible());
    EXPECT_FALSE(ResultsMenuForm->isVisible());
    PersonMedicalRecordForm->CloseButton->click();
    EXPECT_FALSE(PersonMedicalRecordForm->isVisible());
    ASSERT_TRUE(ResultsMenuForm->isVisible());
    ResultsMenuForm->TreatmentDayBtn->click();
    ASSERT_TRUE(DailyMedicalRecordForm->isVisible());
    EXPECT_FALSE(ResultsMenuForm->isVisible());
    DailyMedicalRecordForm->CloseButton->click();
    EXPECT_FALSE(DailyMedicalRecordForm->isVisible());
    ASSERT_TRUE(ResultsMenuForm->isVisible());

    ResultsMenuForm->Button3->click();
    ASSERT_TRUE(ResultSheetForm->isVisible());
    EXPECT_FALSE(ResultsMenuForm->isVisible());
    ResultSheetForm->ReturnButton->click();
    EXPECT_FALSE(ResultSheetForm->isVisible());
    EXPECT_TRUE(ResultsMenuForm->isVisible());
    ResultsMenuForm->Button2->click();
    EXPECT_FALSE(ResultsMenuForm->isVisible());
    EXPECT_TRUE(MainForm->isVisible());
}

TEST_P(ClientTileTest, TheScheduleTileOpensTheMenuAndTheMenuTheStaffChart) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(ScheduleMenuForm, nullptr);
    ASSERT_TRUE(MainForm->ScheduleBtn->isEnabled()) << "the menu is in the start-up list";

    emit MainForm->ScheduleBtn->clicked();
    ASSERT_TRUE(ScheduleMenuForm->isVisible());
    EXPECT_FALSE(MainForm->isVisible()) << "one screen at a time";
    EXPECT_EQ(ScheduleMenuForm->windowTitle(), QStringLiteral("スケジュール管理メニュー"));
    EXPECT_FALSE(ScheduleMenuForm->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint))
        << "no system buttons: 戻る closes it";
    EXPECT_EQ(ScheduleMenuForm->size(), QSize(TScheduleMenuForm::kClientWidth, TScheduleMenuForm::kClientHeight));
    const QSize outer = ScheduleMenuForm->frameGeometry().size();
    EXPECT_EQ(ScheduleMenuForm->ScheduleMenuPanel->pos(),
              QPoint((outer.width() - TScheduleMenuForm::kPanelWidth) / 2,
                     (outer.height() - TScheduleMenuForm::kPanelHeight) / 2));
    EXPECT_EQ(ScheduleMenuForm->StuffWeekBookBtn->geometry(), QRect(72, 32, 169, 65));
    EXPECT_EQ(ScheduleMenuForm->Button10->geometry(), QRect(72, 368, 377, 56));
    EXPECT_TRUE(ScheduleMenuForm->StuffWeekBookBtn->isEnabled());
    EXPECT_TRUE(ScheduleMenuForm->UserWeekBookBtn->isEnabled());
    // The day board, the summary and the three booking lists each take the menu's place.
    const std::pair<QPushButton*, QWidget*> shown[] = {{ScheduleMenuForm->Button2, DayScheduleForm},
                                                       {ScheduleMenuForm->Button1, UserSheetForm},
                                                       {ScheduleMenuForm->AttendButton, AttendScheduleForm},
                                                       {ScheduleMenuForm->UserAttend, UserAttendForm},
                                                       {ScheduleMenuForm->DayAttend, DayAttendForm}};
    for (const auto& [button, window] : shown) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        button->click();
        ASSERT_TRUE(window && window->isVisible()) << button->objectName().toStdString();
        EXPECT_FALSE(ScheduleMenuForm->isVisible());
        window->close();
        EXPECT_TRUE(ScheduleMenuForm->isVisible());
    }

    ScheduleMenuForm->StuffWeekBookBtn->click();
    ASSERT_TRUE(StuffScheduleForm->isVisible());
    EXPECT_FALSE(ScheduleMenuForm->isVisible());
    EXPECT_EQ(StuffScheduleForm->windowTitle(), QStringLiteral("介護担当者作業表"));
    EXPECT_EQ(StuffScheduleForm->StuffBox->count(), 3) << "the data module's staff list";
    StuffScheduleForm->close();
    EXPECT_TRUE(ScheduleMenuForm->isVisible());

    ScheduleMenuForm->UserWeekBookBtn->click();
    ASSERT_TRUE(UserBookForm->isVisible());
    EXPECT_FALSE(ScheduleMenuForm->isVisible());
    EXPECT_EQ(UserBookForm->windowTitle(), QStringLiteral("利用者予約希望"));
    EXPECT_FALSE(UserBookForm->SaveButton->isEnabled());
    UserBookForm->ToolButton4->click();
    EXPECT_TRUE(ScheduleMenuForm->isVisible());

    ScheduleMenuForm->Button10->click();
    EXPECT_FALSE(ScheduleMenuForm->isVisible());
    EXPECT_TRUE(MainForm->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(ClientTileTest);

}  // namespace
