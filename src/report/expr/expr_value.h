#pragma once
// The value of the report engine's expressions: empty, null, integer, floating
// number, text, date-time or Boolean, with the conversion and arithmetic rules
// the templates rely on (True is -1 as a number, two texts added are joined,
// a text met by a number is read as a number).
#include "common/datetime.h"
#include "report/expr/expr_error.h"

#include <QString>
#include <cstdint>
#include <variant>

namespace lum {

class ExprValue {
public:
    enum class Type { Empty, Null, Integer, Double, String, Date, Boolean };

    ExprValue() = default;
    ExprValue(int v) : data_(std::int64_t{v}) {}
    ExprValue(std::int64_t v) : data_(v) {}
    ExprValue(double v) : data_(v) {}
    ExprValue(const QString& v) : data_(v) {}
    ExprValue(const char* v) : data_(QString::fromUtf8(v)) {}
    ExprValue(TDateTime v) : data_(v) {}
    ExprValue(bool v) : data_(v) {}
    ExprValue(const void*) = delete;  // an object pointer must not turn into a Boolean
    static ExprValue null() {
        ExprValue v;
        v.data_ = NullTag{};
        return v;
    }

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isEmptyOrNull() const { return isEmpty() || isNull(); }
    bool isString() const { return type() == Type::String; }
    // Integer, floating number, date or Boolean: a value arithmetic takes as it is.
    bool isNumeric() const;

    // Empty 0, Boolean True -1, a date its day count, a text read as a number
    // ("." as the decimal point, blanks around allowed). Null and texts that are
    // no number raise EConvertError.
    double toDouble() const;
    // Rounded to the nearest integer, halves to the even neighbour.
    std::int64_t toInt() const;
    // Empty and Null "", Booleans "True"/"False", numbers with up to 15 significant
    // digits, dates "yyyy/mm/dd" (and " hh:nn:ss" when there is a time of day).
    QString toString() const;
    // A date value between the years 1 and 9999; texts are read as "yyyy/mm/dd"
    // (EConvertError otherwise).
    TDateTime toDateTime() const;
    bool toBool() const { return toDouble() != 0.0; }

    // Raw access (caller knows the type).
    std::int64_t intValue() const { return std::get<std::int64_t>(data_); }
    double doubleValue() const { return std::get<double>(data_); }
    const QString& stringValue() const { return std::get<QString>(data_); }
    TDateTime dateValue() const { return std::get<TDateTime>(data_); }
    bool boolValue() const { return std::get<bool>(data_); }

    // Same type and same value.
    friend bool operator==(const ExprValue& a, const ExprValue& b) { return a.data_ == b.data_; }

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    std::variant<std::monostate, NullTag, std::int64_t, double, QString, TDateTime, bool> data_;
};

// Arithmetic and comparisons of the expression language. Null in arithmetic gives Null.
ExprValue exprAdd(const ExprValue& a, const ExprValue& b);  // two texts are joined
ExprValue exprSubtract(const ExprValue& a, const ExprValue& b);
ExprValue exprMultiply(const ExprValue& a, const ExprValue& b);
ExprValue exprDivide(const ExprValue& a, const ExprValue& b);  // x / 0 = 0
ExprValue exprMod(const ExprValue& a, const ExprValue& b);     // integers; x mod 0 raises
ExprValue exprNegate(const ExprValue& a);
// -1, 0 or 1: numerically when either side is a number, else as texts (exact).
int exprCompare(const ExprValue& a, const ExprValue& b);

// Reads a number written with "." as the decimal point; false when the text is none.
bool parseExprNumber(QStringView text, double& out);

// Round half to even, as the engine rounds everywhere.
double roundHalfEven(double v);

const char* exprTypeName(ExprValue::Type type);

}  // namespace lum
