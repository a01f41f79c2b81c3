#pragma once
// The standard function library: AVG, COUNT, FORMATDATETIME, FORMATFLOAT, INPUT,
// LOWERCASE, MAX, MIN, NAMECASE, STRTODATE, STRTOTIME, SUM, UPPERCASE.
// Arguments are evaluated with the engine's parser; text results leave as quoted
// literals. The aggregates are counted by the engine's AggregateHandler (bands).
#include "report/expr/function_library.h"

namespace lum {

class TfrStdFunctionLibrary : public TfrFunctionLibrary {
public:
    TfrStdFunctionLibrary();
    void CallFunction(int fno, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                      QString& val) override;
};

// ASCII letters only: double-byte (full-width) letters are left as they are.
QString asciiUpper(const QString& s);
QString asciiLower(const QString& s);
}  // namespace lum
