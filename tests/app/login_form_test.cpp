// The login dialog's own behaviour: the empty-field message, Enter in the
// user field, the tab order, the keyboard on show and a fresh dialog on every
// show.
#include "app/login_form.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TLoginForm, LogInNeedsBothFields) {
    struct Case {
        const char* user;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {{"", "", false}, {"101", "", false}, {"", "pw", false}, {"101", "pw", true}};
    for (const Case& c : cases) {
        TLoginForm form;
        form.show();
        form.UserEdit->setText(QString::fromUtf8(c.user));
        form.PassEdit->setText(QString::fromUtf8(c.password));
        form.LogInBtn->click();
        EXPECT_EQ(form.result() == QDialog::Accepted, c.accepted) << c.user << "/" << c.password;
        EXPECT_EQ(form.ErrorLabel->text(),
                  c.accepted ? QString() : QStringLiteral("ユーザー名又はパスワードがありません。"));
    }
}

TEST(TLoginForm, CancelRejects) {
    TLoginForm form;
    form.show();
    form.CancelBtn->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(TLoginForm, EachShowStartsEmpty) {
    TLoginForm form;
    form.show();
    form.UserEdit->setText("101");
    form.PassEdit->setText("pw");
    form.ErrorLabel->setText("x");
    form.hide();
    form.show();
    EXPECT_TRUE(form.UserEdit->text().isEmpty());
    EXPECT_TRUE(form.PassEdit->text().isEmpty());
    EXPECT_TRUE(form.ErrorLabel->text().isEmpty());
    EXPECT_EQ(form.PassEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lumorind　ログイン"));
    EXPECT_EQ(form.LogInBtn->text(), QStringLiteral("ロ グ イ ン"));
    EXPECT_EQ(form.CancelBtn->text(), QStringLiteral("キ ャ ン セ ル"));
}

TEST(TLoginForm, EnterInTheUserFieldMovesToThePassword) {
    TLoginForm form;
    form.show();
    form.activateWindow();
    form.UserEdit->setFocus();
    form.UserEdit->setText("101");
    QTest::keyClick(form.UserEdit, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.PassEdit);
    EXPECT_TRUE(form.isVisible()) << "Enter in the user field does not log in";
    form.PassEdit->setText("pw");
    QTest::keyClick(form.PassEdit, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// After a wrong login the warning is closed with Enter: its press goes to the
// box, its release to the user field the dialog starts in again. That release
// must leave the caret in the user field.
TEST(TLoginForm, TheEnterThatClosesTheWarningLeavesTheCaretInTheUserField) {
    TLoginForm form;
    form.show();
    form.activateWindow();
    form.UserEdit->setFocus();
    form.UserEdit->setText("101");
    QTest::keyClick(form.UserEdit, Qt::Key_Return);
    form.PassEdit->setText("wrong");
    QTest::keyClick(form.PassEdit, Qt::Key_Return);
    ASSERT_EQ(form.result(), QDialog::Accepted);

    form.hide();  // the loop shows its warning, then the dialog again
    form.show();
    form.activateWindow();
    ASSERT_EQ(form.focusWidget(), form.UserEdit);
    QTest::keyRelease(form.UserEdit, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.UserEdit);
    EXPECT_TRUE(form.UserEdit->text().isEmpty());
}

TEST(TLoginForm, ThePasswordShowsAsStars) {
    TLoginForm form;
    form.show();
    form.PassEdit->setText(QStringLiteral("pw1"));
    EXPECT_EQ(form.PassEdit->displayText(), QStringLiteral("***"));
}

// Tab goes user name, password, ログイン, キャンセル and round again;
// Shift+Tab goes back the same way.
TEST(TLoginForm, TabGoesUserPasswordLoginCancel) {
    TLoginForm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    struct Step {
        Qt::Key key;
        QWidget* to;
    } const steps[] = {
        {Qt::Key_Tab, form.PassEdit},      {Qt::Key_Tab, form.LogInBtn},      {Qt::Key_Tab, form.CancelBtn},
        {Qt::Key_Tab, form.UserEdit},      {Qt::Key_Backtab, form.CancelBtn}, {Qt::Key_Backtab, form.LogInBtn},
        {Qt::Key_Backtab, form.PassEdit},  {Qt::Key_Backtab, form.UserEdit},
    };
    ASSERT_EQ(QApplication::focusWidget(), form.UserEdit);
    for (const Step& step : steps) {
        QWidget* from = QApplication::focusWidget();
        ASSERT_TRUE(from);
        QTest::keyClick(from, step.key, step.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(QApplication::focusWidget(), step.to)
            << from->objectName().toStdString() << " -> " << step.to->objectName().toStdString();
    }
}

// The dialog takes the keyboard as soon as it is on screen: the first keys
// typed reach the user name.
TEST(TLoginForm, TheFirstKeysTypedReachTheUserName) {
    TLoginForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_EQ(QApplication::focusWidget(), form.UserEdit);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("101"));
    EXPECT_EQ(form.UserEdit->text(), QStringLiteral("101"));
}

}  // namespace
