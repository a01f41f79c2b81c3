// The link settings in the running application: the system menu's
// "他システムデータ取り込み" is active and opens them in its place; 戻る brings
// the menu back.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "startup/startup_windows.h"
#include "app/system_menu_form.h"
#include "clients/tavelund_form.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class LinkSettingsTileTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    lum::AppWindows windows_;
};

TEST_P(LinkSettingsTileTest, TheSystemMenuOpensTheLinkSettingsInItsPlace) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_));
    ASSERT_NE(TavelundForm, nullptr);
    emit MainForm->InfoConnectBtn->clicked();
    ASSERT_TRUE(SystemMenuForm->isVisible());
    ASSERT_TRUE(SystemMenuForm->Panel1->isEnabled());

    SystemMenuForm->Panel1->click();
    EXPECT_TRUE(TavelundForm->isVisible());
    EXPECT_FALSE(SystemMenuForm->isVisible()) << "one screen at a time";
    EXPECT_EQ(TavelundForm->ConnectionIndex(), 0);

    TavelundForm->CloseButton->click();
    EXPECT_FALSE(TavelundForm->isVisible());
    EXPECT_TRUE(SystemMenuForm->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(LinkSettingsTileTest);

}  // namespace
