#pragma once
// Templates built in code for the preparation tests: a page of a fixed size
// without margins, bands and memos at given places, and the prepared pages
// read back as (text, left, top) triples.
#include "report/data/memory_data_set.h"
#include "report/engine/tfr_report.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace lum::test {

struct Placed {
    QString text;
    int left = 0;
    int top = 0;
    int height = 0;
};

// A report whose pages are `width` x `height` screen pixels, no margins.
inline void useFixedPaper(TfrReport& report, int width = 400, int height = 300) {
    report.PaperSetup = [width, height](const TfrPage&) {
        PageGeometry g;
        g.pageWidth = g.printableWidth = width;
        g.pageHeight = g.printableHeight = height;
        return g;
    };
    report.Pages()[0].UseMargins = false;
    report.ShowProgress = false;
}

inline TfrBandView& addBand(TfrPage& page, int type, int top, int height, const QString& source = {},
                            quint16 flags = 0, const QString& name = {}) {
    auto band = std::make_unique<TfrBandView>();
    band->setBandType(type);
    band->SetBounds(0, top, 400, height);
    band->FormatStr = source;
    band->Flags = flags;
    band->Name = name.isEmpty() ? QStringLiteral("Band%1_%2").arg(type).arg(top) : name;
    return static_cast<TfrBandView&>(*page.add(std::move(band)));
}

inline TfrMemoView& addMemo(TfrPage& page, int left, int top, int width, int height, const QString& text,
                            quint16 flags = 0) {
    auto memo = std::make_unique<TfrMemoView>();
    memo->SetBounds(left, top, width, height);
    memo->Memo = text.split(u'\n');
    memo->Flags = flags;
    memo->Name = QStringLiteral("Memo%1_%2").arg(left).arg(top);
    return static_cast<TfrMemoView&>(*page.add(std::move(memo)));
}

// The memos of a prepared page in writing order.
inline QList<Placed> placed(const TfrReport& report, int page) {
    QList<Placed> out;
    for (const auto& v : report.EMFPages.GetPage(page).objects())
        out.append({v->Memo.join(u'|'), v->Left, v->Top, v->Height});
    return out;
}

inline QStringList texts(const TfrReport& report, int page) {
    QStringList out;
    for (const Placed& p : placed(report, page)) out.append(p.text);
    return out;
}

inline QList<int> tops(const TfrReport& report, int page) {
    QList<int> out;
    for (const Placed& p : placed(report, page)) out.append(p.top);
    return out;
}

}  // namespace lum::test
