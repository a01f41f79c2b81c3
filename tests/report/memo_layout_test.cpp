// Memo text layout with the pinned fonts: expansion, wrapping, heights,
// justification, shrinking at zoom, rotation and the lines of split parts.
#include "report/draw/memo_layout.h"
#include "report/frf/byte_writer.h"
#include "report/frf/template_stream.h"
#include "report/render/recording_canvas.h"

#include <QFontInfo>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace lum;

namespace {

bool ipaInstalled() { return QFontInfo(TextMetrics::qfont(CanvasFont{})).family() == QLatin1String("IPAGothic"); }

// A 12-point memo (16 px em: full-width 16, half-width 8) whose text area is
// 64 pixels wide (GapX 2 each side).
std::unique_ptr<TfrMemoView> memo16(int width = 68, int height = 100) {
    auto m = std::make_unique<TfrMemoView>();
    m->Font.Size = 12;
    m->SetBounds(0, 0, width, height);
    m->Flags = TfrMemoView::flStretched | TfrMemoView::flWordWrap;
    return m;
}

QStringList texts(const QList<WrappedLine>& lines) {
    QStringList out;
    for (const auto& l : lines) out.append(l.text + (l.paragraphEnd ? QStringLiteral("¶") : QString()));
    return out;
}

}  // namespace

TEST(MemoExpand, InsertedValuesAreNotExpandedAgainAndLineBreaksAddLines) {
    const auto value = [](const QString& expr) -> QString {
        if (expr == u"A") return QStringLiteral("[B]");
        if (expr == u"B") return QStringLiteral("b");
        if (expr == u"M") return QStringLiteral("one\r\ntwo");
        return QStringLiteral("<%1>").arg(expr);
    };
    EXPECT_EQ(memo::expandText({QStringLiteral("[A] and [B]")}, value), QStringList({QStringLiteral("[B] and b")}));
    EXPECT_EQ(memo::expandText({QStringLiteral("x[M]y"), QString()}, value),
              QStringList({QStringLiteral("xone"), QStringLiteral("twoy"), QString()}));
    EXPECT_EQ(memo::expandText({QStringLiteral("[[A] + 1] [open")}, value),
              QStringList({QStringLiteral("<[A] + 1> [open")}));
}

TEST(MemoExpand, LineBreaksOfEveryKindSplitLines) {
    const struct {
        QString text;
        QStringList lines;
    } cases[] = {
        {QString(), {QString()}},
        {QStringLiteral("山田 太郎"), {QStringLiteral("山田 太郎")}},
        {QStringLiteral("a\r\nb\rc\nd"), {"a", "b", "c", "d"}},
        {QStringLiteral("a\r\r\nb"), {"a", "", "b"}},  // a lone CR, then CR LF
        {QStringLiteral("a\n\rb"), {"a", "", "b"}},     // LF CR is two breaks
        {QStringLiteral("a\r\n"), {"a", ""}},
        {QStringLiteral("\n"), {"", ""}},
        {QStringLiteral("\r\n\r\n"), {"", "", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(memo::splitLines(c.text), c.lines) << c.text.toStdString();
}

TEST(MemoWrap, BreaksAtBlanksAndSeparatorsAndKeepsCharactersWhole) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16();
    TfrMemoView& m = *mOwner;
    struct Case {
        QString text;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("あいうえおかきく"), {QStringLiteral("あいうえ"), QStringLiteral("おかきく¶")}},
        {QStringLiteral("あいうえおかきくけ"), {QStringLiteral("あいうえ"), QStringLiteral("おかきく"), QStringLiteral("け¶")}},
        {QStringLiteral("abc def ghi"), {QStringLiteral("abc def"), QStringLiteral("ghi¶")}},
        {QStringLiteral("abcdefghijk"), {QStringLiteral("abcdefgh"), QStringLiteral("ijk¶")}},
        {QStringLiteral("ab,cdefghij"), {QStringLiteral("ab,"), QStringLiteral("cdefghij¶")}},
        {QStringLiteral("あい うえおか"), {QStringLiteral("あい"), QStringLiteral("うえおか¶")}},
        {QStringLiteral("abcdefgh"), {QStringLiteral("abcdefgh¶")}},  // exactly fits
        {QString(), {QStringLiteral("¶")}},
        {QStringLiteral("ab\r\n\r\ncd"), {QStringLiteral("ab¶"), QStringLiteral("cd¶")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(memo::wrapText(m, {c.text}).lines), c.lines) << c.text.toStdString();
    // Widths are measured without the paragraph mark.
    const auto lines = memo::wrapText(m, {QStringLiteral("あいうえおか")}).lines;
    EXPECT_EQ(lines[0].width, 64);
    EXPECT_EQ(lines[1].width, 32);
}

TEST(MemoWrap, WithoutWordWrapEveryLineIsOneParagraph) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16();
    TfrMemoView& m = *mOwner;
    m.Flags = 0;
    EXPECT_EQ(texts(memo::wrapText(m, {QStringLiteral("abcdefghijk")}).lines), QStringList({QStringLiteral("abcdefghijk¶")}));
}

TEST(MemoHeight, LinesTimesLineHeightPlusTwoGaps) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16();
    TfrMemoView& m = *mOwner;
    MemoLayoutState state;
    // 5 lines of 16 + 2 (line spacing), GapY 1 at frame width 1.
    EXPECT_EQ(memo::calcHeight(m, {QStringLiteral("あいうえおかきくけこさしすせそたちつて")}, state), 5 * 18 + 2);
    EXPECT_EQ(state.LineHeightPx, 18);
    EXPECT_EQ(memo::calcHeight(m, {}, state), 0);
    // A wider frame widens the gap: width 4 -> by2 2 -> GapY 2.
    m.FrameWidth = 4;
    EXPECT_EQ(memo::calcHeight(m, {QStringLiteral("a")}, state), 18 + 4);
}

TEST(MemoWidth, AutoWidthIsTheWidestLinePlusFrameAndTwo) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16();
    TfrMemoView& m = *mOwner;
    EXPECT_EQ(memo::calcWidth(m, {QStringLiteral("abc"), QStringLiteral("あいう")}), 48 + 2 + 2);
}

TEST(MemoDraw, AlignmentsPlaceLinesByTheirStoredWidth) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    struct Case {
        int adjust;
        int x;
    } cases[] = {{adLeft, 10 + 2}, {adRight, 10 + 100 - 1 - 2 - 24}, {adCenter, 10 + 2 + (100 - 4 - 24) / 2}};
    for (const Case& c : cases) {
        auto mOwner = memo16(100, 40);
    TfrMemoView& m = *mOwner;
        m.Left = 10;
        m.Top = 20;
        m.Adjust = c.adjust;
        m.Memo = {QStringLiteral("abc")};
        RecordingCanvas canvas;
        memo::draw(m, canvas);
        const auto runs = canvas.textRuns();
        ASSERT_EQ(runs.size(), 1);
        EXPECT_EQ(runs[0].x, c.x) << c.adjust;
        EXPECT_EQ(runs[0].y, 20 + 1);
        EXPECT_EQ(runs[0].clip, QRect(QPoint(11, 20), QPoint(10 + 100 - 2, 20 + 40 - 1)));
    }
}

TEST(MemoDraw, JustifiedLinesEndAtTheRightGapButParagraphEndsDoNot) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16(100, 80);
    TfrMemoView& m = *mOwner;  // 96 px of text
    m.Adjust = adJustify;
    m.Memo = {QStringLiteral("aa bb cc dd ee ff")};
    RecordingCanvas canvas;
    memo::draw(m, canvas);
    const auto runs = canvas.textRuns();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].kind, CanvasOp::TextJustified);
    EXPECT_EQ(runs[0].x + runs[0].width(), 100 - 2);
    EXPECT_EQ(runs[1].kind, CanvasOp::Text);  // the paragraph end keeps its natural spacing
}

TEST(MemoDraw, VerticalAlignmentMovesTheBlock) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    for (int adjust : {adMiddle, adBottom}) {
        auto mOwner = memo16(100, 60);
    TfrMemoView& m = *mOwner;
        m.Adjust = adjust;
        m.Memo = {QStringLiteral("abc")};
        RecordingCanvas canvas;
        memo::draw(m, canvas);
        const int textHeight = 18 + 2;
        const int offset = adjust == adMiddle ? (60 - textHeight) / 2 : 60 - textHeight;
        ASSERT_EQ(canvas.textRuns().size(), 1);
        EXPECT_EQ(canvas.textRuns()[0].y, 1 + offset);
    }
}

TEST(MemoDraw, AtAZoomWhereTheFontIsTooWideItShrinksAndStaysInsideItsBox) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16(100, 40);
    TfrMemoView& m = *mOwner;
    m.Memo = {QStringLiteral("abcdefghij")};
    RecordingCanvas canvas;
    memo::draw(m, canvas, 0.5, 1.0);  // widths halve, the font keeps its height
    const auto runs = canvas.textRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_LE(runs[0].width(), 40);
    EXPECT_LT(runs[0].font.pixelHeight, 16);
}

// A text that cannot fit its box is cut at its end, its start kept: a name
// cut on both sides reads as another name. Too many lines for a centred or
// bottom-aligned box keep the first line whole at the box's top (its gap
// given up); a line too wide for a centred or right-aligned box starts at
// the left gap; rotated text runs up from the bottom gap.
TEST(MemoDraw, TextThatDoesNotFitItsBoxIsCutAtItsEndWithItsStartKept) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    const QString name = QStringLiteral("鷹鷲鳳鵬麟龍鶴鸞鷺鷹鷲鳳");  // 12 x 16 px
    const struct {
        const char* what;
        int adjust;
        quint16 flags;
        int x, y;  // where the first run starts
    } cases[] = {
        {"three lines, middle", adLeft | adMiddle, TfrMemoView::flWordWrap, 2, 0},
        {"three lines, bottom", adLeft | adBottom, TfrMemoView::flWordWrap, 2, 0},
        {"three lines, centre middle", adCenter | adMiddle, TfrMemoView::flWordWrap, 2, 0},
        {"one line, centre", adCenter, 0, 2, 1},
        {"one line, right", adRight, 0, 2, 1},
        {"one line, rotated centre", adRotated | adCenter, 0, 2, 20 - 1},
        {"one line, rotated right", adRotated | adRight, 0, 2, 20 - 1},
        {"three lines, rotated, bottom", adRotated | adBottom, TfrMemoView::flWordWrap, 1, 20 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto m = memo16(68, 20);  // 64 px of text, one line high
        m->Adjust = c.adjust;
        m->Flags = c.flags;
        m->Memo = {name};
        RecordingCanvas canvas;
        memo::draw(*m, canvas);
        const auto runs = canvas.textRuns();
        ASSERT_FALSE(runs.isEmpty());
        EXPECT_TRUE(name.startsWith(runs[0].text));
        EXPECT_EQ(runs[0].x, c.x);
        EXPECT_EQ(runs[0].y, c.y);
    }
}

// The lines a box holds at its own size are the lines it holds at every
// zoom and on paper: each line where the layout at scale 1 puts it, scaled,
// in a font no larger than the laid-out one scaled, so the last line ends
// inside the box. A 10-point font (13.33 px at 96 ppi, laid out at 13) in a
// box of exactly twenty lines; rounding the font to 27 px at 200 % once
// pushed the twentieth line out.
TEST(MemoDraw, EveryScaleDrawsTheLinesOfTheLayoutInsideTheBox) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    TfrMemoView m;
    m.Font.Size = 10;
    m.Flags = TfrMemoView::flStretched | TfrMemoView::flWordWrap;
    m.SetBounds(24, 250, 68, 20 * 15 + 2);  // 64 px of text: four characters a line
    m.Memo = {QString(80, QChar(u'実'))};
    const struct {
        double scaleX, scaleY;
        int dpi;
        bool printer;
    } scales[] = {{1, 1, 96, false},    {2, 2, 96, false},       {1.5, 1.5, 96, false}, {0.75, 0.75, 96, false},
                  {0.5, 0.5, 96, false}, {0.25, 0.25, 96, false}, {0.1, 0.1, 96, false}, {1.37, 1.37, 96, false},
                  {600 / 90.99804305283757, 600 / 91.6256157635468, 600, true}};
    for (const auto& s : scales) {
        SCOPED_TRACE(s.scaleY);
        RecordingCanvas canvas(s.dpi, s.printer);
        memo::draw(m, canvas, s.scaleX, s.scaleY);
        const auto runs = canvas.textRuns();
        ASSERT_EQ(runs.size(), 20);
        for (int k = 0; k < runs.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(runs[k].text, QString(4, QChar(u'実')));
            EXPECT_EQ(runs[k].y, roundEven(250 * s.scaleY) + int(std::floor((1 + 15 * k) * s.scaleY + 1e-6)));
            EXPECT_EQ(runs[k].font.pixelHeight, runs[0].font.pixelHeight);  // no line shrinks on its own
            EXPECT_LE(runs[k].font.pixelHeight, qMax(1.0, 13 * s.scaleY));
            EXPECT_LE(runs[k].y + runs[k].font.pixelHeight, runs[k].clip.bottom() + 1);
        }
    }
}

TEST(MemoDraw, RotatedTextStartsAtTheBottomAndStepsRight) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16(60, 100);
    TfrMemoView& m = *mOwner;
    m.Flags = TfrMemoView::flWordWrap;
    m.Adjust = adRotated;
    m.Memo = {QStringLiteral("abc"), QStringLiteral("de")};
    RecordingCanvas canvas;
    memo::draw(m, canvas);
    const auto runs = canvas.textRuns();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_TRUE(runs[0].font.rotated);
    EXPECT_EQ(runs[0].x, 2);
    EXPECT_EQ(runs[0].y, 100 - 1);
    EXPECT_EQ(runs[1].x, 2 + 18);
    m.Adjust = adRotated | adRight;
    canvas.clear();
    memo::draw(m, canvas);
    EXPECT_EQ(canvas.textRuns()[0].y, 1 + 24);
}

TEST(MemoSplit, LinesThatFitAndTheWrappedEncodingRoundTrips) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16(68, 2 + 3 * 18 + 5);
    TfrMemoView& m = *mOwner;  // room for three lines, not four
    const auto lines = memo::wrapText(m, {QStringLiteral("あいうえおかきくけこさしすせそた")}).lines;
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(memo::linesThatFit(m, lines), 3);
    const QStringList encoded = encodeWrappedLines(lines);
    EXPECT_TRUE(isAlreadyWrapped(encoded));  // the last line ends its paragraph
    EXPECT_EQ(decodeWrappedLines(encoded), lines);
    // A first part without a paragraph end gets the lone mark, which decoding drops.
    QStringList part = encoded.mid(0, 3);
    EXPECT_FALSE(isAlreadyWrapped(part));
    part.append(QString(kParagraphEnd));
    EXPECT_EQ(decodeWrappedLines(part), lines.mid(0, 3));
    // Drawing an already wrapped text does not wrap it again.
    auto wideOwner = memo16(300, 100);
    TfrMemoView& wide = *wideOwner;
    wide.Memo = part;
    RecordingCanvas canvas;
    memo::draw(wide, canvas);
    EXPECT_EQ(canvas.texts(), QStringList({QStringLiteral("あいうえ"), QStringLiteral("おかきく"), QStringLiteral("けこさし")}));
}

TEST(MemoSplit, WrappedLinesKeepTheirWidthBytesThroughThePreparedStream) {
    TfrMemoView m;
    m.SetBounds(1, 2, 300, 40);
    m.Memo1 = encodeWrappedLines({{QStringLiteral("利用者 abc"), false, 0x0150}, {QStringLiteral("様"), true, 0x00FF}});
    ByteWriter out;
    out.u8(23);
    writePreparedObject(out, m);
    const auto objects = readPreparedObjects(out.data());
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->Memo1, m.Memo1);
    EXPECT_EQ(decodeWrappedLines(objects[0]->Memo).at(0).width, 0x0150);
}

TEST(MemoDraw, HugeFontShrinksToItsStoredWidthQuickly) {
    // A damaged prepared page: a 100000-point font on a line stored as 40
    // pixels wide. The font shrinks to fit without stepping pixel by pixel.
    TfrMemoView m;
    m.SetBounds(0, 0, 60, 30);
    m.Font.Size = 100000;
    m.Memo1 = encodeWrappedLines({WrappedLine{QStringLiteral("ABCDEF"), true, 40}});
    RecordingCanvas c;
    memo::draw(m, c);
    const QList<CanvasOp> runs = c.textRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_LE(runs[0].width(), 40);
    EXPECT_LT(runs[0].font.pixelHeight, 40);
}

// The preview draws a page's objects again at every repaint and zoom: an
// object keeps its layout and is drawn from it until anything the layout came
// from changes, and what is drawn is what a fresh layout would draw.
TEST(MemoDraw, AnObjectIsDrawnAgainFromItsLayoutUntilItChanges) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    auto mOwner = memo16();
    TfrMemoView& m = *mOwner;
    m.Memo = {QStringLiteral("あいうえおかきく")};
    const auto drawn = [](const TfrMemoView& v, double scale) {
        RecordingCanvas canvas;
        memo::draw(v, canvas, scale, scale);
        QStringList runs;
        for (const CanvasOp& op : canvas.textRuns())
            runs.append(QStringLiteral("%1@%2,%3/%4").arg(op.text).arg(op.x).arg(op.y).arg(op.font.pixelHeight));
        return runs;
    };
    EXPECT_EQ(drawn(m, 1), QStringList({QStringLiteral("あいうえ@2,1/16"), QStringLiteral("おかきく@2,19/16")}));
    const MemoDrawLayout* first = m.DrawLayout.get();
    // Lines where the layout at scale 1 puts them, scaled.
    EXPECT_EQ(drawn(m, 2), QStringList({QStringLiteral("あいうえ@3,2/32"), QStringLiteral("おかきく@3,38/32")}));
    EXPECT_EQ(m.DrawLayout.get(), first);  // reused at another zoom

    const auto changes = std::initializer_list<std::function<void(TfrMemoView&)>>{
        [](TfrMemoView& v) { v.Memo1 = {QStringLiteral("さしすせそたちつて")}; },
        [](TfrMemoView& v) { v.Width = 100; },
        [](TfrMemoView& v) { v.Font.Size = 9; },
        [](TfrMemoView& v) { v.Flags &= ~TfrMemoView::flWordWrap; },
        [](TfrMemoView& v) { v.Flags |= TfrMemoView::flAutoWidth; },
        [](TfrMemoView& v) { v.CharSpacing = 3; },
        [](TfrMemoView& v) { v.Adjust = adRotated; },
        [](TfrMemoView& v) { v.FrameWidth = 4; },
    };
    int k = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(k++);
        const MemoDrawLayout* before = m.DrawLayout.get();
        change(m);
        auto fresh = m.clone();
        auto* f = static_cast<TfrMemoView*>(fresh.get());
        f->Memo1 = m.Memo1;
        f->CharSpacing = m.CharSpacing;
        EXPECT_EQ(drawn(m, 1.5).join(u' ').toStdString(), drawn(*f, 1.5).join(u' ').toStdString());
        EXPECT_NE(m.DrawLayout.get(), before);
    }
}
