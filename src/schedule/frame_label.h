#pragma once
// One time frame on a board: a label inside its column panel, named after
// the frame's LName. A mouse-up with any button opens the board's frame
// menu; a dragged client (client_drag.h, and nothing else) may be dropped on
// it, which hands the payload to the board's drop handler.
#include <QByteArray>
#include <QLabel>

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
    FrameLabel(const QString& name, FrameLabelHost& host, QWidget* column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FrameLabelHost& host_;
};
