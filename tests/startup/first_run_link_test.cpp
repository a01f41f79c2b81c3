// The first ./run.sh on a fresh home folder: scripts/first-run.sh makes the
// database, the demo data and the demo source of the other care system, and
// sets the link to that source, so in the application started then
// 利用者登録 → 新規 → インポート lists the demo clients without any setting.
#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/startup.h"
#include "clients/linked_user_form.h"
#include "clients/user_regist_form.h"
#include "platform/settings/settings_key.h"
#include "platform/ui/scripted_dialogs.h"
#include "startup/startup_windows.h"
#include "support/linked_source_fixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FirstRunTest : public ::testing::Test {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        lum::SettingsKey::setRootFolder(QString());
    }
    lum::AppWindows windows_;
};

TEST_F(FirstRunTest, TheRegistrationImportsTheDemoClientsAtOnce) {
    LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                            QStringLiteral("the SQLite ODBC driver is not installed"));
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString config = home.filePath(QStringLiteral(".config"));
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("LUMORIND_CONFIG_DIR"), config);
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("bash"), {QStringLiteral(LUMORIND_SOURCE_DIR "/scripts/first-run.sh"),
                                       QStringLiteral(LUMORIND_BUILD_DIR)});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString printed = QString::fromUtf8(run.readAll());
    ASSERT_EQ(run.exitCode(), 0) << printed.toStdString();

    // The application as the first run leaves it, with the demo login.
    lum::SettingsKey::setRootFolder(config);
    lum::ScriptedDialogs d;
    d.expectModal(QStringLiteral("LoginForm"), [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("UserEdit"))->setText(QStringLiteral("101"));
        dialog.findChild<QLineEdit*>(QStringLiteral("PassEdit"))->setText(QStringLiteral("lumorind"));
        dialog.findChild<QPushButton*>(QStringLiteral("LogInBtn"))->click();
        return dialog.result();
    });
    lum::AppWindows::setCurrent(&windows_);
    ASSERT_TRUE(lum::startApplication(lum::startupWindows(), windows_)) << d.report().toStdString();
    ASSERT_NE(UserRegistForm, nullptr);
    emit MainForm->UserRegBtn->clicked();
    ASSERT_TRUE(UserRegistForm->isVisible());
    EXPECT_TRUE(UserRegistForm->ImportBtn->isEnabled()) << "a link is set\n" << printed.toStdString();
    UserRegistForm->NewBtn->click();

    int listed = -1;
    d.expectModal(QStringLiteral("AccessUserForm"), [&listed](QDialog& dialog) {
        auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("DBGrid1"));
        listed = grid ? grid->rowCount() : -1;
        return int(QDialog::Rejected);
    });
    UserRegistForm->ImportBtn->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString() << printed.toStdString();
    EXPECT_EQ(listed, 40) << printed.toStdString();
}

}  // namespace
