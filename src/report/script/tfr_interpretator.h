#pragma once
// The script language of report objects and bands: a few lines such as
//   BEGIN i := 0; WHILE i < 3 DO i := i + 1; IF FREESPACE < 40 THEN NEWPAGE END
// compiled into lines of steps (compiled_line.h) and run. This class compiles
// and runs; the names a script reads and writes and the procedures it calls are
// the business of a subclass (GetValue, SetValue, CallProcedure).
//
// Expressions are the expression parser's: the compiler converts them to
// postfix text, and the parser evaluates the calls it meets (IF, COPY, the
// function libraries) while converting, so those are decided when the script
// is compiled. Procedures a subclass names in IsRunTimeProcedure are the
// exception: they stay in the compiled line and act each time it runs.
#include "report/expr/tfr_parser.h"

#include <QStringList>

namespace lum {

class TfrInterpretator {
public:
    TfrInterpretator();
    virtual ~TfrInterpretator() = default;
    TfrInterpretator(const TfrInterpretator&) = delete;
    TfrInterpretator& operator=(const TfrInterpretator&) = delete;

    // value arrives empty; plain names come upper-cased.
    virtual void GetValue(const QString& name, ExprValue& value);
    virtual void SetValue(const QString& name, const ExprValue& value);
    // (NAME, p1, p2, p3) with the arguments' expression texts; val (arriving "0")
    // is the result as expression text.
    virtual void CallProcedure(const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                               QString& val);

    // Compiles source lines into compiled lines; memoFrom and memoTo may be the same
    // list. Compile errors ("Line 2/7: \"then\" required", a GOTO to a label the
    // script lacks) are appended to memoErr, which is cleared first; nothing is
    // raised for them. What compiled before an error stays and runs. Errors of calls
    // evaluated while compiling pass to the caller.
    virtual void Compile(const QStringList& memoFrom, QStringList& memoTo, QStringList& memoErr);
    // Runs compiled lines. Errors of evaluation pass to the caller; a run of more
    // than MaxSteps lines raises EScriptError.
    virtual void Run(const QStringList& memo);

    static constexpr int DefaultMaxSteps = 1'000'000;
    int MaxSteps = DefaultMaxSteps;

protected:
    // Procedures that act when the compiled line runs, not when it is compiled.
    virtual bool IsRunTimeProcedure(const QString& /*name*/) const { return false; }
    TfrParser& Parser() { return parser_; }

private:
    void valueHook(const QString& name, ExprValue& value);
    void functionHook(const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                      QString& val);

    TfrParser parser_;
};

}  // namespace lum
