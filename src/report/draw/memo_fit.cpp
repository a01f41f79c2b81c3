#include "report/draw/memo_fit.h"

#include "report/render/text_metrics.h"

namespace lum::memo {

Fit fit(const TfrMemoView& m, const QStringList& text) {
    Fit f;
    f.lines = wrapText(m, text).lines;
    // Empty lines at the end (a last Enter, the blank lines a new document
    // leaves for filling in) print nothing: they never make a text too long.
    while (!f.lines.isEmpty() && f.lines.last().text.trimmed().isEmpty()) f.lines.removeLast();
    f.held = (m.Adjust & adRotated) ? int(f.lines.size()) : linesThatFit(m, f.lines);
    if (f.held == 0) f.held = int(f.lines.size());
    return f;
}

QList<WrappedLine> cutToBox(const TfrMemoView& m, const Fit& f) {
    QList<WrappedLine> kept = f.lines.mid(0, f.held);
    if (f.whole() || kept.isEmpty()) return kept;
    const ViewGeometry g = scaleForDrawing(m);
    const CanvasFont font = canvasFont(m, measureHeight(m));
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
