// The registration's インポート on both facility backends, over a linked
// file read through the SQLite ODBC driver: a picked client fills the inputs
// and is stored by 保存; values the other system lacks arrive empty, so 保存
// asks; cancelling, a failed picker and no link change nothing; the import
// never writes and never looks a stored client up.
#include "clients/user_regist_form.h"

#include "clients/linked_user_form.h"
#include "clients/person_store.h"
#include "clients/user_search_form.h"
#include "common/era_text.h"
#include "linked_app.h"
#include "linked_rows.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class UserRegistImportTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                                QStringLiteral("the SQLite ODBC driver is not installed"));
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath(QStringLiteral("kaigo.mdb"));
        lum::test::writeLinkedFile(file_, linked_rows::stored());
        app_ = std::make_unique<LinkedApp>();
        app_->useFile(file_);
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        form_ = std::make_unique<TUserRegistForm>();
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        delete AccessUserForm;
        delete TavelundUserForm;
        delete UserSearchForm;
        scope_.reset();
        app_.reset();
        DatabaseTest::TearDown();
    }

    TUserRegistForm& f() { return *form_; }

    // The picker as the user works it: click the client's row, 確定.
    static lum::ScriptedDialogs::ModalAction pickRow(int sid) {
        return [sid](QDialog& dialog) {
            auto& p = static_cast<TLinkedUserForm&>(dialog);
            int row = -1;
            for (int r = 0; r < int(p.Rows().size()); ++r)
                if (p.Rows()[r].Sid == sid) row = r;
            EXPECT_GE(row, 0) << "the client is listed";
            if (row < 0) return int(QDialog::Rejected);
            const QRect cell = p.DBGrid1->visualRect(p.DBGrid1->model()->index(row, 1));
            QTest::mouseClick(p.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            QApplication::processEvents();
            p.ReturnBtn->click();
            return p.result();
        };
    }
    void import(int sid) {
        lum::ScriptedDialogs d;
        d.expectModal("AccessUserForm", pickRow(sid));
        f().ImportBtn->click();
    }
    void completeCareFields() {
        f().RihaTypeBox->setCurrentIndex(0);
        emit f().RihaTypeBox->activated(0);
        f().NyushoDayPicker->setDate(QDate(2024, 4, 1));
    }
    // Every input's text, to see that nothing changed.
    QStringList inputs() {
        QStringList out;
        for (QLineEdit* e : f().findChildren<QLineEdit*>()) out << e->objectName() + u'=' + e->text();
        for (QComboBox* b : f().findChildren<QComboBox*>()) out << b->objectName() + u'=' + QString::number(b->currentIndex());
        out << f().CureNo->text();
        return out;
    }
    std::vector<TPerson> stored() { return lum::PersonStore(db()).all(); }

    QTemporaryDir dir_;
    QString file_;
    std::unique_ptr<LinkedApp> app_;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserRegistForm> form_;
};

TEST_P(UserRegistImportTest, APickedClientFillsTheInputsAndSaveStoresIt) {
    EXPECT_TRUE(f().ImportBtn->isEnabled()) << "a link is set";
    f().NewBtn->click();
    import(3);
    EXPECT_EQ(f().RegistName->text(), "山田　太郎");
    EXPECT_EQ(f().RegistKanaName->text(), "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(f().TavelundUserNoEdit->text(), "3");
    EXPECT_EQ(f().SexBox->currentIndex(), 0);
    EXPECT_EQ(f().BirthDay->text(), "昭和15年04月01日");
    EXPECT_EQ(f().UbinNo->text(), "123-4567");
    EXPECT_EQ(f().Address->text(), "東京都千代田区千代田1-1");
    EXPECT_EQ(f().TelNo->text(), "03-1234-5678");
    EXPECT_EQ(f().FaxNo->text(), "03-1234-5679");
    EXPECT_TRUE(f().IsInputModified()) << "closing now would ask";
    EXPECT_TRUE(stored().empty()) << "the import writes nothing";

    completeCareFields();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, "登録しました", MsgButton::Ok);
    f().SaveBtn->click();
    const std::vector<TPerson> rows = stored();
    ASSERT_EQ(rows.size(), 1u);
    const TPerson& p = rows.front();
    EXPECT_EQ(QString::number(p.CureNo), f().CureNo->text());
    EXPECT_EQ(p.Name, "山田　太郎");
    EXPECT_EQ(p.Kana, "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(p.TavelundUserNo, 3);
    EXPECT_EQ(p.Sex, 0);
    EXPECT_EQ(p.Birth, TDateTime::fromYmd(1940, 4, 1));
    EXPECT_EQ(p.YoubinNo, "123-4567");
    EXPECT_EQ(p.Address, "東京都千代田区千代田1-1");
    EXPECT_EQ(p.TelNo, "03-1234-5678");
    EXPECT_EQ(p.FaxNo, "03-1234-5679");

    // The next one, a woman whose address holds quotes, straight after 新規.
    f().NewBtn->click();
    import(12);
    EXPECT_EQ(f().SexBox->currentIndex(), 1);
    EXPECT_EQ(f().BirthDay->text(), "昭和10年12月31日");
    EXPECT_EQ(f().FaxNo->text(), "");
    completeCareFields();
    d.expect(MsgKind::Information, "登録しました", MsgButton::Ok);
    f().SaveBtn->click();
    ASSERT_EQ(stored().size(), 2u);
    EXPECT_EQ(stored().back().Address, "さいたま市浦和区常盤9-9 'みどり'荘");
    EXPECT_EQ(stored().back().Sex, 1);
}

TEST_P(UserRegistImportTest, WhatTheOtherSystemLacksArrivesEmptySoSaveAsks) {
    f().NewBtn->click();
    f().BirthDay->setText("昭和20年01月01日");
    f().SexBox->setCurrentIndex(1);
    import(25);  // no sex, a Birth that is no date
    EXPECT_EQ(f().RegistName->text(), "O'Brien　ジョン");
    EXPECT_EQ(f().SexBox->currentIndex(), -1) << "no 男性 made up";
    TDateTime date;
    EXPECT_FALSE(lum::EraTextToDate(f().BirthDay->text(), date)) << "no 明治32年12月30日 made up";
    completeCareFields();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, "生年月日の日付けが不明です。", MsgButton::Ok);
    f().SaveBtn->click();
    f().BirthDatePicker->setDate(QDate(1945, 8, 1));
    d.expect(MsgKind::Information, "性別の指定が必要です。", MsgButton::Ok);
    f().SaveBtn->click();
    EXPECT_TRUE(stored().empty());

    import(7);  // true stored as -1, no birth
    EXPECT_EQ(f().SexBox->currentIndex(), 1);
    EXPECT_FALSE(lum::EraTextToDate(f().BirthDay->text(), date));
}

TEST_P(UserRegistImportTest, CancelAFailedPickerAndNoLinkChangeNothing) {
    f().NewBtn->click();
    f().RegistName->setText("入力中");
    f().Address->setText("手入力の住所");
    f().SexBox->setCurrentIndex(1);
    const QStringList before = inputs();
    {
        lum::ScriptedDialogs d;
        d.expectModal("AccessUserForm", [](QDialog& dialog) {
            auto& p = static_cast<TLinkedUserForm&>(dialog);
            const QRect cell = p.DBGrid1->visualRect(p.DBGrid1->model()->index(0, 1));
            QTest::mouseClick(p.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            QApplication::processEvents();
            p.Button1->click();
            return p.result();
        });
        f().ImportBtn->click();
    }
    EXPECT_EQ(inputs(), before) << "キャンセル";

    // Settings that point at nothing, as after the link settings' 確定 (which closes the link).
    app_->settings().MDBConnection = lum::test::sqliteOdbcString(dir_.filePath("gone.mdb"));
    app_->module().CloseLinks();
    {
        lum::ScriptedDialogs d;
        d.expectModal("AccessUserForm", [](QDialog& dialog) {
            auto& p = static_cast<TLinkedUserForm&>(dialog);
            EXPECT_FALSE(p.ReturnBtn->isEnabled());
            p.Button1->click();
            return p.result();
        });
        d.expect(MsgKind::Error, "System Error\nAccessの使用設定を確認してください。\nシステムを終了します。", MsgButton::Yes);
        f().ImportBtn->click();
    }
    EXPECT_EQ(inputs(), before) << "a source that cannot be read";
    EXPECT_FALSE(QFile::exists(dir_.filePath("gone.mdb")));

    for (qint32 mode : {0, 3, -1}) {
        SCOPED_TRACE(mode);
        app_->settings().ServFlg = mode;
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, "データ取り込みの設定がありません。", MsgButton::Ok);
        f().ImportBtn->click();
        EXPECT_EQ(inputs(), before) << "no link";
    }
    EXPECT_TRUE(stored().empty());
}

TEST_P(UserRegistImportTest, AnImportIntoAnOpenedClientSavesOnlyThatRow) {
    // A stored client who is linked client 3 already, and the one opened.
    TPerson linked;
    linked.Name = "山田　太郎";
    linked.Kana = "ﾔﾏﾀﾞ ﾀﾛｳ";
    linked.TavelundUserNo = 3;
    linked.RihaType = 0;
    linked.NYUSHOBI_YMD = TDateTime::fromYmd(2020, 4, 1);
    linked.Birth = TDateTime::fromYmd(1940, 4, 1);
    TPerson opened = linked;
    opened.Name = "別人　花子";
    opened.Kana = "ﾍﾞﾂｼﾞﾝ ﾊﾅｺ";
    opened.TavelundUserNo = 0;
    opened.Sex = 1;
    lum::PersonStore store(db());
    const int linkedNo = store.insert(linked);
    const int openedNo = store.insert(opened);

    {
        lum::ScriptedDialogs d;
        d.expectModal("TUserSearchForm", [openedNo](QDialog& dialog) {
            auto& s = static_cast<TUserSearchForm&>(dialog);
            s.RegistCureNo->setText(QString::number(openedNo));
            s.CureNoButton->click();
            QTableWidget* grid = s.DBGrid1;
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
            QApplication::processEvents();
            s.DecideButton->click();
            return s.result();
        });
        f().OpenBtn->click();
    }
    ASSERT_EQ(f().CureNo->text(), QString::number(openedNo));
    import(3);
    EXPECT_EQ(f().CureNo->text(), QString::number(openedNo)) << "the row on screen stays the one opened";
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, "登録しました", MsgButton::Ok);
    f().SaveBtn->click();
    const std::vector<TPerson> rows = stored();
    ASSERT_EQ(rows.size(), 2u) << "no row added";
    EXPECT_EQ(store.find(openedNo)->Name, "山田　太郎");
    EXPECT_EQ(store.find(openedNo)->TavelundUserNo, 3);
    EXPECT_EQ(store.find(linkedNo)->Name, "山田　太郎");
    EXPECT_EQ(store.find(linkedNo)->NYUSHOBI_YMD, TDateTime::fromYmd(2020, 4, 1)) << "the other row is untouched";
}

TEST_P(UserRegistImportTest, AnImportBeforeNewStartsANewClient) {
    ASSERT_FALSE(f().MainPanel->isVisible());
    import(8);
    EXPECT_TRUE(f().MainPanel->isVisible());
    EXPECT_EQ(f().Mode, 1);
    EXPECT_EQ(f().RegistName->text(), "渡辺　トミ");
    EXPECT_TRUE(f().SaveBtn->isEnabled());
}

LUM_INSTANTIATE_DATABASE_TESTS(UserRegistImportTest);

}  // namespace
