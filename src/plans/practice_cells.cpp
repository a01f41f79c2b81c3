#include "plans/practice_cells.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TLevelCell::TLevelCell(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::ClickFocus);
    setSelected(false);
}

void TLevelCell::setSelected(bool on) {
    selected_ = on;
    QPalette p = palette();
    p.setColor(QPalette::Window, on ? QColor(0, 255, 255) : QColor(Qt::white));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void TLevelCell::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) return;
    if (event->button() == Qt::LeftButton) emit leftReleased();
    else if (event->button() == Qt::RightButton) emit rightReleased();
}

void TLevelCell::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        emit leftReleased();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Menu:
        emit rightReleased();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

TDiagonalBox::TDiagonalBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void TDiagonalBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, 0, width() - 1, height() - 1);
}
