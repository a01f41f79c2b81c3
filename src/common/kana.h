#pragma once
// Kana readings as the application stores them: half-width katakana with the
// voicing marks as separate characters (ﾔﾏﾀﾞ ﾊﾟﾝ).
#include <QString>
#include <QStringView>

namespace lum {

// True when the text is not empty and holds only kana (hiragana, katakana of
// either width, the long-vowel mark, voicing marks, the middle dot) and blanks.
bool isKanaText(QStringView text);

// Hiragana and full-width katakana become half-width katakana (が → ｶﾞ,
// ぱ → ﾊﾟ, ゔ → ｳﾞ; small ゎ ゕ ゖ and ゐ ゑ, which have no half-width form,
// become ﾜ ｶ ｹ ｲ ｴ); the full-width blank becomes an ASCII blank; every
// other character stays as it is.
QString toHalfWidthKatakana(QStringView text);

}  // namespace lum
