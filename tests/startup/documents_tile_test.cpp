// The documents menu in the running application: its tile is on, the menu
// opens over the main window with the buttons of the windows this build
// has, the treatment plan opens over the menu, and closing each brings back
// the one before.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "plans/cure_plan_form.h"
#include "plans/life_estimate_form.h"
#include "plans/paper_menu_form.h"
#include "plans/practice_plan_form.h"
#include "plans/print_outstanding_form.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class DocumentsTileTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    lum::AppWindows windows_;
};

TEST_P(DocumentsTileTest, TheMenuOpensTheTreatmentPlan) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(PaperMenuForm, nullptr);
    ASSERT_TRUE(MainForm->PaperBtn->isEnabled());

    emit MainForm->PaperBtn->clicked();
    ASSERT_TRUE(PaperMenuForm->isVisible());
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_EQ(PaperMenuForm->windowTitle(), QStringLiteral("書卓"));
    EXPECT_EQ(PaperMenuForm->Button3->text(), QStringLiteral("リハビリテーション\n実施計画書"));
    EXPECT_TRUE(PaperMenuForm->BitBtn1->isEnabled());
    // Windows not in this build keep their buttons off.
    EXPECT_TRUE(PaperMenuForm->BitBtn2->isEnabled());
    for (QPushButton* b : {PaperMenuForm->Button1, PaperMenuForm->Button5}) {
        EXPECT_EQ(b->isEnabled(), windows_.find(b->property("windowClass").toString()) != nullptr)
            << b->objectName().toStdString();
    }
    const QPoint panel = PaperMenuForm->MenuPanel->pos();
    EXPECT_EQ(panel.x(), (PaperMenuForm->width() - PaperMenuForm->MenuPanel->width()) / 2);
    EXPECT_EQ(panel.y(), (PaperMenuForm->height() - PaperMenuForm->MenuPanel->height()) / 2);

    PaperMenuForm->BitBtn1->click();
    ASSERT_NE(CurePlanForm, nullptr);
    EXPECT_TRUE(CurePlanForm->isVisible());
    EXPECT_FALSE(PaperMenuForm->isVisible());
    EXPECT_FALSE(CurePlanForm->CurePlanPanel->isVisible());
    CurePlanForm->CloaeToolButton->click();
    EXPECT_TRUE(PaperMenuForm->isVisible());
    PaperMenuForm->BitBtn2->click();
    ASSERT_NE(PracticePlanForm, nullptr);
    EXPECT_TRUE(PracticePlanForm->isVisible());
    EXPECT_TRUE(PracticePlanForm->isModal());
    EXPECT_FALSE(PaperMenuForm->isVisible());
    EXPECT_FALSE(PracticePlanForm->PageControl1->isVisible());
    EXPECT_FALSE(PracticePlanForm->SaveButton->isEnabled());
    EXPECT_EQ(PracticePlanForm->TeamBoxes[0]->count(), MainModule->StuffCount + 1);
    PracticePlanForm->ToolButton11->click();
    EXPECT_TRUE(PaperMenuForm->isVisible());
    PaperMenuForm->Button6->click();
    ASSERT_NE(LifeEstimateForm, nullptr);
    EXPECT_TRUE(LifeEstimateForm->isVisible());
    EXPECT_FALSE(LifeEstimateForm->SaveToolButton->isEnabled());
    LifeEstimateForm->CloaeToolButton->click();
    EXPECT_TRUE(PaperMenuForm->isVisible());
    PaperMenuForm->Button5->click();
    ASSERT_NE(PrintOutstandingForm, nullptr);
    EXPECT_TRUE(PrintOutstandingForm->isVisible());
    EXPECT_FALSE(PaperMenuForm->isVisible());
    EXPECT_FALSE(PrintOutstandingForm->PrintBtn->isEnabled());
    PrintOutstandingForm->ReturnButton->click();
    EXPECT_TRUE(PaperMenuForm->isVisible());
    PaperMenuForm->ReturnButton->click();
    EXPECT_TRUE(MainForm->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(DocumentsTileTest);

}  // namespace
