// The monthly medical record window "治療実績入力 （個人）", driven by its
// control names on both backends: showing and the month step, the open
// checks, a staff member's rows while the print keeps every result, the
// column redirect and Tab order, edits written at once (typed minutes, -10,
// a remark, UpdateDate), 保存, the close question, a result deleted
// elsewhere, two workstations editing one result, and printing (no plan,
// the pages of the built template).
#include "results/person_medical_record_form.h"

#include "clients/user_search_form.h"
#include "medical_record_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "common/text_helpers.h"
#include "results/results_menu_form.h"
#include "support/report_pdf.h"
#include "widgets/horizontal_up_down.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using lum::CureResult;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class PersonMedicalRecordTest : public lum::test::MedicalRecordTest {
protected:
    void SetUp() override {
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // A resident with 短期集中 and 集団.
        client_ = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 0, 5));
        form_ = std::make_unique<TPersonMedicalRecordForm>();
        form_->frReport1.Ui = &ui_;
    }
    void TearDown() override {
        form_.reset();
        MedicalRecordTest::TearDown();
    }

    TPersonMedicalRecordForm& f() { return *form_; }
    // Shows the window (May 2024 by the clock) and opens the client.
    void openClient(const QString& number, int staffIndex = -1) {
        if (!f().isVisible()) f().show();
        QApplication::setActiveWindow(&f());
        f().CureEdit->setText(number);
        if (staffIndex >= 0) {
            f().TantouBox->setCurrentIndex(staffIndex);
            emit f().TantouBox->activated(staffIndex);
        }
        f().OpenButton->click();
    }
    QString cell(int row, int column) { return f().ResultGrid->item(row, column)->text(); }
    void focusCell(int row, int column) {
        f().ResultGrid->setFocus();
        f().ResultGrid->setCurrentCell(row, column);
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TPersonMedicalRecordForm> form_;
    TPerson client_;
};

TEST_P(PersonMedicalRecordTest, ShowingStartsOnTheCurrentMonthAndTheArrowsStepAcrossTheYear) {
    lum::ScriptedDialogs d;
    f().show();
    EXPECT_EQ(f().windowTitle(), QStringLiteral("治療実績入力 （個人）"));
    EXPECT_EQ(f().YearMonthLabel->text(), QStringLiteral("令和06年05月"));
    EXPECT_EQ(f().FromDate, ymd(2024, 5, 1));
    EXPECT_EQ(f().ToDate, ymd(2024, 6, 1));
    EXPECT_FALSE(f().SaveButton->isEnabled());
    EXPECT_FALSE(f().PrintButton->isEnabled());
    EXPECT_EQ(f().TantouBox->count(), 3);
    EXPECT_EQ(f().TantouBox->currentIndex(), -1);
    EXPECT_EQ(f().CommentBox->count(), 1) << "the ResultEdit phrases";
    EXPECT_EQ(f().ResultGrid->columnCount(), 22);

    for (int i = 0; i < 8; ++i) f().Hizuke->nextButton()->click();
    EXPECT_EQ(f().YearMonthLabel->text(), QStringLiteral("令和07年01月"));
    EXPECT_EQ(f().FromDate, ymd(2025, 1, 1));
    EXPECT_EQ(f().ToDate, ymd(2025, 2, 1));
    f().Hizuke->previousButton()->click();
    EXPECT_EQ(f().YearMonthLabel->text(), QStringLiteral("令和06年12月"));

    // A step clears what was open.
    addResult(client_, ymd(2024, 12, 3), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    ASSERT_EQ(f().ResultGrid->rowCount(), 1);
    EXPECT_TRUE(f().PrintButton->isEnabled());
    f().Hizuke->nextButton()->click();
    EXPECT_EQ(f().ResultGrid->rowCount(), 0);
    EXPECT_EQ(f().NameLabel->text(), QString());
    EXPECT_FALSE(f().PrintButton->isEnabled());
    EXPECT_FALSE(f().RowsOpen());

    // Showing again starts over on the current month.
    f().close();
    f().show();
    EXPECT_EQ(f().YearMonthLabel->text(), QStringLiteral("令和06年05月"));
}

TEST_P(PersonMedicalRecordTest, OpeningChecksTheNumberAndShowsTheClientsMonth) {
    lum::ScriptedDialogs d;
    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 30), 40);
    addResult(client_, ymd(2024, 5, 8), 7, hm(10, 0), 20, 30);
    addResult(client_, ymd(2024, 6, 1), 3, hm(9, 0), 20);  // next month

    d.expect(MsgKind::Error, QStringLiteral("治療番号エラー"), MsgButton::Cancel);
    openClient(QStringLiteral("12a"));
    EXPECT_FALSE(f().RowsOpen());
    d.expect(MsgKind::Information, QStringLiteral("条件に該当するデータがありません。"), MsgButton::Yes);
    openClient(QStringLiteral("99999"));
    EXPECT_FALSE(f().SaveButton->isEnabled());

    // The client found through the search.
    d.expectModal(QStringLiteral("UserSearchForm"), [this](QDialog& dialog) {
        static_cast<TUserSearchForm&>(dialog).Person = client_;
        return int(QDialog::Accepted);
    });
    f().UserSearchBtn->click();
    EXPECT_EQ(f().CureEdit->text(), QString::number(client_.CureNo));
    QTest::keyClick(f().CureEdit, Qt::Key_Return);  // Enter in the number opens it too
    ASSERT_EQ(f().ResultGrid->rowCount(), 2);
    EXPECT_TRUE(f().SaveButton->isEnabled());
    EXPECT_TRUE(f().PrintButton->isEnabled());
    EXPECT_EQ(f().CureNoLabel->text(), lum::CureNoText(client_.CureNo));
    EXPECT_EQ(f().NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().SexLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(f().BirthLabel->text(), QStringLiteral("昭和10年04月01日"));
    EXPECT_EQ(f().RihaTypeLabel->text(), QStringLiteral("入所"));
    EXPECT_EQ(f().KubunLabel->text(), QStringLiteral("短期集中 集団 "));
    EXPECT_EQ(f().JiritsuLabel->text(), QStringLiteral("J2"));
    EXPECT_EQ(f().NinchiLabel->text(), QStringLiteral("Ⅱb"));
    EXPECT_EQ(f().HpTaishoLabel->text(), QStringLiteral("令和06年03月20日"));
    EXPECT_EQ(f().NyushoLabel->text(), QStringLiteral("令和06年03月25日"));
    EXPECT_EQ(f().TaishoLabel->text(), QStringLiteral("＿＿ __年__月__日")) << "not discharged";
    EXPECT_EQ(f().DateLabel->text(), QStringLiteral("令和06年05月"));
    // The grid: day, staff, the plan, the actual start and minutes, flags, remark, login.
    EXPECT_EQ(cell(0, 0), QStringLiteral(" 7 (火)"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("佐藤 花子"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("10:00"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("30"));
    EXPECT_EQ(cell(1, 4), QStringLiteral("10:00"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("20"));
    EXPECT_EQ(f().ResultGrid->item(0, 6)->data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(f().ResultGrid->item(0, 7)->data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(cell(0, 21), QStringLiteral("入力 太郎"));

    // Changing the number or the staff member closes what was open.
    f().CureEdit->setText(QString::number(client_.CureNo + 1));
    EXPECT_EQ(f().ResultGrid->rowCount(), 0);
    EXPECT_EQ(f().NameLabel->text(), QString());
    EXPECT_FALSE(f().SaveButton->isEnabled());
}

TEST_P(PersonMedicalRecordTest, OneStaffMembersRowsAreShownButThePrintHoldsEveryResult) {
    lum::ScriptedDialogs d;
    addPlan(client_, ymd(2024, 4, 1), {QStringLiteral("歩行訓練")});
    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    addResult(client_, ymd(2024, 5, 7), 7, hm(10, 0), 40);
    addResult(client_, ymd(2024, 5, 9), 7, hm(10, 0), 40);
    openClient(QString::number(client_.CureNo), 1);  // 佐藤 花子
    ASSERT_EQ(f().ResultGrid->rowCount(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("佐藤 花子"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("佐藤 花子"));

    f().PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    EXPECT_EQ(ui_.previews.size(), 1);
    EXPECT_EQ(f().frUserDataset1.RangeEndCount, 31);
    EXPECT_EQ(f().Record.Lines[6].Count, 2) << "both staff members' results of the 7th";
    EXPECT_EQ(f().Record.Lines[6].Minutes, 60);
    EXPECT_EQ(f().Record.CntTotal, 3);
    EXPECT_EQ(f().Record.FacilityName, QStringLiteral("介護老人保健施設 みどり苑"));
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 1);
}

TEST_P(PersonMedicalRecordTest, OnlyTheStartMinutesAndRemarkTakeInputAndEachEditIsWrittenAtOnce) {
    lum::ScriptedDialogs d;
    const qint64 first = addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    const qint64 second = addResult(client_, ymd(2024, 5, 8), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    ASSERT_EQ(f().ResultGrid->rowCount(), 2);

    // The column redirect: before the start time to it, past the minutes to the remark.
    struct Move {
        int to;
        int lands;
    };
    for (const Move& m : {Move{0, 4}, Move{2, 4}, Move{4, 4}, Move{5, 5}, Move{6, 20}, Move{12, 20}, Move{21, 20}}) {
        focusCell(1, 5);
        f().ResultGrid->setCurrentCell(0, m.to);
        EXPECT_EQ(f().ResultGrid->currentColumn(), m.lands) << "column " << m.to;
        EXPECT_EQ(f().ResultGrid->currentRow(), 0);
    }
    EXPECT_TRUE(f().CommentBox->isVisible());
    // Tab: start, minutes, remark, then the next row's start; Shift+Tab back.
    focusCell(0, 4);
    QTest::keyClick(f().ResultGrid, Qt::Key_Tab);
    EXPECT_EQ(f().ResultGrid->currentColumn(), 5);
    QTest::keyClick(f().ResultGrid, Qt::Key_Tab);
    EXPECT_EQ(f().ResultGrid->currentColumn(), 20);
    EXPECT_TRUE(f().CommentBox->lineEdit()->hasFocus()) << "typed text goes into the remark box";
    QTest::keyClick(f().CommentBox->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(f().ResultGrid->currentRow(), 1);
    EXPECT_EQ(f().ResultGrid->currentColumn(), 4);
    QTest::keyClick(f().ResultGrid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f().ResultGrid->currentRow(), 0);
    EXPECT_EQ(f().ResultGrid->currentColumn(), 20);
    EXPECT_FALSE(f().ResultGrid->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(f().ResultGrid->item(0, 6)->flags() & Qt::ItemIsUserCheckable);

    // Minutes typed key by key and Enter: written at once with UpdateDate now.
    clock_.set(QDateTime(QDate(2024, 5, 20), QTime(11, 0)));
    focusCell(0, 5);
    QTest::keyClick(f().ResultGrid, Qt::Key_4);
    auto* editor = qobject_cast<QLineEdit*>(f().ResultGrid->indexWidget(f().ResultGrid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(f().SaveButton->isEnabled()) << "the row in edit mode";
    EXPECT_FALSE(f().PrintButton->isEnabled()) << "until 保存";
    QTest::keyClick(editor, Qt::Key_5);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits on its next turn
    CureResult r = *store().find(first);
    EXPECT_EQ(r.RMinute, 45);
    EXPECT_EQ(r.UpdateDate, TDateTime::fromYmdHms(2024, 5, 20, 11, 0));
    EXPECT_FALSE(f().SaveButton->isEnabled()) << "written: nothing left to save";
    EXPECT_FALSE(f().PrintButton->isEnabled()) << "until the rows are read again";

    // -10 minutes: told, and stored as 0. A start time that is no time is refused.
    d.expect(MsgKind::Warning, QStringLiteral("負の値です。"), MsgButton::Abort);
    f().ResultGrid->item(1, 5)->setText(QStringLiteral("-10"));
    EXPECT_EQ(store().find(second)->RMinute, 0);
    EXPECT_EQ(cell(1, 5), QStringLiteral("0"));
    d.expect(MsgKind::Warning, QStringLiteral("開始時間は「時:分」（例 09:30）で入力してください。"), MsgButton::Ok);
    f().ResultGrid->item(1, 4)->setText(QStringLiteral("25:00"));
    EXPECT_EQ(store().find(second)->RStartTime, hm(9, 0));
    EXPECT_EQ(cell(1, 4), QStringLiteral("09:00"));
    f().ResultGrid->item(1, 4)->setText(QStringLiteral("8:45"));
    EXPECT_EQ(store().find(second)->RStartTime, hm(8, 45));

    // The remark box: its text is written as it changes; a double click edits the phrases.
    focusCell(1, 20);
    ASSERT_TRUE(f().CommentBox->isVisible());
    f().CommentBox->lineEdit()->insert(QStringLiteral("歩行"));  // as an input method commits it
    EXPECT_EQ(store().find(second)->Comment, QStringLiteral("歩行"));
    d.expectModal(QStringLiteral("CommentForm"), [this](QDialog&) {
        lum::CommentStore(db()).append(QStringLiteral("ResultEdit"), 0, QStringLiteral("嚥下訓練"), ymd(2024, 5, 2));
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(f().CommentBox->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(f().CommentBox->count(), 2);
    EXPECT_EQ(f().CommentBox->currentText(), QStringLiteral("歩行"));
    f().CommentBox->setCurrentIndex(1);
    EXPECT_EQ(store().find(second)->Comment, QStringLiteral("嚥下訓練"));
    EXPECT_EQ(cell(1, 20), QStringLiteral("嚥下訓練"));

    // 保存, with a cell being typed in, reads the rows again and allows
    // printing; the row stays current.
    EXPECT_FALSE(f().SaveButton->isEnabled());
    f().ResultGrid->setCurrentCell(1, 5);
    f().ResultGrid->editItem(f().ResultGrid->item(1, 5));
    EXPECT_TRUE(f().SaveButton->isEnabled());
    f().SaveButton->click();
    EXPECT_FALSE(f().SaveButton->isEnabled());
    EXPECT_TRUE(f().PrintButton->isEnabled());
    EXPECT_EQ(f().ResultGrid->currentRow(), 1);
    EXPECT_EQ(cell(0, 5), QStringLiteral("45"));
    EXPECT_EQ(cell(1, 20), QStringLiteral("嚥下訓練"));
}

TEST_P(PersonMedicalRecordTest, ClosingAsksWhileSaveIsEnabledAndShowsTheMenuAgain) {
    lum::ScriptedDialogs d;
    TResultsMenuForm menu;
    ResultsMenuForm = &menu;
    menu.show();
    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    EXPECT_FALSE(menu.isVisible()) << "one screen at a time";
    ASSERT_TRUE(f().SaveButton->isEnabled());
    d.expect(MsgKind::Confirm, QStringLiteral("保存していませんが、このまま閉じますか？"), MsgButton::No);
    f().CloseButton->click();
    EXPECT_TRUE(f().isVisible());
    // Minutes still being typed are written first; then nothing is left to
    // save and it closes without the question.
    focusCell(0, 5);
    f().ResultGrid->editItem(f().ResultGrid->item(0, 5));
    auto* editor = qobject_cast<QLineEdit*>(f().ResultGrid->indexWidget(f().ResultGrid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("35"));
    f().CloseButton->click();
    EXPECT_FALSE(f().isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(store().clientPeriod(client_.CureNo, lum::monthRange(2024, 5))[0].RMinute, 35);
    // Without an edit since 保存, it closes without asking.
    f().show();
    openClient(QString::number(client_.CureNo));
    f().SaveButton->click();
    f().CloseButton->click();
    EXPECT_FALSE(f().isVisible());
    ResultsMenuForm = nullptr;
}

TEST_P(PersonMedicalRecordTest, EditsWrittenAtOnceCloseWithoutAQuestion) {
    lum::ScriptedDialogs d;
    const qint64 id = addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    ASSERT_TRUE(f().SaveButton->isEnabled()) << "opened: 保存 on before any edit";
    expectWrittenEditsCloseWithoutAQuestion(f(), id);
}

TEST_P(PersonMedicalRecordTest, AResultDeletedElsewhereIsToldAndTheRowsAreReadAgain) {
    lum::ScriptedDialogs d;
    const qint64 gone = addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    addResult(client_, ymd(2024, 5, 8), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    ASSERT_EQ(f().ResultGrid->rowCount(), 2);
    auto elsewhere = scratch().open();
    lum::CureResultsStore(*elsewhere).remove(gone);
    d.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^この実績は他の端末で削除されています。")), MsgButton::Ok);
    f().ResultGrid->item(0, 5)->setText(QStringLiteral("30"));
    EXPECT_EQ(f().ResultGrid->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral(" 8 (水)"));
}

TEST_P(PersonMedicalRecordTest, TwoWorkstationsEditingDifferentColumnsOfOneResultKeepBoth) {
    lum::ScriptedDialogs d;
    const qint64 no = addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    // Another workstation writes the remark after this one read the row.
    auto elsewhere = scratch().open();
    lum::CureResultChange remark;
    remark.Comment = QStringLiteral("他の端末の備考");
    lum::CureResultsStore(*elsewhere).update(no, remark);
    f().ResultGrid->item(0, 5)->setText(QStringLiteral("50"));
    f().ResultGrid->item(0, 4)->setText(QStringLiteral("09:10"));
    const CureResult r = *store().find(no);
    EXPECT_EQ(r.RMinute, 50);
    EXPECT_EQ(r.RStartTime, hm(9, 10));
    EXPECT_EQ(r.Comment, QStringLiteral("他の端末の備考")) << "not overwritten by the window's old copy";
    // And the other way round: the window's remark, the other's minutes.
    focusCell(0, 20);
    lum::CureResultChange minutes;
    minutes.RMinute = 15;
    lum::CureResultsStore(*elsewhere).update(no, minutes);
    f().CommentBox->lineEdit()->selectAll();
    f().CommentBox->lineEdit()->insert(QStringLiteral("窓の備考"));
    const CureResult after = *store().find(no);
    EXPECT_EQ(after.Comment, QStringLiteral("窓の備考"));
    EXPECT_EQ(after.RMinute, 15);
}

TEST_P(PersonMedicalRecordTest, ARemarkThatCannotBeStoredWholeIsRefusedAndTheStoredOneStays) {
    const qint64 no = addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    focusCell(0, 20);
    ASSERT_TRUE(f().CommentBox->isVisible());
    f().CommentBox->lineEdit()->insert(QStringLiteral("歩行訓練"));
    lum::test::expectRemarkEntryChecked(*f().CommentBox, [&] { return store().find(no)->Comment; });
}

TEST_P(PersonMedicalRecordTest, PrintingNeedsOpenRowsAndAPlanAndPrintsTheMonth) {
    lum::ScriptedDialogs d;
    f().show();
    d.expect(MsgKind::Information, QStringLiteral("抽出データがありません。"), MsgButton::Ok);
    f().PrintButtonClick();

    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    openClient(QString::number(client_.CureNo));
    d.expect(MsgKind::Information, QStringLiteral("リハビリ計画書データが見つかりません。"), MsgButton::Ok);
    f().PrintButton->click();
    EXPECT_TRUE(ui_.previews.isEmpty()) << "nothing printed";

    addPlan(client_, ymd(2024, 4, 1), {QStringLiteral("平行棒内歩行訓練"), QStringLiteral("立ち上がり訓練")});
    f().PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(ui_.previews.size(), 1);
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::test::PdfOutput out;
    const QString file = out.file(QStringLiteral("month-record-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    lum::test::writePdf(f().frReport1.EMFPages, file);
    const QString text = lum::test::withoutBlanks(lum::test::pdfText(file));
    for (const char* expected : {"リハビリ実績記録書", "令和06年05月", "山田花子", "平行棒内歩行訓練", "1(水)", "7(火)",
                                 "31(金)", "鈴木一郎", "介護老人保健施設みどり苑"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(PersonMedicalRecordTest);

}  // namespace
