// Memos in bands with the pinned fonts: stretching a band to its text and
// splitting a long text across pages without losing or repeating a line.
#include "report_fixture.h"

#include "report/draw/memo_fit.h"
#include "report/draw/wrapped_lines.h"
#include "report/render/recording_canvas.h"
#include "report/expr/engine_context.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

bool ipaInstalled() { return QFontInfo(TextMetrics::qfont(CanvasFont{})).family() == QLatin1String("IPAGothic"); }

class MemoBands : public ::testing::Test {
protected:
    void SetUp() override {
        engine().reset();
        useFixedPaper(report, 400, 200);
    }
    void TearDown() override { engine().reset(); }
    TfrPage& page() { return report.Pages()[0]; }
    // A 12-point word-wrapped stretched memo with 64 px of text width.
    TfrMemoView& wrapped(int top, const QString& text) {
        TfrMemoView& m = addMemo(page(), 0, top, 68, 20, text, TfrMemoView::flStretched | TfrMemoView::flWordWrap);
        m.Font.Size = 12;
        return m;
    }
    TfrReport report;
};

}  // namespace

TEST_F(MemoBands, AStretchedBandGrowsToItsTallestMemoAndOnlyStretchedObjectsFollow) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    addBand(page(), btMasterData, 0, 30, QStringLiteral("2"), TfrBandView::flStretched);
    wrapped(0, QStringLiteral("あいうえおかきくけこさし"));  // 3 lines: 3 x 18 + 2 = 56
    addMemo(page(), 100, 5, 50, 10, QStringLiteral("fixed"));
    addMemo(page(), 200, 5, 50, 10, QStringLiteral("tall"), TfrMemoView::flStretched);
    report.Prepare();
    const auto objects = placed(report, 0);
    ASSERT_EQ(objects.size(), 6);
    EXPECT_EQ(objects[0].height, 56);
    EXPECT_EQ(objects[1].height, 10);       // not stretched: keeps its size
    EXPECT_EQ(objects[2].height, 56 - 5);   // stretched to the band's bottom
    EXPECT_EQ(objects[3].top, 56);          // the second record starts below the grown band
}

TEST_F(MemoBands, AStretchedBandThatDoesNotFitStartsANewPage) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    addBand(page(), btMasterData, 0, 30, QStringLiteral("3"), TfrBandView::flStretched);
    wrapped(0, QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬね"));  // 6 lines: 110
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 3);
    EXPECT_EQ(tops(report, 1), QList<int>({0}));
}

TEST_F(MemoBands, ASplitBandContinuesItsTextOnTheNextPageLineByLine) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    const QString text = QStringLiteral("あいうえおかきくけこ").repeated(6);
    // 60 characters, 4 per line: 15 lines of 18 px. The part on the first
    // page is 199 px high (the page less 2), so (199 - 1) / 18 = 11 lines fit.
    addBand(page(), btMasterData, 0, 30, QStringLiteral("1"), TfrBandView::flStretched | TfrBandView::flAllowSplit);
    wrapped(0, text);
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    QStringList lines;
    for (int pg = 0; pg < 2; ++pg)
        for (const auto& v : report.EMFPages.GetPage(pg).objects()) {
            EXPECT_TRUE(isAlreadyWrapped(v->Memo)) << pg << v->Memo.join(u'|').toStdString();
            for (const WrappedLine& l : decodeWrappedLines(v->Memo)) lines.append(l.text);
        }
    EXPECT_EQ(lines.join(QString()), text);
    EXPECT_EQ(lines.size(), 15);
    const auto first = report.EMFPages.GetPage(0).objects();
    EXPECT_EQ(decodeWrappedLines(first[0]->Memo).size(), 11);
    EXPECT_EQ(first[0]->Height, 199);
}

TEST_F(MemoBands, ObjectsBelowAContinuedMemoMoveDownByWhatItPrintsOnTheNewPage) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    // 15 lines of 18 px (272 px, taller than the band): 11 on the first page,
    // 4 (72 + 2 + 1 = 75 px) on the second, where the memo's old box ends at 1 px.
    addBand(page(), btMasterData, 0, 250, QStringLiteral("1"), TfrBandView::flStretched | TfrBandView::flAllowSplit);
    wrapped(0, QStringLiteral("あいうえおかきくけこ").repeated(6));
    addMemo(page(), 0, 230, 50, 16, QStringLiteral("below"));
    addMemo(page(), 200, 230, 50, 16, QStringLiteral("aside"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    QHash<QString, int> top;
    for (const Placed& p : placed(report, 1)) top.insert(p.text.section(QChar(1), 0, 0), p.top);
    EXPECT_EQ(top.value(QStringLiteral("below")), 230 - 198 + 74);  // below the rest of the text
    EXPECT_EQ(top.value(QStringLiteral("aside")), 230 - 198);       // another span: stays
    EXPECT_EQ(placed(report, 1).first().height, 75);
}

// Two passes: the first counts the pages the split text takes (it writes
// nothing, yet each page must take its lines), so the total is the real one.
TEST_F(MemoBands, TheFirstOfTwoPassesCountsThePagesOfASplitText) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    report.Template.DoublePass = 1;
    addBand(page(), btMasterData, 0, 30, QStringLiteral("1"), TfrBandView::flStretched | TfrBandView::flAllowSplit);
    wrapped(0, QStringLiteral("あいうえおかきくけこ").repeated(6));  // 15 lines: 11 and 4
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(engine().TotalPages, 2);
}

// A cell's frame without text, stretched beside a split text, prints the
// part of its box on each page, down to where the text ends on the last.
TEST_F(MemoBands, AFrameBesideASplitTextGoesOnOverEveryPageItSpans) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    addBand(page(), btMasterData, 0, 30, QStringLiteral("1"), TfrBandView::flStretched | TfrBandView::flAllowSplit);
    TfrMemoView& cell = addMemo(page(), 0, 0, 80, 20, QString(), TfrMemoView::flStretched);
    cell.FrameTyp = frLeft | frTop | frRight | frBottom;
    wrapped(0, QStringLiteral("あいうえおかきくけこ").repeated(10));  // 25 lines: 11, 11 and 3
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 3);
    for (int pg = 0; pg < 3; ++pg) {
        const auto objects = placed(report, pg);
        ASSERT_EQ(objects.size(), 2) << pg;
        EXPECT_EQ(objects[0].top, 0) << pg;
        EXPECT_EQ(objects[0].height, objects[1].height) << pg << ": the frame ends with the text";
    }
    EXPECT_EQ(placed(report, 2)[1].height, 3 * 18 + 2 + 1);
}

TEST_F(MemoBands, WithoutSplittingABandTooTallForThePageStillPrintsOnANewPage) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    addBand(page(), btReportTitle, 0, 150);
    addMemo(page(), 0, 0, 50, 16, QStringLiteral("title"));
    addBand(page(), btMasterData, 160, 100, QStringLiteral("1"));
    addMemo(page(), 0, 160, 50, 16, QStringLiteral("row"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 1), QStringList({"row"}));
}

TEST_F(MemoBands, AStretchedBandWithCrossCellsGrowsToItsTallestColumn) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    TfrBandView& data = addBand(page(), btCrossData, 0, 200, QStringLiteral("3"));
    data.SetBounds(100, 0, 80, 200);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("1"), TfrBandView::flStretched);
    TfrMemoView& cell = addMemo(page(), 100, 0, 68, 20, QStringLiteral("[Cell]"),
                                TfrMemoView::flStretched | TfrMemoView::flWordWrap);
    cell.Font.Size = 12;
    // Column 2 has three lines, the others one.
    report.OnGetValue = [&](const QString& name, ExprValue& v) {
        if (name == u"Cell") {
            ExprValue col;
            engine().ExprParser.OnGetValue(QStringLiteral("COLUMN#"), col);
            v = ExprValue(col.toInt() == 2 ? QStringLiteral("あいうえおかきくけこ") : QStringLiteral("あ"));
        }
    };
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 1);
    const auto cells = placed(report, 0);
    ASSERT_EQ(cells.size(), 3);
    EXPECT_EQ(cells[0].text, QStringLiteral("あ"));
    EXPECT_EQ(cells[1].text, QStringLiteral("あいうえおかきくけこ"));
    for (const Placed& c : cells) EXPECT_EQ(c.height, 3 * 18 + 2);  // every cell stretched to the band
}

// A memo of fixed size holding more lines than its box prints the whole
// lines the box holds, the last one marked "…", never half a line, at every
// scale and on paper; the count is the one the windows check at saving.
TEST_F(MemoBands, AFixedMemoThatDoesNotFitPrintsItsWholeLinesAndMarksTheCut) {
    if (!ipaInstalled()) GTEST_SKIP() << "IPA fonts not installed";
    addBand(page(), btMasterData, 0, 150, QStringLiteral("1"));
    QStringList twelve;
    for (int k = 1; k <= 12; ++k) twelve << QStringLiteral("行%1あいうえおかきくけこ").arg(k);  // each wraps into three
    TfrMemoView& m = addMemo(page(), 10, 10, 68, 2 + 5 * 18 + 4, twelve.join(u'\n'), TfrMemoView::flWordWrap);
    m.Font.Size = 12;
    const memo::Fit fit = memo::fit(m, twelve);
    EXPECT_EQ(fit.held, 5);
    EXPECT_FALSE(fit.whole());
    // Empty lines after the last that prints (a last Enter) never make a
    // text too long: five lines and three blank ones fit.
    const QStringList five = {"行1", "行2", "行3", "行4", "行5", "", "", "　"};
    EXPECT_TRUE(memo::fit(m, five.mid(0, 5)).whole());
    EXPECT_TRUE(memo::fit(m, five).whole());
    // Another memo whose text fits stays as typed.
    addMemo(page(), 200, 10, 100, 40, QStringLiteral("二行\n目"), TfrMemoView::flWordWrap);
    report.Prepare();
    const auto& objects = report.EMFPages.GetPage(0).objects();
    ASSERT_EQ(objects.size(), 2);
    const auto& printed = static_cast<const TfrMemoView&>(*objects[0]);
    const QList<WrappedLine> lines = decodeWrappedLines(printed.Memo);
    ASSERT_EQ(lines.size(), 5);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(lines[k], fit.lines[k]);
    EXPECT_TRUE(lines[4].text.endsWith(memo::kCutMark)) << lines[4].text.toStdString();
    EXPECT_LE(lines[4].width, 64);
    EXPECT_EQ(objects[1]->Memo, QStringList({QStringLiteral("二行"), QStringLiteral("目")}));
    for (const double scale : {0.5, 1.0, 1.5, 2.0, 600.0 / 96}) {
        SCOPED_TRACE(scale);
        RecordingCanvas canvas(scale > 3 ? 600 : 96, scale > 3);
        memo::draw(printed, canvas, scale, scale);
        const auto runs = canvas.textRuns();
        ASSERT_EQ(runs.size(), 5);
        const int bottom = int(std::floor((10 + m.Height) * scale));
        for (const CanvasOp& run : runs) EXPECT_LE(run.y + run.font.pixelHeight, bottom) << run.text.toStdString();
    }
}
