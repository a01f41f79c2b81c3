#pragma once
// What the rehabilitation plan's template "UrinPlan.frf" is told: a plain
// function of the plan, the date of making and the facility, which the
// window's value event calls and tests call alone.
#include "common/datetime.h"
#include "plans/urin_plan_record.h"
#include "report/expr/expr_value.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

struct UrinPlanPrint {
    const TUrinPlan& plan;
    TDateTime sakuseibi;  // the date of making (the row's UrinDay)
    QString facilityName;
    std::function<QString(int)> stuffName;  // a staff code's name, empty when unknown
};

// The value of a template name; nothing for a name the plan does not answer.
std::optional<ExprValue> urinPlanValue(const UrinPlanPrint& print, const QString& name);

// The era text of a date, or one blank for no date, so an empty date never
// prints as the calendar's day zero.
QString eraTextOrBlank(TDateTime date);

}  // namespace lum
