// The two pickers driven by their control names, each on its own kind of
// source (link 2: a file through the SQLite ODBC driver; link 1: a server
// through the PostgreSQL ODBC driver): the load with every drawn text, the
// failures that leave only キャンセル, the searches and their messages, a
// click that fills every field, and typing that drops the pick.
#include "clients/linked_user_form.h"

#include "linked_app.h"
#include "linked_rows.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
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

enum class Source { File, Server };

std::string sourceName(const ::testing::TestParamInfo<Source>& info) {
    return info.param == Source::File ? "AccessFile" : "TavelundServer";
}

QStringList column(const TLinkedUserForm& f, int c) {
    QStringList out;
    for (int r = 0; r < f.DBGrid1->rowCount(); ++r) out << f.DBGrid1->item(r, c)->text();
    return out;
}

void clickRow(TLinkedUserForm& f, int sid) {
    int row = -1;
    for (int r = 0; r < int(f.Rows().size()); ++r) {
        if (f.Rows()[r].Sid == sid) row = r;
    }
    ASSERT_GE(row, 0) << "no row " << sid;
    const QRect cell = f.DBGrid1->visualRect(f.DBGrid1->model()->index(row, 1));
    QTest::mouseClick(f.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QApplication::processEvents();
}

class LinkedUserFormTest : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        app_ = std::make_unique<LinkedApp>();
        if (GetParam() == Source::File) {
            LUM_REQUIRE_LINK_SOURCE(!lum::test::sqliteOdbcDriver().isEmpty(),
                                    QStringLiteral("the SQLite ODBC driver is not installed"));
            file_ = dir_.filePath(QStringLiteral("kaigo.mdb"));
            lum::test::writeLinkedFile(file_, linked_rows::stored());
            app_->useFile(file_);
            form_ = std::make_unique<TAccessUserForm>();
        } else {
            LUM_REQUIRE_LINK_SOURCE(server_.create(linked_rows::stored()), server_.skip());
            app_->useServer(server_);
            form_ = std::make_unique<TTavelundUserForm>();
        }
    }
    void TearDown() override {
        form_.reset();
        app_.reset();
    }

    // The source's own failure text at show.
    QString loadFailed() const {
        return GetParam() == Source::File
                   ? QStringLiteral("System Error\nAccessの使用設定を確認してください。\nシステムを終了します。")
                   : QStringLiteral("System Error\nTavelundの使用設定を確認してください。\nシステムを終了します。");
    }
    // Makes the settings point at nothing that can be read.
    void breakSettings() {
        if (GetParam() == Source::File) {
            app_->settings().MDBConnection = lum::test::sqliteOdbcString(dir_.filePath(QStringLiteral("gone.mdb")));
        } else {
            app_->settings().Password = QStringLiteral("wrong");
        }
    }
    // Runs the picker modally with the action (after the message its show
    // gives, when one is named); its result.
    int pick(const std::function<int(TLinkedUserForm&)>& action, const QString& showMessage = {}) {
        d_.expectModal(form_->objectName(), [&](QDialog&) { return action(*form_); });
        if (!showMessage.isEmpty()) d_.expect(MsgKind::Error, showMessage, MsgButton::Yes);
        return lum::runModal(*form_);
    }

    QTemporaryDir dir_;
    QString file_;
    lum::test::PostgresLinkedSource server_;
    std::unique_ptr<LinkedApp> app_;
    std::unique_ptr<TLinkedUserForm> form_;
    lum::ScriptedDialogs d_;
};

TEST_P(LinkedUserFormTest, ShowReadsTheWholeTableAndDrawsItsTexts) {
    pick([&](TLinkedUserForm& f) -> int {
        EXPECT_EQ(f.windowTitle(), "リハビリ治療計画");
        EXPECT_EQ(f.TitleLabel->text(),
                  GetParam() == Source::File ? "ACCESS　利用者選択" : "Tavelundシステム　利用者選択");
        EXPECT_TRUE(f.IsLoaded());
        EXPECT_EQ(column(f, 0), (QStringList{"9", "25", "10", "5", "12", "40", "7", "3", "8"})) << "kana order";
        EXPECT_EQ(column(f, 1).first(), "小川　ヲン");
        EXPECT_EQ(column(f, 3), (QStringList{"男性", "", "男性", "女性", "女性", "男性", "女性", "男性", "女性"}));
        EXPECT_EQ(column(f, 4)[0], "昭和 20年05月05日");
        EXPECT_EQ(column(f, 4)[1], "") << "a Birth that is no date shows nothing";
        EXPECT_EQ(column(f, 4)[6], "");
        EXPECT_EQ(column(f, 5)[4], "021");
        for (int c = 0; c < 11; ++c) EXPECT_EQ(f.DBGrid1->isColumnHidden(c), c >= 6) << c;
        EXPECT_EQ(column(f, 7)[7], "東京都千代田区千代田1-1") << "the hidden columns hold the details";
        EXPECT_FALSE(f.ReturnBtn->isEnabled()) << "確定 waits for a click";
        EXPECT_TRUE(f.UserSearchBtn->isEnabled());
        EXPECT_TRUE(f.NoSearchBtn->isEnabled());
        for (QLineEdit* e : {f.UserNo, f.RegistName, f.RegistKanaName}) EXPECT_EQ(e->text(), "");
        f.Button1->click();
        return f.result();
    });
    EXPECT_FALSE(form_->IsLoaded()) << "closing drops the rows";
}

TEST_P(LinkedUserFormTest, AnUnreadableSourceLeavesOnlyCancel) {
    breakSettings();
    const int result = pick([&](TLinkedUserForm& f) -> int {
        EXPECT_FALSE(f.IsLoaded());
        EXPECT_EQ(f.DBGrid1->rowCount(), 0);
        EXPECT_FALSE(f.ReturnBtn->isEnabled());
        f.ReturnBtn->click();
        EXPECT_TRUE(f.isVisible()) << "確定 does nothing";
        // A search tries the source again and says so when it still fails.
        f.UserNo->setText("3");
        d_.expect(MsgKind::Error, "System Error", MsgButton::Yes);
        f.NoSearchBtn->click();
        EXPECT_FALSE(f.IsLoaded());
        EXPECT_FALSE(f.ReturnBtn->isEnabled());
        f.Button1->click();
        return f.result();
    }, loadFailed());
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(form_->PickedClient.has_value());
    EXPECT_FALSE(app_->module().Link(form_->LinkMode())->isOpen());
    if (GetParam() == Source::File) {
        EXPECT_FALSE(QFile::exists(dir_.filePath("gone.mdb")));
    }
}

TEST_P(LinkedUserFormTest, AClickPicksTheWholeRowAndTypingDropsIt) {
    const int result = pick([&](TLinkedUserForm& f) -> int {
        clickRow(f, 12);
        EXPECT_TRUE(f.ReturnBtn->isEnabled());
        EXPECT_EQ(f.UserNo->text(), "12");
        EXPECT_EQ(f.RegistName->text(), "佐藤　花子");
        EXPECT_EQ(f.RegistKanaName->text(), "ｻﾄｳ ﾊﾅｺ");
        EXPECT_EQ(f.SexLabel->text(), "女性");
        EXPECT_EQ(f.SexIndex, 1);
        EXPECT_EQ(f.BirthLabel->text(), "昭和 10年12月31日");
        EXPECT_EQ(f.PickedBirth, lum::TDateTime::fromYmd(1935, 12, 31));
        EXPECT_EQ(f.MailLabel->text(), "330-0061");
        EXPECT_EQ(f.ChikuLabel->text(), "021");
        EXPECT_EQ(f.TownLabel->text(), "0101");
        EXPECT_EQ(f.ADDLabel->text(), "さいたま市浦和区常盤9-9 'みどり'荘");
        EXPECT_EQ(f.TelLabel->text(), "048-111-2222");
        EXPECT_EQ(f.FaxLabel->text(), "");
        EXPECT_EQ(f.PickedClient, linked_rows::expected()[4]);

        // A row without sex or birth: nothing made up.
        clickRow(f, 25);
        EXPECT_EQ(f.SexLabel->text(), "");
        EXPECT_EQ(f.SexIndex, -1);
        EXPECT_EQ(f.BirthLabel->text(), "");
        EXPECT_TRUE(f.PickedBirth.isEmpty());

        // Typed into any of the three edits, the text is a search, not the pick.
        for (QLineEdit* edit : {f.UserNo, f.RegistName, f.RegistKanaName}) {
            SCOPED_TRACE(edit->objectName().toStdString());
            clickRow(f, 3);
            EXPECT_TRUE(f.ReturnBtn->isEnabled());
            QTest::keyClicks(edit, "1");
            EXPECT_FALSE(f.ReturnBtn->isEnabled());
            EXPECT_FALSE(f.PickedClient.has_value());
            EXPECT_EQ(f.SexIndex, -1);
            EXPECT_EQ(f.ADDLabel->text(), "");
        }
        // The keyboard picks as a click does.
        f.DBGrid1->setFocus();
        QTest::keyClick(f.DBGrid1, Qt::Key_Down);
        EXPECT_TRUE(f.ReturnBtn->isEnabled());
        EXPECT_EQ(f.PickedClient->Sid, f.Rows()[size_t(f.DBGrid1->currentRow())].Sid);
        clickRow(f, 3);
        f.ReturnBtn->click();
        return f.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_TRUE(form_->PickedClient.has_value()) << "the pick outlives the window";
    EXPECT_EQ(*form_->PickedClient, linked_rows::expected()[7]);
}

TEST_P(LinkedUserFormTest, SearchesFilterTheRowsAndCheckTheirInput) {
    pick([&](TLinkedUserForm& f) -> int {
        // Name search: both texts needed, each checked in turn.
        const struct {
            const char* name;
            const char* kana;
            const char* message;  // "" when the search runs
            QStringList sids;
        } names[] = {
            {"", "ｻ", "氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。", {}},
            {"佐藤", "", "カナの入力が必要です。\n半角20文字以内で入力してください。", {}},
            {"あいうえおかきくけこさ", "ｻ", "氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。", {}},
            {"佐藤", "ｻﾄｳ ﾊﾅｺ ｻﾄｳ ﾊﾅｺ ｻﾄｳﾊﾅ", "カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。", {}},
            {"佐藤", "ｶﾞ", "", {"10", "5", "12"}},
            {"O'B", "ﾜ", "", {"25", "8"}},
            {"%", "_", "", {}},
        };
        for (const auto& c : names) {
            SCOPED_TRACE(c.name);
            f.AllButton->click();
            const int before = f.DBGrid1->rowCount();
            f.RegistName->setText(QString::fromUtf8(c.name));
            f.RegistKanaName->setText(QString::fromUtf8(c.kana));
            if (*c.message) d_.expect(MsgKind::Information, QString::fromUtf8(c.message), MsgButton::Ok);
            f.UserSearchBtn->click();
            if (*c.message) EXPECT_EQ(f.DBGrid1->rowCount(), before) << "the list stays";
            else EXPECT_EQ(column(f, 0), c.sids);
        }
        // Number search.
        const struct {
            const char* text;
            const char* message;
            QStringList sids;
        } numbers[] = {
            {"", "Tavelund利用者Noが記入されていません。", {}},
            {"-1", "数値の値がマイナスです。\n正しい数値で入力してください。", {}},
            {"1.5", "半角の数字で入力してください。", {}},
            {"12", "", {"12"}},
            {"2147483648", "", {}},
        };
        for (const auto& c : numbers) {
            SCOPED_TRACE(c.text);
            f.AllButton->click();
            f.UserNo->setText(QString::fromUtf8(c.text));
            if (*c.message) d_.expect(MsgKind::Information, QString::fromUtf8(c.message), MsgButton::Ok);
            f.NoSearchBtn->click();
            if (*c.message) {
                EXPECT_EQ(f.DBGrid1->rowCount(), 9);
                EXPECT_EQ(f.focusWidget(), f.UserNo);
            } else {
                EXPECT_EQ(column(f, 0), c.sids);
                EXPECT_EQ(QString::number(f.SearchNo), QString::fromUtf8(c.text));
            }
        }
        // Kana rows and 全て表示; every search drops the pick.
        f.AllButton->click();
        clickRow(f, 12);
        const struct {
            int button;
            QStringList sids;
        } rows[] = {{0, {"25"}}, {1, {"10"}}, {2, {"5", "12", "40"}}, {5, {"7"}}, {7, {"3"}}, {9, {"8"}}};
        for (const auto& c : rows) {
            SCOPED_TRACE(c.button);
            f.KanaRowButtons[size_t(c.button)]->click();
            EXPECT_EQ(column(f, 0), c.sids);
            EXPECT_FALSE(f.ReturnBtn->isEnabled());
        }
        EXPECT_EQ(f.KanaRowButtons[9]->text(), "わ");
        f.AllButton->click();
        EXPECT_EQ(f.DBGrid1->rowCount(), 9);
        f.Button1->click();
        return f.result();
    });
}

INSTANTIATE_TEST_SUITE_P(Sources, LinkedUserFormTest, ::testing::Values(Source::File, Source::Server), sourceName);

}  // namespace
