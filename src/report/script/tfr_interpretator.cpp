#include "report/script/tfr_interpretator.h"

#include "report/script/compiled_line.h"
#include "report/script/script_compiler.h"
#include "report/script/script_error.h"

namespace lum {
namespace {

// A procedure kept for run time stands in the postfix text as a bracketed name
// no template can write: this character, then the procedure's name.
constexpr char16_t RunTimeCall = 0x01;

}  // namespace

TfrInterpretator::TfrInterpretator() {
    parser_.OnGetValue = [this](const QString& name, ExprValue& value) { valueHook(name, value); };
    parser_.OnFunction = [this](const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                                QString& val) { functionHook(name, p1, p2, p3, val); };
}

void TfrInterpretator::GetValue(const QString&, ExprValue&) {}
void TfrInterpretator::SetValue(const QString&, const ExprValue&) {}
void TfrInterpretator::CallProcedure(const QString&, const ExprValue&, const ExprValue&, const ExprValue&, QString&) {}

void TfrInterpretator::valueHook(const QString& name, ExprValue& value) {
    if (name.startsWith(QChar(RunTimeCall))) {
        QString val = QStringLiteral("0");
        CallProcedure(name.mid(1), ExprValue(QStringLiteral("0")), ExprValue(QString()), ExprValue(QString()), val);
        value = ExprValue(0);
        return;
    }
    GetValue(name, value);
}

void TfrInterpretator::functionHook(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                    const ExprValue& p3, QString& val) {
    if (IsRunTimeProcedure(name)) {
        val = u'[' + QChar(RunTimeCall) + name + u']';
        return;
    }
    CallProcedure(name, p1, p2, p3, val);
}

void TfrInterpretator::Compile(const QStringList& memoFrom, QStringList& memoTo, QStringList& memoErr) {
    const ScriptSource source(memoFrom);  // read before memoTo, which may be the same list, is cleared
    memoTo.clear();
    memoErr.clear();
    ScriptCompiler compiler(source);
    compiler.compile();
    memoErr = compiler.errors;

    // Second pass: jumps to labels, expressions to postfix.
    QStringList& lines = compiler.lines;
    for (int i = 0; i < lines.size(); ++i) {
        QString& line = lines[i];
        switch (compiled::kind(line)) {
        case compiled::Jump:
            if (line.size() > 3) {
                const QString label = line.mid(3);
                line.truncate(3);
                const auto it = compiler.labels.constFind(label + u':');
                if (it != compiler.labels.cend()) {
                    compiled::setTarget(line, *it);
                } else {
                    // Reported; running it goes on with the next line.
                    memoErr.append(source.errorLine(compiler.gotoPositions.value(i),
                                                    QStringLiteral("label %1 is not defined").arg(label)));
                    compiled::setTarget(line, i + 1);
                }
            }
            break;
        case compiled::CondJump: line = line.left(3) + parser_.ToPostfix(line.mid(3)); break;
        case compiled::Eval: line = line.left(1) + parser_.ToPostfix(line.mid(1)); break;
        default: {
            const qsizetype blank = line.indexOf(u' ');
            line = line.left(blank + 1) + parser_.ToPostfix(line.mid(blank + 1));
        }
        }
    }
    memoTo = lines;
}

void TfrInterpretator::Run(const QStringList& memo) {
    const int count = int(memo.size());
    int steps = 0;
    for (int i = 0; i < count;) {
        if (++steps > MaxSteps)
            throw EScriptError(QStringLiteral("Script stopped after %1 steps: a loop that never ends?").arg(MaxSteps));
        const QString& line = memo.at(i);
        switch (compiled::kind(line)) {
        case compiled::CondJump: {
            const ExprValue v = parser_.EvaluatePostfix(line.mid(3));
            i = exprCompare(v, ExprValue(0)) == 0 ? compiled::targetOf(line) : i + 1;
            break;
        }
        case compiled::Jump: i = compiled::targetOf(line); break;
        case compiled::Eval:
            parser_.EvaluatePostfix(line.mid(1));
            ++i;
            break;
        default: {
            const qsizetype blank = line.indexOf(u' ');
            if (blank > 0) SetValue(line.left(blank), parser_.EvaluatePostfix(line.mid(blank + 1)));
            ++i;
        }
        }
    }
}

}  // namespace lum
