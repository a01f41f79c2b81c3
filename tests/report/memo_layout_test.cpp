// Memo text layout with the pinned fonts: expansion, wrapping, heights,
// justification, shrinking at zoom, rotation and the lines of split parts.
#include "report/draw/memo_layout.h"
#include "report/frf/byte_writer.h"
#include "report/frf/template_stream.h"
#include "report/render/recording_canvas.h"

#include <QFontInfo>
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
    EXPECT_EQ(drawn(m, 2), QStringList({QStringLiteral("あいうえ@3,1/32"), QStringLiteral("おかきく@3,37/32")}));
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
