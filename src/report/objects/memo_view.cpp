#include "report/objects/memo_view.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"

namespace lum {

TfrMemoView::TfrMemoView() : TfrStretcheable(gtMemo, QStringLiteral("Memo")) { Flags = flStretched | flWordWrap; }

void TfrMemoView::assignMemo(const TfrMemoView& from) {
    assignBase(from);
    Font = from.Font;
    Adjust = from.Adjust;
    Highlight = from.Highlight;
    HighlightCondition = from.HighlightCondition;
    LineSpacing = from.LineSpacing;
}

std::unique_ptr<TfrView> TfrMemoView::clone() const {
    auto copy = std::make_unique<TfrMemoView>();
    copy->assignMemo(*this);
    return copy;
}

void TfrMemoView::LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) {
    TfrView::LoadFromStream(in, ctx);
    const bool current = ctx.version >= kTemplateVersionCurrent;
    Font.Name = current ? in.currentString() : in.oldString();
    Font.Size = in.i32();
    Font.Style = in.u16() & kStoredFontStyleBits;
    Font.Color = in.i32();
    Adjust = in.i32();
    const quint16 charset = in.u16();
    // Templates before version 23 carry no usable character set.
    Font.Charset = current ? quint8(charset & 0xFF) : 0;
    if (ctx.mode == TfrStreamMode::Template) {
        Highlight.FontStyle = in.u16() & kStoredFontStyleBits;
        Highlight.FontColor = in.i32();
        Highlight.FillColor = in.i32();
        HighlightCondition = current ? in.currentString() : in.oldString();
    }
    if (ctx.version == kTemplateVersionOldest)
        Flags |= flWordWrap;
}

void TfrMemoView::SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const {
    TfrView::SaveToStream(out, ctx);
    out.currentString(Font.Name);
    out.i32(Font.Size);
    out.u16(Font.Style & kStoredFontStyleBits);
    out.i32(Font.Color);
    out.i32(Adjust);
    out.u16(Font.Charset);
    if (ctx.mode == TfrStreamMode::Template) {
        out.u16(Highlight.FontStyle & kStoredFontStyleBits);
        out.i32(Highlight.FontColor);
        out.i32(Highlight.FillColor);
        out.currentString(HighlightCondition);
    }
}

}  // namespace lum
