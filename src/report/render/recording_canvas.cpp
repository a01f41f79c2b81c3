#include "report/render/recording_canvas.h"

namespace lum {

int CanvasOp::width() const {
    if (kind == TextPlaced) return extent;
    return TextMetrics::width(font, text, charExtra) + (kind == TextJustified ? extra : 0);
}

namespace {
CanvasOp textOp(CanvasOp::Kind kind, const ReportCanvas& c, int x, int y, const QString& text, const QRect& clip) {
    CanvasOp op;
    op.kind = kind;
    op.x = x;
    op.y = y;
    op.text = text;
    op.clip = clip;
    op.font = c.font();
    op.charExtra = c.charExtra();
    return op;
}
}  // namespace

void RecordingCanvas::textOut(int x, int yTop, const QString& text, const QRect& clip) {
    ops_.append(textOp(CanvasOp::Text, *this, x, yTop, text, clip));
}

void RecordingCanvas::textOutJustified(int x, int yTop, const QString& text, int extra, const QRect& clip) {
    CanvasOp op = textOp(CanvasOp::TextJustified, *this, x, yTop, text, clip);
    op.extra = extra;
    ops_.append(op);
}

void RecordingCanvas::textOutPlaced(int x, int yTop, const QString& text, int extent, const QRect& clip) {
    CanvasOp op = textOp(CanvasOp::TextPlaced, *this, x, yTop, text, clip);
    op.extent = extent;
    ops_.append(op);
}

CanvasOp RecordingCanvas::shapeOp(CanvasOp::Kind kind) const {
    CanvasOp op;
    op.kind = kind;
    op.pen = pen();
    op.brush = brush();
    return op;
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2) {
    CanvasOp op = shapeOp(CanvasOp::Line);
    op.line = QLine(x1, y1, x2, y2);
    ops_.append(op);
}

void RecordingCanvas::drawRect(const QRect& r) {
    CanvasOp op = shapeOp(CanvasOp::Rect);
    op.rect = r;
    ops_.append(op);
}

void RecordingCanvas::fillRect(const QRect& r, CanvasColor color) {
    CanvasOp op = shapeOp(CanvasOp::Fill);
    op.rect = r;
    op.fill = color;
    ops_.append(op);
}

void RecordingCanvas::drawEllipse(const QRect& r) {
    CanvasOp op = shapeOp(CanvasOp::Ellipse);
    op.rect = r;
    ops_.append(op);
}

void RecordingCanvas::drawRoundRect(const QRect& r, int cornerWidth, int cornerHeight) {
    CanvasOp op = shapeOp(CanvasOp::RoundRect);
    op.rect = r;
    op.extent = cornerWidth;
    op.extra = cornerHeight;
    ops_.append(op);
}

void RecordingCanvas::drawPolygon(const QPolygon& points) {
    CanvasOp op = shapeOp(CanvasOp::Polygon);
    op.polygon = points;
    ops_.append(op);
}

void RecordingCanvas::drawImage(const QRect& target, const QImage& image) {
    CanvasOp op = shapeOp(CanvasOp::Image);
    op.rect = target;
    op.imageSize = image.size();
    ops_.append(op);
}

QList<CanvasOp> RecordingCanvas::textRuns() const {
    QList<CanvasOp> out;
    for (const CanvasOp& op : ops_)
        if (op.isText()) out.append(op);
    return out;
}

QStringList RecordingCanvas::texts() const {
    QStringList out;
    for (const CanvasOp& op : ops_)
        if (op.isText()) out.append(op.text);
    return out;
}

}  // namespace lum
