// Feeds arbitrary bytes to the template reader. A load either fails with the
// message or succeeds; a loaded template must write, read back and write
// again to the same bytes. The same bytes also go to the prepared-page reader.
#include "report/frf/frf_error.h"
#include "report/frf/template_stream.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    lum::ReportTemplate t;
    const lum::TemplateLoadResult r = lum::LoadTemplateFromStream(bytes, t);
    if (!r.ok() && (r.message.isEmpty() || t.Pages.Count() < 1))
        std::abort();
    if (r.ok()) {
        QByteArray first;
        try {
            first = lum::SaveTemplateToStream(t);
        } catch (const lum::FrfError&) {
            return 0;  // text the file held that code page 932 cannot write back
        }
        lum::ReportTemplate back;
        if (!lum::LoadTemplateFromStream(first, back).ok())
            std::abort();
        if (lum::SaveTemplateToStream(back) != first)
            std::abort();
    }
    try {
        (void)lum::readPreparedObjects(bytes);
    } catch (const lum::FrfError&) {
    }
    return 0;
}
