#include "plans/cure_plan_values.h"

#include "common/code_tables.h"
#include "common/kubun.h"
#include "report/draw/memo_layout.h"
#include "report/objects/picture_view.h"

#include <QHash>

#include <functional>

namespace lum {

TDateTime DefaultEndDate(TDateTime start) {
    const QDate d = start.date();
    const QDate first(d.year(), d.month(), 1);
    const QDate month = first.addMonths(3);
    const int day = std::min(d.day(), month.daysInMonth());
    return TDateTime::fromDate(QDate(month.year(), month.month(), day).addDays(-1));
}

namespace {

using Getter = std::function<ExprValue(const TPlan&)>;

QHash<QString, Getter> makeTable() {
    QHash<QString, Getter> t;
    t[QStringLiteral("CureNo")] = [](const TPlan& p) { return ExprValue(p.CureNo); };
    t[QStringLiteral("Name")] = [](const TPlan& p) { return ExprValue(p.Name); };
    t[QStringLiteral("RegistDate")] = [](const TPlan& p) { return ExprValue(p.PlanRegistDay); };
    t[QStringLiteral("EndDate")] = [](const TPlan& p) { return ExprValue(p.PlanEndDay); };
    t[QStringLiteral("Sex")] = [](const TPlan& p) { return ExprValue(SexNames.at(p.Sex)); };
    t[QStringLiteral("Birth")] = [](const TPlan& p) { return ExprValue(p.Birth); };
    t[QStringLiteral("RihaType")] = [](const TPlan& p) { return ExprValue(RihaTypeNames.at(p.RihaType)); };
    t[QStringLiteral("Kubun")] = [](const TPlan& p) {
        TKubun k;
        k.SetCode(p.KubunCode);
        return ExprValue(k.LongText());
    };
    t[QStringLiteral("Jiritsudo")] = [](const TPlan& p) { return ExprValue(JiritsuNames.at(p.Jiritsu_KBN)); };
    t[QStringLiteral("Ninchido")] = [](const TPlan& p) { return ExprValue(NinchiNames.at(p.Ninchi_KBN)); };
    t[QStringLiteral("Kaigodo")] = [](const TPlan& p) { return ExprValue(YoukaigoNames.at(p.YOUKAIGO_KBN)); };
    for (int i = 0; i < 6; ++i) {
        t[QStringLiteral("Disease%1").arg(i + 1)] = [i](const TPlan& p) { return ExprValue(p.Disease[i]); };
        t[QStringLiteral("Mondai%1").arg(i + 1)] = [i](const TPlan& p) { return ExprValue(p.Body.Mondaiten[i]); };
        t[QStringLiteral("Mokuhyo%1").arg(i + 1)] = [i](const TPlan& p) { return ExprValue(p.Body.Mokuhyo[i]); };
        t[QStringLiteral("Program%1").arg(i + 1)] = [i](const TPlan& p) { return ExprValue(p.Body.Program[i]); };
    }
    // The nine impairment ratings and their remarks, in stored order.
    const char* const ratings[] = {"Kansetsu", "MahiUp", "MahiDown", "MahiFin", "KinRyuku",
                                   "Itami",    "Shiryoku", "ChoryokuL", "ChoryokuR"};
    const char* const remarks[] = {"KansetuTxt", "MahiUpTxt", "MahiDownTxt", "MahiFinTxt", "KinryokuTxt",
                                   "ItamiTxt",   "ShiryokuTxt", "ChoryokuLTxt", "ChoryokuRTxt"};
    const std::array<int PlanBody::*, 9> ratingFields{&PlanBody::Kansetsu, &PlanBody::MahiUp,      &PlanBody::MahiDown,
                                                      &PlanBody::MahiFin,  &PlanBody::Kinryoku,    &PlanBody::Itami,
                                                      &PlanBody::Shiryoku, &PlanBody::LeftChoryoku, &PlanBody::RightChoryoku};
    for (int i = 0; i < 9; ++i) {
        const auto field = ratingFields[i];
        t[QString::fromLatin1(ratings[i])] = [field](const TPlan& p) { return ExprValue(UmuNames.at(p.Body.*field)); };
        t[QString::fromLatin1(remarks[i])] = [i](const TPlan& p) { return ExprValue(p.Body.ImpairmentComments[i]); };
    }
    t[QStringLiteral("MUp")] = [](const TPlan& p) { return ExprValue(GradeNames.at(p.Body.MahiUpDetail)); };
    t[QStringLiteral("MDown")] = [](const TPlan& p) { return ExprValue(GradeNames.at(p.Body.MahiDownDetail)); };
    t[QStringLiteral("MFin")] = [](const TPlan& p) { return ExprValue(GradeNames.at(p.Body.MahiFinDetail)); };
    t[QStringLiteral("Shitsugo")] = [](const TPlan& p) { return ExprValue(UmuNames.at(p.Body.Shitsugo)); };
    t[QStringLiteral("Shitsunin")] = [](const TPlan& p) { return ExprValue(UmuNames.at(p.Body.Shitsunin)); };
    t[QStringLiteral("ShitsugoTxt")] = [](const TPlan& p) { return ExprValue(p.Body.ShitsugoComment); };
    t[QStringLiteral("ShitsuninTxt")] = [](const TPlan& p) { return ExprValue(p.Body.ShitsuninnComment); };
    const char* const flags[] = {"Sakuwa", "Genshi", "Mousou",  "Haikai", "Chuya",      "Bougen", "Teikou", "Fuketsu",
                                 "Ishoku", "Jihatsu", "Kajou", "Fuann", "Hitorigoto", "Utsu",   "Shushu"};
    for (int i = 0; i < 15; ++i) {
        t[QString::fromLatin1(flags[i])] = [i](const TPlan& p) { return ExprValue(p.Body.Behaviours[i]); };
    }
    const char* const daily[] = {"Negaeri", "Zai",     "Tachi",   "Ijyo",    "Hokou",
                                 "Haisetsu", "Shokuji", "Nyuyoku", "Kidatsu", "Ishisotsu"};
    for (int i = 0; i < 10; ++i) {
        t[QString::fromLatin1(daily[i])] = [i](const TPlan& p) { return ExprValue(AssistNames.at(p.Body.DailyLife[i])); };
        t[QString::fromLatin1(daily[i]) + QStringLiteral("Txt")] = [i](const TPlan& p) {
            return ExprValue(p.Body.DailyLifeComments[i]);
        };
    }
    return t;
}

}  // namespace

std::optional<ExprValue> curePlanValue(const TPlan& plan, const QString& facilityName, const QString& name) {
    if (name == u"Shisetsu") return ExprValue(facilityName);
    static const QHash<QString, Getter> table = makeTable();
    const auto it = table.constFind(name);
    if (it == table.constEnd()) return std::nullopt;
    return (*it)(plan);
}

std::optional<QString> curePlanMemo(const TPlan& plan, const QString& firstLine) {
    if (firstLine == u"[EtcMemo]") return plan.Body.EtcMemo;
    if (firstLine == u"[DrMemo]") return plan.Body.DrMemo;
    if (firstLine == u"[Sonota]") return plan.Body.Sonota;
    return std::nullopt;
}

void enterCurePlanObject(const TPlan& plan, const QImage& chart, QStringList& memo, TfrView* view) {
    const QString first = memo.value(0);
    if (first == PictureMarker) {
        if (auto* picture = dynamic_cast<TfrPictureView*>(view)) picture->setImage(chart);
        return;
    }
    if (std::optional<QString> text = curePlanMemo(plan, first)) memo = lum::memo::splitLines(*text);
}

}  // namespace lum
