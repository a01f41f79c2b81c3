#pragma once
// The one way CSV files are written: each line's values joined by commas,
// encoded in code page 932 and ended by CR LF, into a QSaveFile, so the file
// on disk is replaced only when every line was written and a failure leaves
// the previous file as it was. The windows that write CSV files ask their
// own questions and show their own messages around it.
#include <QString>
#include <QStringList>

#include <stdexcept>

class QSaveFile;

namespace lum {

enum class CsvQuoting {
    // Every value between double quotes.
    EveryValue,
    // Values bare, except one holding a comma, a double quote, CR or LF,
    // which is quoted so that it stays one value.
    WhereNeeded,
};

// The path with the extension of its file name (from the name's last '.')
// replaced by ".csv", or ".csv" added when the name has none.
QString withCsvExtension(const QString& path);

// One line without its line end. A quoted value has each double quote
// inside it doubled.
QString csvLineText(const QStringList& values, CsvQuoting quoting);

// A line could not be written: a value has no code page 932 form, or the
// file refused the bytes. The text names the line (and the character).
class CsvLineError : public std::runtime_error {
public:
    explicit CsvLineError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Lines into an open QSaveFile; the caller commits it (or cancels it).
class CsvLineWriter {
public:
    CsvLineWriter(QSaveFile& file, CsvQuoting quoting) : file_(file), quoting_(quoting) {}

    // Encodes the line, adds CR LF and writes it; throws CsvLineError (and
    // writes nothing of the line) when it cannot.
    void writeLine(const QStringList& values);
    int linesWritten() const { return lines_; }

private:
    QSaveFile& file_;
    CsvQuoting quoting_;
    int lines_ = 0;
};

}  // namespace lum
