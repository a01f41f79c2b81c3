// The frame clipboard on the staff work chart, driven by its control names on
// both backends: the copies with their status texts and the enabling of the
// two pastes, a frame pasted with and without bookings (each booked client
// checked against the new frame), day pastes, and a paste whose write fails
// midway leaving nothing behind.
#include "schedule/stuff_schedule_form.h"

#include "schedule/schedule_data.h"
#include "schedule_fixture.h"

#include "app/main_module.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
namespace text = lum::booking_text;

TDateTime may(int d) { return TDateTime::fromYmd(2024, 5, d); }

class FrameClipboardTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        module_.StuffCount = 3;
        module_.StuffCD = {1, 2, 3};
        module_.StuffNames = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        module_.StuffKigo = module_.StuffNames;
        previous_ = MainModule;
        MainModule = &module_;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        lum::scheduleData().ClearFrames();
        form_ = std::make_unique<TStuffScheduleForm>();
        form_->show();
    }
    void TearDown() override {
        form_.reset();
        scope_.reset();
        MainModule = previous_;
        ScheduleTest::TearDown();
    }

    void display(int staff, TDateTime from) {
        form_->StuffBox->setCurrentIndex(staff - 1);
        form_->StuffBoxChange();
        form_->RVDate->setDate(from.date());
        form_->DispButton->click();
        ASSERT_TRUE(form_->Displayed());
    }
    QLabel* header(int i) const { return form_->findChild<QLabel*>(QStringLiteral("Day%1").arg(i)); }
    QWidget* column(int i) const { return form_->findChild<QWidget*>(QStringLiteral("P%1").arg(i)); }
    QLabel* labelOf(int reserveNo) const {
        const TTimeTable& frames = lum::scheduleData().Frames;
        for (int i = 0; i < frames.Count(); ++i) {
            if (frames.GetItem(i).ResNo == reserveNo) return form_->FrameLabelNamed(frames.GetItem(i).LName);
        }
        return nullptr;
    }
    // The labels of a column, top to bottom.
    std::vector<QLabel*> labelsIn(int c) const {
        std::vector<QLabel*> labels;
        for (QLabel* l : column(c)->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) labels.push_back(l);
        std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        return labels;
    }
    // Whether the column and header menus would offer 貼り付け now.
    std::pair<bool, bool> pastesOffered() {
        form_->SchdulePanelMouseUp(column(0), QPoint(5, 5));
        form_->PanelPopupMenu->hide();
        form_->HeaderMouseUp(header(0), QPoint(5, 5));
        form_->EditPopupMenu->hide();
        return {form_->PasteTimeMenu->isEnabled(), form_->PasteDaysToPanelMenu->isEnabled()};
    }
    int frames() { return count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")); }
    int bookings() { return count(QStringLiteral("SELECT COUNT(*) FROM Schedule")); }
    std::vector<int> clientsOf(int frame) {
        std::vector<int> clients;
        for (const lum::FrameBooking& b : lum::BookingStore(db()).frameBookings(frame)) clients.push_back(b.CureNo);
        return clients;
    }
    // The frame stored for staff member 1 on the day at the start, if any.
    int frameAt(TDateTime onDay, const char* start) {
        for (const lum::FrameRow& row : lum::FrameStore(db()).staffDayFrames(1, onDay)) {
            if (lum::minutesOfDay(row.StartTime) == lum::minutesOfDay(lum::test::hm(start))) return row.ReserveNo;
        }
        return -1;
    }
    void refuseFrameInserts(const char* condition) {
        if (isSqlite()) {
            db().execute(QStringLiteral("CREATE TRIGGER RefuseFrame BEFORE INSERT ON TimeTable WHEN %1 "
                                        "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                             .arg(QString::fromLatin1(condition)));
        } else {
            db().execute(QStringLiteral("CREATE FUNCTION refuse_frame() RETURNS trigger AS $$ BEGIN IF %1 THEN "
                                        "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql")
                             .arg(QString::fromLatin1(condition)));
            db().execute(QStringLiteral(
                "CREATE TRIGGER RefuseFrame BEFORE INSERT ON TimeTable FOR EACH ROW EXECUTE FUNCTION refuse_frame()"));
        }
    }

    TMainModule module_;
    TMainModule* previous_ = nullptr;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TStuffScheduleForm> form_;
};

TEST_P(FrameClipboardTest, EachCopyNamesItselfAndOffersOnlyItsOwnPaste) {
    lum::ScriptedDialogs d;
    const int frame = addFrame(may(6), 1, "09:30", 30, 1).ResNo;
    display(1, may(1));
    EXPECT_EQ(pastesOffered(), std::make_pair(false, false)) << "nothing copied";
    const QString fifth = header(5)->text();  // 月曜日 2024/05/06
    const struct Case {
        const char* copy;
        std::function<void()> run;
        int kind;
        bool withBookings;
        QString source;
        QString status;
    } cases[] = {
        {"時間枠コピー", [&] { form_->TimeCopyMenuClick(labelOf(frame)); }, 0, false, labelOf(frame)->objectName(),
         QStringLiteral("05/06 09:30 時間枠コピー")},
        {"全てコピー", [&] { form_->AllCopyMenuClick(labelOf(frame)); }, 0, true, labelOf(frame)->objectName(),
         QStringLiteral("05/06 09:30 全てコピー")},
        {"当日時間枠コピー", [&] { form_->CopyDaysBoxFromPanelMenuClick(header(5)); }, 1, false,
         QStringLiteral("Day5"), fifth + QStringLiteral(" 日付の枠コピー")},
        {"当日全てコピー", [&] { form_->CopyDaysAllFromPanelMenuClick(header(5)); }, 1, true, QStringLiteral("Day5"),
         fifth + QStringLiteral(" 日付けの全てコピー")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copy);
        c.run();
        EXPECT_TRUE(form_->Clip.HasClip);
        EXPECT_EQ(form_->Clip.ClipKind, c.kind);
        EXPECT_EQ(form_->Clip.WithBookings, c.withBookings);
        EXPECT_EQ(form_->Clip.ClipSource, c.source);
        EXPECT_EQ(form_->StatusText(1), c.status);
        EXPECT_EQ(pastesOffered(), std::make_pair(c.kind == 0, c.kind == 1));
        if (c.kind == 0) {
            EXPECT_EQ(form_->Clip.ClipFrame.ResNo, frame);
        }
    }
    // 全て消去 empties it (another frame erased).
    const int other = addFrame(may(7), 1, "10:00", 30, 1).ResNo;
    form_->ClearButton->click();
    d.expect(MsgKind::Error, text::FrameNotFound, MsgButton::Ok);
    form_->TimeCopyMenuClick(nullptr);  // no label: the frame is not found
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    display(1, may(1));
    EXPECT_TRUE(form_->Clip.HasClip) << "the staff chart's clipboard survives a display";
    form_->TimeCopyMenuClick(labelOf(frame));
    form_->AllEraseMenuClick(labelOf(other));
    EXPECT_FALSE(form_->Clip.HasClip);
    EXPECT_EQ(form_->StatusText(1), QString());
    EXPECT_EQ(pastesOffered(), std::make_pair(false, false));
}

TEST_P(FrameClipboardTest, AFramePastedWithBookingsChecksEachClientAgainstTheNewFrame) {
    lum::ScriptedDialogs d;
    const int left = addClient(QStringLiteral("退所　花子"), may(1), may(8));
    const int late = addClient(QStringLiteral("入所　遅子"), may(12));
    const int busy = addClient(QStringLiteral("重複　太郎"), may(1));
    const int fine = addClient(QStringLiteral("平　一郎"), may(1));
    const int fine2 = addClient(QStringLiteral("平　次郎"), may(1), may(10));  // leaves on the target day
    const TIMETABLE_ITEM group = addFrame(may(6), 1, "09:30", 60, 5);
    for (int client : {left, fine, late, busy, fine2}) book(group, client);
    book(addFrame(may(10), 2, "10:00", 30, 1), busy);  // with B at an overlapping time on the target day
    display(1, may(1));

    form_->AllCopyMenuClick(labelOf(group.ResNo));
    const QString person = QStringLiteral("%1  %2 様\n");
    d.expect(MsgKind::Error, person.arg(left).arg(QStringLiteral("退所　花子")) + text::PasteAfterDischarge,
             MsgButton::Ok);
    d.expect(MsgKind::Error, person.arg(late).arg(QStringLiteral("入所　遅子")) + text::PasteBeforeAdmission,
             MsgButton::Ok);
    d.expect(MsgKind::Error,
             person.arg(busy).arg(QStringLiteral("重複　太郎")) +
                 QStringLiteral("スケジュールが重なっています。\n利用者 重複　太郎\n担当者 B\n10:00->30"),
             MsgButton::Ok);
    form_->PasteTimeMenuClick(column(9));  // 10 May
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    const int pasted = frameAt(may(10), "09:30");
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(clientsOf(pasted), (std::vector<int>{fine, fine2}));
    ASSERT_EQ(labelsIn(9).size(), 1u);
    EXPECT_EQ(labelsIn(9)[0]->text(), QStringLiteral("09.30 -> 60分\n予約 2 名\n "));
    EXPECT_EQ(form_->LabelCount, 2);

    // Without bookings: none copied.
    form_->TimeCopyMenuClick(labelOf(group.ResNo));
    form_->PasteTimeMenuClick(column(11));
    ASSERT_EQ(labelsIn(11).size(), 1u);
    EXPECT_EQ(labelsIn(11)[0]->text(), QStringLiteral("09.30 -> 60分\n予約 0 名\n "));
    EXPECT_EQ(clientsOf(frameAt(may(12), "09:30")), std::vector<int>{});
    // Into a column where it overlaps: nothing.
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->PasteTimeMenuClick(column(11));
    EXPECT_EQ(frames(), 4);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(FrameClipboardTest, AnIndividualFramePastedWithItsClientShowsTheClient) {
    lum::ScriptedDialogs d;
    const int client = addClient(QStringLiteral("平　一郎"), may(1), {}, 2, 5);
    const TIMETABLE_ITEM single = addFrame(may(6), 1, "09:00", 40, 1);
    book(single, client);
    display(1, may(1));
    form_->AllCopyMenuClick(labelOf(single.ResNo));
    form_->PasteTimeMenuClick(column(6));
    ASSERT_EQ(labelsIn(6).size(), 1u);
    EXPECT_EQ(labelsIn(6)[0]->text(), QStringLiteral("09.00 -> 40分\n平　一郎\n通所  短集"));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(FrameClipboardTest, ADayPastedWithBookingsUsesThePlanDayTextAndOntoItselfSkipsEveryFrame) {
    lum::ScriptedDialogs d;
    const int late = addClient(QStringLiteral("入所　遅子"), may(7));
    const int fine = addClient(QStringLiteral("平　一郎"), may(1));
    const TIMETABLE_ITEM nine = addFrame(may(6), 1, "09:00", 30, 1);
    const TIMETABLE_ITEM ten = addFrame(may(6), 1, "10:00", 60, 4);
    book(nine, late);
    book(ten, fine);
    book(ten, late);
    display(1, may(1));

    form_->CopyDaysAllFromPanelMenuClick(header(5));
    d.expect(MsgKind::Error, text::TimeOverlapSkipped, MsgButton::Ok);
    d.expect(MsgKind::Error, text::TimeOverlapSkipped, MsgButton::Ok);
    form_->PasteDaysToPanelMenuClick(header(5));
    EXPECT_EQ(frames(), 2) << "a day pasted onto itself skips every frame";

    const QString refused = QStringLiteral("%1  入所　遅子 様\n").arg(late) + text::PasteBeforePlanDay;
    d.expect(MsgKind::Error, refused, MsgButton::Ok);
    d.expect(MsgKind::Error, refused, MsgButton::Ok);
    form_->PasteDaysToPanelMenuClick(header(4));  // 5 May, before her admission
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    const std::vector<QLabel*> labels = labelsIn(4);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("09.00 -> 30分\n\n "));
    EXPECT_EQ(labels[1]->text(), QStringLiteral("10.00 -> 60分\n予約 1 名\n "));
    EXPECT_EQ(clientsOf(frameAt(may(5), "10:00")), std::vector<int>{fine});
    EXPECT_EQ(form_->LabelCount, 4);
    EXPECT_EQ(lum::scheduleData().FrameCount(), 4);

    // Into another staff member's chart: the day copy names its column only.
    form_->ClearButton->click();
    display(2, may(1));
    form_->PasteDaysToPanelMenuClick(header(5));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(form_->LabelTotal(), 0) << "B has no frames on 6 May to copy";
}

TEST_P(FrameClipboardTest, ADayPasteWhoseWriteFailsMidwayLeavesNothing) {
    lum::ScriptedDialogs d;
    const int client = addClient(QStringLiteral("平　一郎"), may(1));
    book(addFrame(may(6), 1, "09:00", 30, 1), client);
    addFrame(may(6), 1, "10:00", 45, 2);
    addFrame(may(6), 1, "13:00", 30, 1);
    display(1, may(1));
    const int labels = form_->LabelTotal();
    const int listed = lum::scheduleData().FrameCount();
    const int counter = form_->LabelCount;
    refuseFrameInserts("NEW.WorkingMin = 45");

    form_->CopyDaysAllFromPanelMenuClick(header(5));
    d.expect(MsgKind::Error, text::FrameAppendFailed, MsgButton::Ok);
    form_->PasteDaysToPanelMenuClick(header(8));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(frames(), 3) << "the frame written before the failure is gone too";
    EXPECT_EQ(bookings(), 1);
    EXPECT_EQ(form_->LabelTotal(), labels);
    EXPECT_EQ(lum::scheduleData().FrameCount(), listed);
    EXPECT_EQ(form_->LabelCount, counter);
    EXPECT_FALSE(db().inTransaction());
}

LUM_INSTANTIATE_DATABASE_TESTS(FrameClipboardTest);

}  // namespace
