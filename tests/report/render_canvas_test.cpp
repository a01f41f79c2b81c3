// The drawing and measuring layer: pinned fonts, exact widths, top-of-cell
// text origin, clipping, justification, placement and rotation.
#include "report/render/font_map.h"
#include "report/render/painter_canvas.h"
#include "report/render/recording_canvas.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace lum;

namespace {

bool ipaInstalled() { return QFontInfo(TextMetrics::qfont(CanvasFont{})).family() == QLatin1String("IPAGothic"); }

CanvasFont gothic(int px) {
    CanvasFont f;
    f.family = QStringLiteral("ＭＳ ゴシック");
    f.pixelHeight = px;
    return f;
}

// Rows and columns of the image that hold a dark pixel.
QRect inkBounds(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace

TEST(ReportFonts, WindowsJapaneseNamesMapToIpaFonts) {
    EXPECT_EQ(mapReportFontFamily(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(mapReportFontFamily(QStringLiteral("ＭＳ 明朝")), QStringLiteral("IPAMincho"));
    EXPECT_EQ(mapReportFontFamily(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(mapReportFontFamily(QStringLiteral("Arial")), QStringLiteral("Arial"));
    installReportFontSubstitutions();
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"))).family(), QStringLiteral("IPAMincho"));
}

TEST(ReportFonts, PointsToPixelsRoundHalfToEven) {
    EXPECT_EQ(fontPixelHeight(10, 96), 13);
    EXPECT_EQ(fontPixelHeight(12, 96), 16);
    EXPECT_EQ(fontPixelHeight(9, 96), 12);
    EXPECT_EQ(fontPixelHeight(10, 600), 83);
}

TEST(TextMetricsTest, WidthsAreExactWholePixels) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    struct Case {
        int px;
        QString text;
        int extra;
        int width;
    } cases[] = {
        {16, QStringLiteral("あいう"), 0, 48},
        {16, QStringLiteral("abc"), 0, 24},
        {16, QStringLiteral("abc"), 2, 30},
        {16, QStringLiteral("利用者 ab"), 0, 48 + 8 + 16},
        {13, QStringLiteral("a"), 0, 6},    // 6.5 rounds to the even neighbour
        {13, QStringLiteral("aaa"), 0, 20},  // 19.5
        {13, QStringLiteral("あ"), 0, 13},
        {16, QString(), 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextMetrics::width(gothic(c.px), c.text, c.extra), c.width) << c.text.toStdString();
}

// Word wrap measures prefixes in one pass; each must be exactly what measuring
// that prefix alone gives, surrogate pairs cut by the prefix's end included.
TEST(TextMetricsTest, PrefixWidthsAreTheWidthsOfThePrefixes) {
    const QString lone = QString(QChar(0xD842)) + QStringLiteral("x") + QChar(0xDFB7);  // a high and a low alone
    const QString texts[] = {
        QStringLiteral("利用者 ab, c-d. 𠮷野家の定食 13.5"),
        QStringLiteral("𠮷𠮷a𠮷"),
        lone,
        QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ  end "),
    };
    for (int px : {13, 16, 83})
        for (int extra : {0, 3})
            for (const QString& text : texts)
                for (qsizetype start = 0; start < text.size(); ++start)
                    for (int step : {1, 3}) {  // blanks are passed over unmeasured
                        PrefixWidths prefix(gothic(px), text, extra);
                        prefix.restart(start);
                        EXPECT_EQ(prefix.through(start - 1), 0);
                        for (qsizetype i = start; i < text.size(); i += step)
                            EXPECT_EQ(prefix.through(i),
                                      TextMetrics::width(gothic(px), text.mid(start, i - start + 1), extra))
                                << text.toStdString() << " from " << start << " to " << i << " at " << px;
                    }
}

TEST(ReportCanvasTest, JustificationGivesTheFirstBlanksTheRemainder) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    RecordingCanvas c;
    c.setFont(gothic(16));
    // "ab cd ef": pieces "ab ", "cd ", "ef"; 5 extra over 2 blanks: 3 then 2.
    const auto pieces = c.justifiedPieces(10, QStringLiteral("ab cd ef"), 5);
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces[0].x, 10);
    EXPECT_EQ(pieces[1].x, 10 + 24 + 3);
    EXPECT_EQ(pieces[2].x, 10 + 48 + 5);
    EXPECT_EQ(pieces[2].x + c.textWidth(QStringLiteral("ef")), 10 + c.textWidth(QStringLiteral("ab cd ef")) + 5);
    // No blank: one piece, nothing spread.
    EXPECT_EQ(c.justifiedPieces(0, QStringLiteral("abc"), 7).size(), 1);
}

TEST(ReportCanvasTest, PlacedCharactersFitTheExtent) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    RecordingCanvas c;
    c.setFont(gothic(16));
    const auto chars = c.placedCharacters(0, QStringLiteral("あいうえ"), 32);  // natural 64
    ASSERT_EQ(chars.size(), 4);
    EXPECT_EQ(chars[0].x, 0);
    EXPECT_EQ(chars[1].x, 8);
    EXPECT_EQ(chars[3].x, 24);
}

TEST(QPainterCanvasTest, TextStartsAtTheTopOfTheCellAndIsClipped) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QPainterCanvas c(p);
        c.setFont(gothic(16));
        c.textOut(20, 30, QStringLiteral("■■■"), QRect(0, 0, 200, 100));
    }
    QRect ink = inkBounds(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 30);
    EXPECT_LT(ink.bottom(), 30 + 18);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 20 + 48);

    img.fill(Qt::white);
    {
        QPainter p(&img);
        QPainterCanvas c(p);
        c.setFont(gothic(16));
        c.textOut(20, 30, QStringLiteral("■■■"), QRect(20, 30, 20, 100));
    }
    ink = inkBounds(img);
    EXPECT_LE(ink.right(), 39);
}

TEST(QPainterCanvasTest, RotatedTextRunsUpwardsFromItsStart) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    QImage img(100, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QPainterCanvas c(p);
        CanvasFont f = gothic(16);
        f.rotated = true;
        c.setFont(f);
        c.textOut(40, 150, QStringLiteral("■■■"), QRect(0, 0, 100, 200));
    }
    const QRect ink = inkBounds(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GE(ink.top(), 150 - 48);
    EXPECT_GE(ink.left(), 40);
    EXPECT_LT(ink.right(), 40 + 18);
}

TEST(QPainterCanvasTest, LinesAndRectanglesLeaveTheEndPointUnpainted) {
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QPainterCanvas c(p);
        c.setPen({0, 1, 0});
        c.drawLine(5, 5, 15, 5);
        c.drawRect(QRect(QPoint(20, 20), QPoint(29, 29)));  // left 20, right edge 30 exclusive
    }
    EXPECT_LT(qGray(img.pixel(5, 5)), 128);
    EXPECT_LT(qGray(img.pixel(14, 5)), 128);
    EXPECT_GT(qGray(img.pixel(15, 5)), 128);
    EXPECT_LT(qGray(img.pixel(20, 25)), 128);
    EXPECT_LT(qGray(img.pixel(29, 25)), 128);
    EXPECT_GT(qGray(img.pixel(30, 25)), 128);
    EXPECT_GT(qGray(img.pixel(25, 25)), 128);  // no brush: hollow
}

TEST(RecordingCanvasTest, RecordsRunsWithFontClipAndSpacing) {
    RecordingCanvas c;
    c.setFont(gothic(16));
    c.setCharExtra(2);
    c.textOut(3, 4, QStringLiteral("abc"), QRect(0, 0, 10, 10));
    c.textOutJustified(5, 6, QStringLiteral("a b"), 4, QRect(1, 1, 5, 5));
    c.setPen({0xFF, 2, 1});
    c.drawLine(0, 0, 10, 0);
    ASSERT_EQ(c.ops().size(), 3);
    EXPECT_EQ(c.texts(), QStringList({QStringLiteral("abc"), QStringLiteral("a b")}));
    const CanvasOp& run = c.ops()[0];
    EXPECT_EQ(run.x, 3);
    EXPECT_EQ(run.y, 4);
    EXPECT_EQ(run.clip, QRect(0, 0, 10, 10));
    EXPECT_EQ(run.font.pixelHeight, 16);
    EXPECT_EQ(run.charExtra, 2);
    EXPECT_EQ(c.ops()[1].extra, 4);
    EXPECT_EQ(c.ops()[2].pen.width, 2);
    EXPECT_EQ(c.ops()[2].line, QLine(0, 0, 10, 0));
}

TEST(ReportCanvasTest, ColoursComeFromThePlatformLayout) {
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0x00FF00), QColor(0, 255, 0));
}
