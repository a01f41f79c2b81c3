#pragma once
// Prepared pages written to a PDF file through the print road (the PDF
// printer), and that file's text as pdftotext reads it, for tests that look
// at what a printout says. Set LUMORIND_PRINT_OUT to a folder to keep the
// files and look at them.
#include "report/engine/prepared_pages.h"
#include "report/prepared/print_prepared.h"
#include "report/print/qt_printer_device.h"
#include "report/print/tfr_printer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lum::test {

inline void writePdf(TfrEMFPages& pages, const QString& file) {
    PdfPrinterPlatform platform(file);
    TfrPrinter printer(&platform);
    QString error;
    ASSERT_EQ(PrintPageList(pages, printer, PrintRun{}, &error), PrintOutcome::Printed) << error.toStdString();
}

inline bool havePdfToText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// The text of a PDF file laid out as on the page; empty when it cannot be read.
inline QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text without any blank (pdftotext lays full-width and repeated
// blanks out as it pleases), for looking words up.
inline QString withoutBlanks(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (!c.isSpace()) out += c;
    }
    return out;
}

// Where a test writes a PDF: $LUMORIND_PRINT_OUT when set, else a folder
// that goes with the test.
class PdfOutput {
public:
    QString file(const QString& name) const {
        const QString keep = qEnvironmentVariable("LUMORIND_PRINT_OUT");
        return keep.isEmpty() ? dir_.filePath(name) : keep + u'/' + name;
    }

private:
    QTemporaryDir dir_;
};

}  // namespace lum::test
