#include "report/expr/std_functions.h"

#include "report/expr/date_format.h"
#include "report/expr/engine_context.h"
#include "report/expr/number_format.h"

namespace lum {

QString asciiUpper(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return r;
}

QString asciiLower(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    return r;
}

namespace {

ExprValue calc(const ExprValue& arg) { return engine().ExprParser.Calc(arg.toString()); }
QString quoted(const QString& text) { return u'\'' + text + u'\''; }

}  // namespace

TfrStdFunctionLibrary::TfrStdFunctionLibrary() {
    for (const char* name : {"AVG", "COUNT", "FORMATDATETIME", "FORMATFLOAT", "INPUT", "LOWERCASE", "MAX", "MIN",
                             "NAMECASE", "STRTODATE", "STRTOTIME", "SUM", "UPPERCASE"})
        addFunction(QString::fromLatin1(name));
}

void TfrStdFunctionLibrary::CallFunction(int fno, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                                         QString& val) {
    const QString& name = List().at(fno);
    EngineContext& e = engine();
    const auto aggregate = [&](AggregateFunction fn) {
        if (e.Aggregates) e.Aggregates->aggregate(fn, p1.toString(), p2.toString(), p3.toString(), val);
    };
    if (name == u"AVG") aggregate(AggregateFunction::Avg);
    else if (name == u"COUNT") aggregate(AggregateFunction::Count);
    else if (name == u"MAX") aggregate(AggregateFunction::Max);
    else if (name == u"MIN") aggregate(AggregateFunction::Min);
    else if (name == u"SUM") aggregate(AggregateFunction::Sum);
    else if (name == u"FORMATDATETIME")
        val = quoted(formatDateTime(calc(p1).toString(), calc(p2).toDateTime()));
    else if (name == u"FORMATFLOAT")
        val = quoted(formatFloat(calc(p1).toString(), calc(p2).toDouble()));
    else if (name == u"INPUT") {
        const QString prompt = calc(p1).toString();
        const QString preset = calc(p2).toString();
        std::optional<QString> answer;
        if (e.InputBox) answer = e.InputBox->input(QString(), prompt, preset);
        val = quoted(answer.value_or(preset));
    } else if (name == u"LOWERCASE") val = quoted(asciiLower(calc(p1).toString()));
    else if (name == u"UPPERCASE") val = quoted(asciiUpper(calc(p1).toString()));
    else if (name == u"NAMECASE") {
        const QString s = asciiLower(calc(p1).toString());
        val = s.isEmpty() ? QStringLiteral("''") : quoted(asciiUpper(s.left(1)) + s.mid(1));
    } else if (name == u"STRTODATE") val = QStringLiteral("%d") + quoted(calc(p1).toString());
    else if (name == u"STRTOTIME") val = QStringLiteral("%t") + quoted(calc(p1).toString());
}

}  // namespace lum
