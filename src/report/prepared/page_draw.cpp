#include "report/prepared/page_draw.h"

#include "report/draw/view_draw.h"
#include "report/draw/view_geometry.h"
#include "report/frf/template_stream.h"

namespace lum {

void DrawPageObjects(const PageObjects& objects, const TfrPreparedPage& page, ReportCanvas& canvas, const QRect& rect,
                     const QRect& visible) {
    const int paperW = page.Geometry.pageWidth, paperH = page.Geometry.pageHeight;
    if (paperW <= 0 || paperH <= 0 || rect.isEmpty()) return;
    const DrawScale s{double(rect.width()) / paperW, double(rect.height()) / paperH, rect.left(), rect.top()};
    for (const auto& v : objects) {
        if (!visible.isEmpty()) {
            const QRect r(roundEven(v->Left * s.scaleX) + s.offsX, roundEven(v->Top * s.scaleY) + s.offsY,
                          roundEven(v->Width * s.scaleX) + 1, roundEven(v->Height * s.scaleY) + 1);
            if (!r.adjusted(-10, -10, 10, 10).intersects(visible)) continue;
        }
        drawView(*v, canvas, s);
    }
}

void DrawPage(const TfrPreparedPage& page, ReportCanvas& canvas, const QRect& rect, const QRect& visible) {
    DrawPageObjects(page.objects(), page, canvas, rect, visible);
}

QRect pageDrawRect(const TfrPreparedPage& page, int x, int y, double scale) {
    const PageGeometry& g = page.Geometry;
    if (page.UseMargins)
        return QRect(x, y, roundEven(g.pageWidth * scale), roundEven(g.pageHeight * scale));
    return QRect(x + roundEven(g.offsetLeft * scale), y + roundEven(g.offsetTop * scale),
                 roundEven(g.printableWidth * scale), roundEven(g.printableHeight * scale));
}

}  // namespace lum
