#pragma once
// What the user types into the start time and minutes cells of a results
// grid: the value to write, or nothing once a message has said why not.
// Every results grid (the per-client entry and the two medical records)
// reads these cells here.
#include "common/datetime.h"
#include "results/cure_results_store.h"

#include <QString>

#include <optional>

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

}  // namespace lum
