#pragma once
// What the treatment plan's template is told, as plain functions of the
// plan: the window's printout and the bulk plan printouts answer the same
// names with these, and draw the same chart.
#include "common/datetime.h"
#include "plans/body_chart_model.h"
#include "plans/plan_record.h"
#include "report/expr/expr_value.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace lum {

class TfrView;

// The plan's end by default: the start's day three months later (cut to the
// month's length), minus one day.
TDateTime DefaultEndDate(TDateTime start);

// The value of a template name ("Name", "MUp", "Sakuwa", "Shisetsu", ...);
// nothing for a name the plan does not answer (the engine then goes on).
std::optional<ExprValue> curePlanValue(const TPlan& plan, const QString& facilityName, const QString& name);

// The text that replaces an object whose first line is "[EtcMemo]",
// "[DrMemo]" or "[Sonota]"; nothing for any other object.
std::optional<QString> curePlanMemo(const TPlan& plan, const QString& firstLine);

// The first line that marks the object receiving the body chart.
inline const QString PictureMarker = QStringLiteral("[Picture]");

// The plan's part of an object about to be placed on a page: a picture object
// marked "[Picture]" gets the chart, a memo marker the plan's text; any other
// object is left as it is.
void enterCurePlanObject(const TPlan& plan, const QImage& chart, QStringList& memo, TfrView* view);

}  // namespace lum
