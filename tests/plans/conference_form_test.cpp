// The conference record window on both backends, driven by its control
// names: New, fill, Save, Open gives every field back; New after Open keeps
// the body under the new header; Enter on the date and Save without it both
// move the age; a blank attendee box is -1, a typed name that is no staff
// member is refused at Save, one typed with other blanks is that member; a row switched
// asks on closing; the checks with their messages and focus; Delete acts on
// the conference opened; damaged rows are refused; a save from another
// workstation is replaced whole only when asked; the printout on its own; a
// row's text its printed box cannot hold is refused at Save.
#include "plans/conference_form.h"

#include "common/db/sql_date.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/blob_document_road.h"
#include "plans/marker_pair.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "report/draw/wrapped_lines.h"
#include "support/short_lines.h"
#include "widgets/comment_form.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TConference;
using lum::TDateTime;

const QString kDialog = QStringLiteral("TGetConfForm");
const QString kSaved = QStringLiteral("カンファレンスを保存しました。");

class ConferenceFormTest : public lum::test::UrinFormTest<TConferenceForm> {
protected:
    void TearDown() override {
        delete GetConfForm;
        UrinFormTest::TearDown();
    }
    void click(const char* caption) { QTest::mouseClick(control<QWidget>(caption), Qt::LeftButton); }
    bool shown(const char* marker) { return !control<QWidget>(marker)->isHidden(); }
    void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void fill() {
        f().Hyouka->setFocus();
        f().Hyouka->insertPlainText(QStringLiteral("歩行が安定"));
        f().target->setPlainText(QStringLiteral("在宅復帰"));
        click("MokuNasi");
        f().DeadLine->setPlainText(QStringLiteral("3ヶ月"));
        f().KanKaigo->setPlainText(QStringLiteral("見守り"));
        f().RihaProgram->setPlainText(QStringLiteral("歩行訓練\n階段"));
        choose(f().DRCombo, 0);
        choose(f().CareCombo, 2);
        typeInto(f().CareCombo, QStringLiteral("　"));  // the choice typed over with a blank: nobody
        choose(f().KangoCombo, 1);
    }
    TConference expected() const {
        TConference c;
        c.Shimei = QStringLiteral("山田　花子");
        c.Sex = 1;
        c.Birth = TDateTime::fromYmd(1940, 4, 1);
        c.Old = 83;
        c.Kaigodo = 4;
        c.FromDay = c.ToDay = kToday;
        c.Hyouka = QStringLiteral("歩行が安定");
        c.Target = false;
        c.Mokuhyou = QStringLiteral("在宅復帰");
        c.Toutatsu = QStringLiteral("3ヶ月");
        c.KankaiAriNasi = true;
        c.KanKaigo = QStringLiteral("見守り");
        c.RihabiAriNasi = true;
        c.Rihabi = QStringLiteral("歩行訓練\n階段");
        c.Dr = 3;
        c.Care = -1;
        c.Eiyou = -1;
        c.KanKai = 5;
        c.Rihabiri = -1;
        return c;
    }
    QByteArray stored(int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare(
            QStringLiteral("SELECT ConferData FROM Conference WHERE CureNo = :c AND PractDay = :d"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        db().exec(q);
        return q.next() ? q.value(0).toByteArray() : QByteArray();
    }
    void store(int cureNo, TDateTime day, int version, const QByteArray& blob) {
        QSqlQuery q = db().prepare(QStringLiteral(
            "INSERT INTO Conference (CureNo, PractDay, DataFormatVersion, ConferData) VALUES (:c, :d, :v, :b)"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        lum::db::bindDate(q, QStringLiteral(":d"), day);
        q.bindValue(QStringLiteral(":v"), version);
        q.bindValue(QStringLiteral(":b"), blob);
        db().exec(q);
    }
    void shot(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        f().grab().save(folder + u'/' + name + QStringLiteral(".png"));
        f().CanfPanel->grab().save(folder + u'/' + name + QStringLiteral("-sheet.png"));
    }
};

TEST_P(ConferenceFormTest, NewFillSaveAndOpenGiveEveryFieldBack) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("リハビリテーションカンファレンス"));
    EXPECT_EQ(f().windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(f().DRCombo->count(), 3);
    EXPECT_EQ(f().DRCombo->currentIndex(), -1);
    newPlan(client_);
    ASSERT_FALSE(f().ScrollBox1->isHidden());
    EXPECT_TRUE(f().SaveToolButton->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(control<QLabel>("Shimai")->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(control<QLabel>("Seibetsu")->text(), QStringLiteral("女性"));
    EXPECT_EQ(control<QLabel>("NenreiLabel")->text(), QStringLiteral("83"));
    EXPECT_EQ(control<QLabel>("Youkaigo")->text(), QStringLiteral("要介護3"));
    for (QLineEdit* date : {f().Hizuke, f().FromDate, f().ToDate})
        EXPECT_EQ(date->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_TRUE(f().Hizuke->hasFocus());
    // Every row starts at 有 with its memo open.
    for (const char* yes : {"TargetAri", "KangoAri", "RahaAri"}) EXPECT_TRUE(shown(yes)) << yes;
    for (const char* no : {"TargetNasi", "KangoNasi", "RahaNasi"}) EXPECT_FALSE(shown(no)) << no;
    EXPECT_FALSE(f().IsModified());

    fill();
    shot(QStringLiteral("conference-filled"));
    EXPECT_TRUE(shown("TargetNasi"));
    EXPECT_FALSE(f().target->isEnabled());
    EXPECT_EQ(f().target->toPlainText(), QStringLiteral("在宅復帰"));  // kept, only closed
    EXPECT_TRUE(f().DeadLine->isEnabled());
    save();
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(rowCount(QStringLiteral("Conference"), client_), 1);
    EXPECT_EQ(stored(client_, kToday), lum::encodeConference(expected()));

    f().Hyouka->setPlainText(QStringLiteral("消える"));
    f().ResetModified();
    openPlan(client_);
    EXPECT_EQ(f().Conf, expected());
    EXPECT_EQ(f().Hyouka->toPlainText(), QStringLiteral("歩行が安定"));
    EXPECT_TRUE(shown("TargetNasi"));
    EXPECT_FALSE(f().target->isEnabled());
    EXPECT_TRUE(shown("KangoAri"));
    EXPECT_EQ(f().RihaProgram->toPlainText(), QStringLiteral("歩行訓練\n階段"));
    EXPECT_EQ(f().DRCombo->currentText(), QStringLiteral("佐藤　理学"));
    EXPECT_EQ(f().CareCombo->currentIndex(), -1);
    EXPECT_EQ(f().CareCombo->currentText(), QString());
    EXPECT_EQ(f().KangoCombo->currentText(), QStringLiteral("田中　作業"));
    EXPECT_EQ(f().Hizuke->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

TEST_P(ConferenceFormTest, NewAfterOpenKeepsTheBodyUnderTheNewHeaderAndTodaysDates) {
    TConference old = expected();
    old.FromDay = TDateTime::fromYmd(2023, 10, 1);
    old.ToDay = TDateTime::fromYmd(2023, 12, 31);
    const TDateTime day = TDateTime::fromYmd(2024, 1, 5);
    store(client_, day, 30, lum::encodeConference(old));
    openPlan(client_);
    EXPECT_EQ(f().FromDate->text(), QStringLiteral("令和05年10月01日"));

    newPlan(other_);
    EXPECT_EQ(control<QLabel>("Shimai")->text(), QStringLiteral("佐藤　一郎"));
    EXPECT_EQ(control<QLabel>("Seibetsu")->text(), QStringLiteral("男性"));
    for (QLineEdit* date : {f().Hizuke, f().FromDate, f().ToDate})
        EXPECT_EQ(date->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().Hyouka->toPlainText(), QStringLiteral("歩行が安定"));
    EXPECT_TRUE(shown("TargetNasi"));
    EXPECT_EQ(f().DRCombo->currentText(), QStringLiteral("佐藤　理学"));
    EXPECT_FALSE(f().IsModified());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    save();
    TConference now = expected();
    now.Shimei = QStringLiteral("佐藤　一郎");
    now.Sex = 0;
    EXPECT_EQ(lum::decodeConference(stored(other_, kToday)), now);
    EXPECT_EQ(stored(client_, day), lum::encodeConference(old));
}

TEST_P(ConferenceFormTest, EnterOnAValidDateMovesThePrintedAgeAsSaveWithoutEnterDoes) {
    newPlan(client_);
    typeDate(f().Hizuke, QStringLiteral("R060401"));  // the 84th birthday
    EXPECT_EQ(f().Hizuke->text(), QStringLiteral("令和06年04月01日"));
    EXPECT_EQ(control<QLabel>("NenreiLabel")->text(), QStringLiteral("84"));
    EXPECT_TRUE(f().IsModified());
    f().PrintToolButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    const QString printed = printedText(f().frReport1);
    EXPECT_TRUE(printed.contains(QStringLiteral("(84歳)"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("令和06年04月01日")));

    // Typed without Enter: Save takes the date and its age all the same.
    f().ResetModified();
    newPlan(client_);
    f().Hizuke->setText(QStringLiteral("令和06年04月01日"));
    f().Hizuke->setModified(true);
    EXPECT_EQ(control<QLabel>("NenreiLabel")->text(), QStringLiteral("83"));
    save();
    EXPECT_EQ(lum::decodeConference(stored(client_, TDateTime::fromYmd(2024, 4, 1)))->Old, 84);
    EXPECT_EQ(control<QLabel>("NenreiLabel")->text(), QStringLiteral("84"));
}

TEST_P(ConferenceFormTest, EnterOnABadDateSaysSoAndKeepsTheFocus) {
    newPlan(client_);
    const std::pair<QLineEdit*, QString> cases[] = {
        {f().Hizuke, QStringLiteral("日付エラーです。")},
        {f().FromDate, QStringLiteral("期間　開始日エラーです。")},
        {f().ToDate, QStringLiteral("期間　終了日エラーです。")},
    };
    for (const auto& [edit, message] : cases) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, message, MsgButton::Ok);
        edit->setText(QStringLiteral("令和06年02月30日"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(edit->hasFocus()) << message.toStdString();
    }
    EXPECT_EQ(control<QLabel>("NenreiLabel")->text(), QStringLiteral("83"));
    typeDate(f().ToDate, QStringLiteral("R060331"));
    EXPECT_EQ(f().Conf.ToDay, TDateTime::fromYmd(2024, 3, 31));
}

// An attendee box whose text names nobody of the staff list is refused at
// Save by its caption, with the focus in it and nothing stored; a staff
// name typed whole is that member, a blank box nobody.
TEST_P(ConferenceFormTest, AnAttendeeThatIsNoStaffMemberIsRefusedAtSave) {
    newPlan(client_);
    struct Case {
        QComboBox* box;
        const char* caption;
        QString mended;  // the text that then saves
        int code;
    } cases[] = {
        {f().DRCombo, "医師", QString(), -1},
        {f().CareCombo, "ケアマネ", QStringLiteral("　"), -1},
        {f().EiyouComb, "管理栄養士", QString(), -1},
        {f().KangoCombo, "看介護", QStringLiteral("鈴木　言語"), 9},
        {f().RihaCombo, "リハビリ", QStringLiteral("田中　作業"), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        saveRefusingAttendee(c.box, c.caption);
        typeInto(c.box, c.mended);
        ASSERT_EQ(c.box->currentText(), c.mended);
    }
    save();
    const std::optional<TConference> saved = lum::decodeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    const std::vector<int> codes{saved->Dr, saved->Care, saved->Eiyou, saved->KanKai, saved->Rihabiri};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(codes[i], cases[i].code) << cases[i].caption;
}

// A staff name typed as people type it is that member: a half-width blank
// for the list's full-width one, a run of blanks, blanks at the ends.
TEST_P(ConferenceFormTest, AnAttendeeTypedWithOtherBlanksIsTheStaffMember) {
    newPlan(client_);
    typeInto(f().KangoCombo, QStringLiteral("鈴木 言語"));
    typeInto(f().DRCombo, QStringLiteral(" 佐藤　 理学　"));
    typeInto(f().RihaCombo, QStringLiteral("田中  作業"));
    save();
    const std::optional<TConference> saved = lum::decodeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->KanKai, 9);
    EXPECT_EQ(saved->Dr, 3);
    EXPECT_EQ(saved->Rihabiri, 5);
    EXPECT_EQ(f().KangoCombo->currentText(), QStringLiteral("鈴木 言語")) << "the text stays as typed";
}

// Each entry at its limit is taken, one byte more is refused with its
// message and the focus on it; the dates are checked first, in their order.
TEST_P(ConferenceFormTest, TheChecksRunInTheirOrderWithTheirLimits) {
    newPlan(client_);
    const QString over4094 = QStringLiteral(
        "入力文字数がオーバーしています。\n半角4094文字・全角2047文字以内で入力してください。");
    const QString over254 =
        QStringLiteral("入力文字数がオーバーしています。\n半角254文字・全角127文字以内で入力してください。");
    EXPECT_EQ(lum::overLimitMessage(4094), over4094);
    struct Limit {
        QPlainTextEdit* memo;
        QString accepted;
        QString refused;
        QString message;
    };
    const QString crlfRow = QString(126, QChar(u'目')) + QStringLiteral("\n");  // 252 + CR LF = 254
    const Limit limits[] = {
        {f().Hyouka, QString(2047, QChar(u'評')), QString(2047, QChar(u'評')) + QStringLiteral("x"), over4094},
        {f().target, crlfRow, crlfRow + QStringLiteral("x"), over254},
        {f().DeadLine, QString(254, QChar(u'3')), QString(127, QChar(u'月')) + QStringLiteral("\n"), over254},
        {f().KanKaigo, QString(127, QChar(u'看')), QString(255, QChar(u'k')), over254},
        {f().RihaProgram, QString(127, QChar(u'リ')), QString(126, QChar(u'リ')) + QStringLiteral("\n\n"), over254},
    };
    // Dates first.
    f().Hizuke->setText(QStringLiteral("令和06年13月01日"));
    f().FromDate->setText(TConferenceForm::BlankDate);
    f().ToDate->setText(QStringLiteral("令和06年02月30日"));
    for (const Limit& l : limits) l.memo->setPlainText(l.refused);
    struct Step {
        std::function<void()> mend;
        QString message;
        QWidget* focus;
    };
    std::vector<Step> steps = {
        {[] {}, QStringLiteral("日付エラーです。"), f().Hizuke},
        {[&] { f().Hizuke->setText(QStringLiteral("令和06年02月01日")); }, QStringLiteral("期間　開始日エラーです。"),
         f().FromDate},
        {[&] { f().FromDate->setText(QStringLiteral("令和06年01月01日")); }, QStringLiteral("期間　終了日エラーです。"),
         f().ToDate},
        {[&] { f().ToDate->setText(QStringLiteral("令和06年01月31日")); }, limits[0].message, limits[0].memo},
    };
    for (size_t i = 1; i < std::size(limits); ++i)
        steps.push_back({[&, i] { limits[i - 1].memo->setPlainText(limits[i - 1].accepted); }, limits[i].message,
                         limits[i].memo});
    for (const Step& s : steps) {
        s.mend();
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, s.message, MsgButton::Ok);
        EXPECT_FALSE(f().CollectRecord());
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(s.focus->hasFocus()) << s.focus->objectName().toStdString();
    }
    // A refused collect leaves the record as it was.
    EXPECT_TRUE(f().Conf.Hyouka.isEmpty());
    limits[4].memo->setPlainText(limits[4].accepted);
    ASSERT_TRUE(f().CollectRecord());
    EXPECT_EQ(f().Conf.Hyouka, limits[0].accepted);
    EXPECT_EQ(f().Conf.Mokuhyou, crlfRow);
    EXPECT_EQ(f().Conf.FromDay, TDateTime::fromYmd(2024, 1, 1));
    EXPECT_EQ(f().ConfDate, TDateTime::fromYmd(2024, 2, 1));
    // What was accepted is stored whole.
    const TConference back = *lum::decodeConference(lum::encodeConference(f().Conf));
    EXPECT_EQ(back, f().Conf);
}

// Each row's text, filled with the most short lines its 254 bytes let
// through (19), is refused at Save by its caption and the lines its printed
// box holds, the focus in the memo and nothing stored; at exactly those lines
// it saves and is stored as typed. Print takes a text its box cannot hold
// without a word and prints the lines the box holds, the cut marked.
TEST_P(ConferenceFormTest, ARowTextItsPrintedBoxCannotHoldIsRefusedAtSave) {
    newPlan(client_);
    struct Box {
        QPlainTextEdit* memo;
        const char* caption;
        int lines;  // the lines its printed box holds
        QString TConference::*field;
        char16_t mark;  // each memo's lines its own, so each is found by its text
    } boxes[] = {
        {f().target, "目標", 7, &TConference::Mokuhyou, u'目'},
        {f().DeadLine, "到達時期", 4, &TConference::Toutatsu, u'期'},
        {f().KanKaigo, "看介護アプローチ", 7, &TConference::KanKaigo, u'看'},
        {f().RihaProgram, "リハビリプログラム", 7, &TConference::Rihabi, u'訓'},
    };
    const auto most = [](const Box& b) { return lum::test::mostShortLines(lum::conference_limits::RowMemo, b.mark); };
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.caption);
        const QStringList lines = most(b);
        ASSERT_EQ(lines.size(), 19);
        b.memo->setPlainText(lines.join(u'\n'));
        saveRefusingUnprinted(b.memo, b.caption, b.lines);
        {
            lum::ScriptedDialogs d;
            f().PrintToolButton->click();
            EXPECT_TRUE(d.messages().isEmpty()) << d.report().toStdString();
            QStringList printed;
            for (const auto& v : f().frReport1.EMFPages.GetPage(0).objects())
                for (const lum::WrappedLine& line : lum::decodeWrappedLines(v->Memo)) printed << line.text;
            const QStringList kept = lines.mid(0, b.lines - 1) << lines[b.lines - 1] + QStringLiteral("…");
            for (const QString& line : kept) EXPECT_TRUE(printed.contains(line)) << line.toStdString();
            EXPECT_FALSE(printed.contains(lines[b.lines])) << printed.join(u' ').toStdString();
        }
        b.memo->setPlainText(lines.mid(0, b.lines).join(u'\n'));
    }
    save();
    const std::optional<TConference> saved = lum::decodeConference(stored(client_, kToday));
    ASSERT_TRUE(saved);
    for (const Box& b : boxes) EXPECT_EQ((*saved).*b.field, most(b).mid(0, b.lines).join(u'\n')) << b.caption;
}

TEST_P(ConferenceFormTest, ARowSwitchedThenClosedAsks) {
    store(client_, kToday, 30, lum::encodeConference(expected()));
    openPlan(client_);
    ASSERT_FALSE(f().IsModified());
    click("RihabiriNasi");
    EXPECT_TRUE(shown("RahaNasi"));
    EXPECT_FALSE(f().RihaProgram->isEnabled());
    EXPECT_EQ(f().RihaProgram->toPlainText(), QStringLiteral("歩行訓練\n階段"));
    EXPECT_TRUE(f().IsModified());
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("カンファレンスが保存されていませんが\n終了しますか？"),
                 MsgButton::No);
        f().N9->trigger();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_TRUE(f().isVisible());
    {
        // The close button asks only the window's own question.
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MsgButton::No);
        f().CloaeToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_TRUE(f().isVisible());
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"), MsgButton::No);
        f().NewToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_TRUE(shown("RahaNasi"));
}

TEST_P(ConferenceFormTest, DeleteAfterEnterOnAnotherDateDeletesTheOpenedConferenceOnly) {
    const TDateTime d1 = TDateTime::fromYmd(2024, 1, 10), d2 = TDateTime::fromYmd(2024, 1, 20);
    TConference one = expected(), two = expected();
    two.Hyouka = QStringLiteral("二回目");
    store(client_, d1, 30, lum::encodeConference(one));
    store(client_, d2, 30, lum::encodeConference(two));
    openPlan(client_, d1);
    EXPECT_EQ(f().Hyouka->toPlainText(), QStringLiteral("歩行が安定"));
    typeDate(f().Hizuke, QStringLiteral("R060120"));
    EXPECT_EQ(f().ConfDate, d2);

    lum::ScriptedDialogs d;
    d.expect(MsgKind::Confirm, QStringLiteral("このカンファレンスのデータを消去しますか？"), MsgButton::Yes);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(stored(client_, d1).isEmpty());
    EXPECT_EQ(stored(client_, d2), lum::encodeConference(two));
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
}

TEST_P(ConferenceFormTest, RowsOfAnotherVersionOrTooShortAreNotOpened) {
    const QByteArray whole = lum::encodeConference(expected());
    store(client_, kToday, 31, whole);
    store(other_, kToday, 30, whole.left(lum::ConferenceSize - 1));
    for (int cureNo : {client_, other_}) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo))
            .expect(MsgKind::Error, QStringLiteral("System DB Read Error:カンファレンス"), MsgButton::Abort);
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(f().ScrollBox1->isHidden());
        EXPECT_FALSE(f().SaveToolButton->isEnabled());
    }
}

TEST_P(ConferenceFormTest, AnotherWorkstationsConferenceOfTheDayIsReplacedWholeOnlyWhenAsked) {
    newPlan(client_);
    fill();
    auto other = scratch().open();
    TConference theirs = expected();
    theirs.Hyouka = QString(2047, QChar(u'他'));
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
        ASSERT_TRUE(lum::saveBlobDocument(*other, f().Kind(), client_, kToday, lum::encodeConference(theirs)));
    }
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::No)
            .expect(MsgKind::Information, QStringLiteral("カンファレンスの保存はキャンセルしました。"), MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(stored(client_, kToday), lum::encodeConference(theirs));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::Yes)
        .expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(rowCount(QStringLiteral("Conference"), client_), 1);
    EXPECT_EQ(stored(client_, kToday), lum::encodeConference(expected()));
}

TEST_P(ConferenceFormTest, PrintsTheScreensValuesWithoutSaving) {
    store(client_, kToday, 30, lum::encodeConference(expected()));
    openPlan(client_);
    click("KankaiNasi");
    f().Hyouka->setPlainText(QString(2047, QChar(u'評')));
    f().PrintToolButton->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_GE(f().frReport1.EMFPages.Count(), 1);
    QStringList all;
    for (int i = 0; i < f().frReport1.EMFPages.Count(); ++i)
        for (const auto& v : f().frReport1.EMFPages.GetPage(i).objects()) all << v->Memo.join(QString());
    const QString printed = all.join(u'\n');
    for (const QString& text :
         {QStringLiteral("リハビリテーションカンフアレンス"), QStringLiteral(" 山田　花子"), QStringLiteral("(83歳)"),
          QStringLiteral("要介護3"), QStringLiteral("（期間 令和06年01月31日 ～ 令和06年01月31日 ）"),
          QStringLiteral("在宅復帰"), QStringLiteral("3ヶ月"), QStringLiteral(" 佐藤　理学"),
          QStringLiteral(" 田中　作業")})
        EXPECT_TRUE(printed.contains(text)) << text.toStdString();
    EXPECT_EQ(printed.count(QStringLiteral("変更（無）")), 2);  // 目標 and 看介護
    EXPECT_EQ(printed.count(QStringLiteral("変更（有）")), 1);  // リハビリ
    // The whole evaluation, over as many lines as it takes.
    EXPECT_EQ(printed.count(QChar(u'評')), 2047 + 1);  // and its heading
    EXPECT_EQ(stored(client_, kToday), lum::encodeConference(expected()));
}

TEST_P(ConferenceFormTest, ADoubleClickPutsThePickedPhrasesOnTheClipboard) {
    newPlan(client_);
    const QPlainTextEdit* memos[] = {f().Hyouka, f().target, f().DeadLine, f().KanKaigo, f().RihaProgram};
    for (int code = 0; code < 5; ++code) {
        lum::ScriptedDialogs d;
        d.expectModal(QStringLiteral("StringsForm"), [code](QDialog& dialog) {
            auto& picker = static_cast<TStringsForm&>(dialog);
            EXPECT_EQ(picker.ProgramName, QStringLiteral("Conference"));
            EXPECT_EQ(picker.CommentCode, code);
            picker.TextBox1->setEditText(QStringLiteral("定型文%1").arg(code));
            picker.TextBox2->setEditText(QStringLiteral("二行目"));
            return int(QDialog::Accepted);
        });
        QTest::mouseDClick(memos[code]->viewport(), Qt::LeftButton);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("定型文%1\n二行目").arg(code));
        EXPECT_TRUE(memos[code]->toPlainText().isEmpty());  // pasted only where the user wants
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(ConferenceFormTest);

}  // namespace
