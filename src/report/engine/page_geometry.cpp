#include "report/engine/page_geometry.h"

#include <cmath>
#include <utility>

namespace lum {
namespace {
int toPixels(double tenths, double ppi) { return int(std::nearbyint(tenths / 254.0 * ppi)); }

struct Paper {
    int code, width, height;  // tenths of a millimetre, portrait
};
// The papers the templates use; other codes fall back to the given size.
constexpr Paper kPapers[] = {
    {1, 2159, 2794},  // letter
    {5, 2159, 3556},  // legal
    {8, 2970, 4200},  // A3
    {9, 2100, 2970},  // A4
    {11, 1480, 2100}, // A5
    {12, 2500, 3540}, // B4
    {13, 1820, 2570}, // B5
    {43, 1000, 1480}, // postcard
};
}  // namespace

int tenthsMmToPixelsX(double tenths) { return toPixels(tenths, kScreenPixelsPerInchX); }
int tenthsMmToPixelsY(double tenths) { return toPixels(tenths, kScreenPixelsPerInchY); }

PageGeometry defaultPrinterGeometry(int paperSize, int paperWidth, int paperHeight, int orientation) {
    PageGeometry g;
    g.paperSize = paperSize;
    int w = paperWidth, h = paperHeight;
    bool known = false;
    for (const Paper& p : kPapers)
        if (p.code == paperSize) {
            w = p.width;
            h = p.height;
            known = true;
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
    g.printableWidth = tenthsMmToPixelsX(w - 100);
    g.printableHeight = tenthsMmToPixelsY(h - 100);
    return g;
}

}  // namespace lum
