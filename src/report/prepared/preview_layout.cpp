#include "report/prepared/preview_layout.h"

#include <cmath>

namespace lum {

PreviewZoomMemory& previewZoomMemory() {
    static PreviewZoomMemory memory;
    return memory;
}

PreviewLayout layOutPreview(const QList<QSize>& sizes, const QSize& box, int mode, double scale, int current) {
    PreviewLayout l;
    l.scale = scale;
    if (sizes.isEmpty()) return l;
    const QSize ref = sizes.value(qBound(0, current, int(sizes.size()) - 1));
    if (ref.width() > 0 && ref.height() > 0) {
        if (mode == zmPageWidth) l.scale = (box.width() - 20.0) / ref.width();
        else if (mode == zmWholePage) l.scale = (box.height() - 20.0) / ref.height();
        else if (mode == zmTwoPages) l.scale = (box.width() - 30.0) / (2.0 * ref.width());
    }
    if (l.scale <= 0) l.scale = 0.01;
    const auto scaled = [&](const QSize& s) {
        return QSize(int(std::lround(s.width() * l.scale)), int(std::lround(s.height() * l.scale)));
    };
    // Columns: as many pages as fit in a row before the box width is passed.
    int x = 10, columns = 0;
    for (const QSize& s : sizes) {
        x += scaled(s).width() + 10;
        if (x > box.width() && columns > 0) break;
        ++columns;
    }
    if (mode == zmWholePage) columns = 1;
    if (mode == zmTwoPages) columns = 2;
    l.columns = qMax(1, columns);
    int y = 10, right = 0, bottom = 0;
    for (int i = 0; i < sizes.size(); i += l.columns) {
        int rowHeight = 0;
        int px = 10;
        for (int k = i; k < i + l.columns && k < sizes.size(); ++k) {
            const QSize s = scaled(sizes[k]);
            int left = px;
            if (l.columns == 1 && s.width() < box.width()) left = (box.width() - s.width()) / 2;
            l.pages.append(QRect(QPoint(left, y), s));
            px += s.width() + 10;
            rowHeight = qMax(rowHeight, s.height());
            right = qMax(right, left + s.width());
        }
        bottom = y + rowHeight;
        y += rowHeight + 10;
    }
    l.hRange = qMax(0, right - box.width() + 10);
    l.vRange = qMax(0, bottom - box.height() + 10);
    return l;
}

int pageAtTop(const PreviewLayout& layout, int offset) {
    const int line = offset + 11;
    for (int i = 0; i < layout.pages.size(); ++i) {
        const QRect& r = layout.pages[i];
        if (r.top() <= line && r.bottom() + 10 >= line) return i;
    }
    return -1;
}

}  // namespace lum
