// Drawing of pictures, lines, check boxes and shapes at a scale, asserted
// through the recording canvas.
#include "report/draw/view_draw.h"
#include "report/objects/addin_views.h"
#include "report/objects/picture_view.h"
#include "report/objects/view_factory.h"
#include "report/render/recording_canvas.h"

#include <gtest/gtest.h>

using namespace lum;

namespace {
QList<CanvasOp> opsOf(const RecordingCanvas& c, CanvasOp::Kind kind) {
    QList<CanvasOp> out;
    for (const CanvasOp& op : c.ops())
        if (op.kind == kind) out.append(op);
    return out;
}
}  // namespace

TEST(ViewDraw, LineObjectIsVerticalWhenNotWiderThanHigh) {
    auto line = CreateViewByType(gtLine);
    line->SetBounds(10, 20, 5, 100);
    RecordingCanvas c;
    drawView(*line, c);
    auto lines = opsOf(c, CanvasOp::Line);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].line, QLine(10, 20, 10, 120));

    line->SetBounds(10, 20, 100, 5);
    c.clear();
    drawView(*line, c, {2, 2, 3, 4});
    lines = opsOf(c, CanvasOp::Line);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].line, QLine(23, 44, 223, 44));
}

TEST(ViewDraw, CheckBoxCrossedOnlyForNonZeroText) {
    TfrCheckBoxView box;
    box.SetBounds(0, 0, 20, 20);
    box.FrameTyp = frAllSides;
    struct Case {
        QStringList text;
        bool crossed;
    } cases[] = {{{}, false}, {{QString()}, false}, {{"0"}, false}, {{"-1"}, true}, {{"1"}, true}};
    for (const Case& k : cases) {
        box.Memo1 = k.text;
        RecordingCanvas c;
        drawView(box, c, {2, 2, 0, 0});
        const auto lines = opsOf(c, CanvasOp::Line);
        if (!k.crossed) {
            EXPECT_TRUE(lines.isEmpty()) << k.text.join('|').toStdString();
            continue;
        }
        ASSERT_EQ(lines.size(), 2);
        // Shrunk by 4 x scale, pen 3 x scale.
        EXPECT_EQ(lines[0].line, QLine(8, 8, 32, 32));
        EXPECT_EQ(lines[1].line, QLine(8, 32, 32, 8));
        EXPECT_EQ(lines[0].pen.width, 6);
        EXPECT_EQ(opsOf(c, CanvasOp::Rect).size(), 1) << "frame drawn after the cross";
    }
}

TEST(ViewDraw, ShapesOfEveryKind) {
    TfrShapeView s;
    s.SetBounds(10, 10, 40, 20);
    s.FillColor = 0x0000FF;
    s.FrameWidth = 2;
    const CanvasOp::Kind expected[] = {CanvasOp::Rect,    CanvasOp::RoundRect, CanvasOp::Ellipse,
                                       CanvasOp::Polygon, CanvasOp::Line,      CanvasOp::Line};
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        s.ShapeType = quint8(kind);
        RecordingCanvas c;
        drawView(s, c);
        ASSERT_EQ(c.ops().size(), 1) << kind;  // no background fill, no frame lines
        const CanvasOp& op = c.ops()[0];
        EXPECT_EQ(op.kind, expected[kind]) << kind;
        EXPECT_EQ(op.pen.width, 2);
        if (kind < 3) {
            EXPECT_EQ(op.rect, QRect(QPoint(10, 10), QPoint(50, 30)));
            EXPECT_EQ(op.brush, 0x0000FF);
        }
        if (kind == skTriangle) {
            EXPECT_EQ(op.polygon.at(2), QPoint(30, 10));
        }
        if (kind == skDiagonal2) {
            EXPECT_EQ(op.line, QLine(10, 30, 50, 10));
        }
    }
}

TEST(ViewDraw, PictureTargetStretchCentreAndAspect) {
    TfrPictureView p;
    const QRect inner(0, 0, 100, 50);
    const QSize img(20, 20);
    struct Case {
        quint16 flags;
        QRect target;
    } cases[] = {
        {0, QRect(0, 0, 20, 20)},
        {TfrPictureView::flCenter, QRect(40, 15, 20, 20)},
        {TfrPictureView::flStretch, inner},
        {TfrPictureView::flStretch | TfrPictureView::flKeepAspect, QRect(0, 0, 50, 50)},
        {TfrPictureView::flStretch | TfrPictureView::flKeepAspect | TfrPictureView::flCenter, QRect(25, 0, 50, 50)},
    };
    for (const Case& k : cases) {
        p.Flags = k.flags;
        EXPECT_EQ(pictureTarget(p, inner, img), k.target) << k.flags;
    }
}

TEST(ViewDraw, PictureDrawsItsImageAndFrame) {
    TfrPictureView p;
    QImage img(8, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    p.setImage(img);
    p.SetBounds(0, 0, 16, 8);
    p.FrameTyp = frAllSides;
    RecordingCanvas c;
    drawView(p, c);
    const auto images = opsOf(c, CanvasOp::Image);
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].imageSize, QSize(8, 4));

    p.clear();
    c.clear();
    drawView(p, c);
    EXPECT_TRUE(opsOf(c, CanvasOp::Image).isEmpty());
    EXPECT_EQ(opsOf(c, CanvasOp::Rect).size(), 1);
}
