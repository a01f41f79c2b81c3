#include "report/expr/number_format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lum {
namespace {

constexpr int Precision = 15;

// A decimal number: value = 0.d1d2d3... x 10^exponent; digits holds no leading zeros
// and is empty for zero.
struct Decimal {
    QString digits;
    int exponent = 0;
    bool negative = false;
};

Decimal toDecimal(double v) {
    Decimal d;
    d.negative = std::signbit(v) && v != 0.0;
    if (v == 0.0 || !std::isfinite(v)) return d;
    // "d.dddddddddddddde+XX" with exactly Precision significant digits.
    const QString e = QString::number(std::fabs(v), 'e', Precision - 1);
    const qsizetype ePos = e.indexOf(u'e');
    QString mant = e.left(ePos);
    mant.remove(u'.');
    d.exponent = e.mid(ePos + 1).toInt() + 1;
    while (mant.endsWith(u'0')) mant.chop(1);
    d.digits = mant;
    return d;
}

// Rounds to `decimals` digits after the point, half away from zero.
void roundDecimals(Decimal& d, int decimals) {
    const int keep = d.exponent + decimals;  // digits that stay
    if (keep >= d.digits.size()) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits.at(keep).unicode() >= u'5';
    d.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits.at(i) == u'9') {
            d.digits[i] = u'0';
            --i;
        }
        if (i < 0) {
            d.digits.prepend(u'1');
            ++d.exponent;
        } else {
            d.digits[i] = QChar(d.digits.at(i).unicode() + 1);
        }
    }
    while (d.digits.endsWith(u'0')) d.digits.chop(1);
}

QString integerDigits(const Decimal& d) {
    if (d.digits.isEmpty() || d.exponent <= 0) return {};
    QString s = d.digits.left(d.exponent);
    while (s.size() < d.exponent) s.append(u'0');
    return s;
}

QString fractionDigits(const Decimal& d, int decimals) {
    QString s;
    for (int i = 0; i < decimals; ++i) {
        const int idx = d.exponent + i;
        s.append(idx >= 0 && idx < d.digits.size() ? d.digits.at(idx) : QChar(u'0'));
    }
    return s;
}

QString group(const QString& intDigits, QChar sep) {
    QString out;
    const qsizetype n = intDigits.size();
    for (qsizetype i = 0; i < n; ++i) {
        out.append(intDigits.at(i));
        const qsizetype fromRight = n - 1 - i;
        if (fromRight > 0 && fromRight % 3 == 0) out.append(sep);
    }
    return out;
}

QString fixedText(double value, int decimals, NumberSeparators seps, bool grouped) {
    if (!std::isfinite(value)) return floatToStrGeneral(value, seps);
    decimals = std::clamp(decimals, 0, 18);
    Decimal d = toDecimal(value);
    if (d.exponent > Precision) return floatToStrGeneral(value, seps);
    roundDecimals(d, decimals);
    QString intPart = integerDigits(d);
    if (intPart.isEmpty()) intPart = QStringLiteral("0");
    QString s = grouped ? group(intPart, seps.thousands) : intPart;
    if (decimals > 0) s += seps.decimal + fractionDigits(d, decimals);
    if (d.negative && !d.digits.isEmpty()) s.prepend(u'-');
    return s;
}

// ---- pattern formatting -------------------------------------------------------

// One element of a pattern section.
struct Element {
    enum Kind { Literal, Zero, Hash, Point, Exponent } kind;
    QString text;      // literal text; for Exponent: "E+" or "E-" (letter case kept)
    int expDigits = 0;  // for Exponent: the number of "0" after it
};

struct Section {
    std::vector<Element> elements;
    bool thousands = false;
};

std::vector<QString> splitSections(QStringView pattern) {
    std::vector<QString> sections(1);
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections.emplace_back();
            continue;
        }
        sections.back().append(c);
    }
    return sections;
}

Section parseSection(const QString& text) {
    Section s;
    bool seenPoint = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            s.elements.push_back({Element::Literal, text.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'0') {
            s.elements.push_back({Element::Zero, {}});
        } else if (c == u'#') {
            s.elements.push_back({Element::Hash, {}});
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            s.elements.push_back({Element::Point, {}});
        } else if (c == u',') {
            if (!seenPoint) s.thousands = true;
        } else if ((c == u'E' || c == u'e') && i + 1 < text.size() &&
                   (text.at(i + 1) == u'+' || text.at(i + 1) == u'-')) {
            Element e{Element::Exponent, text.mid(i, 2)};
            i += 2;
            while (i < text.size() && text.at(i) == u'0') {
                ++e.expDigits;
                ++i;
            }
            --i;
            s.elements.push_back(e);
        } else {
            s.elements.push_back({Element::Literal, QString(c)});
        }
    }
    return s;
}

QString applySection(const Section& s, double value, NumberSeparators seps, bool withMinus) {
    // Placeholders before and after the point; the minimum digits come from the "0"s.
    int intPlaces = 0, fracPlaces = 0, minInt = 0, minFrac = 0;
    bool afterPoint = false, scientific = false;
    for (const Element& e : s.elements) {
        if (e.kind == Element::Point) afterPoint = true;
        if (e.kind == Element::Exponent) {
            scientific = true;
            break;
        }
        if (e.kind != Element::Zero && e.kind != Element::Hash) continue;
        if (afterPoint) {
            ++fracPlaces;
            if (e.kind == Element::Zero) minFrac = fracPlaces;
        } else {
            ++intPlaces;
        }
    }
    // At least as many integer digits as placeholders from the first "0" to the point.
    {
        int idx = 0, firstZero = -1;
        for (const Element& e : s.elements) {
            if (e.kind == Element::Point || e.kind == Element::Exponent) break;
            if (e.kind == Element::Zero || e.kind == Element::Hash) {
                if (e.kind == Element::Zero && firstZero < 0) firstZero = idx;
                ++idx;
            }
        }
        minInt = firstZero < 0 ? 0 : intPlaces - firstZero;
    }

    Decimal d = toDecimal(value);
    int exponentValue = 0;
    if (scientific && !d.digits.isEmpty()) {
        const int lead = std::max(intPlaces, 1);
        exponentValue = d.exponent - lead;
        d.exponent = lead;
    }
    roundDecimals(d, fracPlaces);
    if (scientific && d.exponent > std::max(intPlaces, 1)) {  // rounding carried into a new digit
        ++exponentValue;
        --d.exponent;
    }
    QString intDigits = integerDigits(d);
    while (intDigits.size() < minInt) intDigits.prepend(u'0');
    QString frac = fractionDigits(d, fracPlaces);
    while (frac.size() > minFrac && frac.endsWith(u'0')) frac.chop(1);

    QString out;
    int intSeen = 0, fracSeen = 0;
    afterPoint = false;
    const auto emitInt = [&](qsizetype pos) {  // pos: digit index from the right
        if (pos < intDigits.size()) {
            out.append(intDigits.at(intDigits.size() - 1 - pos));
            if (s.thousands && pos > 0 && pos % 3 == 0) out.append(seps.thousands);
        }
    };
    for (size_t k = 0; k < s.elements.size(); ++k) {
        const Element& e = s.elements[k];
        switch (e.kind) {
        case Element::Literal:
            out += e.text;
            break;
        case Element::Zero:
        case Element::Hash:
            if (afterPoint) {
                if (fracSeen < frac.size()) out.append(frac.at(fracSeen));
                ++fracSeen;
            } else {
                const int posFromRight = intPlaces - 1 - intSeen;
                if (intSeen == 0)  // digits beyond the placeholders go at the first one
                    for (qsizetype p = intDigits.size() - 1; p > posFromRight; --p) emitInt(p);
                emitInt(posFromRight);
                ++intSeen;
            }
            break;
        case Element::Point:
            afterPoint = true;
            if (intPlaces == 0 && !intDigits.isEmpty())
                for (qsizetype p = intDigits.size() - 1; p >= 0; --p) emitInt(p);
            if (!frac.isEmpty()) out.append(seps.decimal);
            break;
        case Element::Exponent: {
            QString digits = QString::number(std::abs(exponentValue));
            while (digits.size() < e.expDigits) digits.prepend(u'0');
            out += e.text.at(0);
            if (exponentValue < 0) out += u'-';
            else if (e.text.at(1) == u'+') out += u'+';
            out += digits;
            break;
        }
        }
        if (e.kind == Element::Exponent) {
            // After the exponent only the literal text of the section counts.
            for (size_t rest = k + 1; rest < s.elements.size(); ++rest)
                if (s.elements[rest].kind == Element::Literal) out += s.elements[rest].text;
            break;
        }
    }
    if (withMinus && !d.digits.isEmpty()) out.prepend(u'-');
    return out;
}

}  // namespace

QString formatFloat(QStringView pattern, double value, NumberSeparators seps) {
    if (!std::isfinite(value)) return floatToStrGeneral(value, seps);
    const std::vector<QString> sections = splitSections(pattern);
    if (pattern.isEmpty()) return floatToStrGeneral(value, seps);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty())
        return applySection(parseSection(sections[1]), std::fabs(value), seps, false);
    if (value == 0.0 && sections.size() > 2 && !sections[2].isEmpty())
        return applySection(parseSection(sections[2]), 0.0, seps, false);
    return applySection(parseSection(sections[0]), std::fabs(value), seps, value < 0);
}

QString floatToStrGeneral(double value, NumberSeparators seps) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Decimal d = toDecimal(value);
    if (d.digits.isEmpty()) return QStringLiteral("0");
    QString s;
    if (d.exponent > Precision || d.exponent < -3) {
        s = d.digits.left(1);
        if (d.digits.size() > 1) s += seps.decimal + d.digits.mid(1);
        s += u'E' + QString::number(d.exponent - 1);
    } else if (d.exponent <= 0) {
        s = QStringLiteral("0") + seps.decimal + QString(-d.exponent, u'0') + d.digits;
    } else {
        s = integerDigits(d);
        if (d.digits.size() > d.exponent) s += seps.decimal + d.digits.mid(d.exponent);
    }
    if (d.negative) s.prepend(u'-');
    return s;
}

QString floatToStrFixed(double value, int decimals, NumberSeparators seps) {
    return fixedText(value, decimals, seps, false);
}

QString floatToStrNumber(double value, int decimals, NumberSeparators seps) {
    return fixedText(value, decimals, seps, true);
}

}  // namespace lum
