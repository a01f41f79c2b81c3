#include "plans/body_chart_model.h"

namespace lum {

std::vector<FigureRow> figureRows(const BodyChart& chart) {
    std::vector<FigureRow> rows;
    for (int side = 0; side < 2; ++side) {
        const ChartSideModel& s = chart.sides[side];
        for (int kind = 0; kind < 3; ++kind) {
            for (const QPoint& p : s.marks[kind]) rows.push_back({kind, side, -1, p.x(), p.y()});
        }
        for (Corner c : {Corner::UpperLeft, Corner::LowerLeft, Corner::UpperRight, Corner::LowerRight}) {
            if (s.overlays[static_cast<int>(c)]) rows.push_back({OverlayParts, side, static_cast<int>(c), -1, -1});
        }
    }
    return rows;
}

BodyChart chartFromRows(const std::vector<FigureRow>& rows) {
    BodyChart chart;
    for (const FigureRow& r : rows) {
        if (r.Side < 0 || r.Side > 1) continue;
        ChartSideModel& s = chart.sides[r.Side];
        if (r.Parts >= 0 && r.Parts <= 2) {
            s.marks[r.Parts].push_back(QPoint(r.X, r.Y));
        } else if (r.Parts == OverlayParts && r.Corner >= 0 && r.Corner <= 3) {
            s.overlays[r.Corner] = true;
        }
    }
    return chart;
}

std::optional<Corner> overlayCornerAt(int x, int y) {
    if (x == 55 || y == 95) return std::nullopt;
    const bool left = x < 55;
    const bool upper = y < 95;
    if (upper) return left ? Corner::UpperLeft : Corner::UpperRight;
    return left ? Corner::LowerLeft : Corner::LowerRight;
}

}  // namespace lum
