#pragma once
// CsvReportWriter: the one road of the print windows' CSV files. From the
// path a user typed to the file on disk: the folder checked (and created with
// its missing parents), the extension forced to ".csv", the overwrite
// question, the window's data step, the heading lines, the data lines and
// the end message. Files are code page 932 with CR LF line ends and are
// written through a temporary file, so a failure at any step leaves the
// previous file as it was and never a partial one.
//
// Each window describes its file as a CsvReportMember: how values are quoted,
// its data step, its heading lines, how it writes its rows and its end message.
// The lines themselves go through common/csv_file.h, the one line writer of
// every CSV file.
#include "common/csv_file.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace lum {

// A heading line and the message shown when it cannot be written.
struct CsvHeadingLine {
    QStringList values;
    QString failureMessage = QStringLiteral("タイトルの書き出しができません。");
};

struct CsvReportMember {
    CsvQuoting quoting = CsvQuoting::EveryValue;
    // The client list refuses a path edit that still reads "未設定".
    bool refuseUnsetPath = false;
    // The window's data step: opens what the rows are read from; false (after
    // its own message) when there is nothing to write.
    std::function<bool()> prepareData;
    // Run after the data step, so they may hold what it read.
    std::function<std::vector<CsvHeadingLine>()> headingLines;
    std::function<void(CsvLineWriter&)> writeRows;
    // Shown (information, はい) once the file is written; empty: none, the
    // window reports itself.
    QString endMessage;
};

// Where a typed path leads: the folder and name parts, and the file written.
struct CsvTarget {
    QString folder;  // the directory part, without a trailing '/' (except the root "/")
    QString name;    // the name part as typed
    QString file;    // folder + '/' + name with its extension replaced by ".csv"
};
// The parts of a path; '/' separates them. A path naming an existing folder
// has no name part.
CsvTarget csvTargetOf(const QString& path);

class CsvReportWriter {
public:
    enum class Outcome {
        Written,
        NotWritten,  // a check failed or the user declined; the message was shown
    };

    explicit CsvReportWriter(QWidget* parent = nullptr) : parent_(parent) {}

    // The ten steps for the typed path. A data line that fails shows
    // "書き出しでエラーが発生しました。", leaves the previous file and throws
    // its CsvLineError on for the caller's error handler.
    Outcome write(const QString& path, const CsvReportMember& member);

    // The file of the last write (set once the name is known).
    const QString& targetFile() const { return target_; }

private:
    void error(const QString& text) const;

    QWidget* parent_;
    QString target_;
};

}  // namespace lum
