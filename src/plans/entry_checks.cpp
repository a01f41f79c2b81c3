#include "plans/entry_checks.h"

#include "common/input_limits.h"
#include "plans/record_fields.h"

namespace lum {

QString unstorableCharacterMessage(const QString& character) {
    return QStringLiteral("「%1」は保存できない文字です。\n別の文字に置き換えてください。").arg(character);
}

std::optional<QString> refuseEntry(QStringView text, int maxBytes, const QString& overLimitText) {
    QString bad;
    if (!record::isStorable(text, &bad)) return unstorableCharacterMessage(bad);
    if (record::storedLength(text) > maxBytes) return overLimitText;
    return std::nullopt;
}

std::optional<QString> refuseEntry(QStringView text, int maxBytes) {
    return refuseEntry(text, maxBytes, overLimitMessage(maxBytes));
}

}  // namespace lum
