#pragma once
// "インポート　スケジュール": copies bookings into treatment results. 表示
// lists the bookings of a range of days for one staff member or 全員; the
// user selects rows (全選択, 全取消, or with the mouse and keys); 開く asks
// once in TCopyModeForm what becomes of results already copied from the same
// booking, then copies the selected rows in display order in one
// transaction. A failure shows its message and undoes the whole copy; the
// dialog then ends with Cancel, after a complete copy with OK, and the sheet
// reads FirstDay.
#include "app/staff_list.h"
#include "common/datetime.h"
#include "results/booking_copy.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDateEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace lum {
class BookingsToCopyModel;
}

class TImportScheduleDialog : public QDialog {
    Q_OBJECT
public:
    explicit TImportScheduleDialog(QWidget* parent = nullptr);

    QDateEdit* FromDatePicker;  // 期間(始まり)
    QDateEdit* ToDatePicker;    // 期間(終わり)
    QComboBox* StuffBox;        // the staff names, then 全員
    QTableView* DBGrid1;
    lum::BookingsToCopyModel* DBGrid1Model;
    QProgressBar* StatBar;
    QPushButton* DisplayBtn;    // 表示
    QPushButton* AllSelectBtn;  // 全選択
    QPushButton* EraseBtn;      // 全取消
    QPushButton* ImportBtn;     // 開く
    QPushButton* ReturnButton;  // キャンセル

    // The range of the last display (dates only).
    lum::TDateTime FirstDay;
    lum::TDateTime LastDay;
    // The staff member of the last display; nothing for 全員.
    std::optional<int> StuffCode;

    void DisplayBtnClick();
    void AllSelectBtnClick();
    void EraseBtnClick();
    void ImportBtnClick();
    // The selected bookings in display order.
    std::vector<lum::BookingToCopy> SelectedBookings() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EnableSelectionButtons();

    std::vector<lum::StaffMember> staff_;
};

extern TImportScheduleDialog* ImportScheduleDialog;

namespace lum {
// The run's copy dialog (ImportScheduleDialog), created on first use when
// the start-up list has not made one.
TImportScheduleDialog& importScheduleDialog();
}  // namespace lum
