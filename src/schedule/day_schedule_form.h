#pragma once
// The day board "当日担当者作業表": the frames of one day (`RVDate`) for the
// staff members side by side, one staff member a column (headers
// `Stuff0`..`Stuff30` in `StuffPanel`); column c shows the staff member at
// offset + c of the staff list, the offset stepped by `StuffNameShift` (by
// 10) and read at each display. Opened by the schedule menu's 当日予約表;
// everything else is the board's (schedule_board_form.h). Its clipboard
// lives within one display: every display empties it.
#include "schedule/schedule_board_form.h"

class ShiftUpDown;

class TDayScheduleForm : public TScheduleBoardForm {
    Q_OBJECT
public:
    explicit TDayScheduleForm(QWidget* parent = nullptr);

    ShiftUpDown* StuffNameShift;
    QLabel* StartStuffNo;
    QAction* CopyStuffBoxFromPanelMenu;    // 全ての枠コピー
    QAction* PasteBoxesToPanelMenu;        // 貼り付け
    QAction* ChangeStuffOfPanelMenu;       // 担当者一括変更

    // The offset of the display on show (the control's position when it began).
    int ShownOffset() const { return offset_; }
    // The width of the header row and the chart: 120 a staff member, at most 31 columns.
    static int BoardWidth(int staffCount);

    void StuffNameShiftClick();
    void FormResize();
    void CopyStuffBoxFromPanelMenuClick(QLabel* header);
    void PasteBoxesToPanelMenuClick(QLabel* header);
    void ChangeStuffOfPanelMenuClick(QLabel* header);

protected:
    bool LoadFrames(lum::FrameBookingSummaries& booked) override;
    void FillHeaders() override;
    void SetInputsEnabled(bool enabled) override;
    void ResetInputs() override;
    int StaffOfColumn(int column) override;
    lum::TDateTime DayOfColumn(int column) const override;
    void EditPopupMenuPopup() override;
    bool KeepsClipOnDisplay() const override { return false; }
    void resizeEvent(QResizeEvent* event) override;

private:
    int offset_ = 0;
};

extern TDayScheduleForm* DayScheduleForm;
