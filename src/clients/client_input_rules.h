#pragma once
// The input rules shared by the client search, the client registration and
// the linked-system pickers: byte limits in code page 932 (a full-width
// character counts two) and the messages that name them. Each check returns
// the message to show, or an empty text when the input is fine.
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include "common/input_limits.h"

namespace lum {

inline constexpr int NameBytes = 20;
inline constexpr int KanaBytes = 20;
inline constexpr int NumberBytes = 10;  // a treatment or linked-system number typed for a search

// 氏名: at most 20 bytes, not empty.
QString checkNameInput(QStringView text);
// カナ: at most 20 bytes, not empty.
QString checkKanaInput(QStringView text);
// A number typed for a search: at most 10 bytes, not empty.
QString checkNumberInput(QStringView text);

// The linked system's number typed into a picker's "No検索": not empty, a
// whole number in half-width digits (ASCII blanks around it allowed), not
// negative. A number too large for any client number is still a number: it
// finds nobody.
struct LinkedNumberInput {
    QString message;  // empty when the input is fine
    qint64 number = 0;
};
LinkedNumberInput checkLinkedNumberInput(QStringView text);

}  // namespace lum
