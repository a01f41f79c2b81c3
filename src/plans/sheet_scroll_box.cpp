#include "plans/sheet_scroll_box.h"

#include "platform/ui/wheel_rule.h"

#include <QScrollBar>
#include <QWheelEvent>

TSheetScrollBox::TSheetScrollBox(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    lum::scrollByOwnRule(this, [this](const QWheelEvent& turn) { Scroll(turn); });
}

void TSheetScrollBox::Scroll(const QWheelEvent& event) {
    // One notch is 120; touch pads send parts of one, which add up.
    wheelRest_ += event.angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - notches * WheelStep);
}

void TSheetScrollBox::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    // A sheet wider than the box shows its middle; a narrower one is centred
    // by the alignment.
    QScrollBar* across = horizontalScrollBar();
    across->setValue((across->minimum() + across->maximum()) / 2);
    if (ScrollToTopOnResize) verticalScrollBar()->setValue(0);
}
