// Feeds arbitrary text to the expression language through a report's whole value
// lookup: every input either gives a text or raises the engine's error; nothing
// crashes, overflows a stack or hangs. Bindings that name each other are present.
#include "report/expr/engine_context.h"
#include "report/expr/report_lookup.h"
#include "report/expr/tfr_parser.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Setup {
    lum::TfrValues bindings;
    lum::ReportValueLookup lookup;
    Setup() {
        auto add = [&](const char* name, const char* expr) {
            lum::TfrValue& v = bindings.Add(QString::fromLatin1(name));
            v.Typ = lum::vtExpression;
            v.FieldName = QString::fromLatin1(expr);
        };
        add("Self", "[Self] + 1");
        add("P", "[Q] * 2");
        add("Q", "IF([P] > 0, 1, 2)");
        add("Ok", "[A] + 1");
        bindings.Sort();
        lookup.Values = &bindings;
        lookup.OnGetValue = [](const QString& name, lum::ExprValue& v) {
            if (name == u"A") v = lum::ExprValue(3);
            else if (name == u"S") v = lum::ExprValue(QStringLiteral("it's"));
            else if (name == u"D") v = lum::ExprValue(lum::TDateTime::fromYmd(2019, 5, 1));
            else if (name == u"B") v = lum::ExprValue(true);
        };
        lookup.bindParser();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)setup.lookup.ExpandExpression(text, 0, QString());
    } catch (const lum::ReportExprError&) {
    }
    if (!lum::engine().LookupGuard.isEmpty()) std::abort();  // the guard never outlives a lookup
    int start = 1, end = 0;
    const QString inner = lum::ExtractBracketed(text, start, end);
    if (end > 0 && (start < 1 || end <= start || inner.size() != end - start - 1)) std::abort();
    return 0;
}
