#pragma once
// Counting of SUM, AVG, COUNT, MIN and MAX.
//
// Data-set mode, when the first argument names a data source ("DataSet.Field", or
// a data set for COUNT): while the footer prints, the whole data set is walked and
// the result computed at once.
// Band mode otherwise: every time a data band prints, the engine evaluates each
// footer's objects with the footer invisible (collecting: each record is added
// once per footer, the key's state character "1" marks it counted) and the
// footer's own printing reads the result. The running values live in the footer
// band's name=value list under the key NAME + first argument (+ cross column).
#include "report/expr/engine_hooks.h"

#include <QString>

namespace lum {

class ReportValueLookup;

// What band mode needs of the band engine: the footer being evaluated
// (AggregateBand) and the band being printed (CurrentBand).
class AggregateBandAccess {
public:
    virtual ~AggregateBandAccess() = default;
    virtual int aggregateBandType() = 0;  // a TfrBandType, or -1 when there is none
    virtual bool aggregateBandVisible() = 0;
    virtual int aggregateBandValueCount() = 0;  // records the footer has seen
    virtual QString aggregateValue(const QString& key) = 0;  // empty when absent
    virtual void setAggregateValue(const QString& key, const QString& value) = 0;
    virtual QString currentBandName() = 0;
    virtual bool currentBandVisible() = 0;
    virtual bool printingCrossCells() = 0;
    virtual int currentColumn() = 0;  // of the current page, while cross cells print
};

class AggregateCounter : public AggregateHandler {
public:
    // `lookup` resolves data sets and fields (its Host walks them); `bands` may be null
    // while no bands exist (band mode then gives 0).
    AggregateCounter(ReportValueLookup& lookup, AggregateBandAccess* bands) : lookup_(lookup), bands_(bands) {}
    AggregateCounter(const AggregateCounter&) = delete;
    AggregateCounter& operator=(const AggregateCounter&) = delete;
    ~AggregateCounter() override;  // leaves the engine when it is its counter

    void aggregate(AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3,
                   QString& val) override;

private:
    bool overDataSet(AggregateFunction fn, const QString& p1, QString& val);
    void overBand(AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3, QString& val);

    ReportValueLookup& lookup_;
    AggregateBandAccess* bands_;
};

QString aggregateFunctionName(AggregateFunction fn);

// Whether evaluating a text may count an aggregate: it names SUM, AVG, COUNT,
// MIN or MAX (letter case ignored, anywhere, so "MINUTES" counts too), or a
// function of a library other than the standard one, which may count one
// itself. Values from the window, fields and script variables are never
// evaluated as expressions, so they cannot add a call.
bool mayCountAggregate(QStringView text);

}  // namespace lum
