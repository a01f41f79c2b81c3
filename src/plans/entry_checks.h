#pragma once
// The checks every window runs on a typed or pasted text before it is
// stored (the documents' fields, the results' remarks): a NUL is refused (a
// stored text would end there), a character code page 932 lacks is refused by
// name (it could only be stored as substitute bytes, and no file of ours
// could hold it), and a limit counts the stored form, CR LF as two bytes, so
// a text that passes is always stored whole. A name typed into a staff box
// must be a staff member's.
#include <QString>
#include <QStringView>

#include <optional>

class QComboBox;

namespace lum {

// "「X」は保存できない文字です。\n別の文字に置き換えてください。"
QString unstorableCharacterMessage(const QString& character);
// "保存できない制御文字（NUL）が含まれています。\n取り除いてください。"
QString nulCharacterMessage();

// "Xは印刷欄に入りきりません。\nN行以内で入力してください。": a memo whose
// printed box holds N lines, refused at saving rather than cut on paper.
QString printedBoxMessage(const QString& caption, int lines);

// "出席者（X）は職員の一覧にない名前です。\n一覧から選ぶか、空欄にしてください。"
QString unknownAttendeeMessage(const QString& caption);

// The message refusing the text, or nothing when it may be stored.
std::optional<QString> refuseEntry(QStringView text, int maxBytes, const QString& overLimitMessage);
// The same with the usual over-limit message of maxBytes.
std::optional<QString> refuseEntry(QStringView text, int maxBytes);

// An attendee box of the conference documents (captioned `caption` under
// 出席者): a typed name that is no staff member of the list is refused, not
// stored as nobody; a blank box is nobody (-1). The message refusing it, or
// nothing with the staff code in `code`.
std::optional<QString> refuseAttendee(const QComboBox* box, const QString& caption, int& code);

}  // namespace lum
