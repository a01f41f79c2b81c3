// The booking summary "治療予約状況サマリー": the day header and the rows as
// plain values, and the window opened through TOpenCureDialog on both
// backends: February's blank days, the next month's first day left out, two
// bookings on one day, 全て, and a month without clients clearing the grid.
#include "schedule/user_sheet_form.h"

#include "schedule/booking_summary.h"
#include "schedule/open_cure_dialog.h"
#include "schedule_fixture.h"

#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TEST(BookingSummary, HeaderOfFebruaryAndTheRowsOfItsBookings) {
    const lum::SummaryHeader header = lum::BuildSummaryHeader(TDateTime::fromYmd(2024, 2, 1));
    EXPECT_EQ(header.Days[0], QStringLiteral("1"));
    EXPECT_EQ(header.Weekdays[0], QStringLiteral("木"));
    EXPECT_EQ(header.Days[28], QStringLiteral("29"));
    for (size_t d : {29u, 30u}) {
        EXPECT_TRUE(header.Days[d].isEmpty()) << d + 1;
        EXPECT_TRUE(header.Weekdays[d].isEmpty()) << d + 1;
    }
    // A February of 28 days leaves the 29th to the 31st blank.
    const lum::SummaryHeader february = lum::BuildSummaryHeader(TDateTime::fromYmd(2023, 2, 1));
    EXPECT_EQ(february.Days[27], QStringLiteral("28"));
    for (size_t d : {28u, 29u, 30u}) {
        EXPECT_TRUE(february.Days[d].isEmpty()) << d + 1;
        EXPECT_TRUE(february.Weekdays[d].isEmpty()) << d + 1;
    }
    EXPECT_TRUE(header.Sunday[3]);  // the 4th
    EXPECT_EQ(header.Weekdays[3], QStringLiteral("日"));
    EXPECT_FALSE(header.Sunday[4]);

    TPerson a;
    a.CureNo = 12;
    a.Name = QStringLiteral("山田　花子");
    a.RihaType = 2;
    TPerson b;
    b.CureNo = 7;
    b.Name = QStringLiteral("河合　次郎");
    b.RihaType = 9;  // no type: no mark, still counted
    const std::vector<lum::ClientBookingDay> bookings{
        {12, TDateTime::fromYmd(2024, 2, 5)}, {12, TDateTime::fromYmd(2024, 2, 5)},
        {12, TDateTime::fromYmd(2024, 2, 29)}, {12, TDateTime::fromYmd(2024, 3, 1)},
        {7, TDateTime::fromYmd(2024, 2, 10)},  {99, TDateTime::fromYmd(2024, 2, 10)}};
    const auto rows = lum::BuildBookingSummary({a, b}, bookings, TDateTime::fromYmd(2024, 2, 1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Number, QStringLiteral("00000012"));
    EXPECT_EQ(rows[0].Marks[4], QStringLiteral("△"));
    EXPECT_EQ(rows[0].Marks[28], QStringLiteral("△"));
    EXPECT_TRUE(rows[0].Marks[0].isEmpty());
    EXPECT_EQ(rows[0].Total, QStringLiteral("   3"));
    EXPECT_EQ(rows[1].Marks[9], QString());
    EXPECT_EQ(rows[1].Total, QStringLiteral("   1"));
    const QString marks[] = {lum::SummaryMark(0), lum::SummaryMark(1), lum::SummaryMark(2), lum::SummaryMark(3),
                             lum::SummaryMark(-1)};
    EXPECT_EQ(QStringList(std::begin(marks), std::end(marks)).join(u','), QStringLiteral("○,□,△,◇,"));
}

class UserSheetTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        form_ = std::make_unique<TUserSheetForm>();
        // 通所 with 個別; 入所 with 集団; a client discharged in January.
        dayCare_ = addClient(QStringLiteral("山田　花子"), TDateTime::fromYmd(2023, 4, 1), {}, 2, 8);
        resident_ = addClient(QStringLiteral("河合　次郎"), TDateTime::fromYmd(2023, 6, 1), {}, 0, 4);
        addClient(QStringLiteral("退所　済子"), TDateTime::fromYmd(2023, 6, 1), TDateTime::fromYmd(2024, 1, 20), 2, 8);
        const auto morning = addFrame(day(5), 1, "09:00", 40, 3);
        book(morning, dayCare_);
        book(addFrame(day(5), 2, "14:00", 40, 1), dayCare_);
        book(addFrame(day(29), 1, "10:00", 40, 1), dayCare_);
        book(addFrame(TDateTime::fromYmd(2024, 3, 1), 1, "10:00", 40, 1), dayCare_);
        book(morning, resident_);
    }
    void TearDown() override {
        delete OpenCureDialog;
        form_.reset();
        scope_.reset();
        ScheduleTest::TearDown();
    }
    // Opens the month through the dialog; error: the message expected after it.
    void open(lum::ScriptedDialogs& d, int year, int month, int type, int kubun, const QString& error = {}) {
        d.expectModal(QStringLiteral("OpenCureDialog"), [=](QDialog& dialog) {
            auto& o = static_cast<TOpenCureDialog&>(dialog);
            o.UseMonth = TDateTime::fromYmd(year, month, 1);
            o.RihaType = type;
            o.KubunCode = kubun;
            return int(QDialog::Accepted);
        });
        if (!error.isEmpty()) d.expect(MsgKind::Error, error, MsgButton::Abort);
        form_->OpenButton->click();
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = form_->StrGrid->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserSheetForm> form_;
    int dayCare_ = 0;
    int resident_ = 0;
};

TEST_P(UserSheetTest, AMonthOfOneTypeAndOfEveryType) {
    lum::ScriptedDialogs d;
    form_->show();
    EXPECT_EQ(form_->StrGrid->rowCount(), 30);
    EXPECT_EQ(form_->StrGrid->columnCount(), 34);
    EXPECT_EQ(form_->StrGrid->columnWidth(0), 82);
    EXPECT_EQ(form_->StrGrid->columnWidth(33), 45);
    EXPECT_TRUE(form_->L[0]->text().isEmpty());

    // 通所 with 個別 in February 2024.
    open(d, 2024, 2, 2, 8);
    EXPECT_EQ(form_->L[28]->text(), QStringLiteral("29"));
    EXPECT_TRUE(form_->L[29]->text().isEmpty());
    EXPECT_TRUE(form_->w[30]->text().isEmpty());
    EXPECT_EQ(form_->w[3]->text(), QStringLiteral("日"));
    EXPECT_EQ(form_->L[3]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(form_->L[4]->palette().color(QPalette::WindowText), QColor(Qt::black));
    ASSERT_EQ(form_->StrGrid->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("%1").arg(dayCare_, 8, 10, QChar(u'0')));
    EXPECT_EQ(cell(0, 1), QStringLiteral("山田　花子"));
    EXPECT_EQ(cell(0, 6), QStringLiteral("△")) << "the 5th, booked twice";
    EXPECT_EQ(cell(0, 30), QStringLiteral("△")) << "the 29th";
    for (int c : {31, 32}) EXPECT_TRUE(cell(0, c).isEmpty()) << c;
    EXPECT_EQ(cell(0, 33), QStringLiteral("   3")) << "the 1st of March is not counted";

    // 全て ignores the categories and leaves out who left before the month.
    open(d, 2024, 2, lum::PersonStore::AllRihaTypes, 0);
    ASSERT_EQ(form_->StrGrid->rowCount(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("河合　次郎"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("○"));
    EXPECT_EQ(cell(1, 33), QStringLiteral("   1"));

    // A month without clients of the type clears the grid.
    open(d, 2024, 2, 3, 1);
    EXPECT_TRUE(cell(0, 1).isEmpty());
    EXPECT_TRUE(cell(0, 6).isEmpty());
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST_P(UserSheetTest, AFailedClientReadClearsTheGridWithItsMessage) {
    lum::ScriptedDialogs d;
    form_->show();
    open(d, 2024, 2, 4, 0);
    ASSERT_EQ(form_->StrGrid->rowCount(), 2);
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    open(d, 2024, 2, 4, 0, QStringLiteral("SystemError : スケジュールの抽出 error "));
    ASSERT_EQ(form_->StrGrid->rowCount(), 2);
    EXPECT_TRUE(cell(0, 6).isEmpty());
    EXPECT_EQ(cell(0, 33), QStringLiteral("   0"));
    db().execute(QStringLiteral("DROP TABLE Person"));
    open(d, 2024, 3, 4, 0, QStringLiteral("SystemError : 利用者の抽出 error "));
    EXPECT_TRUE(cell(0, 0).isEmpty()) << "nothing of February stays under March";
    // The menu's 閉じる closes the window.
    form_->CloseMenu->trigger();
    EXPECT_FALSE(form_->isVisible());
}

LUM_INSTANTIATE_DATABASE_TESTS(UserSheetTest);

}  // namespace
