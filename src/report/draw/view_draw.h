#pragma once
// Drawing of any report object from a prepared page (or a template) at a
// scale and offset: memos, pictures, lines, check boxes and shapes. Band and
// sub-report objects draw nothing outside an editor.
#include "report/objects/view.h"
#include "report/render/report_canvas.h"

namespace lum {

class TfrPictureView;
class TfrCheckBoxView;
class TfrShapeView;

struct DrawScale {
    double scaleX = 1, scaleY = 1;
    int offsX = 0, offsY = 0;
};

void drawView(const TfrView& view, ReportCanvas& canvas, const DrawScale& s = {});

void drawPicture(const TfrPictureView& view, ReportCanvas& canvas, const DrawScale& s);
void drawLine(const TfrView& view, ReportCanvas& canvas, const DrawScale& s);
void drawCheckBox(const TfrCheckBoxView& view, ReportCanvas& canvas, const DrawScale& s);
void drawShape(const TfrShapeView& view, ReportCanvas& canvas, const DrawScale& s);

// Where a picture lands inside the inner rectangle (stretch, centre, keep
// aspect ratio); the image size is the picture's own size in pixels.
QRect pictureTarget(const TfrPictureView& view, const QRect& inner, const QSize& imageSize);

}  // namespace lum
