#pragma once
// Reading and writing template files (.frf). The reader takes versions 21,
// 22 and 23 (and files older than version bytes as 21); the writer always
// writes version 23. A load reports failure instead of leaving a stale or
// half-read template behind for the caller to prepare.
#include "report/objects/report_template.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace lum {

// The message every failed template load shows (caption "Error").
inline const QString kUnsupportedFrfFormat = QStringLiteral("Unsupported FRF format");

struct TemplateLoadResult {
    enum class Status {
        Loaded,
        CannotOpen,          // the file could not be read; the template is unchanged
        UnsupportedVersion,  // version 24 or above; the template is unchanged
        Damaged,             // the template is left with one empty page
    };
    Status status = Status::Loaded;
    quint8 version = 0;  // the version read (21 for a file without one)
    QString message;     // what the user is shown; empty when loaded
    QString detail;      // what was wrong, for logs and the dump tool

    bool ok() const { return status == Status::Loaded; }
};

TemplateLoadResult LoadTemplateFromStream(const QByteArray& bytes, ReportTemplate& target);
TemplateLoadResult LoadTemplateFromFile(const QString& fileName, ReportTemplate& target);

// The version 23 stream of the template; FrfError when a text cannot be
// stored (a character code page 932 lacks, a name of more than 255 bytes).
QByteArray SaveTemplateToStream(const ReportTemplate& source);
// Writes through a temporary file, so a failure never destroys the old one.
bool SaveTemplateToFile(const QString& fileName, const ReportTemplate& source, QString* error = nullptr);

// Object streams of prepared pages: the version byte 23, then per object its
// type byte, the class name of an add-in and the object's prepared data.
void writePreparedObject(class ByteWriter& out, const TfrView& view);
std::vector<std::unique_ptr<TfrView>> readPreparedObjects(const QByteArray& stream);

}  // namespace lum
