#pragma once
// The frame bookings dialog "予約状況": the bookings of one frame, with
// cancelling one or all of them and each booking's comment from the stock
// phrases "Schd". The caller sets WorkingNo and CancelAllowed before every
// show (they keep their last values) and reads BookedCount afterwards.
//
// A comment is written once, when its editing ends (a phrase chosen, Enter,
// or the focus leaving the box), to the booking it was opened on; the list
// keeps its current row.
#include "schedule/booking_store.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableWidget;

class TTimeTableForm : public QDialog {
    Q_OBJECT
public:
    explicit TTimeTableForm(QWidget* parent = nullptr);

    int WorkingNo = 0;
    bool CancelAllowed = false;
    int BookedCount = 0;

    QPushButton* DeleteButton;
    QPushButton* AllDeleteButton;
    QPushButton* CancelButton;
    QTableWidget* ScheduleDispGrid;
    QComboBox* CommentBox;
    QStatusBar* StatusBar1;

    // The text of status panel 0 (the count) or 1 (a read error).
    QString StatusText(int panel) const;
    // The grid's columns.
    enum Column { ColCureNo, ColName, ColSex, ColBirth, ColNyusho, ColTaisho, ColRihaType, ColKubun, ColComment,
                  ColCreateDate, ColumnCount };

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DeleteButtonClick();
    void AllDeleteButtonClick();
    void CommentBoxDblClick();
    void ScheduleDispGridCellChanged(int row, int column, int previousRow, int previousColumn);
    // Reads the list again; false (after its message) when it cannot.
    bool Refresh(int keepScheduleNo = -1);
    void Fill(int keepScheduleNo);
    void ShowCount();
    // Widens the window to its columns (up to the screen) and centres it.
    void FitWidth();
    void PlaceCommentBox();
    void HideCommentBox();
    // Writes the box's text to the booking it was opened on when it changed.
    void CommentEditEnded();
    void SetCancelButtons(bool enabled);

    std::vector<lum::BookingListRow> rows_;
    QLabel* countPanel_;
    QLabel* errorPanel_;
    int editedScheduleNo_ = -1;  // the booking the comment box was opened on
    QString editedOriginal_;
    bool busy_ = false;          // inside a refresh or a write: no new edit ends
};

extern TTimeTableForm* TimeTableForm;
