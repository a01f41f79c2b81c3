// The schedule tile in the running application: the menu opens over the
// main window with its panel centred in its outer size, only the buttons of
// windows in this build are enabled, the staff work chart opens over the
// menu, and closing each brings back the one before.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "app/startup_windows.h"
#include "schedule/schedule_menu_form.h"
#include "schedule/stuff_schedule_form.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ScheduleTileTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    lum::AppWindows windows_;
};

TEST_P(ScheduleTileTest, TheTileOpensTheMenuAndTheMenuTheStaffChart) {
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
    for (QPushButton* notYet : {ScheduleMenuForm->UserWeekBookBtn, ScheduleMenuForm->Button2, ScheduleMenuForm->Button1,
                                ScheduleMenuForm->AttendButton, ScheduleMenuForm->UserAttend,
                                ScheduleMenuForm->DayAttend}) {
        EXPECT_FALSE(notYet->isEnabled()) << notYet->objectName().toStdString() << ": its window is not built yet";
    }

    ScheduleMenuForm->StuffWeekBookBtn->click();
    ASSERT_TRUE(StuffScheduleForm->isVisible());
    EXPECT_FALSE(ScheduleMenuForm->isVisible());
    EXPECT_EQ(StuffScheduleForm->windowTitle(), QStringLiteral("介護担当者作業表"));
    EXPECT_EQ(StuffScheduleForm->StuffBox->count(), 3) << "the data module's staff list";
    StuffScheduleForm->close();
    EXPECT_TRUE(ScheduleMenuForm->isVisible());

    ScheduleMenuForm->Button10->click();
    EXPECT_FALSE(ScheduleMenuForm->isVisible());
    EXPECT_TRUE(MainForm->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(ScheduleTileTest);

}  // namespace
