#include "platform/owner_only_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace lum {

bool makeOwnerOnlyFolders(const QString& folder, QString* error) {
    const auto fail = [error](const QString& text) {
        if (error) *error = text + u'\n' + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    QStringList missing;
    QString at = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!at.isEmpty() && !QFileInfo::exists(at)) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).path();
        if (parent == at) break;
        at = parent;
    }
    for (const QString& dir : missing) {
        const QByteArray native = QFile::encodeName(dir);
        if (::mkdir(native.constData(), 0700) != 0) {
            if (errno != EEXIST) return fail(QStringLiteral("フォルダーを作れません: %1").arg(dir));
            continue;  // made meanwhile by someone else: theirs, as it is
        }
        if (::chmod(native.constData(), 0700) != 0)
            return fail(QStringLiteral("フォルダーの権限を設定できません: %1").arg(dir));
    }
    return true;
}

}  // namespace lum
