#include "platform/ui/file_dialog_rules.h"

#include "platform/settings/settings_key.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace lum {

namespace {

struct FolderMemory {
    QString keyPath;                // "" for the run only
    QHash<QString, QString> inRun;  // kind -> folder
};

FolderMemory& memory() {
    static FolderMemory m;
    return m;
}

bool hasWildcard(const QString& name) { return name.contains(u'*') || name.contains(u'?'); }

}  // namespace

QString fileKindOf(const FileRequest& request) {
    if (request.mode == FileMode::Directory) return QStringLiteral("folder");
    const QStringList parts = request.filter.split(u'|');
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        for (const QString& pattern : parts[i].split(u';', Qt::SkipEmptyParts)) {
            const qsizetype dot = pattern.lastIndexOf(u'.');
            if (dot < 0) continue;
            const QString suffix = pattern.mid(dot + 1).trimmed().toLower();
            if (!suffix.isEmpty() && !hasWildcard(suffix)) return suffix;
        }
    }
    return {};
}

void keepFileFoldersIn(const QString& keyPath) {
    memory().keyPath = keyPath;
    memory().inRun.clear();
}

QString lastFileFolder(const QString& kind) {
    QString folder = memory().inRun.value(kind);
    if (folder.isEmpty() && !memory().keyPath.isEmpty()) {
        if (const auto key = SettingsKey::open(memory().keyPath)) {
            try {
                folder = key->readText(kind);
            } catch (const SettingTypeError&) {
                // A value of another type is no folder; the next choice replaces it.
            }
        }
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberFileFolder(const QString& kind, const QString& folder) {
    if (folder.isEmpty()) return;
    memory().inRun.insert(kind, folder);
    if (memory().keyPath.isEmpty()) return;
    // Best effort: a folder not kept only means the next dialog opens in
    // the documents folder.
    if (const auto key = SettingsKey::openOrCreate(memory().keyPath)) {
        key->writeText(kind, folder);
        key->flush();
    }
}

QString documentsLocation() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString documentsFolder() {
    const QString documents = documentsLocation();
    if (QFileInfo(documents).isDir() || QDir().mkpath(documents)) return documents;
    return QDir::homePath();
}

QString startPathOf(const FileRequest& request) {
    QString folder;
    QString name;
    if (!request.fileName.isEmpty()) {
        const QFileInfo preset(request.fileName);
        if (preset.isAbsolute() && preset.isDir()) {
            folder = QDir::cleanPath(preset.absoluteFilePath());
        } else {
            if (request.mode != FileMode::Directory && !hasWildcard(preset.fileName())) name = preset.fileName();
            if (preset.isAbsolute() && QFileInfo(preset.absolutePath()).isDir()) folder = preset.absolutePath();
        }
    }
    if (folder.isEmpty()) folder = lastFileFolder(fileKindOf(request));
    if (folder.isEmpty()) folder = documentsFolder();
    return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

QString refusedFileNameText(const QString& chosen, FileMode mode) {
    const QFileInfo info(chosen);
    switch (mode) {
    case FileMode::Save:
        if (info.isDir()) return QStringLiteral("「%1」はフォルダーです。\nファイル名を入力してください。").arg(info.fileName());
        [[fallthrough]];
    case FileMode::Open:
        if (hasWildcard(info.fileName()))
            return QStringLiteral("「%1」はファイル名に使えません。\n「*」「?」を含まない名前を入力してください。")
                .arg(info.fileName());
        if (mode == FileMode::Open && !info.isFile() && !info.isDir())
            return QStringLiteral("ファイル「%1」が見つかりません。").arg(info.fileName());
        return {};
    case FileMode::Directory:
        if (!info.isDir()) return QStringLiteral("フォルダー「%1」が見つかりません。").arg(info.fileName());
        return {};
    }
    return {};
}

}  // namespace lum
