#pragma once
// The nineteen template files the application's windows load from its
// folder, and which windows load each. The file names are exact (letter
// case included: "conference.frf" is lower case).
#include <QList>
#include <QString>
#include <QStringList>

namespace lum {

struct ReportTemplateFile {
    QString fileName;
    QStringList windows;  // the window classes that load it
};

const QList<ReportTemplateFile>& reportTemplateFiles();
// The entry of a file name (exact match), or nullptr.
const ReportTemplateFile* findReportTemplateFile(const QString& fileName);
// The application's folder, "/", and the file name.
QString reportTemplatePath(const QString& appDir, const QString& fileName);

}  // namespace lum
