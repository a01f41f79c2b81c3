#pragma once
// Number texts of the report engine, in the pattern language its templates use:
//   "0" a digit always shown, "#" a digit shown when significant, "." the decimal
//   point, "," anywhere before it turns on thousands grouping, "E+00"/"E-00"
//   scientific, '...' and "..." literal text, ";" separates the sections for
//   positive;negative;zero values. Other characters are copied.
// Numbers are taken with 15 significant digits and rounded half away from zero,
// so 2.675 with "0.00" prints 2.68, as it was typed.
#include <QChar>
#include <QString>
#include <QStringView>

namespace lum {

struct NumberSeparators {
    QChar decimal = u'.';
    QChar thousands = u',';
};

QString formatFloat(QStringView pattern, double value, NumberSeparators seps = {});

// Up to 15 significant digits, trailing zeros dropped; exponent form ("1E200",
// "1.5E-5") for very large or small values.
QString floatToStrGeneral(double value, NumberSeparators seps = {});
// Fixed-point with `decimals` decimals (15 significant digits at most).
QString floatToStrFixed(double value, int decimals, NumberSeparators seps = {});
// As floatToStrFixed, with thousands grouping.
QString floatToStrNumber(double value, int decimals, NumberSeparators seps = {});

}  // namespace lum
