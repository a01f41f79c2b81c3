#pragma once
// "利用者治療予定表": one client's month as 31 day columns by the hours 8:00
// to 20:00: the client's bookings, and on the days where nothing booked
// overlaps them the client's weekly requests (yellow, "担当者未定"). A staff
// member picked in the list on the right and dragged onto a request books
// the client at that time with that staff member (lum::BookingRules::
// RequestDragDrop: the staff member's booked frame of the same time when it
// has room, else a new individual frame, both written in one transaction).
// An item's menu erases it, shows its frame's bookings (without cancelling)
// or changes its staff member.
//
// The weekly-requests window fills the public fields and shows this window;
// it hides that window while shown and shows it again when it closes. The
// drag carries the staff member in a MIME type of our own (staff_drag.h),
// which only the item labels accept; their drop reaches LabelDragDrop(label,
// payload), the one seam tests call too.
#include "common/datetime.h"
#include "schedule/board_chart.h"
#include "schedule/frame_label.h"
#include "schedule/month_book.h"
#include "schedule/timetable_items.h"

#include <QPointer>
#include <QWidget>

class DragPersonGrid;
class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QStandardItemModel;
class QStatusBar;

namespace lum {
class BookingRules;
}

class TUserScheduleForm : public QWidget, public FrameLabelHost {
    Q_OBJECT
public:
    explicit TUserScheduleForm(QWidget* parent = nullptr);

    // ---- set by the caller before showing
    int CureNo = 0;
    lum::TDateTime NyushoDate;
    lum::TDateTime TaishoDate;  // 0: not discharged
    lum::TDateTime UseMonth;    // the first day of the month
    lum::MonthDays MonthBook{};
    QString UserName, UserKana, SexText, AgeText, BirthText, TypeText, KubunText;
    // The weekly-requests window that showed this one (the start-up list's
    // when not set): hidden while this window is shown.
    QPointer<QWidget> Opener;

    // ---- the state
    TRequestTable RequestTable;
    int LabelCount = 0;  // never reset: label names stay unique across shows
    int DragStuffCD = -1;
    QString DragStuffName;
    QString DragStuffKigo;
    QPointer<QLabel> SelectedLabel;
    int WheelMode = 0;  // 0 none, 1 days, 2 hours
    bool Built() const { return built_; }

    // ---- the controls
    QWidget* TopPanel;
    QLabel* UserNoLabel;
    QLabel* NameLabel;
    QLabel* KanaLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* OldLabel;
    QLabel* CureStartLabel;
    QLabel* CureEndLabel;
    QLabel* RihaTypeLabel;
    QLabel* RihaKubunLabel;
    QLabel* RVDate;
    QWidget* StuffPanel;
    DragPersonGrid* DragStuffDBGrid;
    QStandardItemModel* DragStuffQuery;
    QWidget* DayPanel;
    std::array<QLabel*, 31> Days{};  // Day0 .. Day30
    QWidget* TimePanel;
    QWidget* SchedulePanel;
    std::array<QWidget*, 31> Columns{};  // P0 .. P30
    QScrollBar* DayScrollBar;
    QScrollBar* TimeScrollBar;
    QStatusBar* StatusBar1;
    QMenu* LabelPopupMenu;
    QAction* EraseMenu;         // 消去
    QAction* ReserveInfoMenu;   // 予約詳細
    QAction* StuffChangeMenu;   // 担当者変更

    // The item's caption: "hh.mm -> N分" and a second line with the staff
    // member's name, or "担当者未定" for a request not yet booked.
    static QString BuildRequestCaption(const TREQUEST_ITEM& item, const QString& staffName);
    // The label of an item on show; nullptr when there is none.
    QLabel* RequestLabelNamed(const QString& name) const;
    int LabelTotal() const;
    QString StatusText() const;

    // ---- the handlers (public, so tests drive them as the mouse does)
    void DragStuffDBGridMouseUp(Qt::MouseButton button);
    void TopPanelMouseUp();
    void StuffPanelMouseUp();
    void LabelEndDrag();
    void LabelDragDrop(QLabel* label, const QByteArray& payload) override;
    void DispLabelMouseUp(FrameLabel* label, Qt::MouseButton button, QPoint globalPos) override;
    void EraseMenuClick(QLabel* label);
    void ReserveInfoMenuClick(QLabel* label);
    // pickerAt: where the staff picker goes (the cursor less 30, 70).
    void StuffChangeMenuClick(QLabel* label, QPoint pickerAt);
    void DayScrollBarScroll(int position);
    void TimeScrollBarScroll(int position);
    // One wheel notch: delta < 0 toward the user (forward), > 0 away (back).
    void FormMouseWheel(int delta);

    // ---- the routines
    FrameLabel* CreateRequestLabel(const TREQUEST_ITEM& item, const QString& caption);
    void PlaceRequestLabel(QLabel* label, const TREQUEST_ITEM& item, const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTop();
    void BuildStaffList();
    void BuildMenu();
    void LayOut();
    void Rebuild();
    void DestroyLabels();
    lum::BookingRules Rules() const;
    QString StaffName(int code) const;

    lum::board::BoardChart chart_;
    QWidget* chartHost_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    bool built_ = false;
};

extern TUserScheduleForm* UserScheduleForm;
