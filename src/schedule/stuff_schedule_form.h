#pragma once
// The staff work chart "介護担当者作業表": the frames of one staff member
// (`StuffBox`) for 31 days from the date of `RVDate`, one day a column
// (headers `Day0`..`Day30` in `DayPanel`, weekends coloured). Opened by the
// schedule menu's 担当者別予約表; everything but the staff box, the day
// headers and where frames come from is the board's (schedule_board_form.h).
#include "schedule/schedule_board_form.h"

class QComboBox;

class TStuffScheduleForm : public TScheduleBoardForm {
    Q_OBJECT
public:
    explicit TStuffScheduleForm(QWidget* parent = nullptr);

    QComboBox* StuffBox;
    QAction* CopyDaysBoxFromPanelMenu;  // 当日時間枠コピー
    QAction* CopyDaysAllFromPanelMenu;  // 当日全てコピー
    QAction* PasteDaysToPanelMenu;      // 貼り付け

    lum::TDateTime LastDay;
    // The 31 days shown, FirstDay + i.
    lum::TDateTime Days(int i) const { return FirstDay.addDays(i); }

    void StuffBoxChange();
    // The day header menu: a day's frames copied without or with their
    // bookings, and pasted onto another day.
    void CopyDaysBoxFromPanelMenuClick(QLabel* header);
    void CopyDaysAllFromPanelMenuClick(QLabel* header);
    void PasteDaysToPanelMenuClick(QLabel* header);

protected:
    bool CanDisplay() override;
    bool LoadFrames(lum::FrameBookingSummaries& booked) override;
    void FillHeaders() override;
    void SetInputsEnabled(bool enabled) override;
    void ResetInputs() override;
    int StaffOfColumn(int column) override;
    lum::TDateTime DayOfColumn(int column) const override;
    void EditPopupMenuPopup() override;
};

extern TStuffScheduleForm* StuffScheduleForm;
