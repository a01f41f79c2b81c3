#include "common/csv_file.h"

#include "common/cp932.h"

#include <QSaveFile>

namespace lum {
namespace {

bool needsQuotes(const QString& value) {
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') return true;
    }
    return false;
}

}  // namespace

QString withCsvExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return (dot > slash ? path.left(dot) : path) + QStringLiteral(".csv");
}

QString csvLineText(const QStringList& values, CsvQuoting quoting) {
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) line += u',';
        const QString& v = values[i];
        if (quoting == CsvQuoting::EveryValue || needsQuotes(v)) {
            line += u'"';
            line += QString(v).replace(u'"', QStringLiteral("\"\""));
            line += u'"';
        } else {
            line += v;
        }
    }
    return line;
}

void CsvLineWriter::writeLine(const QStringList& values) {
    const int lineNo = lines_ + 1;
    QString unmappable;
    const std::optional<QByteArray> bytes = cp932::encode(csvLineText(values, quoting_), &unmappable);
    if (!bytes) {
        throw CsvLineError(
            QStringLiteral("CSVファイルに書けない文字「%1」があります（%2行目）。").arg(unmappable).arg(lineNo));
    }
    const QByteArray line = *bytes + QByteArrayLiteral("\r\n");
    if (file_.write(line) != line.size()) {
        throw CsvLineError(QStringLiteral("%1行目を書き出せません。\n%2").arg(lineNo).arg(file_.errorString()));
    }
    ++lines_;
}

}  // namespace lum
