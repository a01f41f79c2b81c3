#include "schedule/drag_person_grid.h"

#include "schedule/client_drag.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

DragPersonGrid::DragPersonGrid(QWidget* parent)
    : DragPersonGrid(parent, QStringLiteral("DragPersonDBGrid"), lum::ClientDragMimeType) {}

DragPersonGrid::DragPersonGrid(QWidget* parent, const QString& objectName, const QString& mimeType)
    : QTableView(parent), mimeType_(mimeType) {
    setObjectName(objectName);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
}

void DragPersonGrid::arm(int cureNo) { armedCureNo_ = cureNo; }

void DragPersonGrid::disarm() {
    armedCureNo_ = 0;
    pressPending_ = false;
}

void DragPersonGrid::mousePressEvent(QMouseEvent* event) {
    if (armed() && event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ControlModifier)) {
        // Held back: a move starts the drag of the armed client, a release is a click.
        pressPending_ = true;
        pressPos_ = event->position().toPoint();
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DragPersonGrid::mouseMoveEvent(QMouseEvent* event) {
    if (pressPending_) {
        if ((event->buttons() & Qt::LeftButton) &&
            (event->position().toPoint() - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
            pressPending_ = false;
            startClientDrag();
        }
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void DragPersonGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (pressPending_) {
        // No drag after all: the press the grid did not see, then the click.
        pressPending_ = false;
        QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->globalPosition(), event->button(),
                          event->button(), event->modifiers());
        QTableView::mousePressEvent(&press);
    }
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->modifiers());
}

// Kept thin: QDrag::exec runs the platform's drag loop (and returns at once
// where there is none, as on the offscreen platform).
void DragPersonGrid::startClientDrag() {
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(mimeType_, lum::encodeClientDrag(armedCureNo_));
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
    emit dragEnded();
}
