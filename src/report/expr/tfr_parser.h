#pragma once
// The expression language of report templates. ToPostfix rewrites an infix text
// into postfix text, evaluating IF, COPY and every other call on the way (the
// call's result text replaces it and is read again); EvaluatePostfix runs the
// postfix text on a stack. The parser knows no names: every name goes to
// OnGetValue, every call but IF and COPY to OnFunction.
//
// Postfix text: operands each followed by one blank (numbers, literals with their
// quotes, %d'..'/%t'..', [bracketed names], plain names); operators one character
// each: + - * / < = > and the codes below.
#include "report/expr/expr_value.h"

#include <QString>
#include <functional>

namespace lum {

namespace postfix {
inline constexpr char16_t GreaterEqual = 1, LessEqual = 2, NotEqual = 3, Or = 4, And = 5, Int = 6, Frac = 7,
                          Negate = 9, Plus = 10, Str = 11, Not = 12, Mod = 13, Round = 14;
}

class TfrParser {
public:
    // (name, value): value arrives empty; plain names come upper-cased, bracketed
    // names as written.
    using GetValueEvent = std::function<void(const QString& name, ExprValue& value)>;
    // (NAME, p1, p2, p3, val): the arguments are the texts of their expressions;
    // val (arriving "0") is the result as expression text: a number or a quoted literal.
    using FunctionEvent = std::function<void(const QString& name, const ExprValue& p1,
                                             const ExprValue& p2, const ExprValue& p3, QString& val)>;

    GetValueEvent OnGetValue;
    FunctionEvent OnFunction;

    // Raises EParserError for an ill-formed expression and EConvertError for values
    // that cannot be read or combined.
    ExprValue Calc(const QString& expression);
    QString ToPostfix(const QString& expression);
    ExprValue EvaluatePostfix(const QString& postfix);

private:
    ExprValue valueOf(const QString& name);
    QString callFunction(const QString& name, const QString (&args)[3]);
    int depth_ = 0;  // nesting of Calc through IF, COPY and the hooks
};

// From startPos (1-based) finds the first "[" outside quotes and its matching "]"
// (nesting counted outside single and double quotes) and returns the text between.
// startPos is left on the "[" and endPos on the "]"; without a "[" startPos is 0,
// without its "]" endPos is 0; both return an empty text.
QString ExtractBracketed(const QString& text, int& startPos, int& endPos);

// 0-based form: index of the "]" that closes the "[" at `open`, or -1.
qsizetype matchingBracket(QStringView text, qsizetype open);
}
