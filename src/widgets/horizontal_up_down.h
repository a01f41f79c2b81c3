#pragma once
// A horizontal up-down control: two small arrow buttons side by side; the
// left one steps back (-1), the right one forward (+1). Month pickers use it.
#include <QWidget>

class QToolButton;

namespace lum {

class HorizontalUpDown : public QWidget {
    Q_OBJECT
public:
    explicit HorizontalUpDown(QWidget* parent = nullptr);

    QToolButton* previousButton() const { return previous_; }
    QToolButton* nextButton() const { return next_; }

signals:
    void stepped(int step);

private:
    QToolButton* previous_;
    QToolButton* next_;
};

}  // namespace lum
