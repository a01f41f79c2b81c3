#pragma once
// A report's value lookup wired to a fake window, fake data sources and the
// engine's parser, for the expression tests.
#include "report/expr/engine_context.h"
#include "report/expr/report_lookup.h"

#include <QHash>
#include <QStringList>

namespace lum::test {

// Data sets are plain tables of field -> value; their addresses stand for ReportDataSet*.
struct FakeDataSet {
    QHash<QString, ExprValue> fields;
    ReportDataSet* id() { return reinterpret_cast<ReportDataSet*>(this); }
};

class FakeHost : public ReportDataHost {
public:
    FakeDataSet* bandData = nullptr;
    QHash<QString, FakeDataSet*> dataSets;  // "DS", "Form.DS"
    QHash<int, int> counters;
    bool bandVisible = true;

    ReportDataSet* currentBandDataSet() override { return bandData ? bandData->id() : nullptr; }
    ReportDataSet* findDataSet(const QString& name) override {
        FakeDataSet* ds = dataSets.value(name);
        return ds ? ds->id() : nullptr;
    }
    std::optional<ExprValue> fieldValue(ReportDataSet* dataSet, const QString& field) override {
        auto* ds = reinterpret_cast<FakeDataSet*>(dataSet);
        for (auto it = ds->fields.begin(); it != ds->fields.end(); ++it)
            if (QString::compare(it.key(), field, Qt::CaseInsensitive) == 0) return it.value();
        return std::nullopt;
    }
    int specialCounter(int kind) override { return counters.value(kind); }
    bool aggregateBandVisible() override { return bandVisible; }
};

struct ExprFixture {
    QHash<QString, ExprValue> window;  // what the window's value event answers
    QStringList asked;                 // every name the window was asked, in order
    TfrValues bindings;
    FakeHost host;
    ReportValueLookup lookup;

    ExprFixture() {
        engine().reset();
        lookup.OnGetValue = [this](const QString& name, ExprValue& v) {
            asked << name;
            v = window.value(name);
        };
        lookup.Values = &bindings;
        lookup.Host = &host;
        lookup.bindParser();
    }
    ~ExprFixture() { engine().reset(); }
    ExprFixture(const ExprFixture&) = delete;
    ExprFixture& operator=(const ExprFixture&) = delete;

    ExprValue value(const QString& name) {
        ExprValue v;
        lookup.LookupValue(name, v);
        return v;
    }
    QString text(const QString& expression, int format = 0, const QString& formatStr = {}) {
        return lookup.ExpandExpression(expression, format, formatStr);
    }
};

}  // namespace lum::test
