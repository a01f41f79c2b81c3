#pragma once
// One wheel notch as the window system delivers it: to the widget under the
// pointer, marked as the window system's own and handed to the application's
// notify, so Qt's focus by wheel, the application's filters and the hand-on
// from a widget that lets the turn pass to its parents all take part as they
// do for a real mouse.
#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <qtestspontaneevent.h>

namespace lum::test {

// The widget under the pointer at `global` in the window of `inside`.
inline QWidget* widgetUnder(const QWidget* inside, QPoint global) {
    QWidget* window = inside->window();
    QWidget* under = window->childAt(window->mapFromGlobal(global));
    return under ? under : window;
}

// One notch with the pointer at `global` over the window of `inside`: toward
// the user (down a sheet) is -120, away +120. Gives the widget under the
// pointer, which got the turn.
inline QWidget* turnWheelAt(const QWidget* inside, QPoint global, int delta) {
    QWidget* under = widgetUnder(inside, global);
    QWheelEvent turn(under->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(), QPoint(0, delta),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    QCoreApplication::instance()->notify(under, &turn);
    return under;
}

// One notch with the pointer at the middle of `over`.
inline QWidget* turnWheel(const QWidget* over, int delta) {
    return turnWheelAt(over, over->mapToGlobal(over->rect().center()), delta);
}

}  // namespace lum::test
