#include "report/expr/report_lookup.h"

#include "report/expr/engine_context.h"
#include "report/expr/format_value.h"
#include "report/objects/view.h"

namespace lum {
namespace {

EParserError undefinedSymbol(const QString& name) {
    return EParserError(QStringLiteral("Undefined symbol \"%1\"").arg(name));
}

// Splits at "." outside double quotes.
QStringList splitDots(const QString& name) {
    QStringList parts(QString{});
    bool quoted = false;
    for (QChar c : name) {
        if (c == u'"') quoted = !quoted;
        if (c == u'.' && !quoted) parts.append(QString());
        else parts.last().append(c);
    }
    return parts;
}

QString unquote(QString s) {
    s = s.trimmed();
    if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"') return s.mid(1, s.size() - 2);
    return s;
}

struct DepthScope {
    int& depth;
    DepthScope(int& d, const QString& name) : depth(d) {
        if (depth >= ReportValueLookup::MaxLookupDepth) throw undefinedSymbol(name);
        ++depth;
    }
    ~DepthScope() { --depth; }
};

}  // namespace

ReportValueLookup::~ReportValueLookup() {
    EngineContext& e = engine();
    if (e.ParserOwner != this) return;
    e.ExprParser.OnGetValue = nullptr;
    e.ExprParser.OnFunction = nullptr;
    e.ParserOwner = nullptr;
}

void ReportValueLookup::bindParser() {
    engine().ParserOwner = this;
    TfrParser& p = engine().ExprParser;
    p.OnGetValue = [this](const QString& name, ExprValue& value) { LookupValue(name, value); };
    p.OnFunction = [this](const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                          QString& val) { CallFunction(name, p1, p2, p3, val); };
}

void ReportValueLookup::LookupValue(const QString& name, ExprValue& value) {
    DepthScope depth(depth_, name);
    EngineContext& e = engine();
    value = ExprValue();
    if (OnGetValue) {
        OnGetValue(name, value);
        if (!value.isEmpty()) return;
    }
    if (fromBinding(name, value)) return;
    if (fromField(name, value)) return;
    if (name == u"VALUE") {
        value = e.CurrentValue;
        return;
    }
    if (fromSpecial(name, value)) return;
    if (const int i = e.ScriptVariables.IndexOf(name); i >= 0) {
        value = e.ScriptVariables.Value(i);
        return;
    }

    if (QString::compare(name, e.LookupGuard, Qt::CaseInsensitive) == 0) {
        const QString guarded = e.LookupGuard;
        e.LookupGuard.clear();
        throw undefinedSymbol(guarded.isEmpty() ? name : guarded);
    }
    e.LookupGuard = name;
    try {
        value = e.ExprParser.Calc(name);
    } catch (...) {
        e.LookupGuard.clear();
        throw;
    }
    e.LookupGuard.clear();
}

bool ReportValueLookup::fromBinding(const QString& name, ExprValue& value) {
    const TfrValue* binding = Values ? Values->FindVariable(name) : nullptr;
    if (!binding) return false;
    const QString key = name.toUpper();
    if (activeBindings_.contains(key)) throw undefinedSymbol(name);  // a binding that names itself
    activeBindings_.insert(key);
    struct Release {
        QSet<QString>& set;
        QString key;
        ~Release() { set.remove(key); }
    } release{activeBindings_, key};

    TfrParser& parser = engine().ExprParser;
    switch (binding->Typ) {
    case vtDataField: value = fieldOf(binding->DSet, binding->FieldName); break;
    case vtSpecial:
        value = binding->OtherKind == svExpression ? parser.Calc(binding->FieldName)
                                                   : parser.Calc(specialVariableName(binding->OtherKind));
        break;
    case vtExpression: value = parser.Calc(binding->FieldName); break;
    default: value = ExprValue(QString()); break;
    }
    return true;
}

ExprValue ReportValueLookup::fieldOf(ReportDataSet* dataSet, const QString& field) {
    if (!Host || !dataSet) return {};
    return Host->fieldValue(dataSet, unquote(field)).value_or(ExprValue());
}

bool ReportValueLookup::fromField(const QString& name, ExprValue& value) {
    if (!Host) return false;
    ReportDataSet* dataSet = Host->currentBandDataSet();
    QString field;
    if (!SplitFieldName(name, dataSet, field)) return false;
    if (auto v = Host->fieldValue(dataSet, field)) {
        value = *v;
        return true;
    }
    return false;
}

bool ReportValueLookup::fromSpecial(const QString& name, ExprValue& value) {
    const EngineContext& e = engine();
    const auto counter = [&](int kind) { return ExprValue(Host ? Host->specialCounter(kind) : 0); };
    if (name == u"PAGE#") value = ExprValue(e.PageNo + 1);
    else if (name == u"DATE") value = ExprValue(e.ReportDate);
    else if (name == u"TIME") value = ExprValue(e.ReportTime);
    else if (name == u"LINE#") value = counter(svLine);
    else if (name == u"LINETHROUGH#") value = counter(svLineThrough);
    else if (name == u"COLUMN#") value = counter(svColumn);
    else if (name == u"CURRENT#") value = counter(svCurrentLine);
    else if (name == u"TOTALPAGES") value = ExprValue(e.TotalPages);
    else return false;
    return true;
}

bool ReportValueLookup::SplitFieldName(const QString& name, ReportDataSet*& dataSet, QString& field) {
    const QStringList parts = splitDots(name);
    if (parts.size() == 1) {
        field = unquote(name);
        return dataSet != nullptr;
    }
    if (!Host) return false;
    if (parts.size() == 2) {
        dataSet = Host->findDataSet(parts[0].trimmed());
        field = unquote(parts[1]);
    } else {
        dataSet = Host->findDataSet(parts[0].trimmed() + u'.' + parts[1].trimmed());
        field = unquote(parts.mid(2).join(u'.'));
    }
    return dataSet != nullptr;
}

void ReportValueLookup::BindValueDataSets() {
    if (!Values) return;
    for (int i = 0; i < Values->Count(); ++i) {
        TfrValue& v = Values->Item(i);
        if (v.Typ == vtDataField) v.DSet = Host ? Host->findDataSet(v.DataSetName) : nullptr;
    }
}

void ReportValueLookup::CallFunction(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                     const ExprValue& p3, QString& val) {
    val = QStringLiteral("0");
    if (engine().FunctionLibraries.TryCall(name, p1, p2, p3, val)) return;
    if (OnUserFunction && (!Host || Host->aggregateBandVisible())) OnUserFunction(name, p1, p2, p3, val);
}

QString ReportValueLookup::ExpandExpression(const QString& expression) {
    const TfrView* view = engine().CurrentView;
    return view ? ExpandExpression(expression, view->Format, view->FormatStr) : ExpandExpression(expression, 0, {});
}

QString ReportValueLookup::ExpandExpression(const QString& expression, int format, const QString& formatStr) {
    EngineContext& e = engine();
    e.LookupGuard.clear();
    const InlineFormat inl = splitInlineFormat(expression);
    const int code = inl.hasFormat ? inl.code : format;
    const QString text = inl.hasFormat ? inl.text : formatStr;
    e.CurrentExpression = inl.expression;
    e.CurrentValue = ExprValue(0);
    ExprValue value;
    LookupValue(inl.expression, value);
    e.CurrentValue = value;
    return FormatValue(value, code, text);
}

}  // namespace lum
