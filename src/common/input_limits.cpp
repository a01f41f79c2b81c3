#include "common/input_limits.h"

#include "common/text_helpers.h"

namespace lum {

QString overLimitMessage(int halfWidthChars, bool fullWidthToo) {
    if (fullWidthToo) {
        return QStringLiteral("入力文字数がオーバーしています。\n半角%1文字・全角%2文字以内で入力してください。")
            .arg(halfWidthChars)
            .arg(halfWidthChars / 2);
    }
    return QStringLiteral("入力文字数がオーバーしています。\n半角%1文字以内で入力してください。").arg(halfWidthChars);
}

std::optional<int> parseWholeNumber(QStringView text) {
    const QString trimmed = asciiTrim(text);
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace lum
