#pragma once
// Prepared pages in memory: per page its paper and the byte stream of the
// report objects placed on it (version byte 23, then each object in prepared
// form). The preview and the printer decode a page's objects when they draw it.
#include "report/engine/page_geometry.h"
#include "report/objects/page.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>
#include <vector>

namespace lum {

struct TfrPreparedPage {
    int PaperSize = 9;
    int PaperWidth = 2100;
    int PaperHeight = 2970;
    int Orientation = 0;
    bool UseMargins = true;
    PageGeometry Geometry;
    bool Visible = false;
    QByteArray Stream;

    // The objects of the page, read from the stream.
    std::vector<std::unique_ptr<TfrView>> objects() const;
};

class TfrEMFPages {
public:
    int Count() const { return int(pages_.size()); }
    TfrPreparedPage& GetPage(int index) { return pages_[index]; }
    const TfrPreparedPage& GetPage(int index) const { return pages_[index]; }

    // A new page at `index` (appended when not below the count) with the
    // template page's paper and an object stream holding the version byte.
    TfrPreparedPage& InsertPage(int index, const TfrPage& templatePage, const PageGeometry& geometry);
    // Appends a page and tells the report (OnBeginPage with its index).
    TfrPreparedPage& AddPage(const TfrPage& templatePage, const PageGeometry& geometry);
    void DeletePage(int index);
    void Clear() { pages_.clear(); }

    std::function<void(int pageIndex)> OnPageAdded;

    // Bytes of all page streams (the memory prepared pages take).
    qint64 streamBytes() const;

private:
    QList<TfrPreparedPage> pages_;
};

}  // namespace lum
