#include "common/kana.h"

#include <QHash>

namespace lum {
namespace {

constexpr char16_t kVoiced = 0x3099;      // combining voiced sound mark
constexpr char16_t kSemiVoiced = 0x309A;  // combining semi-voiced sound mark

// Full-width katakana (and punctuation) → the half-width character, read off
// the half-width block's own compatibility mappings.
const QHash<char16_t, char16_t>& halfWidthOf() {
    static const QHash<char16_t, char16_t> map = [] {
        QHash<char16_t, char16_t> m;
        for (char16_t h = 0xFF61; h <= 0xFF9F; ++h) {
            const QString full = QString(QChar(h)).normalized(QString::NormalizationForm_KC);
            if (full.size() == 1) m.insert(full[0].unicode(), h);
        }
        m.insert(0x309B, 0xFF9E);  // spacing ゛
        m.insert(0x309C, 0xFF9F);  // spacing ゜
        // Kana without a half-width form take the nearest one.
        m.insert(0x30EE, 0xFF9C);  // ヮ → ﾜ
        m.insert(0x30F0, 0xFF72);  // ヰ → ｲ
        m.insert(0x30F1, 0xFF74);  // ヱ → ｴ
        m.insert(0x30F5, 0xFF76);  // ヵ → ｶ
        m.insert(0x30F6, 0xFF79);  // ヶ → ｹ
        return m;
    }();
    return map;
}

bool isKanaChar(char16_t c) {
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x3099 && c <= 0x309C) || (c >= 0x30A1 && c <= 0x30FC) ||
           (c >= 0xFF65 && c <= 0xFF9F) || c == u' ' || c == 0x3000;
}

}  // namespace

bool isKanaText(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (!isKanaChar(c.unicode())) return false;
    return true;
}

QString toHalfWidthKatakana(QStringView text) {
    const auto& half = halfWidthOf();
    QString out;
    out.reserve(text.size() * 2);
    for (QChar qc : text) {
        char16_t c = qc.unicode();
        if (c == 0x3000) {
            out += u' ';
            continue;
        }
        if (c >= 0x3041 && c <= 0x3096) c = static_cast<char16_t>(c + 0x60);  // hiragana → katakana
        if (!((c >= 0x30A1 && c <= 0x30FC) || c == kVoiced || c == kSemiVoiced || c == 0x309B || c == 0x309C)) {
            out += QChar(c);
            continue;
        }
        // ガ is カ with the voiced mark: convert the base and add the mark.
        const QString parts = QString(QChar(c)).normalized(QString::NormalizationForm_D);
        for (QChar p : parts) out += QChar(half.value(p.unicode(), p.unicode()));
    }
    return out;
}

}  // namespace lum
