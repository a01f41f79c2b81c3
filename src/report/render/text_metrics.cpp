#include "report/render/text_metrics.h"

#include "report/render/font_map.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>

namespace lum {
namespace {

struct FontEntry {
    explicit FontEntry(const QFont& f) : metrics(f) {}
    QFontMetricsF metrics;
    QHash<char32_t, double> advance;
};

QString cacheKey(const CanvasFont& font) {
    return font.family + QLatin1Char('\x1f') + QString::number(font.pixelHeight) + QLatin1Char('\x1f') +
           QString::number(font.style & (cfBold | cfItalic));
}

FontEntry& entryFor(const CanvasFont& font) {
    static QHash<QString, std::shared_ptr<FontEntry>> cache;
    const QString key = cacheKey(font);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, std::make_shared<FontEntry>(TextMetrics::qfont(font)));
    return **it;
}

double advanceOf(FontEntry& e, char32_t c, const QString& chars) {
    auto it = e.advance.find(c);
    if (it != e.advance.end()) return *it;
    const double a = e.metrics.horizontalAdvance(chars);
    e.advance.insert(c, a);
    return a;
}

}  // namespace

int fontPixelHeight(double points, double dpi) {
    // Bounded, so an absurd size in a file cannot overflow.
    return static_cast<int>(std::nearbyint(std::clamp(points * dpi / 72.0, -1e6, 1e6)));
}

QFont TextMetrics::qfont(const CanvasFont& font) {
    installReportFontSubstitutions();
    QFont f(mapReportFontFamily(font.family));
    f.setPixelSize(qMax(1, font.pixelHeight));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::ForceOutline);
    f.setKerning(false);
    f.setBold(font.style & cfBold);
    f.setItalic(font.style & cfItalic);
    f.setUnderline(font.style & cfUnderline);
    f.setStrikeOut(font.style & cfStrikeOut);
    return f;
}

QList<double> TextMetrics::advances(const CanvasFont& font, const QString& text) {
    FontEntry& e = entryFor(font);
    QList<double> out(text.size(), 0.0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(ch, text.at(i + 1));
            out[i] = advanceOf(e, c, text.mid(i, 2));
            ++i;
        } else {
            out[i] = advanceOf(e, ch.unicode(), QString(ch));
        }
    }
    return out;
}

int TextMetrics::width(const CanvasFont& font, const QString& text, int charExtra) {
    if (text.isEmpty()) return 0;
    double sum = 0;
    int chars = 0;
    const QList<double> adv = advances(font, text);
    for (qsizetype i = 0; i < adv.size(); ++i) {
        sum += adv[i];
        if (!text.at(i).isLowSurrogate()) ++chars;
    }
    return static_cast<int>(std::nearbyint(sum)) + chars * charExtra;
}

double TextMetrics::ascent(const CanvasFont& font) { return entryFor(font).metrics.ascent(); }

}  // namespace lum
