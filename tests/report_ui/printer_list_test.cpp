// The printer list is read when the first preview opens, not when the engine
// starts: listing the printers loads the print system's plugin.
#include "report/print/tfr_printer.h"
#include "report/prepared_fixture.h"
#include "report_ui/preview_form.h"
#include "report_ui/report_windows.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace lum;

namespace {

bool printPluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return true;
    return maps.readAll().contains("printsupport/libcupsprintersupport");
}

// Runs in a fresh process of this program: no earlier test has read the printers.
int startThenOpenAPreview() {
    installReportWindows();
    if (ReportPrinter().platform() || printPluginLoaded()) return 1;
    if (ReportPrinter().Printers != QStringList{kDefaultPrinterName}) return 2;
    TfrReport report;
    test::addTextPage(report.EMFPages, QStringLiteral("頁"));
    report.CanRebuild = false;
    {
        TfrPreviewForm preview(report);
        if (!ReportPrinter().platform() || !printPluginLoaded()) return 3;
    }
    // The list: what CUPS knows, then "PDF", then the default.
    const QStringList printers = ReportPrinter().Printers;
    if (printers.size() < 2 || printers.last() != kDefaultPrinterName || printers[printers.size() - 2] != u"PDF")
        return 4;
    // Once per run: a second preview keeps the list it found.
    PrinterPlatform* platform = ReportPrinter().platform();
    TfrPreviewForm again(report);
    return ReportPrinter().platform() == platform ? 0 : 5;
}

}  // namespace

TEST(PrinterList, IsReadByTheFirstPreviewNotAtTheEnginesStart) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(startThenOpenAPreview()), ::testing::ExitedWithCode(0), "");
}
