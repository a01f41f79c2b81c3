// The preparation pipeline: two passes and the page total, cancelling, the
// calculation error, exceptions inside the progress job, captions, and the
// aggregate functions in band mode and data-set mode.
#include "report_fixture.h"

#include "report/expr/engine_context.h"
#include "report/objects/addin_views.h"

#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

class ReportPrepare : public ::testing::Test {
protected:
    void SetUp() override {
        engine().reset();
        useFixedPaper(report, 400, 100);  // 5 rows of 20 per page
        report.Progress = &progress;
        report.Ui = &ui;
        report.ShowProgress = true;
    }
    void TearDown() override { engine().reset(); }

    TfrPage& page() { return report.Pages()[0]; }
    // A list of `rows` records with a page footer "[PAGE#]/[TOTALPAGES]".
    void listWithTotals(const QString& rows) {
        addBand(page(), btMasterData, 0, 20, rows, 0, QStringLiteral("MasterData1"));
        addMemo(page(), 0, 0, 100, 16, QStringLiteral("r[LINE#]"));
        addBand(page(), btPageFooter, 80, 20, {}, TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage);
        addMemo(page(), 0, 80, 100, 16, QStringLiteral("[PAGE#]/[TOTALPAGES]"));
    }
    QStringList footers() {
        QStringList out;
        for (int pg = 0; pg < report.EMFPages.Count(); ++pg) out.append(texts(report, pg).last());
        return out;
    }

    ReportComponents components{QStringLiteral("ReportPrepareForm")};
    TfrReport report{&components};
    HeadlessProgress progress;
    HeadlessReportUi ui;
};

}  // namespace

TEST_F(ReportPrepare, TwoPassesPrintTheRightPageTotal) {
    listWithTotals(QStringLiteral("9"));  // 4 rows per page above the footer: 3 pages
    report.Prepare();
    EXPECT_EQ(footers(), QStringList({"1/0", "2/0", "3/0"}));
    report.Template.DoublePass = 1;
    EXPECT_TRUE(report.Prepare());
    EXPECT_EQ(footers(), QStringList({"1/3", "2/3", "3/3"}));
    EXPECT_EQ(report.Template.DoublePass, 1);
    EXPECT_EQ(progress.runs, 2);  // the second pass runs inside the first window
    EXPECT_TRUE(progress.labels.contains(QStringLiteral("Performing 1st pass:  1")));
    EXPECT_TRUE(progress.labels.contains(QStringLiteral("Processing page:  2 from 3")));
    EXPECT_EQ(progress.captions.last(), QStringLiteral("Report preparing"));
    // A single-pass report after it starts from a total of 0 again.
    report.Template.DoublePass = 0;
    report.ShowProgress = false;
    report.Prepare();
    EXPECT_EQ(footers().first(), QStringLiteral("1/0"));
}

TEST_F(ReportPrepare, CancellingTheFirstPassEndsThePreparationAndKeepsTheSetting) {
    listWithTotals(QStringLiteral("9"));
    report.Template.DoublePass = 1;
    progress.cancelAtLabel = 2;
    EXPECT_FALSE(report.Prepare());
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(report.Template.DoublePass, 1);
    EXPECT_FALSE(progress.isVisible());
    // The next preparation is a whole double pass again.
    progress.cancelAtLabel = 0;
    progress.labels.clear();
    EXPECT_TRUE(report.Prepare());
    EXPECT_EQ(footers().last(), QStringLiteral("3/3"));
}

TEST_F(ReportPrepare, CancellingASinglePassShowsThePagesMadeSoFar) {
    listWithTotals(QStringLiteral("40"));
    progress.cancelAtLabel = 3;
    report.Title = QStringLiteral("利用者一覧");
    report.PrepareAndShow();
    EXPECT_GT(report.EMFPages.Count(), 0);
    EXPECT_LT(report.EMFPages.Count(), 10);
    EXPECT_EQ(ui.previews, QStringList({QStringLiteral("Preview - 利用者一覧")}));
    EXPECT_EQ(progress.captions.last(), QStringLiteral("Report preparing - 利用者一覧"));
}

TEST_F(ReportPrepare, ACancelInAMultipleReportStopsAfterTheRecordInHandWhenAsked) {
    // Two template pages a record, three records; Cancel while the second
    // record's first page is reported.
    TfrUserDataset records(QStringLiteral("frUserDataset9"));
    records.RangeEnd = reCount;
    records.RangeEndCount = 3;
    report.Dataset = &records;
    report.ReportType = rtMultiple;
    addBand(page(), btReportTitle, 0, 20);
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("A[PAGE#]"));
    TfrPage& second = report.Pages().Add();
    addBand(second, btReportTitle, 0, 20);
    addMemo(second, 0, 0, 100, 16, QStringLiteral("B[PAGE#]"));
    const auto firstTexts = [&] {
        QStringList out;
        for (int pg = 0; pg < report.EMFPages.Count(); ++pg) out.append(texts(report, pg).value(0));
        return out;
    };
    struct Case {
        bool finishRecord;
        QStringList pages;
    };
    for (const Case& c : {Case{false, {"A1", "B2", "A3"}}, Case{true, {"A1", "B2", "A3", "B4"}}}) {
        SCOPED_TRACE(c.finishRecord);
        report.FinishRecordOnCancel = c.finishRecord;
        progress.labels.clear();
        progress.cancelAtLabel = 7;  // "Processing page:  3", after the second record's first page
        report.PrepareAndShow();
        EXPECT_EQ(firstTexts(), c.pages) << progress.labels.join(u'|').toStdString();
        EXPECT_FALSE(progress.isVisible());
    }
    // Without a Cancel every record prints whole.
    progress.cancelAtLabel = 0;
    report.Prepare();
    EXPECT_EQ(report.EMFPages.Count(), 6);
}

TEST_F(ReportPrepare, AFailingExpressionInAnObjectIsACalculationError) {
    addBand(page(), btMasterData, 0, 20, QStringLiteral("3"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("[Nothing]"));
    report.PrepareAndShow();
    ASSERT_EQ(ui.errors.size(), 1);
    EXPECT_EQ(ui.errors[0], QStringLiteral("An error occured during calculating\r[Nothing]\rReport frReport1\rBand: マスタ データ"));
    EXPECT_TRUE(ui.previews.isEmpty());
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ReportPrepare, AnErrorInAGroupConditionLeavesNothingOpenAndShowsNoPreview) {
    TfrUserDataset rows(QStringLiteral("frUserDataset1"));
    rows.RangeEnd = reCount;
    rows.RangeEndCount = 3;
    int closes = 0;
    struct Watch : TfrUserDataset {
        using TfrUserDataset::TfrUserDataset;
        int* closes = nullptr;
        void Close() override { ++*closes; }
    } watched(QStringLiteral("frUserDataset2"));
    watched.closes = &closes;
    watched.RangeEnd = reCount;
    watched.RangeEndCount = 3;
    components.addDataSource(&watched);
    addBand(page(), btGroupHeader, 0, 20, QStringLiteral("[NoSuchName] + 1"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("G"));
    addBand(page(), btMasterData, 30, 20, QStringLiteral("frUserDataset2"));
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("r"));
    report.PrepareAndShow();
    ASSERT_EQ(ui.errors.size(), 1);
    EXPECT_TRUE(ui.errors[0].contains(QStringLiteral("NoSuchName"))) << ui.errors[0].toStdString();
    EXPECT_TRUE(ui.previews.isEmpty());
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(engine().CurrentBand, nullptr);
    // Prepare on its own passes the error on after cleaning up.
    EXPECT_THROW(report.Prepare(), EParserError);
    EXPECT_EQ(closes, 2);
}

TEST_F(ReportPrepare, AReportThatFormsNoPageShowsNothing) {
    report.Pages().Clear();
    report.PrepareAndShow();
    EXPECT_TRUE(ui.previews.isEmpty());
    EXPECT_TRUE(ui.errors.isEmpty());
}

TEST_F(ReportPrepare, TheWindowAnswersNamesAndMayReplaceTextBeforeItIsPlaced) {
    addBand(page(), btReportTitle, 0, 40);
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("[Name]様"));
    addMemo(page(), 0, 20, 100, 16, QStringLiteral("[EtcMemo]"));
    report.OnGetValue = [](const QString& name, ExprValue& v) {
        if (name == u"Name") v = ExprValue(QStringLiteral("山田"));
    };
    report.OnEnterRect = [](QStringList& memo, TfrView*) {
        if (memo.value(0) == u"[EtcMemo]") memo = QStringList{QStringLiteral("[literal]")};
    };
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"山田様", "[literal]"}));
}

TEST_F(ReportPrepare, BandModeAggregatesCollectOncePerRecord) {
    const QList<int> values = {5, 3, 8};
    TfrUserDataset rows(QStringLiteral("frUserDataset1"));
    rows.RangeEnd = reCount;
    components.addDataSource(&rows);
    report.OnGetValue = [&](const QString& name, ExprValue& v) {
        if (name == u"Val") v = ExprValue(values.value(rows.RecNo()));
    };
    useFixedPaper(report, 400, 300);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("frUserDataset1"), 0, QStringLiteral("MasterData1"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("[Val]"));
    addBand(page(), btMasterFooter, 30, 20);
    addMemo(page(), 0, 30, 300, 16,
            QStringLiteral("[SUM([Val])] [AVG([Val]) #N0.00] [MIN([Val])] [MAX([Val])] [COUNT('MasterData1')] "
                           "[SUM([Val], 'MasterData1')]"));
    rows.RangeEndCount = 3;
    report.Prepare();
    EXPECT_EQ(texts(report, 0).last(), QStringLiteral("16 5.33 3 8 3 16"));
    // Over no records nothing prints but the footer... which needs a record: use
    // a summary instead, where MIN and MAX give 0.
}

// A footer's memos are evaluated for every record only when they may count
// an aggregate: by name (any letter case), through a binding, or with a text
// a script gave them since the band was set up. What prints stays the same.
// Returns how often the window was asked for a name no aggregate needs.
int printTotals(TfrReport& report, ReportComponents& components, bool bindingCounts) {
    const QList<int> values = {5, 3, 8};
    TfrUserDataset rows(QStringLiteral("frUserDataset1"));
    rows.RangeEnd = reCount;
    rows.RangeEndCount = 3;
    components.addDataSource(&rows);
    int plainAsked = 0;
    report.OnGetValue = [&](const QString& name, ExprValue& v) {
        if (name == u"Val") v = ExprValue(values.value(rows.RecNo()));
        if (name == u"Plain") {
            ++plainAsked;
            v = ExprValue(QStringLiteral("p"));
        }
    };
    useFixedPaper(report, 400, 300);
    TfrPage& page = report.Pages()[0];
    addBand(page, btMasterData, 0, 20, QStringLiteral("frUserDataset1"), 0, QStringLiteral("MasterData1")).Script =
        QStringList{QStringLiteral("Changed.Text := '[MAX([Val])]'")};
    addMemo(page, 0, 0, 100, 16, QStringLiteral("[Val]"));
    addBand(page, btMasterFooter, 30, 20);
    addMemo(page, 0, 30, 90, 16, QStringLiteral("[Plain]"));
    addMemo(page, 100, 30, 90, 16, QStringLiteral("[sum([Val])]"));
    addMemo(page, 200, 30, 90, 16, QStringLiteral("[Total]"));
    addMemo(page, 300, 30, 90, 16, QStringLiteral("[Plain]")).Name = QStringLiteral("Changed");
    TfrValue& total = report.Values().Add(QStringLiteral("Total"));
    total.Typ = vtExpression;
    total.FieldName = bindingCounts ? QStringLiteral("SUM([Val])") : QStringLiteral("16");
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"5", "3", "8", "p", "16", "16", "8"}));
    return plainAsked;
}

TEST_F(ReportPrepare, TheTotalsPassEvaluatesOnlyMemosThatMayCountAnAggregate) {
    EXPECT_EQ(printTotals(report, components, false), 1);  // printed, never totalled
}

TEST_F(ReportPrepare, ABindingThatCountsAnAggregateKeepsEveryMemoInTheTotalsPass) {
    EXPECT_EQ(printTotals(report, components, true), 1 + 3);
}

TEST_F(ReportPrepare, MinAndMaxOverNoRecordsGiveZero) {
    TfrUserDataset rows(QStringLiteral("frUserDataset1"));
    rows.RangeEnd = reCount;
    rows.RangeEndCount = 0;
    components.addDataSource(&rows);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("frUserDataset1"), 0, QStringLiteral("MasterData1"));
    addMemo(page(), 0, 0, 100, 16, QStringLiteral("[Val]"));
    addBand(page(), btReportSummary, 30, 20);
    addMemo(page(), 0, 30, 300, 16, QStringLiteral("[MIN([Val], 'MasterData1')] [MAX([Val], 'MasterData1')] [AVG([Val], 'MasterData1')]"));
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"0 0 0"}));
}

TEST_F(ReportPrepare, DataSetAggregatesWalkTheWholeDataSetAndComeBack) {
    MemoryDataSet data({QStringLiteral("Val")}, {{ExprValue(5)}, {ExprValue(3)}, {ExprValue(8)}});
    TfrDBDataSet source(QStringLiteral("frDBDataSet1"));
    source.DataSet = &data;
    components.addDataSource(&source);
    components.addDataSet(QStringLiteral("Query1"), &data);
    useFixedPaper(report, 400, 300);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("frDBDataSet1"), 0, QStringLiteral("MasterData1"));
    addMemo(page(), 0, 0, 300, 16, QStringLiteral("[Val] [SUM(Query1.Val)] [MAX(Query1.Val)] [COUNT(Query1)]"));
    report.Prepare();
    // Evaluated on every record, the walk never cuts the master loop short.
    EXPECT_EQ(texts(report, 0), QStringList({"5 16 8 3", "3 16 8 3", "8 16 8 3"}));
}

TEST_F(ReportPrepare, TheHighlightReplacesFontAndFillOnlyWhereItsConditionHolds) {
    TfrUserDataset rows(QStringLiteral("frUserDataset1"));
    rows.RangeEnd = reCount;
    rows.RangeEndCount = 2;
    components.addDataSource(&rows);
    addBand(page(), btMasterData, 0, 20, QStringLiteral("frUserDataset1"));
    TfrMemoView& m = addMemo(page(), 0, 0, 100, 16, QStringLiteral("[LINE#]"));
    m.HighlightCondition = QStringLiteral("[LINE#] = 2");
    m.Highlight.FillColor = 0x0000FF;
    m.Highlight.FontStyle = fsBold;
    report.Prepare();
    const auto objects = report.EMFPages.GetPage(0).objects();
    ASSERT_EQ(objects.size(), 2u);
    const auto& first = static_cast<const TfrMemoView&>(*objects[0]);
    const auto& second = static_cast<const TfrMemoView&>(*objects[1]);
    EXPECT_EQ(first.FillColor, clNone);
    EXPECT_EQ(first.Font.Style, 0);
    EXPECT_EQ(second.FillColor, 0x0000FF);
    EXPECT_EQ(second.Font.Style, fsBold);
}

TEST_F(ReportPrepare, PreparedCheckBoxesStoreTheIntegerOfTheirExpression) {
    addBand(page(), btReportTitle, 0, 40);
    for (int i = 0; i < 2; ++i) {
        auto box = std::make_unique<TfrCheckBoxView>();
        box->SetBounds(i * 30, 0, 20, 20);
        box->Memo = QStringList{i == 0 ? QStringLiteral("[Flag]") : QStringLiteral("0.9")};
        page().add(std::move(box));
    }
    report.OnGetValue = [](const QString& name, ExprValue& v) {
        if (name == u"Flag") v = ExprValue(true);
    };
    report.Prepare();
    EXPECT_EQ(texts(report, 0), QStringList({"-1", "0"}));
}
