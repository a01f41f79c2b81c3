#pragma once
// The text object (memo) with its font, alignment and highlight.
#include "report/objects/view.h"

#include <memory>

namespace lum {

// Font style bits as the stream stores them; strike-out is kept in memory
// only (the stream has no bit for it).
enum TfrFontStyle : quint16 { fsItalic = 1, fsBold = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr quint16 kStoredFontStyleBits = fsItalic | fsBold | fsUnderline;

struct TfrFont {
    QString Name = QStringLiteral("ＭＳ ゴシック");
    int Size = 10;  // points
    quint16 Style = 0;
    TColor Color = clBlack;
    quint8 Charset = 128;  // the Japanese character set
};

struct TfrHighlight {
    quint16 FontStyle = fsBold;
    TColor FontColor = clBlack;
    TColor FillColor = clWhite;
};

// `Adjust` bits: horizontal alignment, rotation, vertical alignment.
enum TfrAdjust : qint32 {
    adLeft = 0,
    adRight = 1,
    adCenter = 2,
    adJustify = 3,
    adHorizontalMask = 3,
    adRotated = 4,
    adTop = 0,
    adMiddle = 8,
    adBottom = 16,
    adVerticalMask = 24,
};

struct MemoDrawLayout;  // report/draw/memo_layout.h

// Objects whose height can grow while a report is prepared.
class TfrStretcheable : public TfrView {
protected:
    using TfrView::TfrView;
};

class TfrMemoView : public TfrStretcheable {
public:
    // `Flags` bits of a memo.
    static constexpr quint16 flStretched = 1;
    static constexpr quint16 flWordWrap = 2;
    static constexpr quint16 flHyphenation = 4;
    static constexpr quint16 flAutoWidth = 8;

    TfrMemoView();
    std::unique_ptr<TfrView> clone() const override;
    void LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) override;
    void SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const override;

    TfrFont Font;
    qint32 Adjust = 0;
    TfrHighlight Highlight;
    QString HighlightCondition;
    int LineSpacing = 2;
    int CharSpacing = 0;
    // The text as drawing last laid it out (memo::draw), kept with what it was
    // laid out from: the preview draws the objects of a page again at every
    // repaint, zoom and search, and an unchanged object needs no new layout.
    mutable std::shared_ptr<const MemoDrawLayout> DrawLayout;

protected:
    void assignMemo(const TfrMemoView& from);
};

}  // namespace lum
