// The conference survey window on both backends, driven by its control
// names: New, fill, Save, Open gives every field back; Enter in the 実施日
// collects the whole survey; New keeps the body; the printout takes the
// screen; an attendee that is no staff member is refused at Save, one typed
// with a half-width blank is that member, and a memo its printed box cannot
// hold is refused; Delete acts on the survey opened; unreadable rows; two
// workstations saving one survey.
#include "plans/before_conference_form.h"

#include "common/db/sql_date.h"
#include "common/input_limits.h"
#include "plans/before_conference_values.h"
#include "plans/marker_pair.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "support/short_lines.h"
#include "report/objects/addin_views.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TBeforeConference;
using lum::TDateTime;

const QString kDialog = QStringLiteral("TGetBeforeConfForm");
const QString kSaved = QStringLiteral("カンファレンスを保存しました。");

class BeforeConferenceFormTest : public lum::test::UrinFormTest<TBeforeConferenceForm> {
protected:
    void TearDown() override {
        delete GetBeforeConfForm;
        lum::test::UrinFormTest<TBeforeConferenceForm>::TearDown();
    }
    QByteArray stored(int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "SELECT BeforeConferData FROM BeforeConfer WHERE CureNo = :c AND ConferenceDay = :d"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
        return q.next() ? q.value(0).toByteArray() : QByteArray();
    }
    static void insertRow(lum::db::Database& database, int cureNo, TDateTime day, int version, const QByteArray& blob) {
        QSqlQuery q = database.prepare(QStringLiteral(
            "INSERT INTO BeforeConfer (CureNo, ConferenceDay, DataFormatVersion, BeforeConferData) "
            "VALUES (:c, :d, :v, :b)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        q.bindValue(QStringLiteral(":v"), version);
        q.bindValue(QStringLiteral(":b"), blob);
        database.exec(q);
    }
    void click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, {5, 5}); }
    void choose(int box, int index) {
        f().AttendeeBoxes[box]->setCurrentIndex(index);
        emit f().AttendeeBoxes[box]->activated(index);
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void print() {
        f().PrintToolButton->click();
        EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    }
    QString printed() { return printedText(f().frReport1); }
    // The check boxes of the first page in the printout's order: -1 set, 0 not.
    QStringList printedBoxes() {
        QStringList boxes;
        for (const auto& v : f().frReport1.EMFPages.GetPage(0).objects())
            if (dynamic_cast<const lum::TfrCheckBoxView*>(v.get())) boxes << v->Memo.value(0);
        return boxes;
    }

    // Every entry filled, each with its own text.
    void fill() {
        f().Health->setPlainText(QStringLiteral("血圧安定"));
        f().Gatsupai->setPlainText(QStringLiteral("糖尿病\nインスリン自己注射"));
        f().SelfHope->setPlainText(QStringLiteral("歩いて家に帰りたい"));
        f().FarmilyHope->setPlainText(QStringLiteral("トイレが一人でできるように"));
        click(f().TaishoBox);
        f().TaishyoYotei->setText(QStringLiteral("３か月後"));
        click(f().Tashisetsu);
        f().Tokuyou->setText(QStringLiteral("さくら苑"));
        f().Ryoyou->setText(QStringLiteral("みどり病院"));
        click(f().FunctionBoxes[0]);
        f().FunctionNotes[0]->setPlainText(QStringLiteral("右片麻痺"));
        click(f().FunctionBoxes[3]);
        f().FunctionNotes[3]->setPlainText(QStringLiteral("右肩"));
        click(f().FunctionBoxes[6]);
        f().FunctionNotes[6]->setPlainText(QStringLiteral("HDS-R 18"));
        f().kentou->setPlainText(QStringLiteral("屋内歩行の自立を目標とする。\n家族指導を行う。"));
        choose(0, 2);  // 鈴木　言語, 9
        choose(2, 0);  // 佐藤　理学, 3
        choose(4, 1);  // 田中　作業, 5
    }
    TBeforeConference expected() const {
        TBeforeConference b;
        b.Shimei = QStringLiteral("山田　花子");
        b.Sex = 1;
        b.Birth = TDateTime::fromYmd(1940, 4, 1);
        b.Old = 83;
        b.Kaigodo = 4;
        b.Health = QStringLiteral("血圧安定");
        b.Gapeisho = QStringLiteral("糖尿病\nインスリン自己注射");
        b.HonninHope = QStringLiteral("歩いて家に帰りたい");
        b.KazokuHope = QStringLiteral("トイレが一人でできるように");
        b.Taisho = true;
        b.TaishoText = QStringLiteral("３か月後");
        b.Tashisetsu = true;
        b.Tokuyou = QStringLiteral("さくら苑");
        b.Ryoyou = QStringLiteral("みどり病院");
        b.Undou = true;
        b.UndouText = QStringLiteral("右片麻痺");
        b.Koushuku = true;
        b.KoushukuText = QStringLiteral("右肩");
        b.Ninchi = true;
        b.NinchiText = QStringLiteral("HDS-R 18");
        b.Kentou = QStringLiteral("屋内歩行の自立を目標とする。\n家族指導を行う。");
        b.Dr = 9;
        b.Eiyou = 3;
        b.Rihabi = 5;
        return b;
    }
};

TEST_P(BeforeConferenceFormTest, NewFillSaveAndOpenGiveEveryFieldBack) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("開始時リハビリテーションカンフアレンス（調査票参照）"));
    EXPECT_EQ(f().windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    newPlan(client_);
    ASSERT_FALSE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(f().JishiDay->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(focused(), f().JishiDay);
    EXPECT_EQ(f().JishiDay->cursorPosition(), 0);
    EXPECT_EQ(f().NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().SexLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(f().BirthLabel->text(), QStringLiteral("昭和 15年04月01日"));
    EXPECT_EQ(f().OldLabel->text(), QStringLiteral("83"));
    // An age of three digits shows whole, and so does the longest birthday.
    EXPECT_LE(f().OldLabel->fontMetrics().horizontalAdvance(QStringLiteral("118")), f().OldLabel->width());
    EXPECT_LE(f().BirthLabel->fontMetrics().horizontalAdvance(QStringLiteral("明治 32年12月31日")), f().BirthLabel->width());
    EXPECT_EQ(f().KaigoLabel->text(), QStringLiteral("要介護3"));
    // Unchecked boxes: their texts disabled, 未定 marked.
    EXPECT_FALSE(f().TaishyoYotei->isEnabled());
    EXPECT_FALSE(f().TaishoMitei->isHidden());
    EXPECT_FALSE(f().TaishoMiteiShape->isHidden());
    EXPECT_FALSE(f().Tokuyou->isEnabled());
    for (QPlainTextEdit* note : f().FunctionNotes) EXPECT_FALSE(note->isEnabled());

    fill();
    EXPECT_TRUE(f().DocChanged);
    EXPECT_TRUE(f().TaishyoYotei->isEnabled());
    EXPECT_TRUE(f().TaishoMitei->isHidden());
    EXPECT_TRUE(f().TaishoMiteiShape->isHidden());
    EXPECT_TRUE(f().Rouken->isEnabled());
    EXPECT_TRUE(f().FunctionNotes[0]->isEnabled());
    EXPECT_FALSE(f().FunctionNotes[1]->isEnabled());
    save();
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(stored(client_, kToday), lum::encodeBeforeConference(expected()));

    f().hide();
    f().show();  // showing again starts empty
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_EQ(f().Health->toPlainText(), QString());
    EXPECT_FALSE(f().Tashisetsu->isChecked());
    openPlan(client_);
    EXPECT_EQ(f().Survey, expected());
    EXPECT_EQ(f().JishiDay->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().Gatsupai->toPlainText(), expected().Gapeisho);
    EXPECT_TRUE(f().TaishoBox->isChecked());
    EXPECT_EQ(f().TaishyoYotei->text(), QStringLiteral("３か月後"));
    EXPECT_FALSE(f().TaishoSakiBox->isChecked());
    EXPECT_FALSE(f().TaishoSakiMitei->isHidden());
    EXPECT_TRUE(f().Tashisetsu->isChecked());
    EXPECT_TRUE(f().Tokuyou->isEnabled());
    EXPECT_EQ(f().Tokuyou->text(), QStringLiteral("さくら苑"));
    EXPECT_TRUE(f().FunctionBoxes[3]->isChecked());
    EXPECT_EQ(f().FunctionNotes[3]->toPlainText(), QStringLiteral("右肩"));
    EXPECT_EQ(f().kentou->toPlainText(), expected().Kentou);
    EXPECT_EQ(f().AttendeeBoxes[0]->currentText(), QStringLiteral("鈴木　言語"));
    EXPECT_EQ(f().AttendeeBoxes[1]->currentText(), QString());
    EXPECT_EQ(f().AttendeeBoxes[2]->currentText(), QStringLiteral("佐藤　理学"));
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());

    // 多施設 printed 有 whatever 退所先 says; 退所先 unchecked prints 未定.
    print();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    const QString text = printed();
    for (const QString& s :
         {QStringLiteral("令和06年01月31日"), QStringLiteral(" 山田　花子 様"), QStringLiteral("昭和15年04月01日（83歳）"),
          QStringLiteral("要介護3"), QStringLiteral("退所予定：有（３か月後　）"), QStringLiteral("退所先：未定"),
          QStringLiteral("※多施設申し込み：有"), QStringLiteral("特養：さくら苑"), QStringLiteral("医師：鈴木　言語"),
          QStringLiteral("リハビリ：田中　作業"), expected().Kentou})
        EXPECT_TRUE(text.contains(s)) << s.toStdString();
    EXPECT_EQ(printedBoxes(), QStringList({"-1", "0", "0", "-1", "0", "0", "-1"}));
}

TEST_P(BeforeConferenceFormTest, CheckBoxesMarkTheSurveyChangedAndADisabledTextKeepsItsContents) {
    newPlan(client_);
    EXPECT_FALSE(f().IsModified());
    click(f().TaishoSakiBox);
    EXPECT_TRUE(f().DocChanged);
    f().TaishyoSaki->setText(QStringLiteral("自宅"));
    click(f().TaishoSakiBox);
    EXPECT_FALSE(f().TaishyoSaki->isEnabled());
    EXPECT_EQ(f().TaishyoSaki->text(), QStringLiteral("自宅"));
    // Closing asks the survey's question, then the window's own.
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("カンファレンス（調査票）が保存されていませんが\n終了しますか？"),
             MsgButton::No);
    f().ReturnMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(f().isVisible());
    d.expect(MsgKind::Information, QStringLiteral("カンファレンス（調査票）が保存されていませんが\n終了しますか？"),
             MsgButton::Yes)
        .expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MsgButton::Ok);
    f().ReturnMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_FALSE(f().isVisible());
}

TEST_P(BeforeConferenceFormTest, EnterInTheDateCollectsTheWholeSurveyAndTheAgeFollowsTheDate) {
    newPlan(client_);
    // An over-long note stops Enter with that note's message and focus.
    click(f().FunctionBoxes[1]);
    f().FunctionNotes[1]->setPlainText(QString(128, QChar(u'感')));  // 256 bytes
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, lum::overLimitMessage(254), MsgButton::Ok);
        typeDate(f().JishiDay, QStringLiteral("R060401"));
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(focused(), f().FunctionNotes[1]);
    EXPECT_EQ(f().PractDay, TDateTime::fromDateTime(QDateTime(QDate(2024, 1, 31), QTime(10, 0))));
    f().FunctionNotes[1]->setPlainText(QStringLiteral("しびれ"));
    // A valid date: the survey collected, the age that of the new date.
    {
        lum::ScriptedDialogs d;
        f().JishiDay->setFocus();
        QTest::keyClick(f().JishiDay, Qt::Key_Return);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(d.messages().isEmpty());
    }
    EXPECT_EQ(f().JishiDay->text(), QStringLiteral("令和06年04月01日"));
    EXPECT_EQ(f().PractDay, TDateTime::fromYmd(2024, 4, 1));
    EXPECT_EQ(f().Survey.Old, 84);
    EXPECT_EQ(f().OldLabel->text(), QStringLiteral("84"));
    EXPECT_EQ(f().Survey.KankakuText, QStringLiteral("しびれ"));
    print();
    EXPECT_TRUE(printed().contains(QStringLiteral("（84歳）")));
    // A date that is none: the date's message, the focus stays.
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("日付エラーです。"), MsgButton::Ok);
        f().JishiDay->setText(QStringLiteral("令和06年02月31日"));
        f().JishiDay->setFocus();
        QTest::keyClick(f().JishiDay, Qt::Key_Return);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(focused(), f().JishiDay);

    // Save without Enter: the date typed is saved with its own age.
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"), MsgButton::Ok)
            .expectModal(kDialog, typeNumber(client_));
        f().NewToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    f().JishiDay->setCursorPosition(0);
    QTest::keyClicks(f().JishiDay, QStringLiteral("R050331"));
    save();
    const std::optional<TBeforeConference> saved = lum::decodeBeforeConference(stored(client_, TDateTime::fromYmd(2023, 3, 31)));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Old, 82);
}

TEST_P(BeforeConferenceFormTest, NewKeepsTheBodyAndThePrintoutShowsWhatTheScreenShows) {
    newPlan(client_);
    fill();
    save();
    openPlan(client_);
    // New for another client: header and date afresh, the body kept.
    newPlan(other_);
    EXPECT_EQ(f().NameLabel->text(), QStringLiteral("佐藤　一郎"));
    EXPECT_EQ(f().JishiDay->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().Health->toPlainText(), expected().Health);
    EXPECT_TRUE(f().Tashisetsu->isChecked());
    EXPECT_EQ(f().AttendeeBoxes[0]->currentText(), QStringLiteral("鈴木　言語"));
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    // Changed on screen, printed without saving.
    f().Health->setPlainText(QStringLiteral("微熱あり"));
    click(f().Tashisetsu);
    click(f().TaishoBox);  // 退所予定 off: 未定, whatever the text still holds
    choose(0, 1);
    f().AttendeeBoxes[4]->setEditText(QStringLiteral("応援の職員"));  // typed, not chosen
    f().JishiDay->setCursorPosition(0);
    QTest::keyClicks(f().JishiDay, QStringLiteral("R060210"));
    const TBeforeConference held = f().Survey;
    print();
    const QString text = printed();
    for (const QString& s : {QStringLiteral(" 佐藤　一郎 様"), QStringLiteral("令和06年02月10日"), QStringLiteral("微熱あり"),
                             QStringLiteral("退所予定：未定"), QStringLiteral("※多施設申し込み：無"),
                             QStringLiteral("医師：田中　作業")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("３か月後")));
    EXPECT_FALSE(text.contains(QStringLiteral("応援の職員")));
    EXPECT_EQ(f().Survey, held);  // nothing collected into the survey held
    EXPECT_EQ(rowCount(QStringLiteral("BeforeConfer"), other_), 0);
    // Saved once the typed name is erased (Save refuses it): the empty boxes are -1.
    f().AttendeeBoxes[4]->setEditText(QString());
    save();
    const std::optional<TBeforeConference> saved = lum::decodeBeforeConference(stored(other_, TDateTime::fromYmd(2024, 2, 10)));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Dr, 5);
    EXPECT_EQ(saved->Care, -1);
    EXPECT_EQ(saved->Rihabi, -1);
    EXPECT_FALSE(saved->Tashisetsu);
    EXPECT_EQ(saved->TaishoText, QStringLiteral("３か月後"));  // kept, though 未定
}

// An attendee box whose text names nobody of the staff list is refused at
// Save by its caption, with the focus in it and nothing stored; a staff
// name typed whole is that member, a blank box nobody.
TEST_P(BeforeConferenceFormTest, AnAttendeeThatIsNoStaffMemberIsRefusedAtSave) {
    newPlan(client_);
    struct Case {
        const char* caption;
        QString mended;  // the text that then saves
        int code;
    } cases[] = {
        {"医師", QStringLiteral("佐藤　理学"), 3},
        {"ケアマネ", QString(), -1},
        {"管理栄養士", QStringLiteral(" "), -1},
        {"看介護", QString(), -1},
        {"リハビリ", QStringLiteral("鈴木　言語"), 9},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.caption);
        QComboBox* box = f().AttendeeBoxes[i];
        saveRefusingAttendee(box, c.caption);
        typeInto(box, c.mended);
        ASSERT_EQ(box->currentText(), c.mended);
    }
    save();
    const std::optional<TBeforeConference> saved = lum::decodeBeforeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    const std::vector<int> codes{saved->Dr, saved->Care, saved->Eiyou, saved->Kaigo, saved->Rihabi};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(codes[i], cases[i].code) << cases[i].caption;
}

// A staff name typed with a half-width blank where the list has a full-width
// one is that member.
TEST_P(BeforeConferenceFormTest, AnAttendeeTypedWithAHalfWidthBlankIsTheStaffMember) {
    newPlan(client_);
    typeInto(f().AttendeeBoxes[3], QStringLiteral("鈴木 言語"));  // 看介護
    save();
    const std::optional<TBeforeConference> saved = lum::decodeBeforeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Kaigo, 9);
}

// Each memo printed in a box of fixed size, filled with the most short lines
// its 254 bytes let through (19), is refused at Save by its caption and the
// lines its printed box holds, the focus in the memo and nothing stored; at
// exactly those lines it saves and is stored as typed.
TEST_P(BeforeConferenceFormTest, AMemoItsPrintedBoxCannotHoldIsRefusedAtSave) {
    newPlan(client_);
    for (QCheckBox* box : f().FunctionBoxes) click(box);  // every note takes the focus
    using B = TBeforeConference;
    struct Box {
        QPlainTextEdit* memo;
        const char* caption;
        int lines;  // the lines its printed box holds
        QString B::*field;
    } boxes[] = {
        {f().Health, "健康状態", 4, &B::Health},
        {f().Gatsupai, "合併症・コントロール状態", 4, &B::Gapeisho},
        {f().SelfHope, "リハに対する希望（本人）", 4, &B::HonninHope},
        {f().FarmilyHope, "リハに対する希望（家族）", 4, &B::KazokuHope},
        {f().FunctionNotes[0], "心身機能（運動機能障害）", 3, &B::UndouText},
        {f().FunctionNotes[1], "心身機能（感覚機能障害）", 3, &B::KankakuText},
        {f().FunctionNotes[2], "心身機能（高次脳機能障害）", 3, &B::KoujiNouText},
        {f().FunctionNotes[3], "心身機能（拘縮）", 3, &B::KoushukuText},
        {f().FunctionNotes[4], "心身機能（関節痛）", 3, &B::KansetsuText},
        {f().FunctionNotes[5], "心身機能（その他）", 3, &B::SonotaText},
        {f().FunctionNotes[6], "心身機能（認知症）", 3, &B::NinchiText},
    };
    const QStringList most = lum::test::mostShortLines(lum::before_conference_limits::Note);
    ASSERT_EQ(most.size(), 19);
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.caption);
        b.memo->setPlainText(most.join(u'\n'));
        saveRefusingUnprinted(b.memo, b.caption, b.lines);
        b.memo->setPlainText(most.mid(0, b.lines).join(u'\n'));
    }
    save();
    const std::optional<TBeforeConference> saved = lum::decodeBeforeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    for (const Box& b : boxes) EXPECT_EQ((*saved).*b.field, most.mid(0, b.lines).join(u'\n')) << b.caption;
}

TEST_P(BeforeConferenceFormTest, DeleteAfterEnterOnAnotherDateDeletesTheSurveyOpenedOnly) {
    const TDateTime other = TDateTime::fromYmd(2024, 1, 10);
    insertRow(db(), client_, other, 30, lum::encodeBeforeConference(expected()));
    newPlan(client_);
    fill();
    save();
    openPlan(client_, kToday);
    typeDate(f().JishiDay, QStringLiteral("R060110"));  // collects: 実施日 now the other survey's day
    EXPECT_EQ(f().PractDay, other);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Confirm, QStringLiteral("このカンファレンスのデータを消去しますか？"), MsgButton::Yes);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(stored(client_, kToday).isEmpty());
    EXPECT_FALSE(stored(client_, other).isEmpty());
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
}

TEST_P(BeforeConferenceFormTest, RowsThatCannotBeReadAreRefused) {
    insertRow(db(), client_, kToday, 31, lum::encodeBeforeConference(expected()));
    insertRow(db(), other_, kToday, 30, lum::encodeBeforeConference(expected()).left(4199));
    for (int cureNo : {client_, other_}) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo))
            .expect(MsgKind::Error, QStringLiteral("System DB Read Error:カンファレンス"), MsgButton::Abort);
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(f().ScrollBox1->isHidden());
    }
}

TEST_P(BeforeConferenceFormTest, TwoWorkstationsSavingOneSurveyLeaveOneWholeRecord) {
    newPlan(client_);
    fill();
    // The other workstation writes the same survey and holds its transaction
    // open while this one saves.
    TBeforeConference theirs = expected();
    theirs.Health = QStringLiteral("別の端末");
    const QByteArray theirBytes = lum::encodeBeforeConference(theirs);
    std::atomic<bool> written = false;
    std::thread other([&] {
        auto connection = scratch().open();
        lum::db::Transaction tx(*connection);
        insertRow(*connection, client_, kToday, 30, theirBytes);
        written = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        tx.commit();
    });
    while (!written) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    lum::ScriptedDialogs d;
    if (isSqlite()) {
        // This save's transaction begins once theirs committed: their survey
        // is found there and the question asked; いいえ keeps theirs.
        d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::No)
            .expect(MsgKind::Information, QStringLiteral("カンファレンスの保存はキャンセルしました。"), MsgButton::Ok);
    } else {
        // Both look at once; this insert then meets theirs on the unique key.
        d.expect(MsgKind::Error, QStringLiteral("*** System DB Error:カンファレンスの保存に失敗しました。"),
                 MsgButton::Abort);
    }
    f().SaveToolButton->click();
    other.join();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(rowCount(QStringLiteral("BeforeConfer"), client_), 1);
    EXPECT_EQ(stored(client_, kToday), theirBytes);
    EXPECT_TRUE(f().IsModified());  // the survey on screen is kept, unsaved
    // Saved again, the question is asked and the screen's survey replaces theirs whole.
    d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::Yes)
        .expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(stored(client_, kToday), lum::encodeBeforeConference(expected()));
}

LUM_INSTANTIATE_DATABASE_TESTS(BeforeConferenceFormTest);

}  // namespace
