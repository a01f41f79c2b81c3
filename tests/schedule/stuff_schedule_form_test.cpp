// The staff work chart driven by its control names, on both backends: the
// display (headers, weekend colours, the labels' places, colours and
// captions, a failed read), the client list, 新規作成, 全て消去, 予約詳細,
// 時間枠の変更, the drop of a client through the same handler a real drop
// reaches, the pick and drag arming of the client grid, the wheel, and the
// statements a display costs.
#include "schedule/stuff_schedule_form.h"

#include "schedule/board_layout.h"
#include "schedule/client_drag.h"
#include "schedule/client_list_query.h"
#include "schedule/drag_person_grid.h"
#include "schedule/person_property_form.h"
#include "schedule/schedule_data.h"
#include "schedule/stuff_time_form.h"
#include "schedule/time_table_form.h"
#include "schedule_fixture.h"

#include "app/main_module.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/wheel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
namespace text = lum::booking_text;
namespace board = lum::board;

const QString kDisplayFailed = QStringLiteral("System Error 予約の表示でエラーが発生しました。");

class StuffChartTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        module_.StuffCount = 3;
        module_.StuffCD = {1, 2, 3};
        module_.StuffNames = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        module_.StuffKigo = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
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

    // Chooses staff member code 1..3 and shows 31 days from the day.
    void display(int staff, TDateTime from) {
        form_->StuffBox->setCurrentIndex(staff - 1);
        form_->StuffBoxChange();
        form_->RVDate->setDate(from.date());
        form_->DispButton->click();
    }
    // The label of a stored frame, by its number.
    QLabel* labelOf(int reserveNo) const {
        const TTimeTable& frames = lum::scheduleData().Frames;
        for (int i = 0; i < frames.Count(); ++i) {
            if (frames.GetItem(i).ResNo == reserveNo) return form_->FrameLabelNamed(frames.GetItem(i).LName);
        }
        return nullptr;
    }
    static QColor colourOf(const QWidget* w) { return w->palette().color(QPalette::Window); }
    int frames() { return count(QStringLiteral("SELECT COUNT(*) FROM TimeTable")); }
    // Chooses a type in the client list as the user does.
    void chooseType(int type) {
        form_->RihaTypeBox->setCurrentIndex(type);
        form_->RihaTypeBoxChange();
    }
    std::vector<QString> listedNames() const {
        std::vector<QString> names;
        for (int r = 0; r < form_->DragPersonQuery->rowCount(); ++r) names.push_back(form_->DragPersonQuery->Row(r).Name);
        return names;
    }
    QPoint rowCentre(int row) const {
        return form_->DragPersonDBGrid->visualRect(form_->DragPersonQuery->index(row, 0)).center();
    }
    // The frame editor answering with a start, minutes and capacity.
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

    TMainModule module_;
    TMainModule* previous_ = nullptr;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    std::unique_ptr<TStuffScheduleForm> form_;
};

TEST_P(StuffChartTest, DisplayFromTheTwentiethOfFebruaryRunsToTheTwentyFirstOfMarchWithWeekendColours) {
    lum::ScriptedDialogs d;
    EXPECT_FALSE(form_->ChartArea->isVisible());
    EXPECT_FALSE(form_->ClearButton->isEnabled());
    display(1, day(20));
    ASSERT_TRUE(form_->Displayed());
    EXPECT_TRUE(form_->ChartArea->isVisible());
    EXPECT_TRUE(form_->UserPanel->isVisible());
    EXPECT_FALSE(form_->StuffBox->isEnabled());
    EXPECT_FALSE(form_->RVDate->isEnabled());
    EXPECT_FALSE(form_->DispButton->isEnabled());
    EXPECT_TRUE(form_->ClearButton->isEnabled());

    auto header = [&](int i) { return form_->findChild<QLabel*>(QStringLiteral("Day%1").arg(i)); };
    auto column = [&](int i) { return form_->findChild<QWidget*>(QStringLiteral("P%1").arg(i)); };
    EXPECT_EQ(header(0)->text(), QStringLiteral("火曜日 2024/02/20"));
    EXPECT_EQ(header(9)->text(), QStringLiteral("木曜日 2024/02/29"));
    EXPECT_EQ(header(30)->text(), QStringLiteral("木曜日 2024/03/21"));
    const struct {
        int column;
        QColor colour;
    } colours[] = {{0, board::Aqua}, {4, board::Saturday}, {5, board::Sunday}, {6, board::Aqua},
                   {25, board::Saturday}, {26, board::Sunday}, {30, board::Aqua}};
    for (const auto& c : colours) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(colourOf(header(c.column)), c.colour);
        EXPECT_EQ(colourOf(column(c.column)), c.colour == board::Aqua ? board::White : c.colour);
    }
    EXPECT_EQ(QColor(0xFC, 0xE0, 0xF1), board::Saturday) << "$F1E0FC is blue F1, green E0, red FC";

    form_->ClearButton->click();
    EXPECT_FALSE(form_->Displayed());
    EXPECT_FALSE(form_->ChartArea->isVisible());
    EXPECT_TRUE(form_->StuffBox->isEnabled());
    EXPECT_TRUE(form_->DispButton->isEnabled());
    EXPECT_EQ(colourOf(header(4)), board::Aqua);
    EXPECT_EQ(colourOf(column(4)), board::White);
    EXPECT_EQ(header(0)->text(), QStringLiteral("火曜日 2024/02/20")) << "captions stay until the next display";
}

TEST_P(StuffChartTest, LabelsTakeTheirPlaceColourAndCaptionFromTheFrameAndItsBookings) {
    lum::ScriptedDialogs d;
    const int ichiro = addClient(QStringLiteral("平　一郎"), day(1), {}, 0, 8);
    const int jiro = addClient(QStringLiteral("平　次郎"), day(1), {}, 2, 5);
    const int late = addFrame(day(20), 1, "20:30", 30, 1).ResNo;
    const int nine = addFrame(day(20), 1, "09:00", 60, 1).ResNo;
    const int single = addFrame(day(21), 1, "10:00", 40, 1).ResNo;
    const int group = addFrame(day(22), 1, "13:00", 60, 5).ResNo;
    const int closed = addFrame(day(22), 1, "15:00", 30, 0).ResNo;
    const int oldData = addFrame(day(23), 1, "11:00", 30, 1).ResNo;
    const int lastDay = addFrame(TDateTime::fromYmd(2024, 3, 21), 1, "08:00", 15, 1).ResNo;
    addFrame(TDateTime::fromYmd(2024, 3, 22), 1, "08:00", 15, 1);  // the 32nd day
    addFrame(day(20), 2, "09:00", 30, 1);                           // another staff member
    book(single, ichiro);
    book(group, ichiro);
    book(group, jiro);
    book(oldData, ichiro);
    book(oldData, jiro);

    display(1, day(20));
    EXPECT_EQ(form_->LabelTotal(), 7);
    EXPECT_EQ(form_->LabelCount, 7);
    const struct Case {
        int frame;
        int column;
        QRect geometry;
        QColor colour;
        QString caption;
    } cases[] = {
        {late, 0, {1, 1500, 118, 59}, board::FrameColour(1), QStringLiteral("20.30 -> 30分\n\n ")},
        {nine, 0, {1, 120, 118, 119}, QColor(0x00, 0xFF, 0x00), QStringLiteral("09.00 -> 60分\n\n ")},
        {single, 1, {1, 240, 118, 79}, QColor(0x00, 0xFF, 0x00), QStringLiteral("10.00 -> 40分\n平　一郎\n入所  個")},
        {group, 2, {1, 600, 118, 119}, QColor(0xFF, 0xFF, 0x00), QStringLiteral("13.00 -> 60分\n予約 2 名\n ")},
        {closed, 2, {1, 840, 118, 59}, QColor(0xFF, 0x00, 0xFF), QStringLiteral("15.00 -> 30分\n\n ")},
        {oldData, 3, {1, 360, 118, 59}, QColor(0x00, 0xFF, 0x00), QStringLiteral("11.00 -> 30分\n予約 2 名\n ")},
        {lastDay, 30, {1, 0, 118, 29}, QColor(0x00, 0xFF, 0x00), QStringLiteral("08.00 -> 15分\n\n ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        QLabel* label = labelOf(c.frame);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget()->objectName(), QStringLiteral("P%1").arg(c.column));
        EXPECT_EQ(label->geometry(), c.geometry);
        EXPECT_EQ(colourOf(label), c.colour);
        EXPECT_EQ(label->text(), c.caption);
    }
}

TEST_P(StuffChartTest, AFailedReadShowsItsMessageAndLeavesTheChartUndisplayed) {
    lum::ScriptedDialogs d;
    addFrame(day(20), 1, "09:00", 30, 1);
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    db().execute(QStringLiteral("DROP TABLE TimeTable"));
    d.expect(MsgKind::Error, kDisplayFailed, MsgButton::Ok);
    display(1, day(20));
    EXPECT_FALSE(form_->Displayed());
    EXPECT_FALSE(form_->ChartArea->isVisible()) << "no empty chart to make frames twice on";
    EXPECT_TRUE(form_->StuffBox->isEnabled());
    EXPECT_TRUE(form_->DispButton->isEnabled());
    EXPECT_EQ(lum::scheduleData().FrameCount(), 0);
}

TEST_P(StuffChartTest, TheKeysAloneChooseAStaffMemberAndDisplay) {
    lum::ScriptedDialogs d;
    addFrame(day(20), 2, "09:00", 30, 1);
    QApplication::setActiveWindow(form_.get());
    ASSERT_EQ(QApplication::focusWidget(), form_->StuffBox) << "the staff box first";
    QTest::keyClick(form_->StuffBox, Qt::Key_Down);
    QTest::keyClick(form_->StuffBox, Qt::Key_Down);
    EXPECT_EQ(form_->StuffBox->currentText(), QStringLiteral("B"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form_->RVDate) << "then the date";
    form_->RVDate->setDate(day(20).date());
    // Tab steps through the date's year, month and day, then on to 表示.
    for (int i = 0; i < 3 && QApplication::focusWidget() != form_->DispButton; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), form_->DispButton);
    QTest::keyClick(form_->DispButton, Qt::Key_Return);
    EXPECT_TRUE(form_->Displayed());
    EXPECT_EQ(form_->LabelTotal(), 1);
}

TEST_P(StuffChartTest, DisplayWithoutAStaffMemberAsksForOneBesideTheBox) {
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("担当者を指定してください。"), MsgButton::Ok);
    form_->DispButton->click();
    EXPECT_FALSE(form_->Displayed());
    ASSERT_EQ(d.messages().size(), 1);
    const QPoint box = form_->StuffBox->mapTo(form_.get(), QPoint(0, 0));
    EXPECT_EQ(d.messages().front().position, QPoint(form_->x() + box.x() + 10, form_->y() + box.y() + 60));
}

TEST_P(StuffChartTest, TheClientListTakesTheTypeAndTheTickedCategoriesAndACategoryClickClosesIt) {
    lum::ScriptedDialogs d;
    addClient(QStringLiteral("通所　集団"), day(1), {}, 2, 4);
    addClient(QStringLiteral("通所　個別"), day(1), {}, 2, 8);
    addClient(QStringLiteral("通所　退所"), day(1), day(10), 2, 12);
    addClient(QStringLiteral("入所　集団"), day(1), {}, 0, 4);
    display(1, day(20));
    EXPECT_EQ(form_->DragPersonQuery->rowCount(), 0);
    chooseType(2);
    EXPECT_EQ(listedNames(), (std::vector<QString>{QStringLiteral("通所　集団"), QStringLiteral("通所　個別"),
                                                   QStringLiteral("通所　退所")}))
        << "in number order, discharged clients too";
    EXPECT_EQ(form_->DragPersonQuery->data(form_->DragPersonQuery->index(2, ClientListQuery::ColKubun)).toString(),
              QStringLiteral("集個"));

    form_->KobetsuBox->click();
    EXPECT_FALSE(form_->DragPersonQuery->Active());
    EXPECT_EQ(form_->DragPersonQuery->rowCount(), 0);
    EXPECT_EQ(form_->RihaTypeBox->currentIndex(), -1) << "the type is chosen again";
    chooseType(2);
    EXPECT_EQ(listedNames(), (std::vector<QString>{QStringLiteral("通所　集団"), QStringLiteral("通所　退所")}));
    for (QCheckBox* box : {form_->TankiBox, form_->NinchiBox, form_->ShudanBox}) box->click();
    chooseType(2);
    EXPECT_TRUE(listedNames().empty()) << "no category ticked lists nobody";

}

TEST_P(StuffChartTest, NewFramesAreRefusedOverAnotherByOneMinuteAndAcceptedWhereOneEnds) {
    lum::ScriptedDialogs d;
    const int existing = addFrame(day(23), 1, "09:00", 60, 1).ResNo;
    display(1, day(20));
    ASSERT_NE(labelOf(existing), nullptr);
    ASSERT_EQ(form_->LabelCount, 1);

    // The column menu opens on an empty part of any of the 31 columns.
    QWidget* column3 = form_->Columns[3];
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("09:59", "30", 1));
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->NewBoxMenuClick(column3);
    EXPECT_EQ(frames(), 1);

    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("10:00", "30", 3));
    form_->NewBoxMenuClick(column3);
    ASSERT_EQ(frames(), 2);
    QLabel* made = form_->FrameLabelNamed(QStringLiteral("L1"));
    ASSERT_NE(made, nullptr) << "named L + LabelCount";
    EXPECT_EQ(made->parentWidget(), column3);
    EXPECT_EQ(made->text(), QStringLiteral("10.00 -> 30分\n予約 0 名\n "));
    EXPECT_EQ(form_->LabelCount, 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE StuffCode = 1 AND WorkingMin = 30 "
                                   "AND Capacity = 3")),
              1);
    const lum::FrameRow stored = lum::FrameStore(db()).staffDayFrames(1, day(23)).back();
    EXPECT_EQ(stored.ReserveDay, day(23));

    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("08:00", "15", 1));
    form_->NewBoxMenuClick(form_->Columns[30]);
    EXPECT_EQ(lum::FrameStore(db()).staffDayFrames(1, TDateTime::fromYmd(2024, 3, 21)).size(), 1u);
    EXPECT_NE(form_->FrameLabelNamed(QStringLiteral("L2")), nullptr);
}

TEST_P(StuffChartTest, ANewFrameOverAFrameStoredSinceTheDisplayIsRefused) {
    lum::ScriptedDialogs d;
    display(1, day(20));
    // Another workstation makes a frame that this chart does not show.
    lum::FrameStore(db()).insert({-1, day(20), 1, lum::test::hm("09:00"), 30, 1});
    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("09:20", "30", 1));
    d.expect(MsgKind::Error, text::TimeOverlap, MsgButton::Ok);
    form_->NewBoxMenuClick(form_->Columns[0]);
    EXPECT_EQ(frames(), 1);
    EXPECT_EQ(form_->LabelTotal(), 0);
    EXPECT_EQ(form_->LabelCount, 0);
}

TEST_P(StuffChartTest, AllEraseDeletesFrameAndBookingsWithoutAskingAndNeverAFrameNotListed) {
    lum::ScriptedDialogs d;
    const int client = addClient(QStringLiteral("平　一郎"));
    const int group = addFrame(day(20), 1, "10:00", 60, 4).ResNo;
    const int other = addFrame(day(21), 1, "10:00", 60, 1).ResNo;
    book(group, client);
    display(1, day(20));
    form_->Clip.HasClip = true;
    form_->SetStatusText(1, QStringLiteral("02/20 10:00 時間枠コピー"));

    form_->AllEraseMenuClick(labelOf(group));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE ReserveNo = ?"), {group}), 0);
    EXPECT_EQ(bookingsOf(group), 0);
    EXPECT_EQ(form_->LabelTotal(), 1);
    EXPECT_FALSE(form_->Clip.HasClip) << "the clipboard is emptied";
    EXPECT_TRUE(form_->StatusText(1).isEmpty());

    // A label whose frame has left the list: nothing is deleted by index -1.
    QLabel* label = labelOf(other);
    TTimeTable& list = lum::scheduleData().Frames;
    list.Delete(list.IndexOf(label->objectName()));
    d.expect(MsgKind::Error, QStringLiteral("*** System Error 時間枠が見つかりません。"), MsgButton::Ok);
    form_->AllEraseMenuClick(label);
    EXPECT_EQ(frames(), 1);
    EXPECT_EQ(form_->LabelTotal(), 1);
}

TEST_P(StuffChartTest, BookingDetailsUpdateTheCountLineFromWhatIsLeft) {
    lum::ScriptedDialogs d;
    const int group = addFrame(day(20), 1, "10:00", 60, 4).ResNo;
    const int single = addFrame(day(20), 1, "11:00", 30, 1).ResNo;
    const int closed = addFrame(day(20), 1, "12:00", 30, 0).ResNo;
    for (const char* name : {"甲", "乙", "丙"}) book(group, addClient(QString::fromUtf8(name)));
    book(single, addClient(QStringLiteral("丁")));
    display(1, day(20));
    ASSERT_EQ(labelOf(group)->text(), QStringLiteral("10.00 -> 60分\n予約 3 名\n "));

    auto cancelFirst = [](QDialog& dialog) {
        auto& form = static_cast<TTimeTableForm&>(dialog);
        EXPECT_TRUE(form.CancelAllowed);
        form.ScheduleDispGrid->setCurrentCell(0, TTimeTableForm::ColCureNo);
        form.DeleteButton->click();
        form.CancelButton->click();
        return form.result();
    };
    d.expectModal(QStringLiteral("TimeTableForm"), cancelFirst);
    form_->ReserveUpdateMenuClick(labelOf(group));
    EXPECT_EQ(labelOf(group)->text(), QStringLiteral("10.00 -> 60分\n予約 2 名\n "));

    d.expectModal(QStringLiteral("TimeTableForm"), cancelFirst);
    form_->ReserveUpdateMenuClick(labelOf(single));
    EXPECT_EQ(labelOf(single)->text(), QStringLiteral("11.00 -> 30分\n\n "));

    form_->ReserveUpdateMenuClick(labelOf(closed));  // a closed frame: nothing
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(StuffChartTest, AFrameEditIsDecidedByTheRulesAndMovesTheLabel) {
    lum::ScriptedDialogs d;
    const int single = addFrame(day(20), 1, "10:00", 30, 1).ResNo;
    book(single, addClient(QStringLiteral("平　一郎")));
    display(1, day(20));
    QLabel* label = labelOf(single);

    d.expectModal(QStringLiteral("StuffTimeForm"), typeFrame("10:00", "30", 0));
    d.expect(MsgKind::Error, text::BelowBooked, MsgButton::Ok);
    form_->BoxUpdateClick(label);
    EXPECT_EQ(colourOf(label), QColor(0x00, 0xFF, 0x00));

    d.expectModal(QStringLiteral("StuffTimeForm"), [](QDialog& dialog) {
        auto& editor = static_cast<TStuffTimeForm&>(dialog);
        EXPECT_EQ(editor.StartTimeEdit->text(), QStringLiteral("10:00"));
        editor.StartTimeEdit->setText(QStringLiteral("14:30"));
        editor.FunnEdit->setText(QStringLiteral("45"));
        editor.SetButton->click();
        return editor.result();
    });
    form_->BoxUpdateClick(label);
    EXPECT_EQ(label->geometry(), QRect(1, 780, 118, 89));
    EXPECT_EQ(label->text(), QStringLiteral("14.30 -> 45分\n平　一郎\n入所  個"));
}

TEST_P(StuffChartTest, DropsGoThroughTheRulesAndUpdateTheCaption) {
    lum::ScriptedDialogs d;
    const int booked = addClient(QStringLiteral("既存"));
    const int client = addClient(QStringLiteral("平　一郎"), day(1), {}, 2, 5);
    const int full = addFrame(day(20), 1, "10:00", 60, 1).ResNo;
    const int group = addFrame(day(20), 1, "13:00", 60, 3).ResNo;
    book(full, booked);
    book(group, booked);
    display(1, day(20));

    d.expect(MsgKind::Error, text::Full, MsgButton::Ok);
    form_->LabelDragDrop(labelOf(full), lum::encodeClientDrag(client));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE CureNo = ?"), {client}), 0);

    form_->LabelDragDrop(labelOf(group), lum::encodeClientDrag(client));
    EXPECT_EQ(bookingsOf(group), 2);
    EXPECT_EQ(labelOf(group)->text(), QStringLiteral("13.00 -> 60分\n予約 2 名\n "));

    d.expect(MsgKind::Error, text::AlreadyBooked, MsgButton::Ok);
    form_->LabelDragDrop(labelOf(group), lum::encodeClientDrag(client));
    d.expect(MsgKind::Error, text::DropFailed, MsgButton::Ok);
    form_->LabelDragDrop(labelOf(group), QByteArray("12; DROP TABLE Schedule"));
    EXPECT_EQ(bookingsOf(group), 2);
}

TEST_P(StuffChartTest, AFrameLabelTakesOurDragAndNothingElse) {
    lum::ScriptedDialogs d;
    const int client = addClient(QStringLiteral("平　一郎"));
    const int frame = addFrame(day(20), 1, "10:00", 60, 1).ResNo;
    display(1, day(20));
    QLabel* label = labelOf(frame);

    QMimeData foreign;
    foreign.setText(QStringLiteral("DragPersonDBGrid"));
    QDragEnterEvent other(QPoint(5, 5), Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &other);
    EXPECT_FALSE(other.isAccepted()) << "a source's name is no client";

    // As a real drag arrives: enter, then the drop.
    QMimeData ours;
    ours.setData(lum::ClientDragMimeType, lum::encodeClientDrag(client));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &ours, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &ours, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &drop);
    QCoreApplication::processEvents();  // handled once the drag has ended
    EXPECT_EQ(bookingsOf(frame), 1);
    EXPECT_EQ(label->text(), QStringLiteral("10.00 -> 60分\n平　一郎\n入所  個"));
}

TEST_P(StuffChartTest, AClickArmsTheGridCtrlClickShowsTheClientAndRightClickOrTheTopBarDisarms) {
    lum::ScriptedDialogs d;
    const int first = addClient(QStringLiteral("通所　一"), day(1), {}, 2, 4);
    const int second = addClient(QStringLiteral("通所　二"), day(2), day(28), 2, 12);
    display(1, day(20));
    chooseType(2);
    ASSERT_EQ(form_->DragPersonQuery->rowCount(), 2);
    DragPersonGrid* grid = form_->DragPersonDBGrid;
    QWidget* viewport = grid->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(form_->DragClient.CureNo, first);
    EXPECT_TRUE(grid->armed());
    EXPECT_EQ(grid->armedCureNo(), first);

    // Armed, a press without a move is a click on the other row.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(form_->DragClient.CureNo, second);
    EXPECT_EQ(grid->armedCureNo(), second);

    QTest::mouseClick(viewport, Qt::RightButton, {}, rowCentre(1));
    EXPECT_FALSE(grid->armed());

    d.expectModal(QStringLiteral("PersonPropertyForm"), [&](QDialog& dialog) {
        auto& info = static_cast<TPersonPropertyForm&>(dialog);
        EXPECT_EQ(info.CureNo, second);
        EXPECT_EQ(info.UserName, QStringLiteral("通所　二"));
        EXPECT_EQ(info.RihaTypeText, QStringLiteral("通所リハビリ"));
        EXPECT_EQ(info.KubunCode, 12);
        EXPECT_EQ(info.NyushoDate, day(2));
        EXPECT_EQ(info.TaishoDate, day(28));
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, rowCentre(1));
    EXPECT_FALSE(grid->armed()) << "Ctrl+click does not start dragging";

    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    ASSERT_TRUE(grid->armed());
    QTest::mouseClick(form_->TopPanel, Qt::LeftButton, {}, QPoint(form_->TopPanel->width() - 5, 5));
    EXPECT_FALSE(grid->armed());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    form_->LabelEndDrag();
    EXPECT_FALSE(grid->armed());
    EXPECT_FALSE(grid->currentIndex().isValid()) << "the end of a drag clears the choice";
}

TEST_P(StuffChartTest, TheWheelStepsTheAxisScrolledLastWithinItsRange) {
    lum::ScriptedDialogs d;
    display(1, day(20));
    auto wheel = [&](int delta) {
        QWidget* over = form_->Columns[2];
        QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
        return event.isAccepted();
    };
    wheel(-120);
    EXPECT_EQ(form_->DayScrollBar->value(), 0) << "nothing before a bar was moved";
    EXPECT_EQ(form_->TimeScrollBar->value(), 0);

    form_->DayScrollBar->setValue(29);
    EXPECT_EQ(form_->SchedulePanel->x(), -3480);
    wheel(-120);  // toward the user: forward
    EXPECT_EQ(form_->DayScrollBar->value(), 30);
    wheel(-120);
    EXPECT_EQ(form_->DayScrollBar->value(), 30);
    EXPECT_EQ(form_->SchedulePanel->x(), -3600);
    EXPECT_EQ(form_->HeaderPanel->x(), -3600);

    form_->TimeScrollBar->setValue(1);
    wheel(-120);
    EXPECT_EQ(form_->TimeScrollBar->value(), 2);
    EXPECT_EQ(form_->SchedulePanel->y(), -240);
    EXPECT_EQ(form_->TimePanel->y(), -240);
    EXPECT_EQ(form_->DayScrollBar->value(), 30) << "only the axis scrolled last";
    for (int i = 0; i < 3; ++i) wheel(120);
    EXPECT_EQ(form_->TimeScrollBar->value(), 0);
    form_->TimeScrollBar->setValue(12);
    wheel(-120);
    EXPECT_EQ(form_->TimeScrollBar->value(), 12);
    EXPECT_EQ(form_->SchedulePanel->y(), -1440);
}

// Over the client list's type box without the focus, as over the chart, a
// notch steps the chart and leaves the type and the focus; with the focus in
// the box a notch steps the box and leaves the chart.
TEST_P(StuffChartTest, OnTheBoardANotchStepsTheChartUnlessAControlHoldsTheFocus) {
    lum::ScriptedDialogs d;
    display(1, day(20));
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->DayScrollBar->setValue(5);
    form_->ClearButton->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), form_->ClearButton);
    QComboBox* type = form_->RihaTypeBox;
    ASSERT_TRUE(type->isEnabled());
    type->setCurrentIndex(1);
    int expected = 5;
    for (QWidget* over : {static_cast<QWidget*>(type), static_cast<QWidget*>(form_->Columns[2])}) {
        SCOPED_TRACE(over->objectName().toStdString());
        lum::test::turnWheel(over, -120);
        EXPECT_EQ(form_->DayScrollBar->value(), ++expected);
        EXPECT_EQ(type->currentIndex(), 1);
        EXPECT_EQ(QApplication::focusWidget(), form_->ClearButton);
    }

    type->setFocus(Qt::TabFocusReason);
    lum::test::turnWheel(type, -120);
    EXPECT_EQ(type->currentIndex(), 2);
    EXPECT_EQ(form_->DayScrollBar->value(), expected);
}

TEST_P(StuffChartTest, AMonthCostsTheSameStatementsForOneFrameAsForTwelveHundredAndForty) {
    lum::ScriptedDialogs d;
    addFrame(day(20), 1, "09:00", 15, 1);
    auto statementsOfDisplay = [&](int staff) {
        form_->ClearButton->click();
        const quint64 before = db().statementsRun();
        display(staff, day(20));
        return db().statementsRun() - before;
    };
    const quint64 one = statementsOfDisplay(1);

    const int client = addClient(QStringLiteral("平　一郎"));
    {
        lum::db::Transaction tx(db());
        for (int dayIndex = 0; dayIndex < 31; ++dayIndex) {
            for (int slot = 0; slot < 40; ++slot) {
                const int reserveNo = lum::FrameStore(db()).insert(
                    {-1, day(20).addDays(dayIndex), 2, lum::timeOfDay(8 * 60 + 15 * slot), 15, 1 + slot % 3});
                if (slot % 2 == 0) book(reserveNo, client);
            }
        }
        tx.commit();
    }
    const quint64 many = statementsOfDisplay(2);
    EXPECT_EQ(form_->LabelTotal(), 1240);
    EXPECT_EQ(many, one);
    EXPECT_LE(one, 2u);
}

LUM_INSTANTIATE_DATABASE_TESTS(StuffChartTest);

}  // namespace
