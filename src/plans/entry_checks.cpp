#include "plans/entry_checks.h"

#include "app/staff_box.h"
#include "common/input_limits.h"
#include "plans/record_fields.h"

namespace lum {

QString unstorableCharacterMessage(const QString& character) {
    return QStringLiteral("「%1」は保存できない文字です。\n別の文字に置き換えてください。").arg(character);
}

QString nulCharacterMessage() {
    return QStringLiteral("保存できない制御文字（NUL）が含まれています。\n取り除いてください。");
}

QString printedBoxMessage(const QString& caption, int lines) {
    return QStringLiteral("%1は印刷欄に入りきりません。\n%2行以内で入力してください。").arg(caption).arg(lines);
}

QString unknownAttendeeMessage(const QString& caption) {
    return QStringLiteral("出席者（%1）は職員の一覧にない名前です。\n一覧から選ぶか、空欄にしてください。").arg(caption);
}

std::optional<QString> refuseEntry(QStringView text, int maxBytes, const QString& overLimitText) {
    if (text.contains(QChar(u'\0'))) return nulCharacterMessage();
    QString bad;
    if (!record::isStorable(text, &bad)) return unstorableCharacterMessage(bad);
    if (record::storedLength(text) > maxBytes) return overLimitText;
    return std::nullopt;
}

std::optional<QString> refuseEntry(QStringView text, int maxBytes) {
    return refuseEntry(text, maxBytes, overLimitMessage(maxBytes));
}

std::optional<QString> refuseAttendee(const QComboBox* box, const QString& caption, int& code) {
    const std::optional<int> named = namedStaffCode(box);
    if (!named) return unknownAttendeeMessage(caption);
    code = *named;
    return std::nullopt;
}

}  // namespace lum
