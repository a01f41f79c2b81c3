#pragma once
// Where the preview puts prepared pages: the zoom modes (a percentage, the
// page width, the whole page, two pages side by side), the pages in rows
// 10 pixels apart, the scroll ranges and the current page under the top
// edge. Plain arithmetic, so it is tested without a window.
#include <QList>
#include <QRect>
#include <QSize>

namespace lum {

enum PreviewZoomMode { zmPercent = 0, zmPageWidth = 1, zmWholePage = 2, zmTwoPages = 3 };

// The zoom the next preview opens at (engine-wide, outlives every window).
struct PreviewZoomMemory {
    int mode = zmPercent;
    double scale = 1.0;
};
PreviewZoomMemory& previewZoomMemory();

struct PreviewLayout {
    double scale = 1;
    int columns = 1;
    QList<QRect> pages;  // scaled page rectangles, before scrolling
    int hRange = 0, vRange = 0;
};

// Lays out pages of the given sizes (screen pixels at 100%) in a box; the
// reference size for the fitting modes is that of the current page (0-based).
PreviewLayout layOutPreview(const QList<QSize>& pageSizes, const QSize& box, int mode, double scale, int current);

// The first page whose top is above, and bottom below, the line 11 pixels
// under the top edge at vertical offset `offset`; -1 when none.
int pageAtTop(const PreviewLayout& layout, int offset);

}  // namespace lum
