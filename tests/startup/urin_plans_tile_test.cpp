// The rehabilitation and preventive-care plans in the running application:
// the documents menu's Button1 and Button3 open them over the menu, and
// closing each brings the menu back.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "plans/paper_menu_form.h"
#include "plans/text_form.h"
#include "plans/urin_plan_form.h"
#include "plans/urin_pract_form.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class UrinPlansTileTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    lum::AppWindows windows_;
};

TEST_P(UrinPlansTileTest, TheMenuOpensBothPlans) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(URinPlanForm, nullptr);
    ASSERT_NE(URinPractForm, nullptr);
    ASSERT_NE(TextForm, nullptr);
    emit MainForm->PaperBtn->clicked();
    ASSERT_TRUE(PaperMenuForm->isVisible());
    EXPECT_TRUE(PaperMenuForm->Button1->isEnabled());
    EXPECT_TRUE(PaperMenuForm->Button3->isEnabled());

    struct Road {
        QPushButton* button;
        TDocumentForm* window;
        QString caption;
    } roads[] = {{PaperMenuForm->Button1, URinPlanForm, QStringLiteral("リハビリテーション計画書")},
                 {PaperMenuForm->Button3, URinPractForm, QStringLiteral("リハビリテーション実施計画書（予防）")}};
    for (const Road& r : roads) {
        r.button->click();
        EXPECT_TRUE(r.window->isVisible());
        EXPECT_FALSE(PaperMenuForm->isVisible());
        EXPECT_EQ(r.window->windowTitle(), r.caption);
        EXPECT_FALSE(r.window->SaveToolButton->isEnabled());
        r.window->CloaeToolButton->click();
        EXPECT_FALSE(r.window->isVisible());
        EXPECT_TRUE(PaperMenuForm->isVisible());
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(UrinPlansTileTest);

}  // namespace
