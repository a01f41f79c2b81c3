#include "plans/urin_plan_values.h"

#include "common/code_tables.h"
#include "common/era_text.h"

namespace lum {

QString eraTextOrBlank(TDateTime date) { return date.isEmpty() ? QStringLiteral(" ") : DateToEraText(date); }

namespace {

QString presence(bool set) { return set ? QStringLiteral("有り") : QStringLiteral("無し"); }

}  // namespace

std::optional<ExprValue> urinPlanValue(const UrinPlanPrint& print, const QString& name) {
    const TUrinPlan& p = print.plan;
    for (int i = 0; i < 6; ++i)
        if (name == QStringLiteral("Disease%1").arg(i + 1)) return ExprValue(p.Disease[i]);
    for (int i = 0; i < 4; ++i)
        if (name == QStringLiteral("Purpose%1").arg(i + 1)) return ExprValue(p.Purpose[i]);
    if (name == u"Sisetsu") return ExprValue(print.facilityName);
    if (name == u"Shimei") return ExprValue(p.Shimei);
    if (name == u"HDSR") return ExprValue(p.HDSR);
    if (name == u"Sex") return ExprValue(SexNames.at(p.Sex));
    if (name == u"Kaigodo") return ExprValue(YoukaigoNames.at(p.Kaigodo));
    if (name == u"Birth") return ExprValue(eraTextOrBlank(p.Birth));
    if (name == u"Nyushobi") return ExprValue(eraTextOrBlank(p.Nyushobi));
    if (name == u"Sakuseibi") return ExprValue(eraTextOrBlank(print.sakuseibi));
    if (name == u"Old") return ExprValue(QString::number(p.Old));
    if (name == u"NyushoKiou") return ExprValue(presence(p.NyushoKiou));
    if (name == u"TankiKasann") return ExprValue(presence(p.TankiKasann));
    if (name == u"NinchiKasann") return ExprValue(presence(p.NinchiKasann));
    if (name == u"TankiKasannTo") return ExprValue(eraTextOrBlank(p.TankiKasannTo));
    if (name == u"NinchiKasannTo") return ExprValue(eraTextOrBlank(p.NinchiKasannTo));
    if (name == u"SpacialMemo") return ExprValue(p.SpacialMemo);
    if (name == u"KinkiMemo") return ExprValue(p.KinkiMemo);
    if (name == u"Rihabi") {
        if (p.Rihabi < 0) return ExprValue(QStringLiteral(" "));
        return ExprValue(print.stuffName ? print.stuffName(p.Rihabi) : QString());
    }
    return std::nullopt;
}

}  // namespace lum
