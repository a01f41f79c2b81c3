#pragma once
// What the conference record's template "conference.frf" is told: a plain
// function of the record and the conference date, which the window's value
// event calls and tests call alone.
#include "common/datetime.h"
#include "plans/conference_record.h"
#include "report/expr/expr_value.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

struct ConferencePrint {
    const TConference& conference;
    TDateTime conferDay;                    // the conference date (the row's PractDay)
    std::function<QString(int)> stuffName;  // a staff code's name, empty when unknown
};

// The value of a template name; nothing for a name the record does not answer.
std::optional<ExprValue> conferenceValue(const ConferencePrint& print, const QString& name);

// "変更（有）" or "変更（無）".
QString changeMarkText(bool changed);

}  // namespace lum
