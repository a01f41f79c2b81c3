#include "clients/client_input_rules.h"

#include "common/cp932.h"
#include "common/text_helpers.h"

#include <limits>

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

LinkedNumberInput checkLinkedNumberInput(QStringView text) {
    const QString trimmed = asciiTrim(text);
    if (trimmed.isEmpty()) return {QStringLiteral("Tavelund利用者Noが記入されていません。"), 0};
    qsizetype i = 0;
    const bool negative = trimmed.front() == u'-';
    if (negative || trimmed.front() == u'+') ++i;
    if (i >= trimmed.size()) return {QStringLiteral("半角の数字で入力してください。"), 0};
    qint64 value = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c < u'0' || c > u'9') return {QStringLiteral("半角の数字で入力してください。"), 0};
        // Past the range of any stored number it can only find nobody.
        if (value <= (std::numeric_limits<qint64>::max() - 9) / 10) value = value * 10 + (c.unicode() - u'0');
        else value = std::numeric_limits<qint64>::max();
    }
    if (negative && value != 0) {
        return {QStringLiteral("数値の値がマイナスです。\n正しい数値で入力してください。"), 0};
    }
    return {QString(), value};
}

}  // namespace lum
