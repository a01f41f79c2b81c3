#pragma once
// The object properties scripts read and write by name ("Left", "FontSize", ...)
// and the colour names they may use ("clRed").
#include "report/expr/expr_value.h"
#include "report/objects/view.h"

#include <QString>
#include <optional>

namespace lum {

enum class ScriptProperty {
    Left, Top, Width, Height, Flags, Visible, FrameTyp, FrameWidth, FrameColor, FillColor, Text,
    // Memo objects only:
    FontName, FontSize, FontStyle, FontColor, Adjust,
};
inline bool isMemoProperty(ScriptProperty p) { return p >= ScriptProperty::FontName; }

// The property of a name, letter case ignored.
std::optional<ScriptProperty> scriptProperty(QStringView name);
// The colour of a name ("clWhite" ... "clAqua", "clTransparent" for no fill), letter case ignored.
std::optional<TColor> colorByName(QStringView name);

// A property of an object that is no band (memo properties of a memo only).
ExprValue readProperty(const TfrView& view, ScriptProperty p);
// Raises EConvertError for a value the property cannot take.
void writeProperty(TfrView& view, ScriptProperty p, const ExprValue& value);

// A value as a Boolean: numbers other than 0 are True, and so is the text "True".
bool scriptBool(const ExprValue& value);

}  // namespace lum
