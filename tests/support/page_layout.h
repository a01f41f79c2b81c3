#pragma once
// The layout of printed pages, read from the engine's own objects (not from
// pixels): each object of a prepared page drawn alone on a recording canvas,
// so every text run, frame line and ring is known with the object it belongs
// to. The checks are what a reader of the paper needs:
//  - a text stays inside its box and keeps 1 mm from every frame line beside
//    it (a digit that ends on the line loses a stroke to it), and no frame
//    line runs through it;
//  - no two texts overlap;
//  - a ring (an ellipse shape, or a "○" printed over a choice) holds the
//    whole of one word and touches no other; a "○" that is the value of a
//    framed cell of its own is a text;
//  - no text or line lies within 5 mm of the sheet's edge, the strip a
//    printer cannot reach (the engine's own printer geometry leaves it out).
// `ringHolds` and `ringInk` are the geometry alone, for windows that draw
// their rings with labels.
#include "report/draw/memo_fit.h"
#include "report/draw/view_draw.h"
#include "report/engine/page_geometry.h"
#include "report/engine/prepared_pages.h"
#include "report/objects/addin_views.h"
#include "report/objects/memo_view.h"
#include "report/prepared/page_draw.h"
#include "report/render/recording_canvas.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace lum::test {

inline constexpr double kFrameGap = 96.0 / 25.4;  // 1 mm in page pixels
// The strip along the sheet's edges a printer cannot print on, in the
// engine's page pixels across and down.
inline constexpr double kUnprintableMm = 5.0;
inline constexpr double kUnprintableX = kUnprintableMm / 25.4 * kScreenPixelsPerInchX;
inline constexpr double kUnprintableY = kUnprintableMm / 25.4 * kScreenPixelsPerInchY;
inline const QString kRingGlyph = QStringLiteral("○");

// One line of text as printed: its ink (advances, blanks at either end left
// out; the em height), the box it is clipped to and the object it belongs to.
struct LaidText {
    QString text;  // without its blanks at either end
    QRectF ink;
    QRectF tight;  // the glyphs' own outline, for rings
    QRect clip;
    int owner = -1;
    QString ownerName;
};

struct Ring {
    QRectF inner;  // inside the stroke
    QRectF outer;
    int owner = -1;
    QString ownerName;
    QString word;  // the text the ring holds (the lines of one object, joined)
};

struct PageLayout {
    QList<LaidText> texts;
    QList<QLineF> lines;  // frame lines and line objects, horizontal or vertical
    QList<Ring> rings;
    QRectF paper;  // the sheet itself; nothing printed may leave it
};

inline bool isBlank(QChar c) { return c == u' ' || c == QChar(0x3000) || c == u'\t'; }

// Normalised distance of a point from an ellipse's centre (1 on the ellipse).
inline double ellipseDistance(const QRectF& e, QPointF p) {
    const double rx = e.width() / 2, ry = e.height() / 2;
    if (rx <= 0 || ry <= 0) return 1e9;
    const double dx = (p.x() - e.center().x()) / rx, dy = (p.y() - e.center().y()) / ry;
    return std::sqrt(dx * dx + dy * dy);
}

// The whole box lies inside the ellipse.
inline bool ringHolds(const QRectF& ellipse, const QRectF& box) {
    for (QPointF p : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
        if (ellipseDistance(ellipse, p) > 1.0) return false;
    return true;
}

// Some of the box lies inside the ellipse.
inline bool ringTouches(const QRectF& ellipse, const QRectF& box) {
    const QPointF c = ellipse.center();
    const QPointF nearest(std::clamp(c.x(), box.left(), box.right()), std::clamp(c.y(), box.top(), box.bottom()));
    return ellipseDistance(ellipse, nearest) < 1.0;
}

// The outline of a "○" glyph drawn with its cell's top-left at `origin`
// (outer edge of the stroke), and the stroke's width.
inline QRectF ringInk(const QFont& font, QPointF origin, double* stroke = nullptr) {
    const QFontMetricsF fm(font);
    if (stroke) *stroke = std::max(1.0, fm.height() / 16);
    return fm.tightBoundingRect(kRingGlyph).translated(origin.x(), origin.y() + fm.ascent());
}

namespace detail {

inline double advance(const CanvasOp& op, const QString& text) { return TextMetrics::width(op.font, text, op.charExtra); }

// `markable`: a "○" of this object may be a ring over a choice. A framed
// cell whose own value is "○" (a ticked category, a priority) prints a
// mark in its cell, not over a word: it is a text like any other.
inline void addText(PageLayout& out, const CanvasOp& op, int owner, const QString& name, bool markable) {
    if (op.font.rotated) return;  // no template prints rotated text
    qsizetype first = 0, last = op.text.size();
    while (first < last && isBlank(op.text[first])) ++first;
    while (last > first && isBlank(op.text[last - 1])) --last;
    if (first == last) return;
    const double natural = advance(op, op.text);
    const double factor = natural > 0 ? op.width() / natural : 1.0;
    const double x0 = op.x + advance(op, op.text.left(first)) * factor;
    const double x1 = op.x + advance(op, op.text.left(last)) * factor;
    LaidText t;
    t.text = op.text.mid(first, last - first);
    t.ink = QRectF(QPointF(x0, op.y), QPointF(x1, op.y + op.font.pixelHeight));
    const QFontMetricsF fm(TextMetrics::qfont(op.font));
    t.tight = fm.tightBoundingRect(t.text).translated(x0, op.y + fm.ascent());
    t.clip = op.clip;
    t.owner = owner;
    t.ownerName = name;
    if (t.text == kRingGlyph && markable) {
        double stroke = 1;
        Ring r;
        r.outer = ringInk(TextMetrics::qfont(op.font), QPointF(x0, op.y), &stroke);
        r.inner = r.outer.adjusted(stroke, stroke, -stroke, -stroke);
        r.owner = owner;
        r.ownerName = name;
        out.rings.append(r);
        return;
    }
    out.texts.append(t);
}

inline void addLine(PageLayout& out, QLineF l) {
    if (l.x1() == l.x2() || l.y1() == l.y2()) out.lines.append(l);
}

}  // namespace detail

// The layout of one prepared page at its own size (96 pixels per inch).
inline PageLayout layOutPage(const TfrPreparedPage& page) {
    PageLayout out;
    out.paper = QRectF(pageDrawRect(page, 0, 0, 1.0));
    const auto objects = page.objects();
    for (int i = 0; i < int(objects.size()); ++i) {
        const TfrView& v = *objects[size_t(i)];
        if (!v.Visible) continue;
        RecordingCanvas canvas;
        drawView(v, canvas);
        // Prepared objects keep no name: the box tells which it is.
        const QString name = v.Name.isEmpty() ? QStringLiteral("box %1,%2 %3x%4").arg(v.Left).arg(v.Top).arg(v.Width).arg(v.Height)
                                              : v.Name;
        const auto* shape = dynamic_cast<const TfrShapeView*>(&v);
        const bool framed = dynamic_cast<const TfrMemoView*>(&v) || v.Typ == gtLine;
        const bool cellOfItsOwn = dynamic_cast<const TfrMemoView*>(&v) && (v.FrameTyp & frAllSides) == frAllSides;
        for (const CanvasOp& op : canvas.ops()) {
            if (op.isText()) {
                detail::addText(out, op, i, name, !cellOfItsOwn);
            } else if (op.kind == CanvasOp::Line && framed) {
                detail::addLine(out, QLineF(op.line));
            } else if (op.kind == CanvasOp::Rect && framed) {
                const QRectF r(op.rect);
                for (QLineF l : {QLineF(r.topLeft(), r.topRight()), QLineF(r.topRight(), r.bottomRight()),
                                 QLineF(r.bottomLeft(), r.bottomRight()), QLineF(r.topLeft(), r.bottomLeft())})
                    detail::addLine(out, l);
            } else if (op.kind == CanvasOp::Ellipse && shape) {
                Ring r;
                const double pen = std::max(1, op.pen.width);
                r.outer = QRectF(op.rect).adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2);
                r.inner = QRectF(op.rect).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
                r.owner = i;
                r.ownerName = name;
                out.rings.append(r);
            }
        }
    }
    return out;
}

// Texts and lines within 5 mm of the sheet's edge, one line per fault (a
// line lying on the strip's own edge is outside it).
inline QStringList unprintableStripFaults(const PageLayout& page, const QString& where) {
    QStringList faults;
    if (page.paper.isEmpty()) return faults;
    const QRectF printable = page.paper.adjusted(kUnprintableX - 0.01, kUnprintableY - 0.01, -kUnprintableX + 0.01,
                                                 -kUnprintableY + 0.01);
    auto mm = [&](const QRectF& r) {
        const double x = std::min(r.left() - page.paper.left(), page.paper.right() - r.right()) * 25.4 / kScreenPixelsPerInchX;
        const double y = std::min(r.top() - page.paper.top(), page.paper.bottom() - r.bottom()) * 25.4 / kScreenPixelsPerInchY;
        return QString::number(std::min(x, y), 'f', 1);
    };
    for (const LaidText& t : page.texts)
        if (!printable.contains(t.ink))
            faults << QStringLiteral("%1 %2 \"%3\": %4 mm from the sheet's edge").arg(where, t.ownerName, t.text, mm(t.ink));
    for (const QLineF& l : page.lines) {
        const QRectF r = QRectF(l.p1(), l.p2()).normalized();
        if (!printable.contains(l.p1()) || !printable.contains(l.p2()))
            faults << QStringLiteral("%1 line %2,%3-%4,%5: %6 mm from the sheet's edge")
                          .arg(where).arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2()).arg(mm(r));
    }
    return faults;
}

// What is wrong with one page's layout, one line per fault; the rings get
// the word each holds.
inline QStringList layoutFaults(PageLayout& page, const QString& where) {
    QStringList faults = unprintableStripFaults(page, where);
    auto say = [&](const LaidText& t, const QString& what) {
        faults << QStringLiteral("%1 %2 \"%3\": %4").arg(where, t.ownerName, t.text, what);
    };
    for (const LaidText& t : page.texts) {
        const QRectF& r = t.ink;
        if (!page.paper.isEmpty() && !page.paper.contains(r)) say(t, QStringLiteral("off the paper"));
        // Cut by its own box (the clip's right and bottom edges are not drawn).
        if (r.left() < t.clip.left() - 0.01 || r.right() > t.clip.right() + 1.01 || r.top() < t.clip.top() - 1.01 ||
            r.bottom() > t.clip.bottom() + 2.01)
            say(t, QStringLiteral("cut by its box (%1,%2 %3x%4)")
                       .arg(t.clip.left()).arg(t.clip.top()).arg(t.clip.width()).arg(t.clip.height()));
        for (const QLineF& l : page.lines) {
            if (l.x1() == l.x2()) {  // vertical: 1 mm on either side of the text
                const double x = l.x1();
                const double top = std::min(l.y1(), l.y2()), bottom = std::max(l.y1(), l.y2());
                if (bottom <= r.top() + 1 || top >= r.bottom() - 1) continue;
                if (x <= r.left() - kFrameGap || x >= r.right() + kFrameGap) continue;
                if (x > r.left() && x < r.right()) {
                    say(t, QStringLiteral("crossed by the line at x %1").arg(x));
                    continue;
                }
                say(t, QStringLiteral("%1 mm from the line at x %2")
                           .arg(std::min(std::abs(x - r.left()), std::abs(x - r.right())) * 25.4 / 96,
                                0, 'f', 2)
                           .arg(x));
            } else {  // horizontal: never through the text
                const double y = l.y1();
                const double left = std::min(l.x1(), l.x2()), right = std::max(l.x1(), l.x2());
                if (right <= r.left() || left >= r.right()) continue;
                if (y > r.top() + 1 && y < r.bottom() - 1) say(t, QStringLiteral("crossed by the line at y %1").arg(y));
            }
        }
    }
    for (qsizetype i = 0; i < page.texts.size(); ++i) {
        for (qsizetype j = i + 1; j < page.texts.size(); ++j) {
            const LaidText &a = page.texts[i], &b = page.texts[j];
            if (a.owner == b.owner) continue;
            const QRectF both = a.ink.adjusted(0.5, 0.5, -0.5, -0.5).intersected(b.ink.adjusted(0.5, 0.5, -0.5, -0.5));
            if (both.isValid() && !both.isEmpty()) say(a, QStringLiteral("overlaps %1 \"%2\"").arg(b.ownerName, b.text));
        }
    }
    for (Ring& ring : page.rings) {
        QList<const LaidText*> touched;
        for (const LaidText& t : page.texts)
            if (ringTouches(ring.outer, t.tight)) touched.append(&t);
        const QString name = QStringLiteral("%1 ring %2").arg(where, ring.ownerName);
        if (touched.isEmpty()) {
            faults << name + QStringLiteral(": holds no word");
            continue;
        }
        QStringList words;
        for (const LaidText* t : touched) {
            if (t->owner != touched.first()->owner)
                faults << name + QStringLiteral(": touches \"%1\" beside \"%2\"").arg(t->text, touched.first()->text);
            else if (!ringHolds(ring.inner, t->tight))
                faults << name + QStringLiteral(": runs through \"%1\"").arg(t->text);
            words << t->text;
        }
        ring.word = words.join(QString());
    }
    return faults;
}

// Every page of a printout; `rings` receives the rings with their words.
inline QStringList layoutFaults(const TfrEMFPages& pages, const QString& printout, QList<Ring>* rings = nullptr) {
    QStringList faults;
    for (int p = 0; p < pages.Count(); ++p) {
        PageLayout page = layOutPage(pages.GetPage(p));
        faults << layoutFaults(page, QStringLiteral("%1 page %2").arg(printout).arg(p + 1));
        if (rings) rings->append(page.rings);
    }
    return faults;
}

// ---- the same lines at every output scale ----------------------------------
// A prepared page is drawn at the scale of its output: the preview's zoom,
// the PNG pages, the printer's resolution. Each must show the lines the page
// holds, every one whole: each object drawn alone at each scale draws the
// same text runs as at its own size, and the glyphs of every run lie inside
// the box they are clipped to.

struct OutputScale {
    QString name;
    double scaleX = 1, scaleY = 1;
    int dpi = 96;
    bool printer = false;
};

// The page's own size, twice it (the PNG pages, the preview at 200 %) and the
// PDF printer's 600 dots per inch.
inline QList<OutputScale> outputScales() {
    return {{QStringLiteral("scale 1"), 1, 1, 96, false},
            {QStringLiteral("scale 2"), 2, 2, 192, false},
            {QStringLiteral("600 dpi"), 600 / kScreenPixelsPerInchX, 600 / kScreenPixelsPerInchY, 600, true}};
}

// The text runs one object draws at a scale (blanks at either end left out),
// with their glyphs' outline and clip.
inline QList<LaidText> drawnTexts(const TfrView& v, const OutputScale& s) {
    RecordingCanvas canvas(s.dpi, s.printer);
    drawView(v, canvas, DrawScale{s.scaleX, s.scaleY, 0, 0});
    PageLayout runs;
    for (const CanvasOp& op : canvas.ops())
        if (op.isText()) detail::addText(runs, op, -1, v.Name, false);
    return runs.texts;
}

// Where a run's glyphs leave the box they are clipped to (half a device
// pixel of rounding allowed), or an empty text. Across, the run's advances
// count; down, the glyphs' own outline.
inline QString cutBy(const LaidText& t) {
    const QRectF box(QPointF(t.clip.left(), t.clip.top()), QPointF(t.clip.right() + 1, t.clip.bottom() + 1));
    QStringList sides;
    if (t.ink.left() < box.left() - 0.5) sides << QStringLiteral("left");
    if (t.ink.right() > box.right() + 0.5) sides << QStringLiteral("right");
    if (t.tight.top() < box.top() - 0.5) sides << QStringLiteral("top");
    if (t.tight.bottom() > box.bottom() + 0.5) sides << QStringLiteral("bottom");
    return sides.join(u'/');
}

inline QString joinedTexts(const QList<LaidText>& runs) {
    QStringList texts;
    for (const LaidText& t : runs) texts << t.text;
    return texts.join(QStringLiteral(" | "));
}

// The objects of one page that draw other lines at some scale than at the
// page's own size, or a line cut by its box.
inline QStringList scaleFaults(const TfrPreparedPage& page, const QString& where) {
    QStringList faults;
    const QList<OutputScale> scales = outputScales();
    const auto objects = page.objects();
    for (const auto& object : objects) {
        const TfrView& v = *object;
        if (!v.Visible) continue;
        const QString name = v.Name.isEmpty() ? QStringLiteral("box %1,%2 %3x%4").arg(v.Left).arg(v.Top).arg(v.Width).arg(v.Height)
                                              : v.Name;
        const QList<LaidText> own = drawnTexts(v, scales.first());
        for (const OutputScale& s : scales) {
            const QList<LaidText> runs = s.name == scales.first().name ? own : drawnTexts(v, s);
            if (runs.size() != own.size() || joinedTexts(runs) != joinedTexts(own))
                faults << QStringLiteral("%1 %2 at %3: draws %4 lines \"%5\", at scale 1 %6 \"%7\"")
                              .arg(where, name, s.name).arg(runs.size()).arg(joinedTexts(runs)).arg(own.size())
                              .arg(joinedTexts(own));
            for (int k = 0; k < runs.size(); ++k) {
                const QString cut = cutBy(runs[k]);
                if (!cut.isEmpty())
                    faults << QStringLiteral("%1 %2 at %3: line %4 of %5 \"%6\" cut at its %7")
                                  .arg(where, name, s.name).arg(k + 1).arg(runs.size()).arg(runs[k].text, cut);
            }
        }
    }
    return faults;
}

// Every page of a printout at every output scale.
inline QStringList scaleFaults(const TfrEMFPages& pages, const QString& printout) {
    QStringList faults;
    for (int p = 0; p < pages.Count(); ++p)
        faults << scaleFaults(pages.GetPage(p), QStringLiteral("%1 page %2").arg(printout).arg(p + 1));
    return faults;
}

// How many times a name prints from its start: text runs holding the
// name's first character (one it has nowhere else) with that character
// inside the run's box. A name cut at its start, or whose first line its
// box clips away, shows only a slice of itself and reads as another name.
inline int namesPrintedFromTheStart(const TfrEMFPages& pages, QChar first) {
    int count = 0;
    for (int p = 0; p < pages.Count(); ++p) {
        const auto objects = pages.GetPage(p).objects();
        for (const auto& v : objects) {
            if (!v->Visible) continue;
            RecordingCanvas canvas;
            drawView(*v, canvas);
            for (const CanvasOp& op : canvas.ops()) {
                const qsizetype at = op.isText() ? op.text.indexOf(first) : -1;
                if (at < 0) continue;
                const double natural = detail::advance(op, op.text);
                const double factor = natural > 0 ? op.width() / natural : 1.0;
                const double x0 = op.x + detail::advance(op, op.text.left(at)) * factor;
                const double x1 = op.x + detail::advance(op, op.text.left(at + 1)) * factor;
                const QRect& box = op.clip;
                if (x0 >= box.left() - 0.01 && x1 <= box.right() + 1.01 && op.y >= box.top() - 1.01 &&
                    op.y + op.font.pixelHeight <= box.bottom() + 2.01)
                    ++count;
            }
        }
    }
    return count;
}

// Template boxes that overlap on a page of a template (a line printed into a
// neighbouring box is crossed by that box's frame). A cell's frame with no
// text of its own may hold the box of its text.
inline QStringList overlappingMemoBoxes(const std::vector<std::unique_ptr<TfrView>>& objects) {
    std::vector<const TfrView*> memos;
    for (const auto& v : objects)
        if (dynamic_cast<const TfrMemoView*>(v.get())) memos.push_back(v.get());
    auto box = [](const TfrView* v) { return QRect(v->Left, v->Top, v->Width, v->Height); };
    auto holds = [&](const TfrView* frame, const TfrView* text) {
        return frame->Memo.join(QString()).isEmpty() && box(frame).contains(box(text));
    };
    QStringList pairs;
    for (size_t i = 0; i < memos.size(); ++i) {
        for (size_t j = i + 1; j < memos.size(); ++j) {
            if (!box(memos[i]).intersects(box(memos[j])) || holds(memos[i], memos[j]) || holds(memos[j], memos[i]))
                continue;
            pairs << memos[i]->Name + u' ' + memos[j]->Name;
        }
    }
    return pairs;
}

// The lines of `expected` not printed whole on any page, one fault each: a
// memo's text is all on the paper only when each of its lines is found as a
// printed line of its own (a line cut at the box's end, or marked as cut,
// reads as another text).
inline QStringList linesNotPrinted(const TfrEMFPages& pages, const QStringList& expected, const QString& where) {
    QSet<QString> printed;
    for (int p = 0; p < pages.Count(); ++p)
        for (const LaidText& t : layOutPage(pages.GetPage(p)).texts) printed.insert(t.text);
    QStringList faults;
    for (const QString& line : expected)
        if (!printed.contains(line.trimmed()))
            faults << QStringLiteral("%1: \"%2\" is not printed whole").arg(where, line);
    return faults;
}

// A text stored longer than its box holds (`held` lines): those lines print
// whole, the last one marked as cut, and none after it, not even in part.
inline QStringList linesCutFaults(const TfrEMFPages& pages, const QStringList& stored, int held, const QString& where) {
    QStringList faults = linesNotPrinted(pages, stored.mid(0, held - 1), where);
    faults += linesNotPrinted(pages, {stored[held - 1] + memo::kCutMark}, where);
    const QStringList after = stored.mid(held - 1);
    if (linesNotPrinted(pages, after, where).size() != after.size())
        faults << where + QStringLiteral(": a line after the cut is printed whole");
    return faults;
}

}  // namespace lum::test
