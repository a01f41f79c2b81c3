#pragma once
// The body chart of a treatment plan as data: per side (front, back) the
// marks of the three kinds in the order they were placed and the four
// paralysis overlays, and its Figure rows both ways. The window, the plan
// store and the printouts all go through this one model.
#include <QPoint>

#include <array>
#include <optional>
#include <vector>

namespace lum {

enum class MarkKind { JointRange = 0, Weakness = 1, Pain = 2 };  // Figure.Parts 0..2
inline constexpr int OverlayParts = 3;                             // Figure.Parts of an overlay
enum class ChartSide { Front = 0, Back = 1 };                      // Figure.Side
// Figure.Corner of an overlay: the quarter of the body picture.
enum class Corner { UpperRight = 0, LowerRight = 1, LowerLeft = 2, UpperLeft = 3 };

// One Figure row (AutoNo and PlanNo are the store's).
struct FigureRow {
    int Parts = 0;
    int Side = 0;
    int Corner = -1;  // marks: -1
    int X = -1;       // overlays: -1
    int Y = -1;
    bool operator==(const FigureRow&) const = default;
};

struct ChartSideModel {
    // Top-left corners of the 17 x 17 marks in the side panel, by MarkKind.
    std::array<std::vector<QPoint>, 3> marks;
    // Shown overlays, by Corner.
    std::array<bool, 4> overlays{};
    bool operator==(const ChartSideModel&) const = default;
};

struct BodyChart {
    std::array<ChartSideModel, 2> sides;  // by ChartSide

    ChartSideModel& side(ChartSide s) { return sides[static_cast<int>(s)]; }
    const ChartSideModel& side(ChartSide s) const { return sides[static_cast<int>(s)]; }
    bool operator==(const BodyChart&) const = default;
};

// The rows in stored order: per side (front, then back) the joint-range,
// weakness and pain marks in placement order, then the shown overlays upper
// left, lower left, upper right, lower right.
std::vector<FigureRow> figureRows(const BodyChart& chart);
// The chart of stored rows; rows with an unknown part, side or corner are
// left out rather than misdrawn.
BodyChart chartFromRows(const std::vector<FigureRow>& rows);

// The quarter a click with 麻痺 chosen toggles, in the body picture's
// coordinates: x < 55 left, x > 55 right, y < 95 upper, y > 95 lower; on
// either line none.
std::optional<Corner> overlayCornerAt(int x, int y);

}  // namespace lum
