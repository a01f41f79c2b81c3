// The conference survey in the running application: the documents menu's
// Button2 opens it modally over the menu, and closing it brings the menu back.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "plans/before_conference_form.h"
#include "plans/paper_menu_form.h"
#include "plans/sheet_scroll_box.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ConferenceSurveyTileTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    lum::AppWindows windows_;
};

TEST_P(ConferenceSurveyTileTest, TheMenuOpensTheSurveyModally) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(BeforeConferenceForm, nullptr);
    emit MainForm->PaperBtn->clicked();
    ASSERT_TRUE(PaperMenuForm->isVisible());
    ASSERT_TRUE(PaperMenuForm->Button2->isEnabled());

    PaperMenuForm->Button2->click();
    EXPECT_TRUE(BeforeConferenceForm->isVisible());
    EXPECT_TRUE(BeforeConferenceForm->isModal());
    EXPECT_FALSE(PaperMenuForm->isVisible());
    EXPECT_EQ(BeforeConferenceForm->windowTitle(), QStringLiteral("開始時リハビリテーションカンフアレンス（調査票参照）"));
    EXPECT_FALSE(BeforeConferenceForm->SaveToolButton->isEnabled());
    EXPECT_TRUE(BeforeConferenceForm->ScrollBox1->isHidden());
    BeforeConferenceForm->CloaeToolButton->click();
    EXPECT_FALSE(BeforeConferenceForm->isVisible());
    EXPECT_TRUE(PaperMenuForm->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(ConferenceSurveyTileTest);

}  // namespace
