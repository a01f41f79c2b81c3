#pragma once
// Printing prepared pages: the chosen pages, each `copies` times in a row,
// in one print job that ends and begins again whenever the paper changes.
#include "report/engine/prepared_pages.h"
#include "report/print/page_list.h"
#include "report/print/tfr_printer.h"

#include <functional>

namespace lum {

// The print-job title of a report.
QString printJobTitle(const QString& reportTitle);
// The message of a job that failed: 「<printer or file>」への印刷に失敗しました。
// followed, on a line of its own, by the print system's reason when it gave one.
QString printFailedText(const QString& destination, const QString& reason = QString());

// What stands before printing a page list, decided before anything is
// chosen, prepared or sent.
struct PrintCheck {
    enum Verdict {
        Print,
        PrintAfterWarning,  // `text` is told, then the job is sent
        DontPrint,          // `text` is told and nothing is sent
    };
    Verdict verdict = Print;
    QString text;
};
// No printer, a list that selects no page of the `pageCount`, or a queue that
// refuses jobs: nothing is printed. A stopped queue: the job is sent and
// waits there, which the user is told first. A file printer and a queue the
// print system cannot tell about print as they are.
PrintCheck CheckBeforePrinting(int pageCount, const PageList& pages, TfrPrinter& printer);

struct PrintRun {
    PageList pages;  // the pages to print (1-based); all when empty
    int copies = 1;  // below 1 counts as 1
    QString title;   // the report's title
    // Called after each page sent with its 1-based number; returns false to
    // stop (the job is then aborted).
    std::function<bool(int pageNo)> progress;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints on the printer's selected device; "Default printer" has none and
// fails, and so does a list that selects no page. Every page takes the
// printer's geometry for its paper. A job a print queue does not take fails
// with the queue's reason. A failure's text (in `error`) is the one the user
// is shown, in Japanese.
PrintOutcome PrintPageList(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run, QString* error = nullptr);

}  // namespace lum
