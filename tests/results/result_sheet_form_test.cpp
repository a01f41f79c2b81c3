// The results sheet and its month dialog, driven by control names on both
// backends: the marks and counts of a month, February's labels and red
// Sundays, an empty month, the month dialog's checks and steps, and opening
// the per-client entry by a double click and for an added client.
#include "results/result_sheet_form.h"

#include "clients/user_search_form.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "results/month_sheet.h"
#include "results/month_sheet_model.h"
#include "results/open_gym_dialog.h"
#include "results/results_edit_form.h"
#include "results_fixture.h"
#include "widgets/horizontal_up_down.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TDateTime ymd(int y, int m, int d) { return TDateTime::fromYmd(y, m, d); }

// The dialog's answer: type the keys into the month edit (from its start),
// optionally Enter, then 開く.
lum::ScriptedDialogs::ModalAction typeMonth(const QString& keys) {
    return [keys](QDialog& dialog) {
        auto& d = static_cast<TOpenGYMDialog&>(dialog);
        d.DateEdit->setCursorPosition(0);
        QTest::keyClicks(d.DateEdit, keys);
        d.OKBtn->click();
        return d.result();
    };
}

class ResultSheetTest : public lum::test::ResultsDatabaseTest {
protected:
    void SetUp() override {
        ResultsDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        a_ = registered(lum::test::makeClient(QStringLiteral("甲野　一"), 0, 1));
        b_ = registered(lum::test::makeClient(QStringLiteral("乙野　二"), 2, 1));
        sheet_ = std::make_unique<TResultSheetForm>();
        sheet_->show();
    }
    void TearDown() override {
        sheet_.reset();
        delete OpenGYMDialog;
        delete ResultsEditForm;
        delete UserSearchForm;
        scope_.reset();
        ResultsDatabaseTest::TearDown();
    }
    TResultSheetForm& s() { return *sheet_; }
    QString cell(int row, int column) {
        return s().StrGrid->model()->index(row, column).data().toString();
    }
    void openMonth(lum::ScriptedDialogs& d, const QString& keys) {
        d.expectModal(QStringLiteral("OpenGYMDialog"), typeMonth(keys));
        s().OpenButton->click();
    }

    lum::FixedClock clock_{QDateTime(QDate(2024, 5, 20), QTime(9, 0))};
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TResultSheetForm> sheet_;
    TPerson a_, b_;
};

TEST_P(ResultSheetTest, AMonthShowsEachClientsMarksAndCount) {
    // Two results on one day: the later one's mark; a type out of range
    // leaves the mark before it.
    store().insert(lum::test::resultOn(a_, ymd(2023, 2, 1), 2));
    store().insert(lum::test::resultOn(a_, ymd(2023, 2, 1), 0));
    store().insert(lum::test::resultOn(a_, ymd(2023, 2, 14), 3));
    store().insert(lum::test::resultOn(a_, ymd(2023, 2, 14), 9));
    store().insert(lum::test::resultOn(b_, ymd(2023, 2, 28), 1));
    store().insert(lum::test::resultOn(b_, ymd(2023, 3, 1), 1));
    lum::ScriptedDialogs d;
    EXPECT_FALSE(s().UserAddButton->isEnabled()) << "until a month is chosen";
    EXPECT_EQ(s().StrGrid->model()->rowCount(), 30);

    const quint64 before = db().statementsRun();
    openMonth(d, QStringLiteral("R0502"));
    EXPECT_EQ(db().statementsRun() - before, 1u) << "one statement for the month";
    EXPECT_EQ(s().FromDate, ymd(2023, 2, 1));
    EXPECT_EQ(s().ToDate, ymd(2023, 3, 1));
    EXPECT_TRUE(s().Loaded);
    EXPECT_TRUE(s().UserAddButton->isEnabled());
    ASSERT_EQ(s().StrGrid->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), lum::CureNoText(a_.CureNo));
    EXPECT_EQ(cell(0, 1), QStringLiteral("甲野　一"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("○"));
    EXPECT_EQ(cell(0, 15), QStringLiteral("◇"));
    EXPECT_EQ(cell(0, 3), QString());
    EXPECT_EQ(cell(0, 33).trimmed(), QStringLiteral("4"));
    EXPECT_EQ(cell(1, 29), QStringLiteral("□"));
    EXPECT_EQ(cell(1, 33).trimmed(), QStringLiteral("1")) << "March is not counted";

    // February 2023: no 29th to 31st; Sundays in red, weekdays Monday first.
    EXPECT_EQ(s().DayLabels[27]->text(), QStringLiteral("28"));
    for (int day : {29, 30, 31}) {
        EXPECT_TRUE(s().DayLabels[day - 1]->text().isEmpty()) << day;
        EXPECT_TRUE(s().WeekdayLabels[day - 1]->text().isEmpty()) << day;
    }
    EXPECT_EQ(s().WeekdayLabels[0]->text(), QStringLiteral("水"));
    EXPECT_EQ(s().WeekdayLabels[4]->text(), QStringLiteral("日"));
    EXPECT_EQ(s().DayLabels[4]->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(s().WeekdayLabels[4]->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(s().DayLabels[5]->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(s().findChild<QLabel*>(QStringLiteral("L29")), s().DayLabels[28]);

    // An empty month: 30 empty rows, and a double click does nothing.
    openMonth(d, QStringLiteral("R0504"));
    EXPECT_EQ(s().StrGrid->model()->rowCount(), 30);
    EXPECT_FALSE(s().Loaded);
    EXPECT_EQ(s().DayLabels[30]->text(), QString()) << "April has 30 days";
    s().StrGridDblClick(0);
    EXPECT_TRUE(d.modals().size() == 2) << "no entry opened";
}

TEST_P(ResultSheetTest, TheMonthDialogChecksWhatIsTypedAndStepsAcrossTheYear) {
    TOpenGYMDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.UseMonth, ymd(2024, 5, 1));
    EXPECT_EQ(dialog.DateEdit->text(), QStringLiteral("令和06年05月"));
    EXPECT_EQ(dialog.SeirekiLabel->text(), QStringLiteral("2024/05"));

    // A month that does not exist, with Enter: the error in red, the month kept.
    dialog.DateEdit->setText(QStringLiteral("令和06年13月"));
    QTest::keyClick(dialog.DateEdit, Qt::Key_Return);
    EXPECT_EQ(dialog.SeirekiLabel->text(), QStringLiteral("利用年月エラー"));
    EXPECT_EQ(dialog.SeirekiLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(dialog.UseMonth, ymd(2024, 5, 1));
    EXPECT_TRUE(dialog.isVisible()) << "Enter does not press 開く";
    // The same with 開く: the dialog stays.
    dialog.OKBtn->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    // December to January and back.
    dialog.DateEdit->setText(QStringLiteral("令和05年12月"));
    dialog.UpDown->nextButton()->click();
    EXPECT_EQ(dialog.UseMonth, ymd(2024, 1, 1));
    EXPECT_EQ(dialog.DateEdit->text(), QStringLiteral("令和06年01月"));
    EXPECT_EQ(dialog.SeirekiLabel->text(), QStringLiteral("2024/01"));
    EXPECT_EQ(dialog.SeirekiLabel->palette().color(QPalette::WindowText), QColor(Qt::black));
    dialog.UpDown->previousButton()->click();
    EXPECT_EQ(dialog.UseMonth, ymd(2023, 12, 1));
    // Enter on a valid month takes it.
    dialog.DateEdit->setText(QStringLiteral("平成30年04月"));
    QTest::keyClick(dialog.DateEdit, Qt::Key_Return);
    EXPECT_EQ(dialog.UseMonth, ymd(2018, 4, 1));
    EXPECT_EQ(dialog.SeirekiLabel->text(), QStringLiteral("2018/04"));

    // A month typed without Enter is the one 開く opens.
    dialog.DateEdit->setText(QStringLiteral("令和04年07月"));
    dialog.OKBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.UseMonth, ymd(2022, 7, 1));
}

TEST_P(ResultSheetTest, TheEntryOpensModallyAndTheSheetShowsWhatItAdded) {
    store().insert(lum::test::resultOn(a_, ymd(2024, 5, 2), 0));
    lum::ScriptedDialogs d;
    openMonth(d, QStringLiteral("R0605"));
    ASSERT_EQ(s().StrGrid->model()->rowCount(), 1);

    // A client already shown.
    d.expectModal(QStringLiteral("UserSearchForm"), [this](QDialog& dialog) {
        static_cast<TUserSearchForm&>(dialog).Person = a_;
        return int(QDialog::Accepted);
    });
    d.expect(MsgKind::Error, QStringLiteral("追加の利用者は、既に表示しています。"), MsgButton::Abort);
    s().UserAddButton->click();

    // A new client: the entry opens for the client and month; a day added
    // there shows on the sheet at once.
    d.expectModal(QStringLiteral("UserSearchForm"), [this](QDialog& dialog) {
        static_cast<TUserSearchForm&>(dialog).Person = b_;
        return int(QDialog::Accepted);
    });
    d.expectModal(QStringLiteral("ResultsEditForm"), [this](QDialog& dialog) {
        auto& entry = static_cast<TResultsEditForm&>(dialog);
        EXPECT_EQ(entry.CureNo, b_.CureNo);
        EXPECT_EQ(entry.FromDate, ymd(2024, 5, 1));
        EXPECT_EQ(entry.ToDate, ymd(2024, 6, 1));
        entry.WorkingDay->setText(QStringLiteral("令和06年05月03日"));
        entry.WorkingAddButton->click();
        return int(QDialog::Rejected);
    });
    s().UserAddMenu->trigger();
    ASSERT_EQ(s().StrGrid->model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), lum::CureNoText(b_.CureNo));
    EXPECT_EQ(cell(1, 4), QStringLiteral("△"));

    // A double click on a client row opens the entry for that client.
    d.expectModal(QStringLiteral("ResultsEditForm"), [this](QDialog& dialog) {
        EXPECT_EQ(static_cast<TResultsEditForm&>(dialog).CureNo, a_.CureNo);
        return int(QDialog::Rejected);
    });
    const QRect first = s().StrGrid->visualRect(s().StrGrid->model()->index(0, 1));
    QTest::mouseClick(s().StrGrid->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(s().StrGrid->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    // Enter on a row does the same.
    d.expectModal(QStringLiteral("ResultsEditForm"), [this](QDialog& dialog) {
        EXPECT_EQ(static_cast<TResultsEditForm&>(dialog).CureNo, b_.CureNo);
        return int(QDialog::Rejected);
    });
    s().StrGrid->setFocus();
    s().StrGrid->setCurrentIndex(s().StrGrid->model()->index(1, 0));
    QTest::keyClick(s().StrGrid, Qt::Key_Return);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();

    // The copy of bookings and the CSV exchange are there.
    for (QAction* a : {s().ImportScheduleMenu, s().ImportExtDataMenu, s().ExportMenu}) EXPECT_TRUE(a->isEnabled());
    EXPECT_TRUE(s().ImportButton->isEnabled());
}

LUM_INSTANTIATE_DATABASE_TESTS(ResultSheetTest);

}  // namespace
