#include "platform/ui/name_only_icon_provider.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QMimeType>

namespace lum {
namespace {

// The type the name alone gives (glob patterns of the shared MIME data).
QMimeType typeByName(const QFileInfo& info) {
    const QMimeDatabase mimes;
    const QList<QMimeType> byName = mimes.mimeTypesForFileName(info.fileName());
    return byName.isEmpty() ? mimes.mimeTypeForName(QStringLiteral("application/octet-stream")) : byName.first();
}

bool isRoot(const QFileInfo& info) { return info.isDir() && QDir(info.absoluteFilePath()).isRoot(); }

}  // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (isRoot(info)) return icon(QAbstractFileIconProvider::Drive);
    if (info.isDir()) return icon(QAbstractFileIconProvider::Folder);
    const QIcon plain = icon(QAbstractFileIconProvider::File);
    const QMimeType mime = typeByName(info);
    if (mime.isDefault()) return plain;
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), plain));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    // Folders, drives and links are told apart by the file system's own
    // information, which opens nothing.
    if (!info.isFile()) return QFileIconProvider::type(info);
    const QMimeType mime = typeByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

}  // namespace lum
