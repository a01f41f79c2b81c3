#include "platform/db/owner_only_file.h"

#include "platform/db/db_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum::db {
namespace {

QString reason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Each missing folder of the path, made 0700 (chmod after mkdir, so the umask
// cannot widen or narrow it).
void makeOwnerOnlyFolders(const QString& folder) {
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
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
            throw DbError(QStringLiteral("フォルダーを作れません: %1\n%2").arg(dir, reason()));
        if (::chmod(native.constData(), 0700) != 0)
            throw DbError(QStringLiteral("フォルダーの権限を設定できません: %1\n%2").arg(dir, reason()));
    }
}

}  // namespace

void createOwnerOnlyDatabaseFile(const QString& path) {
    if (QFileInfo::exists(path)) return;
    makeOwnerOnlyFolders(QFileInfo(path).absolutePath());
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST) return;  // made meanwhile by someone else: theirs, as it is
        throw DbError(QStringLiteral("データベースのファイルを作れません: %1\n%2").arg(path, reason()));
    }
    const bool ok = ::fchmod(fd, 0600) == 0;
    const QString why = ok ? QString() : reason();
    ::close(fd);
    if (!ok) throw DbError(QStringLiteral("データベースのファイルの権限を設定できません: %1\n%2").arg(path, why));
}

}  // namespace lum::db
