// Drawing the objects of prepared pages: lines, check boxes, shapes, pictures.
#include "report/draw/view_drawing.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/picture_view.h"
#include "report/render/recording_canvas.h"
#include "report_fixture.h"

#include "report/expr/engine_context.h"

#include <gtest/gtest.h>

using namespace lum;

TEST(ViewDrawing, ALineNarrowerThanItIsHighIsAVerticalLineAtItsLeftEdge) {
    TfrLineView line;
    line.SetBounds(10, 20, 5, 100);
    RecordingCanvas c;
    drawView(line, c);
    ASSERT_EQ(c.ops().size(), 1);
    EXPECT_EQ(c.ops()[0].kind, CanvasOp::Line);
    EXPECT_EQ(c.ops()[0].line, QLine(10, 20, 10, 120));
    line.SetBounds(10, 20, 100, 5);
    c.clear();
    drawView(line, c);
    EXPECT_EQ(c.ops()[0].line, QLine(10, 20, 110, 20));
}

TEST(ViewDrawing, CheckBoxesAreCrossedByTheirStoredValue) {
    EXPECT_EQ(TfrCheckBoxView::preparedText(0.9), QStringLiteral("0"));
    EXPECT_EQ(TfrCheckBoxView::preparedText(-1), QStringLiteral("-1"));
    struct Case {
        QStringList memo;
        int lines;
    } cases[] = {{{QStringLiteral("-1")}, 2}, {{QStringLiteral("0")}, 0}, {{}, 0}, {{QString()}, 0}};
    for (const Case& k : cases) {
        TfrCheckBoxView box;
        box.SetBounds(0, 0, 20, 20);
        box.FrameTyp = 0;
        box.Memo = k.memo;
        RecordingCanvas c;
        drawView(box, c);
        int lines = 0;
        for (const CanvasOp& op : c.ops()) lines += op.kind == CanvasOp::Line;
        EXPECT_EQ(lines, k.lines) << k.memo.join(u',').toStdString();
    }
}

TEST(ViewDrawing, ShapesDrawTheirKindOnePixelBeyondTheObject) {
    const CanvasOp::Kind kinds[] = {CanvasOp::Rect, CanvasOp::RoundRect, CanvasOp::Ellipse,
                                    CanvasOp::Polygon, CanvasOp::Line, CanvasOp::Line};
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        TfrShapeView shape;
        shape.SetBounds(10, 10, 40, 20);
        shape.ShapeType = quint8(kind);
        shape.FillColor = 0x00FF00;
        RecordingCanvas c;
        drawView(shape, c);
        ASSERT_EQ(c.ops().size(), 1) << kind;
        EXPECT_EQ(c.ops()[0].kind, kinds[kind]) << kind;
        EXPECT_EQ(c.ops()[0].brush, 0x00FF00);
        if (kind == skRectangle) {
            EXPECT_EQ(c.ops()[0].rect, QRect(QPoint(10, 10), QPoint(50, 30)));
        }
        if (kind == skRoundRectangle) {
            EXPECT_EQ(c.ops()[0].extent, 5);
        }
        if (kind == skDiagonal2) {
            EXPECT_EQ(c.ops()[0].line, QLine(10, 30, 50, 10));
        }
    }
}

TEST(ViewDrawing, PicturesStretchKeepTheirAspectOrCentre) {
    const QRect inner(0, 0, 100, 50);
    EXPECT_EQ(pictureTarget(inner, QSize(20, 10), 0, 100, 50), QRect(0, 0, 20, 10));
    EXPECT_EQ(pictureTarget(inner, QSize(20, 10), TfrPictureView::flCenter, 100, 50), QRect(40, 20, 20, 10));
    EXPECT_EQ(pictureTarget(inner, QSize(20, 10), TfrPictureView::flStretch, 100, 50), inner);
    EXPECT_EQ(pictureTarget(inner, QSize(10, 10), TfrPictureView::flStretch | TfrPictureView::flKeepAspect, 100, 50),
              QRect(0, 0, 50, 50));
    TfrPictureView picture;
    picture.SetBounds(0, 0, 40, 40);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture.setImage(image);
    picture.FrameTyp = 0;
    RecordingCanvas c;
    drawView(picture, c);
    ASSERT_EQ(c.ops().size(), 1);
    EXPECT_EQ(c.ops()[0].kind, CanvasOp::Image);
    EXPECT_EQ(c.ops()[0].imageSize, QSize(8, 8));
}

TEST(ViewDrawing, PreparedCheckBoxesStoreTheIntegerOfTheirExpression) {
    engine().reset();
    TfrReport report;
    test::useFixedPaper(report);
    TfrPage& page = report.Pages()[0];
    test::addBand(page, btReportTitle, 0, 40);
    for (int i = 0; i < 2; ++i) {
        auto box = std::make_unique<TfrCheckBoxView>();
        box->SetBounds(i * 30, 0, 20, 20);
        box->Memo = QStringList{i == 0 ? QStringLiteral("[Flag]") : QStringLiteral("0.9")};
        page.add(std::move(box));
    }
    report.OnGetValue = [](const QString& name, ExprValue& v) {
        if (name == u"Flag") v = ExprValue(true);
    };
    report.Prepare();
    EXPECT_EQ(test::texts(report, 0), QStringList({"-1", "0"}));
    engine().reset();
}
