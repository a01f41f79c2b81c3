#include "report/draw/memo_fit.h"

#include "report/render/text_metrics.h"

namespace lum::memo {

namespace {

// Widths are not needed to count lines a memo does not wrap; they are
// measured only for the lines a cut text prints.
constexpr int kUnmeasured = -1;

}  // namespace

Fit fitLines(const TfrMemoView& m, QList<WrappedLine> lines) {
    Fit f;
    f.lines = std::move(lines);
    // Empty lines at the end (a last Enter, the blank lines a new document
    // leaves for filling in) print nothing: they never make a text too long.
    while (!f.lines.isEmpty() && f.lines.last().text.trimmed().isEmpty()) f.lines.removeLast();
    // One line always counts as whole (a box too low for it is never cut):
    // the common case of a list's cells needs no layout.
    if (f.lines.size() <= 1 || (m.Adjust & adRotated)) {
        f.held = int(f.lines.size());
        return f;
    }
    f.held = linesThatFit(m, f.lines);
    if (f.held == 0) f.held = int(f.lines.size());
    return f;
}

Fit fit(const TfrMemoView& m, const QStringList& text) {
    if (m.Flags & TfrMemoView::flWordWrap) return fitLines(m, wrapText(m, text).lines);
    QList<WrappedLine> lines;
    lines.reserve(text.size());
    for (const QString& line : text) lines.append({line, true, kUnmeasured});
    return fitLines(m, std::move(lines));
}

QList<WrappedLine> cutToBox(const TfrMemoView& m, const Fit& f) {
    QList<WrappedLine> kept = f.lines.mid(0, f.held);
    const CanvasFont font = canvasFont(m, measureHeight(m));
    for (WrappedLine& line : kept)
        if (line.width == kUnmeasured) line.width = TextMetrics::width(font, line.text, m.CharSpacing);
    if (f.whole() || kept.isEmpty()) return kept;
    const ViewGeometry g = scaleForDrawing(m);
    const int available = m.Width - 2 * g.GapX;
    WrappedLine& last = kept.last();
    QString t = last.text;
    const auto marked = [&] { return t + kCutMark; };
    while (!t.isEmpty() && TextMetrics::width(font, marked(), m.CharSpacing) > available) {
        t.chop(t.size() >= 2 && t.at(t.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    last.text = marked();
    last.width = TextMetrics::width(font, last.text, m.CharSpacing);
    last.paragraphEnd = true;
    return kept;
}

}  // namespace lum::memo
