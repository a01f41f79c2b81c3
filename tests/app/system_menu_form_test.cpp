// The system menu: it hides the main window while shown, "画面表示" switches
// the window state and keeps it in WinState, and the panel is centred in the
// menu's outer size.
#include "app/main_form.h"
#include "app/registory.h"
#include "app/system_menu_form.h"
#include "temp_settings.h"

#include <QCoreApplication>
#include <QPushButton>
#include <memory>

namespace {

class SystemMenuTest : public TempSettingsTest {
protected:
    void SetUp() override {
        TempSettingsTest::SetUp();
        main_ = std::make_unique<TMainForm>();
        MainForm = main_.get();
        main_->FormCreate();
        main_->Registory->WinState = TRegistory::Normal;
        main_->show();
        menu_ = std::make_unique<TSystemMenuForm>();
    }
    void TearDown() override {
        menu_.reset();
        main_.reset();
        TempSettingsTest::TearDown();
    }

    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<TSystemMenuForm> menu_;
};

TEST_F(SystemMenuTest, HidesTheMainWindowWhileShown) {
    menu_->show();
    EXPECT_FALSE(main_->isVisible());
    EXPECT_FALSE(menu_->Panel1->isEnabled()) << "no link settings window in this test";
    menu_->Button2->click();
    EXPECT_FALSE(menu_->isVisible());
    EXPECT_TRUE(main_->isVisible());
}

TEST_F(SystemMenuTest, GamenSizeChangeSwitchesTheWindowStateBothWays) {
    menu_->show();
    EXPECT_FALSE(menu_->isMaximized());
    menu_->GamenSizeChange->click();
    EXPECT_EQ(main_->Registory->WinState, TRegistory::Maximized);
    EXPECT_FALSE(menu_->isVisible());
    EXPECT_TRUE(main_->isVisible());
    EXPECT_TRUE(main_->windowState().testFlag(Qt::WindowMaximized)) << "the main window takes it at once";

    menu_->show();
    EXPECT_TRUE(menu_->windowState().testFlag(Qt::WindowMaximized));
    menu_->GamenSizeChange->click();
    EXPECT_EQ(main_->Registory->WinState, TRegistory::Normal);
    EXPECT_FALSE(main_->windowState().testFlag(Qt::WindowMaximized));
}

// After 画面表示 switches to normal, the menu opens in the normal state and in
// its normal size and place in the same run, as after a restart.
TEST_F(SystemMenuTest, SwitchedToNormalItOpensInItsNormalSizeInTheSameRun) {
    const QRect designed = TSystemMenuForm().geometry();  // as a new run shows it
    main_->Registory->WinState = TRegistory::Maximized;
    menu_->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(menu_->isMaximized());
    ASSERT_NE(menu_->size(), designed.size());
    menu_->GamenSizeChange->click();
    EXPECT_EQ(main_->Registory->WinState, TRegistory::Normal);

    menu_->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu_->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(menu_->geometry(), designed);
}

TEST_F(SystemMenuTest, CentresItsPanelInTheOuterSize) {
    menu_->show();
    menu_->resize(641, 400);
    QCoreApplication::processEvents();
    const QSize outer = menu_->frameGeometry().size();
    EXPECT_EQ(menu_->MenuPanel->pos(),
              QPoint((outer.width() - TSystemMenuForm::kPanelWidth) / 2,
                     (outer.height() - TSystemMenuForm::kPanelHeight) / 2));
}

}  // namespace

namespace {

TEST_F(SystemMenuTest, TheSwitchedStateIsKeptForTheNextStart) {
    menu_->show();
    menu_->GamenSizeChange->click();  // normal -> maximised
    menu_.reset();
    main_.reset();  // the end of the run writes the settings

    TMainForm next;
    MainForm = &next;
    next.FormCreate();
    EXPECT_EQ(next.Registory->WinState, TRegistory::Maximized);
    next.show();
    EXPECT_TRUE(next.windowState().testFlag(Qt::WindowMaximized));
}

}  // namespace
