#pragma once
// Hands every wheel turn over a widget, itself or any control inside it, to a
// function before the control under the pointer sees it; the function answers
// whether it took the turn. A drop-down or spin box would otherwise take the
// turn and change its value where the user meant to scroll.
//
// It is on the application while the widget is shown and off while it is
// hidden; turns over another window (an open drop-down's list) pass.
#include <QObject>

#include <functional>

class QWheelEvent;
class QWidget;

namespace lum {

class WheelFilter : public QObject {
public:
    WheelFilter(QWidget* over, std::function<bool(QWidget*, QWheelEvent*)> onWheel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* over_;
    std::function<bool(QWidget*, QWheelEvent*)> onWheel_;
};

}  // namespace lum
