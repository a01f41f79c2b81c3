#pragma once
// Drawing a prepared page at any scale: the page's objects, read from its
// stream, scaled so that the paper's width and height in screen pixels fill
// the target rectangle. Off-screen drawing skips objects outside the visible
// area (with 10 pixels to spare); on paper every object is drawn.
#include "report/engine/prepared_pages.h"
#include "report/render/report_canvas.h"

#include <QRect>
#include <memory>
#include <vector>

namespace lum {

using PageObjects = std::vector<std::unique_ptr<TfrView>>;

// Draws objects of `page` into `rect` (canvas pixels). `visible` limits what
// is drawn when not empty.
void DrawPageObjects(const PageObjects& objects, const TfrPreparedPage& page, ReportCanvas& canvas, const QRect& rect,
                     const QRect& visible = {});
// Reads the page's objects and draws them (the printer and one-off images).
void DrawPage(const TfrPreparedPage& page, ReportCanvas& canvas, const QRect& rect, const QRect& visible = {});

// The rectangle a page takes at a scale, at (x, y): with its own margins the
// whole paper, without them its printable area (moved by the unprintable
// offsets), both in screen pixels times the scale.
QRect pageDrawRect(const TfrPreparedPage& page, int x, int y, double scale);

}  // namespace lum
