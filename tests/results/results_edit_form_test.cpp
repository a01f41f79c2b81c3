// The per-client results entry, driven by its control names on both
// backends: an unknown client, adding days (a valid date, the same date
// twice, a date that does not exist), every kind of edit written at once and
// read again, 保存's category codes, deleting one result and all of the
// period, and a result deleted elsewhere meanwhile.
#include "results/results_edit_form.h"

#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "results_fixture.h"
#include "widgets/comment_form.h"
#include "widgets/comment_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::CureResult;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
using lum::test::flagsOf;

TDateTime ymd(int y, int m, int d) { return TDateTime::fromYmd(y, m, d); }

class ResultsEditFormTest : public lum::test::ResultsDatabaseTest {
protected:
    void SetUp() override {
        ResultsDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        db().execute(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (3, '鈴木 一郎', 'ス')"));
        db().execute(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (7, '佐藤 花子', 'サ')"));
        lum::CommentStore(db()).append(QStringLiteral("ResultEdit"), 0, QStringLiteral("歩行訓練"), ymd(2024, 5, 1));
        // A resident with 短期集中 and 集団.
        client_ = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 0, 5));
        other_ = registered(lum::test::makeClient(QStringLiteral("別人"), 0, 5));
        form_ = std::make_unique<TResultsEditForm>();
    }
    void TearDown() override {
        form_.reset();
        delete CommentForm;
        scope_.reset();
        ResultsDatabaseTest::TearDown();
    }

    TResultsEditForm& f() { return *form_; }
    // Shows the entry for the client and May 2024.
    void open(int cureNo) {
        f().CureNo = cureNo;
        const lum::DateRange may = lum::monthRange(2024, 5);
        f().FromDate = may.begin;
        f().ToDate = may.end;
        f().show();
    }
    void reopen() {
        f().close();
        open(client_.CureNo);
    }
    void typeDay(const QString& keys) {
        f().WorkingDay->setCursorPosition(0);
        QTest::keyClicks(f().WorkingDay, keys);
    }
    void focusCell(int row, int column) {
        f().DBGrid1->setFocus();
        f().DBGrid1->setCurrentCell(row, column);
    }
    std::vector<CureResult> stored() { return store().clientPeriod(client_.CureNo, lum::monthRange(2024, 5)); }

    lum::FixedClock clock_{QDateTime(QDate(2024, 5, 20), QTime(10, 15, 30))};
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TResultsEditForm> form_;
    TPerson client_;
    TPerson other_;
};

TEST_P(ResultsEditFormTest, AnUnknownClientIsReportedAndTheWindowCloses) {
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("利用者の登録データが見つかりません。"), MsgButton::Abort);
    open(99999);
    QCoreApplication::processEvents();
    EXPECT_FALSE(f().isVisible());
    EXPECT_EQ(f().DBGrid1->rowCount(), 0);
}

TEST_P(ResultsEditFormTest, AddingDaysWritesTheClientsSnapshotOnceAPress) {
    lum::ScriptedDialogs d;
    open(client_.CureNo);
    EXPECT_EQ(f().NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f().SexLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(f().WorkingDay->text(), QStringLiteral("令和06年05月20日")) << "today, inside the period";

    typeDay(QStringLiteral("R060510"));
    EXPECT_EQ(f().WorkingDay->text(), QStringLiteral("令和06年05月10日"));
    f().WorkingAddButton->click();
    f().WorkingAddButton->click();  // the same day again: a second row
    // A day that does not exist: today's date, without the time of day.
    f().WorkingDay->setText(QStringLiteral("令和06年02月30日"));
    f().WorkingAddButton->click();
    EXPECT_EQ(f().WorkingDay->text(), QStringLiteral("令和06年05月20日"));

    const auto rows = stored();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].CureDate, ymd(2024, 5, 10));
    EXPECT_EQ(rows[1].CureDate, ymd(2024, 5, 10));
    EXPECT_EQ(rows[2].CureDate, ymd(2024, 5, 20)) << "no time of day";
    for (const CureResult& r : rows) {
        EXPECT_EQ(r.ReserveNo, -1);
        EXPECT_EQ(r.StuffCode, -1);
        EXPECT_EQ(r.RihaType, 0);
        EXPECT_EQ(r.KubunCode, 5);
        EXPECT_EQ(flagsOf(r), QStringLiteral("T-T- ---- ---- --"));
        EXPECT_EQ(r.RStartTime, TDateTime::fromYmdHms(1899, 12, 30, 10, 15, 30)) << "a time on the empty date";
        EXPECT_EQ(r.UpdateDate, TDateTime::fromYmdHms(2024, 5, 20, 10, 15, 30));
        EXPECT_EQ(r.ROOM_NO, QStringLiteral("201号室"));
    }
    ASSERT_EQ(f().DBGrid1->rowCount(), 3);
    EXPECT_EQ(f().DBGrid1->currentRow(), 2) << "the day just added";
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::DateColumn)->text(), QStringLiteral("令和06/05/10(金)"));
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::TypeColumn)->text(), QStringLiteral("入所"));
}

TEST_P(ResultsEditFormTest, EveryEditIsWrittenAtOnceAndSaveBringsTheCodeInLineWithTheOwnTypesFlags) {
    const qint64 no = store().insert(lum::test::resultOn(client_, ymd(2024, 5, 7)));
    lum::ScriptedDialogs d;
    open(client_.CureNo);
    ASSERT_EQ(f().DBGrid1->rowCount(), 1);

    // Type: 通所リハビリ; the flags stay.
    focusCell(0, TResultsEditForm::TypeColumn);
    ASSERT_TRUE(f().ResultTypeBox->isVisible());
    f().ResultTypeBox->setCurrentIndex(2);
    emit f().ResultTypeBox->activated(2);
    EXPECT_EQ(store().find(no)->RihaType, 2);

    // Space on a flag ticks it: 通所 x 認知症, and clears 入所 x 短期集中.
    for (int flag : {9, 0}) {
        focusCell(0, TResultsEditForm::FirstFlagColumn + flag);
        ASSERT_TRUE(f().FlagBoxes[flag]->isVisible());
        QTest::keyClick(f().DBGrid1, Qt::Key_Space);
    }
    EXPECT_EQ(flagsOf(*store().find(no)), QStringLiteral("--T- ---- -T-- --")) << "written before any save";

    // Remark, staff, start time and minutes.
    focusCell(0, TResultsEditForm::CommentColumn);
    ASSERT_TRUE(f().ResultCommentBox->isVisible());
    EXPECT_EQ(f().ResultCommentBox->count(), 1) << "the stock phrases of ResultEdit";
    // A double click on the box edits the list; the box shows the new list after.
    d.expectModal(QStringLiteral("CommentForm"), [this](QDialog&) {
        lum::CommentStore(db()).append(QStringLiteral("ResultEdit"), 0, QStringLiteral("嚥下訓練"), ymd(2024, 5, 2));
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(f().ResultCommentBox->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(f().ResultCommentBox->count(), 2);
    EXPECT_EQ(f().ResultCommentBox->currentText(), QString()) << "what the box showed stays";
    f().ResultCommentBox->lineEdit()->insert(QStringLiteral("歩行"));  // as an input method commits it
    focusCell(0, TResultsEditForm::StaffColumn);
    ASSERT_TRUE(f().DBLookupComboBox1->isVisible());
    f().DBLookupComboBox1->setCurrentIndex(1);
    emit f().DBLookupComboBox1->activated(1);
    f().DBGrid1->item(0, TResultsEditForm::StartColumn)->setText(QStringLiteral("9:05"));
    d.expect(MsgKind::Warning, QStringLiteral("負の値です。"), MsgButton::Abort);
    f().DBGrid1->item(0, TResultsEditForm::MinuteColumn)->setText(QStringLiteral("-10"));
    EXPECT_EQ(store().find(no)->RMinute, 0) << "a negative time is stored as 0";
    f().DBGrid1->item(0, TResultsEditForm::MinuteColumn)->setText(QStringLiteral("35"));

    CureResult r = *store().find(no);
    EXPECT_EQ(r.Comment, QStringLiteral("歩行"));
    EXPECT_EQ(r.StuffCode, 7);
    EXPECT_EQ(r.StuffName, QStringLiteral("佐藤 花子"));
    EXPECT_EQ(r.StuffKigo, QStringLiteral("サ"));
    EXPECT_EQ(r.RStartTime, TDateTime::fromYmdHms(1899, 12, 30, 9, 5));
    EXPECT_EQ(r.RMinute, 35);
    EXPECT_EQ(r.KubunCode, 5) << "until 保存";

    d.expect(MsgKind::Information, QStringLiteral("保存しました。"), MsgButton::Ok);
    f().Button3->click();
    EXPECT_EQ(store().find(no)->KubunCode, 2) << "from the 通所 flags only";

    // Minutes still being typed when the window closes are written.
    focusCell(0, TResultsEditForm::MinuteColumn);
    f().DBGrid1->editItem(f().DBGrid1->item(0, TResultsEditForm::MinuteColumn));
    auto* editor = qobject_cast<QLineEdit*>(f().DBGrid1->indexWidget(f().DBGrid1->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("45"));
    QTest::keyClick(f().DBGrid1->window(), Qt::Key_Escape);
    EXPECT_FALSE(f().isVisible());
    EXPECT_EQ(store().find(no)->RMinute, 45);

    reopen();
    ASSERT_EQ(f().DBGrid1->rowCount(), 1);
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::TypeColumn)->text(), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::StartColumn)->text(), QStringLiteral("09:05"));
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::MinuteColumn)->text(), QStringLiteral("45"));
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::FirstFlagColumn + 9)->data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::CommentColumn)->text(), QStringLiteral("歩行"));
    EXPECT_EQ(f().DBGrid1->item(0, TResultsEditForm::StaffColumn)->text(), QStringLiteral("佐藤 花子"));
}

TEST_P(ResultsEditFormTest, ARemarkThatCannotBeStoredWholeIsRefusedAndTheStoredOneStays) {
    CureResult row = lum::test::resultOn(client_, ymd(2024, 5, 7));
    row.Comment = QStringLiteral("歩行訓練");
    const qint64 no = store().insert(row);
    open(client_.CureNo);
    focusCell(0, TResultsEditForm::CommentColumn);
    ASSERT_TRUE(f().ResultCommentBox->isVisible());
    lum::test::expectRemarkEntryChecked(*f().ResultCommentBox, [&] { return store().find(no)->Comment; });
}

TEST_P(ResultsEditFormTest, DeletingOneAsksAndDeletingAllLeavesNeighboursAlone) {
    for (TDateTime day : {ymd(2024, 4, 30), ymd(2024, 5, 1), ymd(2024, 5, 31), ymd(2024, 6, 1)}) {
        store().insert(lum::test::resultOn(client_, day));
        store().insert(lum::test::resultOn(other_, day));
    }
    lum::ScriptedDialogs d;
    open(client_.CureNo);
    ASSERT_EQ(f().DBGrid1->rowCount(), 2);

    focusCell(0, TResultsEditForm::DeleteColumn);
    ASSERT_TRUE(f().DeleteButton->isVisible());
    d.expect(MsgKind::Confirm, QStringLiteral("レコードを削除してもよいですか？"), MsgButton::Cancel);
    f().DeleteButton->click();
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(f().DBGrid1->currentColumn(), 0);

    for (int left : {1, 0}) {
        focusCell(0, TResultsEditForm::DeleteColumn);
        d.expect(MsgKind::Confirm, QStringLiteral("レコードを削除してもよいですか？"), MsgButton::Ok);
        f().DeleteButton->click();
        EXPECT_EQ(stored().size(), static_cast<std::size_t>(left));
        EXPECT_EQ(f().DBGrid1->rowCount(), left);
    }
    EXPECT_TRUE(f().WorkingAddButton->isEnabled()) << "a first day can be added again";
    EXPECT_EQ(countRows(), 6);

    typeDay(QStringLiteral("R060505"));
    f().WorkingAddButton->click();
    f().WorkingAddButton->click();
    ASSERT_EQ(f().DBGrid1->rowCount(), 2);
    f().Button2->click();  // 全て削除 asks nothing
    EXPECT_EQ(f().DBGrid1->rowCount(), 0);
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(countRows(), 6) << "the months around and the other client keep theirs";
}

TEST_P(ResultsEditFormTest, AResultDeletedElsewhereGivesAMessageAndTheGridIsReadAgain) {
    const qint64 gone = store().insert(lum::test::resultOn(client_, ymd(2024, 5, 7)));
    store().insert(lum::test::resultOn(client_, ymd(2024, 5, 8)));
    lum::ScriptedDialogs d;
    open(client_.CureNo);
    ASSERT_EQ(f().DBGrid1->rowCount(), 2);
    auto elsewhere = scratch().open();
    lum::CureResultsStore(*elsewhere).remove(gone);

    focusCell(0, TResultsEditForm::FirstFlagColumn + 1);
    d.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^この実績は他の端末で削除されています。")), MsgButton::Ok);
    QTest::keyClick(f().DBGrid1, Qt::Key_Space);
    EXPECT_EQ(f().DBGrid1->rowCount(), 1);

    // 保存 over a row gone meanwhile writes none of the codes.
    lum::CureResultsStore(*elsewhere).remove(f().Rows()[0].ResultNo);
    d.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^この実績は他の端末で削除されています。")), MsgButton::Ok);
    f().Button3->click();
    EXPECT_EQ(f().DBGrid1->rowCount(), 0);
}

LUM_INSTANTIATE_DATABASE_TESTS(ResultsEditFormTest);

}  // namespace
