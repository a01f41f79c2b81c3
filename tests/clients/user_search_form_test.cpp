// The client search window on both backends, driven by its control names:
// each search with its order, the input checks, the kana rows, sorting by a
// column title, and what 確定 hands back.
#include "clients/user_search_form.h"

#include "platform/db/facility_database.h"
#include "clients/person_store.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class UserSearchTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        lum::PersonStore store(db());
        struct Row {
            const char* name;
            const char* kana;
            int sex;
            int year;
            int tavelund;
        };
        // Inserted in this order: CureNo 1..8.
        const Row rows[] = {
            {"山田太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", 0, 1940, 12},  {"蒲生花子", "ｶﾞﾓｳ ﾊﾅｺ", 1, 1935, 120},
            {"和田一郎", "ﾜﾀﾞ ｲﾁﾛｳ", 0, 1950, 0},   {"小野二郎", "ｦﾉ ｼﾞﾛｳ", 0, 1945, 3},
            {"山本三郎", "ﾔﾏﾓﾄ ｻﾌﾞﾛｳ", 0, 1938, 0}, {"安藤四郎", "ｱﾝﾄﾞｳ ｼﾛｳ", 0, 1960, 0},
            {"木村%子", "ｷﾑﾗ ﾖｳｺ", 1, 1942, 0},      {"山崎五郎", "ﾔﾏｻﾞｷ ｺﾞﾛｳ", 0, 1930, 0},
        };
        for (const Row& r : rows) {
            TPerson p;
            p.Name = QString::fromUtf8(r.name);
            p.Kana = QString::fromUtf8(r.kana);
            p.Sex = r.sex;
            p.Birth = TDateTime::fromYmd(r.year, 1, 1);
            p.RihaType = 0;
            p.TavelundUserNo = r.tavelund;
            p.NYUSHOBI_YMD = TDateTime::fromYmd(2002, 5, 1);
            p.Address = "住所";
            p.Disease[0] = "脳梗塞";
            store.insert(p);
        }
        form_ = std::make_unique<TUserSearchForm>();
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        scope_.reset();
        DatabaseTest::TearDown();
    }

    std::vector<int> listed() const {
        std::vector<int> numbers;
        for (const TPerson& p : form_->Rows()) numbers.push_back(p.CureNo);
        return numbers;
    }
    void clickRow(int row) {
        QTableWidget* grid = form_->DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 1)).center());
        QCoreApplication::processEvents();
    }
    void search(QLineEdit* edit, const QString& text, QPushButton* button) {
        edit->setText(text);
        button->click();
    }
    QPushButton* rowButton(const char* name) { return form_->findChild<QPushButton*>(name); }

    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserSearchForm> form_;
};

TEST_P(UserSearchTest, SearchesAndTheirOrder) {
    TUserSearchForm& f = *form_;
    struct Case {
        QLineEdit* edit;
        const char* text;
        QPushButton* button;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {f.RegistCureNo, "5", f.CureNoButton, {5}},
        {f.RegistCureNo, " 5 ", f.CureNoButton, {5}},
        {f.RegistCureNo, "abc", f.CureNoButton, {}},
        {f.RegistCureNo, "1 OR 1=1", f.CureNoButton, {}},
        {f.RegistCureNo, "99", f.CureNoButton, {}},
        {f.RegistName, "山", f.UserSearchBtn, {1, 5, 8}},
        {f.RegistName, "木村%", f.UserSearchBtn, {7}},
        {f.RegistName, "%", f.UserSearchBtn, {}},
        {f.RegistName, "_", f.UserSearchBtn, {}},
        {f.RegistKanaName, "ﾔﾏ", f.KanaSearchBtn, {1, 5, 8}},
        {f.RegistTavelund, "12", f.TavelundBtn, {1, 2}},
        {f.RegistTavelund, "3", f.TavelundBtn, {4}},
    };
    for (const Case& c : cases) {
        search(c.edit, QString::fromUtf8(c.text), c.button);
        EXPECT_EQ(listed(), c.expected) << c.text;
        EXPECT_FALSE(f.DecideButton->isEnabled()) << c.text;
    }
    f.AllDisplay->click();
    EXPECT_EQ(listed(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_P(UserSearchTest, KanaRows) {
    struct Case {
        const char* button;
        std::vector<int> expected;  // in Kana order
    };
    const Case cases[] = {
        {"ABtn", {6}}, {"KBtn", {2, 7}}, {"YBtn", {8, 1, 5}}, {"WBtn", {3}}, {"SBtn", {}},
    };
    for (const Case& c : cases) {
        rowButton(c.button)->click();
        EXPECT_EQ(listed(), c.expected) << c.button;
    }
    EXPECT_EQ(rowButton("ABtn")->text(), "ア");
    EXPECT_EQ(rowButton("WBtn")->text(), "ワ");
}

TEST_P(UserSearchTest, InputChecks) {
    TUserSearchForm& f = *form_;
    lum::ScriptedDialogs d;
    struct Case {
        QLineEdit* edit;
        QString text;
        QPushButton* button;
        QString message;
    };
    const Case cases[] = {
        {f.RegistCureNo, "", f.CureNoButton, "入力が必要です。\n半角10文字以内で入力してください。"},
        {f.RegistCureNo, "12345678901", f.CureNoButton, "入力文字数がオーバーしています。\n半角10文字以内で入力してください。"},
        {f.RegistName, "", f.UserSearchBtn, "氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。"},
        {f.RegistName, QString(11, u'山'), f.UserSearchBtn,
         "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。"},
        {f.RegistKanaName, "", f.KanaSearchBtn, "カナの入力が必要です。\n半角20文字以内で入力してください。"},
        {f.RegistKanaName, QString(21, u'ｱ'), f.KanaSearchBtn,
         "カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。"},
        {f.RegistTavelund, "", f.TavelundBtn, "入力が必要です。\n半角10文字以内で入力してください。"},
    };
    f.AllDisplay->click();
    for (const Case& c : cases) {
        d.expect(MsgKind::Information, c.message, MsgButton::Ok);
        search(c.edit, c.text, c.button);
        EXPECT_EQ(listed().size(), 8u) << "a refused search leaves the list";
    }
}

TEST_P(UserSearchTest, SortingByAColumnTitleTogglesAndListsAll) {
    TUserSearchForm& f = *form_;
    rowButton("KBtn")->click();
    QHeaderView* header = f.DBGrid1->horizontalHeader();
    emit header->sectionClicked(4);  // 生年月日: descending first
    EXPECT_EQ(listed(), (std::vector<int>{6, 3, 4, 7, 1, 5, 2, 8}));
    emit header->sectionClicked(4);
    EXPECT_EQ(listed(), (std::vector<int>{8, 2, 5, 1, 7, 4, 3, 6}));
    // The directions are kept from one show to the next.
    f.hide();
    f.show();
    EXPECT_TRUE(listed().empty()) << "each show starts with an empty list";
    emit header->sectionClicked(4);
    EXPECT_EQ(listed().front(), 6);
    emit header->sectionClicked(0);
    EXPECT_EQ(listed().front(), 8);
}

TEST_P(UserSearchTest, RowClickAndDecide) {
    TUserSearchForm& f = *form_;
    clickRow(0);  // an empty grid: nothing to confirm
    EXPECT_FALSE(f.DecideButton->isEnabled());

    f.Person.Funn[2] = 30;  // what the caller left there stays
    search(f.RegistName, "蒲生", f.UserSearchBtn);
    ASSERT_EQ(listed(), std::vector<int>{2});
    EXPECT_EQ(f.DBGrid1->item(0, 3)->text(), "女性");
    EXPECT_EQ(f.DBGrid1->item(0, 4)->text(), "昭和 10年01月01日");
    EXPECT_EQ(f.DBGrid1->item(0, 5)->toolTip(), f.DBGrid1->item(0, 5)->text());  // the narrow address whole
    EXPECT_EQ(f.DBGrid1->item(0, 6)->text(), "平成 14年05月01日");
    EXPECT_EQ(f.DBGrid1->item(0, 7)->text(), "入所");
    EXPECT_EQ(f.DBGrid1->item(0, 8)->text(), "120");
    clickRow(0);
    EXPECT_TRUE(f.DecideButton->isEnabled());
    EXPECT_EQ(f.RegistCureNo->text(), "2");
    EXPECT_EQ(f.RegistKanaName->text(), "ｶﾞﾓｳ ﾊﾅｺ");
    EXPECT_EQ(f.RegistTavelund->text(), "120");
    f.DecideButton->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.Person.CureNo, 2);
    EXPECT_EQ(f.Person.Name, "蒲生花子");
    EXPECT_EQ(f.Person.Disease[0], "脳梗塞");
    EXPECT_EQ(f.Person.Funn[2], 30);

    // A client without a linked number leaves that edit empty.
    f.show();
    search(f.RegistName, "和田", f.UserSearchBtn);
    EXPECT_EQ(f.DBGrid1->item(0, 8)->text(), "");
    clickRow(0);
    EXPECT_EQ(f.RegistTavelund->text(), "");
    f.ReturnBtn->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
}

LUM_INSTANTIATE_DATABASE_TESTS(UserSearchTest);

}  // namespace

namespace {

class UserSearchEnterTest : public UserSearchTest {};

TEST_P(UserSearchEnterTest, EnterInTheNumberSearches) {
    form_->RegistCureNo->setText("3");
    QTest::keyClick(form_->RegistCureNo, Qt::Key_Return);
    EXPECT_EQ(listed(), std::vector<int>{3});
}

// A search the database cannot run says so instead of showing "no such client".
TEST_P(UserSearchEnterTest, AFailedSearchIsReported) {
    db().execute("DROP TABLE Person");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, "SystemError : DB Queryerror ", MsgButton::Abort);
    form_->AllDisplay->click();
    EXPECT_TRUE(listed().empty());
    d.expect(MsgKind::Error, "SystemError : DB Queryerror ", MsgButton::Abort);
    emit form_->DBGrid1->horizontalHeader()->sectionClicked(1);
}

LUM_INSTANTIATE_DATABASE_TESTS(UserSearchEnterTest);

}  // namespace
