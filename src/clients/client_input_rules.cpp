#include "clients/client_input_rules.h"

#include "common/cp932.h"
#include "common/text_helpers.h"

namespace lum {

QString checkNameInput(QStringView text) {
    if (cp932::byteLength(text) > NameBytes)
        return QStringLiteral("氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。");
    if (asciiTrim(text).isEmpty())
        return QStringLiteral("氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。");
    return {};
}

QString checkKanaInput(QStringView text) {
    if (cp932::byteLength(text) > KanaBytes)
        return QStringLiteral("カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。");
    if (asciiTrim(text).isEmpty())
        return QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。");
    return {};
}

QString checkNumberInput(QStringView text) {
    if (cp932::byteLength(text) > NumberBytes)
        return QStringLiteral("入力文字数がオーバーしています。\n半角10文字以内で入力してください。");
    if (asciiTrim(text).isEmpty()) return QStringLiteral("入力が必要です。\n半角10文字以内で入力してください。");
    return {};
}

}  // namespace lum
