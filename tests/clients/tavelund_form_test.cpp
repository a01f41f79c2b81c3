// The link settings window by its control names: it shows the settings,
// 確定 stores what the fields hold and opens exactly that link, which counts
// as made only when kgkihn1d reads; mode 0 closes the links; 接続確認 edits
// the field's own string; the values reach the settings file at exit.
#include "clients/tavelund_form.h"

#include "clients/connection_string_dialog.h"
#include "linked_app.h"
#include "linked_rows.h"
#include "platform/ui/scripted_dialogs.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;

const QString kMade = QStringLiteral("接続しました。");
const QString kServerFailed = QStringLiteral("Tavelund接続に失敗しました。");
const QString kFileFailed = QStringLiteral("Access接続に失敗しました。");

class TavelundFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                                QStringLiteral("the SQLite ODBC driver is not installed"));
        ASSERT_TRUE(dir_.isValid());
        good_ = dir_.filePath(QStringLiteral("kaigo.mdb"));
        lum::test::writeLinkedFile(good_, linked_rows::stored());
        lum::test::writeLinkedFile(dir_.filePath(QStringLiteral("other.mdb")), {}, {false, false, {}});
        app_ = std::make_unique<LinkedApp>();
        form_ = std::make_unique<TTavelundForm>();
    }
    void TearDown() override {
        form_.reset();
        app_.reset();
    }
    QString fileString(const char* name) const { return lum::test::sqliteOdbcString(dir_.filePath(QString::fromLatin1(name))); }
    void choose(int mode) { form_->ConnectionItems[mode]->click(); }

    QTemporaryDir dir_;
    QString good_;
    std::unique_ptr<LinkedApp> app_;
    std::unique_ptr<TTavelundForm> form_;
    lum::ScriptedDialogs d_;
};

TEST_F(TavelundFormTest, ShowsTheSettingsOfTheRun) {
    TRegistory& s = app_->settings();
    s.ServFlg = 1;
    s.Tavelund = "DRIVER={FreeTDS};SERVER=kaigo;DATABASE=tavelund";
    s.ID = "sa";
    s.Password = "pa'ss";
    s.MDBConnection = "DRIVER={MDBTools};DBQ=/srv/kaigo.mdb";
    form_->show();
    EXPECT_EQ(form_->windowTitle(), "他システムデータ取り込み");
    EXPECT_EQ(form_->Connection->title(), " Tavelundシステム連動オプション ");
    EXPECT_EQ(form_->ConnectionIndex(), 1);
    EXPECT_TRUE(form_->ConnectionItems[1]->isChecked());
    EXPECT_EQ(form_->SQLServerName->text(), s.Tavelund);
    EXPECT_EQ(form_->SQLUserID->text(), "sa");
    EXPECT_EQ(form_->SQLPassword->text(), "pa'ss");
    EXPECT_EQ(form_->SQLPassword->echoMode(), QLineEdit::Normal) << "shown as stored";
    EXPECT_EQ(form_->MDBConnection->text(), s.MDBConnection);
    form_->hide();
    s.ServFlg = 7;  // a mode this build does not know: none is checked
    form_->show();
    EXPECT_EQ(form_->ConnectionIndex(), -1);
}

TEST_F(TavelundFormTest, EachModeOpensExactlyWhatItsFieldsHold) {
    lum::test::PostgresLinkedSource server;
    const bool haveServer = server.create(linked_rows::stored());
    QFile text(dir_.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database");
    text.close();
    struct Case {
        const char* what;
        int mode;
        QString connection;
        QString user, password;
        QString message;
        bool needsServer;
    };
    const QString pg = server.odbcString();
    const Case cases[] = {
        {"a good file", 2, fileString("kaigo.mdb"), {}, {}, kMade, false},
        {"a missing file", 2, fileString("gone.mdb"), {}, {}, kFileFailed, false},
        {"a file that is no database", 2, fileString("notes.txt"), {}, {}, kFileFailed, false},
        {"a database without kgkihn1d", 2, fileString("other.mdb"), {}, {}, kFileFailed, false},
        {"an empty string", 2, {}, {}, {}, kFileFailed, false},
        {"a good server", 1, pg, server.user(), server.password(), kMade, true},
        {"a wrong password", 1, pg, server.user(), "wrong", kServerFailed, true},
        {"a closed port", 1, QStringLiteral("DRIVER=%1;SERVER=127.0.0.1;PORT=1;DATABASE=x").arg(lum::test::postgresOdbcDriver()),
         server.user(), server.password(), kServerFailed, false},
        {"no link", 0, {}, {}, {}, kMade, false},
    };
    form_->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsServer && !haveServer) continue;
        choose(c.mode);
        (c.mode == 1 ? form_->SQLServerName : form_->MDBConnection)->setText(c.connection);
        form_->SQLUserID->setText(c.user);
        form_->SQLPassword->setText(c.password);
        d_.expect(c.message == kMade ? MsgKind::Information : MsgKind::Error, c.message,
                  c.message == kMade ? MsgButton::Ok : MsgButton::Yes);
        form_->Setting->click();
        const bool made = c.message == kMade;
        EXPECT_EQ(app_->module().TavelundConnection.isOpen(), made && c.mode == 1);
        EXPECT_EQ(app_->module().AccessConnection.isOpen(), made && c.mode == 2);
        // The settings keep the new values, made or not.
        const TRegistory& s = app_->settings();
        EXPECT_EQ(s.ServFlg, c.mode);
        EXPECT_EQ(c.mode == 1 ? s.Tavelund : s.MDBConnection, c.mode == 0 ? s.MDBConnection : c.connection);
        EXPECT_EQ(s.ID, c.user);
        EXPECT_EQ(s.Password, c.password);
    }
    EXPECT_FALSE(QFile::exists(dir_.filePath("gone.mdb"))) << "a missing file is never created";
}

TEST_F(TavelundFormTest, ConfirmTestsTheTypedStringNotTheOpenLink) {
    // The link is open on a good file; a mistyped string must not be reported made.
    app_->useFile(good_);
    ASSERT_EQ(app_->module().EnsureLink(2), "");
    form_->show();
    form_->MDBConnection->setText(fileString("kaigo.mbd"));
    d_.expect(MsgKind::Error, kFileFailed, MsgButton::Yes);
    form_->Setting->click();
    EXPECT_FALSE(app_->module().AccessConnection.isOpen()) << "the link the settings name is not made";

    // Mode 0 closes any link and says so.
    form_->MDBConnection->setText(fileString("kaigo.mdb"));
    d_.expect(MsgKind::Information, kMade, MsgButton::Ok);
    form_->Setting->click();
    ASSERT_TRUE(app_->module().AccessConnection.isOpen());
    choose(0);
    d_.expect(MsgKind::Information, kMade, MsgButton::Ok);
    form_->Setting->click();
    EXPECT_FALSE(app_->module().AccessConnection.isOpen());
    EXPECT_FALSE(app_->module().TavelundConnection.isOpen());
}

TEST_F(TavelundFormTest, TheEditorStartsFromTheFieldAndWritesBackToIt) {
    form_->show();
    form_->MDBConnection->setText(fileString("typed.mdb"));
    // キャンセル leaves the field; the test tries what the editor shows.
    d_.expectModal("ConnectionStringDialog", [&](QDialog& dialog) {
        auto& e = static_cast<TConnectionStringDialog&>(dialog);
        EXPECT_EQ(e.ConnectionEdit->text(), fileString("typed.mdb"));
        EXPECT_TRUE(e.BrowseButton->isVisibleTo(&e));
        d_.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^接続テストに失敗しました。\n")), MsgButton::Ok);
        e.TestButton->click();
        e.ConnectionEdit->setText("changed");
        e.CancelButton->click();
        return e.result();
    });
    form_->MDBConfirm->click();
    EXPECT_EQ(form_->MDBConnection->text(), fileString("typed.mdb"));
    EXPECT_FALSE(QFile::exists(dir_.filePath("typed.mdb")));

    // 参照… puts the chosen file into the string; the test then succeeds; OK writes back.
    d_.expectModal("ConnectionStringDialog", [&](QDialog& dialog) {
        auto& e = static_cast<TConnectionStringDialog&>(dialog);
        d_.expectFile(lum::FileMode::Open, good_);
        e.BrowseButton->click();
        EXPECT_EQ(e.ConnectionEdit->text(), fileString("kaigo.mdb"));
        d_.expect(MsgKind::Information, "接続テストに成功しました。", MsgButton::Ok);
        e.TestButton->click();
        e.OkButton->click();
        return e.result();
    });
    form_->MDBConfirm->click();
    EXPECT_EQ(form_->MDBConnection->text(), fileString("kaigo.mdb"));
    EXPECT_FALSE(app_->module().AccessConnection.isOpen()) << "a test opens a connection of its own";

    // The server's editor has no file to choose; its test uses the user and password fields.
    form_->SQLServerName->setText("DRIVER={FreeTDS};SERVER=kaigo");
    d_.expectModal("ConnectionStringDialog", [&](QDialog& dialog) {
        auto& e = static_cast<TConnectionStringDialog&>(dialog);
        EXPECT_FALSE(e.BrowseButton->isVisibleTo(&e));
        e.ConnectionEdit->setText("DRIVER={FreeTDS};SERVER=kaigo2");
        e.OkButton->click();
        return e.result();
    });
    form_->SQLConfirm->click();
    EXPECT_EQ(form_->SQLServerName->text(), "DRIVER={FreeTDS};SERVER=kaigo2");
}

TEST_F(TavelundFormTest, TheValuesReachTheSettingsFileAtExit) {
    form_->show();
    choose(2);
    form_->MDBConnection->setText(fileString("kaigo.mdb"));
    form_->SQLServerName->setText("DRIVER={FreeTDS};SERVER=kaigo");
    form_->SQLUserID->setText("riha");
    form_->SQLPassword->setText("p;w");
    d_.expect(MsgKind::Information, kMade, MsgButton::Ok);
    form_->Setting->click();
    form_->CloseButton->click();
    EXPECT_FALSE(form_->isVisible());
    form_.reset();
    app_->endRun();
    TRegistory read;
    EXPECT_TRUE(read.ReadRegistry().isEmpty());
    EXPECT_EQ(read.ServFlg, 2);
    EXPECT_EQ(read.MDBConnection, fileString("kaigo.mdb"));
    EXPECT_EQ(read.Tavelund, "DRIVER={FreeTDS};SERVER=kaigo");
    EXPECT_EQ(read.ID, "riha");
    EXPECT_EQ(read.Password, "p;w");
}

}  // namespace
