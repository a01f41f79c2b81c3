#include "report/objects/view.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"

#include <atomic>
#include <cmath>
#include <limits>

namespace lum {

namespace {
std::atomic<int> viewCounter{0};

bool currentEncodings(const TfrStreamContext& ctx) { return ctx.version >= kTemplateVersionCurrent; }
}  // namespace

int nextViewId() { return ++viewCounter; }

TfrView::TfrView(quint8 typ, const QString& baseName) : ID(nextViewId()), Typ(typ), BaseName(baseName) {}

TfrView::~TfrView() = default;

void TfrView::assignBase(const TfrView& from) {
    Name = from.Name;
    Typ = from.Typ;
    Left = from.Left;
    Top = from.Top;
    Width = from.Width;
    Height = from.Height;
    Flags = from.Flags;
    FrameTyp = from.FrameTyp;
    FrameWidth = from.FrameWidth;
    FrameColor = from.FrameColor;
    FrameStyle = from.FrameStyle;
    FillColor = from.FillColor;
    Format = from.Format;
    FormatStr = from.FormatStr;
    Visible = from.Visible;
    Memo = from.Memo;
    Script = from.Script;
}

void TfrView::SetBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

qint32 encodeFrameWidth(float width) {
    if (!std::isfinite(width))
        return 0;
    if (width == std::floor(width) && width <= 10)
        return static_cast<qint32>(width);
    const double scaled = std::nearbyint(double(width) * 1000.0);
    if (scaled > 10) {
        constexpr double most = std::numeric_limits<qint32>::max();
        return static_cast<qint32>(scaled > most ? most : scaled);
    }
    // A width whose thousandfold is 10 or less would read back as that many
    // whole pixels: store the nearest width the stream can hold instead.
    if (width < 0)
        return static_cast<qint32>(std::nearbyint(width));
    return width < 0.0055f ? 0 : 11;
}

float decodeFrameWidth(qint32 stored) { return stored <= 10 ? float(stored) : float(double(stored) / 1000.0); }

void TfrView::LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) {
    const bool current = currentEncodings(ctx);
    const bool isTemplate = ctx.mode == TfrStreamMode::Template;
    StreamMode = ctx.mode;
    if (isTemplate && current)
        Name = in.currentString();
    in.require(30, "an object's position and frame");
    Left = in.i32();
    Top = in.i32();
    Width = in.i32();
    Height = in.i32();
    Flags = in.u16();
    FrameTyp = in.u16();
    FrameWidth = decodeFrameWidth(in.i32());
    FrameColor = in.i32();
    FrameStyle = in.u16();
    FillColor = in.i32();
    if (isTemplate) {
        Format = in.i32();
        FormatStr = current ? in.currentString() : in.oldString();
        Memo = current ? in.currentLines() : in.oldLines();
        if (current) {
            Script = in.currentLines();
            Visible = in.u16() != 0;
        }
    } else {
        Memo1 = in.currentLines();
        Memo = Memo1;
    }
}

void TfrView::SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const {
    const bool isTemplate = ctx.mode == TfrStreamMode::Template;
    if (isTemplate)
        out.currentString(Name);
    out.i32(Left);
    out.i32(Top);
    out.i32(Width);
    out.i32(Height);
    out.u16(Flags);
    out.u16(FrameTyp);
    out.i32(encodeFrameWidth(FrameWidth));
    out.i32(FrameColor);
    out.u16(FrameStyle);
    out.i32(FillColor);
    if (isTemplate) {
        out.i32(Format);
        out.currentString(FormatStr);
        out.currentLines(Memo);
        out.currentLines(Script);
        out.u16(Visible ? 0xFFFF : 0);
    } else {
        out.currentLines(Memo1);
    }
}

}  // namespace lum
