// The client month schedule driven by its control names on both backends:
// the show (bookings, requests hidden by a booking, admission and discharge,
// a 30-day month, a staff member no longer listed), the drop of a staff
// member through the label's drop seam, the labels' MIME type, 消去,
// 予約詳細 and 担当者変更, the pick of a staff member and the wheel.
#include "schedule/user_schedule_form.h"

#include "schedule/board_layout.h"
#include "schedule/booking_rules.h"
#include "schedule/client_drag.h"
#include "schedule/drag_person_grid.h"
#include "schedule/staff_drag.h"
#include "schedule/staff_pick_forms.h"
#include "schedule/time_table_form.h"
#include "schedule_fixture.h"

#include "app/main_module.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
using lum::test::hm;
namespace text = lum::booking_text;
namespace rtext = lum::request_text;
namespace board = lum::board;

class UserScheduleTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (int code : {1, 2, 3}) {
            QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
            q.bindValue(0, code);
            q.bindValue(1, lum::test::staffNameOf(code));
            q.bindValue(2, lum::test::staffNameOf(code));
            db().exec(q);
        }
        module_.StuffCount = 3;
        module_.StuffCD = {1, 2, 3};
        module_.StuffNames = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        module_.StuffKigo = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        previous_ = MainModule;
        MainModule = &module_;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
        form_ = std::make_unique<TUserScheduleForm>();
        client_ = addClient(QStringLiteral("山田　花子"), TDateTime::fromYmd(2024, 2, 5));
    }
    void TearDown() override {
        form_.reset();
        scope_.reset();
        MainModule = previous_;
        ScheduleTest::TearDown();
    }

    // February 2024, the client asking for Tuesdays 10:00 for 40 minutes
    // (6, 13, 20, 27; the admission on the 5th).
    void showMonth(int year = 2024, int month = 2, TDateTime discharged = {}) {
        lum::TUserMonthBook book;
        lum::WeekSlots week{};
        week[1] = {hm("10:00"), 40};
        book.SetWeek(week);
        form_->CureNo = client_;
        form_->NyushoDate = TDateTime::fromYmd(2024, 2, 5);
        form_->TaishoDate = discharged;
        form_->UseMonth = TDateTime::fromYmd(year, month, 1);
        book.MakeMonth(form_->MonthBook, form_->UseMonth);
        form_->UserName = QStringLiteral("山田　花子");
        if (form_->isVisible()) form_->close();
        form_->show();
    }
    // The item label on a day (1..31), or nullptr.
    QLabel* itemOn(int dayOfMonth) const {
        const auto labels = form_->Columns[static_cast<size_t>(dayOfMonth - 1)]->findChildren<QLabel*>();
        return labels.isEmpty() ? nullptr : labels.front();
    }
    void drop(QLabel* label, int staff) { form_->LabelDragDrop(label, lum::encodeStaffDrag(staff)); }
    int frames() { return count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")); }
    int bookings() { return count(QStringLiteral("SELECT COUNT(*) FROM Schedule")); }
    static QColor colourOf(const QWidget* w) { return w->palette().color(QPalette::Window); }

    TMainModule module_;
    TMainModule* previous_ = nullptr;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TUserScheduleForm> form_;
    int client_ = 0;
};

TEST_P(UserScheduleTest, ShowsBookingsAndTheRequestsLeftOpen) {
    lum::ScriptedDialogs d;
    // A booking with B on the 13th overlapping the request hides it; one with
    // a staff member no longer listed on the 20th still shows and hides it.
    book(addFrame(day(13), 2, "10:20", 30, 1), client_);
    book(addFrame(day(20), 9, "09:30", 40, 1), client_);
    showMonth();
    EXPECT_TRUE(form_->Built());
    EXPECT_TRUE(form_->SchedulePanel->isVisible());
    EXPECT_EQ(form_->Days[0]->text(), QStringLiteral("2024/02/01 木曜日"));
    EXPECT_EQ(colourOf(form_->Days[2]), board::Saturday);
    EXPECT_EQ(colourOf(form_->Columns[3]), board::Sunday);
    EXPECT_EQ(form_->CureStartLabel->text(), QStringLiteral("令和06年02月05日"));
    EXPECT_EQ(form_->CureEndLabel->text(), QString());
    EXPECT_EQ(form_->DragStuffQuery->rowCount(), 3);

    ASSERT_NE(itemOn(6), nullptr);
    EXPECT_EQ(itemOn(6)->text(), QStringLiteral("10.00 -> 40分\n担当者未定"));
    EXPECT_EQ(colourOf(itemOn(6)), board::FrameColour(2));
    EXPECT_EQ(itemOn(6)->geometry(), QRect(1, 240, 118, 79));
    ASSERT_NE(itemOn(13), nullptr);
    EXPECT_EQ(itemOn(13)->text(), QStringLiteral("10.20 -> 30分\nB"));
    EXPECT_EQ(colourOf(itemOn(13)), board::FrameColour(1));
    ASSERT_NE(itemOn(20), nullptr);
    EXPECT_EQ(itemOn(20)->text(), QStringLiteral("09.30 -> 40分\n"));
    EXPECT_NE(itemOn(27), nullptr);
    EXPECT_EQ(form_->LabelTotal(), 4);
    EXPECT_EQ(form_->RequestTable.Count(), 4);
    // 29 days: columns 29 and 30 show March's first days and stay empty.
    EXPECT_EQ(form_->Days[30]->text(), QStringLiteral("2024/03/02 土曜日"));
    EXPECT_EQ(itemOn(31), nullptr);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, RequestsOutsideTheStayAreNotShownAndA30DayMonthKeepsItsLastColumnEmpty) {
    lum::ScriptedDialogs d;
    showMonth(2024, 2, TDateTime::fromYmd(2024, 2, 20));
    // 6 (after the admission on the 5th), 13 and 20 (the day of discharge); not 27.
    EXPECT_NE(itemOn(6), nullptr);
    EXPECT_NE(itemOn(20), nullptr);
    EXPECT_EQ(itemOn(27), nullptr);
    EXPECT_EQ(form_->CureEndLabel->text(), QStringLiteral("令和06年02月20日"));

    showMonth(2024, 4);  // April: Tuesdays 2 .. 30
    EXPECT_EQ(form_->Days[30]->text(), QStringLiteral("2024/05/01 水曜日"));
    EXPECT_NE(itemOn(30), nullptr);
    EXPECT_EQ(itemOn(31), nullptr);
    EXPECT_EQ(form_->LabelTotal(), 5);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, AFailedReadOfTheBookingsLeavesTheChartHidden) {
    lum::ScriptedDialogs d;
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    d.expect(MsgKind::Error, QStringLiteral("System Error 予約ＤＢエラー"), MsgButton::Ok);
    showMonth();
    EXPECT_FALSE(form_->Built());
    EXPECT_FALSE(form_->SchedulePanel->isVisible());
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// ---- the drop

struct DropCase {
    const char* name;
    const char* frameStart;  // a frame of staff member 1 on the 20th (nullptr: none)
    int frameMinutes;
    int capacity;
    int otherBookings;       // of other clients in it
    bool clientInIt;         // the client booked into it after the show
    const char* message;     // nullptr: booked
    bool joinsTheFrame;
    int framesAfter;
};

TEST_P(UserScheduleTest, DropTable) {
    const DropCase cases[] = {
        {"Touching", "09:20", 40, 1, 1, false, nullptr, false, 2},
        {"Overlapping", "10:00", 20, 1, 1, false, "予約できません。(時限に空きがありません)", false, 1},
        {"StartsInside", "10:30", 30, 1, 1, false, "予約できません。(時限に空きがありません)", false, 1},
        {"GroupWithRoom", "10:00", 40, 3, 1, false, nullptr, true, 1},
        {"GroupFull", "10:00", 40, 2, 2, false, "制限人数以上は予約できません。", false, 1},
        {"AlreadyIn", "10:00", 40, 3, 0, true, "既に予約されています。", false, 1},
        {"EmptyFrameAtTheSameTime", "10:00", 40, 1, 0, false, nullptr, false, 2},
        {"NoFrame", nullptr, 0, 0, 0, false, nullptr, false, 1},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        db().execute(QStringLiteral("DELETE FROM Schedule"));
        db().execute(QStringLiteral("DELETE FROM TimeTable"));
        lum::ScriptedDialogs d;
        showMonth();
        int frameNo = -1;
        if (c.frameStart) {
            const TIMETABLE_ITEM f = addFrame(day(20), 1, c.frameStart, c.frameMinutes, c.capacity);
            frameNo = f.ResNo;
            for (int i = 0; i < c.otherBookings; ++i) book(f, addClient(QStringLiteral("他%1").arg(i)));
            if (c.clientInIt) book(f, client_);
        }
        QLabel* label = itemOn(20);
        ASSERT_NE(label, nullptr);
        if (c.message) d.expect(MsgKind::Error, QString::fromUtf8(c.message), MsgButton::Ok);
        drop(label, 1);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(frames(), c.framesAfter);
        const int mine = count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE CureNo = ? AND Comment = ?"),
                               {client_, QStringLiteral("週間希望")});
        if (c.message) {
            EXPECT_EQ(mine, 0);
            EXPECT_EQ(label->text(), QStringLiteral("10.00 -> 40分\n担当者未定"));
            continue;
        }
        EXPECT_EQ(mine, 1);
        EXPECT_EQ(label->text(), QStringLiteral("10.00 -> 40分\nA"));
        EXPECT_EQ(colourOf(label), board::FrameColour(1));
        const TREQUEST_ITEM item = form_->RequestTable.GetItem(form_->RequestTable.IndexOf(label->objectName()));
        EXPECT_TRUE(item.Flag);
        if (c.joinsTheFrame) EXPECT_EQ(item.ResNo, frameNo);
        else EXPECT_NE(item.ResNo, frameNo);
        const auto stored = lum::FrameStore(db()).find(item.ResNo);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->StuffCode, 1);
        EXPECT_EQ(stored->ReserveDay, day(20));
        // A booked item refuses a second drop.
        d.expect(MsgKind::Error, QStringLiteral("予約済みです。"), MsgButton::Ok);
        drop(label, 2);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
}

TEST_P(UserScheduleTest, ADropRefusesABookingWithAnotherStaffMemberMadeSinceTheShow) {
    lum::ScriptedDialogs d;
    showMonth();
    book(addFrame(day(20), 2, "10:30", 30, 1), client_);
    d.expect(MsgKind::Error, QStringLiteral("スケジュールが重なっています。\n利用者 山田　花子\n担当者 B\n10:30->30"),
             MsgButton::Ok);
    drop(itemOn(20), 1);
    EXPECT_EQ(frames(), 1);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, AFailedBookingInsertLeavesNoNewFrame) {
    lum::ScriptedDialogs d;
    showMonth();
    if (isSqlite()) {
        db().execute(QStringLiteral(
            "CREATE TRIGGER RefuseBooking BEFORE INSERT ON Schedule BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else {
        db().execute(QStringLiteral("CREATE FUNCTION refuse_booking() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                                    "'refused'; END $$ LANGUAGE plpgsql"));
        db().execute(QStringLiteral("CREATE TRIGGER RefuseBooking BEFORE INSERT ON Schedule FOR EACH ROW "
                                    "EXECUTE FUNCTION refuse_booking()"));
    }
    d.expect(MsgKind::Error, rtext::InsertFailed, MsgButton::Ok);
    drop(itemOn(20), 1);
    EXPECT_EQ(frames(), 0);
    EXPECT_EQ(bookings(), 0);
    EXPECT_FALSE(form_->RequestTable.GetItem(form_->RequestTable.IndexOf(itemOn(20)->objectName())).Flag);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, LabelsTakeOnlyADraggedStaffMember) {
    lum::ScriptedDialogs d;
    showMonth();
    QLabel* label = itemOn(20);
    ASSERT_NE(label, nullptr);
    const QPoint at = label->rect().center();
    QMimeData client;
    client.setData(lum::ClientDragMimeType, lum::encodeClientDrag(client_));
    QDragEnterEvent refused(at, Qt::CopyAction, &client, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QMimeData text;
    text.setText(QStringLiteral("1"));
    QDragEnterEvent plain(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &plain);
    EXPECT_FALSE(plain.isAccepted());

    std::unique_ptr<QMimeData> staff(lum::staffDragMimeData(1));
    QDragEnterEvent accepted(at, Qt::CopyAction, staff.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    // The drop itself is handled once the drag has ended.
    QDropEvent dropped(QPointF(at), Qt::CopyAction, staff.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &dropped);
    EXPECT_EQ(bookings(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(bookings(), 1);
    EXPECT_EQ(label->text(), QStringLiteral("10.00 -> 40分\nA"));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, APickArmsTheStaffGridAndTheTopBarDisarmsIt) {
    lum::ScriptedDialogs d;
    showMonth();
    const QPoint row1 = form_->DragStuffDBGrid->visualRect(form_->DragStuffQuery->index(1, 1)).center();
    QTest::mouseClick(form_->DragStuffDBGrid->viewport(), Qt::LeftButton, {}, row1);
    EXPECT_EQ(form_->DragStuffCD, 2);
    EXPECT_EQ(form_->DragStuffName, QStringLiteral("B"));
    EXPECT_TRUE(form_->DragStuffDBGrid->armed());
    EXPECT_EQ(form_->DragStuffDBGrid->armedCureNo(), 2);
    QTest::mouseClick(form_->TopPanel, Qt::LeftButton);
    EXPECT_FALSE(form_->DragStuffDBGrid->armed());
    QTest::mouseClick(form_->DragStuffDBGrid->viewport(), Qt::RightButton, {}, row1);
    EXPECT_FALSE(form_->DragStuffDBGrid->armed());
    EXPECT_FALSE(form_->DragStuffDBGrid->currentIndex().isValid());
}

// ---- 消去

TEST_P(UserScheduleTest, EraseTable) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM individual = addFrame(day(13), 2, "10:00", 40, 1);
    book(individual, client_);
    const TIMETABLE_ITEM group = addFrame(day(14), 2, "11:00", 40, 3);
    book(group, client_);
    showMonth();
    // A request not yet booked: only its label goes.
    form_->EraseMenuClick(itemOn(20));
    EXPECT_EQ(itemOn(20), nullptr);
    EXPECT_EQ(frames(), 2);
    // A group frame is erased on the staff work chart.
    d.expect(MsgKind::Warning, rtext::EraseOnChart, MsgButton::Ok);
    form_->EraseMenuClick(itemOn(14));
    EXPECT_NE(itemOn(14), nullptr);
    // A booked individual frame goes with its booking.
    form_->EraseMenuClick(itemOn(13));
    EXPECT_EQ(itemOn(13), nullptr);
    EXPECT_FALSE(lum::FrameStore(db()).find(individual.ResNo).has_value());
    EXPECT_EQ(bookingsOf(individual.ResNo), 0);
    EXPECT_EQ(frames(), 1);
    EXPECT_EQ(form_->RequestTable.Count(), 3);  // 6, 14, 27
    d.expect(MsgKind::Error, rtext::NotFound, MsgButton::Ok);
    form_->EraseMenuClick(nullptr);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, EraseKeepsAFrameThatBecameAGroupOrGotAnotherClient) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM frame = addFrame(day(13), 2, "10:00", 40, 1);
    book(frame, client_);
    showMonth();
    book(frame, addClient(QStringLiteral("他")));  // booked elsewhere beside the client (old data)
    d.expect(MsgKind::Warning, rtext::EraseOnChart, MsgButton::Ok);
    form_->EraseMenuClick(itemOn(13));
    EXPECT_NE(itemOn(13), nullptr);
    EXPECT_EQ(bookingsOf(frame.ResNo), 2);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// ---- 予約詳細 and 担当者変更

TEST_P(UserScheduleTest, BookingDetailsOpenWithoutCancelling) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM frame = addFrame(day(13), 2, "10:00", 40, 1);
    book(frame, client_);
    showMonth();
    d.expectModal(QStringLiteral("TimeTableForm"), [&](QDialog& dialog) {
        auto& form = static_cast<TTimeTableForm&>(dialog);
        EXPECT_EQ(form.WorkingNo, frame.ResNo);
        EXPECT_FALSE(form.CancelAllowed);
        return int(QDialog::Accepted);
    });
    form_->ReserveInfoMenuClick(itemOn(13));
    form_->ReserveInfoMenuClick(itemOn(20));  // a request has no frame: nothing opens
    d.expect(MsgKind::Error, rtext::ItemNotFound, MsgButton::Ok);
    form_->ReserveInfoMenuClick(nullptr);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

lum::ScriptedDialogs::ModalAction pickStaff(int index) {
    return [index](QDialog& dialog) {
        auto& picker = static_cast<TStuffSelectForm&>(dialog);
        picker.KaigoStuffBox->setCurrentIndex(index);
        picker.SetButton->click();
        return int(QDialog::Accepted);
    };
}

TEST_P(UserScheduleTest, StaffChangeTable) {
    lum::ScriptedDialogs d;
    const TIMETABLE_ITEM mine = addFrame(day(13), 2, "10:00", 40, 1);
    book(mine, client_);
    const TIMETABLE_ITEM group = addFrame(day(14), 2, "11:00", 40, 3);
    book(group, client_);
    addFrame(day(13), 3, "10:30", 30, 1);  // C is busy at 10:30 on the 13th
    showMonth();

    d.expectModal(QStringLiteral("StuffSelectForm"), pickStaff(1));  // B again
    d.expect(MsgKind::Error, rtext::ChangeCancelled, MsgButton::Ok);
    form_->StuffChangeMenuClick(itemOn(13), {100, 100});
    d.expectModal(QStringLiteral("StuffSelectForm"), pickStaff(0));
    d.expect(MsgKind::Warning, rtext::GroupOnChart, MsgButton::Ok);
    form_->StuffChangeMenuClick(itemOn(14), {100, 100});
    d.expectModal(QStringLiteral("StuffSelectForm"), pickStaff(2));
    d.expect(MsgKind::Error, rtext::StaffBusy, MsgButton::Ok);
    form_->StuffChangeMenuClick(itemOn(13), {100, 100});
    EXPECT_EQ(lum::FrameStore(db()).find(mine.ResNo)->StuffCode, 2);

    d.expectModal(QStringLiteral("StuffSelectForm"), pickStaff(0));
    form_->StuffChangeMenuClick(itemOn(13), {100, 100});
    EXPECT_EQ(lum::FrameStore(db()).find(mine.ResNo)->StuffCode, 1);
    EXPECT_EQ(itemOn(13)->text(), QStringLiteral("10.00 -> 40分\nA"));

    // Changed elsewhere since the show: the row is not as listed.
    db().execute(QStringLiteral("UPDATE TimeTable SET WorkingMin = 30 WHERE ReserveNo = %1").arg(mine.ResNo));
    d.expectModal(QStringLiteral("StuffSelectForm"), pickStaff(1));
    d.expect(MsgKind::Error, rtext::KeyRecordError, MsgButton::Abort);
    form_->StuffChangeMenuClick(itemOn(13), {100, 100});
    EXPECT_EQ(lum::FrameStore(db()).find(mine.ResNo)->StuffCode, 1);
    // A request not yet booked has no staff member to change.
    form_->StuffChangeMenuClick(itemOn(20), {100, 100});
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(UserScheduleTest, ScrollBarsSetTheWheelMode) {
    lum::ScriptedDialogs d;
    showMonth();
    EXPECT_EQ(form_->WheelMode, 0);
    form_->FormMouseWheel(-120);
    EXPECT_EQ(form_->DayScrollBar->value(), 0);
    form_->DayScrollBar->setValue(2);
    EXPECT_EQ(form_->WheelMode, 1);
    EXPECT_EQ(form_->SchedulePanel->x(), -240);
    form_->FormMouseWheel(-120);
    EXPECT_EQ(form_->DayScrollBar->value(), 3);
    form_->TimeScrollBar->setValue(1);
    EXPECT_EQ(form_->WheelMode, 2);
    form_->FormMouseWheel(120);
    EXPECT_EQ(form_->TimeScrollBar->value(), 0);
    form_->FormMouseWheel(120);
    EXPECT_EQ(form_->TimeScrollBar->value(), 0);
    EXPECT_EQ(form_->TimePanel->y(), 0);
}

LUM_INSTANTIATE_DATABASE_TESTS(UserScheduleTest);

}  // namespace
