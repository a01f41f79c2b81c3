#pragma once
// The kana-row rule of every client list with the ten buttons ア カ サ タ ナ
// ハ マ ヤ ラ ワ: a kana name (stored in half-width katakana, voicing marks as
// separate characters) belongs to a row when it begins with one of the row's
// letters, so ｶﾞ names fall under カ and ﾊﾟ names under ハ; names beginning
// with ｦ, ﾝ, a small letter or anything else belong to no row.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lum {

inline constexpr int KanaRowCount = 10;

// The button caption of a row (0 ア .. 9 ワ); empty outside 0..9.
QString kanaRowCaption(int row);
// The object name of the row's button in every list ("ABtn" .. "WBtn").
QString kanaRowButtonName(int row);
// The half-width letters a kana name of the row begins with; empty outside 0..9.
QStringList kanaRowLetters(int row);
// Whether the kana name belongs to the row.
bool isInKanaRow(QStringView kana, int row);

// The SQL condition of a row on a column, one LIKE per letter joined by OR:
// "( Kana LIKE :kanaRow0 OR Kana LIKE :kanaRow1 ... )". Bind kanaRowPatterns()
// to the placeholders ":kanaRow0" ... in order. likeOperator is the database
// layer's (LIKE or ILIKE); the letters hold no wildcard, so need no escape.
QString kanaRowCondition(const QString& column, int row, const QString& likeOperator);
QStringList kanaRowPatterns(int row);
QString kanaRowPlaceholder(int index);

}  // namespace lum
