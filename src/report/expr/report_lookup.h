#pragma once
// Where the value of a name in a report comes from, and how a bracketed
// expression becomes text. Lookup order, the first that yields wins:
//   1. the window's value event (an answer is any value that is not empty),
//   2. the template's variable bindings,
//   3. a database field of the current band's data set (or "DataSet.Field"),
//   4. "VALUE", the value being formatted,
//   5. the special names PAGE#, DATE, TIME, LINE#, LINETHROUGH#, COLUMN#, CURRENT#, TOTALPAGES,
//   6. a script variable,
//   7. the name taken as an expression ("1 + 2" gives 3); a name that comes back
//      here unresolved is an "Undefined symbol".
// A report owns one of these and binds the engine's parser to it while it is prepared.
#include "report/expr/expr_value.h"
#include "report/values/tfr_values.h"

#include <QSet>
#include <QString>
#include <functional>
#include <optional>

namespace lum {

// What the lookup needs from the report around it: data sources and band counters.
// Every answer defaults to "none" so that a report without bands still works.
class ReportDataHost {
public:
    virtual ~ReportDataHost() = default;
    // The data set of the current band (master data for master bands, detail for
    // detail bands, ...); only a database data source's data set counts.
    virtual ReportDataSet* currentBandDataSet() { return nullptr; }
    // A data set by component name ("frDBDataSet1") or "Form.Component".
    virtual ReportDataSet* findDataSet(const QString& /*name*/) { return nullptr; }
    // A field's value (the data set opened first when closed; the display text when the
    // field has a text event of its own); nothing when the data set has no such field.
    virtual std::optional<ExprValue> fieldValue(ReportDataSet* /*dataSet*/, const QString& /*field*/) {
        return std::nullopt;
    }
    // LINE#, LINETHROUGH#, COLUMN# and CURRENT# (svLine, svLineThrough, svColumn, svCurrentLine).
    // LINE# and LINETHROUGH# count the current band when it has a data source, else
    // the first band of its chain of bands of the same type.
    virtual int specialCounter(int /*otherKind*/) { return 0; }
    // Whether the band whose objects are evaluated is visible (aggregates collect while it is not).
    virtual bool aggregateBandVisible() { return true; }
    // Calls `visit` on every record of the data set from the first to the last, then
    // brings the data set back to the record it was on. False when it cannot be walked.
    virtual bool forEachRecord(ReportDataSet* /*dataSet*/, const std::function<void()>& /*visit*/) { return false; }
};

class ReportValueLookup {
public:
    ReportValueLookup() = default;
    ReportValueLookup(const ReportValueLookup&) = delete;
    ReportValueLookup& operator=(const ReportValueLookup&) = delete;
    ~ReportValueLookup();  // unbinds the engine's parser when it is bound here

    // The window's value event: (name, value), value arriving empty.
    using GetValueEvent = std::function<void(const QString& name, ExprValue& value)>;
    // A function no library knows: (NAME, p1, p2, p3, val).
    using UserFunctionEvent = std::function<void(const QString& name, const ExprValue& p1, const ExprValue& p2,
                                                 const ExprValue& p3, QString& val)>;

    GetValueEvent OnGetValue;
    UserFunctionEvent OnUserFunction;
    TfrValues* Values = nullptr;      // the template's bindings (sorted while a report is built)
    ReportDataHost* Host = nullptr;   // data sources and counters; none: no fields, counters 0

    // Binds the engine's parser hooks to this lookup (when a report is prepared).
    void bindParser();

    void LookupValue(const QString& name, ExprValue& value);
    void CallFunction(const QString& name, const ExprValue& p1, const ExprValue& p2, const ExprValue& p3,
                      QString& val);
    // The text that replaces a bracketed expression of an object with the given
    // display format (an inline " #" format takes its place).
    QString ExpandExpression(const QString& expression, int format, const QString& formatStr);
    // The same with the display format of the engine's CurrentView (text without one).
    QString ExpandExpression(const QString& expression);

    // "Field" (in dataSet), "DataSet.Field" or "Form.DataSet.Field"; the field part may
    // stand in double quotes. False when no data set results.
    bool SplitFieldName(const QString& name, ReportDataSet*& dataSet, QString& field);
    // DSet of every data-field binding from its DataSetName.
    void BindValueDataSets();

    // Nested lookups allowed before a name is reported undefined (bindings naming each other).
    static constexpr int MaxLookupDepth = 64;

private:
    bool fromBinding(const QString& name, ExprValue& value);
    bool fromField(const QString& name, ExprValue& value);
    bool fromSpecial(const QString& name, ExprValue& value);
    ExprValue fieldOf(ReportDataSet* dataSet, const QString& field);

    int depth_ = 0;
    QSet<QString> activeBindings_;  // upper-cased names of bindings being evaluated
};

}  // namespace lum
