#include "plans/urin_pract_values.h"

#include "common/code_tables.h"
#include "plans/urin_plan_values.h"

namespace lum {

std::optional<ExprValue> urinPractValue(const UrinPractPrint& print, const QString& name) {
    const TUrinPract& p = print.pract;
    for (const UrinPractTextField& f : urinPractTextFields())
        if (name == QLatin1String(f.variable)) return ExprValue(p.*f.member);
    for (int i = 0; i < 11; ++i)
        if (name == QLatin1String(UrinPractProgrammeVariables[i])) return ExprValue(p.Programme[i]);
    if (name == u"HyoukaDay") return ExprValue(eraTextOrBlank(print.hyoukaDay));
    if (name == u"Sakusei") return ExprValue(print.stuffName ? print.stuffName(p.Sakusei) : QString());
    if (name == u"Sex") return ExprValue(SexNames.at(p.Sex));
    if (name == u"Birth") return ExprValue(eraTextOrBlank(p.Birth));
    if (name == u"Old") return ExprValue(QString::number(p.Old));
    if (name == u"Kaigodo") return ExprValue(YoukaigoNames.at(p.Kaigodo));
    // The sheet's foot names the facility, as the window does.
    if (name == u"Sisetsu") return ExprValue(print.facilityName);
    return std::nullopt;
}

}  // namespace lum
