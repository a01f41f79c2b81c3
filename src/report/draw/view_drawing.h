#pragma once
// Drawing any report object of a prepared page (or a template) on a canvas
// at a scale and offset: memos, pictures, lines, check boxes and shapes.
// Band and sub-report objects draw nothing (only an editor shows them).
#include "report/objects/view.h"
#include "report/render/report_canvas.h"

namespace lum {

void drawView(const TfrView& view, ReportCanvas& canvas, double scaleX = 1, double scaleY = 1, int offsX = 0,
              int offsY = 0);

// Where a picture of `imageSize` lands in the inner rectangle by the picture's
// stretch, centre and keep-aspect flags.
QRect pictureTarget(const QRect& inner, const QSize& imageSize, quint16 flags, int width, int height);

}  // namespace lum
