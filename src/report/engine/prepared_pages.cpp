#include "report/engine/prepared_pages.h"

#include "report/frf/template_stream.h"

namespace lum {

std::vector<std::unique_ptr<TfrView>> TfrPreparedPage::objects() const { return readPreparedObjects(Stream); }

TfrPreparedPage& TfrEMFPages::InsertPage(int index, const TfrPage& tpl, const PageGeometry& geometry) {
    TfrPreparedPage p;
    p.PaperSize = geometry.paperSize;
    p.PaperWidth = geometry.paperWidth;
    p.PaperHeight = geometry.paperHeight;
    p.Orientation = geometry.orientation;
    p.UseMargins = tpl.UseMargins;
    p.Geometry = geometry;
    p.Stream = QByteArray(1, char(kTemplateVersionCurrent));
    if (index < 0 || index >= pages_.size()) {
        pages_.append(std::move(p));
        return pages_.last();
    }
    pages_.insert(index, std::move(p));
    return pages_[index];
}

TfrPreparedPage& TfrEMFPages::AddPage(const TfrPage& tpl, const PageGeometry& geometry) {
    InsertPage(Count(), tpl, geometry);
    if (OnPageAdded) OnPageAdded(Count() - 1);
    return pages_.last();
}

void TfrEMFPages::DeletePage(int index) {
    if (index >= 0 && index < pages_.size()) pages_.removeAt(index);
}

qint64 TfrEMFPages::streamBytes() const {
    qint64 n = 0;
    for (const auto& p : pages_) n += p.Stream.size();
    return n;
}

}  // namespace lum
