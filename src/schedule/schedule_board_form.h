#pragma once
// The board both schedule boards are made of: the staff work chart (one staff
// member, 31 days) and the day board (one day, 31 staff members) differ only
// in their top bar, their headers, where their frames come from and whose
// and which day a column is. Everything else lives here:
//
// - the top bar (`TopPanel`: 日付 `RVDate`, 表示 `DispButton`, クリア
//   `ClearButton`; each board puts its own controls before them), the client
//   list (`UserPanel`: `TankiBox`, `NinchiBox`, `ShudanBox`, `KobetsuBox`,
//   `RihaTypeBox`, the grid `DragPersonDBGrid` over `DragPersonQuery`), the
//   header row of 31 headers, the time ruler `TimePanel` (8:00 to 20:00), the
//   chart `SchedulePanel` with its column panels `P0`..`P30`, the scroll bars
//   `DayScrollBar` and `TimeScrollBar`, and `StatusBar1`;
// - the frame labels (one per frame on show, named after its LName), their
//   menu `LabelPopupMenu`, the column menu `PanelPopupMenu` and the header
//   menu `EditPopupMenu` (opened with QMenu::popup at the mouse; each
//   handler takes the label, column or header it acts on);
// - display and clear, the client list and the drag of a client onto a
//   frame (client_drag.h), 新規作成, 全て消去, 時間枠の変更, 予約詳細 and
//   担当者変更 through lum::BookingRules, scrolling and the wheel.
//
// Frames live in the data module's list (TScheduleData::Frames); a display
// reads them and the booking summaries of all of them in a fixed number of
// statements. Messages go through lum::message after each write has ended.
#include "common/datetime.h"
#include "clients/person.h"
#include "schedule/board_chart.h"
#include "schedule/booking_rules.h"
#include "schedule/booking_store.h"
#include "schedule/frame_clipboard.h"
#include "schedule/frame_label.h"
#include "schedule/schedule_notice.h"
#include "schedule/timetable_items.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class ClientListQuery;
class DragPersonGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;

class TScheduleBoardForm : public QWidget, public FrameLabelHost {
    Q_OBJECT
public:
    // What the two boards call their window and their header row.
    struct Names {
        const char* objectName;    // "StuffScheduleForm"
        const char* caption;       // "介護担当者作業表"
        const char* headerPanel;   // "DayPanel"
        const char* headerPrefix;  // "Day": headers Day0 .. Day30
    };
    enum class ScrollAxis { None, Days, Times };

    // ---- the controls
    QWidget* TopPanel;
    QDateEdit* RVDate;
    QPushButton* DispButton;
    QPushButton* ClearButton;
    QWidget* UserPanel;
    QCheckBox* TankiBox;
    QCheckBox* NinchiBox;
    QCheckBox* ShudanBox;
    QCheckBox* KobetsuBox;
    QComboBox* RihaTypeBox;
    DragPersonGrid* DragPersonDBGrid;
    ClientListQuery* DragPersonQuery;
    QWidget* ChartArea;  // headers, ruler, chart and scroll bars
    QWidget* HeaderPanel;
    std::array<QLabel*, 31> Headers;
    QWidget* TimePanel;
    QWidget* SchedulePanel;
    std::array<QWidget*, 31> Columns;  // P0 .. P30
    QScrollBar* DayScrollBar;
    QScrollBar* TimeScrollBar;
    QStatusBar* StatusBar1;
    QMenu* LabelPopupMenu;
    QAction* TimeCopyMenu;       // 時間枠コピー
    QAction* AllCopyMenu;        // 全てコピー (the staff work chart only; nullptr on the day board)
    QAction* AllEraseMenu;       // 全て消去
    QAction* BoxUpdateMenu;      // 時間枠の変更
    QAction* ReserveUpdateMenu;  // 予約詳細
    QAction* TantouChangeMenu;   // 担当者変更
    QMenu* PanelPopupMenu;
    QAction* NewBoxMenu;         // 新規作成
    QAction* PasteTimeMenu;      // 貼り付け
    QMenu* EditPopupMenu;        // each board fills its own

    // ---- the state
    lum::TDateTime FirstDay;
    int LabelCount = 0;
    TPerson DragClient;  // CureNo 0 before the first pick
    ScrollAxis Axis = ScrollAxis::None;
    FrameClipboard Clip;
    bool Displayed() const { return displayed_; }
    // Where the last menu was opened.
    QPointer<QLabel> MenuLabel;
    QPointer<QWidget> MenuColumn;
    QPointer<QLabel> MenuHeader;

    // The text of status panel 0 or 1 (1: what the clipboard holds).
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);
    // The label of a frame on show; nullptr when there is none.
    QLabel* FrameLabelNamed(const QString& name) const;
    // How many frame labels are on show.
    int LabelTotal() const;

    // ---- the handlers (public, so tests drive them as the mouse does)
    void DispButtonClick();
    void ClearButtonClick();
    void RihaTypeBoxChange();
    void KubunBoxClick();
    void DragPersonDBGridMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void LabelDragDrop(QLabel* label, const QByteArray& payload) override;
    void LabelEndDrag();
    void DispLabelMouseUp(FrameLabel* label, Qt::MouseButton button, QPoint globalPos) override;
    void SchdulePanelMouseUp(QWidget* column, QPoint globalPos);
    void HeaderMouseUp(QLabel* header, QPoint globalPos);
    void TopPanelMouseUp();
    void UserPanelMouseUp();
    void DayScrollBarScroll(int position);
    void TimeScrollBarScroll(int position);
    // One wheel notch: delta < 0 toward the user (forward), > 0 away (back).
    void FormMouseWheel(int delta);
    void NewBoxMenuClick(QWidget* column);
    void AllEraseMenuClick(QLabel* label);
    void BoxUpdateClick(QLabel* label);
    void ReserveUpdateMenuClick(QLabel* label);
    void TantouChangeMenuClick(QLabel* label);
    // The frame clipboard: a frame copied without or with its bookings, and
    // pasted into a column.
    void TimeCopyMenuClick(QLabel* label);
    void AllCopyMenuClick(QLabel* label);
    void PasteTimeMenuClick(QWidget* column);

    // ---- the routines
    FrameLabel* CreateFrameLabel(const TIMETABLE_ITEM& frame, const QString& caption);
    void PlaceFrameLabel(QLabel* label, const TIMETABLE_ITEM& frame, const QString& caption);

protected:
    TScheduleBoardForm(const Names& names, QWidget* parent);

    // Where each board puts the controls of its own in the top bar (before 日付).
    QHBoxLayout* TopBarLayout() const { return topBar_; }

    // ---- what each board does its own way
    // Whether a display may start (the staff chart asks for a staff member).
    virtual bool CanDisplay() { return true; }
    // Reads the frames on show into the data module's list (PNo the column,
    // -1 for a frame in no column) and the booking summaries of them; false
    // when they could not be read.
    virtual bool LoadFrames(lum::FrameBookingSummaries& booked) = 0;
    // Header captions and colours for the display.
    virtual void FillHeaders() = 0;
    // The inputs that are fixed while a chart is displayed.
    virtual void SetInputsEnabled(bool enabled) = 0;
    // Fills the board's own inputs when the window is shown.
    virtual void ResetInputs() = 0;
    // The staff member and day of a new frame in a column; -1 (after its
    // message) when the column has no staff member.
    virtual int StaffOfColumn(int column) = 0;
    virtual lum::TDateTime DayOfColumn(int column) const = 0;
    // Hides or enables the header menu's items before it opens.
    virtual void EditPopupMenuPopup() {}
    // Whether the clipboard survives a display (the day board empties it).
    virtual bool KeepsClipOnDisplay() const { return true; }

    // The prefix of the header names ("Day", "Stuff").
    const QString& HeaderPrefix() const { return headerPrefix_; }
    // Records a copy of a day or staff column (the header's) in the clipboard.
    void CopyColumn(const QLabel* header, bool withBookings, const QString& statusText);
    // Pastes the listed frames of column source (those present now) as new
    // frames of column target for the staff member and day, and shows the
    // outcome: labels of the new frames, then the messages in order.
    void PasteColumn(lum::PasteKind kind, int source, int target, int staffCode, lum::TDateTime day);
    // Labels for what a paste committed, then its messages.
    void ApplyPaste(const lum::PasteOutcome& outcome);

    lum::BookingRules Rules() const;
    lum::db::Database& Db() const;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTopBar();
    void BuildClientList();
    void BuildChart(const Names& names);
    void BuildMenus();
    void LayOut();
    void ShowChart(bool shown);
    void DestroyLabels();
    void ResetColumns();
    // The column of a panel named "P" + 0..30; -1 otherwise.
    int ColumnOf(const QWidget* column) const;
    // The listed frame of a label; nothing (after "System Error 予約確認に失敗しました。") when none.
    std::optional<TIMETABLE_ITEM> ListedFrame(const QLabel* label);
    // Shows the notices of an operation, in order.
    void ShowNotices(const lum::Notices& notices);

    QHBoxLayout* topBar_ = nullptr;
    lum::board::BoardChart chart_;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    bool displayed_ = false;
    QString headerPrefix_;
};
