#pragma once
// What the preventive-care plan's template "UrinPract.frf" is told: a plain
// function of the plan, the evaluation date and the facility, which the
// window's value event calls and tests call alone. The eleven programme
// flags are Boolean values, so the template's check boxes show them.
#include "common/datetime.h"
#include "plans/urin_pract_record.h"
#include "report/expr/expr_value.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

struct UrinPractPrint {
    const TUrinPract& pract;
    TDateTime hyoukaDay;  // the evaluation date (the row's UrinDay)
    QString facilityName;
    std::function<QString(int)> stuffName;  // a staff code's name, empty when unknown
};

// The value of a template name; nothing for a name the plan does not answer.
std::optional<ExprValue> urinPractValue(const UrinPractPrint& print, const QString& name);

}  // namespace lum
