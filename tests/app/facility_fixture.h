#pragma once
// A facility database for start-up tests, on SQLite and on PostgreSQL: the
// schema, three staff members, two logins and the facility row, named in the
// connection key of a fresh settings folder. Helpers script the login dialog.
// Instantiate with LUM_INSTANTIATE_DATABASE_TESTS.
#include "app/dbseting.h"
#include "app/login_form.h"
#include "app/registory.h"
#include "platform/db/database.h"
#include "platform/db/migrations.h"
#include "platform/settings/settings_key.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"
#include "temp_settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <memory>
#include <vector>

class FacilityTest : public TempSettingsTest, public ::testing::WithParamInterface<lum::db::Backend> {
protected:
    void SetUp() override {
        TempSettingsTest::SetUp();
        createDatabase();
    }

    // A new database (each call) on the backend of the case, named with its
    // user and password in the connection key.
    void createDatabase() {
        auto scratch = std::make_unique<lum::test::ScratchDatabase>();
        if (!scratch->create(GetParam())) {
            if (qEnvironmentVariable("CI") == u"true") FAIL() << scratch->skip().toStdString();
            GTEST_SKIP() << scratch->skip().toStdString();
        }
        auto db = scratch->open();
        lum::db::migrate(*db);
        // Staff out of CD order, two with the same name.
        sql(*db, "INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (7, '佐藤 花子', 'サ')");
        sql(*db, "INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (3, '鈴木 一郎', 'ス')");
        sql(*db, "INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (5, '佐藤 花子', 'ハ')");
        sql(*db, "INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES ('3', 'riha', '鈴木')");
        sql(*db, "INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES ('o''hara', 'pa''ss', 'オハラ')");
        sql(*db, "INSERT INTO Facilities (FACILITIES_NAME) VALUES ('みどり苑')");
        sql(*db, "INSERT INTO Facilities (FACILITIES_NAME) VALUES ('第二')");
        ASSERT_TRUE(TDBSeting::WriteRegistry(scratch->connectionString(), lum::test::testPgUser(),
                                             lum::test::testPgPassword()));
        databases_.push_back(std::move(scratch));
    }

    static void sql(lum::db::Database& db, const char* statement) { db.execute(QString::fromUtf8(statement)); }

    // Runs a statement on the test database from outside the application.
    void alter(const char* statement) {
        auto db = databases_.back()->open();
        sql(*db, statement);
    }

    void setLinkMode(qint32 mode, const QString& connection) {
        auto key = lum::SettingsKey::openOrCreate(TRegistory::KeyPath);
        key->writeInteger(QStringLiteral("ServFlg"), mode);
        key->writeText(mode == 1 ? QStringLiteral("Tavelund") : QStringLiteral("MDBConnection"), connection);
        ASSERT_TRUE(key->flush());
    }

    // The login dialog: type user and password, press ロ グ イ ン.
    static lum::ScriptedDialogs::ModalAction typeLogin(const QString& user, const QString& password) {
        return [user, password](QDialog& dialog) {
            auto& form = static_cast<TLoginForm&>(dialog);
            form.UserEdit->setText(user);
            form.PassEdit->setText(password);
            form.LogInBtn->click();
            return form.result();
        };
    }
    static void expectLogin(lum::ScriptedDialogs& d, const char* user, const char* password) {
        d.expectModal(QStringLiteral("LoginForm"), typeLogin(QString::fromUtf8(user), QString::fromUtf8(password)));
    }
    static void expectCancel(lum::ScriptedDialogs& d) {
        d.expectModal(QStringLiteral("LoginForm"), QDialog::Rejected);
    }
    static void expectUnknownLogin(lum::ScriptedDialogs& d) {
        d.expect(lum::MsgKind::Warning, QStringLiteral("ユーザー名またはパスワードが不明です"), lum::MsgButton::Yes);
    }

    std::vector<std::unique_ptr<lum::test::ScratchDatabase>> databases_;
};
