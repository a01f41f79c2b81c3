#pragma once
// "治療希望　開く": the month, rehabilitation type and categories of the
// clients the weekly requests (and the booking summary) list. The month is
// typed as an era year-month through the year-month key editor; Enter reads
// it, the arrows step it a month at a time, and 開く accepts only with a
// type chosen and a readable month. The dialog keeps its type and boxes
// between uses; its month is refilled with the current month on every show.
#include "common/datetime.h"
#include "common/kubun.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace lum {
class HorizontalUpDown;
class KeyEditBinding;
}  // namespace lum

class TOpenCureDialog : public QDialog {
    Q_OBJECT
public:
    explicit TOpenCureDialog(QWidget* parent = nullptr);

    // ---- the results, read by the caller after Accepted
    lum::TDateTime UseMonth;  // the first day of the chosen month
    int RihaType = -1;        // 0..3 a type, 4 "全て"
    int KubunCode = 0;        // the bits of the ticked boxes

    QLineEdit* DateEdit;
    lum::HorizontalUpDown* UpDown1;
    QComboBox* RihaTypeBox;
    QCheckBox* TankiBox;
    QCheckBox* NinchiBox;
    QCheckBox* ShudanBox;
    QCheckBox* KobetsuBox;
    QPushButton* OpenButton;    // 開く
    QPushButton* CancelButton;  // キャンセル

    // The month the edit holds: its first 12 bytes (code page 932) with the
    // day "01" read as an era date.
    std::optional<lum::TDateTime> TypedMonth() const;

    // ---- the handlers
    void RihaTypeBoxChange();
    void DateEditEnter();
    void UpDown1Click(int step);
    void OpenButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    lum::KeyEditBinding* binding_;
    lum::TKubun kubun_;
};

extern TOpenCureDialog* OpenCureDialog;

namespace lum {
// The dialog of the run (OpenCureDialog), created on first use when the
// start-up list has not made one; the weekly requests and the booking
// summary share it.
TOpenCureDialog& openCureDialog();
}  // namespace lum
