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
QString printFailedText(const QString& destination);

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
// fails. Every page takes the printer's geometry for its paper. A failure's
// text (in `error`) is the one the user is shown, in Japanese.
PrintOutcome PrintPageList(TfrEMFPages& pages, TfrPrinter& printer, const PrintRun& run, QString* error = nullptr);

}  // namespace lum
