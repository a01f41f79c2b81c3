#include "schedule/frame_label.h"

#include "schedule/client_drag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

FrameLabel::FrameLabel(const QString& name, FrameLabelHost& host, QWidget* column) : QLabel(column), host_(host) {
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);  // not transparent: the frame's colour
    setWordWrap(false);
    setAcceptDrops(true);
    setMargin(1);
}

// Taken here, so the release comes here too and opens the frame's menu.
void FrameLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }

void FrameLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    host_.DispLabelMouseUp(this, event->button(), event->globalPosition().toPoint());
}

// Only a client from a board's client list.
void FrameLabel::dragEnterEvent(QDragEnterEvent* event) {
    if (lum::isClientDrag(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FrameLabel::dragMoveEvent(QDragMoveEvent* event) {
    if (lum::isClientDrag(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FrameLabel::dropEvent(QDropEvent* event) {
    if (!lum::isClientDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Handled once the drag has ended: its messages must not open inside the
    // platform's drag loop.
    const QByteArray payload = event->mimeData()->data(lum::ClientDragMimeType);
    QMetaObject::invokeMethod(
        this, [this, payload] { host_.LabelDragDrop(this, payload); }, Qt::QueuedConnection);
}
