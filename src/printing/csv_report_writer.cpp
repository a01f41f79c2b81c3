#include "printing/csv_report_writer.h"

#include "platform/ui/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace lum {
namespace {

const QString kUnset = QStringLiteral("未設定");
const QString kFolderUnset = QStringLiteral("ディレクトリが未設定です。");
const QString kNoFolder = QStringLiteral("ディレクトリが見つかりません。");
const QString kFolderNotCreated = QStringLiteral("ディレクトリの作成に失敗しました。");
const QString kFolderSystemError = QStringLiteral("ディレクトリの作成でシステムエラーが発生しました。");
const QString kNoName = QStringLiteral("ファイル名が見つかりません。");
const QString kOverwrite = QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？");
const QString kCannotOpen = QStringLiteral("CSVファイル名をオープンできません。");
const QString kLineFailed = QStringLiteral("書き出しでエラーが発生しました。");

}  // namespace

CsvTarget csvTargetOf(const QString& path) {
    CsvTarget t;
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) {
        t.name = path;
    } else {
        t.folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
        t.name = path.mid(slash + 1);
    }
    // A stored path may be a folder (the settings start as one): it names no file.
    if (!t.name.isEmpty() && QFileInfo(path).isDir()) {
        t.folder = path;
        t.name.clear();
    }
    if (!t.name.isEmpty()) {
        const QString csvName = withCsvExtension(t.name);
        t.file = t.folder.endsWith(u'/') ? t.folder + csvName : t.folder + u'/' + csvName;
    }
    return t;
}

void CsvReportWriter::error(const QString& text) const { message(MsgKind::Error, text, MsgButton::Yes, parent_); }

CsvReportWriter::Outcome CsvReportWriter::write(const QString& path, const CsvReportMember& member) {
    target_.clear();
    if (member.refuseUnsetPath && path == kUnset) {
        error(kFolderUnset);
        return Outcome::NotWritten;
    }
    const CsvTarget t = csvTargetOf(path);
    if (t.folder.isEmpty()) {
        error(kNoFolder);
        return Outcome::NotWritten;
    }
    // The name is checked before any folder is made, so a refused path leaves
    // nothing behind.
    if (t.name.isEmpty()) {
        error(kNoName);
        return Outcome::NotWritten;
    }
    if (!QFileInfo(t.folder).isDir()) {
        try {
            if (!QDir().mkpath(t.folder)) {
                error(kFolderNotCreated);
                return Outcome::NotWritten;
            }
        } catch (...) {
            error(kFolderSystemError);
            return Outcome::NotWritten;
        }
    }
    target_ = t.file;
    // Only OK overwrites; いいえ, Esc and the close box leave the file alone.
    if (QFileInfo::exists(target_) &&
        message(MsgKind::Warning, kOverwrite, MsgButton::No | MsgButton::Ok, parent_) != MsgButton::Ok) {
        return Outcome::NotWritten;
    }
    if (member.prepareData && !member.prepareData()) return Outcome::NotWritten;

    QSaveFile file(target_);
    if (!file.open(QIODevice::WriteOnly)) {
        error(kCannotOpen);
        return Outcome::NotWritten;
    }
    CsvLineWriter out(file, member.quoting);
    if (member.headingLines) {
        for (const CsvHeadingLine& heading : member.headingLines()) {
            try {
                out.writeLine(heading.values);
            } catch (const CsvLineError&) {
                file.cancelWriting();
                error(heading.failureMessage);
                return Outcome::NotWritten;
            }
        }
    }
    try {
        if (member.writeRows) member.writeRows(out);
        if (!file.commit()) {
            throw CsvLineError(QStringLiteral("CSVファイルを保存できません。\n%1").arg(file.errorString()));
        }
    } catch (...) {
        // The temporary file goes; the previous file stays as it was.
        file.cancelWriting();
        error(kLineFailed);
        throw;
    }
    if (!member.endMessage.isEmpty()) message(MsgKind::Information, member.endMessage, MsgButton::Yes, parent_);
    return Outcome::Written;
}

}  // namespace lum
