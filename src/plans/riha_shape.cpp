#include "plans/riha_shape.h"

#include <QPainter>

namespace lum {

ShapeGeometry shapeGeometry(int width, int height, int penWidth, TShapeType shape) {
    ShapeGeometry g;
    g.x = g.y = penWidth / 2;
    g.w = width - penWidth + 1;
    g.h = height - penWidth + 1;
    if (penWidth == 0) {
        --g.w;
        --g.h;
    }
    const int s = std::min(g.w, g.h);
    switch (shape) {
    case TShapeType::stSquare:
    case TShapeType::stRoundSquare:
    case TShapeType::stCircle:
    case TShapeType::stBaten:
    case TShapeType::stLine:
        g.x += (g.w - s) / 2;
        g.y += (g.h - s) / 2;
        g.w = g.h = s;
        break;
    default:
        break;
    }
    g.corner = s / 4;
    return g;
}

void paintShape(QPainter& painter, const QRect& area, const QPen& pen, const QBrush& brush, TShapeType shape) {
    const ShapeGeometry g = shapeGeometry(area.width(), area.height(), pen.width(), shape);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(area.topLeft());
    painter.setPen(pen);
    painter.setBrush(brush);
    // The corners exclude the right and bottom edge, and lines their end
    // point: the outline of (x, y)-(x + w, y + h) covers w by h pixels.
    const QRect box(g.x, g.y, g.w - 1, g.h - 1);
    switch (shape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
        painter.drawRect(box);
        break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
        painter.drawRoundedRect(box, g.corner / 2.0, g.corner / 2.0);
        break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
        painter.drawEllipse(box);
        break;
    case TShapeType::stBaten:
        painter.drawLine(g.x, g.y, g.x + g.w - 1, g.y + g.h - 1);
        painter.drawLine(g.x + g.w - 1, g.y, g.x, g.y + g.h - 1);
        break;
    case TShapeType::stLine:
        painter.drawLine(g.x, g.y, g.x + g.w - 1, g.y + g.h - 1);
        break;
    }
    painter.restore();
}

MarkStyle markStyle(MarkKind kind) {
    const QPen pen(Qt::black, 1, Qt::SolidLine);
    switch (kind) {
    case MarkKind::JointRange:
        return {TShapeType::stCircle, pen, QBrush(Qt::NoBrush)};
    case MarkKind::Weakness:
        return {TShapeType::stCircle, pen, QBrush(Qt::black, Qt::BDiagPattern)};
    case MarkKind::Pain:
        break;
    }
    return {TShapeType::stBaten, pen, QBrush(Qt::NoBrush)};
}

TRihaShape* makeMark(MarkKind kind, QWidget* parent, QPoint topLeft) {
    auto* mark = new TRihaShape(parent);
    const MarkStyle style = markStyle(kind);
    mark->setShape(style.shape);
    mark->setPen(style.pen);
    mark->setBrush(style.brush);
    mark->setGeometry(topLeft.x(), topLeft.y(), MarkSize, MarkSize);
    mark->setCursor(Qt::PointingHandCursor);
    mark->show();
    return mark;
}

}  // namespace lum

TRihaShape::TRihaShape(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(25, 25);
}

void TRihaShape::setPen(const QPen& pen) {
    pen_ = pen;
    StyleChanged();
}

void TRihaShape::setBrush(const QBrush& brush) {
    brush_ = brush;
    StyleChanged();
}

void TRihaShape::setShape(TShapeType shape) {
    if (shape == shape_) return;
    shape_ = shape;
    StyleChanged();
}

void TRihaShape::StyleChanged() {
    ++repaints_;
    update();
}

void TRihaShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    lum::paintShape(painter, rect(), pen_, brush_, shape_);
}
