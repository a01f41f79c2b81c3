#pragma once
// What the conference survey's template "BeforeConf.frf" is told: a plain
// function of the survey and its 実施日, which the window's value event calls
// and tests call alone. The seven function flags are Boolean values, so the
// template's check boxes show them.
#include "common/datetime.h"
#include "plans/before_conference_record.h"
#include "report/expr/expr_value.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

struct BeforeConferencePrint {
    const TBeforeConference& survey;
    TDateTime practDay;                      // the 実施日 (the row's ConferenceDay)
    std::function<QString(int)> stuffName;  // a staff code's name, empty when unknown
};

// The value of a template name; nothing for a name the survey does not answer.
std::optional<ExprValue> beforeConferenceValue(const BeforeConferencePrint& print, const QString& name);

// A goal text as printed: "有（" + text + "　）" when its box is checked,
// "未定" when not, whatever the text holds.
QString goalText(bool checked, const QString& text);

}  // namespace lum
