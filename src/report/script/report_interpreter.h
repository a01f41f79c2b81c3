#pragma once
// The engine's script interpreter: the names scripts of report objects and bands
// read and write, and their procedures.
//   - script variables (the engine's ScriptVariables, kept from report to report);
//   - FREESPACE, the height left on the page being formed (as a text);
//   - "Object.Property" on the run-time objects of the page being formed, and a
//     plain property name on the object whose script runs (CurrentView); a band
//     object's Left, Top, Width, Height and Visible are those of its run-time band;
//   - colour names (clRed ...) and True/False;
//   - NEWPAGE and NEWCOLUMN, which ask the band being printed for a new page or
//     column each time the line that calls them runs.
// Every other name goes to the report's value lookup, every other call to the
// report's functions.
#include "report/script/tfr_interpretator.h"

namespace lum {

class TfrView;

class TInterpretator : public TfrInterpretator {
public:
    void GetValue(const QString& name, ExprValue& value) override;
    void SetValue(const QString& name, const ExprValue& value) override;
    void CallProcedure(const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                       QString& val) override;

    // The errors of the last compilation (nothing shows them; for tests and tracing).
    QStringList Errors;

protected:
    bool IsRunTimeProcedure(const QString& name) const override;
};

// The engine-wide interpreter.
TInterpretator& ScriptInterpreter();

// A run-time copy's script compiled in place (its source lines become compiled
// lines), with CurrentView on the copy while it compiles.
void CompileViewScript(TfrView& view);
// A run-time copy's compiled script run with CurrentView on the copy.
void RunViewScript(TfrView& view);

}  // namespace lum
