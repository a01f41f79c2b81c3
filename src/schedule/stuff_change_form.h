#pragma once
// The staff change dialog "担当者変更": day, staff member, start time and
// minutes of a frame. The caller sets the four fields, shows it through
// lum::runModal and reads them after Accepted.
#include "common/datetime.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lum {
class KeyEditBinding;
}

class TStuffChangeForm : public QDialog {
    Q_OBJECT
public:
    explicit TStuffChangeForm(QWidget* parent = nullptr);
    // Fills the staff box from the data module's staff list.
    void FormCreate();

    lum::TDateTime WorkDay;    // date only
    int StuffCode = -1;
    lum::TDateTime StartTime;  // on 1899-12-30
    int Minutes = 0;

    QLineEdit* DayEdit;
    QComboBox* KaigoStuffBox;
    QLineEdit* StartTimeEdit;
    QLineEdit* FunnEdit;
    QLabel* ErrorLabel;
    QPushButton* CancelButton;
    QPushButton* SetButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetButtonClick();
};

extern TStuffChangeForm* StuffChangeForm;
