#include "report/draw/view_drawing.h"

#include "report/draw/memo_layout.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/picture_view.h"

namespace lum {
namespace {

QRect innerRect(const ViewGeometry& g) { return QRect(QPoint(g.DLeft, g.DTop), QPoint(g.DRight - 1, g.DBottom - 1)); }

void drawPicture(const TfrPictureView& p, ReportCanvas& c, const ViewGeometry& g) {
    fillBackground(p, g, c);
    const QImage image = p.image();
    if (!p.isEmpty() && !image.isNull()) {
        const QRect target = pictureTarget(innerRect(g), image.size(), p.Flags, g.Width, g.Height);
        c.drawImage(target, image);
    }
    drawFrame(p, g, c);
}

void drawLine(const TfrView& v, ReportCanvas& c, double sx, double sy, int ox, int oy) {
    auto line = v.clone();
    if (line->Width <= line->Height) {
        line->Width = 0;
        line->FrameTyp = frLeft;
    } else {
        line->Height = 0;
        line->FrameTyp = frTop;
    }
    drawFrame(*line, scaleForDrawing(*line, sx, sy, ox, oy), c);
}

void drawCheckBox(const TfrCheckBoxView& v, ReportCanvas& c, const ViewGeometry& g, double sx, double sy) {
    fillBackground(v, g, c);
    if (v.isCrossed()) {
        const int dx = roundEven(4 * sx), dy = roundEven(4 * sy);
        const QRect r(QPoint(g.Left + dx, g.Top + dy), QPoint(g.Right - dx, g.Bottom - dy));
        c.setPen({clBlack, qMax(1, roundEven(3 * sx)), fsSolid});
        c.drawLine(r.left(), r.top(), r.right(), r.bottom());
        c.drawLine(r.left(), r.bottom(), r.right(), r.top());
    }
    drawFrame(v, g, c);
}

void drawShape(const TfrShapeView& v, ReportCanvas& c, const ViewGeometry& g) {
    const QRect r(QPoint(g.Left, g.Top), QPoint(g.Right, g.Bottom));  // one pixel beyond right and bottom
    c.setPen({v.FrameColor, qMax(1, roundEven(g.FrameWidth)), fsSolid});
    c.setBrush(v.FillColor);
    switch (v.ShapeType) {
    case skRectangle: c.drawRect(r); break;
    case skRoundRectangle: {
        const int corner = qMin(g.Width, g.Height) / 4;
        c.drawRoundRect(r, corner, corner);
        break;
    }
    case skEllipse: c.drawEllipse(r); break;
    case skTriangle:
        c.drawPolygon(QPolygon({r.bottomRight(), r.bottomLeft(), QPoint(r.left() + r.width() / 2, r.top())}));
        break;
    case skDiagonal1: c.drawLine(r.left(), r.top(), r.right(), r.bottom()); break;
    case skDiagonal2: c.drawLine(r.left(), r.bottom(), r.right(), r.top()); break;
    default: break;
    }
    c.setBrush(kNoColor);
}

}  // namespace

QRect pictureTarget(const QRect& inner, const QSize& imageSize, quint16 flags, int width, int height) {
    const bool centre = flags & TfrPictureView::flCenter;
    if (!(flags & TfrPictureView::flStretch)) {
        QRect r(inner.topLeft(), imageSize);
        if (centre) r.translate((inner.width() - imageSize.width()) / 2, (inner.height() - imageSize.height()) / 2);
        return r;
    }
    if (!(flags & TfrPictureView::flKeepAspect) || imageSize.isEmpty()) return inner;
    const double kx = double(width) / imageSize.width();
    const double ky = double(height) / imageSize.height();
    QRect r = inner;
    if (kx >= ky) r.setWidth(roundEven(imageSize.width() * ky));
    else r.setHeight(roundEven(imageSize.height() * kx));
    if (centre) r.moveCenter(inner.center());
    return r;
}

void drawView(const TfrView& view, ReportCanvas& canvas, double sx, double sy, int ox, int oy) {
    switch (view.Typ) {
    case gtMemo: memo::draw(static_cast<const TfrMemoView&>(view), canvas, sx, sy, ox, oy); return;
    case gtPicture:
        drawPicture(static_cast<const TfrPictureView&>(view), canvas, scaleForDrawing(view, sx, sy, ox, oy));
        return;
    case gtLine: drawLine(view, canvas, sx, sy, ox, oy); return;
    case gtAddIn:
        if (const auto* check = dynamic_cast<const TfrCheckBoxView*>(&view))
            drawCheckBox(*check, canvas, scaleForDrawing(view, sx, sy, ox, oy), sx, sy);
        else if (const auto* shape = dynamic_cast<const TfrShapeView*>(&view))
            drawShape(*shape, canvas, scaleForDrawing(view, sx, sy, ox, oy));
        return;
    default: return;  // bands and sub-reports
    }
}

}  // namespace lum
