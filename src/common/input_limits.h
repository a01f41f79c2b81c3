#pragma once
// Text limits of every entry field: the refusal message that names the limit
// in half-width and full-width characters (code page 932 bytes), and the one
// way a typed number is read, so no typed text ever reaches SQL.
#include <QString>
#include <QStringView>

#include <optional>

namespace lum {

// "入力文字数がオーバーしています。\n半角N文字・全角N/2文字以内で入力してください。",
// without the full-width count when fullWidthToo is false.
QString overLimitMessage(int halfWidthChars, bool fullWidthToo = true);

// The whole decimal number the text holds (ASCII blanks around it allowed);
// nothing for any other text.
std::optional<int> parseWholeNumber(QStringView text);

}  // namespace lum
