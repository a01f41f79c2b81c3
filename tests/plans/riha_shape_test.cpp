// The body-chart mark control: its geometry as a table, one pixel test of a
// drawn mark, its repaint rules, and the three mark kinds.
#include "plans/riha_shape.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using lum::ShapeGeometry;

TEST(RihaShape, GeometryTable) {
    struct Case {
        int w, h, pen;
        TShapeType shape;
        ShapeGeometry expected;
    } cases[] = {
        {25, 25, 1, TShapeType::stRectangle, {0, 0, 25, 25, 6}},
        {25, 25, 0, TShapeType::stRectangle, {0, 0, 25, 25, 6}},
        {25, 25, 3, TShapeType::stRectangle, {1, 1, 23, 23, 5}},  // (1,1)-(24,24)
        {17, 17, 1, TShapeType::stCircle, {0, 0, 17, 17, 4}},
        {30, 17, 1, TShapeType::stCircle, {6, 0, 17, 17, 4}},     // centred: X starts at 6
        {40, 20, 1, TShapeType::stRoundRect, {0, 0, 40, 20, 5}},  // corner S div 4 with S = 20
        {40, 20, 1, TShapeType::stEllipse, {0, 0, 40, 20, 5}},
        {20, 40, 1, TShapeType::stBaten, {0, 10, 20, 20, 5}},
        {20, 40, 1, TShapeType::stLine, {0, 10, 20, 20, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lum::shapeGeometry(c.w, c.h, c.pen, c.shape), c.expected)
            << c.w << "x" << c.h << " pen " << c.pen << " shape " << int(c.shape);
    }
}

TEST(RihaShape, AClearCircleMarkStaysInsideItsSeventeenPixels) {
    QImage image(19, 19, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        const lum::MarkStyle style = lum::markStyle(lum::MarkKind::JointRange);
        lum::paintShape(p, QRect(1, 1, 17, 17), style.pen, style.brush, style.shape);
    }
    int inked = 0;
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
            ++inked;
            EXPECT_TRUE(x >= 1 && x <= 17 && y >= 1 && y <= 17) << x << "," << y;
        }
    }
    EXPECT_GT(inked, 30);
    EXPECT_EQ(image.pixel(9, 9), qRgb(255, 255, 255));  // the clear brush leaves the centre
    EXPECT_NE(image.pixel(9, 1), qRgb(255, 255, 255));  // the top of the circle
}

TEST(RihaShape, ShapeRepaintsOnlyWhenItChangesAndStylesAlways) {
    TRihaShape shape;
    EXPECT_EQ(shape.size(), QSize(25, 25));
    EXPECT_EQ(shape.Shape(), TShapeType::stRectangle);
    EXPECT_EQ(shape.focusPolicy(), Qt::NoFocus);
    const int before = shape.repaintRequests();
    shape.setShape(TShapeType::stRectangle);
    EXPECT_EQ(shape.repaintRequests(), before);
    shape.setShape(TShapeType::stCircle);
    EXPECT_EQ(shape.repaintRequests(), before + 1);
    shape.setPen(QPen(Qt::red));
    shape.setBrush(QBrush(Qt::blue));
    EXPECT_EQ(shape.repaintRequests(), before + 3);
}

TEST(RihaShape, MarksOfEachKind) {
    QWidget panel;
    struct Case {
        lum::MarkKind kind;
        TShapeType shape;
        Qt::BrushStyle brush;
    } cases[] = {{lum::MarkKind::JointRange, TShapeType::stCircle, Qt::NoBrush},
                 {lum::MarkKind::Weakness, TShapeType::stCircle, Qt::BDiagPattern},
                 {lum::MarkKind::Pain, TShapeType::stBaten, Qt::NoBrush}};
    for (const Case& c : cases) {
        TRihaShape* mark = lum::makeMark(c.kind, &panel, QPoint(30, 40));
        EXPECT_EQ(mark->geometry(), QRect(30, 40, 17, 17));
        EXPECT_EQ(mark->Shape(), c.shape);
        EXPECT_EQ(mark->Brush().style(), c.brush);
        EXPECT_EQ(mark->Pen().color(), QColor(Qt::black));
        EXPECT_EQ(mark->Pen().width(), 1);
    }
}

}  // namespace
