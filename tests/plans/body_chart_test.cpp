// The body chart's own pictures and its drawing from the model, shared by
// the plan window and the printouts.
#include "plans/body_chart.h"

#include <gtest/gtest.h>

namespace {

using lum::ChartSide;
using lum::Corner;

bool white(const QImage& image, QPoint at) { return image.pixel(at) == qRgb(255, 255, 255); }

TEST(BodyChart, PicturesHaveTheirSizesAndOverlaysTheirQuarter) {
    EXPECT_EQ(lum::bodyPicture(ChartSide::Front).size(), QSize(105, 207));
    EXPECT_EQ(lum::bodyPicture(ChartSide::Back).size(), QSize(102, 206));
    const QImage& upperLeft = lum::overlayPicture(ChartSide::Front, Corner::UpperLeft);
    EXPECT_EQ(upperLeft.size(), QSize(105, 207));
    int left = 0, elsewhere = 0;
    for (int y = 0; y < upperLeft.height(); ++y)
        for (int x = 0; x < upperLeft.width(); ++x)
            if (qAlpha(upperLeft.pixel(x, y)) != 0) ++((x < 55 && y < 95) ? left : elsewhere);
    EXPECT_GT(left, 100);
    EXPECT_EQ(elsewhere, 0);
}

TEST(BodyChart, TheChartIsDrawnFromItsModel) {
    lum::BodyChart chart;
    const QImage bare = lum::renderBodyChart(chart);
    EXPECT_EQ(bare.size(), QSize(256, 232));
    // A pain mark (×) at (3, 3) of the back panel: its top-left pixel is inked.
    chart.side(ChartSide::Back).marks[2] = {{3, 3}};
    chart.side(ChartSide::Front).overlays[static_cast<int>(Corner::LowerRight)] = true;
    const QImage marked = lum::renderBodyChart(chart);
    const QPoint backOrigin = lum::sidePanelRect(ChartSide::Back).topLeft();
    EXPECT_TRUE(white(bare, backOrigin + QPoint(3, 3)));
    EXPECT_FALSE(white(marked, backOrigin + QPoint(3, 3)));
    EXPECT_NE(bare, marked);
}

}  // namespace
