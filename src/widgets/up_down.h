#pragma once
// An up-down control: two arrow buttons beside a label they step (a month,
// a number). It holds no value of its own; the window does the stepping.
// Up and Down (and Page Up and Page Down) step it from the keyboard too.
#include <QAbstractSpinBox>

namespace lum {

class UpDown : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit UpDown(const QString& objectName, QWidget* parent = nullptr);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The buttons as the window's handlers see them.
    void clickUp() { stepBy(1); }
    void clickDown() { stepBy(-1); }

signals:
    void stepped(int direction);  // +1 up, -1 down

protected:
    StepEnabled stepEnabled() const override;
};

}  // namespace lum
