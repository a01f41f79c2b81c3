// "治療希望　開く" by its control names: the current month on show, the
// boxes each type shows, Enter and the arrows on the month, and what 開く
// accepts.
#include "schedule/open_cure_dialog.h"

#include "platform/clock.h"
#include "platform/ui/scripted_dialogs.h"
#include "widgets/horizontal_up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class OpenCureDialogTest : public ::testing::Test {
protected:
    void SetUp() override { dialog_.show(); }
    void chooseType(int type) {
        dialog_.RihaTypeBox->setCurrentIndex(type);
        dialog_.RihaTypeBoxChange();
    }
    std::vector<bool> shown() const {
        return {dialog_.TankiBox->isVisible(), dialog_.NinchiBox->isVisible(), dialog_.ShudanBox->isVisible(),
                dialog_.KobetsuBox->isVisible()};
    }
    lum::FixedClock clock_{QDate(2024, 3, 14)};
    lum::ScriptedDialogs dialogs_;
    TOpenCureDialog dialog_;
};

TEST_F(OpenCureDialogTest, ShowsTheCurrentMonthAndNoType) {
    EXPECT_EQ(dialog_.windowTitle(), QStringLiteral("治療希望　開く"));
    EXPECT_EQ(dialog_.DateEdit->text(), QStringLiteral("令和06年03月"));
    EXPECT_EQ(dialog_.RihaTypeBox->currentIndex(), -1);
    EXPECT_EQ(dialog_.RihaTypeBox->count(), 5);
    EXPECT_EQ(dialog_.RihaTypeBox->itemText(4), QStringLiteral("全て"));
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(dialog_.TypedMonth(), TDateTime::fromYmd(2024, 3, 1));
}

TEST_F(OpenCureDialogTest, EachTypeShowsItsBoxes) {
    chooseType(1);
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(dialog_.KobetsuBox->isChecked());
    chooseType(3);
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(dialog_.NinchiBox->text(), QStringLiteral("認知症短期"));
    EXPECT_FALSE(dialog_.ShudanBox->isChecked());
    dialog_.TankiBox->setChecked(false);
    chooseType(4);  // 全て: hidden, ticks kept
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(dialog_.TankiBox->isChecked());
    EXPECT_TRUE(dialog_.NinchiBox->isChecked());
    chooseType(0);
    EXPECT_EQ(dialog_.NinchiBox->text(), QStringLiteral("認知症"));
}

TEST_F(OpenCureDialogTest, ATypeChosenWithTheKeysShowsItsBoxes) {
    dialog_.RihaTypeBox->setFocus();
    QTest::keyClick(dialog_.RihaTypeBox, Qt::Key_Down);
    QTest::keyClick(dialog_.RihaTypeBox, Qt::Key_Down);
    EXPECT_EQ(dialog_.RihaTypeBox->currentIndex(), 1);
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(OpenCureDialogTest, OpenNeedsATypeAndAMonth) {
    dialogs_.expect(MsgKind::Error, QStringLiteral("リハビリ形態が不明です。"), MsgButton::Abort);
    dialog_.OpenButton->click();
    EXPECT_TRUE(dialog_.isVisible());

    chooseType(3);
    dialog_.NinchiBox->setChecked(false);
    dialog_.OpenButton->click();
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(dialog_.RihaType, 3);
    EXPECT_EQ(dialog_.KubunCode, 1);
    EXPECT_EQ(dialog_.UseMonth, TDateTime::fromYmd(2024, 3, 1));
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

TEST_F(OpenCureDialogTest, ArrowsStepTheMonthAndRefuseAnUnreadableOne) {
    dialog_.UpDown1->previousButton()->click();
    dialog_.UpDown1->previousButton()->click();
    dialog_.UpDown1->previousButton()->click();
    EXPECT_EQ(dialog_.DateEdit->text(), QStringLiteral("令和05年12月"));
    dialog_.UpDown1->nextButton()->click();
    EXPECT_EQ(dialog_.DateEdit->text(), QStringLiteral("令和06年01月"));

    dialog_.DateEdit->setText(QStringLiteral("令和06年13月"));
    dialogs_.expect(MsgKind::Error, QStringLiteral("利用年月 error "), MsgButton::Abort);
    dialog_.UpDown1->nextButton()->click();
    chooseType(4);
    dialogs_.expect(MsgKind::Error, QStringLiteral("利用年月 error "), MsgButton::Abort);
    dialog_.OpenButton->click();
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

TEST_F(OpenCureDialogTest, EnterReadsTheTypedMonth) {
    dialog_.DateEdit->setFocus();
    dialog_.DateEdit->setCursorPosition(0);
    QTest::keyClicks(dialog_.DateEdit, QStringLiteral("H1506"));
    EXPECT_EQ(dialog_.DateEdit->text(), QStringLiteral("平成15年 6月"));
    QTest::keyClick(dialog_.DateEdit, Qt::Key_Return);
    EXPECT_EQ(dialog_.UseMonth, TDateTime::fromYmd(2003, 6, 1));
    EXPECT_TRUE(dialog_.isVisible());

    dialog_.DateEdit->setText(QStringLiteral("平成15年00月"));
    dialogs_.expect(MsgKind::Information, QStringLiteral("利用年月が不明です。"), MsgButton::Ok);
    QTest::keyClick(dialog_.DateEdit, Qt::Key_Return);
    EXPECT_TRUE(dialogs_.allDone()) << dialogs_.report().toStdString();
}

}  // namespace
