// The client registration and the client search as a keyboard user meets
// them, through real key and focus events: the Tab order of both windows, a
// date typed after Tab, the Enter that closes a message, pastes into a date,
// Enter in the postal code, a whole client registered without the mouse; and
// a save that fails inside its transaction.
//
// With $LUMORIND_SHOTS naming a folder, the keyboard walk saves a picture of
// the window at each step there (run it under xvfb-run to look at them).
#include "clients/person_store.h"
#include "clients/user_regist_form.h"
#include "clients/user_search_form.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"
#include "widgets/comment_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;

// The control a focus widget stands for: an editable combo box's own edit
// counts as the box.
QString focusName() {
    QWidget* w = QApplication::focusWidget();
    if (!w) return QStringLiteral("(none)");
    if (auto* box = qobject_cast<QComboBox*>(w->parentWidget()); box && box->lineEdit() == w) w = box;
    return w->objectName();
}

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
}

// Each character as a key with its text (what direct input sends; QTest's own
// typing knows only ASCII).
void type(const QString& text) {
    for (QChar c : text) {
        const Qt::Key k = c.unicode() < 0x80 && c.isLetterOrNumber() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), k, QString(c), Qt::NoModifier);
    }
}

// What a paste may leave in a date: its mask with only what its editor puts there.
void expectMaskWhole(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^(＿＿|明治|大正|昭和|平成|令和)[ _0-9]{2}年[ _0-9]{2}月[ _0-9]{2}日$"));
    EXPECT_TRUE(shape.match(text).hasMatch()) << text.toStdString();
}

// The names Tab visits from the focus widget until it comes back to it.
QStringList tabRing() {
    QStringList names{focusName()};
    for (int i = 0; i < 60; ++i) {
        key(Qt::Key_Tab);
        if (focusName() == names.first()) return names;
        names << focusName();
    }
    return names;
}

class UserRegistKeyboardTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        qunsetenv("QT_IM_MODULE");  // no input method: the postal code stays out of the address
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        form_ = std::make_unique<TUserRegistForm>();
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        form_.reset();
        delete UserSearchForm;
        delete CommentForm;
        scope_.reset();
        DatabaseTest::TearDown();
    }

    TUserRegistForm& f() { return *form_; }

    void shot(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        f().grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }

    int personRows() {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM Person"));
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }

    lum::FixedClock clock_{QDateTime(QDate(2002, 6, 10), QTime(9, 30))};
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserRegistForm> form_;
};

TEST_P(UserRegistKeyboardTest, TabFollowsTheReadingOrderOfTheForm) {
    const QStringList top = {"RegistName", "RegistKanaName", "BirthDay", "SexBox", "UbinNo", "Address", "TelNo",
                             "FaxNo", "EMailEdit", "TavelundUserNoEdit", "distinctive", "RihaTypeBox"};
    const QStringList bottom = {"JiritsudoBox",   "NinchidoBox",    "YoukaigodoBox",  "RoomBox",
                                "TaiinDay",       "NyushoDay",      "TaishoDay",      "ShikanName1Box",
                                "ShikanName2Box", "ShikanName3Box", "ShikanName4Box", "ShikanName5Box",
                                "ShikanName6Box", "NewBtn",         "OpenBtn",        "ImportBtn",
                                "SaveBtn",        "CloseBtn"};
    struct Case {
        int type;
        QStringList categories;  // what the type shows between the type and the degrees
    };
    const Case cases[] = {
        {-1, {}},
        {0, {"TankiBox", "NinchiBox", "ShuudanBox", "KobetsuBox"}},
        {2, {"TankiBox", "NinchiBox", "ShuudanBox", "KobetsuBox", "KijunEdit"}},
        {3, {"TankiBox", "NinchiBox", "KijunEdit"}},
    };
    f().NewBtn->click();
    for (const Case& c : cases) {
        f().RihaTypeBox->setCurrentIndex(c.type);
        f().ApplyRihaType(c.type);
        f().RegistName->setFocus();
        EXPECT_EQ(tabRing(), top + c.categories + bottom) << "type " << c.type << " (no picker is a Tab stop)";
    }
}

TEST_P(UserRegistKeyboardTest, TabIntoTheBirthDateThenTypeGivesTheDate) {
    f().NewBtn->click();
    f().RegistKanaName->setFocus();
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "BirthDay");
    type("S150401");
    EXPECT_EQ(f().BirthDay->text(), "昭和15年04月01日");
    key(Qt::Key_Return);  // checked and handed to the picker, without a message
    EXPECT_EQ(f().BirthDatePicker->date(), QDate(1940, 4, 1));
}

// Enter on an incomplete date shows its message once. The Enter that closes
// the box is pressed on the box and released on the field the focus returns
// to: that release does not open the message again.
TEST_P(UserRegistKeyboardTest, TheEnterThatClosesADateMessageDoesNotReopenIt) {
    f().NewBtn->click();
    f().RegistKanaName->setFocus();
    key(Qt::Key_Tab);
    type("S15");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, "生年月日の日付けが不明です。", MsgButton::Ok);
    QTest::keyPress(f().BirthDay, Qt::Key_Return);
    QTest::keyRelease(f().BirthDay, Qt::Key_Return);
    EXPECT_EQ(d.messages().size(), 1);
    EXPECT_EQ(focusName(), "BirthDay");
    QTest::keyRelease(f().BirthDay, Qt::Key_Return);  // the release of the Enter that closed the box
    EXPECT_EQ(d.messages().size(), 1) << "the message did not come back";
    type("0401");
    EXPECT_EQ(f().BirthDay->text(), "昭和15年04月01日") << "the caret stayed where the typing was";
}

TEST_P(UserRegistKeyboardTest, APasteOfFreeTextLeavesTheDateMaskIntact) {
    f().NewBtn->click();
    f().RegistKanaName->setFocus();
    key(Qt::Key_Tab);
    QGuiApplication::clipboard()->setText("一九四〇年四月一日 and more");
    key(Qt::Key_V, Qt::ControlModifier);
    expectMaskWhole(f().BirthDay->text());
    f().PasteBtn->click();  // the window's 貼り付け, with the focus in the date
    expectMaskWhole(f().BirthDay->text());
    const QString before = f().BirthDay->text();
    f().BirthDay->selectAll();
    f().CutBtn->click();
    EXPECT_EQ(f().BirthDay->text(), before) << "a date's mask is never cut";
    QGuiApplication::clipboard()->setText("S150401");
    f().BirthDay->setCursorPosition(0);
    f().PasteBtn->click();
    EXPECT_EQ(f().BirthDay->text(), "昭和15年04月01日") << "a paste is typed key by key";
}

TEST_P(UserRegistKeyboardTest, EnterInThePostalCodeWithoutAnInputMethodLeavesTheAddressEmpty) {
    f().NewBtn->click();
    f().SexBox->setFocus();
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "UbinNo");
    type("1000001");
    key(Qt::Key_Return);
    EXPECT_EQ(focusName(), "Address");
    EXPECT_EQ(f().Address->text(), "");
    EXPECT_FALSE(f().Address->isModified());
    EXPECT_EQ(f().UbinNo->text(), "100-0001");
}

// A new user registers a client from 氏名 to 保存 with the keyboard alone.
TEST_P(UserRegistKeyboardTest, AClientIsRegisteredWithTheKeyboardAlone) {
    shot("01-shown");
    ASSERT_EQ(focusName(), "NewBtn") << "the first Tab stop of an empty window is 新規";
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "RegistName");
    type("山田太郎");
    key(Qt::Key_Tab);
    type("やまだ たろう");
    EXPECT_EQ(f().RegistKanaName->text(), "ﾔﾏﾀﾞ ﾀﾛｳ");
    key(Qt::Key_Tab);
    type("S150401");
    key(Qt::Key_Return);
    shot("02-birth-date");
    key(Qt::Key_Tab);
    key(Qt::Key_Down);  // 男性
    key(Qt::Key_Tab);
    type("1000001");
    key(Qt::Key_Return);  // on to the address
    type("東京都千代田区千代田1-1");
    key(Qt::Key_Tab);
    type("03-1234-5678");
    for (int i = 0; i < 4; ++i) key(Qt::Key_Tab);  // Fax, E-Mail, the linked number, 特徴
    type("右片麻痺");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "RihaTypeBox");
    key(Qt::Key_Down);  // 入所: the categories appear
    key(Qt::Key_Tab);
    key(Qt::Key_Space);  // 短期集中
    for (int i = 0; i < 4; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "JiritsudoBox");
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    type("201");
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "NyushoDay");
    type("H140501");
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    type("脳梗塞");
    shot("03-filled");
    for (int i = 0; i < 9; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "SaveBtn");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, "登録しました", MsgButton::Ok);
    key(Qt::Key_Return);
    shot("04-saved");
    EXPECT_EQ(focusName(), "SaveBtn") << "not 閉じる, where the next Enter would close the window";

    const std::vector<TPerson> rows = lum::PersonStore(db()).all();
    ASSERT_EQ(rows.size(), 1u);
    const TPerson& p = rows[0];
    EXPECT_EQ(f().CureNo->text(), QString::number(p.CureNo));
    EXPECT_EQ(p.Name, "山田太郎");
    EXPECT_EQ(p.Kana, "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(p.Birth.date(), QDate(1940, 4, 1));
    EXPECT_EQ(p.Sex, 0);
    EXPECT_EQ(p.YoubinNo, "100-0001");
    EXPECT_EQ(p.Address, "東京都千代田区千代田1-1");
    EXPECT_EQ(p.TelNo, "03-1234-5678");
    EXPECT_EQ(p.distinctive, "右片麻痺");
    EXPECT_EQ(p.RihaType, 0);
    EXPECT_EQ(p.KubunCode, 1) << "短期集中 alone";
    EXPECT_EQ(p.Jiritsu_KBN, 0);
    EXPECT_EQ(p.ROOM_NO, "201");
    EXPECT_EQ(p.NYUSHOBI_YMD.date(), QDate(2002, 5, 1));
    EXPECT_EQ(p.Disease[0], "脳梗塞");
}

// A failure met inside a save's transaction, after the row was written (the
// commit fails on a deferred check the test adds), leaves no row and no open
// transaction; the next save goes through.
TEST_P(UserRegistKeyboardTest, AFailureInsideAClientSaveLeavesNoRowAndNoTransaction) {
    const bool sqlite = GetParam() == lum::db::Backend::SQLite;
    db().execute("CREATE TABLE ForcedParent (id INTEGER PRIMARY KEY)");
    db().execute("CREATE TABLE ForcedChild (parent INTEGER REFERENCES ForcedParent (id) DEFERRABLE INITIALLY DEFERRED)");
    auto forceFailureOn = [&](const QString& event) {
        if (sqlite) {
            db().execute("CREATE TRIGGER ForcedFailure AFTER " + event +
                         " ON Person BEGIN INSERT INTO ForcedChild VALUES (-1); END");
        } else {
            db().execute("CREATE FUNCTION forced_failure() RETURNS trigger AS $$ BEGIN "
                         "INSERT INTO ForcedChild VALUES (-1); RETURN NEW; END $$ LANGUAGE plpgsql");
            db().execute("CREATE TRIGGER ForcedFailure AFTER " + event +
                         " ON Person FOR EACH ROW EXECUTE FUNCTION forced_failure()");
        }
    };
    auto dropForcedFailure = [&] {
        db().execute(sqlite ? QStringLiteral("DROP TRIGGER ForcedFailure")
                            : QStringLiteral("DROP TRIGGER ForcedFailure ON Person"));
        if (!sqlite) db().execute("DROP FUNCTION forced_failure()");
    };
    auto fill = [&] {
        f().RegistName->setText("山田太郎");
        f().RegistKanaName->setText("ﾔﾏﾀﾞ ﾀﾛｳ");
        f().BirthDay->setText("昭和15年04月01日");
        f().SexBox->setCurrentIndex(0);
        f().RihaTypeBox->setCurrentIndex(0);
        f().NyushoDay->setText("平成14年05月01日");
    };

    forceFailureOn("INSERT");
    f().NewBtn->click();
    fill();
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Error, "*** SystemError 利用者台帳 登録 Error", MsgButton::Abort);
        f().SaveBtn->click();
    }
    EXPECT_EQ(personRows(), 0);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(f().CureNo->text(), "");
    EXPECT_TRUE(f().SaveBtn->isEnabled()) << "the inputs stay for another try";

    dropForcedFailure();
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, "登録しました", MsgButton::Ok);
        f().SaveBtn->click();
    }
    ASSERT_EQ(personRows(), 1);
    const int number = f().CureNo->text().toInt();

    forceFailureOn("UPDATE");
    f().RegistName->setText("山田次郎");
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Error, "SystemError : DB Trans Start error 1", MsgButton::Abort);
        f().SaveBtn->click();
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(lum::PersonStore(db()).find(number)->Name, "山田太郎") << "the change was rolled back";
}

LUM_INSTANTIATE_DATABASE_TESTS(UserRegistKeyboardTest);

// The client search: Tab goes through the search lines and the kana rows,
// into the list and out of it to 確定 and 戻る; a row taken with the keys
// counts as a click.
class UserSearchKeyboardTest : public lum::test::DatabaseTest {};

TEST_P(UserSearchKeyboardTest, TabLeavesTheListForTheButtons) {
    lum::ScopedFacilityDatabase scope(db());
    for (const char* name : {"ｱｵｷ ｲﾁﾛｳ", "ｲﾉｳｴ ｼﾞﾛｳ"}) {
        TPerson p;
        p.Name = QStringLiteral("試験");
        p.Kana = QString::fromUtf8(name);
        lum::PersonStore(db()).insert(p);
    }
    TUserSearchForm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.RegistCureNo->setFocus();
    QStringList expected = {"RegistCureNo",   "CureNoButton", "RegistName",  "UserSearchBtn",
                            "RegistKanaName", "KanaSearchBtn", "RegistTavelund", "TavelundBtn", "ClearBtn"};
    for (const char* b : {"ABtn", "KBtn", "SBtn", "TBtn", "NBtn", "HBtn", "MBtn", "YBtn", "RBtn", "WBtn"}) expected << b;
    expected << "AllDisplay" << "DBGrid1" << "ReturnBtn";  // 確定 is disabled until a row is taken
    EXPECT_EQ(tabRing(), expected);

    form.AllDisplay->setFocus();
    key(Qt::Key_Space);
    ASSERT_EQ(form.DBGrid1->rowCount(), 2);
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "DBGrid1");
    key(Qt::Key_Down);
    EXPECT_TRUE(form.DecideButton->isEnabled()) << "a row taken with the keys counts as a click";
    EXPECT_FALSE(form.RegistKanaName->text().isEmpty());
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "DecideButton");
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "ReturnBtn");
}

LUM_INSTANTIATE_DATABASE_TESTS(UserSearchKeyboardTest);

}  // namespace
