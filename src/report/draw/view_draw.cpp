#include "report/draw/view_draw.h"

#include "report/draw/memo_layout.h"
#include "report/objects/addin_views.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

namespace lum {

void drawView(const TfrView& view, ReportCanvas& canvas, const DrawScale& s) {
    switch (view.Typ) {
    case gtMemo:
        if (auto* m = dynamic_cast<const TfrMemoView*>(&view)) memo::draw(*m, canvas, s.scaleX, s.scaleY, s.offsX, s.offsY);
        return;
    case gtPicture:
        if (auto* p = dynamic_cast<const TfrPictureView*>(&view)) drawPicture(*p, canvas, s);
        return;
    case gtLine:
        drawLine(view, canvas, s);
        return;
    case gtAddIn:
        if (auto* c = dynamic_cast<const TfrCheckBoxView*>(&view)) drawCheckBox(*c, canvas, s);
        else if (auto* sh = dynamic_cast<const TfrShapeView*>(&view)) drawShape(*sh, canvas, s);
        return;
    default:
        return;  // bands and sub-reports draw only in an editor
    }
}

QRect pictureTarget(const TfrPictureView& v, const QRect& inner, const QSize& size) {
    if (size.isEmpty()) return {};
    const bool centre = v.Flags & TfrPictureView::flCenter;
    if (!(v.Flags & TfrPictureView::flStretch)) {
        QRect r(inner.topLeft(), size);
        if (centre) r.translate((inner.width() - size.width()) / 2, (inner.height() - size.height()) / 2);
        return r;
    }
    QRect r = inner;
    if (v.Flags & TfrPictureView::flKeepAspect) {
        const double kx = double(inner.width()) / size.width();
        const double ky = double(inner.height()) / size.height();
        if (kx >= ky) r.setWidth(roundEven(size.width() * ky));
        else r.setHeight(roundEven(size.height() * kx));
        if (centre) r.translate((inner.width() - r.width()) / 2, (inner.height() - r.height()) / 2);
    }
    return r;
}

void drawPicture(const TfrPictureView& v, ReportCanvas& canvas, const DrawScale& s) {
    const ViewGeometry g = scaleForDrawing(v, s.scaleX, s.scaleY, s.offsX, s.offsY);
    fillBackground(v, g, canvas);
    const QImage image = v.isEmpty() ? QImage() : v.image();
    if (!image.isNull()) {
        const QRect inner(QPoint(g.DLeft, g.DTop), QPoint(g.DRight - 1, g.DBottom - 1));
        // An unstretched picture keeps its own pixels at the output scale.
        const QSize own(roundEven(image.width() * s.scaleX), roundEven(image.height() * s.scaleY));
        const QRect target = pictureTarget(v, inner, (v.Flags & TfrPictureView::flStretch) ? image.size() : own);
        if (!target.isEmpty()) canvas.drawImage(target, image);
    }
    drawFrame(v, g, canvas);
}

void drawLine(const TfrView& v, ReportCanvas& canvas, const DrawScale& s) {
    std::unique_ptr<TfrView> line = v.clone();
    if (line->Width <= line->Height) {
        line->Width = 0;
        line->FrameTyp = frLeft;
    } else {
        line->Height = 0;
        line->FrameTyp = frTop;
    }
    const ViewGeometry g = scaleForDrawing(*line, s.scaleX, s.scaleY, s.offsX, s.offsY);
    drawFrame(*line, g, canvas);
}

void drawCheckBox(const TfrCheckBoxView& v, ReportCanvas& canvas, const DrawScale& s) {
    const ViewGeometry g = scaleForDrawing(v, s.scaleX, s.scaleY, s.offsX, s.offsY);
    fillBackground(v, g, canvas);
    if (v.isCrossed()) {
        const int dx = roundEven(4 * s.scaleX), dy = roundEven(4 * s.scaleY);
        const int l = g.Left + dx, t = g.Top + dy, r = g.Left + g.Width - dx, b = g.Top + g.Height - dy;
        canvas.setBrush(kNoColor);
        canvas.setPen({clBlack, qMax(1, roundEven(3 * s.scaleX)), fsSolid});
        canvas.drawLine(l, t, r, b);
        canvas.drawLine(l, b, r, t);
    }
    drawFrame(v, g, canvas);
}

void drawShape(const TfrShapeView& v, ReportCanvas& canvas, const DrawScale& s) {
    const ViewGeometry g = scaleForDrawing(v, s.scaleX, s.scaleY, s.offsX, s.offsY);
    // One pixel beyond the scaled right and bottom edges.
    const QRect r(QPoint(g.Left, g.Top), QPoint(g.Left + g.Width, g.Top + g.Height));
    canvas.setPen({v.FrameColor, qMax(1, roundEven(g.FrameWidth)), fsSolid});
    canvas.setBrush(v.FillColor);
    const int x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
    switch (v.ShapeType) {
    case skRectangle: canvas.drawRect(r); break;
    case skRoundRectangle: {
        const int c = qMin(g.Width, g.Height) / 4;
        canvas.drawRoundRect(r, c, c);
        break;
    }
    case skEllipse: canvas.drawEllipse(r); break;
    case skTriangle:
        // The filled polygon stands in for the flood fill from the centre.
        canvas.drawPolygon(QPolygon({QPoint(x2, y2), QPoint(x1, y2), QPoint((x1 + x2) / 2, y1), QPoint(x2, y2)}));
        break;
    case skDiagonal1: canvas.drawLine(x1, y1, x2, y2); break;
    case skDiagonal2: canvas.drawLine(x1, y2, x2, y1); break;
    default: break;
    }
    canvas.setBrush(kNoColor);
}

}  // namespace lum
