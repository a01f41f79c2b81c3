#include "plans/body_chart.h"

#include "plans/riha_shape.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace lum {
namespace {

// A standing figure scaled into the picture: head, neck, trunk, arms and
// legs as one outline. The back view has a spine line instead of a face.
QImage drawBody(QSize size, bool back) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double sx = size.width() / 105.0;
    const double sy = size.height() / 207.0;
    p.scale(sx, sy);

    QPainterPath body;
    body.addEllipse(QRectF(41, 2, 23, 27));                     // head
    body.addRect(QRectF(47, 27, 11, 8));                        // neck
    QPainterPath trunk;
    trunk.moveTo(30, 36);
    trunk.lineTo(75, 36);
    trunk.quadTo(80, 38, 80, 46);
    trunk.lineTo(75, 98);
    trunk.lineTo(77, 112);
    trunk.lineTo(28, 112);
    trunk.lineTo(30, 98);
    trunk.lineTo(25, 46);
    trunk.quadTo(25, 38, 30, 36);
    body.addPath(trunk);
    // Arms: upper arm, forearm and hand on each side.
    for (int side : {-1, 1}) {
        QPainterPath arm;
        const double c = 52.5;
        auto x = [&](double d) { return c + side * d; };
        arm.moveTo(x(24), 38);
        arm.lineTo(x(34), 46);
        arm.lineTo(x(40), 96);
        arm.lineTo(x(43), 112);
        arm.lineTo(x(36), 114);
        arm.lineTo(x(32), 98);
        arm.lineTo(x(27), 60);
        arm.lineTo(x(24), 52);
        arm.closeSubpath();
        body.addPath(arm);
        QPainterPath leg;
        leg.moveTo(x(2), 110);
        leg.lineTo(x(24), 110);
        leg.lineTo(x(20), 160);
        leg.lineTo(x(18), 196);
        leg.lineTo(x(24), 203);
        leg.lineTo(x(8), 203);
        leg.lineTo(x(8), 162);
        leg.lineTo(x(2), 120);
        leg.closeSubpath();
        body.addPath(leg);
    }
    p.setPen(QPen(Qt::black, 1.0 / std::min(sx, sy) * 0.9));
    p.setBrush(QColor(0xF6, 0xF1, 0xEA));
    p.drawPath(body.simplified());
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 0.8));
    if (back) {
        p.drawLine(QPointF(52.5, 38), QPointF(52.5, 104));  // spine
        p.drawLine(QPointF(38, 50), QPointF(46, 56));       // shoulder blades
        p.drawLine(QPointF(67, 50), QPointF(59, 56));
    } else {
        p.drawEllipse(QPointF(48, 14), 1.2, 1.2);  // eyes and mouth
        p.drawEllipse(QPointF(57, 14), 1.2, 1.2);
        p.drawLine(QPointF(49.5, 22), QPointF(55.5, 22));
        p.drawEllipse(QPointF(52.5, 78), 1.0, 1.0);  // navel
    }
    return image;
}

QRect quarterRect(QSize size, Corner corner) {
    const int right = size.width() - 56;
    const int lower = size.height() - 96;
    switch (corner) {
    case Corner::UpperLeft:
        return {0, 0, 55, 95};
    case Corner::UpperRight:
        return {56, 0, right, 95};
    case Corner::LowerLeft:
        return {0, 96, 55, lower};
    case Corner::LowerRight:
        return {56, 96, right, lower};
    }
    return {};
}

QImage drawOverlay(ChartSide side, Corner corner) {
    const QImage& body = bodyPicture(side);
    QImage image(body.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRect quarter = quarterRect(body.size(), corner);
    // Red hatching over the body's own pixels in the quarter.
    for (int y = quarter.top(); y <= quarter.bottom(); ++y) {
        for (int x = quarter.left(); x <= quarter.right(); ++x) {
            const QRgb px = body.pixel(x, y);
            const bool inside = px != qRgb(255, 255, 255);
            if (inside && (x + y) % 4 < 2) image.setPixel(x, y, qRgba(0xD0, 0x20, 0x20, 0xFF));
        }
    }
    return image;
}

}  // namespace

QRect sidePanelRect(ChartSide side) {
    return side == ChartSide::Front ? QRect(0, 0, 128, ChartPanelSize.height()) : QRect(129, 0, 128, ChartPanelSize.height());
}

QSize bodyPictureSize(ChartSide side) { return side == ChartSide::Front ? QSize(105, 207) : QSize(102, 206); }

const QImage& bodyPicture(ChartSide side) {
    static const QImage front = drawBody(bodyPictureSize(ChartSide::Front), false);
    static const QImage back = drawBody(bodyPictureSize(ChartSide::Back), true);
    return side == ChartSide::Front ? front : back;
}

const QImage& overlayPicture(ChartSide side, Corner corner) {
    static const auto all = [] {
        std::array<std::array<QImage, 4>, 2> images;
        for (int s = 0; s < 2; ++s)
            for (int c = 0; c < 4; ++c) images[s][c] = drawOverlay(static_cast<ChartSide>(s), static_cast<Corner>(c));
        return images;
    }();
    return all[static_cast<int>(side)][static_cast<int>(corner)];
}

void paintBodyChart(QPainter& painter, const BodyChart& chart) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), ChartPanelSize), Qt::white);
    for (ChartSide side : {ChartSide::Front, ChartSide::Back}) {
        const QRect panel = sidePanelRect(side);
        painter.save();
        painter.translate(panel.topLeft());
        painter.drawImage(PictureOffset, bodyPicture(side));
        const ChartSideModel& model = chart.side(side);
        for (int c = 0; c < 4; ++c) {
            if (model.overlays[c]) painter.drawImage(PictureOffset, overlayPicture(side, static_cast<Corner>(c)));
        }
        for (int kind = 0; kind < 3; ++kind) {
            const MarkStyle style = markStyle(static_cast<MarkKind>(kind));
            for (const QPoint& at : model.marks[kind]) {
                paintShape(painter, QRect(at, QSize(MarkSize, MarkSize)), style.pen, style.brush, style.shape);
            }
        }
        painter.restore();
    }
    painter.restore();
}

QImage renderBodyChart(const BodyChart& chart) {
    QImage image(ChartImageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBodyChart(painter, chart);
    return image;
}

}  // namespace lum
