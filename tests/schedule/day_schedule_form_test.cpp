// The day board driven by its control names, on both backends: staff columns
// at an offset (frames of staff members not shown take no column), the width
// by the staff count, new frames by the column's place in the staff list, the
// clipboard emptied by a display, the bookings dialog with its cancel
// buttons, a failed read, the column copy and paste and the bulk change.
#include "schedule/day_schedule_form.h"

#include "schedule/board_layout.h"
#include "schedule/schedule_data.h"
#include "schedule/shift_up_down.h"
#include "schedule/staff_pick_forms.h"
#include "schedule/stuff_time_form.h"
#include "schedule/time_table_form.h"
#include "schedule_fixture.h"

#include "app/main_module.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
namespace text = lum::booking_text;

class DayBoardTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        setStaff(3);
        previous_ = MainModule;
        MainModule = &module_;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        lum::scheduleData().ClearFrames();
        form_ = std::make_unique<TDayScheduleForm>();
    }
    void TearDown() override {
        form_.reset();
        scope_.reset();
        MainModule = previous_;
        ScheduleTest::TearDown();
    }

    // Staff members with codes 101.. named "S1".., in list order.
    void setStaff(int n) {
        module_.StuffCD.clear();
        module_.StuffNames.clear();
        module_.StuffKigo.clear();
        for (int i = 1; i <= n; ++i) {
            module_.StuffCD.push_back(100 + i);
            module_.StuffNames << QStringLiteral("S%1").arg(i);
            module_.StuffKigo << QStringLiteral("S");
        }
        module_.StuffCount = n;
    }
    static int code(int staffNo) { return 100 + staffNo; }

    void show() { form_->show(); }
    void shift(int clicks) {
        for (int i = 0; i < clicks; ++i) form_->StuffNameShift->UpButton->click();
    }
    void display(TDateTime onDay) {
        form_->RVDate->setDate(onDay.date());
        form_->DispButton->click();
    }
    QLabel* header(int i) const { return form_->findChild<QLabel*>(QStringLiteral("Stuff%1").arg(i)); }
    QWidget* column(int i) const { return form_->findChild<QWidget*>(QStringLiteral("P%1").arg(i)); }
    QLabel* labelOf(int reserveNo) const {
        const TTimeTable& frames = lum::scheduleData().Frames;
        for (int i = 0; i < frames.Count(); ++i) {
            if (frames.GetItem(i).ResNo == reserveNo) return form_->FrameLabelNamed(frames.GetItem(i).LName);
        }
        return nullptr;
    }
    int columnOf(int reserveNo) const {
        const TTimeTable& frames = lum::scheduleData().Frames;
        for (int i = 0; i < frames.Count(); ++i) {
            if (frames.GetItem(i).ResNo == reserveNo) return frames.GetItem(i).PNo;
        }
        return -2;
    }
    int frames() { return count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")); }
    int framesOf(int staff) { return count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode = ?"), {staff}); }
    static lum::ScriptedDialogs::ModalAction typeFrame(const char* start, const char* minutes, int capacity) {
        return [=](QDialog& dialog) {
            auto& editor = static_cast<TStuffTimeForm&>(dialog);
            editor.StartTimeEdit->setText(QString::fromLatin1(start));
            editor.FunnEdit->setText(QString::fromLatin1(minutes));
            editor.MenCount->setValue(capacity);
            editor.SetButton->click();
            return editor.result();
        };
    }
    static lum::ScriptedDialogs::ModalAction chooseStaff(int index) {
        return [=](QDialog& dialog) {
            auto& picker = static_cast<TStuffAllChangeForm&>(dialog);
            picker.KaigoStuffBox->setCurrentIndex(index);
            picker.SetButton->click();
            return picker.result();
        };
    }

    TMainModule module_;
    TMainModule* previous_ = nullptr;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TDayScheduleForm> form_;
};

TEST_P(DayBoardTest, FortyStaffAtOffsetTenShowStaffElevenToFortyAndLeaveOthersOutOfEveryColumn) {
    lum::ScriptedDialogs d;
    setStaff(40);
    const int sixth = addFrame(day(20), code(6), "09:00", 60, 1).ResNo;
    const int eleventh = addFrame(day(20), code(11), "13:00", 30, 1).ResNo;
    const int fortieth = addFrame(day(20), code(40), "10:00", 30, 1).ResNo;
    const int unlisted = addFrame(day(20), 999, "09:00", 30, 1).ResNo;
    show();
    EXPECT_EQ(form_->StartStuffNo->text(), QStringLiteral("1人～"));
    EXPECT_TRUE(form_->StuffNameShift->isEnabled());
    EXPECT_EQ(form_->StuffNameShift->maximum(), 30) << "the largest multiple of 10 below the count";
    EXPECT_EQ(header(0)->text(), QStringLiteral("S1"));
    EXPECT_EQ(header(30)->text(), QStringLiteral("S31"));
    EXPECT_EQ(form_->HeaderPanel->width(), 3720);
    EXPECT_EQ(form_->SchedulePanel->width(), 3720);
    EXPECT_EQ(form_->DayScrollBar->maximum(), 30);

    shift(1);
    EXPECT_EQ(form_->StartStuffNo->text(), QStringLiteral("11人目～"));
    shift(5);
    EXPECT_EQ(form_->StuffNameShift->position(), 30) << "never past the last staff member";
    form_->StuffNameShift->DownButton->click();
    form_->StuffNameShift->DownButton->click();
    EXPECT_EQ(form_->StartStuffNo->text(), QStringLiteral("11人目～"));

    display(day(20));
    ASSERT_TRUE(form_->Displayed());
    EXPECT_FALSE(form_->RVDate->isEnabled());
    EXPECT_FALSE(form_->DispButton->isEnabled());
    EXPECT_TRUE(form_->ClearButton->isEnabled());
    EXPECT_EQ(header(0)->text(), QStringLiteral("S11"));
    EXPECT_EQ(header(29)->text(), QStringLiteral("S40"));
    EXPECT_EQ(header(30)->text(), QString());
    EXPECT_EQ(form_->LabelTotal(), 2);
    EXPECT_EQ(labelOf(sixth), nullptr);
    EXPECT_EQ(columnOf(sixth), -1);
    EXPECT_EQ(columnOf(unlisted), -1);
    EXPECT_EQ(columnOf(eleventh), 0);
    EXPECT_EQ(columnOf(fortieth), 29);
    ASSERT_NE(labelOf(fortieth), nullptr);
    EXPECT_EQ(labelOf(fortieth)->parentWidget(), column(29));
    EXPECT_EQ(form_->LabelCount, 4);

    // The sixth staff member's frame at 9:00 does not block column 0.
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("09:00", "60", 1));
    form_->NewBoxMenuClick(column(0));
    EXPECT_EQ(framesOf(code(11)), 2);
    EXPECT_EQ(form_->LabelTotal(), 3);
    // A blank column names nobody.
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("11:00", "30", 1));
    d.expect(MsgKind::Error, text::StaffUnknown, MsgButton::Ok);
    form_->NewBoxMenuClick(column(30));
    EXPECT_EQ(frames(), 5);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, TwelveStaffMakeAFourteenHundredFortyPixelBoardAndNoOffset) {
    lum::ScriptedDialogs d;
    setStaff(12);
    show();
    EXPECT_EQ(form_->HeaderPanel->width(), 1440);
    EXPECT_EQ(form_->SchedulePanel->width(), 1440);
    EXPECT_FALSE(form_->StuffNameShift->isEnabled());
    form_->resize(form_->width() + 200, form_->height());
    EXPECT_EQ(form_->HeaderPanel->width(), 1440) << "set again on resize";
    EXPECT_EQ(form_->DayScrollBar->maximum(), 11) << "scrolling stops at the last staff column";
    display(day(20));
    EXPECT_EQ(header(11)->text(), QStringLiteral("S12"));
    EXPECT_EQ(header(12)->text(), QString());
    EXPECT_EQ(TDayScheduleForm::BoardWidth(31), 3720);
    EXPECT_EQ(TDayScheduleForm::BoardWidth(45), 3720);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, ANewFrameGoesToTheColumnsStaffMemberEvenWhenTwoShareAName) {
    lum::ScriptedDialogs d;
    module_.StuffNames[2] = module_.StuffNames[1];  // S2 twice: codes 102 and 103
    show();
    display(day(20));
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("10:00", "30", 1));
    form_->NewBoxMenuClick(column(2));
    EXPECT_EQ(framesOf(code(3)), 1);
    EXPECT_EQ(framesOf(code(2)), 0);
    // An overlap in the column is told before the staff member is looked for.
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("10:10", "30", 1));
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->NewBoxMenuClick(column(2));
    EXPECT_EQ(frames(), 1);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, ACopyMadeBeforeANewDisplayCannotBePasted) {
    lum::ScriptedDialogs d;
    const int frame = addFrame(day(20), code(1), "09:30", 30, 1).ResNo;
    show();
    display(day(20));
    form_->TimeCopyMenuClick(labelOf(frame));
    EXPECT_TRUE(form_->Clip.HasClip);
    EXPECT_EQ(form_->StatusText(1), QStringLiteral("02/20 09:30 時間枠コピー"));
    form_->CopyStuffBoxFromPanelMenuClick(header(0));
    EXPECT_EQ(form_->StatusText(1), QStringLiteral("S1 枠コピー"));
    EXPECT_EQ(form_->Clip.ClipSource, QStringLiteral("Stuff0"));
    form_->TimeCopyMenuClick(labelOf(frame));

    form_->ClearButton->click();
    display(day(21));
    EXPECT_FALSE(form_->Clip.HasClip);
    EXPECT_EQ(form_->StatusText(1), QString());
    form_->SchdulePanelMouseUp(column(1), QPoint(10, 10));
    EXPECT_FALSE(form_->PasteTimeMenu->isEnabled());
    form_->PanelPopupMenu->hide();
    form_->PasteTimeMenuClick(column(1));
    EXPECT_EQ(frames(), 1);
    EXPECT_FALSE(form_->findChild<QAction*>(QStringLiteral("AllCopyMenu"))) << "no copy with bookings here";
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, EachCopyOffersOnlyItsOwnPasteAndAFramePasteGoesToTheColumnsStaffMember) {
    lum::ScriptedDialogs d;
    module_.StuffNames[2] = module_.StuffNames[1];  // S2 twice: codes 102 and 103
    const TIMETABLE_ITEM group = addFrame(day(20), code(1), "09:30", 60, 4);
    book(group, addClient(QStringLiteral("平　一郎")));
    const int other = addFrame(day(20), code(1), "13:00", 30, 1).ResNo;
    show();
    display(day(20));
    // Whether the column and the header menus would offer 貼り付け now.
    const auto pastesOffered = [&] {
        form_->SchdulePanelMouseUp(column(1), QPoint(5, 5));
        form_->PanelPopupMenu->hide();
        form_->HeaderMouseUp(header(1), QPoint(5, 5));
        form_->EditPopupMenu->hide();
        return std::make_pair(form_->PasteTimeMenu->isEnabled(), form_->PasteBoxesToPanelMenu->isEnabled());
    };
    EXPECT_EQ(pastesOffered(), std::make_pair(false, false)) << "nothing copied";
    const struct Case {
        const char* copy;
        std::function<void()> run;
        int kind;
        QString source;
        QString status;
    } cases[] = {
        {"時間枠コピー", [&] { form_->TimeCopyMenuClick(labelOf(group.ResNo)); }, 0, labelOf(group.ResNo)->objectName(),
         QStringLiteral("02/20 09:30 時間枠コピー")},
        {"全ての枠コピー", [&] { form_->CopyStuffBoxFromPanelMenuClick(header(0)); }, 1, QStringLiteral("Stuff0"),
         QStringLiteral("S1 枠コピー")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copy);
        c.run();
        EXPECT_TRUE(form_->Clip.HasClip);
        EXPECT_EQ(form_->Clip.ClipKind, c.kind);
        EXPECT_FALSE(form_->Clip.WithBookings) << "the day board never copies bookings";
        EXPECT_EQ(form_->Clip.ClipSource, c.source);
        EXPECT_EQ(form_->StatusText(1), c.status);
        EXPECT_EQ(pastesOffered(), std::make_pair(c.kind == 0, c.kind == 1));
    }

    // The frame, pasted into the column of the second staff member named S2, is hers, without its booking.
    form_->TimeCopyMenuClick(labelOf(group.ResNo));
    form_->PasteTimeMenuClick(column(2));
    EXPECT_EQ(framesOf(code(3)), 1);
    EXPECT_EQ(framesOf(code(2)), 0);
    const std::vector<lum::FrameRow> pasted = lum::FrameStore(db()).staffDayFrames(code(3), day(20));
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(bookingsOf(pasted[0].ReserveNo), 0);
    ASSERT_NE(labelOf(pasted[0].ReserveNo), nullptr);
    EXPECT_EQ(labelOf(pasted[0].ReserveNo)->parentWidget(), column(2));
    EXPECT_EQ(labelOf(pasted[0].ReserveNo)->text(), QStringLiteral("09.30 -> 60分\n予約 0 名\n "));

    // 全て消去 of another frame empties the clipboard: neither paste is offered.
    form_->AllEraseMenuClick(labelOf(other));
    EXPECT_FALSE(form_->Clip.HasClip);
    EXPECT_EQ(form_->StatusText(1), QString());
    EXPECT_EQ(pastesOffered(), std::make_pair(false, false));
    form_->PasteTimeMenuClick(column(1));
    EXPECT_EQ(framesOf(code(2)), 0) << "nothing to paste";
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, TheBookingsDialogAllowsCancelling) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM group = addFrame(day(20), code(2), "10:00", 60, 4);
    book(group, addClient(QStringLiteral("平　一郎")));
    book(group, addClient(QStringLiteral("平　次郎")));
    show();
    display(day(20));
    bool bothShown = false;
    d.expectModal(QStringLiteral("TimeTableForm"), [&](QDialog& dialog) {
        auto& bookings = static_cast<TTimeTableForm&>(dialog);
        bothShown = bookings.DeleteButton->isVisibleTo(&bookings) && bookings.AllDeleteButton->isVisibleTo(&bookings) &&
                    bookings.DeleteButton->isEnabled() && bookings.AllDeleteButton->isEnabled();
        bookings.DeleteButton->click();
        return int(QDialog::Accepted);
    });
    form_->ReserveUpdateMenuClick(labelOf(group.ResNo));
    EXPECT_TRUE(bothShown);
    EXPECT_EQ(bookingsOf(group.ResNo), 1);
    EXPECT_EQ(labelOf(group.ResNo)->text(), QStringLiteral("10.00 -> 60分\n予約 1 名\n "));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, AFailedReadLeavesTheBoardUndisplayedWithItsMessage) {
    lum::ScriptedDialogs d;
    show();
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    d.expect(MsgKind::Error, QStringLiteral("System Error 予約の表示でエラーが発生しました。"), MsgButton::Ok);
    display(day(20));
    EXPECT_FALSE(form_->Displayed());
    EXPECT_FALSE(form_->ChartArea->isVisible());
    EXPECT_TRUE(form_->DispButton->isEnabled());
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, AStaffColumnPastesOntoAnotherSkippingWhatOverlaps) {
    lum::ScriptedDialogs d;
    const int nine = addFrame(day(20), code(1), "09:00", 60, 1).ResNo;
    addFrame(day(20), code(1), "13:00", 30, 3);
    addFrame(day(20), code(2), "13:15", 30, 1);
    show();
    display(day(20));
    form_->CopyStuffBoxFromPanelMenuClick(header(0));
    form_->HeaderMouseUp(header(1), QPoint(5, 5));
    EXPECT_TRUE(form_->PasteBoxesToPanelMenu->isEnabled());
    form_->EditPopupMenu->hide();

    d.expect(MsgKind::Error, text::TimeOverlapSkipped, MsgButton::Ok);
    form_->PasteBoxesToPanelMenuClick(header(1));
    EXPECT_EQ(framesOf(code(2)), 2);
    EXPECT_EQ(form_->LabelTotal(), 4);
    EXPECT_EQ(form_->LabelCount, 4);
    // Onto a blank header: nobody to paste for.
    d.expect(MsgKind::Error, text::StaffUnknown, MsgButton::Ok);
    form_->PasteBoxesToPanelMenuClick(header(5));
    // Onto itself: every frame skipped.
    d.expect(MsgKind::Error, text::TimeOverlapSkipped, MsgButton::Ok);
    d.expect(MsgKind::Error, text::TimeOverlapSkipped, MsgButton::Ok);
    form_->PasteBoxesToPanelMenuClick(header(0));
    EXPECT_EQ(frames(), 4);
    EXPECT_EQ(columnOf(nine), 0);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(DayBoardTest, TheBulkChangeMovesAColumnsFramesOneByOne) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM nine = addFrame(day(20), code(1), "09:00", 60, 1);
    const int one = addFrame(day(20), code(1), "13:00", 30, 3).ResNo;
    addFrame(day(20), code(2), "13:15", 30, 1);
    const int client = addClient(QStringLiteral("平　一郎"));
    book(nine, client);
    show();
    display(day(20));

    // To the same staff member: every frame refused.
    d.expectModal(QStringLiteral("StuffAllChangeForm"), chooseStaff(0));
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->ChangeStuffOfPanelMenuClick(header(0));
    EXPECT_EQ(framesOf(code(1)), 2);

    // To the second: the 9:00 frame moves with its booking, the 13:00 one overlaps.
    d.expectModal(QStringLiteral("StuffAllChangeForm"), chooseStaff(1));
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->ChangeStuffOfPanelMenuClick(header(0));
    EXPECT_EQ(lum::FrameStore(db()).find(nine.ResNo)->StuffCode, code(2));
    EXPECT_EQ(lum::FrameStore(db()).find(one)->StuffCode, code(1));
    EXPECT_EQ(bookingsOf(nine.ResNo), 1);
    EXPECT_TRUE(form_->Displayed()) << "cleared and displayed again";
    EXPECT_EQ(columnOf(nine.ResNo), 1);
    EXPECT_EQ(labelOf(nine.ResNo)->parentWidget(), column(1));

    // A header past the last staff member.
    d.expect(MsgKind::Error, text::StaffConfirmFailed, MsgButton::Ok);
    form_->ChangeStuffOfPanelMenuClick(header(3));
    // Cancelled: nothing changes.
    d.expectModal(QStringLiteral("StuffAllChangeForm"), [](QDialog&) { return int(QDialog::Rejected); });
    form_->ChangeStuffOfPanelMenuClick(header(1));
    EXPECT_EQ(framesOf(code(2)), 2);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(DayBoardTest);

}  // namespace
