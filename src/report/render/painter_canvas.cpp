#include "report/render/painter_canvas.h"

#include <QPainter>
#include <QPen>

namespace lum {

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpi, bool printer)
    : p_(painter), dpi_(dpi), printer_(printer) {}

void QPainterCanvas::drawPieces(int yTop, std::span<const Piece> pieces, const QRect& clip, bool spacing) {
    if (pieces.empty()) return;
    p_.save();
    p_.setClipRect(clip, Qt::IntersectClip);
    QFont f = TextMetrics::drawingFont(font());
    if (spacing && charExtra() != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, charExtra());
    p_.setFont(f);
    p_.setPen(toQColor(font().color));
    const double ascent = TextMetrics::ascent(font());
    for (const Piece& piece : pieces) {
        if (font().rotated) {
            // The run starts at (x, yTop) and goes up; the cell's top faces +x.
            p_.save();
            p_.translate(piece.x, yTop);
            p_.rotate(-90);
            p_.drawText(QPointF(0, ascent), piece.text);
            p_.restore();
        } else {
            p_.drawText(QPointF(piece.x, yTop + ascent), piece.text);
        }
    }
    p_.restore();
}

void QPainterCanvas::textOut(int x, int yTop, const QString& text, const QRect& clip) {
    const Piece piece{x, text};
    drawPieces(yTop, {&piece, 1}, clip, true);
}

void QPainterCanvas::textOutJustified(int x, int yTop, const QString& text, int extra, const QRect& clip) {
    if (font().rotated) {
        // Pieces advance upwards: mirror the offsets onto y.
        for (const Piece& piece : justifiedPieces(0, text, extra)) {
            const Piece at{x, piece.text};
            drawPieces(yTop - piece.x, {&at, 1}, clip, true);
        }
        return;
    }
    const QList<Piece> pieces = justifiedPieces(x, text, extra);
    drawPieces(yTop, {pieces.constData(), size_t(pieces.size())}, clip, true);
}

void QPainterCanvas::textOutPlaced(int x, int yTop, const QString& text, int extent, const QRect& clip) {
    const QList<Piece> pieces = placedCharacters(x, text, extent);
    drawPieces(yTop, {pieces.constData(), size_t(pieces.size())}, clip, false);
}

void QPainterCanvas::applyPenAndBrush() {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    const CanvasPen& cp = pen();
    QPen qp(toQColor(cp.color));
    qp.setWidth(qMax(1, cp.width));
    qp.setStyle(cp.style >= 0 && cp.style <= 4 ? styles[cp.style] : Qt::SolidLine);
    qp.setCapStyle(Qt::FlatCap);
    qp.setJoinStyle(Qt::MiterJoin);
    p_.setPen(qp);
    if (brush() == kNoColor) {
        p_.setBrush(Qt::NoBrush);
        p_.setBackgroundMode(Qt::TransparentMode);
    } else {
        p_.setBrush(toQColor(brush()));
        // The gaps of a dashed line are filled with the brush colour, not left clear.
        p_.setBackground(toQColor(brush()));
        p_.setBackgroundMode(Qt::OpaqueMode);
    }
}

void QPainterCanvas::drawLine(int x1, int y1, int x2, int y2) {
    p_.save();
    applyPenAndBrush();
    // Flat caps: the end point itself stays unpainted.
    p_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
    p_.restore();
}

void QPainterCanvas::drawRect(const QRect& r) {
    p_.save();
    applyPenAndBrush();
    // r's right and bottom are exclusive: the outline covers left..right-1.
    p_.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1));
    p_.restore();
}

void QPainterCanvas::fillRect(const QRect& r, CanvasColor color) {
    if (color == kNoColor) return;
    p_.fillRect(r, toQColor(color));
}

void QPainterCanvas::drawEllipse(const QRect& r) {
    p_.save();
    applyPenAndBrush();
    p_.drawEllipse(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1));
    p_.restore();
}

void QPainterCanvas::drawRoundRect(const QRect& r, int cornerWidth, int cornerHeight) {
    p_.save();
    applyPenAndBrush();
    p_.drawRoundedRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1), cornerWidth / 2.0,
                       cornerHeight / 2.0);
    p_.restore();
}

void QPainterCanvas::drawPolygon(const QPolygon& points) {
    p_.save();
    applyPenAndBrush();
    p_.drawPolygon(points);
    p_.restore();
}

void QPainterCanvas::drawImage(const QRect& target, const QImage& image) {
    if (image.isNull() || target.isEmpty()) return;
    p_.drawImage(target, image);
}

}  // namespace lum
