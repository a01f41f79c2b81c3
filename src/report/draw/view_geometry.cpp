#include "report/draw/view_geometry.h"

#include <cmath>
#include <limits>

namespace lum {

int roundEven(double v) {
    // Saturates instead of overflowing: a value beyond an int is no position.
    const double r = std::nearbyint(v);
    if (std::isnan(r)) return 0;
    if (r >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

ViewGeometry scaleForDrawing(const TfrView& v, double sx, double sy, int ox, int oy) {
    ViewGeometry g;
    g.Left = roundEven(v.Left * sx) + ox;
    g.Top = roundEven(v.Top * sy) + oy;
    g.Width = roundEven(v.Width * sx);
    g.Height = roundEven(v.Height * sy);
    const double w = v.FrameWidth;
    const int bx = roundEven((w * sx - 1) / 2);
    const int bx2 = roundEven(w * sx / 2);
    const int by = roundEven((w * sy - 1) / 2);
    const int by2 = roundEven(w * sy / 2);
    g.FrameWidth = w * sx;
    g.GapX = bx2 + 2;
    g.GapY = by2 / 2 + 1;
    g.Right = roundEven((v.Left + v.Width) * sx + ox);
    g.Bottom = roundEven((v.Top + v.Height) * sy + oy);
    int right = g.Right, bottom = g.Bottom;
    if (v.FrameTyp & frRight) right -= bx2;
    if (v.FrameTyp & frBottom) bottom -= by2;
    g.DLeft = (v.FrameTyp & frLeft) ? g.Left + bx : g.Left;
    g.DTop = (v.FrameTyp & frTop) ? g.Top + by : g.Top;
    g.DRight = right + 1;
    g.DBottom = bottom + 1;
    return g;
}

}  // namespace lum
