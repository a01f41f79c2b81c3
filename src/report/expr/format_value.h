#pragma once
// Display formats of report objects and the inline formats of bracketed
// expressions ("[Total #N0.00]", "[Birth #Dggee年mm月dd日]", "[Flag #BNo;Yes]").
//
// A format code packs: bits 24-27 the category (0 text, 1 number, 2 date, 3 time,
// 4 Boolean), bits 16-23 the sub-format (0-3 from the tables, 4 the custom format
// text), bits 8-15 the number of decimals, bits 0-7 the decimal separator.
#include "report/expr/expr_value.h"

#include <QString>
#include <QStringList>

namespace lum {

enum FormatCategory { fcText = 0, fcNumber = 1, fcDate = 2, fcTime = 3, fcBoolean = 4 };
inline constexpr int CustomSubFormat = 4;

constexpr int makeFormatCode(int category, int subFormat, int decimals, char16_t decimalSeparator) {
    return ((category & 0x0F) << 24) | ((subFormat & 0xFF) << 16) | ((decimals & 0xFF) << 8) |
           (decimalSeparator & 0xFF);
}
constexpr int formatCategory(int code) { return (code >> 24) & 0x0F; }
constexpr int formatSubFormat(int code) { return (code >> 16) & 0xFF; }
constexpr int formatDecimals(int code) { return (code >> 8) & 0xFF; }
constexpr char16_t formatSeparator(int code) { return static_cast<char16_t>(code & 0xFF); }

// The pattern tables of the sub-formats 0-3 (dates, times, Booleans).
const QStringList& dateFormats();
const QStringList& timeFormats();
const QStringList& booleanFormats();
// Names an editor shows.
const QStringList& formatCategoryNames();
const QStringList& numberFormatNames();
const QStringList& dateFormatNames();
const QStringList& timeFormatNames();

// A bracketed expression split at its first " #": the expression before it and,
// when the inline format is one the engine knows, the format it gives.
struct InlineFormat {
    QString expression;
    bool hasFormat = false;  // false: the object's own format stays
    int code = 0;
    QString text;
};
InlineFormat splitInlineFormat(const QString& bracketed);

// The text of a value in a display format. Never fails: empty and null values give
// one blank, a value the format cannot take gives its plain text.
QString FormatValue(const ExprValue& value, int format, const QString& formatStr);

}  // namespace lum
