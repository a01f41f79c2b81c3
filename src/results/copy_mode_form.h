#pragma once
// "書き込みモード": asked once before bookings are copied, what becomes of a
// result already copied from the same booking. 上書き (ticked at every
// showing) writes the booking over it, スキップ leaves it; bookings without
// one are always added. The two boxes are kept opposite. There is no cancel:
// 設定, Enter and Esc all go on with the copy.
#include <QDialog>

class QCheckBox;
class QPushButton;

class TCopyModeForm : public QDialog {
    Q_OBJECT
public:
    explicit TCopyModeForm(QWidget* parent = nullptr);

    QCheckBox* OverWrite;  // 上書き
    QCheckBox* SkipWrite;  // スキップ
    QPushButton* SetButton;  // 設定

    void reject() override;  // Esc: as 設定

protected:
    void showEvent(QShowEvent* event) override;
};

extern TCopyModeForm* CopyModeForm;

namespace lum {
// The run's mode dialog (CopyModeForm), created on first use when the
// start-up list has not made one.
TCopyModeForm& copyModeForm();
}  // namespace lum
