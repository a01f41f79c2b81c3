#pragma once
// Whether a memo's text prints whole in its box: the lines it wraps into at
// template scale against the whole lines the box holds. The engine cuts a
// text that does not fit with this, and the document windows refuse at
// saving a text their printed box cannot show with it, so the window and
// the paper never disagree.
#include "report/draw/memo_layout.h"

namespace lum::memo {

// The mark at the end of the last printed line of a text that goes on.
inline constexpr QChar kCutMark = QChar(0x2026);  // …

struct Fit {
    QList<WrappedLine> lines;  // the text wrapped as it prints, without empty lines at its end
    int held = 0;              // the whole lines the box holds
    bool whole() const { return lines.size() <= held; }
};

// `text` (the memo's expanded lines) laid out in memo `m`. Rotated text and
// boxes too low for one line count as whole: they are never cut. Lines of a
// memo without word wrap are counted, not measured (cutToBox measures those
// it keeps).
Fit fit(const TfrMemoView& m, const QStringList& text);
// The same for lines wrapped already (a stretched memo's, measured before).
Fit fitLines(const TfrMemoView& m, QList<WrappedLine> lines);

// The lines of a text that does not fit: those the box holds, the last one
// ending in the cut mark (its end dropped as far as the mark needs).
QList<WrappedLine> cutToBox(const TfrMemoView& m, const Fit& fit);

}  // namespace lum::memo
