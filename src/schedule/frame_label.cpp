#include "schedule/frame_label.h"

#include "schedule/client_drag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

FrameLabel::FrameLabel(const QString& name, FrameLabelHost& host, QWidget* column, const QString& acceptedType)
    : QLabel(column), host_(host), acceptedType_(acceptedType.isEmpty() ? lum::ClientDragMimeType : acceptedType) {
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

bool FrameLabel::Accepts(const QMimeData* mime) const { return mime && mime->hasFormat(acceptedType_); }

// Only the board's own kind of drag.
void FrameLabel::dragEnterEvent(QDragEnterEvent* event) {
    if (Accepts(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FrameLabel::dragMoveEvent(QDragMoveEvent* event) {
    if (Accepts(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FrameLabel::dropEvent(QDropEvent* event) {
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Handled once the drag has ended: its messages must not open inside the
    // platform's drag loop.
    const QByteArray payload = event->mimeData()->data(acceptedType_);
    QMetaObject::invokeMethod(
        this, [this, payload] { host_.LabelDragDrop(this, payload); }, Qt::QueuedConnection);
}
