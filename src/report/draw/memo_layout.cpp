#include "report/draw/memo_layout.h"

#include "report/expr/tfr_parser.h"

#include <algorithm>
#include <cmath>

namespace lum {
namespace memo {
namespace {

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }
bool isBreakChar(QChar c) { return c == u' ' || c == u',' || c == u'-' || c == u'.'; }

int horizontalAdjust(const TfrMemoView& m) { return m.Adjust & (adHorizontalMask | adRotated); }

}  // namespace

QStringList splitLines(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && !isLineBreak(text.at(i))) ++i;
    if (i == n) return {text};  // the common case: one line, shared, not copied
    QStringList lines;
    qsizetype start = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (!isLineBreak(c)) continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;  // CR LF is one break
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

CanvasFont canvasFont(const TfrMemoView& m, int pixelHeight) {
    CanvasFont f;
    f.family = m.Font.Name;
    f.pixelHeight = pixelHeight;
    f.style = m.Font.Style;
    f.color = m.Font.Color;
    return f;
}

int measureHeight(const TfrMemoView& m) { return fontPixelHeight(m.Font.Size, 96); }

QStringList expandText(const QStringList& memoText, const std::function<QString(const QString&)>& expandExpression) {
    QStringList out;
    for (const QString& line : memoText) {
        if (line.isEmpty()) {
            out.append(QString());
            continue;
        }
        QString result;
        qsizetype i = 0;
        while (i < line.size()) {
            if (line.at(i) != u'[') {
                result += line.at(i++);
                continue;
            }
            const qsizetype close = matchingBracket(line, i);
            if (close < 0) {  // no closing bracket: the rest stays as it is
                result += line.mid(i);
                break;
            }
            result += expandExpression(line.mid(i + 1, close - i - 1));
            i = close + 1;  // the inserted value is not scanned again
        }
        out.append(splitLines(result));
    }
    return out;
}

// The wrap rule: a line ends at the last blank or one of ",", "-", "." before
// the character that makes it too wide (a blank at the end is dropped); a word
// wider than the line breaks before that character, so every character stays
// whole and each line fits. Line breaks inside the text end paragraphs (runs of
// them count as one).
QList<WrappedLine> wrapLine(const QString& s, int width, const CanvasFont& font, int charExtra) {
    QList<WrappedLine> out;
    const auto add = [&](const QString& t, bool paragraphEnd) {
        out.append({t, paragraphEnd, TextMetrics::width(font, t, charExtra)});
    };
    const bool hasBreaks = s.contains(u'\r') || s.contains(u'\n');
    if (!hasBreaks) {
        const int whole = TextMetrics::width(font, s, charExtra);
        if (s.size() < 2 || whole <= width) {
            out.append({s, true, whole});
            return out;
        }
    }
    const qsizetype n = s.size();
    qsizetype start = 0, lastBreak = 0, i = 0;
    PrefixWidths prefix(font, s, charExtra);  // the width of s[start..i], one pass per line
    while (i < n) {
        const QChar c = s.at(i);
        if (isLineBreak(c)) {
            add(s.mid(start, i - start), true);
            while (i < n && isLineBreak(s.at(i))) ++i;
            if (i >= n) return out;
            start = lastBreak = i;
            prefix.restart(start);
            continue;
        }
        if (c != u' ' && prefix.through(i) > width) {
            if (lastBreak == start) lastBreak = i > start ? i - 1 : i;
            // Keep a surrogate pair together.
            if (lastBreak + 1 < n && s.at(lastBreak).isHighSurrogate()) ++lastBreak;
            QString line = s.mid(start, lastBreak - start + 1);
            if (line.endsWith(u' ')) line.chop(1);
            add(line, false);
            start = lastBreak + 1;
            lastBreak = start;
            prefix.restart(start);
        }
        if (isBreakChar(c) && i >= start) lastBreak = i;
        ++i;
    }
    if (start < n) add(s.mid(start), true);
    return out;
}

WrapResult wrapText(const TfrMemoView& m, const QStringList& text) {
    WrapResult r;
    const ViewGeometry g = scaleForDrawing(m);
    const int em = measureHeight(m);
    const CanvasFont font = canvasFont(m, em);
    const bool rotated = m.Adjust & adRotated;
    const int available = rotated ? m.Height - 2 * g.GapY : m.Width - 2 * g.GapX;
    r.lineHeight = m.LineSpacing + em;
    for (const QString& line : text) {
        if (m.Flags & TfrMemoView::flWordWrap)
            r.lines += wrapLine(line, available, font, m.CharSpacing);
        else
            r.lines.append({line, true, TextMetrics::width(font, line, m.CharSpacing)});
    }
    r.textHeight = int(r.lines.size()) * r.lineHeight + 2 * g.GapY;
    return r;
}

int calcWidth(const TfrMemoView& m, const QStringList& lines, double scaleX) {
    const CanvasFont font = canvasFont(m, measureHeight(m));
    const int extra = roundEven(m.CharSpacing * scaleX);
    int w = 0;
    for (const QString& l : lines) w = qMax(w, TextMetrics::width(font, decodeWrappedLine(l).text, extra));
    return w + roundEven(2 * m.FrameWidth) + 2;
}

int calcHeight(const TfrMemoView& m, const QStringList& text, MemoLayoutState& state) {
    if (text.isEmpty()) return 0;
    const WrapResult r = wrapText(m, text);
    state.LineHeightPx = r.lineHeight;
    state.Scratch = r.lines;
    return r.textHeight;
}

namespace {

struct TextPass {
    const TfrMemoView& m;
    const ViewGeometry& g;
    ReportCanvas* canvas;
    bool writeMode;
    double scaleX;
    CanvasFont font;
    QRect clip;
};

// A stored width is whole pixels at scale 1, so scaled it may fall short of
// the same text measured at the output by the rounding: half a pixel times
// the scale, and the output's own half pixel. Such a line is placed to the
// stored width; only a line wider than that has its font made smaller.
int roundingSlack(double scaleX) { return int(std::ceil(scaleX / 2)) + 1; }

// One horizontal line at y (the next line starts at nextY); false when (in
// write mode) it does not fit.
bool drawLine(TextPass& p, const WrappedLine& line, int y, int nextY) {
    if (p.writeMode && nextY > p.clip.bottom() + 1) return false;
    if (p.canvas) {
        ReportCanvas& c = *p.canvas;
        const ViewGeometry& g = p.g;
        const int h = horizontalAdjust(p.m);
        c.setFont(p.font);
        if (h == adJustify) {
            const int x = g.Left + g.GapX;
            if (line.text.contains(u' ') && !line.paragraphEnd)
                c.textOutJustified(x, y, line.text, g.Width - 2 * g.GapX - c.textWidth(line.text), p.clip);
            else
                c.textOut(x, y, line.text, p.clip);
        } else {
            const int w = roundEven(line.width * p.scaleX);
            CanvasFont f = p.font;
            int textWidth = c.textWidth(line.text);  // measured once at the output size
            if (textWidth > w + roundingSlack(p.scaleX) && f.pixelHeight > 1) {
                // The largest smaller font that fits (1 pixel when none does),
                // found by halving: a damaged file's huge font must not take
                // millions of one-pixel steps.
                int lo = 1, hi = f.pixelHeight - 1, best = 1;
                while (lo <= hi) {
                    const int mid = lo + (hi - lo) / 2;
                    f.pixelHeight = mid;
                    c.setFont(f);
                    if (c.textWidth(line.text) <= w) {
                        best = mid;
                        lo = mid + 1;
                    } else {
                        hi = mid - 1;
                    }
                }
                f.pixelHeight = best;
                c.setFont(f);
                textWidth = c.textWidth(line.text);
            }
            // A line wider than its box keeps its start: it is cut at its end,
            // never on both sides (a middle slice of a name reads as another).
            const int left = g.Left + g.GapX;
            int x = left;
            if (h == adRight) x = g.Left + g.Width - 1 - g.GapX - w;
            else if (h == adCenter) x = g.Left + g.GapX + (g.Width - 2 * g.GapX - w) / 2;
            x = qMax(x, left);
            if (textWidth > w)
                c.textOutPlaced(x, y, line.text, w, p.clip);
            else
                c.textOut(x, y, line.text, p.clip);
            c.setFont(p.font);
        }
    }
    return true;
}

void drawRotatedLine(TextPass& p, const WrappedLine& line, int x) {
    ReportCanvas& c = *p.canvas;
    const ViewGeometry& g = p.g;
    c.setFont(p.font);
    const int tw = c.textWidth(line.text);
    int y = g.Top + g.Height - g.GapY;
    int extra = 0;
    switch (horizontalAdjust(p.m)) {
    case adRotated | adRight: y = g.Top + g.GapY + tw; break;
    case adRotated | adCenter: y = g.Top + g.Height - 1 - g.GapY - (g.Height - 2 * g.GapY - tw) / 2; break;
    case adRotated | adJustify:
        if (!line.paragraphEnd && line.text.contains(u' ')) extra = g.Height - 2 * g.GapY - tw;
        break;
    default: break;
    }
    // Text runs upwards from y: a run longer than its box keeps its start.
    y = qMin(y, g.Top + g.Height - g.GapY);
    if (extra != 0)
        c.textOutJustified(x, y, line.text, extra, p.clip);
    else
        c.textOut(x, y, line.text, p.clip);
}

}  // namespace

int showText(const TfrMemoView& m, const ViewGeometry& g, const QList<WrappedLine>& lines, ReportCanvas* canvas,
             bool writeMode, double scaleX, double scaleY) {
    // The lines were laid out at scale 1 (96 ppi em, whole-pixel line steps);
    // at any other scale they are drawn where that layout puts them, scaled,
    // so the lines a box holds at its own size are the lines it holds at
    // every zoom and on paper. Rounding each scale's font size and line step
    // on its own would add up line by line and push the last lines out.
    const int em = measureHeight(m);
    const int step = em + m.LineSpacing;
    const bool printer = canvas && canvas->isPrinter();
    const int device =
        printer ? fontPixelHeight(m.Font.Size, canvas->dpiY()) : roundEven(m.Font.Size * 96.0 / 72 * scaleY);
    // The font of the device (its point size on paper, its pixel size at the
    // zoom on screen), never larger than the laid-out em scaled, so that a
    // line needs no more room across or down than its layout gave it.
    const int pixel = qMax(1, qMin(device, int(std::floor(em * std::min(scaleX, scaleY) + 1e-6))));
    const bool rotated = m.Adjust & adRotated;
    TextPass p{m, g, canvas, writeMode, scaleX, canvasFont(m, pixel), {}};
    p.font.rotated = rotated;
    p.clip = QRect(QPoint(g.DLeft + 1, g.DTop), QPoint(g.DRight - 3, g.DBottom - 2));
    if (canvas) {
        canvas->setCharExtra(roundEven(m.CharSpacing * scaleX));
        canvas->setBrush(kNoColor);
    }
    const ViewGeometry g1 = scaleForDrawing(m);
    const int textHeight = int(lines.size()) * step + 2 * g1.GapY;
    const int space = rotated ? m.Width : m.Height;
    // Middle and bottom alignment move the block; a block taller than its box
    // moves no further up than its first line's top at the box's top, so an
    // overflowing text keeps its first lines whole and is cut at its end,
    // never on both sides (a middle slice of a name reads as another name).
    int offset = 0;
    if ((m.Adjust & adVerticalMask) == adMiddle) offset = (space - textHeight) / 2;
    else if ((m.Adjust & adVerticalMask) == adBottom) offset = space - textHeight;
    offset = qMax(offset, rotated ? g1.DLeft + 1 - g1.Left - g1.GapX : g1.DTop - g1.Top - g1.GapY);
    // Where line k starts at the output scale: in the pixel its laid-out
    // place falls in, never below it, so that at the smallest zooms (less
    // than a pixel between lines) the last line still ends inside its box.
    const double scale = rotated ? scaleX : scaleY;
    const int origin = rotated ? g.Left : g.Top;
    const int first = (rotated ? g1.GapX : g1.GapY) + offset;
    const auto lineAt = [&](int k) { return origin + int(std::floor((first + double(k) * step) * scale + 1e-6)); };

    int drawn = 0;
    if (!rotated) {
        for (const WrappedLine& line : lines) {
            if (!drawLine(p, line, lineAt(drawn), lineAt(drawn + 1))) break;
            ++drawn;
        }
    } else if (canvas) {
        for (const WrappedLine& line : lines) {
            drawRotatedLine(p, line, lineAt(drawn));
            ++drawn;
        }
    } else {
        drawn = int(lines.size());  // rotated text is never split
    }
    return drawn;
}

int linesThatFit(const TfrMemoView& m, const QList<WrappedLine>& lines) {
    return showText(m, scaleForDrawing(m), lines, nullptr, true, 1, 1);
}

const MemoDrawLayout& drawLayout(const TfrMemoView& source) {
    const QStringList& text = source.Memo1.isEmpty() ? source.Memo : source.Memo1;
    if (source.DrawLayout && source.DrawLayout->laidOutFrom(source, text)) return *source.DrawLayout;
    auto layout = std::make_shared<MemoDrawLayout>();
    layout->text = text;
    layout->fontName = source.Font.Name;
    layout->fontSize = source.Font.Size;
    layout->fontStyle = source.Font.Style;
    layout->adjust = source.Adjust;
    layout->flags = source.Flags;
    layout->charSpacing = source.CharSpacing;
    layout->width = source.Width;
    layout->height = source.Height;
    layout->frameWidth = source.FrameWidth;
    if (!text.isEmpty()) {
        if (isAlreadyWrapped(text)) {
            layout->lines = decodeWrappedLines(text);
            if (source.Flags & TfrMemoView::flAutoWidth) layout->autoWidth = calcWidth(source, text);
        } else if (source.Flags & TfrMemoView::flAutoWidth) {
            layout->autoWidth = calcWidth(source, text);
            const auto sized = source.clone();
            sized->Width = layout->autoWidth;
            layout->lines = wrapText(static_cast<const TfrMemoView&>(*sized), text).lines;
        } else {
            layout->lines = wrapText(source, text).lines;
        }
    }
    source.DrawLayout = std::move(layout);
    return *source.DrawLayout;
}

void draw(const TfrMemoView& source, ReportCanvas& canvas, double scaleX, double scaleY, int offsX, int offsY) {
    drawLayout(source);
    // Held here: drawing must not depend on the object's slot staying as it is.
    const std::shared_ptr<const MemoDrawLayout> layout = source.DrawLayout;
    const QList<WrappedLine>& lines = layout->lines;
    const TfrMemoView* m = &source;
    std::unique_ptr<TfrView> autoSized;
    if (layout->autoWidth >= 0) {
        autoSized = source.clone();
        auto* sized = static_cast<TfrMemoView*>(autoSized.get());
        if ((source.Adjust & adHorizontalMask) == adRight) sized->Left += sized->Width - layout->autoWidth;
        sized->Width = layout->autoWidth;
        m = sized;
    }
    const ViewGeometry g = scaleForDrawing(*m, scaleX, scaleY, offsX, offsY);
    fillBackground(*m, g, canvas);
    drawFrame(*m, g, canvas);
    if (!lines.isEmpty()) showText(*m, g, lines, &canvas, false, scaleX, scaleY);
}

}  // namespace memo

bool MemoDrawLayout::laidOutFrom(const TfrMemoView& m, const QStringList& t) const {
    return text == t && fontName == m.Font.Name && fontSize == m.Font.Size && fontStyle == m.Font.Style &&
           adjust == m.Adjust && flags == m.Flags && charSpacing == m.CharSpacing && width == m.Width &&
           height == m.Height && frameWidth == m.FrameWidth;
}

void fillBackground(const TfrView& v, const ViewGeometry& g, ReportCanvas& canvas) {
    if (v.FillColor == clNone) return;
    canvas.fillRect(QRect(QPoint(g.Left, g.Top), QPoint(g.Right - 1, g.Bottom - 1)), v.FillColor);
}

namespace {

// One framed side: a plain line, width-many one-pixel lines for dashed pens
// (the brush shows in the gaps), or a double line.
void drawSide(const TfrView& v, const ViewGeometry& g, ReportCanvas& c, int x1, int y1, int x2, int y2) {
    const bool vertical = x1 == x2;
    const int width = qMax(1, roundEven(g.FrameWidth));
    const auto line = [&](int offset) {
        if (vertical) c.drawLine(x1 + offset, y1, x2 + offset, y2);
        else c.drawLine(x1, y1 + offset, x2, y2 + offset);
    };
    if (v.FrameStyle == fsDouble) {
        c.setPen({v.FrameColor, width, fsSolid});
        line(-width);
        line(width);
        c.setPen({v.FillColor == clNone ? clWhite : v.FillColor, width, fsSolid});
        line(0);
    } else if (v.FrameStyle != fsSolid) {
        c.setPen({v.FrameColor, 1, v.FrameStyle});
        c.setBrush(v.FillColor);
        for (int k = 0; k < width; ++k) line(k - width / 2);
        c.setBrush(kNoColor);
    } else {
        c.setPen({v.FrameColor, width, fsSolid});
        line(0);
    }
}

}  // namespace

void drawFrame(const TfrView& v, const ViewGeometry& g, ReportCanvas& canvas) {
    const int sides = v.FrameTyp & frAllSides;
    if (sides == 0) return;
    canvas.setBrush(kNoColor);
    const int right = g.Right, bottom = g.Bottom;
    if (sides == frAllSides && v.FrameStyle == fsSolid) {
        canvas.setPen({v.FrameColor, qMax(1, roundEven(g.FrameWidth)), fsSolid});
        canvas.drawRect(QRect(QPoint(g.Left, g.Top), QPoint(right, bottom)));
        return;
    }
    if (sides & frRight) drawSide(v, g, canvas, right, g.Top, right, bottom);
    if (sides & frLeft) drawSide(v, g, canvas, g.Left, g.Top, g.Left, bottom);
    if (sides & frBottom) drawSide(v, g, canvas, g.Left, bottom, right, bottom);
    if (sides & frTop) drawSide(v, g, canvas, g.Left, g.Top, right, g.Top);
}

}  // namespace lum
