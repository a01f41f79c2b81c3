// The print menu in the running application: the main window's tile opens
// it, a button whose printout is built opens that window over it, the others
// stay disabled, and each 戻る brings back the window before.
#include "running_app_fixture.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "printing/print_all_user_form.h"
#include "printing/print_limit_riha_form.h"
#include "printing/print_menu_form.h"
#include "printing/print_person_result_form.h"
#include "printing/print_pract_form.h"
#include "printing/print_riha_form.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class PrintTileTest : public RunningAppTest {};

TEST_P(PrintTileTest, TheTileOpensTheMenuAndTheMenuItsBuiltPrintouts) {
    lum::ScriptedDialogs d;
    ASSERT_TRUE(startLoggedIn(d));
    ASSERT_NE(PrintMenuForm, nullptr);
    ASSERT_TRUE(MainForm->PrintBtn->isEnabled());

    emit MainForm->PrintBtn->clicked();
    EXPECT_TRUE(PrintMenuForm->isVisible());
    EXPECT_FALSE(MainForm->isVisible()) << "one screen at a time";
    EXPECT_EQ(PrintMenuForm->windowTitle(), QStringLiteral("印刷メニュー"));
    for (const auto& e : PrintMenuForm->entries()) {
        EXPECT_EQ(e.button->isEnabled(), windows_.find(QString::fromLatin1(e.windowClass)) != nullptr)
            << e.windowClass;
    }
    EXPECT_EQ(PrintMenuForm->Button7->text(), QStringLiteral("月別リハビリ形態別\n実施一覧"));

    PrintMenuForm->PrintAllUserButton->click();
    ASSERT_NE(PrintAllUserForm, nullptr);
    EXPECT_TRUE(PrintAllUserForm->isVisible());
    EXPECT_FALSE(PrintMenuForm->isVisible());
    EXPECT_EQ(PrintAllUserForm->windowTitle(), QStringLiteral("利用者一覧表(印刷)"));
    EXPECT_EQ(PrintAllUserForm->Fnrm1910_1Edit->text(), MainForm->Registory->AllUser);

    PrintAllUserForm->ReturnButton->click();
    EXPECT_FALSE(PrintAllUserForm->isVisible());
    EXPECT_TRUE(PrintMenuForm->isVisible());
    PrintMenuForm->ReturnButton->click();
    EXPECT_FALSE(PrintMenuForm->isVisible());
    EXPECT_TRUE(MainForm->isVisible());
}

TEST_P(PrintTileTest, ThePlanAndRecordPrintoutsTakeTheMenusPlaceAndGiveItBack) {
    lum::ScriptedDialogs d;
    ASSERT_TRUE(startLoggedIn(d));
    emit MainForm->PrintBtn->clicked();
    struct Case {
        QPushButton* menuButton;
        QWidget* window;
        QPushButton* back;
        QString caption;
    };
    ASSERT_NE(PrintRihaForm, nullptr);
    ASSERT_NE(PrintPractForm, nullptr);
    ASSERT_NE(PrintPersonResultForm, nullptr);
    ASSERT_NE(PrintLimitRihaForm, nullptr);
    const Case cases[] = {
        {PrintMenuForm->Button3, PrintRihaForm, PrintRihaForm->ReturnButton, QStringLiteral("リハビリ治療計画書（印刷）")},
        {PrintMenuForm->Button3, PrintRihaForm, PrintRihaForm->ReturnButton2, QStringLiteral("リハビリ治療計画書（印刷）")},
        {PrintMenuForm->Button2, PrintPractForm, PrintPractForm->ReturnButton, QStringLiteral("リハビリ実施計画書（印刷）")},
        {PrintMenuForm->Button6, PrintPersonResultForm, PrintPersonResultForm->ReturnButton,
         QStringLiteral("リハビリ実績記録書（印刷）")},
        {PrintMenuForm->Button9, PrintLimitRihaForm, PrintLimitRihaForm->ReturnButton, QStringLiteral("計画書期限参照（印刷）")},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.menuButton->isEnabled()) << c.caption.toStdString();
        c.menuButton->click();
        EXPECT_TRUE(c.window->isVisible());
        EXPECT_FALSE(PrintMenuForm->isVisible());
        EXPECT_EQ(c.window->windowTitle(), c.caption);
        c.back->click();
        EXPECT_FALSE(c.window->isVisible());
        EXPECT_TRUE(PrintMenuForm->isVisible());
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintTileTest);

}  // namespace
