// Feeds arbitrary bytes to the prepared report reader. A load either fails
// with a message and leaves the pages shown untouched, or succeeds; loaded
// pages must save to a file that loads again to the same bytes, and every
// page must draw.
#include "report/prepared/frp_stream.h"
#include "report/prepared/page_draw.h"
#include "report/render/recording_canvas.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

// Fontconfig keeps its caches until exit, after the (never destroyed)
// application object; those are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "frp_prepared_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);  // fonts for measuring memo text

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    lum::TfrEMFPages pages;
    lum::TfrPage tpl;
    pages.InsertPage(0, tpl, lum::defaultPrinterGeometry(9, 2100, 2970, 0));
    const lum::FrpLoadResult r = lum::LoadPreparedFromStream(bytes, pages);
    if (!r.ok) {
        if (r.message.isEmpty() || pages.Count() != 1) std::abort();
        return 0;
    }
    const QByteArray saved = lum::SavePreparedToStream(pages, QStringLiteral("P"));
    lum::TfrEMFPages back;
    if (!lum::LoadPreparedFromStream(saved, back).ok || lum::SavePreparedToStream(back, QStringLiteral("P")) != saved)
        std::abort();
    for (int i = 0; i < pages.Count() && i < 8; ++i) {
        lum::RecordingCanvas canvas;
        const lum::TfrPreparedPage& p = pages.GetPage(i);
        lum::DrawPage(p, canvas, lum::pageDrawRect(p, 0, 0, 0.5));
    }
    return 0;
}
