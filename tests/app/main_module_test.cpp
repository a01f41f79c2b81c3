// The data module: connection, link, staff list and facility, the login loop
// with its messages, and every failure on the way clearing the start-up flag.
#include "app/login_form.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "platform/db/facility_database.h"
#include "facility_fixture.h"
#include "support/linked_source_fixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <memory>

namespace {

using ::testing::ElementsAre;

class MainModuleTest : public FacilityTest {
protected:
    void TearDown() override {
        module_.reset();
        login_.reset();
        main_.reset();
        FacilityTest::TearDown();
    }
    // The first batch up to the data module, as start-up creates it.
    TMainModule& create() {
        main_ = std::make_unique<TMainForm>();
        MainForm = main_.get();
        main_->FormCreate();
        login_ = std::make_unique<TLoginForm>();
        LoginForm = login_.get();
        module_ = std::make_unique<TMainModule>();
        MainModule = module_.get();
        module_->FormCreate();
        return *module_;
    }

    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<TLoginForm> login_;
    std::unique_ptr<TMainModule> module_;
};

TEST_P(MainModuleTest, AGoodLoginLoadsStaffAndFacilityAndKeepsTheFlag) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    TMainModule& m = create();
    EXPECT_EQ(main_->StartupOK, 1);
    EXPECT_EQ(m.LoginStaffCD, QStringLiteral("3"));
    EXPECT_EQ(m.LoginName, QStringLiteral("鈴木"));
    EXPECT_EQ(m.FacilityName, QStringLiteral("みどり苑"));
    EXPECT_EQ(m.StuffCount, 3);
    EXPECT_THAT(m.StuffCD, ElementsAre(3, 5, 7));
    EXPECT_EQ(m.StuffNames, (QStringList{"鈴木 一郎", "佐藤 花子", "佐藤 花子"}));
    ASSERT_TRUE(m.RIHADatabase && m.RIHADatabase->isOpen());
    EXPECT_EQ(lum::facilityDatabase(), m.RIHADatabase.get()) << "handed to the shared dialogs";
    EXPECT_FALSE(m.TavelundConnection.isOpen());
    EXPECT_FALSE(m.AccessConnection.isOpen());
    module_.reset();
    EXPECT_EQ(lum::facilityDatabase(), nullptr);
}

TEST_P(MainModuleTest, StaffLookups) {
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    const TMainModule& m = create();
    EXPECT_EQ(m.IndexOfStuff(5), 1);
    EXPECT_EQ(m.IndexOfStuff(4), -1);
    EXPECT_EQ(m.GetStuffName(7), QStringLiteral("佐藤 花子"));
    EXPECT_EQ(m.GetStuffName(-1), QString());
    EXPECT_EQ(m.GetStuffKigo(5), QStringLiteral("ハ"));
    EXPECT_EQ(m.GetStuffKigo(99), QString());
    EXPECT_EQ(m.GetStuffCD(QStringLiteral("佐藤 花子")), 5) << "the smaller CD of two equal names";
    EXPECT_EQ(m.GetStuffCD(QStringLiteral("佐藤")), -1);
    QString out = QStringLiteral("old");
    m.GetStuffName(99, out);
    EXPECT_TRUE(out.isEmpty());
}

TEST_P(MainModuleTest, AnEmptyStaffTableGivesAnEmptyList) {
    alter("DELETE FROM KaigoStuff");
    lum::ScriptedDialogs d;
    expectLogin(d, "3", "riha");
    const TMainModule& m = create();
    EXPECT_EQ(m.StuffCount, 0);
    EXPECT_TRUE(m.StuffNames.isEmpty());
    EXPECT_EQ(m.IndexOfStuff(3), -1);
    EXPECT_EQ(m.GetStuffName(3), QString());
    EXPECT_EQ(main_->StartupOK, 1);
}

TEST_P(MainModuleTest, LoginLoop) {
    struct Try {
        const char* user;  // nullptr: the dialog is cancelled
        const char* password;
    };
    struct Case {
        const char* name;
        std::vector<Try> tries;
        bool loggedIn;
        const char* staffCd;
    };
    const Case cases[] = {
        {"cancel", {{nullptr, nullptr}}, false, ""},
        {"three wrong", {{"3", "x"}, {"3", "RIHA"}, {"4", "riha"}}, false, ""},
        {"wrong then right", {{"3", "x"}, {"3", "riha"}}, true, "3"},
        {"wrong then cancel", {{"3", "x"}, {nullptr, nullptr}}, false, ""},
        {"quotes matched literally", {{"o'hara", "pa'ss"}}, true, "o'hara"},
        {"a quote cannot open the filter", {{"3' OR '1'='1", "' OR '1'='1"}, {"3", "riha"}}, true, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lum::ScriptedDialogs d;
        for (const Try& t : c.tries) {
            if (!t.user) {
                expectCancel(d);
                continue;
            }
            expectLogin(d, t.user, t.password);
            const bool last = &t == &c.tries.back();
            if (!(last && c.loggedIn)) expectUnknownLogin(d);
        }
        const TMainModule& m = create();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(main_->StartupOK, c.loggedIn ? 1 : 0);
        EXPECT_EQ(m.LoginStaffCD, QString::fromUtf8(c.staffCd));
        module_.reset();
        login_.reset();
        main_.reset();
    }
}

TEST_P(MainModuleTest, FailuresBeforeTheLoginStopStartUpWithTheirMessage) {
    struct Case {
        const char* statement;  // run on the database first
        const char* message;
    };
    const Case cases[] = {
        {"DROP TABLE LoginUser",
         "System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。"},
        {"DROP TABLE KaigoStuff", "System DB Read Error:\n職員の一覧を読み込めませんでした。\nシステムを終了します。"},
        {"DROP TABLE Facilities", "System DB Read Error:\n施設名を読み込めませんでした。\nシステムを終了します。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        createDatabase();
        alter(c.statement);
        lum::ScriptedDialogs d;
        d.expect(lum::MsgKind::Error, QString::fromUtf8(c.message), lum::MsgButton::Yes);
        create();
        EXPECT_EQ(main_->StartupOK, 0);
        EXPECT_TRUE(d.modals().isEmpty()) << "nobody is asked to log in";
        module_.reset();
        login_.reset();
        main_.reset();
    }
}

TEST_P(MainModuleTest, ADatabaseOfAnotherSchemaVersionStopsStartUpWithWhatToDo) {
    alter("DELETE FROM SchemaVersion");
    lum::ScriptedDialogs d;
    d.expect(lum::MsgKind::Error,
             QStringLiteral("System Error\nデータベースの版が 0 です（このプログラムは版 %1）。"
                            "lumorind-setup init で作成・更新してください。\nシステムを終了します。")
                 .arg(lum::db::latestSchemaVersion()),
             lum::MsgButton::Yes);
    create();
    EXPECT_EQ(main_->StartupOK, 0);
    EXPECT_TRUE(d.modals().isEmpty()) << "nobody is asked to log in";
}

TEST_P(MainModuleTest, AConnectionValueOfTheWrongTypeIsReportedAndStopsStartUp) {
    {
        auto key = lum::SettingsKey::openOrCreate(TDBSeting::KeyPath);
        key->writeInteger(QStringLiteral("Connection"), 1);
        ASSERT_TRUE(key->flush());
    }
    lum::ScriptedDialogs d;
    d.expect(lum::MsgKind::Error, lum::MsgButton::Ok);  // the settings value, named
    d.expect(lum::MsgKind::Error, QStringLiteral("接続に失敗しました。\nシステムを停止します。"), lum::MsgButton::Yes);
    create();
    EXPECT_EQ(main_->StartupOK, 0);
    ASSERT_FALSE(d.messages().isEmpty());
    EXPECT_TRUE(d.messages().first().text.contains(QStringLiteral("Connection")));
}

TEST_P(MainModuleTest, AFailedLinkIsReportedAndStartUpGoesOn) {
    struct Case {
        qint32 mode;
        const char* message;
    };
    const Case cases[] = {{1, "System Open Error\nTavelund接続を終了します。"},
                          {2, "System Open Error\nシステムを終了します。"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setLinkMode(c.mode, QStringLiteral("DSN=lumorind-no-such-source"));
        lum::ScriptedDialogs d;
        d.expect(lum::MsgKind::Error, QString::fromUtf8(c.message), lum::MsgButton::Yes);
        expectLogin(d, "3", "riha");
        const TMainModule& m = create();
        EXPECT_EQ(main_->StartupOK, 1);
        EXPECT_FALSE(m.TavelundConnection.isOpen());
        EXPECT_FALSE(m.AccessConnection.isOpen());
        module_.reset();
        login_.reset();
        main_.reset();
    }
}

TEST_P(MainModuleTest, TheStartUpLinkOpensTheSettingsFileButNeverCreatesOne) {
    LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                            QStringLiteral("the SQLite ODBC driver is not installed"));
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("kaigo.mdb"));
    lum::test::writeLinkedFile(good, {});
    const QString missing = dir.filePath(QStringLiteral("gone.mdb"));
    for (const QString& file : {good, missing}) {
        SCOPED_TRACE(file.toStdString());
        setLinkMode(2, lum::test::sqliteOdbcString(file));
        lum::ScriptedDialogs d;
        if (file == missing) {
            d.expect(lum::MsgKind::Error, QStringLiteral("System Open Error\nシステムを終了します。"), lum::MsgButton::Yes);
        }
        expectLogin(d, "3", "riha");
        const TMainModule& m = create();
        EXPECT_EQ(main_->StartupOK, 1);
        EXPECT_EQ(m.AccessConnection.isOpen(), file == good);
        EXPECT_FALSE(m.TavelundConnection.isOpen());
        module_.reset();
        EXPECT_FALSE(QFile::exists(missing));
        login_.reset();
        main_.reset();
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(MainModuleTest);

}  // namespace
