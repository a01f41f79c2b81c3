#include "report/render/text_metrics.h"

#include "report/render/font_map.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

namespace lum {

// One font's metrics, advances and drawing fonts (PrefixWidths keeps a pointer).
struct TextMetricsFont {
    // Advances looked up per character: the BMP in lazily made blocks of 256
    // (a flat table, no hashing), other planes in a hash.
    class Advances {
    public:
        static constexpr double kUnknown = -1;  // advances are never negative

        double find(char32_t c) const {
            if (c > 0xFFFF) return astral_.value(c, kUnknown);
            const auto& block = blocks_[c >> 8];
            return block ? (*block)[c & 0xFF] : kUnknown;
        }
        void insert(char32_t c, double advance) {
            if (c > 0xFFFF) {
                astral_.insert(c, advance);
                return;
            }
            auto& block = blocks_[c >> 8];
            if (!block) {
                block = std::make_unique<std::array<double, 256>>();
                block->fill(kUnknown);
            }
            (*block)[c & 0xFF] = advance;
        }

    private:
        std::array<std::unique_ptr<std::array<double, 256>>, 256> blocks_;
        QHash<char32_t, double> astral_;
    };

    explicit TextMetricsFont(const QFont& f) : metrics(f) {}
    QFontMetricsF metrics;
    Advances advance;
    std::array<std::optional<QFont>, 16> drawing;  // by the full style bits
};

namespace {

// What an entry is kept by: the template's family name, the em height and the
// style bits that change advances (underline and strike-out do not).
struct FontKey {
    QString family;
    int pixelHeight;
    quint16 style;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

size_t qHash(const FontKey& k, size_t seed = 0) { return qHashMulti(seed, k.family, k.pixelHeight, k.style); }

FontKey keyOf(const CanvasFont& font) { return {font.family, font.pixelHeight, quint16(font.style & (cfBold | cfItalic))}; }

TextMetricsFont& entryFor(const CanvasFont& font) {
    static QHash<FontKey, std::shared_ptr<TextMetricsFont>> cache;
    // Text is measured and drawn a memo at a time: mostly the same font again.
    static FontKey lastKey{QString(), -1, 0};
    static TextMetricsFont* last = nullptr;
    if (last && font.pixelHeight == lastKey.pixelHeight && (font.style & (cfBold | cfItalic)) == lastKey.style &&
        font.family == lastKey.family)
        return *last;
    FontKey key = keyOf(font);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, std::make_shared<TextMetricsFont>(TextMetrics::qfont(font)));
    lastKey = std::move(key);
    last = it->get();
    return *last;
}

double advanceOf(TextMetricsFont& e, char32_t c, QStringView chars) {
    const double known = e.advance.find(c);
    if (known != TextMetricsFont::Advances::kUnknown) return known;
    const double a = e.metrics.horizontalAdvance(chars.toString());
    e.advance.insert(c, a);
    return a;
}

// Calls visit(index, advance, countsAsCharacter) for each UTF-16 unit: a
// surrogate pair's advance on its first unit, 0 on the second, which is no
// character of its own.
template <typename Visit>
void forEachAdvance(TextMetricsFont& e, QStringView text, Visit visit) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            visit(i, advanceOf(e, QChar::surrogateToUcs4(ch, text[i + 1]), text.mid(i, 2)), true);
            ++i;
            visit(i, 0.0, false);
        } else {
            visit(i, advanceOf(e, ch.unicode(), text.mid(i, 1)), !ch.isLowSurrogate());
        }
    }
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

QFont TextMetrics::drawingFont(const CanvasFont& font) {
    std::optional<QFont>& f = entryFor(font).drawing[font.style & 0xF];
    if (!f) f = qfont(font);
    return *f;
}

QList<double> TextMetrics::advances(const CanvasFont& font, const QString& text) {
    QList<double> out(text.size(), 0.0);
    forEachAdvance(entryFor(font), text, [&](qsizetype i, double advance, bool) { out[i] = advance; });
    return out;
}

int TextMetrics::width(const CanvasFont& font, QStringView text, int charExtra) {
    if (text.isEmpty()) return 0;
    double sum = 0;  // summed in text order: the same double every time
    int chars = 0;
    forEachAdvance(entryFor(font), text, [&](qsizetype, double advance, bool character) {
        sum += advance;
        chars += character ? 1 : 0;
    });
    return static_cast<int>(std::nearbyint(sum)) + chars * charExtra;
}

double TextMetrics::ascent(const CanvasFont& font) { return entryFor(font).metrics.ascent(); }

PrefixWidths::PrefixWidths(const CanvasFont& font, QStringView text, int charExtra)
    : font_(&entryFor(font)), text_(text), charExtra_(charExtra) {}

PrefixWidths::~PrefixWidths() = default;

void PrefixWidths::restart(qsizetype start) {
    start_ = next_ = start;
    sum_ = 0;
    chars_ = 0;
}

// Adds the units before `upTo` in text order, as width() pairs them in a
// prefix ending at upTo or later; a pair split by upTo waits.
void PrefixWidths::fold(qsizetype upTo) {
    while (next_ < upTo) {
        const QChar ch = text_[next_];
        if (ch.isHighSurrogate() && next_ + 1 < text_.size() && text_[next_ + 1].isLowSurrogate()) {
            if (next_ + 1 >= upTo) return;
            sum_ += advanceOf(*font_, QChar::surrogateToUcs4(ch, text_[next_ + 1]), text_.mid(next_, 2));
            ++chars_;
            next_ += 2;
        } else {
            sum_ += advanceOf(*font_, ch.unicode(), text_.mid(next_, 1));
            chars_ += ch.isLowSurrogate() ? 0 : 1;
            ++next_;
        }
    }
}

int PrefixWidths::through(qsizetype i) {
    if (i < start_) return 0;
    fold(i);
    double sum = sum_;
    int chars = chars_;
    const QChar ch = text_[i];
    if (next_ == i - 1) {  // text[i - 1], text[i] are a pair, whole in this prefix
        sum += advanceOf(*font_, QChar::surrogateToUcs4(text_[i - 1], ch), text_.mid(i - 1, 2));
        ++chars;
    } else {  // a high surrogate whose partner lies beyond the prefix stands alone
        sum += advanceOf(*font_, ch.unicode(), text_.mid(i, 1));
        chars += ch.isLowSurrogate() ? 0 : 1;
    }
    return static_cast<int>(std::nearbyint(sum)) + chars * charExtra_;
}

}  // namespace lum
