#pragma once
// One time frame on a board: a label inside its column panel, named after
// the frame's LName. A mouse-up with any button opens the board's frame
// menu; a drag of the one MIME type the board accepts (a client on the
// boards, client_drag.h; a staff member on the client month schedule,
// staff_drag.h), and nothing else, may be dropped on it, which hands the
// payload to the board's drop handler once the drag has ended.
#include <QByteArray>
#include <QLabel>

class QMimeData;

class FrameLabel;

// What a frame label reports to its board.
class FrameLabelHost {
public:
    virtual void DispLabelMouseUp(FrameLabel* label, Qt::MouseButton button, QPoint globalPos) = 0;
    virtual void LabelDragDrop(QLabel* label, const QByteArray& payload) = 0;

protected:
    ~FrameLabelHost() = default;
};

class FrameLabel : public QLabel {
    Q_OBJECT
public:
    // Accepting drags of acceptedType (a client's when empty).
    FrameLabel(const QString& name, FrameLabelHost& host, QWidget* column, const QString& acceptedType = {});
    const QString& AcceptedType() const { return acceptedType_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Accepts(const QMimeData* mime) const;

    FrameLabelHost& host_;
    QString acceptedType_;
};
