// Printing prepared pages through a fake printer: page lists, copies, paper
// changes restarting the job, cancel; and the printer's paper geometry.
#include "prepared_fixture.h"
#include "report/engine/tfr_report.h"
#include "report/prepared/print_prepared.h"
#include "report/print/qt_printer_device.h"
#include "support/fake_printer.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

// The first text drawn on each sheet.
QStringList sheetTexts(const FakePrinterDevice& d) {
    QStringList out;
    for (const auto& s : d.sheets) out.append(s->texts().value(0));
    return out;
}

TfrEMFPages pagesOf(const QList<int>& orientations) {
    TfrEMFPages pages;
    int n = 0;
    for (int o : orientations) addTextPage(pages, QStringLiteral("P%1").arg(++n), 9, o);
    return pages;
}

struct Printing : ::testing::Test {
    FakePrinterPlatform platform;
    TfrPrinter printer{&platform};
    FakePrinterDevice& device() { return *platform.devices.at(printer.PrinterIndex); }

    QStringList print(TfrEMFPages& pages, const QString& list, int copies, PrintOutcome expected = PrintOutcome::Printed,
                      int cancelAfter = 0) {
        platform.log.clear();
        PrintRun run;
        EXPECT_TRUE(ParsePageList(list, run.pages));
        run.copies = copies;
        run.title = QStringLiteral("帳票");
        int sent = 0;
        run.progress = [&](int) { return cancelAfter == 0 || ++sent < cancelAfter; };
        EXPECT_EQ(PrintPageList(pages, printer, run), expected);
        return platform.log;
    }
};

}  // namespace

TEST_F(Printing, PageListSelectsPages) {
    TfrEMFPages pages = pagesOf({0, 0, 0});
    EXPECT_EQ(print(pages, "2", 1), QStringList({"begin Tiberlaine: 帳票", "end"}));
    EXPECT_EQ(sheetTexts(device()), QStringList({"P2"}));
    device().sheets.clear();
    EXPECT_EQ(print(pages, "3-1", 1, PrintOutcome::Failed), QStringList()) << "a list of no page is told, not printed";
    EXPECT_TRUE(sheetTexts(device()).isEmpty());
    EXPECT_EQ(print(pages, "", 1), QStringList({"begin Tiberlaine: 帳票", "page", "page", "end"}));
    EXPECT_EQ(sheetTexts(device()), QStringList({"P1", "P2", "P3"}));
}

TEST_F(Printing, CopiesPrintEachPageInARow) {
    TfrEMFPages pages = pagesOf({0, 0});
    print(pages, "", 2);
    EXPECT_EQ(sheetTexts(device()), QStringList({"P1", "P1", "P2", "P2"}));
    device().sheets.clear();
    print(pages, "", 0);
    EXPECT_EQ(sheetTexts(device()), QStringList({"P1", "P2"}));
}

TEST_F(Printing, PaperChangesEndAndRestartTheJob) {
    TfrEMFPages pages = pagesOf({0, 1, 0});
    EXPECT_EQ(print(pages, "", 1), QStringList({"begin Tiberlaine: 帳票", "end", "paper 9 1", "begin Tiberlaine: 帳票",
                                                 "end", "paper 9 0", "begin Tiberlaine: 帳票", "end"}));
}

TEST_F(Printing, CancelAbortsTheJobAfterThePagesSent) {
    TfrEMFPages pages = pagesOf({0, 0, 0});
    EXPECT_EQ(print(pages, "", 1, PrintOutcome::Cancelled, 2), QStringList({"begin Tiberlaine: 帳票", "page", "abort"}));
    EXPECT_EQ(sheetTexts(device()), QStringList({"P1", "P2"}));
}

TEST_F(Printing, UntitledJobAndDefaultPrinterCannotPrint) {
    EXPECT_EQ(printJobTitle(QString()), QStringLiteral("Tiberlaine: Untitled"));
    TfrEMFPages pages = pagesOf({0});
    printer.SelectPrinter(printer.DefaultPrinterIndex);
    PrintRun run;
    EXPECT_EQ(PrintPageList(pages, printer, run), PrintOutcome::Failed);
}

// What the user reads when nothing is printed is Japanese, like every
// other message of the windows; it names the printer or the file, and gives
// the print system's reason under it.
TEST_F(Printing, FailuresAreToldInJapanese) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        int pages;
        const char* list;
        QString message;
        QStringList log;
    };
    QTemporaryDir dir;
    const QString unwritable = dir.filePath(QStringLiteral("無い/報告.pdf"));
    const QString reason = QStringLiteral("宛先 \"Fake 1\" はジョブを受け付けていません。");
    const QStringList began = {"begin Tiberlaine: Untitled", "abort"};
    const Case cases[] = {
        {"the printer refuses the job", [&] { device().failBegin = true; }, 1, "",
         QStringLiteral("「Fake 1」への印刷に失敗しました。"), began},
        {"the queue does not take the job handed over", [&] { platform.queueSystem.refusals["Fake 1"] = reason; }, 3,
         "", QStringLiteral("「Fake 1」への印刷に失敗しました。\n") + reason,
         {"begin Tiberlaine: Untitled", "page", "page", "end"}},
        {"the queue refuses without a reason", [&] { platform.queueSystem.refusals["Fake 1"] = QString(); }, 1, "",
         QStringLiteral("「Fake 1」への印刷に失敗しました。"), {"begin Tiberlaine: Untitled", "end"}},
        {"Default printer prints nowhere", [&] { printer.SelectPrinter(printer.DefaultPrinterIndex); }, 1, "",
         QStringLiteral("プリンタが選択されていません。"), {}},
        {"no page to print", [] {}, 0, "", QStringLiteral("印刷するページがありません。"), {}},
        {"a list of no page of the document", [] {}, 3, "4-5", QStringLiteral("印刷するページがありません。"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform.queueSystem.refusals.clear();
        printer.AttachPrinter(&platform);
        platform.log.clear();
        c.arrange();
        TfrEMFPages pages = pagesOf(QList<int>(c.pages, 0));
        PrintRun run;
        ASSERT_TRUE(ParsePageList(QString::fromUtf8(c.list), run.pages));
        QString error;
        EXPECT_EQ(PrintPageList(pages, printer, run, &error), PrintOutcome::Failed);
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(platform.log, c.log);
    }
    // A PDF that cannot be written is named by its file.
    PdfPrinterPlatform pdf(unwritable);
    TfrPrinter toFile(&pdf);
    TfrEMFPages pages = pagesOf({0});
    QString error;
    EXPECT_EQ(PrintPageList(pages, toFile, PrintRun{}, &error), PrintOutcome::Failed);
    EXPECT_EQ(error, QStringLiteral("「%1」への印刷に失敗しました。").arg(unwritable));
}

// Every job is handed over and asked about on its own: a paper change ends
// one job and begins the next, and a refused job leaves the rest unsent.
TEST_F(Printing, EachJobHandedOverIsAskedAbout) {
    TfrEMFPages pages = pagesOf({0, 1, 0});
    print(pages, "", 1);
    EXPECT_EQ(platform.queueSystem.asked, QStringList({"handing Fake 1", "handed Fake 1", "handing Fake 1",
                                                       "handed Fake 1", "handing Fake 1", "handed Fake 1"}));
    EXPECT_EQ(platform.queueSystem.lastJobId, 3);

    platform.queueSystem.asked.clear();
    platform.queueSystem.refusals["Fake 1"] = QStringLiteral("server-error-not-accepting-jobs");
    QString error;
    EXPECT_EQ(PrintPageList(pages, printer, PrintRun{}, &error), PrintOutcome::Failed);
    EXPECT_EQ(platform.queueSystem.asked, QStringList({"handing Fake 1", "handed Fake 1"}));
    EXPECT_EQ(platform.log.count(QStringLiteral("end")), 4) << "three jobs before, one now: the rest is not sent";
    EXPECT_EQ(error, QStringLiteral("「Fake 1」への印刷に失敗しました。\nserver-error-not-accepting-jobs"));
}

// What is told before anything is sent: the pages first, then the queue's
// state; a file printer and a queue the print system cannot tell about are
// not held up.
TEST_F(Printing, TheCheckBeforePrinting) {
    const QueueState refusing = refusingQueue(QStringLiteral("Rejecting Jobs"));
    const QueueState stopped = stoppedQueue(QStringLiteral("Paused"));
    QueueState stoppedAndRefusing = stopped;
    stoppedAndRefusing.accepting = false;
    QueueState printing;
    printing.activity = QueueState::Activity::Printing;
    struct Case {
        const char* what;
        std::optional<QueueState> state;  // of "Fake 1"; none: the print system cannot tell
        const char* list;
        PrintCheck::Verdict verdict;
        QString text;
        bool queueAsked;
    };
    const Case cases[] = {
        {"idle and taking jobs", QueueState{}, "", PrintCheck::Print, {}, true},
        {"printing another job", printing, "", PrintCheck::Print, {}, true},
        {"refusing jobs", refusing, "", PrintCheck::DontPrint,
         QStringLiteral("「Fake 1」は印刷ジョブを受け付けていません。\nRejecting Jobs"), true},
        {"stopped", stopped, "1", PrintCheck::PrintAfterWarning,
         QStringLiteral("「Fake 1」は停止中です。印刷は再開されるまで待機します。\nPaused"), true},
        {"stopped and refusing", stoppedAndRefusing, "", PrintCheck::DontPrint,
         QStringLiteral("「Fake 1」は印刷ジョブを受け付けていません。\nPaused"), true},
        {"a queue the print system cannot tell about", std::nullopt, "", PrintCheck::Print, {}, true},
        {"a list of no page, on a refusing queue", refusing, "4-5", PrintCheck::DontPrint,
         QStringLiteral("印刷するページがありません。"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePrintQueues& queues = platform.queueSystem;
        queues.asked.clear();
        queues.states.clear();
        queues.unknown.clear();
        if (c.state) queues.states["Fake 1"] = *c.state;
        else queues.unknown.append("Fake 1");
        PageList list;
        ASSERT_TRUE(ParsePageList(QString::fromUtf8(c.list), list));
        const PrintCheck check = CheckBeforePrinting(3, list, printer);
        EXPECT_EQ(check.verdict, c.verdict);
        EXPECT_EQ(check.text, c.text);
        EXPECT_EQ(queues.asked, c.queueAsked ? QStringList({"state Fake 1"}) : QStringList());
    }
    // Not print-system queues: nothing is asked.
    PdfPrinterPlatform pdf(QStringLiteral("/tmp/x.pdf"));
    TfrPrinter toFile(&pdf);
    EXPECT_EQ(CheckBeforePrinting(3, PageList{}, toFile).verdict, PrintCheck::Print);
    TfrPrinter nowhere(&platform);
    nowhere.SelectPrinter(nowhere.DefaultPrinterIndex);
    const PrintCheck check = CheckBeforePrinting(3, PageList{}, nowhere);
    EXPECT_EQ(check.verdict, PrintCheck::DontPrint);
    EXPECT_EQ(check.text, QStringLiteral("プリンタが選択されていません。"));
}

TEST(TfrPrinterTest, DefaultPrinterGeometryFromThePaperTable) {
    TfrPrinter printer;
    EXPECT_EQ(printer.Printers, QStringList({"Default printer"}));
    EXPECT_FALSE(printer.hasPrinters());
    EXPECT_EQ(printer.PaperSizes.size(), 67);
    printer.SetPrinterSettings(9, 0, 0, 1);
    EXPECT_EQ(printer.PaperWidth, 2970);
    EXPECT_EQ(printer.PaperHeight, 2100);
    printer.SetPrinterSettings(9, 0, 0, 0);
    const PageGeometry g = printer.FillPageInfo();
    EXPECT_EQ(g.pageWidth, 752);
    EXPECT_EQ(g.pageHeight, 1071);
    EXPECT_EQ(g.offsetLeft, 18);
    EXPECT_EQ(g.offsetTop, 18);
    EXPECT_EQ(g.printableWidth, 716);
    EXPECT_EQ(g.printableHeight, 1035);
}

TEST(TfrPrinterTest, CustomPaperComparedBySizeToo) {
    TfrPrinter printer;
    printer.SetPrinterSettings(256, 1000, 2000, 0);
    EXPECT_TRUE(printer.SameSettings(256, 1000, 2000, 0));
    EXPECT_FALSE(printer.SameSettings(256, 1000, 2001, 0));
    printer.SetPrinterSettings(9, 0, 0, 0);
    EXPECT_TRUE(printer.SameSettings(9, 1, 2, 0));
    EXPECT_FALSE(printer.SameSettings(9, 1, 2, 1));
}

TEST(TfrPrinterTest, PlatformPrintersThenDefaultPrinter) {
    FakePrinterPlatform platform;
    TfrPrinter printer(&platform);
    EXPECT_EQ(printer.Printers, QStringList({"Fake 1", "Fake 2", "Default printer"}));
    EXPECT_EQ(printer.PrinterIndex, 0);
    EXPECT_EQ(printer.DefaultPrinterIndex, 2);
    EXPECT_EQ(printer.PaperSizes, QList<int>({9, 8, 13}));
    printer.SelectPrinter(1);
    EXPECT_EQ(printer.device()->name(), QStringLiteral("Fake 2"));
    // A4 at 300 dpi with 50-dot offsets, in screen pixels.
    const PageGeometry g = printer.SetupPaper(9, 2100, 2970, 0);
    EXPECT_EQ(g.pageWidth, 752);
    EXPECT_EQ(g.offsetLeft, 15);
}

// The printer the print dialog opens on is one it can print on: never
// "Default printer", which the dialog does not list.
TEST(TfrPrinterTest, TheDialogOpensOnAPrinterItCanPrintOn) {
    FakePrinterPlatform fakes;
    NoPrinterPlatform none;
    struct Case {
        const char* what;
        PrinterPlatform* platform;
        int selected;  // -1: as attached
        int offered;
    };
    const Case cases[] = {
        {"the platform's current printer", &fakes, -1, 0},
        {"the printer chosen last", &fakes, 1, 1},
        {"Default printer chosen: the platform's current one", &fakes, 2, 0},
        {"no printer installed: the PDF output", &none, -1, 0},
        {"no platform at all: nothing to offer", nullptr, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrPrinter printer(c.platform);
        if (c.selected >= 0) printer.SelectPrinter(c.selected);
        EXPECT_EQ(printer.DialogPrinterIndex(), c.offered);
    }
    TfrPrinter printer(&none);
    EXPECT_TRUE(printer.isDefaultPrinter()) << "pages of a machine without printers keep the paper table's geometry";
    EXPECT_TRUE(printer.hasPrinters());
}

TEST(TfrReportPrepared, PrintsUnderTheProgressWindowAndCancels) {
    FakePrinterPlatform platform;
    ReportPrinter().AttachPrinter(&platform);
    TfrReport report;
    HeadlessProgress progress;
    report.Progress = &progress;
    report.Title = QStringLiteral("計画書");
    for (int i = 1; i <= 3; ++i) addTextPage(report.EMFPages, QStringLiteral("P%1").arg(i));
    QString error;
    ASSERT_TRUE(report.PrintPrepared(QStringLiteral("2-3"), 1, &error)) << error.toStdString();
    EXPECT_EQ(platform.log, QStringList({"begin Tiberlaine: 計画書", "page", "end"}));
    EXPECT_EQ(progress.captions, QStringList({"Report preparing - 計画書"}));
    EXPECT_EQ(progress.labels, QStringList({"Printing page:", "Printing page:  2", "Printing page:  3"}));

    platform.log.clear();
    progress.labels.clear();
    progress.cancelAtLabel = 2;  // Cancel while the first page is reported
    EXPECT_TRUE(report.PrintPrepared(QString(), 1));
    EXPECT_EQ(platform.log, QStringList({"begin Tiberlaine: 計画書", "abort"}));
    EXPECT_FALSE(report.Terminated);

    EXPECT_FALSE(report.PrintPrepared(QStringLiteral("1,x"), 1, &error));
    EXPECT_EQ(error, QStringLiteral("'x' is not a valid integer value"));
    ReportPrinter().AttachPrinter(nullptr);
}

TEST(TfrReportPrepared, LoadedFileSelectsItsPrinterAndCannotBeRebuilt) {
    FakePrinterPlatform platform;
    ReportPrinter().AttachPrinter(&platform);
    ReportPrinter().SelectPrinter(1);
    TfrReport report;
    addTextPage(report.EMFPages, QStringLiteral("P1"));
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a.frp"));
    ASSERT_TRUE(report.SavePreparedToFile(name));
    ReportPrinter().SelectPrinter(0);
    report.CanRebuild = true;
    ASSERT_TRUE(report.LoadPreparedFromFile(name));
    EXPECT_FALSE(report.CanRebuild);
    EXPECT_EQ(ReportPrinter().PrinterIndex, 1) << "the printer the file names";
    report.Template.PrintToDefault = 1;
    ReportPrinter().SelectPrinter(0);
    ASSERT_TRUE(report.LoadPreparedFromFile(name));
    EXPECT_EQ(ReportPrinter().PrinterIndex, 0);
    QString error;
    EXPECT_FALSE(report.LoadPreparedFromFile(dir.filePath(QStringLiteral("none.frp")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open file")));
    EXPECT_EQ(report.EMFPages.Count(), 1);
    EXPECT_TRUE(report.SwitchPrinter(0, 1));
    EXPECT_EQ(ReportPrinter().PrinterIndex, 1);
    ReportPrinter().AttachPrinter(nullptr);
}

TEST(PdfPrinting, PaperChangesStayInOneFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("out.pdf"));
    PdfPrinterPlatform platform(name);
    TfrPrinter printer(&platform);
    ASSERT_EQ(printer.Printers, QStringList({"PDF", "Default printer"}));
    TfrEMFPages pages = pagesOf({0, 1, 0});
    ASSERT_EQ(PrintPageList(pages, printer, PrintRun{}), PrintOutcome::Printed);
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3) << "three pages";
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595") || pdf.contains("/MediaBox [0 0 594"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 842") || pdf.contains("/MediaBox [0 0 841"));
}
