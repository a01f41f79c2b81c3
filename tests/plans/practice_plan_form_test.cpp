// The practice plan window driven by its controls on both backends: New
// from the menu, a field of each kind, Save, Open by number giving every
// control back, the overwrite question, Delete; the cell editing rules, the
// plan's checks in their order with their pages, the close question on every
// way of closing, the team slots, the phrase codes and the printout.
#include "plans/practice_plan_form.h"

#include "common/input_limits.h"
#include "plans/blob_document_store.h"
#include "plans/entry_checks.h"
#include "plans/marker_pair.h"
#include "plans/practice_cell_dialogs.h"
#include "plans/practice_cells.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_fixture.h"
#include "support/report_pdf.h"
#include "support/short_lines.h"
#include "widgets/comment_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::ScriptedDialogs;
using lum::TDateTime;
using lum::TPracticePlan;

const QString kDialog = QStringLiteral("TGetPractPlanForm");
const QString kSaved = QStringLiteral("実施計画を保存しました。");
const QString kCancelled = QStringLiteral("実施計画書の保存はキャンセルしました。");
const QString kOverwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");
const QString kCloseQuestion = QStringLiteral("保存されていませんが\n終了しますか？");

class PracticePlanFormTest : public lum::test::UrinTest {
protected:
    const TDateTime kToday = TDateTime::fromYmd(2024, 1, 31);

    void SetUp() override {
        UrinTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        form_ = std::make_unique<TPracticePlanForm>();
        form_->TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        form_->frReport1.Ui = &ui_;
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        if (form_) {
            form_->DocChanged = false;
            form_->ResetModified();
        }
        form_.reset();
        delete GetPractPlanForm;
        delete ABCForm;
        delete GoodsForm;
        delete KaigoForm;
        delete TimeForm;
        delete StringsForm;
        delete CommentForm;
        UrinTest::TearDown();
    }
    TPracticePlanForm& f() { return *form_; }
    template <class T>
    T* control(const QString& name) {
        T* c = f().findChild<T*>(name);
        EXPECT_TRUE(c) << name.toStdString();
        return c;
    }
    TLevelCell* cell(int row, int column) { return control<TLevelCell>(QStringLiteral("ABC%1%2").arg(row).arg(column)); }
    void newPlan(int cureNo) {
        ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo));
        f().NewMenu->trigger();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void openPlan(int cureNo, std::optional<TDateTime> day = std::nullopt) {
        ScriptedDialogs d;
        d.expectModal(kDialog, typeNumber(cureNo, day));
        f().ToolButton2->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void save() {
        ScriptedDialogs d;
        d.expect(MsgKind::Information, kSaved, MsgButton::Ok);
        f().SaveButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // Right button on a cell: the ABC dialog with those boxes, ended by that button.
    void abc(TLevelCell* on, const QString& letters, QPushButton* TABCForm::*button) {
        ScriptedDialogs d;
        d.expectModal(QStringLiteral("ABCForm"), [letters, button](QDialog& dialog) {
            auto& form = static_cast<TABCForm&>(dialog);
            form.ABox->setChecked(letters.contains(u'A'));
            form.BBox->setChecked(letters.contains(u'B'));
            form.CBox->setChecked(letters.contains(u'C'));
            (form.*button)->click();
            return form.result();
        });
        QTest::mouseClick(on, Qt::RightButton);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    void chooseTeam(int slot, int code) {
        QComboBox* box = f().TeamBoxes[size_t(slot)];
        const int index = code < 0 ? 0 : MainModule->IndexOfStuff(code) + 1;
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // The stored plans of the client: PractNo, day and record.
    struct Stored {
        qint64 practNo;
        TDateTime day;
        QByteArray blob;
    };
    std::vector<Stored> stored(int cureNo) {
        QSqlQuery q = db().prepare(
            QStringLiteral("SELECT PractNo, PrcticeDay, PracticeData FROM Practice WHERE CureNo = :c ORDER BY PractNo"));
        q.bindValue(QStringLiteral(":c"), cureNo);
        db().exec(q);
        std::vector<Stored> out;
        while (q.next()) out.push_back({q.value(0).toLongLong(), lum::db::readDate(q.value(1)), q.value(2).toByteArray()});
        return out;
    }
    void shot(const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        f().grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }

    std::unique_ptr<TPracticePlanForm> form_;
    lum::HeadlessReportUi ui_;
};

TEST_P(PracticePlanFormTest, NewFromTheMenuSaveOpenByNumberGivesEveryControlBackAndDelete) {
    EXPECT_TRUE(f().PageControl1->isHidden());
    EXPECT_FALSE(f().SaveButton->isEnabled());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    newPlan(client_);
    EXPECT_FALSE(f().PageControl1->isHidden());
    EXPECT_EQ(f().PageControl1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f().PlanDateEdit);
    EXPECT_EQ(f().PlanDateEdit->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().UserNameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().UserLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().SexLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(f().BirthLabel->text(), QStringLiteral("昭和15年04月01日"));
    EXPECT_EQ(f().OldLabel->text(), QStringLiteral("83"));
    EXPECT_EQ(f().KaigodoLabel->text(), QStringLiteral("要介護3"));
    EXPECT_TRUE(f().KenkouMemo->toPlainText().startsWith(QStringLiteral("脳梗塞後遺症\n高血圧\n\n\n\n")));
    EXPECT_FALSE(f().IsModified());
    for (QWidget* w : {static_cast<QWidget*>(f().SaveButton), static_cast<QWidget*>(f().PrintButton)})
        EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());

    // A field of each kind.
    f().GapeiMemo->setFocus();
    QTest::keyClicks(f().GapeiMemo, QStringLiteral("BP 140/90"));
    EXPECT_TRUE(f().IsModified());
    QTest::mouseClick(f().Exercise, Qt::LeftButton);
    f().ExerciseMemo->setPlainText(QStringLiteral("右片麻痺"));
    f().EtcEdit->setText(QStringLiteral("有料老人ホーム"));
    QTest::mouseClick(f().TaiinBox, Qt::LeftButton);
    f().HDSEdit->setText(QStringLiteral("07"));
    QTest::mouseClick(cell(0, 0), Qt::LeftButton);
    QTest::mouseClick(cell(27, 4), Qt::LeftButton);
    EXPECT_TRUE(cell(0, 0)->isSelected());
    abc(cell(3, 2), QStringLiteral("AC"), &TABCForm::OkButton);
    ScriptedDialogs tools;
    tools.expectModal(QStringLiteral("GoodsForm"), [](QDialog& dialog) {
        auto& form = static_cast<TGoodsForm&>(dialog);
        form.GoodsBox1->setEditText(QStringLiteral("Ｔ字杖"));
        form.GoodsBox3->setEditText(QStringLiteral("短下肢装具"));
        form.OkButton->click();
        return form.result();
    });
    tools.expectModal(QStringLiteral("KaigoForm"), [](QDialog& dialog) {
        auto& form = static_cast<TKaigoForm&>(dialog);
        form.KaigoBox2->setEditText(QStringLiteral("手すりにつかまる"));
        form.OkButton->click();
        return form.result();
    });
    tools.expectModal(QStringLiteral("TimeForm"), [](QDialog& dialog) {
        auto& keypad = static_cast<TTimeForm&>(dialog);
        keypad.NumButtons[1]->click();
        keypad.NumButtons[2]->click();
        keypad.KButton->click();
        return keypad.result();
    });
    QTest::mouseDClick(f().Row(0).Goods->viewport(), Qt::LeftButton);
    QTest::mouseDClick(f().Row(20).Kaigo->viewport(), Qt::LeftButton);
    QTest::mouseDClick(f().Row(27).Time, Qt::LeftButton);
    EXPECT_TRUE(tools.allDone()) << tools.report().toStdString();
    EXPECT_EQ(f().Row(27).Time->text(), QStringLiteral(" 12ヵ月"));
    QTest::mouseClick(f().Row(12).Special, Qt::LeftButton);
    QTest::mouseClick(f().Row(12).Special, Qt::LeftButton);
    f().Row(5).Time->setText(QStringLiteral("半年"));
    f().PTOTST1->setPlainText(QStringLiteral("起居動作訓練\n週3回"));
    f().SelfHope->setPlainText(QStringLiteral("自宅で暮らしたい"));
    f().Remark->setPlainText(QStringLiteral("特になし"));
    chooseTeam(0, 5);
    chooseTeam(12, 9);
    save();
    EXPECT_FALSE(f().IsModified());

    std::vector<Stored> rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].day, kToday);  // the day alone
    ASSERT_EQ(rows[0].blob.size(), lum::PracticePlanSize);
    const TPracticePlan plan = *lum::decodePracticePlan(rows[0].blob);
    EXPECT_EQ(plan.PlanDate, kToday);
    EXPECT_EQ(plan.UserName, QStringLiteral("山田　花子"));
    EXPECT_EQ(plan.Old, 83);
    EXPECT_EQ(plan.GapeiMemo, QStringLiteral("BP 140/90"));
    EXPECT_TRUE(plan.Exercise && plan.TaiinBox && !plan.HomeBox);
    EXPECT_EQ(plan.HDSR, 7);
    EXPECT_EQ(plan.Table0[3].ABC[2], QStringLiteral("　"));  // clicked on, not selected
    EXPECT_EQ(plan.Table0[0].ABC[0], QStringLiteral("AC"));
    EXPECT_EQ(plan.Table1[7].ABC[4], QStringLiteral("AC"));
    EXPECT_EQ(plan.Table0[0].ABC[1], QStringLiteral("　"));
    EXPECT_EQ(plan.Table0[0].Goods, QStringLiteral("Ｔ字杖\n短下肢装具"));
    EXPECT_EQ(plan.Table1[0].Kaigo, QStringLiteral("手すりにつかまる"));
    EXPECT_EQ(plan.Table1[7].Time, QStringLiteral(" 12ヵ月"));
    EXPECT_EQ(plan.Table0[5].Time, QStringLiteral("半年"));
    EXPECT_EQ(plan.Table0[12].Special, 2);
    EXPECT_EQ(plan.PTOTST1, QStringLiteral("起居動作訓練\n週3回"));
    EXPECT_EQ(plan.Remark, QStringLiteral("特になし"));
    EXPECT_EQ(plan.Team[0], 5);
    EXPECT_EQ(plan.Team[12], 9);
    EXPECT_EQ(plan.Team[1], -1);

    // Open by number: every control back.
    newPlan(other_);
    openPlan(client_);
    EXPECT_EQ(f().DocCureNo, client_);
    EXPECT_EQ(f().PlanDateEdit->text(), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(f().UserNameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().GapeiMemo->toPlainText(), QStringLiteral("BP 140/90"));
    EXPECT_TRUE(f().Exercise->isChecked());
    EXPECT_TRUE(f().TaiinBox->isChecked());
    EXPECT_FALSE(f().HomeBox->isChecked());
    EXPECT_EQ(f().ExerciseMemo->toPlainText(), QStringLiteral("右片麻痺"));
    EXPECT_EQ(f().EtcEdit->text(), QStringLiteral("有料老人ホーム"));
    EXPECT_EQ(f().HDSEdit->text(), QStringLiteral("7"));
    EXPECT_EQ(cell(3, 2)->text(), QStringLiteral("　"));
    EXPECT_EQ(cell(0, 0)->text(), QStringLiteral("AC"));
    EXPECT_EQ(cell(27, 4)->text(), QStringLiteral("AC"));
    EXPECT_EQ(cell(27, 3)->text(), QStringLiteral("　"));
    EXPECT_FALSE(cell(0, 0)->isSelected());
    EXPECT_EQ(f().Row(0).Goods->toPlainText(), QStringLiteral("Ｔ字杖\n短下肢装具"));
    EXPECT_EQ(f().Row(20).Kaigo->toPlainText(), QStringLiteral("手すりにつかまる"));
    EXPECT_EQ(f().Row(27).Time->text(), QStringLiteral(" 12ヵ月"));
    EXPECT_EQ(f().Row(12).Special->text(), QStringLiteral("◎"));
    EXPECT_EQ(f().Row(11).Special->text(), QStringLiteral("　"));
    EXPECT_EQ(f().PTOTST1->toPlainText(), QStringLiteral("起居動作訓練\n週3回"));
    EXPECT_EQ(f().SelfHope->toPlainText(), QStringLiteral("自宅で暮らしたい"));
    EXPECT_EQ(f().UserLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().TeamBoxes[0]->currentText(), QStringLiteral("田中　作業"));
    EXPECT_EQ(f().TeamBoxes[12]->currentText(), QStringLiteral("鈴木　言語"));
    EXPECT_EQ(f().TeamBoxes[1]->currentIndex(), 0);
    EXPECT_FALSE(f().IsModified());

    // Saving again asks; いいえ leaves the row as it was.
    f().Remark->setPlainText(QStringLiteral("変更"));
    ScriptedDialogs declined;
    declined.expect(MsgKind::Information, kOverwrite, MsgButton::No).expect(MsgKind::Information, kCancelled, MsgButton::Ok);
    f().SaveButton->click();
    EXPECT_TRUE(declined.allDone()) << declined.report().toStdString();
    EXPECT_EQ(stored(client_)[0].blob, rows[0].blob);

    // Delete: the plan opened, after its question.
    ScriptedDialogs del;
    del.expect(MsgKind::Confirm, QStringLiteral("利用者番号 = %1\n計画評価実施日 = 2024/01/31\nを削除しますか？").arg(client_),
               MsgButton::Ok);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(del.allDone()) << del.report().toStdString();
    EXPECT_TRUE(stored(client_).empty());
    EXPECT_TRUE(f().PageControl1->isHidden());
    EXPECT_FALSE(f().DeleteMenu->isEnabled());
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(PracticePlanFormTest, ThePlanDateTypedKeyByKeyMovesTheAgeAndTheStoredDay) {
    newPlan(client_);
    typeDate(f().PlanDateEdit, QStringLiteral("R060401"));  // the 84th birthday
    EXPECT_EQ(f().OldLabel->text(), QStringLiteral("84"));
    EXPECT_FALSE(f().IsModified());
    EXPECT_TRUE(f().IsModifiedOnClose());
    // A date that is none: its message, page 1, the edit focused.
    f().PageControl1->setCurrentIndex(1);
    ScriptedDialogs bad;
    bad.expect(MsgKind::Information, QStringLiteral("日付エラーです。"), MsgButton::Ok);
    typeDate(f().PlanDateEdit, QStringLiteral("R060231"));
    EXPECT_TRUE(bad.allDone()) << bad.report().toStdString();
    EXPECT_EQ(f().PageControl1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f().PlanDateEdit);
    typeDate(f().PlanDateEdit, QStringLiteral("R060401"));
    save();
    const std::vector<Stored> rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].day, TDateTime::fromYmd(2024, 4, 1));
    EXPECT_EQ(lum::decodePracticePlan(rows[0].blob)->Old, 84);
}

TEST_P(PracticePlanFormTest, TwoWorkstationsOnOnePlanTheLaterSaveWinsWhole) {
    auto other = scratch().open();
    const lum::BlobDocumentStore there(*other, f().Kind());
    // The plan stored here, opened, then deleted at the other workstation:
    // saving here stores it again, whole, without the overwrite question.
    newPlan(client_);
    f().Remark->setPlainText(QStringLiteral("ここで保存"));
    save();
    openPlan(client_);
    there.remove(client_, kToday);
    f().SelfHope->setPlainText(QStringLiteral("編集した"));
    save();
    std::vector<Stored> rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    const TPracticePlan here = *lum::decodePracticePlan(rows[0].blob);
    EXPECT_EQ(here.SelfHope, QStringLiteral("編集した"));
    EXPECT_EQ(here.Remark, QStringLiteral("ここで保存"));
    // The other workstation overwrites it (its question answered はい): its record whole.
    TPracticePlan theirs = here;
    theirs.Remark = QStringLiteral("向こうで保存");
    EXPECT_EQ(there.save(client_, kToday, lum::encodePracticePlan(theirs), true),
              lum::BlobDocumentStore::SaveResult::Replaced);
    rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].blob, lum::encodePracticePlan(theirs));
    // Deleted there after this window opened it: Delete here finds nothing to delete.
    openPlan(client_);
    there.remove(client_, kToday);
    ScriptedDialogs d;
    d.expect(MsgKind::Confirm, MsgButton::Ok)
        .expect(MsgKind::Error, QStringLiteral("SystemError : DB Delete Record error 1"), MsgButton::Abort);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(PracticePlanFormTest, HdsrTakesOneOrTwoAsciiDigits) {
    struct Case {
        const char* text;
        int stored;  // -1: refused
        const char* message;
    };
    const QString tooLong = QStringLiteral("HDS-R\n入力文字数がオーバーしています。\n半角2文字で入力してください。");
    const QString digits = QStringLiteral("半角2文字の数字で入力してください。");
    const Case cases[] = {{"7", 7, nullptr},   {"07", 7, nullptr},   {"", 0, nullptr},     {"30", 30, nullptr},
                          {"123", -1, "long"}, {"ab", -1, "digits"}, {"-1", -1, "digits"}, {"+5", -1, "digits"},
                          {"７", -1, "digits"}, {" 5", -1, "digits"}};
    newPlan(client_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        f().HDSEdit->setText(QString::fromUtf8(c.text));
        f().PageControl1->setCurrentIndex(1);
        ScriptedDialogs d;
        if (c.message) d.expect(MsgKind::Information, qstrcmp(c.message, "long") == 0 ? tooLong : digits, MsgButton::Ok);
        EXPECT_EQ(f().CollectRecord(), c.stored >= 0);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        if (c.stored >= 0) {
            EXPECT_EQ(f().Plan.HDSR, c.stored);
            EXPECT_EQ(f().PageControl1->currentIndex(), 1);  // the page shown before
        } else {
            EXPECT_EQ(f().PageControl1->currentIndex(), 0);
            EXPECT_EQ(QApplication::focusWidget(), f().HDSEdit);
        }
    }
}

TEST_P(PracticePlanFormTest, TheAbcDialogFillsTheSelectedCellsOrEveryCell) {
    struct Case {
        QPushButton* TABCForm::*button;
        const char* letters;
        const char* selectedGet;  // what the two selected cells hold afterwards
        const char* othersGet;    // what every other cell holds afterwards
        bool changed;
    };
    const Case cases[] = {
        {&TABCForm::OkButton, "ABC", "AB\nC", "　", true},
        {&TABCForm::OkButton, "", "", "　", true},
        {&TABCForm::ALLSet, "AC", "AC", "AC", true},
        {&TABCForm::ALLCancel, "B", "　", "　", true},
        {&TABCForm::CancelButton, "B", "x", "　", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letters);
        newPlan(client_);
        cell(1, 1)->setText(QStringLiteral("x"));
        cell(21, 3)->setText(QStringLiteral("x"));
        QTest::mouseClick(cell(1, 1), Qt::LeftButton);
        QTest::mouseClick(cell(21, 3), Qt::LeftButton);
        EXPECT_TRUE(cell(21, 3)->isSelected());
        f().DocChanged = false;
        abc(cell(5, 0), QString::fromLatin1(c.letters), c.button);
        EXPECT_EQ(f().DocChanged, c.changed);
        for (int row : lum::PracticeRowNumbers) {
            for (int column = 0; column < 5; ++column) {
                const bool chosen = (row == 1 && column == 1) || (row == 21 && column == 3);
                const char* expected = chosen ? c.selectedGet : c.othersGet;
                if (chosen && c.button == &TABCForm::ALLCancel) expected = "　";
                ASSERT_EQ(cell(row, column)->text(), QString::fromUtf8(expected)) << row << " " << column;
                // The cells are white again, unless the dialog was cancelled.
                EXPECT_EQ(cell(row, column)->isSelected(), chosen && !c.changed);
            }
        }
        f().ResetModified();
    }
    // The boxes keep their state: the last use left B checked.
    EXPECT_TRUE(lum::abcForm().BBox->isChecked());
    EXPECT_FALSE(lum::abcForm().ABox->isChecked());
}

TEST_P(PracticePlanFormTest, SpecialCyclesAndLevelCellsTakeTheKeyboard) {
    newPlan(client_);
    const char* marks[] = {"○", "◎", "　", "○"};
    for (const char* mark : marks) {
        QTest::mouseClick(f().Row(24).Special, Qt::LeftButton);
        EXPECT_EQ(f().Row(24).Special->text(), QString::fromUtf8(mark));
    }
    EXPECT_EQ(f().Plan.row(24).Special, 1);
    EXPECT_TRUE(f().DocChanged);
    EXPECT_EQ(TSheetScrollBox::WheelStep, 32);
    // From the keyboard: Space selects a focused level cell, Enter opens the dialog.
    cell(25, 2)->setFocus();
    QTest::keyClick(cell(25, 2), Qt::Key_Space);
    EXPECT_TRUE(cell(25, 2)->isSelected());
    ScriptedDialogs d;
    d.expectModal(QStringLiteral("ABCForm"), [](QDialog& dialog) {
        auto& form = static_cast<TABCForm&>(dialog);
        form.ABox->setChecked(false);
        form.BBox->setChecked(true);
        form.CBox->setChecked(false);
        form.OkButton->click();
        return form.result();
    });
    QTest::keyClick(cell(25, 2), Qt::Key_Return);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(cell(25, 2)->text(), QStringLiteral("B"));
}

TEST_P(PracticePlanFormTest, ChecksStopAtTheFirstFaultyFieldOnItsPage) {
    struct Case {
        const char* control;
        QString text;
        QString message;
        int page;
    };
    const QString bad = QStringLiteral("\U00020BB7");  // 𠮷 has no code page 932 form
    const Case cases[] = {
        {"PlanDateEdit", QStringLiteral("平成   年  月  日"), QStringLiteral("日付エラーです。"), 0},
        {"KenkouMemo", QString(128, u'健'), lum::overLimitMessage(254), 0},
        {"GapeiMemo", QString(127, u'合') + u'\n', lum::overLimitMessage(254), 0},  // 256 bytes with CR LF
        {"EtcEdit", QString(39, u'a'), lum::overLimitMessage(38), 0},
        {"TaiinEdit", QString(50, u'退'), lum::overLimitMessage(98), 0},
        {"SonotaMemo", QString(99, u's'), lum::overLimitMessage(98), 0},
        {"HDSEdit", QStringLiteral("123"),
         QStringLiteral("HDS-R\n入力文字数がオーバーしています。\n半角2文字で入力してください。"), 0},
        {"Goods12", QString(30, u'具'), lum::overLimitMessage(58), 0},
        {"Kaigo0", QStringLiteral("手すり") + bad, lum::unstorableCharacterMessage(bad), 0},
        {"Time20", QStringLiteral(" 1234ヵ月"), lum::overLimitMessage(8), 0},
        {"Jitchi0", QString(501, u'留'), lum::overLimitMessage(1000), 0},
        {"Kango1", QString(1001, u'k'), lum::overLimitMessage(1000), 0},
        {"SelfHope", QStringLiteral("自宅") + bad, lum::unstorableCharacterMessage(bad), 1},
        {"Remark", QString(501, u'備'), lum::overLimitMessage(1000), 1},
    };
    newPlan(client_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        QWidget* w = control<QWidget>(QString::fromLatin1(c.control));
        const QString before = qobject_cast<QLineEdit*>(w) ? static_cast<QLineEdit*>(w)->text()
                                                           : static_cast<QPlainTextEdit*>(w)->toPlainText();
        auto set = [w](const QString& text) {
            if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
            else static_cast<QPlainTextEdit*>(w)->setPlainText(text);
        };
        set(c.text);
        // A later faulty field is not reached.
        f().Remark->setPlainText(c.control == QLatin1String("Remark") ? c.text : QString(600, u'x') + QString(500, u'y'));
        f().PageControl1->setCurrentIndex(1 - c.page);
        ScriptedDialogs d;
        d.expect(MsgKind::Information, c.message, MsgButton::Ok);
        EXPECT_FALSE(f().CollectRecord());
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(f().PageControl1->currentIndex(), c.page);
        EXPECT_EQ(QApplication::focusWidget(), w);
        set(before);
    }
    // Every field right: the page shown before comes back.
    f().Remark->clear();
    f().PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(f().CollectRecord());
    EXPECT_EQ(f().PageControl1->currentIndex(), 1);
}

// A memo printed in a box of fixed size takes no more lines than its box
// holds: 保存 with the most short lines its byte limit lets through names the
// box and the lines it holds, shows the memo's page with the focus in it and
// stores nothing; exactly the lines the box holds save and come back whole.
TEST_P(PracticePlanFormTest, SaveRefusesMoreLinesThanAMemosPrintedBoxHolds) {
    using P = TPracticePlan;
    struct Case {
        const char* control;
        QString P::*field;
        const char* caption;
        int held;  // the lines of its printed box
        int page;
    };
    const Case cases[] = {
        {"KenkouMemo", &P::KenkouMemo, "健康状態", 6, 0},
        {"GapeiMemo", &P::GapeiMemo, "合併疾患・コントロール状態", 2, 0},
        {"SeikatsuMemo", &P::SeikatsuMemo, "生活不活発病（廃用症候群）", 2, 0},
        {"ExerciseMemo", &P::ExerciseMemo, "運動器機能障害", 2, 0},
        {"SenseMemo", &P::SenseMemo, "感覚機能障害", 2, 0},
        {"BrainMemo", &P::BrainMemo, "高次脳機能障害", 2, 0},
        {"KoushukuMemo", &P::KoushukuMemo, "拘縮（部位）", 2, 0},
        {"ArthralgiaMemo", &P::ArthralgiaMemo, "関節痛（部位）", 2, 0},
        {"SonotaMemo", &P::SonotaMemo, "その他", 2, 0},
        {"SelfHope", &P::SelfHope, "本人の希望", 7, 1},
        {"FarmilyHope", &P::FarmilyHope, "ご家族の希望", 7, 1},
        {"LifePoint", &P::LifePoint, "生活目標：その人らしく生活するポイント", 7, 1},
        {"RihaTerget", &P::RihaTerget, "本人の状態およびリハビリテーションの目標", 7, 1},
        {"SelfDo", &P::SelfDo, "ご本人に行ってもらうこと", 7, 1},
        {"AskFarmily", &P::AskFarmily, "ご家族にお願いしたいこと", 7, 1},
        {"DiseseCare", &P::DiseseCare, "病気との関係で気をつけること", 7, 1},
        {"Variation", &P::Variation, "前回計画書作成時からの変化点", 7, 1},
        {"Remark", &P::Remark, "備考", 7, 1},
    };
    EXPECT_EQ(lum::printedBoxMessage(QStringLiteral("合併疾患・コントロール状態"), 2),
              QStringLiteral("合併疾患・コントロール状態は印刷欄に入りきりません。\n2行以内で入力してください。"));
    newPlan(client_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        auto* memo = control<QPlainTextEdit>(QString::fromLatin1(c.control));
        const QStringList lines = lum::test::mostShortLines(lum::practiceEntryLimit(c.field));
        ASSERT_GT(lines.size(), c.held);
        memo->setPlainText(lines.join(u'\n'));
        f().PageControl1->setCurrentIndex(1 - c.page);
        ScriptedDialogs d;
        d.expect(MsgKind::Information, lum::printedBoxMessage(QString::fromUtf8(c.caption), c.held), MsgButton::Ok);
        f().SaveButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(f().PageControl1->currentIndex(), c.page);
        EXPECT_EQ(QApplication::focusWidget(), memo);
        EXPECT_TRUE(stored(client_).empty());
        memo->setPlainText(lines.mid(0, c.held).join(u'\n'));
    }
    save();
    const std::vector<Stored> rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    const TPracticePlan plan = *lum::decodePracticePlan(rows[0].blob);
    for (const Case& c : cases) {
        const QStringList lines = lum::test::mostShortLines(lum::practiceEntryLimit(c.field));
        EXPECT_EQ(plan.*c.field, lines.mid(0, c.held).join(u'\n')) << c.control;
    }
}

// A one-line edit printed in two lines: at its 98 bytes, a short word and
// a long one wrap into three, which saving refuses like a memo's lines; the
// same bytes without the blank print in two and are stored.
TEST_P(PracticePlanFormTest, SaveRefusesAOneLineTextItsTwoPrintedLinesCannotHold) {
    const struct {
        const char* control;
        QString TPracticePlan::*field;
        const char* caption;
    } cases[] = {
        {"HomeWorkEdit", &TPracticePlan::HomeWorkEdit, "家庭内役割"},
        {"SocialEdit", &TPracticePlan::SocialEdit, "社会活動"},
        {"GoOutEdit", &TPracticePlan::GoOutEdit, "外出（内容・頻度等）"},
        {"FreeTimeEdit", &TPracticePlan::FreeTimeEdit, "余暇活動（内容・頻度等）"},
    };
    newPlan(client_);
    const QString threeLines = QStringLiteral("a ") + QString(96, QChar(u'W'));
    const QString twoLines = QString(98, QChar(u'W'));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        auto* edit = control<QLineEdit>(QString::fromLatin1(c.control));
        edit->setText(threeLines);
        ScriptedDialogs d;
        d.expect(MsgKind::Information, lum::printedBoxMessage(QString::fromUtf8(c.caption), 2), MsgButton::Ok);
        f().SaveButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_TRUE(stored(client_).empty());
        edit->setText(twoLines);
    }
    save();
    const std::vector<Stored> rows = stored(client_);
    ASSERT_EQ(rows.size(), 1u);
    const TPracticePlan plan = *lum::decodePracticePlan(rows[0].blob);
    for (const auto& c : cases) EXPECT_EQ(plan.*c.field, twoLines) << c.control;
}

TEST_P(PracticePlanFormTest, DeleteAfterANewNeverSavedDeletesNothing) {
    // The same client's plan of the same day, stored at another workstation.
    TPracticePlan there = lum::newPracticePlan(TPerson{}, kToday);
    lum::BlobDocumentStore(db(), f().Kind()).save(client_, kToday, lum::encodePracticePlan(there), false);
    newPlan(client_);
    ScriptedDialogs d;
    d.expect(MsgKind::Confirm, QRegularExpression(QStringLiteral("^利用者番号 = \\d+\n計画評価実施日 = 2024/01/31 10:00:00\nを削除しますか？$")),
             MsgButton::Ok)
        .expect(MsgKind::Error, QStringLiteral("SystemError : DB Delete Record error 1"), MsgButton::Abort);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(stored(client_).size(), 1u);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
    EXPECT_FALSE(f().PageControl1->isHidden());
    // キャンセル at the question: nothing happens.
    ScriptedDialogs cancelled;
    cancelled.expect(MsgKind::Confirm, MsgButton::Cancel);
    f().DeleteMenu->trigger();
    EXPECT_TRUE(cancelled.allDone()) << cancelled.report().toStdString();
    EXPECT_TRUE(f().DeleteMenu->isEnabled());
}

TEST_P(PracticePlanFormTest, EveryWayOfClosingAsksWhenSomethingChanged) {
    struct Case {
        const char* what;
        std::function<void(TPracticePlanForm&)> change;
    };
    const Case cases[] = {
        {"TaiinBox", [](TPracticePlanForm& f) { QTest::mouseClick(f.TaiinBox, Qt::LeftButton); }},
        {"TeamBox5", [this](TPracticePlanForm&) { chooseTeam(4, 3); }},
        {"TeamBox9", [this](TPracticePlanForm&) { chooseTeam(8, 9); }},
        {"a memo", [](TPracticePlanForm& f) { f.Row(22).Goods->setPlainText(QStringLiteral("杖")); f.Row(22).Goods->document()->setModified(true); }},
        {"the plan date", [](TPracticePlanForm& f) { f.PlanDateEdit->setModified(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        newPlan(client_);
        c.change(f());
        // The title bar's close asks too; いいえ keeps the window.
        ScriptedDialogs no;
        no.expect(MsgKind::Information, kCloseQuestion, MsgButton::No);
        f().close();
        EXPECT_TRUE(no.allDone()) << no.report().toStdString();
        EXPECT_TRUE(f().isVisible());
        // The close command asks once.
        ScriptedDialogs still;
        still.expect(MsgKind::Information, kCloseQuestion, MsgButton::No);
        f().ToolButton11->click();
        EXPECT_TRUE(still.allDone()) << still.report().toStdString();
        EXPECT_TRUE(f().isVisible());
        f().DocChanged = false;
        f().ResetModified();
    }
    // The date edit alone does not make New or Open ask.
    newPlan(client_);
    f().PlanDateEdit->setModified(true);
    EXPECT_FALSE(f().IsModified());
    newPlan(other_);
    // Yes closes, once.
    f().PlanDateEdit->setModified(true);
    ScriptedDialogs yes;
    yes.expect(MsgKind::Information, kCloseQuestion, MsgButton::Yes);
    f().ToolButton11->click();
    EXPECT_TRUE(yes.allDone()) << yes.report().toStdString();
    EXPECT_FALSE(f().isVisible());
}

TEST_P(PracticePlanFormTest, AStaffMemberNoLongerListedKeepsTheSlotUntilItIsChanged) {
    TPracticePlan plan = lum::newPracticePlan(TPerson{}, kToday);
    plan.UserName = QStringLiteral("山田　花子");
    plan.Team[0] = 3;
    plan.Team[2] = 77;  // no longer in the staff list
    lum::BlobDocumentStore(db(), f().Kind()).save(client_, kToday, lum::encodePracticePlan(plan), false);
    openPlan(client_);
    EXPECT_EQ(f().TeamBoxes[0]->currentText(), QStringLiteral("佐藤　理学"));
    EXPECT_EQ(f().TeamBoxes[2]->currentIndex(), -1);
    f().Remark->setPlainText(QStringLiteral("更新"));
    ScriptedDialogs d;
    d.expect(MsgKind::Information, kOverwrite, MsgButton::Yes).expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(lum::decodePracticePlan(stored(client_)[0].blob)->Team[2], 77);
    // Changed to none, it is none.
    chooseTeam(2, -1);
    chooseTeam(0, 9);
    ScriptedDialogs again;
    again.expect(MsgKind::Information, kOverwrite, MsgButton::Yes).expect(MsgKind::Information, kSaved, MsgButton::Ok);
    f().SaveButton->click();
    EXPECT_TRUE(again.allDone()) << again.report().toStdString();
    const TPracticePlan back = *lum::decodePracticePlan(stored(client_)[0].blob);
    EXPECT_EQ(back.Team[2], -1);
    EXPECT_EQ(back.Team[0], 9);
    EXPECT_EQ(stored(client_).size(), 1u);
}

TEST_P(PracticePlanFormTest, ADoubleClickPicksPhrasesOfTheFieldsCode) {
    struct Case {
        const char* field;
        int code;
    };
    const Case cases[] = {{"PTOTST1", 0}, {"Jitchi0", 0},        {"KenkouMemo", 1}, {"SeikatsuMemo", 3},
                          {"SonotaMemo", 9}, {"HomeWorkEdit", 20}, {"TaiinEdit", 24}, {"SelfHope", 30},
                          {"Remark", 38}};
    newPlan(client_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        QWidget* w = control<QWidget>(QString::fromLatin1(c.field));
        QWidget* target = qobject_cast<QPlainTextEdit*>(w) ? static_cast<QPlainTextEdit*>(w)->viewport() : w;
        ScriptedDialogs d;
        d.expectModal(QStringLiteral("TStringsForm"), [c](QDialog& dialog) {
            auto& form = static_cast<TStringsForm&>(dialog);
            EXPECT_EQ(form.ProgramName, QStringLiteral("PracticePlan"));
            EXPECT_EQ(form.CommentCode, c.code);
            return int(QDialog::Rejected);
        });
        QTest::mouseDClick(target, Qt::LeftButton);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    // Cancelling the tool dialog changes no memo.
    f().Row(4).Goods->setPlainText(QStringLiteral("車椅子"));
    ScriptedDialogs d;
    d.expectModal(QStringLiteral("GoodsForm"), [](QDialog& dialog) {
        static_cast<TGoodsForm&>(dialog).GoodsBox1->setEditText(QStringLiteral("杖"));
        return int(QDialog::Rejected);
    });
    QTest::mouseDClick(f().Row(4).Goods->viewport(), Qt::LeftButton);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(f().Row(4).Goods->toPlainText(), QStringLiteral("車椅子"));
}

TEST_P(PracticePlanFormTest, PrintsBothPagesWithTheTablesTextsAndTeam) {
    newPlan(client_);
    f().HDSEdit->setText(QStringLiteral("21"));
    abc(cell(0, 0), QStringLiteral("ABC"), &TABCForm::ALLSet);
    f().Row(12).Goods->setPlainText(QStringLiteral("シャワーチェア"));
    f().Row(27).Time->setText(QStringLiteral(" 6ヵ月"));
    QTest::mouseClick(f().Row(20).Special, Qt::LeftButton);
    f().Jitchi1->setPlainText(QStringLiteral("むせに注意"));
    f().LifePoint->setPlainText(QStringLiteral("畑仕事を続ける"));
    chooseTeam(0, 3);
    chooseTeam(6, 5);
    f().PrintButton->click();
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 2);
    EXPECT_TRUE(stored(client_).empty());  // printing saves nothing
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("LUMORIND_KEEP_PRINTOUT");
    QString error;
    EXPECT_TRUE(f().frReport1.SavePreparedToFile(keep.isEmpty() ? dir.filePath("practice.frp") : keep, &error))
        << error.toStdString();

    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::test::PdfOutput out;
    const QString pdf = out.file(QStringLiteral("practice.pdf"));
    lum::test::writePdf(f().frReport1.EMFPages, pdf);
    const QString text = lum::test::pdfText(pdf);
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), 2);
    const QString first = lum::test::withoutBlanks(pages[0]);
    const QString second = lum::test::withoutBlanks(pages[1]);
    for (const QString& s : {QStringLiteral("リハビリテーション実施計画書"), QStringLiteral("山田花子様"),
                             QStringLiteral("ＨＤＳ－Ｒ21点"), QStringLiteral("トイレへの移動"), QStringLiteral("摂食・嚥下"),
                             QStringLiteral("シャワーチェア"), QStringLiteral("6ヵ月"), QStringLiteral("むせに注意"),
                             QStringLiteral("○")})
        EXPECT_TRUE(first.contains(s)) << s.toStdString();
    EXPECT_GE(first.count(QStringLiteral("AB")), 100);
    for (const QString& s : {QStringLiteral("畑仕事を続ける"), QStringLiteral("佐藤理学"), QStringLiteral("田中作業"),
                             QStringLiteral("リハビリテーション・チーム")})
        EXPECT_TRUE(second.contains(s)) << s.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("シャワーチェア")));
}

TEST_P(PracticePlanFormTest, LooksLikeThePaperForm) {
    newPlan(client_);
    f().resize(1100, 860);
    abc(cell(0, 0), QStringLiteral("ABC"), &TABCForm::ALLSet);
    f().Row(0).Goods->setPlainText(QStringLiteral("Ｔ字杖\n短下肢装具"));
    f().Row(0).Time->setText(QStringLiteral(" 3ヵ月"));
    QTest::mouseClick(f().Row(0).Special, Qt::LeftButton);
    QTest::mouseClick(cell(1, 1), Qt::LeftButton);
    shot(QStringLiteral("practice_plan_page1_top"));
    f().ScrollBox1->ensureWidgetVisible(f().Row(8).Goods);
    shot(QStringLiteral("practice_plan_page1_table"));
    f().PageControl1->setCurrentIndex(1);
    shot(QStringLiteral("practice_plan_page2"));
    // The sheets lie centred in their scroll boxes.
    const int gap = f().ScrollBox1->viewport()->width() - f().P1Panel->width();
    if (gap > 0) {
        EXPECT_NEAR(f().P1Panel->x(), gap / 2, 1);
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(PracticePlanFormTest);

}  // namespace
