#include "report/expr/expr_value.h"

#include "report/expr/date_format.h"
#include "report/expr/number_format.h"

#include <cmath>
#include <limits>

namespace lum {
namespace {

EConvertError notANumber(const QString& text) {
    return EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

bool isIntegral(const ExprValue& v) {
    return v.type() == ExprValue::Type::Integer || v.type() == ExprValue::Type::Boolean ||
           v.type() == ExprValue::Type::Empty;
}

std::int64_t integralOf(const ExprValue& v) {
    switch (v.type()) {
    case ExprValue::Type::Integer: return v.intValue();
    case ExprValue::Type::Boolean: return v.boolValue() ? -1 : 0;
    default: return 0;
    }
}

bool fitsInt(double d) {
    return d >= static_cast<double>(std::numeric_limits<std::int64_t>::min()) &&
           d <= static_cast<double>(std::numeric_limits<std::int64_t>::max());
}

// Integer arithmetic while both sides are integers and the result fits, else floating.
template <typename IntOp, typename DblOp>
ExprValue numeric(const ExprValue& a, const ExprValue& b, IntOp intOp, DblOp dblOp) {
    if (a.isNull() || b.isNull()) return ExprValue::null();
    if (isIntegral(a) && isIntegral(b)) {
        std::int64_t r = 0;
        if (intOp(integralOf(a), integralOf(b), r)) return ExprValue(r);
    }
    const double r = dblOp(a.toDouble(), b.toDouble());
    const bool aDate = a.type() == ExprValue::Type::Date, bDate = b.type() == ExprValue::Type::Date;
    if (aDate != bDate) return ExprValue(TDateTime(r));  // a date moved by a number of days
    return ExprValue(r);
}

}  // namespace

const char* exprTypeName(ExprValue::Type type) {
    switch (type) {
    case ExprValue::Type::Empty: return "Empty";
    case ExprValue::Type::Null: return "Null";
    case ExprValue::Type::Integer: return "Integer";
    case ExprValue::Type::Double: return "Double";
    case ExprValue::Type::String: return "String";
    case ExprValue::Type::Date: return "Date";
    case ExprValue::Type::Boolean: return "Boolean";
    }
    return "?";
}

double roundHalfEven(double v) {
    const double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
    return r;
}

bool parseExprNumber(QStringView text, double& out) {
    // Only "." is a decimal point here: a text "1,234" is no number rather than 1.234.
    const QString t = text.trimmed().toString();
    if (t.isEmpty()) return false;
    // Digits, one point, an optional sign and exponent; nothing else ("1e3" and "-2.5" pass).
    for (QChar c : t) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return false;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ExprValue::isNumeric() const {
    switch (type()) {
    case Type::Integer:
    case Type::Double:
    case Type::Date:
    case Type::Boolean: return true;
    default: return false;
    }
}

double ExprValue::toDouble() const {
    switch (type()) {
    case Type::Empty: return 0.0;
    case Type::Null: throw EConvertError(QStringLiteral("Could not convert variant of type (Null) into type (Double)"));
    case Type::Integer: return static_cast<double>(intValue());
    case Type::Double: return doubleValue();
    case Type::Date: return dateValue().value();
    case Type::Boolean: return boolValue() ? -1.0 : 0.0;
    case Type::String: {
        double d = 0;
        if (!parseExprNumber(stringValue(), d)) throw notANumber(stringValue());
        return d;
    }
    }
    return 0.0;
}

std::int64_t ExprValue::toInt() const {
    if (type() == Type::Integer) return intValue();
    const double d = roundHalfEven(toDouble());
    if (!fitsInt(d)) throw EConvertError(QStringLiteral("Integer overflow"));
    return static_cast<std::int64_t>(d);
}

QString ExprValue::toString() const {
    switch (type()) {
    case Type::Empty:
    case Type::Null: return {};
    case Type::Integer: return QString::number(intValue());
    case Type::Double: return floatToStrGeneral(doubleValue());
    case Type::String: return stringValue();
    case Type::Boolean: return boolValue() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Date: {
        const TDateTime t = dateValue();
        if (!isValidDateTime(t)) return floatToStrGeneral(t.value());
        const bool hasTime = t.msecsOfDay() != 0;
        if (t.dayNumber() == 0 && hasTime) return t.time().toString(QStringLiteral("hh:mm:ss"));
        return hasTime ? t.toDateTimeText() : t.toDateText();
    }
    }
    return {};
}

TDateTime ExprValue::toDateTime() const {
    if (type() == Type::String) {
        if (const auto d = parseDateText(stringValue().trimmed())) return *d;
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(stringValue()));
    }
    const TDateTime t = type() == Type::Date ? dateValue() : TDateTime(toDouble());
    if (!isValidDateTime(t))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(floatToStrGeneral(t.value())));
    return t;
}

ExprValue exprAdd(const ExprValue& a, const ExprValue& b) {
    if (a.isNull() || b.isNull()) return ExprValue::null();
    const bool aText = a.isString() || a.isEmpty(), bText = b.isString() || b.isEmpty();
    if (aText && bText && (a.isString() || b.isString())) return ExprValue(a.toString() + b.toString());
    return numeric(
        a, b, [](std::int64_t x, std::int64_t y, std::int64_t& r) { return !__builtin_add_overflow(x, y, &r); },
        [](double x, double y) { return x + y; });
}

ExprValue exprSubtract(const ExprValue& a, const ExprValue& b) {
    if (a.type() == ExprValue::Type::Date && b.type() == ExprValue::Type::Date)
        return ExprValue(a.dateValue().value() - b.dateValue().value());
    return numeric(
        a, b, [](std::int64_t x, std::int64_t y, std::int64_t& r) { return !__builtin_sub_overflow(x, y, &r); },
        [](double x, double y) { return x - y; });
}

ExprValue exprMultiply(const ExprValue& a, const ExprValue& b) {
    if (a.isNull() || b.isNull()) return ExprValue::null();
    if (isIntegral(a) && isIntegral(b)) {
        std::int64_t r = 0;
        if (!__builtin_mul_overflow(integralOf(a), integralOf(b), &r)) return ExprValue(r);
    }
    return ExprValue(a.toDouble() * b.toDouble());
}

ExprValue exprDivide(const ExprValue& a, const ExprValue& b) {
    if (a.isNull() || b.isNull()) return ExprValue::null();
    const double divisor = b.toDouble();
    const double dividend = a.toDouble();
    if (divisor == 0.0) return ExprValue(0.0);
    return ExprValue(dividend / divisor);
}

ExprValue exprMod(const ExprValue& a, const ExprValue& b) {
    if (a.isNull() || b.isNull()) return ExprValue::null();
    const std::int64_t x = a.toInt(), y = b.toInt();
    if (y == 0) throw EConvertError(QStringLiteral("Division by zero"));
    if (y == -1) return ExprValue(std::int64_t{0});
    return ExprValue(x % y);
}

ExprValue exprNegate(const ExprValue& a) {
    switch (a.type()) {
    case ExprValue::Type::Null: return a;
    case ExprValue::Type::Integer:
        if (a.intValue() != std::numeric_limits<std::int64_t>::min()) return ExprValue(-a.intValue());
        break;
    case ExprValue::Type::Boolean: return ExprValue(std::int64_t{a.boolValue() ? 1 : 0});
    case ExprValue::Type::Empty: return ExprValue(std::int64_t{0});
    default: break;
    }
    return ExprValue(-a.toDouble());
}

int exprCompare(const ExprValue& a, const ExprValue& b) {
    if (a.isNull() || b.isNull()) {
        if (a.isNull() && b.isNull()) return 0;
        return a.isNull() ? -1 : 1;  // null sorts first
    }
    if (a.isNumeric() || b.isNumeric()) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace lum
