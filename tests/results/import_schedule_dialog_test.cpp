// The copy dialog and the mode dialog driven by control names on both
// backends: the display's checks (each stops), listing one staff member or
// 全員, selecting, the copy in either mode, a failure that leaves nothing and
// ends with Cancel, and the results sheet showing the range's month after a
// copy.
#include "results/import_schedule_dialog.h"

#include "booking_copy_fixture.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "results/bookings_to_copy_model.h"
#include "results/copy_mode_form.h"
#include "results/month_sheet_model.h"
#include "results/result_sheet_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class ImportScheduleDialogTest : public lum::test::BookingCopyTest {
protected:
    void SetUp() override {
        BookingCopyTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
    }
    void TearDown() override {
        delete ImportScheduleDialog;
        delete CopyModeForm;
        scope_.reset();
        BookingCopyTest::TearDown();
    }
    TImportScheduleDialog& dialog() { return lum::importScheduleDialog(); }
    // Shows the dialog (not modal) with the range and staff entry chosen.
    void choose(int fromDay, int toDay, int staffIndex) {
        dialog().show();
        dialog().FromDatePicker->setDate(QDate(2024, 5, fromDay));
        dialog().ToDatePicker->setDate(QDate(2024, 5, toDay));
        dialog().StuffBox->setCurrentIndex(staffIndex);
    }
    int listedRows() { return dialog().DBGrid1->model()->rowCount(); }
    QString cell(int row, int column) { return dialog().DBGrid1->model()->index(row, column).data().toString(); }
    int results() {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM CureResults"));
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    // The mode dialog's answer: untick or tick 上書き, then 設定.
    static lum::ScriptedDialogs::ModalAction mode(bool overwrite) {
        return [overwrite](QDialog& d) {
            auto& form = static_cast<TCopyModeForm&>(d);
            EXPECT_TRUE(form.OverWrite->isChecked()) << "上書き is ticked at every showing";
            if (!overwrite) form.SkipWrite->click();
            form.SetButton->click();
            return form.result();
        };
    }

    lum::FixedClock clock_{QDateTime(QDate(2024, 5, 31), QTime(17, 45, 10))};
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
};

TEST_P(ImportScheduleDialogTest, ShowingOffersTheStaffThenEveryoneWithNoChoice) {
    dialog().show();
    const QComboBox* box = dialog().StuffBox;
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), QStringLiteral("佐藤　理学"));
    EXPECT_EQ(box->itemText(2), QStringLiteral("全員"));
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(dialog().FromDatePicker->date(), QDate(2024, 5, 31)) << "today, when the window was made";
    for (QPushButton* b : {dialog().AllSelectBtn, dialog().EraseBtn, dialog().ImportBtn}) EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(dialog().DisplayBtn->toolTip(), QStringLiteral("３ヶ月以内の利用者"));
}

// Tab leaves a date picker at once: each is one stop of the keyboard order.
TEST_P(ImportScheduleDialogTest, EachDatePickerIsOneTabStop) {
    dialog().show();
    dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog()));
    dialog().FromDatePicker->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> forward = {dialog().ToDatePicker, dialog().StuffBox};
    for (QWidget* next : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), dialog().ToDatePicker);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), dialog().FromDatePicker);
    // The arrows still change the date.
    const QDate before = dialog().FromDatePicker->date();
    QTest::keyClick(dialog().FromDatePicker, Qt::Key_Down);
    EXPECT_NE(dialog().FromDatePicker->date(), before);
}

TEST_P(ImportScheduleDialogTest, TheDisplayStopsAfterEachOfItsChecks) {
    lum::ScriptedDialogs d;
    choose(8, 7, 2);
    d.expect(MsgKind::Information, QStringLiteral("範囲日の日付けに誤りがあります。"), MsgButton::Ok);
    dialog().DisplayBtn->click();
    EXPECT_EQ(listedRows(), 0);

    choose(7, 8, -1);
    d.expect(MsgKind::Error, QStringLiteral("担当者の指定がありません。"), MsgButton::Ok);
    dialog().DisplayBtn->click();
    EXPECT_EQ(listedRows(), 0);
    EXPECT_FALSE(dialog().AllSelectBtn->isEnabled());
    EXPECT_EQ(dialog().FirstDay, may(7)) << "the range is taken before the staff check";
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(ImportScheduleDialogTest, ListsOneStaffMemberOrEveryoneInDayTimeAndKanaOrder) {
    choose(7, 8, 0);
    dialog().DisplayBtn->click();
    ASSERT_EQ(listedRows(), 3);
    EXPECT_EQ(cell(0, 0), QStringLiteral("%1").arg(otsu_.CureNo, 8, 10, QChar(u'0')));
    EXPECT_EQ(cell(0, 1), QStringLiteral("乙野　二"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("R06.05.07"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("10:00"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("短期集中 集団 "));
    EXPECT_TRUE(dialog().DBGrid1->isColumnHidden(lum::BookingsToCopyModel::ReserveNoColumn));
    EXPECT_TRUE(dialog().AllSelectBtn->isEnabled());

    choose(7, 7, 2);  // 全員, one day
    dialog().DisplayBtn->click();
    ASSERT_EQ(listedRows(), 3);
    EXPECT_EQ(cell(0, 1), QStringLiteral("丙野　三"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("甲野　一"));
    EXPECT_FALSE(dialog().StuffCode);
}

TEST_P(ImportScheduleDialogTest, CopiesTheSelectedRowsAndEndsWithOk) {
    lum::ScriptedDialogs d;
    choose(7, 8, 2);
    dialog().DisplayBtn->click();
    ASSERT_EQ(listedRows(), 4);
    // Two rows chosen with the keyboard: the first, then Ctrl+Space on the third.
    dialog().DBGrid1->setFocus();
    dialog().DBGrid1->selectRow(0);
    QTest::keyClick(dialog().DBGrid1, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(dialog().DBGrid1, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(dialog().DBGrid1, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(dialog().SelectedBookings().size(), 2u);
    EXPECT_TRUE(dialog().ImportBtn->isEnabled());
    EXPECT_TRUE(dialog().EraseBtn->isEnabled());

    d.expectModal(QStringLiteral("CopyModeForm"), mode(true));
    dialog().ImportBtn->click();
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(results(), 2);
    EXPECT_EQ(dialog().StatBar->value(), 2);
    EXPECT_TRUE(store().findCopied(single_, hei_.CureNo));
    EXPECT_TRUE(store().findCopied(group_, ko_.CureNo));

    // Again, all of them, in skip mode: the two stay as they were and two are added.
    choose(7, 8, 2);
    dialog().DisplayBtn->click();
    dialog().AllSelectBtn->click();
    EXPECT_EQ(dialog().SelectedBookings().size(), 4u);
    d.expectModal(QStringLiteral("CopyModeForm"), mode(false));
    dialog().ImportBtn->click();
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(results(), 4);
    dialog().EraseBtn->click();
    EXPECT_FALSE(dialog().ImportBtn->isEnabled());
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(ImportScheduleDialogTest, AFailureShowsItsMessageLeavesNothingAndEndsWithCancel) {
    lum::ScriptedDialogs d;
    refuseResultsOf(ko_.CureNo);
    choose(7, 8, 2);
    dialog().DisplayBtn->click();
    dialog().AllSelectBtn->click();
    d.expectModal(QStringLiteral("CopyModeForm"), mode(true));
    d.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^\\*\\*\\* System Error 結果テーブル（追加）\n")),
             MsgButton::Ok);
    dialog().ImportBtn->click();
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_EQ(results(), 0);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(ImportScheduleDialogTest, TheModeBoxesStayOppositeAndEscGoesOn) {
    TCopyModeForm& form = lum::copyModeForm();
    form.show();
    EXPECT_TRUE(form.OverWrite->isChecked());
    EXPECT_FALSE(form.SkipWrite->isChecked());
    form.SkipWrite->click();
    EXPECT_FALSE(form.OverWrite->isChecked());
    form.SkipWrite->click();
    EXPECT_TRUE(form.OverWrite->isChecked());
    form.OverWrite->setFocus();
    QTest::keyClick(form.OverWrite, Qt::Key_Space);
    EXPECT_TRUE(form.SkipWrite->isChecked());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Accepted) << "Esc acts as 設定";
    EXPECT_TRUE(form.SkipWrite->isChecked()) << "the choice made stays for the copy";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    form.show();
    EXPECT_TRUE(form.OverWrite->isChecked()) << "each showing ticks 上書き again";
}

TEST_P(ImportScheduleDialogTest, TheSheetShowsTheMonthOfTheRangesFirstDayAfterACopy) {
    lum::ScriptedDialogs d;
    TResultSheetForm sheet;
    sheet.show();
    d.expectModal(QStringLiteral("ImportScheduleDialog"), [this, &d](QDialog&) {
        choose(7, 8, 1);
        dialog().DisplayBtn->click();
        dialog().AllSelectBtn->click();
        d.expectModal(QStringLiteral("CopyModeForm"), mode(true));
        dialog().ImportBtn->click();
        return dialog().result();
    });
    sheet.ImportButton->click();
    EXPECT_EQ(sheet.FromDate, may(1));
    EXPECT_EQ(sheet.ToDate, TDateTime::fromYmd(2024, 6, 1));
    ASSERT_TRUE(sheet.Loaded);
    EXPECT_EQ(sheet.StrGridModel->text(0, 0).toInt(), hei_.CureNo);
    EXPECT_EQ(sheet.StrGridModel->text(0, 8), QStringLiteral("◇")) << "day 7";
    EXPECT_TRUE(sheet.UserAddButton->isEnabled());

    // Cancel changes nothing.
    d.expectModal(QStringLiteral("ImportScheduleDialog"), QDialog::Rejected);
    sheet.ImportScheduleMenu->trigger();
    EXPECT_EQ(sheet.FromDate, may(1));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(ImportScheduleDialogTest);

}  // namespace
