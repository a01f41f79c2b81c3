// Preparing pages with fixed-height bands (independent of font metrics):
// the data loop, empty details, groups, columns, page footers, continuing on
// the previous page, repeated headers and multiple copies.
#include "report_fixture.h"

#include "report/expr/engine_context.h"

#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

class ReportLayout : public ::testing::Test {
protected:
    void SetUp() override {
        engine().reset();
        useFixedPaper(report);
    }
    void TearDown() override { engine().reset(); }

    TfrPage& page() { return report.Pages()[0]; }

    ReportComponents components{QStringLiteral("ReportLayoutForm")};
    TfrReport report{&components};
};

}  // namespace

TEST_F(ReportLayout, AMasterBandPrintsOncePerRecordBelowThePageHeader) {
    addBand(page(), btPageHeader, 0, 20, {}, TfrBandView::flOnFirstPage);
    addMemo(page(), 10, 2, 100, 16, QStringLiteral("Head"));
    addBand(page(), btMasterData, 40, 20, QStringLiteral("3"));
    addMemo(page(), 30, 42, 100, 16, QStringLiteral("[LINE#]:[CURRENT#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 1);
    EXPECT_EQ(texts(report, 0), QStringList({"Head", "1:1", "2:2", "3:3"}));
    EXPECT_EQ(tops(report, 0), QList<int>({2, 22, 42, 62}));
    EXPECT_EQ(placed(report, 0)[1].left, 30);
}

TEST_F(ReportLayout, RecordCountsAtThePageBoundary) {
    // 300 px page, 20 px rows: 15 rows fill a page exactly.
    addBand(page(), btMasterData, 0, 20, QStringLiteral("frUserDataset1"));
    addMemo(page(), 0, 2, 100, 16, QStringLiteral("[LINE#]"));
    TfrUserDataset ds(QStringLiteral("frUserDataset1"));
    ds.RangeEnd = reCount;
    components.addDataSource(&ds);
    struct Case {
        int records;
        int pages;
        int onLast;
    } cases[] = {{0, 1, 0}, {1, 1, 1}, {15, 1, 15}, {16, 2, 1}, {31, 3, 1}};
    for (const Case& c : cases) {
        ds.RangeEndCount = c.records;
        report.Prepare();
        ASSERT_EQ(report.EMFPages.Count(), c.pages) << c.records;
        EXPECT_EQ(texts(report, c.pages - 1).size(), c.onLast) << c.records;
    }
    // OnCheckEOF overrides the count both ways.
    ds.RangeEndCount = 5;
    ds.OnCheckEOF = [](TfrDataset* d, bool& eof) { eof = d->RecNo() >= 2; };
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"1", "2"}));
}

TEST_F(ReportLayout, PageFootersFollowTheirFirstAndLastPageFlags) {
    addBand(page(), btMasterData, 0, 20, QStringLiteral("20"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("row"));
    TfrBandView& footer = addBand(page(), btPageFooter, 200, 20);
    addMemo(page(), 0, 202, 100, 16, QStringLiteral("p[PAGE#]"));
    QList<int> endPages;
    report.OnEndPage = [&](int pg) { endPages.append(pg); };
    struct Case {
        quint16 flags;
        QStringList footers;
    } cases[] = {
        {0, {}},
        {TfrBandView::flOnFirstPage, {"p1"}},
        {TfrBandView::flOnLastPage, {"p2"}},
        {TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage, {"p1", "p2"}},
    };
    for (const Case& c : cases) {
        footer.Flags = c.flags;
        report.Prepare();
        ASSERT_EQ(report.EMFPages.Count(), 2);  // 14 rows fit above the footer
        QStringList footers;
        for (int pg = 0; pg < 2; ++pg)
            for (const Placed& p : placed(report, pg))
                if (p.text.startsWith(u'p')) {
                    footers.append(p.text);
                    EXPECT_EQ(p.top, 280 + 2);
                }
        EXPECT_EQ(footers, c.footers) << c.flags;
        EXPECT_EQ(texts(report, 0).count(QStringLiteral("row")), 14);
        endPages.clear();
    }
    footer.Flags = TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage;
    report.Prepare();
    EXPECT_EQ(endPages, QList<int>({0, 1}));
}

TEST_F(ReportLayout, ARecordWhoseDetailIsEmptyIsLeftOutWithItsHeader) {
    addBand(page(), btMasterHeader, 0, 20);
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("MH"));
    TfrBandView& master = addBand(page(), btMasterData, 30, 20, QStringLiteral("3"));
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("M[LINE#]"));
    addBand(page(), btDetailData, 60, 20, QStringLiteral("frUserDataset2"));
    addMemo(page(), 0, 60, 100, 16, QStringLiteral("d"));
    TfrUserDataset details(QStringLiteral("frUserDataset2"));
    details.RangeEnd = reCount;
    components.addDataSource(&details);
    // Details per master record: 2, 0, 1.
    int masterRecord = 0;
    details.OnFirst = [&](TfrDataset*) {
        static const int counts[] = {2, 0, 1};
        details.RangeEndCount = counts[masterRecord++ % 3];
    };
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"MH", "M1", "d", "d", "M2", "d"}));

    master.Flags |= TfrBandView::flPrintIfSubsetEmpty;
    masterRecord = 0;
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"MH", "M1", "d", "d", "M2", "M3", "d"}));

    // No detail at all: the header goes too, and so does the footer.
    master.Flags &= ~TfrBandView::flPrintIfSubsetEmpty;
    details.OnFirst = [&](TfrDataset*) { details.RangeEndCount = 0; };
    report.Prepare();
    EXPECT_TRUE(texts(report, 0).isEmpty());
}

TEST_F(ReportLayout, GroupsPrintFootersAndHeadersWhereTheConditionChanges) {
    MemoryDataSet rows({QStringLiteral("Grp"), QStringLiteral("Name")},
                       {{ExprValue("A"), ExprValue("a1")}, {ExprValue("A"), ExprValue("a2")},
                        {ExprValue("B"), ExprValue("b1")}});
    TfrDBDataSet source(QStringLiteral("frDBDataSet1"));
    source.DataSet = &rows;
    components.addDataSource(&source);
    addBand(page(), btGroupHeader, 0, 20, QStringLiteral("[Grp]"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("G[Grp]"));
    addBand(page(), btMasterData, 30, 20, QStringLiteral("frDBDataSet1"));
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("[Name]#[LINE#]/[LINETHROUGH#]"));
    addBand(page(), btGroupFooter, 60, 20);
    addMemo(page(), 0, 60, 100, 16, QStringLiteral("end"));
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"GA", "a1#1/1", "a2#2/2", "end", "GB", "b1#1/3", "end"}));
    EXPECT_EQ(tops(report, 0), QList<int>({0, 20, 40, 60, 80, 100, 120}));
}

TEST_F(ReportLayout, TwoColumnsFillDownThenAcrossThenANewPage) {
    useFixedPaper(report, 400, 100);  // 5 rows per column
    page().ColCount = 2;
    page().ColGap = 10;
    addBand(page(), btMasterData, 0, 20, QStringLiteral("12"));
    addMemo(page(), 5, 0, 100, 16, QStringLiteral("[LINE#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    const auto first = placed(report, 0);
    ASSERT_EQ(first.size(), 10);
    EXPECT_EQ(first[0].left, 5);
    EXPECT_EQ(first[4].top, 80);
    EXPECT_EQ(first[5].left, 5 + 200 + 10);
    EXPECT_EQ(first[5].top, 0);
    EXPECT_EQ(texts(report, 1), QStringList({"11", "12"}));
    EXPECT_EQ(placed(report, 1)[0].left, 5);
}

TEST_F(ReportLayout, HeadersMarkedToRepeatPrintOnEveryNewPage) {
    useFixedPaper(report, 400, 100);
    TfrBandView& header = addBand(page(), btMasterHeader, 0, 20);
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("H"));
    addBand(page(), btMasterData, 30, 20, QStringLiteral("6"));
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("[LINE#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 1), QStringList({"5", "6"}));
    header.Flags = TfrBandView::flRepeatHeader;
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 1), QStringList({"H", "5", "6"}));
    EXPECT_EQ(tops(report, 1), QList<int>({0, 20, 40}));
}

TEST_F(ReportLayout, APageMarkedToPrintOnThePreviousPageContinuesBelowIt) {
    addBand(page(), btMasterData, 0, 20, QStringLiteral("3"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("one[LINE#]"));
    TfrPage& second = report.Pages().Add();
    second.UseMargins = false;
    second.PrintToPrevPage = true;
    addBand(second, btReportTitle, 0, 30);
    addMemo(second, 0, 0, 100, 16, QStringLiteral("two"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 1);
    EXPECT_EQ(texts(report, 0), QStringList({"one1", "one2", "one3", "two"}));
    EXPECT_EQ(tops(report, 0).last(), 60);

    second.PrintToPrevPage = false;
    report.Prepare();
    EXPECT_EQ(report.EMFPages.Count(), 2);
}

TEST_F(ReportLayout, ObjectsOutsideBandsPrintOnceOnTheFirstPage) {
    addMemo(page(), 300, 250, 50, 16, QStringLiteral("stamp"));
    addBand(page(), btMasterData, 0, 20, QStringLiteral("20"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("r"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 0).first(), QStringLiteral("stamp"));
    EXPECT_FALSE(texts(report, 1).contains(QStringLiteral("stamp")));
}

TEST_F(ReportLayout, AMultipleReportFormsEveryPagePerRecordAndKeepsCounting) {
    TfrUserDataset copies(QStringLiteral("frUserDataset9"));
    copies.RangeEnd = reCount;
    report.Dataset = &copies;
    report.ReportType = rtMultiple;
    addBand(page(), btReportTitle, 0, 20);
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("Page [PAGE#]"));
    QList<int> begun;
    report.OnBeginPage = [&](int pg) { begun.append(pg); };
    copies.RangeEndCount = 3;
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 3);
    EXPECT_EQ(texts(report, 2), QStringList({"Page 3"}));
    EXPECT_EQ(begun, QList<int>({0, 1, 2}));
    copies.RangeEndCount = 0;  // an empty data source still forms the pages once
    report.Prepare();
    EXPECT_EQ(report.EMFPages.Count(), 1);
}

TEST_F(ReportLayout, AnInvisibleDataBandStillCountsButPrintsNothing) {
    TfrBandView& data = addBand(page(), btMasterData, 0, 20, QStringLiteral("3"), 0, QStringLiteral("MasterData1"));
    data.Visible = false;
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("r"));
    addBand(page(), btMasterFooter, 30, 20);
    TfrMemoView& total = addMemo(page(), 0, 30, 100, 16, QStringLiteral("[SUM(2, 'MasterData1', 1)]"));
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"6"}));
    total.Memo = QStringList{QStringLiteral("[SUM(2, 'MasterData1')]")};  // without the flag nothing is counted
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"0"}));
}

TEST_F(ReportLayout, CrossColumnsRepeatAcrossAndMoveToTheNextPageAtTheRightEdge) {
    useFixedPaper(report, 300, 300);
    TfrBandView& header = addBand(page(), btCrossHeader, 0, 300);
    header.SetBounds(0, 0, 100, 300);
    TfrBandView& data = addBand(page(), btCrossData, 0, 300, QStringLiteral("4"));
    data.SetBounds(100, 0, 60, 300);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("3"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("R[LINE#]"));
    addMemo(page(), 105, 0, 50, 16, QStringLiteral("[COLUMN#]"));
    QList<int> widths;
    report.OnPrintColumn = [&](int col, int& width) { widths.append(col * 100 + width); };
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 0), QStringList({"R1", "1", "2", "3", "R2", "1", "2", "3", "R3", "1", "2", "3"}));
    const auto first = placed(report, 0);
    EXPECT_EQ(first[0].left, 0);
    EXPECT_EQ(first[1].left, 105);
    EXPECT_EQ(first[3].left, 105 + 120);
    EXPECT_EQ(first[4].top, 20);
    EXPECT_EQ(texts(report, 1), QStringList({"4", "4", "4"}));
    EXPECT_EQ(placed(report, 1)[0].left, 5);
    EXPECT_EQ(tops(report, 1), QList<int>({0, 20, 40}));
    EXPECT_EQ(widths.mid(0, 4), QList<int>({160, 260, 360, 460}));

    // A repeating header prints its cells again on the next page.
    header.Flags = TfrBandView::flRepeatHeader;
    report.Prepare();
    EXPECT_EQ(texts(report, 1), QStringList({"R1", "4", "R2", "4", "R3", "4"}));
}

TEST_F(ReportLayout, APageHeaderWhoseCrossColumnsRunOverGoesOnOnTheSidePage) {
    // The side page prints the page header again; its columns belong to the
    // header that ran over, not to a second run that would add a side page
    // of its own, and another, without end.
    useFixedPaper(report, 300, 300);
    TfrBandView& header = addBand(page(), btCrossHeader, 0, 300);
    header.SetBounds(0, 0, 100, 300);
    TfrBandView& data = addBand(page(), btCrossData, 0, 300, QStringLiteral("4"));
    data.SetBounds(100, 0, 60, 300);
    addBand(page(), btPageHeader, 0, 20, {}, TfrBandView::flOnFirstPage);
    addMemo(page(), 170, 0, 100, 16, QStringLiteral("Head"));
    addMemo(page(), 105, 0, 50, 16, QStringLiteral("H[COLUMN#]"));
    addBand(page(), btMasterData, 30, 20, QStringLiteral("2"));
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("R[LINE#]"));
    addMemo(page(), 105, 30, 50, 16, QStringLiteral("[COLUMN#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 0), QStringList({"Head", "H1", "H2", "H3", "R1", "1", "2", "3", "R2", "1", "2", "3"}));
    EXPECT_EQ(texts(report, 1), QStringList({"Head", "H4", "4", "4"}));
}

TEST_F(ReportLayout, ASubReportPrintsItsPageInsideTheBandAndContinuesOverPageBreaks) {
    useFixedPaper(report, 400, 100);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("2"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("m[LINE#]"));
    auto sub = std::make_unique<TfrSubReportView>();
    sub->SetBounds(200, 0, 100, 20);
    sub->SubPage = 1;
    page().add(std::move(sub));
    TfrPage& inner = report.Pages().Add();
    inner.UseMargins = false;
    addBand(inner, btMasterData, 0, 20, QStringLiteral("3"));
    addMemo(inner, 10, 0, 50, 16, QStringLiteral("s[LINE#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);  // the sub-report's page is not laid out on its own
    EXPECT_EQ(texts(report, 0), QStringList({"m1", "s1", "s2", "s3", "m2", "s1", "s2"}));
    EXPECT_EQ(tops(report, 0), QList<int>({0, 0, 20, 40, 60, 60, 80}));
    EXPECT_EQ(placed(report, 0)[1].left, 210);
    EXPECT_EQ(texts(report, 1), QStringList({"s3"}));
    EXPECT_EQ(tops(report, 1), QList<int>({0}));
}

TEST_F(ReportLayout, ANestedSubReportGoesOnOnTheNextPageWithItsOuterOne) {
    useFixedPaper(report, 400, 100);
    const auto addSubReport = [](TfrPage& on, int subPage) {
        auto sub = std::make_unique<TfrSubReportView>();
        sub->SetBounds(100, 0, 100, 20);
        sub->SubPage = subPage;
        on.add(std::move(sub));
    };
    addBand(page(), btMasterData, 0, 20, QStringLiteral("1"));
    addSubReport(page(), 1);
    TfrPage& middle = report.Pages().Add();
    middle.UseMargins = false;
    addBand(middle, btMasterData, 0, 20, QStringLiteral("1"));
    addSubReport(middle, 2);
    TfrPage& inner = report.Pages().Add();
    inner.UseMargins = false;
    addBand(inner, btMasterData, 0, 20, QStringLiteral("7"));
    addMemo(inner, 0, 0, 50, 16, QStringLiteral("n[LINE#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 2);
    EXPECT_EQ(texts(report, 0), QStringList({"n1", "n2", "n3", "n4", "n5"}));
    EXPECT_EQ(texts(report, 1), QStringList({"n6", "n7"}));
    EXPECT_EQ(tops(report, 1), QList<int>({0, 20}));
}

TEST_F(ReportLayout, BandsTallerThanThePageNeitherLoopNorLeaveEmptyPages) {
    useFixedPaper(report, 400, 100);
    addBand(page(), btPageHeader, 0, 150, {}, TfrBandView::flOnFirstPage);  // taller than the page
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("H"));
    addBand(page(), btMasterData, 200, 120, QStringLiteral("2"));
    addMemo(page(), 0, 200, 100, 16, QStringLiteral("[LINE#]"));
    report.Prepare();
    ASSERT_EQ(report.EMFPages.Count(), 3);
    EXPECT_EQ(texts(report, 0), QStringList({"H"}));
    EXPECT_EQ(texts(report, 1), QStringList({"H", "1"}));
    EXPECT_EQ(texts(report, 2), QStringList({"H", "2"}));
}
