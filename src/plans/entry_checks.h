#pragma once
// The checks a document window runs on typed texts before they go into a
// record: a character code page 932 lacks is refused by name (it could only
// be stored as substitute bytes), and a limit counts the stored form, CR LF
// as two bytes, so a text that passes always fits its field.
#include <QString>
#include <QStringView>

#include <optional>

namespace lum {

// "「X」は保存できない文字です。\n別の文字に置き換えてください。"
QString unstorableCharacterMessage(const QString& character);

// The message refusing the text, or nothing when it may be stored.
std::optional<QString> refuseEntry(QStringView text, int maxBytes, const QString& overLimitMessage);
// The same with the usual over-limit message of maxBytes.
std::optional<QString> refuseEntry(QStringView text, int maxBytes);

}  // namespace lum
