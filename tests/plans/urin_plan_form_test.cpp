// The rehabilitation plan window on both backends, driven by its control
// names: New, fill, Save, Open gives every field back; a second Save of the
// day asks; another day adds a plan; damaged rows are refused; Delete acts on
// the plan opened; a plan another process stores while the overwrite question
// is open is asked about again; the printout on its own.
#include "plans/urin_plan_form.h"

#include "common/era_text.h"
#include "plans/blob_document_road.h"
#include "plans/marker_pair.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "support/document_peer.h"
#include "support/short_lines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kDialog = QStringLiteral("TGetUrinPlanForm");
const QString kTable = QStringLiteral("UrinKeikaku");
const QString kBlob = QStringLiteral("KeikakuData");

class UrinPlanFormTest : public lum::test::UrinFormTest<TURinPlanForm> {
protected:
    void click(const char* caption) { QTest::mouseClick(control<QWidget>(caption), Qt::LeftButton); }
    bool shown(const char* marker) { return !control<QWidget>(marker)->isHidden(); }
    void fill() {
        f().AimBoxes[0]->setEditText(QStringLiteral("在宅復帰"));
        f().AimBoxes[2]->setEditText(QString(24, QChar(u'歩')));  // 48 bytes, the limit
        click("NyushoAri");
        click("TankiAri");
        typeDate(f().TankiLmtDay, QStringLiteral("R060430"));
        f().HDS_R_Edit->setText(QStringLiteral("25"));
        f().TokiMemo->setPlainText(QStringLiteral("転倒注意\n血圧に注意"));
        f().KinkiMemo->setPlainText(QStringLiteral("右肩の挙上"));
        f().TantouBox->setCurrentIndex(1);
        emit f().TantouBox->activated(1);
    }
    lum::TUrinPlan expected() const {
        lum::TUrinPlan p;
        p.Shimei = QStringLiteral("山田　花子");
        p.Sex = 1;
        p.Birth = TDateTime::fromYmd(1940, 4, 1);
        p.Old = 83;
        p.Kaigodo = 4;
        p.Disease = {QStringLiteral("脳梗塞後遺症"), QStringLiteral("高血圧"), {}, {}, {}, QString(25, QChar(u'糖'))};
        p.Purpose = {QStringLiteral("在宅復帰"), {}, QString(24, QChar(u'歩')), {}};
        p.Nyushobi = TDateTime::fromYmd(2023, 10, 1);
        p.NyushoKiou = true;
        p.TankiKasann = true;
        p.TankiKasannTo = TDateTime::fromYmd(2024, 4, 30);
        p.HDSR = QStringLiteral("25");
        p.SpacialMemo = QStringLiteral("転倒注意\n血圧に注意");
        p.KinkiMemo = QStringLiteral("右肩の挙上");
        p.Rihabi = 5;
        return p;
    }

};

TEST_P(UrinPlanFormTest, NewFillSaveAndOpenGiveEveryFieldBack) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("リハビリテーション計画書"));
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().SaveToolButton->isEnabled());
    newPlan(client_);
    ASSERT_FALSE(f().ScrollBox1->isHidden());
    EXPECT_TRUE(f().SaveToolButton->isEnabled());
    EXPECT_TRUE(f().PrintToolButton->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());  // nothing stored yet
    EXPECT_EQ(control<QLabel>("ShisetsuLabel")->text(), QStringLiteral("介護老人保健施設　さくらの丘"));
    EXPECT_EQ(control<QLabel>("NameLabel")->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(control<QLabel>("SexLabel")->text(), QStringLiteral("女性"));
    EXPECT_EQ(control<QLabel>("BirthLabel")->text(), QStringLiteral("昭和15年04月01日"));
    EXPECT_EQ(control<QLabel>("OldLabel")->text(), QStringLiteral("83"));
    EXPECT_EQ(control<QLabel>("Shindanmei6")->text(), QString(25, QChar(u'糖')));  // cut to 50 bytes
    EXPECT_EQ(control<QLabel>("NyushoDayLabel")->text(), QStringLiteral("令和05年10月01日"));
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(shown(qPrintable(QStringLiteral("Shape%1").arg(i))), i == 5) << i;
    EXPECT_EQ(f().SakuseiDay->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_TRUE(f().SakuseiDay->hasFocus());
    for (const char* none : {"NyushoShapeNasi", "TankiShapeNasi", "NinchiShapeNasi"}) EXPECT_TRUE(shown(none)) << none;
    for (const char* yes : {"NyushoShapeAri", "TankiShapeAri", "NinchiShapeAri"}) EXPECT_FALSE(shown(yes)) << yes;
    EXPECT_FALSE(f().TankiLmtDay->isEnabled());

    fill();
    EXPECT_TRUE(f().IsModified());
    save();
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(rowCount(kTable, client_), 1);
    const QByteArray stored = storedBlob(kTable, kBlob, client_, kToday);
    ASSERT_EQ(stored.size(), lum::UrinPlanSize);
    EXPECT_EQ(stored, lum::encodeUrinPlan(expected()));

    // Open: one plan, so the dialog closes at once; every field as saved.
    f().AimBoxes[0]->setEditText(QStringLiteral("消える"));
    f().DocChanged = false;
    openPlan(client_);
    EXPECT_EQ(f().Plan, expected());
    EXPECT_EQ(f().AimBoxes[0]->currentText(), QStringLiteral("在宅復帰"));
    EXPECT_EQ(f().AimBoxes[2]->currentText(), QString(24, QChar(u'歩')));
    EXPECT_TRUE(shown("NyushoShapeAri"));
    EXPECT_FALSE(shown("NyushoShapeNasi"));
    EXPECT_TRUE(shown("TankiShapeAri"));
    EXPECT_TRUE(f().TankiLmtDay->isEnabled());
    EXPECT_EQ(f().TankiLmtDay->text(), QStringLiteral("令和06年04月30日"));
    EXPECT_TRUE(shown("NinchiShapeNasi"));
    EXPECT_EQ(f().NinchiLmtDay->text(), TURinPlanForm::BlankDate);
    EXPECT_EQ(f().HDS_R_Edit->text(), QStringLiteral("25"));
    EXPECT_EQ(f().TokiMemo->toPlainText(), QStringLiteral("転倒注意\n血圧に注意"));
    EXPECT_EQ(f().KinkiMemo->toPlainText(), QStringLiteral("右肩の挙上"));
    EXPECT_EQ(f().TantouBox->currentText(), QStringLiteral("田中　作業"));
    EXPECT_EQ(f().SakuseiDay->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

TEST_P(UrinPlanFormTest, ASecondSaveOfTheDayAsksAndAnotherDayAddsAPlan) {
    newPlan(client_);
    fill();
    save();
    const QByteArray first = storedBlob(kTable, kBlob, client_, kToday);

    f().HDS_R_Edit->selectAll();
    QTest::keyClicks(f().HDS_R_Edit, QStringLiteral("20"));
    saveDeclined();
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), first);
    EXPECT_TRUE(f().IsModified());  // the edit is still unsaved

    typeDate(f().SakuseiDay, QStringLiteral("R060201"));
    save();
    EXPECT_EQ(rowCount(kTable, client_), 2);
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), first);
    EXPECT_EQ(lum::decodeUrinPlan(storedBlob(kTable, kBlob, client_, TDateTime::fromYmd(2024, 2, 1)))->HDSR,
              QStringLiteral("20"));
}

TEST_P(UrinPlanFormTest, RowsOfAnotherVersionOrTooShortAreNotOpened) {
    const QByteArray whole = lum::encodeUrinPlan(expected());
    storeRow(kTable, kBlob, client_, kToday, 29, whole);
    storeRow(kTable, kBlob, other_, kToday, 30, whole.left(lum::UrinPlanSize - 1));
    for (int cureNo : {client_, other_}) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo))
            .expect(MsgKind::Error, QStringLiteral("System DB Read Error:計画"), MsgButton::Abort);
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(f().ScrollBox1->isHidden());
        EXPECT_FALSE(f().SaveToolButton->isEnabled());
    }
}

TEST_P(UrinPlanFormTest, DeleteAfterPrintWithAnEditedDateDeletesTheOpenedPlanOnly) {
    const TDateTime d1 = TDateTime::fromYmd(2024, 1, 10), d2 = TDateTime::fromYmd(2024, 1, 20);
    lum::TUrinPlan one = expected(), two = expected();
    two.HDSR = QStringLiteral("2");
    storeRow(kTable, kBlob, client_, d1, 30, lum::encodeUrinPlan(one));
    storeRow(kTable, kBlob, client_, d2, 30, lum::encodeUrinPlan(two));
    openPlan(client_, d1);
    EXPECT_EQ(f().HDS_R_Edit->text(), QStringLiteral("25"));
    EXPECT_EQ(f().SakuseiDay->text(), QStringLiteral("令和06年01月10日"));
    typeDate(f().SakuseiDay, QStringLiteral("R060120"));
    f().PrintToolButton->click();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_TRUE(printedText(f().frReport1).contains(QStringLiteral("作成日：令和06年01月20日")));

    lum::ScriptedDialogs d;
    d.expect(MsgKind::Confirm, QStringLiteral("この計画のデータを消去しますか？"), MsgButton::Yes);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(storedBlob(kTable, kBlob, client_, d1).isEmpty());
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, d2), lum::encodeUrinPlan(two));
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
}

TEST_P(UrinPlanFormTest, NoAfterADatedAdditionPrintsABlankAndTheSheetOnItsOwn) {
    storeRow(kTable, kBlob, client_, kToday, 30, lum::encodeUrinPlan(expected()));
    openPlan(client_);
    click("TankiNasi");
    EXPECT_TRUE(f().DocChanged);
    EXPECT_FALSE(f().TankiLmtDay->isEnabled());
    EXPECT_EQ(f().TankiLmtDay->text(), TURinPlanForm::BlankDate);
    f().PrintToolButton->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_TRUE(f().Plan.TankiKasannTo.isEmpty());
    const QString printed = printedText(f().frReport1);
    for (const QString& text :
         {QStringLiteral("介護老人保健施設　さくらの丘"), QStringLiteral(" 山田　花子 様"), QStringLiteral("昭和15年04月01日"),
          QStringLiteral(" 令和05年10月01日"), QStringLiteral(" 有り"), QStringLiteral("無し"), QStringLiteral(" ～   まで"),
          QStringLiteral(" 1. 在宅復帰"), QStringLiteral("転倒注意\n血圧に注意"), QStringLiteral("リハ担当者：田中　作業")})
        EXPECT_TRUE(printed.contains(text)) << text.toStdString();
    // Nothing was saved by printing.
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), lum::encodeUrinPlan(expected()));
}

TEST_P(UrinPlanFormTest, ChecksRunInTheirOrderAndAnAdditionDateOnlyWhileItIsChosen) {
    newPlan(client_);
    struct Step {
        std::function<void()> edit;
        QString message;
        QWidget* focus;
    };
    click("TankiAri");
    f().TankiLmtDay->setText(QStringLiteral("令和06年02月30日"));
    f().HDS_R_Edit->setText(QStringLiteral("123456789"));
    f().SakuseiDay->setText(QStringLiteral("令和06年13月01日"));
    const Step steps[] = {
        {[] {}, QStringLiteral("作成日エラーです。"), f().SakuseiDay},
        {[&] { f().SakuseiDay->setText(QStringLiteral("令和06年02月01日")); }, QStringLiteral("短期集中リハ加算日エラーです。"),
         f().TankiLmtDay},
        {[&] { click("TankiNasi"); }, QStringLiteral("入力文字数がオーバーしています。\n半角8文字・全角4文字以内で入力してください。"),
         f().HDS_R_Edit},
    };
    for (const Step& s : steps) {
        s.edit();
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, s.message, MsgButton::Ok);
        EXPECT_FALSE(f().CollectRecord());
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(s.focus->hasFocus()) << s.message.toStdString();
    }
    f().HDS_R_Edit->setText(QStringLiteral("12345678"));
    EXPECT_TRUE(f().CollectRecord());
    EXPECT_EQ(f().Plan.Old, 83);
    EXPECT_EQ(f().Plan.Rihabi, -1);
}

// 特記事項 and 禁忌事項 print in boxes of nineteen lines: the most short
// lines their byte limit lets through are refused at Save with the box's
// lines named, the focus in that memo and nothing stored; nineteen lines in
// each are saved whole.
TEST_P(UrinPlanFormTest, AMemoNeedingMoreLinesThanItsPrintedBoxIsRefused) {
    newPlan(client_);
    const QStringList lines = lum::test::mostShortLines(lum::urin_plan_limits::Memo);
    ASSERT_EQ(lines.size(), 30);
    for (const auto& [memo, message] :
         {std::pair{f().TokiMemo, QStringLiteral("特記事項は印刷欄に入りきりません。\n19行以内で入力してください。")},
          std::pair{f().KinkiMemo, QStringLiteral("禁忌事項は印刷欄に入りきりません。\n19行以内で入力してください。")}}) {
        SCOPED_TRACE(memo->objectName().toStdString());
        memo->setPlainText(lines.join(u'\n'));
        f().ScrollBox1->setFocus();
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, message, MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(memo->hasFocus());
        EXPECT_EQ(rowCount(kTable, client_), 0);
        memo->setPlainText(lines.mid(0, 19).join(u'\n'));
    }
    save();
    const std::optional<lum::TUrinPlan> saved = lum::decodeUrinPlan(stored(client_, kToday));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->SpacialMemo, lines.mid(0, 19).join(u'\n'));
    EXPECT_EQ(saved->KinkiMemo, lines.mid(0, 19).join(u'\n'));
}

TEST_P(UrinPlanFormTest, EnterOnABadDateSaysSoAndKeepsTheFocus) {
    newPlan(client_);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("作成日エラーです。"), MsgButton::Ok);
    f().SakuseiDay->setText(QStringLiteral("令和06年02月30日"));
    f().SakuseiDay->setFocus();
    QTest::keyClick(f().SakuseiDay, Qt::Key_Return);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_TRUE(f().SakuseiDay->hasFocus());
}

TEST_P(UrinPlanFormTest, ClosingAnEditedPlanAsksTwiceAndKeepsItOnNo) {
    newPlan(client_);
    f().HDS_R_Edit->setFocus();
    QTest::keyClicks(f().HDS_R_Edit, QStringLiteral("12"));
    ASSERT_TRUE(f().IsModified());
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("計画書が保存されていませんが\n終了しますか？"), MsgButton::Yes)
            .expect(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MsgButton::No);
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
    EXPECT_EQ(f().HDS_R_Edit->text(), QStringLiteral("12"));
}

TEST_P(UrinPlanFormTest, AnotherWorkstationsPlanOfTheDayIsReplacedWholeOnlyWhenAsked) {
    newPlan(client_);
    fill();
    auto other = scratch().open();
    lum::TUrinPlan theirs = expected();
    theirs.KinkiMemo = QString(255, QChar(u'他'));
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("計画書を保存しました。"), MsgButton::Ok);
        ASSERT_TRUE(lum::saveBlobDocument(*other, f().Kind(), client_, kToday, lum::encodeUrinPlan(theirs)));
    }
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"), MsgButton::Yes)
        .expect(MsgKind::Information, QStringLiteral("計画書を保存しました。"), MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(rowCount(kTable, client_), 1);
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), lum::encodeUrinPlan(expected()));
}

// Two workstations, the other a process of its own (on SQLite, another
// process on the file): while this one's overwrite question about plan O is
// open, the other replaces O with its own plan, asked and answered はい. The
// はい to the question about O replaces nothing: the plan now stored is asked
// about again, and only はい to that question replaces it; いいえ leaves it whole.
TEST_P(UrinPlanFormTest, APlanStoredElsewhereWhileTheQuestionIsOpenIsAskedAboutAgain) {
    const auto peerStores = [&](const QString& memo) {
        lum::test::runDocumentPeer(
            scratch(), {QStringLiteral("urinplan"), QString::number(client_), QStringLiteral("2024-01-31"), memo});
    };
    const auto theirs = [](const QString& memo) {
        lum::TUrinPlan p;
        p.Shimei = QStringLiteral("別端末　太郎");
        p.KinkiMemo = memo;
        return lum::encodeUrinPlan(p);
    };
    const QString overwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");
    newPlan(client_);
    fill();
    for (const MsgButton second : {MsgButton::No, MsgButton::Yes}) {
        SCOPED_TRACE(second == MsgButton::Yes ? "はい" : "いいえ");
        db().execute(QStringLiteral("DELETE FROM UrinKeikaku"));
        peerStores(QStringLiteral("O"));
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, overwrite, MsgButton::Yes, [&] { peerStores(QStringLiteral("B")); })
            .expect(MsgKind::Information, overwrite, second, [&] {
                // Asked again, with the other plan still whole.
                EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), theirs(QStringLiteral("B")));
            });
        if (second == MsgButton::Yes)
            d.expect(MsgKind::Information, QStringLiteral("計画書を保存しました。"), MsgButton::Ok);
        else
            d.expect(MsgKind::Information, QStringLiteral("計画書の保存はキャンセルしました。"), MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(rowCount(kTable, client_), 1);
        EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday),
                  second == MsgButton::Yes ? lum::encodeUrinPlan(expected()) : theirs(QStringLiteral("B")));
        EXPECT_EQ(f().IsModified(), second == MsgButton::No);
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(UrinPlanFormTest);

}  // namespace
