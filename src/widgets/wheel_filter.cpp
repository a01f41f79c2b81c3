#include "widgets/wheel_filter.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>

namespace lum {
namespace {

// Puts the wheel filter on the application while its widget is shown.
class WhileShown : public QObject {
public:
    WhileShown(QWidget* widget, QObject* filter) : QObject(filter), filter_(filter) {
        widget->installEventFilter(this);
        if (widget->isVisible()) QCoreApplication::instance()->installEventFilter(filter_);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) QCoreApplication::instance()->installEventFilter(filter_);
        if (event->type() == QEvent::Hide) QCoreApplication::instance()->removeEventFilter(filter_);
        return false;
    }

private:
    QObject* filter_;
};

}  // namespace

WheelFilter::WheelFilter(QWidget* over, std::function<bool(QWidget*, QWheelEvent*)> onWheel)
    : QObject(over), over_(over), onWheel_(std::move(onWheel)) {
    new WhileShown(over, this);
}

bool WheelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // isAncestorOf stops at a window's edge: an open drop-down's list is not inside.
    if (!widget || (widget != over_ && !over_->isAncestorOf(widget))) return false;
    return onWheel_(widget, static_cast<QWheelEvent*>(event));
}

}  // namespace lum
