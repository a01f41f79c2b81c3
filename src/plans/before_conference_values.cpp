#include "plans/before_conference_values.h"

#include "common/code_tables.h"
#include "plans/urin_plan_values.h"

namespace lum {

QString goalText(bool checked, const QString& text) {
    return checked ? QStringLiteral("有（") + text + QStringLiteral("　）") : QStringLiteral("未定");
}

std::optional<ExprValue> beforeConferenceValue(const BeforeConferencePrint& print, const QString& name) {
    const TBeforeConference& b = print.survey;
    if (name == u"TaishoText") return ExprValue(goalText(b.Taisho, b.TaishoText));
    if (name == u"TaishoTo") return ExprValue(goalText(b.TaishoSaki, b.TaishoTo));
    if (name == u"Tashisetsu") return ExprValue(b.Tashisetsu ? QStringLiteral("有") : QStringLiteral("無"));
    for (const BeforeConferenceText& f : beforeConferenceTexts())
        if (name == QLatin1String(f.variable)) return ExprValue(b.*f.member);
    for (const BeforeConferenceFlag& f : beforeConferenceFlags())
        if (*f.variable && name == QLatin1String(f.variable)) return ExprValue(b.*f.member);
    for (const BeforeConferenceAttendee& a : beforeConferenceAttendees()) {
        if (name != QLatin1String(a.variable)) continue;
        const int code = b.*a.member;
        return ExprValue(code >= 0 && print.stuffName ? print.stuffName(code) : QString());
    }
    if (name == u"Shimei") return ExprValue(b.Shimei);
    if (name == u"PractDay") return ExprValue(eraTextOrBlank(print.practDay));
    if (name == u"Birth") return ExprValue(eraTextOrBlank(b.Birth));
    if (name == u"Old") return ExprValue(QString::number(b.Old));
    if (name == u"Sex") return ExprValue(SexNames.at(b.Sex));
    if (name == u"Kaigodo") return ExprValue(YoukaigoNames.at(b.Kaigodo));
    return std::nullopt;
}

}  // namespace lum
