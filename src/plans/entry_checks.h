#pragma once
// The checks every window runs on a typed or pasted text before it is
// stored (the documents' fields, the results' remarks): a NUL is refused (a
// stored text would end there), a character code page 932 lacks is refused by
// name (it could only be stored as substitute bytes, and no file of ours
// could hold it), and a limit counts the stored form, CR LF as two bytes, so
// a text that passes is always stored whole.
#include <QString>
#include <QStringView>

#include <optional>

namespace lum {

// "「X」は保存できない文字です。\n別の文字に置き換えてください。"
QString unstorableCharacterMessage(const QString& character);
// "保存できない制御文字（NUL）が含まれています。\n取り除いてください。"
QString nulCharacterMessage();

// The message refusing the text, or nothing when it may be stored.
std::optional<QString> refuseEntry(QStringView text, int maxBytes, const QString& overLimitMessage);
// The same with the usual over-limit message of maxBytes.
std::optional<QString> refuseEntry(QStringView text, int maxBytes);

}  // namespace lum
