#pragma once
// What the user types into the start time, minutes and remark cells of a
// results grid: the value to write, or nothing once a message has said why
// not. Every results grid (the per-client entry and the two medical records)
// reads these cells here.
#include "common/datetime.h"
#include "results/cure_results_store.h"

#include <QString>

#include <optional>

class QComboBox;
class QWidget;

namespace lum {

// "h:mm" or "hh:mm" as a time of day on the empty date; any other text is
// refused with a warning.
std::optional<TDateTime> ReadStartTimeCell(const QString& text, QWidget* parent);
// A whole number of minutes; a text that is none is refused with a warning,
// and a negative number is told ("負の値です。") and becomes 0.
std::optional<int> ReadMinutesCell(const QString& text, QWidget* parent);

enum class TypedCell { Start, Minutes };
// The change a typed cell makes (RStartTime or RMinute); nothing once the
// message has refused the text.
std::optional<CureResultChange> ReadTypedCell(TypedCell cell, const QString& text, QWidget* parent);

// The most a remark holds, in code page 932 bytes.
inline constexpr int ResultCommentBytes = 255;
// The remark typed or pasted into a grid's remark box: the change writing it,
// or nothing once the entry check has refused it (a NUL, a character code
// page 932 lacks, more than 255 bytes) with a warning; the box then shows the
// stored remark again and keeps the focus.
std::optional<CureResultChange> ReadTypedComment(QComboBox& box, const QString& stored, QWidget* parent);

}  // namespace lum
