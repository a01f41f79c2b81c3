#pragma once
// An object's rectangle scaled for drawing: position and size at the output
// scale, the inner rectangle inside the frame and the text gaps. Rounding is
// to the nearest integer, halves to the even neighbour.
#include "report/objects/view.h"

#include <QRect>

namespace lum {

struct ViewGeometry {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    double FrameWidth = 1;
    int GapX = 0, GapY = 0;
    // Inner rectangle: left, top inclusive; right, bottom exclusive.
    int DLeft = 0, DTop = 0, DRight = 0, DBottom = 0;
    // The outer right and bottom (for fill and frame).
    int Right = 0, Bottom = 0;
};

int roundEven(double v);

ViewGeometry scaleForDrawing(const TfrView& view, double scaleX = 1, double scaleY = 1, int offsX = 0, int offsY = 0);

}  // namespace lum
