// The body chart's Figure rows in their stored order, back again, and the
// quarter a paralysis click toggles.
#include "plans/body_chart_model.h"

#include <gtest/gtest.h>

namespace {

using lum::BodyChart;
using lum::ChartSide;
using lum::Corner;
using lum::FigureRow;

TEST(BodyChartModel, RowsComeInTheStoredOrder) {
    BodyChart chart;
    auto& front = chart.side(ChartSide::Front);
    auto& back = chart.side(ChartSide::Back);
    front.marks[2] = {{5, 6}};                   // pain placed first
    front.marks[0] = {{30, 40}, {31, 41}};       // then two joint-range marks
    front.marks[1] = {{10, 11}};
    front.overlays[static_cast<int>(Corner::LowerRight)] = true;
    front.overlays[static_cast<int>(Corner::UpperLeft)] = true;
    front.overlays[static_cast<int>(Corner::UpperRight)] = true;
    back.marks[1] = {{50, 60}};
    back.overlays[static_cast<int>(Corner::LowerLeft)] = true;

    const std::vector<FigureRow> expected{
        {0, 0, -1, 30, 40}, {0, 0, -1, 31, 41}, {1, 0, -1, 10, 11}, {2, 0, -1, 5, 6},
        {3, 0, 3, -1, -1},  {3, 0, 0, -1, -1},  {3, 0, 1, -1, -1},  {1, 1, -1, 50, 60},
        {3, 1, 2, -1, -1},
    };
    EXPECT_EQ(lum::figureRows(chart), expected);
    EXPECT_EQ(lum::chartFromRows(expected), chart);
    EXPECT_TRUE(lum::figureRows(BodyChart{}).empty());
}

TEST(BodyChartModel, UnknownRowsAreLeftOut) {
    const BodyChart chart = lum::chartFromRows({{7, 0, -1, 1, 1}, {0, 2, -1, 1, 1}, {3, 0, 9, -1, -1}, {2, 1, -1, 4, 5}});
    EXPECT_EQ(lum::figureRows(chart), (std::vector<FigureRow>{{2, 1, -1, 4, 5}}));
}

TEST(BodyChartModel, ParalysisClickQuarters) {
    struct Case {
        int x, y;
        std::optional<Corner> corner;
    } cases[] = {
        {54, 40, Corner::UpperLeft}, {55, 40, std::nullopt}, {56, 40, Corner::UpperRight},
        {54, 95, std::nullopt},      {54, 96, Corner::LowerLeft}, {100, 200, Corner::LowerRight},
        {0, 0, Corner::UpperLeft},
    };
    for (const Case& c : cases) EXPECT_EQ(lum::overlayCornerAt(c.x, c.y), c.corner) << c.x << "," << c.y;
}

}  // namespace
