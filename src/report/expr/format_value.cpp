#include "report/expr/format_value.h"

#include "report/expr/date_format.h"
#include "report/expr/number_format.h"

namespace lum {

const QStringList& dateFormats() {
    static const QStringList f{"mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", "d mmmm yyyy"};
    return f;
}
const QStringList& timeFormats() {
    static const QStringList f{"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"};
    return f;
}
const QStringList& booleanFormats() {
    static const QStringList f{"0;1", "No;Yes", "_;x", "False;True"};
    return f;
}
const QStringList& formatCategoryNames() {
    static const QStringList f{"Text", "Number", "Date", "Time", "Boolean"};
    return f;
}
const QStringList& numberFormatNames() {
    static const QStringList f{"1234,5", "1234,50", "1 234,5", "1 234,50", "Custom"};
    return f;
}
const QStringList& dateFormatNames() {
    static const QStringList f{"11.15.98", "11.15.1998", "15 nov 1998", "15 november 1998", "Custom"};
    return f;
}
const QStringList& timeFormatNames() {
    static const QStringList f{"02:43:35", "2:43:35", "02:43", "2:43", "Custom"};
    return f;
}

InlineFormat splitInlineFormat(const QString& bracketed) {
    InlineFormat r;
    const qsizetype at = bracketed.indexOf(QStringLiteral(" #"));
    if (at < 0) {
        r.expression = bracketed;
        return r;
    }
    r.expression = bracketed.left(at);
    QString f = bracketed.mid(at + 2);
    if (f.isEmpty()) return r;
    const QChar first = f.at(0);
    if (first.isDigit() || first == u'N' || first == u'n') {
        if (first.isDigit()) f.prepend(u'N');
        const bool fixed = f.size() > 1 && f.at(1).isDigit();
        int subFormat = fixed ? 1 : 0;
        char16_t separator = 0;
        int decimals = 0;
        for (qsizetype i = f.size() - 1; i >= 1; --i) {
            const QChar c = f.at(i);
            if (c == u',' || c == u'-' || c == u'.') {
                separator = c.unicode();
                f[i] = u'.';
                if (fixed)
                    for (qsizetype k = i + 1; k < f.size(); ++k) decimals += f.at(k).isDigit() ? 1 : 0;
                break;
            }
        }
        if (!fixed) {
            r.text = f.mid(1);
            subFormat = CustomSubFormat;
        }
        r.code = makeFormatCode(fcNumber, subFormat, decimals, separator);
        r.hasFormat = true;
    } else if (first == u'D' || first == u'd' || first == u'T' || first == u't') {
        r.code = makeFormatCode(fcDate, CustomSubFormat, 0, 0);
        r.text = f.mid(1);
        r.hasFormat = true;
    } else if (first == u'B' || first == u'b') {
        r.code = makeFormatCode(fcBoolean, CustomSubFormat, 0, 0);
        r.text = f.mid(1);
        r.hasFormat = true;
    }
    return r;
}

namespace {

QString tableOrCustom(const QStringList& table, int subFormat, const QString& custom) {
    if (subFormat >= 0 && subFormat < table.size()) return table.at(subFormat);
    return custom;
}

QString formatNumber(const ExprValue& value, int format, const QString& formatStr) {
    NumberSeparators seps;
    if (formatSeparator(format) != 0) seps.decimal = QChar(formatSeparator(format));
    const double v = value.toDouble();
    const int decimals = formatDecimals(format);
    switch (formatSubFormat(format)) {
    case 0: return formatFloat(u"###.##", v, seps);
    case 1: return floatToStrFixed(v, decimals, seps);
    case 2: return formatFloat(u"#,###.##", v, seps);
    case 3: return floatToStrNumber(v, decimals, seps);
    default: return formatFloat(formatStr, v, seps);
    }
}

}  // namespace

QString FormatValue(const ExprValue& value, int format, const QString& formatStr) {
    if (value.isEmptyOrNull()) return QStringLiteral(" ");
    try {
        const int sub = formatSubFormat(format);
        switch (formatCategory(format)) {
        case fcText: return value.toString();
        case fcNumber: return formatNumber(value, format, formatStr);
        case fcDate: return formatDateTime(tableOrCustom(dateFormats(), sub, formatStr), value.toDateTime());
        case fcTime: return formatDateTime(tableOrCustom(timeFormats(), sub, formatStr), value.toDateTime());
        case fcBoolean: {
            const QString f = tableOrCustom(booleanFormats(), sub, formatStr);
            const qsizetype semi = f.indexOf(u';');
            return value.toDouble() == 0.0 ? f.left(std::max<qsizetype>(semi, 0)) : f.mid(semi + 1);
        }
        default: return {};
        }
    } catch (const ReportExprError&) {
        return value.toString();
    }
}

}  // namespace lum
