#include "report/expr/engine_context.h"

#include "report/expr/std_functions.h"

namespace lum {

EngineContext::EngineContext() { FunctionLibraries.RegisterFunctionLibrary<TfrStdFunctionLibrary>(); }

void EngineContext::setReportMoment(TDateTime now) {
    ReportDate = now.dateOnly();
    ReportTime = TDateTime(now.value() - now.dateOnly().value());
}

void EngineContext::forgetReport(const TfrReport* report) {
    if (report != nullptr && CurrentReport != report) return;
    CurrentReport = nullptr;
    forgetRuntimeObjects();
    ExprParser.OnGetValue = nullptr;
    ExprParser.OnFunction = nullptr;
    ParserOwner = nullptr;
    Aggregates = nullptr;
    CurrentValue = ExprValue();
    CurrentExpression.clear();
    LookupGuard.clear();
}

void EngineContext::forgetRuntimeObjects() {
    CurrentPage = nullptr;
    CurrentBand = nullptr;
    CurrentView = nullptr;
    AggregateBand = nullptr;
    ScriptPage = nullptr;
}

void EngineContext::reset() {
    forgetReport(nullptr);
    PageNo = 0;
    TotalPages = 0;
    ReportDate = ReportTime = TDateTime();
    FirstPass = false;
    CalcErrorFlag = false;
    CalcErrorText.clear();
    TemplateVersion = 23;
    ScriptVariables.Clear();
    InputBox = nullptr;
    FunctionLibraries.UnregisterAll();
    FunctionLibraries.RegisterFunctionLibrary<TfrStdFunctionLibrary>();
}

EngineContext& engine() {
    // Made once and never destroyed: a report freed while the process ends (a
    // static, a window destroyed by the end-of-process clean-up) still tells
    // the engine it is gone, whatever the order of the static destructors.
    static EngineContext* context = new EngineContext;
    return *context;
}

}  // namespace lum
