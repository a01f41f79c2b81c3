#pragma once
// The frame editor "時間枠": start time, minutes and capacity of a new frame
// or of a frame being changed. The caller sets NewFrame (and, for a change,
// StartTime, Minutes and Capacity), shows it through lum::runModal and reads
// the three fields after Accepted. The capacity is kept from one use to the
// next when a new frame is made.
#include "common/datetime.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lum {
class KeyEditBinding;
}

class TStuffTimeForm : public QDialog {
    Q_OBJECT
public:
    explicit TStuffTimeForm(QWidget* parent = nullptr);

    bool NewFrame = false;
    lum::TDateTime StartTime;  // on 1899-12-30
    int Minutes = 0;
    int Capacity = 1;

    QLineEdit* StartTimeEdit;
    QLineEdit* FunnEdit;
    QSpinBox* MenCount;
    QPushButton* MenZeroButton;
    QPushButton* MenOneButton;
    QPushButton* MenFortyButton;
    QLabel* ErrorLabel;
    QPushButton* CancelButton;
    QPushButton* SetButton;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetButtonClick();
    lum::KeyEditBinding* startBinding_;
};

extern TStuffTimeForm* StuffTimeForm;
