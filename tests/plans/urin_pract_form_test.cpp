// The preventive-care plan window on both backends, driven by its control
// names: New, fill, Save, Open gives every field back; the maker by staff
// code; 記入 cancelled; New after Open; the stored diagnoses; a second Save of
// the day; damaged rows; Delete; the printout with its programme boxes; a
// memo needing more lines than its printed box holds refused at Save.
#include "plans/urin_pract_form.h"

#include "clients/person_store.h"
#include "plans/sheet_scroll_box.h"
#include "plans/text_form.h"
#include "plans/urin_fixture.h"
#include "report/objects/addin_views.h"
#include "support/page_layout.h"
#include "support/short_lines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString kDialog = QStringLiteral("TGetUrinPractForm");
const QString kTable = QStringLiteral("UrinYobou");
const QString kBlob = QStringLiteral("YobouData");

class UrinPractFormTest : public lum::test::UrinFormTest<TURinPractForm> {
protected:
    void chooseMaker(int index) {
        f().MakeBox->setCurrentIndex(index);
        emit f().MakeBox->activated(index);
    }
    void doubleClickSonota(std::function<int(TTextForm&)> answer) {
        lum::ScriptedDialogs d;
        d.expectModal("TTextForm", [answer](QDialog& dialog) { return answer(static_cast<TTextForm&>(dialog)); });
        QTest::mouseDClick(f().ETCEdit, Qt::LeftButton);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // Every typed entry filled, each with its own text.
    void fill() {
        chooseMaker(2);
        f().OccupBox->setEditText(QStringLiteral("理学療法士"));
        f().KiouMemo->setPlainText(QStringLiteral("平成20年 右大腿骨頸部骨折"));
        const std::pair<QLineEdit*, const char*> entries[] = {
            {f().GripR, "18.5"}, {f().GripL, "16.0"}, {f().LegR, "8"},  {f().LegL, "5"},   {f().TUG1, "12.4"},
            {f().TUG2, "11.8"},  {f().StandNum, "9"}, {f().Walk1, "9.2"}, {f().Walk2, "8.7"}, {f().HDSEdit, "27"},
            {f().Num1, "2"},     {f().Num2, "1"},     {f().Num3, "1"},    {f().Funn, "20"}};
        for (const auto& [edit, text] : entries) edit->setText(QString::fromLatin1(text));
        f().Stand30->setText(QStringLiteral("手すり使用"));
        f().GoodsBox->setEditText(QStringLiteral("Ｔ字杖"));
        f().ItamiMemo->setPlainText(QStringLiteral("右膝 ＶＡＳ 4/10\n階段で増強"));
        f().SelfMemo->setPlainText(QStringLiteral("買い物に行きたい"));
        f().AttentMemo->setPlainText(QStringLiteral("血圧 160 以上で中止"));
        f().ShortMemo->setPlainText(QStringLiteral("屋外歩行 300m"));
        f().AllMemo->setPlainText(QStringLiteral("屋外歩行自立"));
        f().HyoukaMemo->setPlainText(QStringLiteral("改善傾向"));
        for (const char* name : {"KeitaiCheck", "SerabCheck", "HotBCheck", "ETCCheck"})
            QTest::mouseClick(control<QCheckBox>(name), Qt::LeftButton, {}, {5, 5});
        doubleClickSonota([](TTextForm& t) {
            t.TextBox->setEditText(QStringLiteral("散歩"));
            t.DecideButton->click();
            return t.result();
        });
        f().Fuka->setEditText(QStringLiteral("ボルグ 11-13"));
        f().FukaHow->setEditText(QStringLiteral("休憩を挟み 3 セット"));
    }
    lum::TUrinPract expected() const {
        lum::TUrinPract p;
        p.Sakusei = 9;
        p.Shokushu = QStringLiteral("理学療法士");
        p.UserName = QStringLiteral("山田　花子");
        p.Sex = 1;
        p.Birth = TDateTime::fromYmd(1940, 4, 1);
        p.Old = 83;
        p.Kaigodo = 4;
        p.Diagnose = QStringLiteral("脳梗塞後遺症\n高血圧\n") + QString(25, QChar(u'糖'));
        p.PastDiagnose = QStringLiteral("平成20年 右大腿骨頸部骨折");
        p.AkuryokuR = "18.5";
        p.AkuryokuL = "16.0";
        p.StandR = "8";
        p.StandL = "5";
        p.TUG1 = "12.4";
        p.TUG2 = "11.8";
        p.Stand30Str = QStringLiteral("手すり使用");
        p.Stand30 = "9";
        p.MaxWalk1 = "9.2";
        p.MaxWalk2 = "8.7";
        p.HelpGoods = QStringLiteral("Ｔ字杖");
        p.HDS_R = "27";
        p.Itami = QStringLiteral("右膝 ＶＡＳ 4/10\n階段で増強");
        p.SelfHope = QStringLiteral("買い物に行きたい");
        p.ExeWarning = QStringLiteral("血圧 160 以上で中止");
        p.ShortTarget = QStringLiteral("屋外歩行 300m");
        p.TotalTarget = QStringLiteral("屋外歩行自立");
        p.Hyuka = QStringLiteral("改善傾向");
        p.Programme = {true, false, true, false, true, false, false, false, false, false, true};
        p.SonotaText = QStringLiteral("散歩");
        p.Kaisu = "2";
        p.kobetsu = "1";
        p.Shuudan = "1";
        p.Jikan = "20";
        p.Fuka = QStringLiteral("ボルグ 11-13");
        p.Fukahow = QStringLiteral("休憩を挟み 3 セット");
        return p;
    }

};

TEST_P(UrinPractFormTest, NewFillSaveAndOpenGiveEveryFieldBack) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("リハビリテーション実施計画書（予防）"));
    EXPECT_TRUE(f().ScrollBox1->isHidden());
    newPlan(client_);
    ASSERT_FALSE(f().ScrollBox1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_EQ(f().HyoukaDayEdit->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().MakeBox->currentIndex(), -1);
    EXPECT_EQ(f().ShimeiLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().SeibetsuLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(f().SeinenLabel->text(), QStringLiteral("昭和15年04月01日"));
    EXPECT_EQ(f().ToshiLabel->text(), QStringLiteral("83"));
    EXPECT_EQ(f().KaigoKubunLabel->text(), QStringLiteral("要介護3"));
    EXPECT_EQ(f().ShindanMemo->toPlainText(), expected().Diagnose);
    EXPECT_TRUE(f().ShindanMemo->isReadOnly());
    EXPECT_EQ(f().ShisetsuLbl->text(), QStringLiteral("介護老人保健施設　さくらの丘"));

    fill();
    save();
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    const QByteArray stored = storedBlob(kTable, kBlob, client_, kToday);
    ASSERT_EQ(stored.size(), lum::UrinPractSize);
    EXPECT_EQ(stored, lum::encodeUrinPract(expected()));

    openPlan(client_);
    EXPECT_EQ(f().Pract, expected());
    EXPECT_EQ(f().MakeBox->currentText(), QStringLiteral("鈴木　言語"));
    EXPECT_EQ(f().OccupBox->currentText(), QStringLiteral("理学療法士"));
    EXPECT_EQ(f().GripR->text(), QStringLiteral("18.5"));
    EXPECT_EQ(f().Stand30->text(), QStringLiteral("手すり使用"));
    EXPECT_EQ(f().StandNum->text(), QStringLiteral("9"));
    EXPECT_EQ(f().GoodsBox->currentText(), QStringLiteral("Ｔ字杖"));
    EXPECT_EQ(f().ItamiMemo->toPlainText(), QStringLiteral("右膝 ＶＡＳ 4/10\n階段で増強"));
    EXPECT_EQ(f().HyoukaMemo->toPlainText(), QStringLiteral("改善傾向"));
    EXPECT_EQ(f().ETCEdit->text(), QStringLiteral("散歩"));
    EXPECT_EQ(f().FukaHow->currentText(), QStringLiteral("休憩を挟み 3 セット"));
    for (int i = 0; i < 11; ++i) EXPECT_EQ(f().ProgrammeChecks[i]->isChecked(), expected().Programme[i]) << i;
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

TEST_P(UrinPractFormTest, TheMakerIsKeptByStaffCodeWhateverTheOrderOfTheList) {
    newPlan(client_);
    chooseMaker(2);  // 鈴木　言語, code 9
    save();
    setStaff({{9, QStringLiteral("鈴木　言語")}, {5, QStringLiteral("田中　作業")}, {3, QStringLiteral("佐藤　理学")}});
    f().hide();
    f().show();  // the lists are filled again on showing
    openPlan(client_);
    EXPECT_EQ(f().MakeBox->currentIndex(), 0);
    EXPECT_EQ(f().MakeBox->currentText(), QStringLiteral("鈴木　言語"));
    f().PrintToolButton->click();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_TRUE(printedText(f().frReport1).contains(QStringLiteral(" 鈴木　言語")));
    EXPECT_EQ(f().Pract.Sakusei, 9);
}

TEST_P(UrinPractFormTest, CancellingTheEntryDialogKeepsTheOtherText) {
    newPlan(client_);
    f().ETCEdit->setText(QStringLiteral("散歩"));
    doubleClickSonota([](TTextForm& t) {
        t.TextBox->setEditText(QStringLiteral("体操"));
        t.CancelButton->click();
        return t.result();
    });
    EXPECT_EQ(f().ETCEdit->text(), QStringLiteral("散歩"));
}

TEST_P(UrinPractFormTest, NewAfterOpenStartsTodayWithNoMakerAndTheStoredDiagnosesOpenAsStored) {
    newPlan(client_);
    fill();
    f().HyoukaDayEdit->setText(QStringLiteral("令和06年01月10日"));
    save();
    // The client's diseases change afterwards: the plan keeps what it stored.
    lum::PersonStore people(db());
    TPerson p = *people.find(client_);
    p.Disease = {QStringLiteral("変形性膝関節症"), {}, {}, {}, {}, {}};
    people.update(p);
    openPlan(client_);
    EXPECT_EQ(f().HyoukaDayEdit->text(), QStringLiteral("令和06年01月10日"));
    EXPECT_EQ(f().ShindanMemo->toPlainText(), expected().Diagnose);

    newPlan(client_);
    EXPECT_EQ(f().HyoukaDayEdit->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().MakeBox->currentIndex(), -1);
    EXPECT_EQ(f().OccupBox->currentText(), QString());
    EXPECT_EQ(f().HDSEdit->text(), QString());
    EXPECT_EQ(f().ShindanMemo->toPlainText(), QStringLiteral("変形性膝関節症"));
    for (QCheckBox* c : f().ProgrammeChecks) EXPECT_FALSE(c->isChecked());
}

TEST_P(UrinPractFormTest, ASecondSaveOfTheDayAsksRowsThatCannotBeReadAreRefusedAndDeleteSaysWhatItDoes) {
    newPlan(client_);
    fill();
    save();
    const QByteArray first = storedBlob(kTable, kBlob, client_, kToday);
    f().HDSEdit->selectAll();
    QTest::keyClicks(f().HDSEdit, QStringLiteral("20"));
    saveDeclined();
    EXPECT_EQ(storedBlob(kTable, kBlob, client_, kToday), first);
    {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Confirm, QStringLiteral("この計画（予防）のデータを消去しますか？"), MsgButton::Yes);
        f().DeleteMenu->trigger();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    EXPECT_EQ(rowCount(kTable, client_), 0);
    EXPECT_TRUE(f().ScrollBox1->isHidden());

    storeRow(kTable, kBlob, client_, kToday, 31, lum::encodeUrinPract(expected()));
    storeRow(kTable, kBlob, other_, kToday, 30, lum::encodeUrinPract(expected()).left(100));
    for (int cureNo : {client_, other_}) {
        lum::ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo))
            .expect(MsgKind::Error, QStringLiteral("System DB Read Error:計画"), MsgButton::Abort);
        f().OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_TRUE(f().ScrollBox1->isHidden());
    }
}

TEST_P(UrinPractFormTest, ThePrintoutCrossesTheChosenProgrammeAndSavesNothing) {
    newPlan(client_);
    fill();
    f().HyoukaMemo->setPlainText(QString(255, QChar(u'評')));  // 510 bytes, the limit
    f().PrintToolButton->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_EQ(rowCount(kTable, client_), 0);
    // The evaluation at its limit is drawn whole in its box, not only held
    // by the object: the page's drawn lines, read in order, carry all of it.
    QString drawn;
    for (const lum::test::LaidText& t : lum::test::layOutPage(f().frReport1.EMFPages.GetPage(0)).texts) drawn += t.text;
    EXPECT_TRUE(drawn.contains(QString(255, QChar(u'評'))));
    const QString printed = printedText(f().frReport1);
    for (const QString& text : {QStringLiteral("令和06年01月31日"), QStringLiteral(" 山田　花子 様"), QStringLiteral("要介護3"),
                                QStringLiteral(" 鈴木　言語"), QStringLiteral("（散歩）"), QString(255, QChar(u'評')),
                                QStringLiteral("介護老人保健施設　さくらの丘　リハビリテーション部")})
        EXPECT_TRUE(printed.contains(text)) << text.toStdString();
    // A check box holds its expression's value: -1 for a set flag, 0 for not.
    // (in the programme's order: 軽体操 .. その他)
    QStringList boxes;
    for (const auto& v : f().frReport1.EMFPages.GetPage(0).objects())
        if (dynamic_cast<const lum::TfrCheckBoxView*>(v.get())) boxes << v->Memo.value(0);
    EXPECT_EQ(boxes, QStringList({"-1", "0", "-1", "0", "-1", "0", "0", "0", "0", "0", "-1"}));
    const QString keep = qEnvironmentVariable("LUMORIND_KEEP_PRINTOUT");
    if (!keep.isEmpty()) f().frReport1.SavePreparedToFile(keep);
}

// Each memo prints in a box of fixed size: the most short lines its 510
// bytes let through are refused at Save, naming the lines the box holds,
// with the focus in that memo and nothing stored; as many lines as the box
// holds in every memo are saved, and each prints whole.
TEST_P(UrinPractFormTest, AMemoNeedingMoreLinesThanItsPrintedBoxIsRefused) {
    const struct {
        QPlainTextEdit* TURinPractForm::*memo;
        QString lum::TUrinPract::*field;
        const char* caption;
        int held;
        char16_t c;
    } cases[] = {
        {&TURinPractForm::KiouMemo, &lum::TUrinPract::PastDiagnose, "既往歴", 9, u'既'},
        {&TURinPractForm::ItamiMemo, &lum::TUrinPract::Itami, "痛み（部位・程度）", 4, u'痛'},
        {&TURinPractForm::SelfMemo, &lum::TUrinPract::SelfHope, "本人の希望", 4, u'希'},
        {&TURinPractForm::AttentMemo, &lum::TUrinPract::ExeWarning, "運動時の留意点", 4, u'留'},
        {&TURinPractForm::ShortMemo, &lum::TUrinPract::ShortTarget, "短期目標", 5, u'短'},
        {&TURinPractForm::AllMemo, &lum::TUrinPract::TotalTarget, "全体目標", 5, u'全'},
        {&TURinPractForm::HyoukaMemo, &lum::TUrinPract::Hyuka, "評価", 4, u'評'},
    };
    newPlan(client_);
    fill();
    for (const auto& c : cases) {
        QPlainTextEdit* memo = f().*c.memo;
        SCOPED_TRACE(memo->objectName().toStdString());
        const QStringList lines = lum::test::mostShortLines(510, c.c);
        ASSERT_EQ(lines.size(), 30);
        memo->setPlainText(lines.join(u'\n'));
        f().HyoukaDayEdit->setFocus();
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information,
                 QStringLiteral("%1は印刷欄に入りきりません。\n%2行以内で入力してください。")
                     .arg(QString::fromUtf8(c.caption))
                     .arg(c.held),
                 MsgButton::Ok);
        f().SaveToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(f().focusWidget(), memo);
        EXPECT_EQ(rowCount(kTable, client_), 0);
        EXPECT_TRUE(f().IsModified());
        memo->setPlainText(lines.mid(0, c.held).join(u'\n'));
    }
    save();
    const std::optional<lum::TUrinPract> stored = lum::decodeUrinPract(storedBlob(kTable, kBlob, client_, kToday));
    ASSERT_TRUE(stored);
    f().PrintToolButton->click();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    for (const auto& c : cases) {
        const QStringList held = lum::test::mostShortLines(510, c.c).mid(0, c.held);
        EXPECT_EQ((*stored).*c.field, held.join(u'\n')) << c.caption;
        const QStringList unprinted = lum::test::linesNotPrinted(f().frReport1.EMFPages, held, QString::fromUtf8(c.caption));
        EXPECT_TRUE(unprinted.isEmpty()) << unprinted.join(u'\n').toStdString();
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(UrinPractFormTest);

}  // namespace
