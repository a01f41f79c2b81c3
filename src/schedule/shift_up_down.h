#pragma once
// A horizontal up-down control: two arrow buttons stepping a position
// within a range (the day board's staff offset). It shows no number of its
// own; the window shows the position where it reads best.
#include <QWidget>

class QToolButton;

class ShiftUpDown : public QWidget {
    Q_OBJECT
public:
    explicit ShiftUpDown(QWidget* parent = nullptr);

    int position() const { return position_; }
    // Kept within the range; emits nothing.
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setIncrement(int step) { step_ = step; }
    // One step up (right) or down (left), as the arrows do.
    void stepUp() { stepBy(step_); }
    void stepDown() { stepBy(-step_); }

    QToolButton* DownButton;
    QToolButton* UpButton;

signals:
    // An arrow moved the position.
    void clicked();

private:
    void stepBy(int delta);
    int position_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    int step_ = 1;
};
