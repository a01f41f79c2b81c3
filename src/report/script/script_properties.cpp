#include "report/script/script_properties.h"

#include "report/draw/memo_layout.h"
#include "report/objects/memo_view.h"

#include <array>

namespace lum {
namespace {

constexpr std::array<const char16_t*, 16> propertyNames{
    u"Left",      u"Top",       u"Width", u"Height",   u"Flags",    u"Visible",  u"FrameTyp", u"FrameWidth",
    u"FrameColor", u"FillColor", u"Text",  u"FontName", u"FontSize", u"FontStyle", u"FontColor", u"Adjust"};

struct NamedColor {
    const char16_t* name;
    TColor color;  // blue in the high byte
};
constexpr std::array<NamedColor, 17> colorNames{{
    {u"clWhite", 0xFFFFFF},  {u"clBlack", 0x000000}, {u"clMaroon", 0x000080}, {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},  {u"clNavy", 0x800000},  {u"clPurple", 0x800080}, {u"clTeal", 0x808000},
    {u"clGray", 0x808080},   {u"clSilver", 0xC0C0C0}, {u"clRed", 0x0000FF},   {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF}, {u"clBlue", 0xFF0000},  {u"clFuchsia", 0xFF00FF}, {u"clAqua", 0xFFFF00},
    {u"clTransparent", clNone},
}};

bool sameName(QStringView a, const char16_t* b) { return a.compare(QStringView(b), Qt::CaseInsensitive) == 0; }

qint32 intOf(const ExprValue& v) {
    const std::int64_t i = v.toInt();
    if (i < INT32_MIN || i > INT32_MAX)
        throw EConvertError(QStringLiteral("%1 is not a valid integer value").arg(v.toString()));
    return static_cast<qint32>(i);
}
quint16 wordOf(const ExprValue& v) { return static_cast<quint16>(intOf(v) & 0xFFFF); }

const TfrMemoView* memoOf(const TfrView& v) { return v.Typ == gtMemo ? static_cast<const TfrMemoView*>(&v) : nullptr; }
TfrMemoView* memoOf(TfrView& v) { return v.Typ == gtMemo ? static_cast<TfrMemoView*>(&v) : nullptr; }

}  // namespace

std::optional<ScriptProperty> scriptProperty(QStringView name) {
    for (size_t i = 0; i < propertyNames.size(); ++i)
        if (sameName(name, propertyNames[i])) return static_cast<ScriptProperty>(i);
    return std::nullopt;
}

std::optional<TColor> colorByName(QStringView name) {
    for (const NamedColor& c : colorNames)
        if (sameName(name, c.name)) return c.color;
    return std::nullopt;
}

bool scriptBool(const ExprValue& value) {
    if (value.isString()) {
        const QString t = value.stringValue().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    }
    return value.toBool();
}

ExprValue readProperty(const TfrView& v, ScriptProperty p) {
    const TfrMemoView* m = memoOf(v);
    switch (p) {
    case ScriptProperty::Left: return ExprValue(v.Left);
    case ScriptProperty::Top: return ExprValue(v.Top);
    case ScriptProperty::Width: return ExprValue(v.Width);
    case ScriptProperty::Height: return ExprValue(v.Height);
    case ScriptProperty::Flags: return ExprValue(int(v.Flags));
    case ScriptProperty::Visible: return ExprValue(v.Visible);
    case ScriptProperty::FrameTyp: return ExprValue(int(v.FrameTyp));
    case ScriptProperty::FrameWidth: return ExprValue(double(v.FrameWidth));
    case ScriptProperty::FrameColor: return ExprValue(int(v.FrameColor));
    case ScriptProperty::FillColor: return ExprValue(int(v.FillColor));
    case ScriptProperty::Text: return ExprValue(v.Memo.join(u'\n'));
    default: break;
    }
    if (!m) return ExprValue(0);
    switch (p) {
    case ScriptProperty::FontName: return ExprValue(m->Font.Name);
    case ScriptProperty::FontSize: return ExprValue(m->Font.Size);
    case ScriptProperty::FontStyle: return ExprValue(int(m->Font.Style & kStoredFontStyleBits));
    case ScriptProperty::FontColor: return ExprValue(int(m->Font.Color));
    case ScriptProperty::Adjust: return ExprValue(int(m->Adjust));
    default: return ExprValue(0);
    }
}

void writeProperty(TfrView& v, ScriptProperty p, const ExprValue& value) {
    switch (p) {
    case ScriptProperty::Left: v.Left = intOf(value); return;
    case ScriptProperty::Top: v.Top = intOf(value); return;
    case ScriptProperty::Width: v.Width = intOf(value); return;
    case ScriptProperty::Height: v.Height = intOf(value); return;
    case ScriptProperty::Flags: v.Flags = wordOf(value); return;
    case ScriptProperty::Visible: v.Visible = scriptBool(value); return;
    case ScriptProperty::FrameTyp: v.FrameTyp = wordOf(value); return;
    case ScriptProperty::FrameWidth: v.FrameWidth = float(value.toDouble()); return;
    case ScriptProperty::FrameColor: v.FrameColor = intOf(value); return;
    case ScriptProperty::FillColor: v.FillColor = intOf(value); return;
    case ScriptProperty::Text: {
        QStringList lines = memo::splitLines(value.toString());
        if (lines.last().isEmpty()) lines.removeLast();  // a text that ends in a line break
        v.Memo = lines;
        return;
    }
    default: break;
    }
    TfrMemoView* m = memoOf(v);
    if (!m) return;  // font properties of other objects are ignored
    switch (p) {
    case ScriptProperty::FontName: m->Font.Name = value.toString(); return;
    case ScriptProperty::FontSize: m->Font.Size = intOf(value); return;
    case ScriptProperty::FontStyle:
        // Strike-out has no number here and is kept as it is.
        m->Font.Style = quint16((m->Font.Style & ~kStoredFontStyleBits) | (intOf(value) & kStoredFontStyleBits));
        return;
    case ScriptProperty::FontColor: m->Font.Color = intOf(value); return;
    case ScriptProperty::Adjust: m->Adjust = intOf(value); return;
    default: return;
    }
}

}  // namespace lum
