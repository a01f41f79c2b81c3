#include "plans/conference_values.h"

#include "common/code_tables.h"
#include "plans/urin_plan_values.h"

namespace lum {

QString changeMarkText(bool changed) {
    return changed ? QStringLiteral("変更（有）") : QStringLiteral("変更（無）");
}

std::optional<ExprValue> conferenceValue(const ConferencePrint& print, const QString& name) {
    const TConference& c = print.conference;
    for (const ConferenceTextField& f : conferenceTextFields())
        if (name == QLatin1String(f.variable)) return ExprValue(c.*f.member);
    for (const ConferenceFlagField& f : conferenceFlagFields())
        if (name == QLatin1String(f.variable)) return ExprValue(changeMarkText(c.*f.member));
    for (const ConferenceAttendeeField& f : conferenceAttendeeFields())
        if (name == QLatin1String(f.variable))
            return ExprValue(print.stuffName ? print.stuffName(c.*f.member) : QString());
    if (name == u"ConferDay") return ExprValue(eraTextOrBlank(print.conferDay));
    if (name == u"FromDay") return ExprValue(eraTextOrBlank(c.FromDay));
    if (name == u"ToDay") return ExprValue(eraTextOrBlank(c.ToDay));
    if (name == u"Sex") return ExprValue(SexNames.at(c.Sex));
    if (name == u"Old") return ExprValue(QString::number(c.Old));
    if (name == u"Kaigodo") return ExprValue(YoukaigoNames.at(c.Kaigodo));
    return std::nullopt;
}

}  // namespace lum
