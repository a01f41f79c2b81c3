#pragma once
// What the expression side of the engine asks of the parts built around it:
// the input box of INPUT (a dialog service in the application, a fake in tests)
// and the counting of the aggregate functions (bands and data sources).
#include "report/expr/expr_value.h"

#include <QString>
#include <optional>

namespace lum {

class InputBoxService {
public:
    virtual ~InputBoxService() = default;
    // The text entered, or nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& preset) = 0;
};

enum class AggregateFunction { Sum, Avg, Count, Min, Max };

// Counts SUM, AVG, COUNT, MIN and MAX. The arguments are the call's expression texts
// (p1 an expression or "DataSet.Field", p2 a band name, p3 a flag; COUNT: p1 a data set,
// p2 band name and flag). val arrives "0" and leaves as expression text.
class AggregateHandler {
public:
    virtual ~AggregateHandler() = default;
    virtual void aggregate(AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3,
                           QString& val) = 0;
};

}  // namespace lum
