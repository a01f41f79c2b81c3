#pragma once
// The engine-wide state every part of the report engine shares: the report, page,
// band and object at work, page counters, the run's date and time, the parser
// and the function libraries. One instance in the program (engine()).
//
// The report, page, band and object pointers are never owned here. Whoever ends a
// report, frees its pages or its run-time objects calls forgetReport() or
// forgetRuntimeObjects(), so nothing here points at freed objects.
#include "common/datetime.h"
#include "report/expr/engine_hooks.h"
#include "report/expr/expr_value.h"
#include "report/expr/function_library.h"
#include "report/expr/tfr_parser.h"
#include "report/values/tfr_variables.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace lum {

class TfrReport;
class TfrPage;
class TfrBand;
class TfrView;
class ScriptHost;

class EngineContext {
public:
    EngineContext();
    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    TfrReport* CurrentReport = nullptr;  // being loaded, prepared, shown or printed
    TfrPage* CurrentPage = nullptr;      // being formed
    TfrBand* CurrentBand = nullptr;      // being printed or measured
    TfrView* CurrentView = nullptr;      // being drawn, measured or written
    TfrBand* AggregateBand = nullptr;    // whose objects the aggregates are evaluated for

    int PageNo = 0;      // 0-based index of the prepared page being formed
    int TotalPages = 0;  // pages of the first pass; 0 until then
    TDateTime ReportDate;  // date part only
    TDateTime ReportTime;  // time of day only (fraction)
    bool FirstPass = false;
    bool CalcErrorFlag = false;
    QString CalcErrorText;
    std::uint8_t TemplateVersion = 23;

    TfrParser ExprParser;
    TfrFunctionLibraries FunctionLibraries;

    // The value being formatted ("VALUE") and its expression text.
    ExprValue CurrentValue;
    QString CurrentExpression;
    // The name being resolved as an expression, against endless lookups.
    QString LookupGuard;

    // Script variables: set by template scripts, read by memo text, kept from one
    // report to the next (only reset() clears them).
    TfrVariables ScriptVariables;
    // What scripts see of the page being formed (its objects, free space, bands);
    // none outside a preparation. Dropped with the run-time objects.
    ScriptHost* ScriptPage = nullptr;
    // The lookup ExprParser's hooks are bound to (ReportValueLookup::bindParser).
    const void* ParserOwner = nullptr;
    InputBoxService* InputBox = nullptr;      // INPUT; without one the preset text is taken
    AggregateHandler* Aggregates = nullptr;   // SUM..COUNT; without one they give 0

    // ReportDate and ReportTime from a moment (the start of a preparation).
    void setReportMoment(TDateTime now);

    // A report is done or destroyed: every reference into it (and the parser's hooks
    // bound to it) is dropped.
    void forgetReport(const TfrReport* report);
    // The run-time pages, bands and objects are freed.
    void forgetRuntimeObjects();

    // Back to the state after start-up (the standard library registered). For tests
    // and for the end of the program.
    void reset();
};

EngineContext& engine();

// Keeps CurrentReport on a report for a scope and forgets it at the end.
class CurrentReportScope {
public:
    explicit CurrentReportScope(TfrReport* report) : report_(report) { engine().CurrentReport = report; }
    ~CurrentReportScope() { engine().forgetReport(report_); }
    CurrentReportScope(const CurrentReportScope&) = delete;
    CurrentReportScope& operator=(const CurrentReportScope&) = delete;

private:
    TfrReport* report_;
};

}  // namespace lum
