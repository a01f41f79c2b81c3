#include "report/expr/aggregate_counter.h"

#include "report/expr/engine_context.h"
#include "report/expr/number_format.h"
#include "report/expr/report_lookup.h"
#include "report/expr/std_functions.h"
#include "report/objects/band_view.h"

#include <algorithm>

namespace lum {
namespace {

constexpr double Huge = 1e200;

bool collectsAggregates(int bandType) {
    switch (bandType) {
    case btReportSummary: case btPageFooter: case btMasterFooter: case btDetailFooter: case btSubDetailFooter:
    case btGroupFooter: case btCrossFooter: return true;
    default: return false;
    }
}

double numberOr0(const ExprValue& v) { return v.isEmptyOrNull() ? 0.0 : v.toDouble(); }

QString argumentText(const QString& arg) { return engine().ExprParser.Calc(arg).toString().trimmed(); }

}  // namespace

QString aggregateFunctionName(AggregateFunction fn) {
    switch (fn) {
    case AggregateFunction::Sum: return QStringLiteral("SUM");
    case AggregateFunction::Avg: return QStringLiteral("AVG");
    case AggregateFunction::Count: return QStringLiteral("COUNT");
    case AggregateFunction::Min: return QStringLiteral("MIN");
    case AggregateFunction::Max: return QStringLiteral("MAX");
    }
    return {};
}

bool mayCountAggregate(QStringView text) {
    for (const char* name : {"SUM", "AVG", "COUNT", "MIN", "MAX"})
        if (text.contains(QLatin1String(name), Qt::CaseInsensitive)) return true;
    TfrFunctionLibraries& libraries = engine().FunctionLibraries;
    for (int i = 0; i < libraries.Count(); ++i) {
        TfrFunctionLibrary& library = libraries.Item(i);
        if (dynamic_cast<TfrStdFunctionLibrary*>(&library)) continue;
        for (const QString& name : library.List())
            if (text.contains(name, Qt::CaseInsensitive)) return true;
    }
    return false;
}

AggregateCounter::~AggregateCounter() {
    if (engine().Aggregates == this) engine().Aggregates = nullptr;
}

void AggregateCounter::aggregate(AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3,
                                 QString& val) {
    if (overDataSet(fn, p1, val)) return;
    overBand(fn, p1, p2, p3, val);
}

bool AggregateCounter::overDataSet(AggregateFunction fn, const QString& p1, QString& val) {
    ReportDataHost* host = lookup_.Host;
    if (!host) return false;
    ReportDataSet* dataSet = nullptr;
    QString field;
    if (fn == AggregateFunction::Count) {
        dataSet = host->findDataSet(p1.trimmed());
    } else if (p1.contains(u'.')) {
        lookup_.SplitFieldName(p1.trimmed(), dataSet, field);
    }
    if (!dataSet) return false;
    if (bands_ && bands_->aggregateBandType() >= 0 && !bands_->aggregateBandVisible()) return true;  // "0"

    double sum = 0, min = Huge, max = -Huge;
    int count = 0;
    const bool walked = host->forEachRecord(dataSet, [&] {
        const double v = fn == AggregateFunction::Count
                             ? 0.0
                             : numberOr0(host->fieldValue(dataSet, field).value_or(ExprValue()));
        sum += v;
        min = std::min(min, v);
        max = std::max(max, v);
        ++count;
    });
    if (!walked) return true;
    double result = 0;
    switch (fn) {
    case AggregateFunction::Sum: result = sum; break;
    case AggregateFunction::Avg: result = count > 0 ? sum / count : 0; break;
    case AggregateFunction::Count: result = count; break;
    // Over no records the minimum and maximum are 0, as the average is (not +-1E200).
    case AggregateFunction::Min: result = count > 0 ? min : 0; break;
    case AggregateFunction::Max: result = count > 0 ? max : 0; break;
    }
    val = floatToStrGeneral(result);
    return true;
}

void AggregateCounter::overBand(AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3,
                                QString& val) {
    if (!bands_) return;
    const bool isCount = fn == AggregateFunction::Count;
    QString bandName = argumentText(p2);
    if (bandName.isEmpty()) bandName = bands_->currentBandName();
    const QString flag = isCount ? argumentText(p2) : argumentText(p3);

    const int type = bands_->aggregateBandType();
    if (!collectsAggregates(type)) return;
    if (flag != u"1" && !bands_->currentBandVisible()) return;

    QString key = aggregateFunctionName(fn) + p1;
    if (bands_->printingCrossCells())
        key += type == btCrossFooter ? QStringLiteral("00") : QString::number(bands_->currentColumn());

    if (bands_->aggregateBandVisible()) {  // the footer prints: read the result
        const QString stored = bands_->aggregateValue(key);
        if (stored.size() < 2) return;  // nothing collected: "0"
        if (fn == AggregateFunction::Avg) {
            double total = 0;
            const int n = bands_->aggregateBandValueCount();
            val = parseExprNumber(QStringView(stored).mid(1), total) && n > 0 ? floatToStrGeneral(total / n)
                                                                                : QStringLiteral("0");
        } else {
            val = stored.mid(1);
        }
        return;
    }

    if (QString::compare(bands_->currentBandName(), bandName, Qt::CaseInsensitive) != 0) return;
    QString stored = bands_->aggregateValue(key);
    if (stored.startsWith(u'1')) return;  // this record is already counted
    stored = stored.mid(1);
    const double value = isCount ? 0.0 : numberOr0(engine().ExprParser.Calc(p1));
    if (stored.isEmpty()) {
        stored = fn == AggregateFunction::Min   ? QStringLiteral("1e200")
                 : fn == AggregateFunction::Max ? QStringLiteral("-1e200")
                                                : QStringLiteral("0");
    }
    double running = 0;
    if (!parseExprNumber(stored, running)) running = 0;
    switch (fn) {
    case AggregateFunction::Sum:
    case AggregateFunction::Avg: running += value; break;
    case AggregateFunction::Min: running = std::min(running, value); break;
    case AggregateFunction::Max: running = std::max(running, value); break;
    case AggregateFunction::Count: running += 1; break;
    }
    bands_->setAggregateValue(key, u'1' + floatToStrGeneral(running));
}

}  // namespace lum
