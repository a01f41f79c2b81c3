#include "report/objects/page.h"

namespace lum {

namespace {
constexpr int kMostNameNumber = 10000;
}

TfrPage::TfrPage() = default;

TfrPage::TfrPage(int paperSize, int paperWidth, int paperHeight, quint8 orientation)
    : PaperSize(paperSize), PaperWidth(paperWidth), PaperHeight(paperHeight), Orientation(orientation) {}

TfrView* TfrPage::add(std::unique_ptr<TfrView> view) {
    Objects.push_back(std::move(view));
    return Objects.back().get();
}

TfrPage& TfrPages::Add() {
    pages_.push_back(std::make_unique<TfrPage>());
    return *pages_.back();
}

TfrView* TfrPages::FindObject(const QString& name) const {
    for (const auto& page : pages_)
        for (const auto& view : page->Objects)
            if (view->Name.compare(name, Qt::CaseInsensitive) == 0)
                return view.get();
    return nullptr;
}

QString TfrPages::MakeUniqueName(const QString& baseName) const {
    UniqueNamer namer;
    for (const auto& page : pages_)
        for (const auto& view : page->Objects)
            namer.take(view->Name);
    return namer.make(baseName);
}

void UniqueNamer::take(const QString& name) { taken_.insert(name.toLower()); }

QString UniqueNamer::make(const QString& baseName) {
    const QString key = baseName.toLower();
    int n = next_.value(key, 1);
    for (; n <= kMostNameNumber; ++n) {
        const QString candidate = baseName + QString::number(n);
        if (!taken_.contains(candidate.toLower())) {
            next_[key] = n + 1;
            taken_.insert(candidate.toLower());
            return candidate;
        }
    }
    next_[key] = n;
    return {};
}

}  // namespace lum
