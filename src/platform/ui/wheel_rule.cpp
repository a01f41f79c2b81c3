#include "platform/ui/wheel_rule.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QScrollBar>
#include <QWheelEvent>

namespace lum {
namespace {

// The regions with a scroll rule of their own; each entry goes with its region.
class OwnScrollRule : public QObject {
public:
    OwnScrollRule(QWidget* region, std::function<void(const QWheelEvent&)> scroll)
        : QObject(region), region_(region), scroll_(std::move(scroll)) {
        rules().insert(region_, this);
    }
    ~OwnScrollRule() override {
        if (rules().value(region_) == this) rules().remove(region_);
    }

    void scroll(const QWheelEvent& turn) const { scroll_(turn); }

    static QHash<const QWidget*, OwnScrollRule*>& rules() {
        static QHash<const QWidget*, OwnScrollRule*> byRegion;
        return byRegion;
    }

private:
    const QWidget* region_;
    std::function<void(const QWheelEvent&)> scroll_;
};

// Up the parents within one window: an open drop-down's list is a window of
// its own and not inside the control that opened it.
QWidget* parentWithin(const QWidget* widget) { return widget->isWindow() ? nullptr : widget->parentWidget(); }

QWidget* valueControlOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = parentWithin(w))
        if (WheelRule::isValueControl(w)) return w;
    return nullptr;
}

bool holdsFocus(const QWidget* control) {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

// The region whose own rule takes a turn at `widget`; none when a list or
// grid is nearer, or no region holds the widget.
const OwnScrollRule* ownRuleOf(const QWidget* widget) {
    const auto& rules = OwnScrollRule::rules();
    if (rules.isEmpty()) return nullptr;
    for (const QWidget* w = widget; w; w = parentWithin(w)) {
        if (qobject_cast<const QAbstractItemView*>(w)) return nullptr;
        if (const OwnScrollRule* rule = rules.value(w)) return rule;
    }
    return nullptr;
}

// The turn from `from` up the parents until one takes it, as Qt hands on a
// turn its receiver lets pass (Qt does so only for the window system's own
// turns; this one must hold for every turn).
void passUp(QWidget* from, const QWheelEvent& turn) {
    for (QWidget* w = from; w; w = w->parentWidget()) {
        QWheelEvent step(w->mapFromGlobal(turn.globalPosition()), turn.globalPosition(), turn.pixelDelta(),
                         turn.angleDelta(), turn.buttons(), turn.modifiers(), turn.phase(), turn.inverted(),
                         turn.source(), turn.pointingDevice());
        step.setTimestamp(turn.timestamp());
        step.ignore();
        QCoreApplication::sendEvent(w, &step);
        if (step.isAccepted() || w->isWindow() || w->testAttribute(Qt::WA_NoMousePropagation)) return;
    }
}

}  // namespace

bool WheelRule::isValueControl(const QWidget* widget) {
    if (qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)) return true;
    return qobject_cast<const QAbstractSlider*>(widget) && !qobject_cast<const QScrollBar*>(widget);
}

bool WheelRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish) {
        // Qt gives drop-downs and spin boxes the focus on a turn over them, before
        // any filter sees the turn; by click and Tab they still take it.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->focusPolicy() == Qt::WheelFocus && isValueControl(widget))
            widget->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    auto* turn = static_cast<QWheelEvent*>(event);
    QWidget* control = valueControlOf(widget);
    if (control && holdsFocus(control)) return false;
    QWidget* from = control ? parentWithin(control) : widget;
    if (const OwnScrollRule* rule = from ? ownRuleOf(from) : nullptr) {
        rule->scroll(*turn);
        turn->accept();
        return true;
    }
    if (!control) return false;
    // The control never sees the turn; what holds it does, as if the control had let it pass.
    if (from) passUp(from, *turn);
    turn->accept();
    return true;
}

void scrollByOwnRule(QWidget* region, std::function<void(const QWheelEvent&)> scroll) {
    new OwnScrollRule(region, std::move(scroll));
}

}  // namespace lum
