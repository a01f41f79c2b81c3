// The client registration window on both backends, driven by its control
// names: a client of each rehabilitation type registered, found again by
// number, kana row and name and reopened with every field; each validation
// message on its bad input; the duplicate question; a second episode saved
// for a new start date; update and delete with their failures; the close
// question, the import message and the stock-phrase boxes.
#include "clients/user_regist_form.h"

#include "widgets/comment_form.h"
#include "widgets/comment_store.h"
#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "widgets/ime.h"
#include "platform/db/facility_database.h"
#include "clients/person_store.h"
#include "clients/user_search_form.h"
#include "platform/clock.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kSaved = QStringLiteral("登録しました");

TDateTime eraDate(const QString& text) {
    TDateTime date;
    EXPECT_TRUE(lum::EraTextToDate(text, date)) << text.toStdString();
    return date;
}

// What the user types for one client.
struct Client {
    QString name = "山田太郎";
    QString kana = "ﾔﾏﾀﾞ ﾀﾛｳ";
    QString birthKeys = "S150401";  // 昭和15年04月01日, typed key by key
    int sex = 0;
    QString distinctive = "右片麻痺";
    QString room = "201";
    QString postal = "123-4567";
    QString address = "東京都千代田区1-1";
    QString tel = "03-1234-5678";
    QString fax = "03-1234-5679";
    QString email = "taro@example.jp";
    QString tavelund = "12";
    int type = 0;
    bool tanki = false, ninchi = false, shudan = false, kobetsu = false;
    QString kijun;   // era text, only for the types that offer it
    int jiritsu = 1, ninchi_kbn = 2, youkaigo = 3;
    QString taiin = "平成14年04月20日";
    QString nyusho = "平成14年05月01日";
    QString taisho;  // empty: none
    std::array<QString, 6> diseases = {"脳梗塞", "高血圧", "", "", "", "糖尿病"};
};

class UserRegistTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        form_ = std::make_unique<TUserRegistForm>();
        form_->show();
        form_->activateWindow();
    }
    void TearDown() override {
        form_.reset();
        delete UserSearchForm;
        delete CommentForm;
        scope_.reset();
        DatabaseTest::TearDown();
    }

    TUserRegistForm& f() { return *form_; }

    void chooseType(int type) {
        f().RihaTypeBox->setCurrentIndex(type);
        emit f().RihaTypeBox->activated(type);
    }
    void typeDate(QLineEdit* edit, const QString& keys) {
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, keys);
    }
    void fill(const Client& c) {
        f().RegistName->setText(c.name);
        f().RegistKanaName->setText(c.kana);
        typeDate(f().BirthDay, c.birthKeys);
        f().SexBox->setCurrentIndex(c.sex);
        f().distinctive->setText(c.distinctive);
        f().RoomBox->setEditText(c.room);
        f().UbinNo->setText(c.postal);
        f().Address->setText(c.address);
        f().TelNo->setText(c.tel);
        f().FaxNo->setText(c.fax);
        f().EMailEdit->setText(c.email);
        f().TavelundUserNoEdit->setText(c.tavelund);
        chooseType(c.type);
        for (auto [box, on] : {std::pair{f().TankiBox, c.tanki}, std::pair{f().NinchiBox, c.ninchi},
                               std::pair{f().ShuudanBox, c.shudan}, std::pair{f().KobetsuBox, c.kobetsu}}) {
            if (on) box->click();
        }
        if (!c.kijun.isEmpty()) f().KijunEdit->setText(c.kijun);
        f().JiritsudoBox->setCurrentIndex(c.jiritsu);
        f().NinchidoBox->setCurrentIndex(c.ninchi_kbn);
        f().YoukaigodoBox->setCurrentIndex(c.youkaigo);
        if (!c.taiin.isEmpty()) f().TaiinDay->setText(c.taiin);
        if (!c.nyusho.isEmpty()) f().NyushoDay->setText(c.nyusho);
        if (!c.taisho.isEmpty()) f().TaishoDay->setText(c.taisho);
        for (int i = 0; i < 6; ++i) f().ShikanNameBoxes[i]->setEditText(c.diseases[i]);
    }
    // New, fill, save; gives the number shown.
    int registerClient(const Client& c) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
        f().NewBtn->click();
        fill(c);
        f().SaveBtn->click();
        return f().CureNo->text().toInt();
    }

    enum class Find { Number, KanaRow, Name };
    // The client search as the user works it: search, click the row, 確定.
    static lum::ScriptedDialogs::ModalAction pick(Find how, QString value, int expectedCureNo) {
        return [how, value, expectedCureNo](QDialog& dialog) {
            auto& s = static_cast<TUserSearchForm&>(dialog);
            switch (how) {
            case Find::Number:
                s.RegistCureNo->setText(value);
                s.CureNoButton->click();
                break;
            case Find::KanaRow: s.findChild<QPushButton*>(value)->click(); break;
            case Find::Name:
                s.RegistName->setText(value);
                s.UserSearchBtn->click();
                break;
            }
            int row = -1;
            for (int r = 0; r < int(s.Rows().size()); ++r)
                if (s.Rows()[r].CureNo == expectedCureNo) row = r;
            EXPECT_GE(row, 0) << "the client is listed";
            if (row < 0) return int(QDialog::Rejected);
            QTableWidget* grid = s.DBGrid1;
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 1)).center());
            QCoreApplication::processEvents();
            s.DecideButton->click();
            return s.result();
        };
    }
    void open(Find how, const QString& value, int cureNo) {
        lum::ScriptedDialogs d;
        d.expectModal("TUserSearchForm", pick(how, value, cureNo));
        f().OpenBtn->click();
    }

    void expectShows(const Client& c, int cureNo) {
        EXPECT_EQ(f().CureNo->text(), QString::number(cureNo));
        EXPECT_EQ(f().RegistName->text(), c.name);
        EXPECT_EQ(f().RegistKanaName->text(), c.kana);
        EXPECT_EQ(f().BirthDay->text(), "昭和15年04月01日");
        EXPECT_EQ(f().BirthDatePicker->date(), QDate(1940, 4, 1));
        EXPECT_EQ(f().SexBox->currentIndex(), c.sex);
        EXPECT_EQ(f().distinctive->text(), c.distinctive);
        EXPECT_EQ(f().RoomBox->currentText(), c.room);
        EXPECT_EQ(f().UbinNo->text(), c.postal);
        EXPECT_EQ(f().Address->text(), c.address);
        EXPECT_EQ(f().TelNo->text(), c.tel);
        EXPECT_EQ(f().FaxNo->text(), c.fax);
        EXPECT_EQ(f().EMailEdit->text(), c.email);
        EXPECT_EQ(f().TavelundUserNoEdit->text(), c.tavelund);
        EXPECT_EQ(f().RihaTypeBox->currentIndex(), c.type);
        EXPECT_EQ(f().TankiBox->isChecked(), c.tanki);
        EXPECT_EQ(f().NinchiBox->isChecked(), c.ninchi);
        EXPECT_EQ(f().ShuudanBox->isChecked(), c.shudan);
        EXPECT_EQ(f().KobetsuBox->isChecked(), c.kobetsu);
        if (!c.kijun.isEmpty()) {
            EXPECT_EQ(f().KijunEdit->text(), c.kijun);
        }
        EXPECT_EQ(f().JiritsudoBox->currentIndex(), c.jiritsu);
        EXPECT_EQ(f().NinchidoBox->currentIndex(), c.ninchi_kbn);
        EXPECT_EQ(f().YoukaigodoBox->currentIndex(), c.youkaigo);
        EXPECT_EQ(f().TaiinDay->text(), c.taiin);
        EXPECT_EQ(f().NyushoDay->text(), c.nyusho);
        EXPECT_EQ(f().TaishoDay->text(), c.taisho.isEmpty() ? QStringLiteral("＿＿__年__月__日") : c.taisho);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(f().ShikanNameBoxes[i]->currentText(), c.diseases[i]) << i;
    }

    lum::FixedClock clock_{QDateTime(QDate(2002, 6, 10), QTime(9, 30))};
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserRegistForm> form_;
};

TEST_P(UserRegistTest, EachTypeIsRegisteredFoundAndReopened) {
    struct Case {
        int type;
        std::array<bool, 4> offered;  // 短期集中 認知症 集団 個別
        bool kijun;
        Find how;
        const char* findBy;
        Client client;
    };
    Client c0, c1, c2, c3;
    c0.tanki = c0.kobetsu = true;
    c1.name = "蒲生花子", c1.kana = "ｶﾞﾓｳ ﾊﾅｺ", c1.sex = 1, c1.type = 1, c1.shudan = true, c1.tavelund = "";
    c1.taisho = "平成14年05月01日";  // leaving on the start day is allowed
    c2.name = "和田一郎", c2.kana = "ﾜﾀﾞ ｲﾁﾛｳ", c2.type = 2, c2.ninchi = c2.kobetsu = true, c2.kijun = "平成14年06月01日";
    c3.name = "安藤四郎", c3.kana = "ｱﾝﾄﾞｳ ｼﾛｳ", c3.type = 3, c3.tanki = true, c3.kijun = "平成14年05月15日";
    c3.taisho = "平成15年03月31日";
    const Case cases[] = {
        {0, {true, true, true, true}, false, Find::Number, "", c0},
        {1, {true, true, true, true}, false, Find::KanaRow, "KBtn", c1},
        {2, {true, true, true, true}, true, Find::Name, "和田", c2},
        {3, {true, true, false, false}, true, Find::KanaRow, "ABtn", c3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        f().NewBtn->click();
        chooseType(k.type);
        EXPECT_TRUE(f().ShuruiLabel->isVisibleTo(&f()));
        EXPECT_EQ(f().TankiBox->isVisibleTo(&f()), k.offered[0]);
        EXPECT_EQ(f().NinchiBox->isVisibleTo(&f()), k.offered[1]);
        EXPECT_EQ(f().ShuudanBox->isVisibleTo(&f()), k.offered[2]);
        EXPECT_EQ(f().KobetsuBox->isVisibleTo(&f()), k.offered[3]);
        EXPECT_EQ(f().KijunEdit->isVisibleTo(&f()), k.kijun);
        EXPECT_EQ(f().KijunDatePicker->isVisibleTo(&f()), k.kijun);

        const int number = registerClient(k.client);
        ASSERT_GT(number, 0);
        EXPECT_EQ(f().Mode, 0);
        const auto stored = lum::PersonStore(db()).find(number);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->Reserve, (std::array<TDateTime, 7>{})) << "a new client has no weekly requests";
        EXPECT_EQ(stored->Funn, (std::array<int, 7>{}));
        EXPECT_EQ(stored->KubunDate, k.kijun ? eraDate(k.client.kijun)
                                             : TDateTime::fromDateTime(QDateTime(QDate(2002, 6, 10), QTime(9, 30))));

        f().NewBtn->click();  // a clean window, then find the client again
        open(k.how, k.how == Find::Number ? QString::number(number) : QString::fromUtf8(k.findBy), number);
        expectShows(k.client, number);
        EXPECT_EQ(f().Mode, 0);
        EXPECT_TRUE(f().SaveBtn->isEnabled());
        f().UpdateFileMenu();
        EXPECT_TRUE(f().DeleteMenu->isEnabled());
        EXPECT_FALSE(f().IsInputModified()) << "an opened client is unchanged";
    }
}

TEST_P(UserRegistTest, EachBadInputHasItsMessage) {
    const QString over18 = "入力文字数がオーバーしています。\n半角18文字以内で入力してください。";
    struct Case {
        const char* what;
        std::function<void(Client&)> change;
        QString message;
        const char* focus;
    };
    const Case cases[] = {
        {"name of 11 full-width characters", [](Client& c) { c.name = QString(11, u'山'); },
         "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。", "RegistName"},
        {"no name", [](Client& c) { c.name = ""; }, "氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。",
         "RegistName"},
        {"kana of 21 bytes", [](Client& c) { c.kana = QString(21, u'ｱ'); },
         "カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。", "RegistKanaName"},
        {"no kana", [](Client& c) { c.kana = ""; }, "カナの入力が必要です。\n半角20文字以内で入力してください。",
         "RegistKanaName"},
        {"no birth", [](Client& c) { c.birthKeys = "S15"; }, "生年月日の日付けが不明です。", "BirthDay"},
        {"no sex", [](Client& c) { c.sex = -1; }, "性別の指定が必要です。", "SexBox"},
        {"distinctive of 191 bytes", [](Client& c) { c.distinctive = QString(95, u'特') + "a"; },
         "入力文字数がオーバーしています。\n半角190文字・全角95文字以内で入力してください。", "distinctive"},
        {"room of 39 bytes", [](Client& c) { c.room = QString(19, u'室') + "a"; },
         "入力文字数がオーバーしています。\n半角38文字・全角19文字以内で入力してください。", "RoomBox"},
        {"address of 111 bytes", [](Client& c) { c.address = QString(55, u'町') + "1"; },
         "入力文字数がオーバーしています。\n半角110文字・全角55文字以内で入力してください。", "Address"},
        {"tel of 19", [](Client& c) { c.tel = QString(19, u'0'); }, over18, "TelNo"},
        {"fax of 19", [](Client& c) { c.fax = QString(19, u'0'); }, over18, "FaxNo"},
        {"e-mail of 79", [](Client& c) { c.email = QString(79, u'm'); },
         "入力文字数がオーバーしています。\n半角78文字以内で入力してください。", "EMailEdit"},
        {"linked number 1a", [](Client& c) { c.tavelund = "1a"; }, "", "TavelundUserNoEdit"},
        {"no type", [](Client& c) { c.type = -1; }, "リハビリ形態は入力必須項目です。", "RihaTypeBox"},
        {"no start", [](Client& c) { c.nyusho = ""; }, "利用開始日は入力必須項目です。", "NyushoDay"},
        {"leaving a day early", [](Client& c) { c.taisho = "平成14年04月30日"; },
         "退所(終了)日<入所日:日付エラーです。", "TaishoDay"},
        {"disease of 41 bytes", [](Client& c) { c.diseases[3] = QString(20, u'病') + "a"; },
         "入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。", "ShikanName4Box"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        lum::ScriptedDialogs d;
        f().NewBtn->click();
        Client c;
        k.change(c);
        fill(c);
        if (!k.message.isEmpty()) d.expect(MsgKind::Information, k.message, MsgButton::Ok);
        f().SaveBtn->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        ASSERT_NE(f().focusWidget(), nullptr);
        const QWidget* focused = f().focusWidget();
        const QString focusName = focused->objectName().isEmpty() && focused->parentWidget()
                                      ? focused->parentWidget()->objectName()
                                      : focused->objectName();
        EXPECT_EQ(focusName.toStdString(), k.focus);
        EXPECT_TRUE(f().SaveBtn->isEnabled()) << "保存 can be pressed again";
        EXPECT_EQ(f().CureNo->text(), "") << "nothing saved";
    }
    EXPECT_TRUE(lum::PersonStore(db()).all().empty());
}

TEST_P(UserRegistTest, TheSamePersonTwiceIsADuplicateUnlessTheStartDiffers) {
    Client c;
    const int first = registerClient(c);
    ASSERT_GT(first, 0);

    // Blanks around the kana: the check cuts the family and given parts
    // from the kana as validated, so they still match.
    lum::ScriptedDialogs d;
    f().NewBtn->click();
    Client again = c;
    again.kana = "  ﾔﾏﾀﾞ  ﾀﾛｳ ";
    fill(again);
    d.expect(MsgKind::Warning, "すでに登録済みです。\n確認して下さい。", MsgButton::Yes);
    f().SaveBtn->click();
    EXPECT_FALSE(f().SaveBtn->isEnabled()) << "保存 waits for 新規 or 開く";
    EXPECT_EQ(lum::PersonStore(db()).all().size(), 1u);

    // Another start date: a second episode.
    Client later = c;
    later.nyusho = "平成15年04月01日";
    const int second = registerClient(later);
    EXPECT_GT(second, first);
    EXPECT_EQ(lum::PersonStore(db()).all().size(), 2u);

    // A kana without a blank never counts as a duplicate.
    Client oneWord;
    oneWord.kana = "ﾔﾏﾀﾞﾀﾛｳ";
    EXPECT_GT(registerClient(oneWord), second);
    EXPECT_GT(registerClient(oneWord), second);
}

TEST_P(UserRegistTest, SaveForANewStartDateMakesASecondEpisode) {
    Client c;
    const int first = registerClient(c);
    f().NewBtn->click();
    open(Find::Number, QString::number(first), first);
    f().NyushoDay->setText("平成16年04月01日");

    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveAsNewMenu->trigger();
    const int second = f().CureNo->text().toInt();
    EXPECT_GT(second, first);
    EXPECT_EQ(f().Mode, 0);
    const auto a = lum::PersonStore(db()).find(first);
    const auto b = lum::PersonStore(db()).find(second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->NYUSHOBI_YMD, TDateTime::fromYmd(2002, 5, 1)) << "the first episode is untouched";
    EXPECT_EQ(b->NYUSHOBI_YMD, TDateTime::fromYmd(2004, 4, 1));
    EXPECT_EQ(b->Name, a->Name);
    EXPECT_EQ(b->Disease, a->Disease);
}

TEST_P(UserRegistTest, AnUpdateKeepsWeeklyRequestsAndAStoredReferenceDate) {
    Client c;
    c.type = 2;
    c.kijun = "平成14年06月01日";
    const int number = registerClient(c);
    // The weekly requests window writes these.
    {
        QSqlQuery q = db().prepare("UPDATE Person SET Funn03 = 40, Reserve03 = :t WHERE CureNo = :n");
        lum::db::bindDate(q, ":t", TDateTime::fromYmdHms(1899, 12, 30, 10, 30));
        q.bindValue(":n", number);
        db().exec(q);
    }
    f().NewBtn->click();
    open(Find::Number, QString::number(number), number);
    f().RegistName->setText("山田次郎");
    f().KijunEdit->setText("平成14年07月01日");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveBtn->click();
    const auto p = lum::PersonStore(db()).find(number);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->Name, "山田次郎");
    EXPECT_EQ(p->KubunDate, TDateTime::fromYmd(2002, 7, 1)) << "the reference date typed is stored";
    EXPECT_EQ(p->Funn[2], 40);
    EXPECT_EQ(p->Reserve[2], TDateTime::fromYmdHms(1899, 12, 30, 10, 30));
    EXPECT_TRUE(p->TAISHOBI_YMD.isEmpty());
    EXPECT_FALSE(f().IsInputModified()) << "nothing is left unsaved";

    // A type without a reference date keeps the stored one.
    f().RihaTypeBox->setCurrentIndex(0);
    d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveBtn->click();
    EXPECT_EQ(lum::PersonStore(db()).find(number)->KubunDate, TDateTime::fromYmd(2002, 7, 1));
}

TEST_P(UserRegistTest, AHomeVisitClientKeepsItsStoredCategoriesWhenSavedAgain) {
    Client c;
    c.type = 3;
    c.tanki = true;
    const int number = registerClient(c);
    // Categories a home-visit client does not offer, written by another window.
    {
        QSqlQuery q = db().prepare("UPDATE Person SET KubunCode = 13 WHERE CureNo = :n");
        q.bindValue(":n", number);
        db().exec(q);
    }
    f().NewBtn->click();
    open(Find::Number, QString::number(number), number);
    EXPECT_FALSE(f().ShuudanBox->isVisibleTo(&f()));
    EXPECT_TRUE(f().ShuudanBox->isChecked()) << "the stored categories are shown as stored";
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveBtn->click();
    EXPECT_EQ(lum::PersonStore(db()).find(number)->KubunCode, 13) << "saving again changes no category";

    // Choosing the type again clears them, as for any change of type.
    chooseType(3);
    d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveBtn->click();
    EXPECT_EQ(lum::PersonStore(db()).find(number)->KubunCode, 0);
}

TEST_P(UserRegistTest, SavingARowThatIsGoneFails) {
    Client c;
    const int number = registerClient(c);
    lum::PersonStore(db()).remove(number);  // another workstation deleted it
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QRegularExpression("^SystemError : DB Trans Start error 1\n"), MsgButton::Abort);
    f().SaveBtn->click();
    EXPECT_TRUE(f().SaveBtn->isEnabled());
    EXPECT_FALSE(db().inTransaction());
    EXPECT_TRUE(lum::PersonStore(db()).all().empty()) << "no row came back";
}

TEST_P(UserRegistTest, ANewClientThatCannotBeStoredShowsNoNumber) {
    db().execute("DROP TABLE Person");
    db().execute("CREATE TABLE Person (CureNo INTEGER)");  // the insert must fail
    lum::ScriptedDialogs d;
    f().NewBtn->click();
    Client c;
    c.kana = "ﾔﾏﾀﾞﾀﾛｳ";  // no duplicate check: the insert is the first to meet the table
    fill(c);
    d.expect(MsgKind::Error, "*** SystemError 利用者台帳 登録 Error", MsgButton::Abort);
    f().SaveBtn->click();
    EXPECT_EQ(f().CureNo->text(), "");
    EXPECT_EQ(f().Mode, 1);
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(UserRegistTest, DeleteAsksAndRemovesOnlyThePersonRow) {
    Client c;
    const int number = registerClient(c);
    lum::ScriptedDialogs d;
    const QString question = QString("治療番号 = %1 の\n全てのデータが削除されます。\n削除しますか？").arg(number);
    d.expect(MsgKind::Information, question, MsgButton::No);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(lum::PersonStore(db()).find(number).has_value());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());

    d.expect(MsgKind::Information, question, MsgButton::Yes)
        .expect(MsgKind::Information, QString("治療番号 = %1\nを削除しました。").arg(number), MsgButton::Ok);
    f().DeleteMenu->trigger();
    EXPECT_FALSE(lum::PersonStore(db()).find(number).has_value());
    EXPECT_FALSE(f().MainPanel->isVisible());
    EXPECT_EQ(f().CureNo->text(), "");
    EXPECT_FALSE(f().SaveBtn->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(UserRegistTest, CloseQuestionImportAndPhraseBoxes) {
    lum::CommentStore store(db());
    store.append("UserRegist", 0, "脳梗塞", TDateTime::fromYmd(2002, 1, 1));
    store.append("UserRegist", 0, "骨折", TDateTime::fromYmd(2002, 1, 2));
    store.append("UserRegist", 1, "201号室", TDateTime::fromYmd(2002, 1, 3));
    f().hide();
    f().show();
    EXPECT_EQ(f().RoomBox->count(), 1);
    EXPECT_EQ(f().RoomBox->itemText(0), "201号室");
    for (QComboBox* box : f().ShikanNameBoxes) {
        ASSERT_EQ(box->count(), 2);
        EXPECT_EQ(box->itemText(0), "脳梗塞");
        EXPECT_EQ(box->itemText(1), "骨折");
        EXPECT_EQ(box->currentText(), "");
    }
    EXPECT_FALSE(f().MainPanel->isVisible());
    EXPECT_FALSE(f().SaveBtn->isEnabled());
    EXPECT_EQ(f().Mode, 2);

    lum::ScriptedDialogs d;
    f().NewBtn->click();
    // A double-click on a disease box edits the disease list.
    d.expectModal("TCommentForm", [](QDialog& dialog) {
        auto& comments = static_cast<TCommentForm&>(dialog);
        EXPECT_EQ(comments.ProgramName, "UserRegist");
        EXPECT_EQ(comments.CommentCode, 0);
        comments.CommentEdit->setText("高血圧");
        comments.AppendButton->click();
        return int(QDialog::Accepted);
    });
    f().ShikanNameBoxes[2]->setEditText("手入力");
    QTest::mouseDClick(f().ShikanNameBoxes[2]->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(f().ShikanNameBoxes[0]->count(), 3);
    EXPECT_EQ(f().ShikanNameBoxes[5]->itemText(2), "高血圧");
    EXPECT_EQ(f().ShikanNameBoxes[2]->currentText(), "手入力");

    d.expect(MsgKind::Information, "データ取り込みの設定がありません。", MsgButton::Ok);
    f().ImportBtn->click();

    // Closing with changes asks; いいえ keeps the window.
    f().RegistName->setText("x");
    f().RegistName->setModified(true);
    d.expect(MsgKind::Warning, "データ保存の確認\n終了して良いですか?", MsgButton::No);
    f().CloseBtn->click();
    EXPECT_TRUE(f().isVisible());
    d.expect(MsgKind::Warning, "データ保存の確認\n終了して良いですか?", MsgButton::Ok);
    f().CloseBtn->click();
    EXPECT_FALSE(f().isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(UserRegistTest);

}  // namespace

namespace {

class RecordingIme : public lum::ImeService {
public:
    RecordingIme() { lum::setImeService(this); }
    ~RecordingIme() override { lum::setImeService(nullptr); }
    QString reading(QWidget*) override { return nextReading; }
    bool convertText(QWidget* control, const QString& text) override {
        converted = text;
        target = control;
        return true;
    }
    QString nextReading;
    QString converted;
    QWidget* target = nullptr;
};

// The smallest screen the facility's workstations have is 1024 × 768: the
// panel, centred in the maximised window, must lie on it whole.
TEST_P(UserRegistTest, ThePanelFitsTheWidthOfTheSmallestScreen) {
    EXPECT_LE(f().MainPanel->width(), 1024);
    EXPECT_LE(f().MainPanel->height() + 60, 768);
}

class UserRegistEntryTest : public UserRegistTest {};

// Enter in a date field checks it; a picked date fills the field; Enter in
// the name hands its reading to the kana; Enter in the postal code hands the
// code to the input method in the address field.
TEST_P(UserRegistEntryTest, EnterInTheFields) {
    RecordingIme ime;
    lum::ScriptedDialogs d;
    f().NewBtn->click();

    d.expect(MsgKind::Information, "利用開始日の日付けが不明です。", MsgButton::Ok);
    QTest::keyClick(f().NyushoDay, Qt::Key_Return);
    typeDate(f().NyushoDay, "H140501");
    QTest::keyClick(f().NyushoDay, Qt::Key_Return);
    EXPECT_EQ(f().NyushoDayPicker->date(), QDate(2002, 5, 1));
    EXPECT_FALSE(f().Dirty);

    f().TaishoDayPicker->setDate(QDate(2003, 3, 31));  // as the user picks it
    EXPECT_EQ(f().TaishoDay->text(), "平成15年03月31日");
    EXPECT_TRUE(f().Dirty);

    ime.nextReading = "やまだ";
    QTest::keyClick(f().RegistName, Qt::Key_Return);
    ime.nextReading = "ﾀﾛｳ";
    QTest::keyClick(f().RegistName, Qt::Key_Return);
    EXPECT_EQ(f().RegistKanaName->text(), "ﾔﾏﾀﾞ ﾀﾛｳ ");

    f().UbinNo->setText("100-0001");
    QTest::keyClick(f().UbinNo, Qt::Key_Return);
    EXPECT_EQ(ime.converted, "100-0001");
    EXPECT_EQ(ime.target, f().Address);
}

// A delete whose row is already gone fails with its message and leaves no
// transaction open.
TEST_P(UserRegistEntryTest, DeletingARowThatIsGoneFails) {
    const int number = registerClient(Client());
    lum::PersonStore(db()).remove(number);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QRegularExpression("削除しますか？$"), MsgButton::Yes)
        .expect(MsgKind::Error, "削除に失敗しました。", MsgButton::Ok);
    f().DeleteMenu->trigger();
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(f().CureNo->text(), QString::number(number)) << "the window stays as it was";
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

LUM_INSTANTIATE_DATABASE_TESTS(UserRegistEntryTest);

}  // namespace
