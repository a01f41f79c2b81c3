#include "report/engine/page_geometry.h"

#include "report/print/paper_table.h"

#include <cmath>
#include <utility>

namespace lum {
namespace {
int toPixels(double tenths, double ppi) { return int(std::nearbyint(tenths / 254.0 * ppi)); }
}  // namespace

int tenthsMmToPixelsX(double tenths) { return toPixels(tenths, kScreenPixelsPerInchX); }
int tenthsMmToPixelsY(double tenths) { return toPixels(tenths, kScreenPixelsPerInchY); }

PageGeometry defaultPrinterGeometry(int paperSize, int paperWidth, int paperHeight, int orientation) {
    PageGeometry g;
    g.paperSize = paperSize;
    int w = paperWidth, h = paperHeight;
    const PaperInfo* paper = findPaper(paperSize);
    const bool known = paper && paper->code != kPaperCustom;
    if (known) {
        w = paper->width;
        h = paper->height;
    }
    if (!known && paperSize != 256) {
        g.paperSize = 256;
        if (w <= 0 || h <= 0) {
            g.paperSize = 9;
            w = 2100;
            h = 2970;
        }
    }
    if (known || paperSize == 256) {
        // The table and custom sizes are portrait; landscape swaps them.
        if (w > h) std::swap(w, h);
    }
    g.orientation = orientation == 1 ? 1 : 0;
    if (g.orientation == 1) std::swap(w, h);
    g.paperWidth = w;
    g.paperHeight = h;
    g.pageWidth = tenthsMmToPixelsX(w);
    g.pageHeight = tenthsMmToPixelsY(h);
    g.offsetLeft = tenthsMmToPixelsX(50);
    g.offsetTop = tenthsMmToPixelsY(50);
    // The printable area is the sheet less both offsets, in whole pixels.
    g.printableWidth = g.pageWidth - 2 * g.offsetLeft;
    g.printableHeight = g.pageHeight - 2 * g.offsetTop;
    return g;
}

}  // namespace lum
