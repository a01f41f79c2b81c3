// Scripts of bands and objects in prepared reports: assignments read back as
// [name], properties by name, FREESPACE and NEWPAGE forcing a page, and a loop
// that never ends stopping the preparation with its message.
#include "report_fixture.h"

#include "report/expr/engine_context.h"
#include "report/script/report_interpreter.h"

#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

class ScriptReport : public ::testing::Test {
protected:
    void SetUp() override {
        engine().reset();
        useFixedPaper(report, 400, 100);  // 5 rows of 20 per page
        report.Ui = &ui;
    }
    void TearDown() override {
        ScriptInterpreter().MaxSteps = TfrInterpretator::DefaultMaxSteps;
        engine().reset();
    }
    TfrPage& page() { return report.Pages()[0]; }
    // A data band of `rows` records 20 high with one memo.
    TfrBandView& list(const QString& rows, const QString& memoText) {
        TfrBandView& band = addBand(page(), btMasterData, 0, 20, rows, 0, QStringLiteral("MasterData1"));
        addMemo(page(), 0, 0, 100, 16, memoText).Name = QStringLiteral("Row");
        return band;
    }
    QList<QStringList> pages() {
        QList<QStringList> out;
        for (int pg = 0; pg < report.EMFPages.Count(); ++pg) out.append(texts(report, pg));
        return out;
    }

    TfrReport report;
    HeadlessReportUi ui;
};

}  // namespace

TEST_F(ScriptReport, AssignmentsAreReadAsBracketedNamesInLaterMemos) {
    TfrBandView& title = addBand(page(), btReportTitle, 60, 20);
    title.Script = QStringList{QStringLiteral("BEGIN total := 0; label := 'No.' END")};
    list(QStringLiteral("3"), QStringLiteral("[label][total]")).Script =
        QStringList{QStringLiteral("total := total + [LINE#] * 10")};
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"No.10", "No.30", "No.60"}}));
    // The template keeps its script as written; only the run-time copies were compiled.
    EXPECT_EQ(title.Script, QStringList{QStringLiteral("BEGIN total := 0; label := 'No.' END")});
    // The variables stay for the next report.
    EXPECT_EQ(engine().ScriptVariables.GetVariable(QStringLiteral("TOTAL")).toInt(), 60);
}

TEST_F(ScriptReport, NewPageInABandScriptForcesAPage) {
    list(QStringLiteral("4"), QStringLiteral("r[LINE#]")).Script =
        QStringList{QStringLiteral("BEGIN"), QStringLiteral("  IF [LINE#] = 3 THEN NEWPAGE"), QStringLiteral("END")};
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"r1", "r2"}, {"r3", "r4"}}));
    EXPECT_EQ(tops(report, 1), QList<int>({0, 20}));
}

TEST_F(ScriptReport, FreeSpaceIsTheHeightLeftOnThePage) {
    list(QStringLiteral("5"), QStringLiteral("r[LINE#]")).Script =
        QStringList{QStringLiteral("IF FREESPACE < 50 THEN NEWPAGE")};
    report.Prepare();  // 100, 80, 60 left for the first three; 40 asks for a new page
    EXPECT_EQ(pages(), QList<QStringList>({{"r1", "r2", "r3"}, {"r4", "r5"}}));
}

TEST_F(ScriptReport, PropertiesOfTheBandAndOfObjectsByName) {
    list(QStringLiteral("4"), QStringLiteral("r[LINE#]")).Script =
        QStringList{QStringLiteral("BEGIN Visible := [LINE#] <> 2; Row.Left := [LINE#] * 10 END")};
    addMemo(page(), 200, 0, 100, 16, QStringLiteral("x")).Script =
        QStringList{QStringLiteral("IF [LINE#] > 3 THEN BEGIN Text := 'last'; FillColor := clYellow END")};
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"r1", "x", "r3", "x", "r4", "last"}}));
    const auto objects = placed(report, 0);
    EXPECT_EQ(objects[0].left, 10);
    EXPECT_EQ(objects[2].left, 30);
    EXPECT_EQ(objects[2].top, 20);  // the hidden second row took no room
    EXPECT_EQ(report.EMFPages.GetPage(0).objects()[5]->FillColor, 0x00FFFF);
}

TEST_F(ScriptReport, AnEndlessLoopEndsThePreparationWithItsMessage) {
    ScriptInterpreter().MaxSteps = 1000;
    list(QStringLiteral("2"), QStringLiteral("r")).Script = QStringList{QStringLiteral("WHILE 1 = 1 DO i := 1")};
    report.PrepareAndShow();
    ASSERT_EQ(ui.errors.size(), 1);
    EXPECT_TRUE(ui.errors.first().contains(QStringLiteral("1000 steps"))) << ui.errors.first().toStdString();
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(engine().ScriptPage, nullptr);  // nothing of the build is kept

    // In an object's script it is a calculation error.
    ui.errors.clear();
    page().Objects.clear();
    list(QStringLiteral("2"), QStringLiteral("r"));
    page().Objects.back()->Script = QStringList{QStringLiteral("REPEAT i := 1 UNTIL 0")};
    report.PrepareAndShow();
    ASSERT_EQ(ui.errors.size(), 1);
    EXPECT_TRUE(ui.errors.first().startsWith(QStringLiteral("An error occured during calculating")));
}

TEST_F(ScriptReport, ASubReportsScriptsSeeTheObjectsOfItsOwnPage) {
    addBand(page(), btMasterData, 0, 20, QStringLiteral("1"));
    auto sub = std::make_unique<TfrSubReportView>();
    sub->SetBounds(200, 0, 100, 20);
    sub->SubPage = 1;
    page().add(std::move(sub));
    TfrPage& inner = report.Pages().Add();
    inner.UseMargins = false;
    addBand(inner, btMasterData, 0, 20, QStringLiteral("2")).Script =
        QStringList{QStringLiteral("Inner.Left := [LINE#] * 10")};
    addMemo(inner, 0, 0, 50, 16, QStringLiteral("s[LINE#]")).Name = QStringLiteral("Inner");
    report.Prepare();
    const auto objects = placed(report, 0);
    ASSERT_EQ(objects.size(), 2);
    EXPECT_EQ(objects[0].left, 200 + 10);
    EXPECT_EQ(objects[1].left, 200 + 20);
}

TEST_F(ScriptReport, NewPageCountsInBothPassesOfATwoPassReport) {
    list(QStringLiteral("3"), QStringLiteral("r[LINE#]/[TOTALPAGES]")).Script =
        QStringList{QStringLiteral("IF [LINE#] > 1 THEN NEWPAGE")};
    report.Template.DoublePass = 1;
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"r1/3"}, {"r2/3"}, {"r3/3"}}));
}

TEST_F(ScriptReport, ARecordWhoseBandAScriptHidesCountsOnlyWhereInvisibleBandsAreAskedFor) {
    list(QStringLiteral("3"), QStringLiteral("[LINE#]")).Script =
        QStringList{QStringLiteral("Visible := [LINE#] <> 2")};
    addBand(page(), btMasterFooter, 30, 20);
    addMemo(page(), 0, 30, 100, 16, QStringLiteral("[SUM([LINE#])]"));
    addMemo(page(), 100, 30, 100, 16, QStringLiteral("[SUM([LINE#] * 1, '', '1')]"));
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"1", "3", "4", "6"}}));
}

TEST_F(ScriptReport, AScriptMakesAHiddenTemplateObjectPrint) {
    list(QStringLiteral("2"), QStringLiteral("r[LINE#]"));
    TfrMemoView& hidden = addMemo(page(), 200, 0, 100, 16, QStringLiteral("shown"));
    hidden.Visible = false;
    hidden.Script = QStringList{QStringLiteral("Visible := [LINE#] = 2")};
    report.Prepare();
    EXPECT_EQ(pages(), QList<QStringList>({{"r1", "r2", "shown"}}));
    EXPECT_FALSE(hidden.Visible);  // the template object is left as it was
}
