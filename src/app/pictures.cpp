#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace lum {

namespace {

struct Palette {
    QColor light;
    QColor dark;
};

Palette paletteOf(TileSymbol symbol) {
    switch (symbol) {
    case TileSymbol::Client: return {QColor(0x7c, 0xc6, 0xa4), QColor(0x2f, 0x85, 0x63)};
    case TileSymbol::Documents: return {QColor(0x8f, 0xb8, 0xe8), QColor(0x3a, 0x6e, 0xb5)};
    case TileSymbol::Schedule: return {QColor(0xf5, 0xc0, 0x6f), QColor(0xc4, 0x7a, 0x1c)};
    case TileSymbol::Results: return {QColor(0xe8, 0x9a, 0x9a), QColor(0xb0, 0x45, 0x4f)};
    case TileSymbol::Print: return {QColor(0xb4, 0xa3, 0xdc), QColor(0x66, 0x52, 0xa6)};
    case TileSymbol::Settings: return {QColor(0xa9, 0xb4, 0xbe), QColor(0x50, 0x5d, 0x6a)};
    }
    return {Qt::lightGray, Qt::darkGray};
}

// Each symbol is drawn in a 100 x 100 box; the caller scales it.
void drawClient(QPainter& p) {
    p.drawEllipse(QPointF(38, 30), 16, 16);
    QPainterPath body;
    body.moveTo(10, 88);
    body.cubicTo(10, 56, 66, 56, 66, 88);
    body.closeSubpath();
    p.drawPath(body);
    // the plus of a new entry
    p.drawRect(QRectF(76, 44, 8, 32));
    p.drawRect(QRectF(64, 56, 32, 8));
}

void drawDocuments(QPainter& p, const QColor& ink) {
    QColor back = p.brush().color();
    p.save();
    p.setBrush(back.darker(115));
    p.drawRoundedRect(QRectF(26, 8, 56, 74), 4, 4);
    p.restore();
    p.drawRoundedRect(QRectF(16, 16, 56, 76), 4, 4);
    p.save();
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(26, 32 + i * 12), QPointF(i == 4 ? 46 : 62, 32 + i * 12));
    p.restore();
}

void drawSchedule(QPainter& p, const QColor& ink) {
    p.drawRoundedRect(QRectF(10, 16, 80, 74), 6, 6);
    p.save();
    p.setBrush(ink);
    p.drawRect(QRectF(10, 16, 80, 16));
    p.drawRoundedRect(QRectF(26, 6, 8, 18), 3, 3);
    p.drawRoundedRect(QRectF(66, 6, 8, 18), 3, 3);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setOpacity((row * 4 + col) == 6 ? 1.0 : 0.45);
            p.drawRect(QRectF(18 + col * 18, 40 + row * 16, 10, 9));
        }
    }
    p.restore();
}

void drawResults(QPainter& p, const QColor& ink) {
    const double heights[] = {30, 52, 40, 70};
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(14 + i * 20, 88 - heights[i], 14, heights[i]));
    p.save();
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 90), QPointF(94, 90));
    p.restore();
}

void drawPrint(QPainter& p, const QColor& ink) {
    p.drawRect(QRectF(28, 8, 44, 30));
    p.drawRoundedRect(QRectF(8, 36, 84, 36), 6, 6);
    p.drawRect(QRectF(26, 60, 48, 32));
    p.save();
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(34, 72), QPointF(66, 72));
    p.drawLine(QPointF(34, 82), QPointF(58, 82));
    p.restore();
}

void drawSettings(QPainter& p) {
    QPainterPath gear;
    const QPointF c(50, 50);
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * std::numbers::pi / teeth;
        const double a1 = (i + 0.5) * std::numbers::pi / teeth;
        const double r = (i % 2 == 0) ? 44 : 34;
        const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
        const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
        if (i == 0) gear.moveTo(p0); else gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 14, 14);
    gear.setFillRule(Qt::OddEvenFill);
    p.drawPath(gear);
}

}  // namespace

QPixmap tilePicture(TileSymbol symbol, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const Palette pal = paletteOf(symbol);
    const QRectF box(1, 1, size.width() - 2, size.height() - 2);

    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, pal.light.lighter(115));
    fill.setColorAt(1, pal.light);
    p.setPen(QPen(pal.dark, 2));
    p.setBrush(fill);
    p.drawRoundedRect(box, 14, 14);

    // The symbol sits in the upper part; the tile's label is placed below it.
    const double side = std::min(size.width() * 0.45, size.height() * 0.58);
    p.translate((size.width() - side) / 2, size.height() * 0.08);
    p.scale(side / 100.0, side / 100.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    switch (symbol) {
    case TileSymbol::Client: drawClient(p); break;
    case TileSymbol::Documents: drawDocuments(p, pal.dark); break;
    case TileSymbol::Schedule: drawSchedule(p, pal.dark); break;
    case TileSymbol::Results: drawResults(p, pal.dark); break;
    case TileSymbol::Print: drawPrint(p, pal.dark); break;
    case TileSymbol::Settings: drawSettings(p); break;
    }
    return pixmap;
}

void drawSplashPicture(QPainter& p, QSize size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    // A band of soft green across the top, curving down at the right. Its shade
    // runs from the top left towards (w, 0.6 h) in steps of solid colour too
    // fine to see, and white below the curve cuts it: a gradient brush over this
    // much of the window makes the raster engine start worker threads for the
    // fill, which cost more at start-up than the whole picture.
    const QColor light(0xe3, 0xf4, 0xea);
    const QColor dark(0xa8, 0xda, 0xc0);
    const QPointF along(w, h * 0.6);
    const QPointF across(-along.y(), along.x());  // as long, at a right angle
    constexpr int kSteps = 64;
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);  // steps that meet edge to edge
    for (int i = 0; i < kSteps; ++i) {
        const double mid = (i + 0.5) / kSteps;
        const auto mix = [mid](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * mid)); };
        // The first and last steps reach beyond the ends, where the shade stays.
        const double from = i == 0 ? -1.0 : double(i) / kSteps;
        const double to = i == kSteps - 1 ? 2.0 : double(i + 1) / kSteps;
        const QPointF strip[] = {along * from - across, along * to - across, along * to + across,
                                 along * from + across};
        p.setBrush(QColor(mix(light.red(), dark.red()), mix(light.green(), dark.green()),
                          mix(light.blue(), dark.blue())));
        p.drawPolygon(strip, 4);
    }
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath below;
    below.moveTo(w, h * 0.62);
    below.cubicTo(w * 0.75, h * 0.38, w * 0.35, h * 0.52, 0, h * 0.36);
    below.lineTo(0, h);
    below.lineTo(w, h);
    below.closeSubpath();
    p.fillPath(below, Qt::white);

    // A walking figure with a helping hand: what the department does.
    p.translate(w * 0.74, h * 0.08);
    p.scale(h / 453.0, h / 453.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x85, 0x63));
    p.drawEllipse(QPointF(40, 22), 16, 16);
    p.drawEllipse(QPointF(104, 30), 14, 14);
    QPen limb(QColor(0x2f, 0x85, 0x63), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(limb);
    p.drawLine(QPointF(40, 44), QPointF(44, 100));      // body
    p.drawLine(QPointF(44, 100), QPointF(28, 150));     // leg
    p.drawLine(QPointF(44, 100), QPointF(66, 146));     // leg
    p.drawLine(QPointF(42, 60), QPointF(72, 78));       // arm to the helper
    limb.setColor(QColor(0x3a, 0x6e, 0xb5));
    p.setPen(limb);
    p.drawLine(QPointF(104, 50), QPointF(106, 104));    // helper's body
    p.drawLine(QPointF(106, 104), QPointF(94, 150));
    p.drawLine(QPointF(106, 104), QPointF(122, 150));
    p.drawLine(QPointF(102, 62), QPointF(74, 80));      // hand in hand
    p.restore();
}

}  // namespace lum
