#pragma once
// "開く": the month of the results sheet. The month is typed as an era
// year-month; Enter checks it, the up-down steps it a month at a time, and
// 開く reads what is typed: a month that is no month shows "利用年月エラー"
// in red and the dialog stays.
#include "common/datetime.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lum {
class HorizontalUpDown;
class KeyEditBinding;
}  // namespace lum

class TOpenGYMDialog : public QDialog {
    Q_OBJECT
public:
    explicit TOpenGYMDialog(QWidget* parent = nullptr);

    // The first day of the chosen month.
    lum::TDateTime UseMonth;

    QLineEdit* DateEdit;
    QLabel* SeirekiLabel;
    lum::HorizontalUpDown* UpDown;
    QPushButton* OKBtn;      // 開く
    QPushButton* CancelBtn;  // キャンセル

    // The month the edit holds, if it holds one.
    std::optional<lum::TDateTime> TypedMonth() const;
    void UpDownClick(int step);
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowMonth(lum::TDateTime month);  // the label "YYYY/MM" in black
    void ShowError();                      // the label "利用年月エラー" in red

    lum::KeyEditBinding* binding_;
};

extern TOpenGYMDialog* OpenGYMDialog;
