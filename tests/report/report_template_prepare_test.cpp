// From a template file to prepared pages: a list template saved with the
// engine's writer, loaded into a fresh report and prepared; a damaged file
// is refused with its message and nothing is prepared.
#include "report_fixture.h"

#include "report/expr/engine_context.h"
#include "report/frf/template_stream.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

TEST(ReportFromTemplateFile, ASavedListTemplateLoadsAndPrepares) {
    engine().reset();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("OutStandingList.frf"));
    {
        TfrReport author;
        TfrPage& page = author.Pages()[0];
        addBand(page, btPageHeader, 0, 30, {}, TfrBandView::flOnFirstPage);
        addMemo(page, 20, 5, 200, 20, QStringLiteral("計画書未作成者一覧"));
        addBand(page, btMasterData, 40, 20, QStringLiteral("frDBDataSet1"));
        addMemo(page, 20, 42, 100, 16, QStringLiteral("[CureNo]"));
        addMemo(page, 130, 42, 200, 16, QStringLiteral("[Name]"));
        addBand(page, btPageFooter, 1000, 20, {}, TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage);
        addMemo(page, 20, 1000, 100, 16, QStringLiteral("[PAGE#] / [TOTALPAGES]"));
        author.Template.DoublePass = 1;
        ASSERT_TRUE(SaveTemplateToFile(file, author.Template));
    }
    MemoryDataSet rows({QStringLiteral("CureNo"), QStringLiteral("Name")}, {});
    for (int i = 1; i <= 100; ++i) rows.rows.append({ExprValue(i), ExprValue(QStringLiteral("利用者%1").arg(i))});
    ReportComponents form(QStringLiteral("TOutStandingListForm"));
    TfrDBDataSet source(QStringLiteral("frDBDataSet1"));
    source.DataSet = &rows;
    form.addDataSource(&source);
    TfrReport report(&form);
    report.ShowProgress = false;
    ASSERT_TRUE(report.LoadTemplateFromFile(file));
    EXPECT_EQ(report.FileName, file);
    report.Prepare();
    // A4 on the Default printer: 1035 px printable from 18; the footer's 20
    // px off the bottom leaves room for the header and 47 rows a page.
    ASSERT_EQ(report.EMFPages.Count(), 3);
    const QStringList first = texts(report, 0);
    EXPECT_EQ(first.first(), QStringLiteral("計画書未作成者一覧"));
    EXPECT_EQ(first.at(1), QStringLiteral("1"));  // a field of the band's data set
    EXPECT_EQ(first.at(2), QStringLiteral("利用者1"));
    EXPECT_EQ(texts(report, 2).last(), QStringLiteral("3 / 3"));
    EXPECT_TRUE(texts(report, 2).contains(QStringLiteral("利用者100")));
    engine().reset();
}

TEST(ReportFromTemplateFile, ADamagedFileIsRefusedWithItsMessage) {
    engine().reset();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Broken.frf"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\x17\x00\x00\x00\x00\x00\x00\x00\xff\x09", 10));
    f.close();
    HeadlessReportUi ui;
    TfrReport report;
    report.Ui = &ui;
    EXPECT_FALSE(report.LoadTemplateFromFile(file));
    EXPECT_EQ(ui.errors, QStringList({QStringLiteral("Unsupported FRF format")}));
    EXPECT_EQ(report.FileName, QStringLiteral("Untitled"));
    engine().reset();
}
