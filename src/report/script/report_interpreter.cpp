#include "report/script/report_interpreter.h"

#include "report/expr/engine_context.h"
#include "report/objects/band_view.h"
#include "report/script/script_host.h"
#include "report/script/script_properties.h"

namespace lum {
namespace {

bool isBandView(const TfrView& v) { return v.Typ == gtBand; }

// A name split into its object and property: "Memo1.Left" names an object of the
// page, "Left" the object whose script runs. object is null when there is none.
struct Target {
    TfrView* object = nullptr;
    QString property;
    bool named = false;  // the name had an object part
};

Target targetOf(const QString& name) {
    EngineContext& e = engine();
    Target t;
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) {
        t.named = true;
        t.object = e.ScriptPage ? e.ScriptPage->findObject(name.left(dot)) : nullptr;
        t.property = name.mid(dot + 1);
    } else {
        t.object = e.CurrentView;
        t.property = name;
    }
    return t;
}

std::optional<ExprValue> constantOf(QStringView name) {
    if (const auto color = colorByName(name)) return ExprValue(int(*color));
    if (name.compare(u"True", Qt::CaseInsensitive) == 0) return ExprValue(true);
    if (name.compare(u"False", Qt::CaseInsensitive) == 0) return ExprValue(false);
    return std::nullopt;
}

void reportValue(const QString& name, ExprValue& value) {
    TfrParser& p = engine().ExprParser;
    if (p.OnGetValue) p.OnGetValue(name, value);
}

ScriptBandBox bandBoxOf(const TfrBandView& view) {
    if (ScriptHost* host = engine().ScriptPage)
        if (const auto box = host->band(view)) return *box;
    return {view.Left, view.Top, view.Width, view.Height, view.Visible};
}

ExprValue readBandProperty(const TfrBandView& view, ScriptProperty p) {
    const ScriptBandBox b = bandBoxOf(view);
    switch (p) {
    case ScriptProperty::Left: return ExprValue(b.Left);
    case ScriptProperty::Top: return ExprValue(b.Top);
    case ScriptProperty::Width: return ExprValue(b.Width);
    case ScriptProperty::Height: return ExprValue(b.Height);
    case ScriptProperty::Visible: return ExprValue(b.Visible);
    default: return ExprValue(0);
    }
}

void writeBandProperty(TfrBandView& view, ScriptProperty p, const ExprValue& value) {
    ScriptBandBox b = bandBoxOf(view);
    switch (p) {
    case ScriptProperty::Left: b.Left = int(value.toInt()); break;
    case ScriptProperty::Top: b.Top = int(value.toInt()); break;
    case ScriptProperty::Width: b.Width = int(value.toInt()); break;
    case ScriptProperty::Height: b.Height = int(value.toInt()); break;
    case ScriptProperty::Visible: b.Visible = scriptBool(value); break;
    default: return;
    }
    if (ScriptHost* host = engine().ScriptPage; host && host->band(view)) {
        host->setBand(view, b);
    } else {
        view.SetBounds(b.Left, b.Top, b.Width, b.Height);
        view.Visible = b.Visible;
    }
}

}  // namespace

void TInterpretator::GetValue(const QString& name, ExprValue& value) {
    EngineContext& e = engine();
    value = ExprValue(0);
    if (const int i = e.ScriptVariables.IndexOf(name); i >= 0) {
        value = e.ScriptVariables.Value(i);
        return;
    }
    if (name.compare(QLatin1String("FREESPACE"), Qt::CaseInsensitive) == 0) {
        value = ExprValue(QString::number(e.ScriptPage ? e.ScriptPage->freeSpace() : 0));
        return;
    }
    const Target t = targetOf(name);
    const auto property = t.object ? scriptProperty(t.property) : std::nullopt;
    if (!property) {
        if (const auto constant = constantOf(t.property); constant && (t.object || !t.named)) value = *constant;
        else reportValue(name, value);
        return;
    }
    if (isMemoProperty(*property) && t.object->Typ != gtMemo) {
        reportValue(name, value);
        return;
    }
    value = isBandView(*t.object) ? readBandProperty(static_cast<const TfrBandView&>(*t.object), *property)
                                  : readProperty(*t.object, *property);
}

void TInterpretator::SetValue(const QString& name, const ExprValue& value) {
    EngineContext& e = engine();
    const Target t = targetOf(name);
    if (t.named && !t.object) return;  // no such object: nothing changes
    const auto property = t.object ? scriptProperty(t.property) : std::nullopt;
    if (!property) {
        e.ScriptVariables.SetVariable(name, value);
        return;
    }
    if (isMemoProperty(*property) && t.object->Typ != gtMemo) return;
    if (isBandView(*t.object)) writeBandProperty(static_cast<TfrBandView&>(*t.object), *property, value);
    else writeProperty(*t.object, *property, value);
}

bool TInterpretator::IsRunTimeProcedure(const QString& name) const {
    return name == u"NEWPAGE" || name == u"NEWCOLUMN";
}

void TInterpretator::CallProcedure(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                   const ExprValue& p3, QString& val) {
    ScriptHost* host = engine().ScriptPage;
    if (name == u"NEWPAGE") {
        if (host) host->forceNewPage();
        val = QStringLiteral("0");
    } else if (name == u"NEWCOLUMN") {
        if (host) host->forceNewColumn();
        val = QStringLiteral("0");
    } else if (TfrParser& p = engine().ExprParser; p.OnFunction) {
        p.OnFunction(name, p1, p2, p3, val);
    }
}

TInterpretator& ScriptInterpreter() {
    static TInterpretator interpreter;
    return interpreter;
}

void CompileViewScript(TfrView& view) {
    if (view.Script.isEmpty()) return;
    TInterpretator& in = ScriptInterpreter();
    EngineContext& e = engine();
    TfrView* const saved = e.CurrentView;
    e.CurrentView = &view;
    struct Restore {
        TfrView*& current;
        TfrView* saved;
        ~Restore() { current = saved; }
    } restore{e.CurrentView, saved};
    in.Compile(view.Script, view.Script, in.Errors);
}

void RunViewScript(TfrView& view) {
    if (view.Script.isEmpty()) return;
    engine().CurrentView = &view;
    ScriptInterpreter().Run(view.Script);
}

}  // namespace lum
