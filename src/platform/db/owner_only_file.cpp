#include "platform/db/owner_only_file.h"

#include "platform/db/db_error.h"
#include "platform/owner_only_folder.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum::db {
namespace {

QString reason() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

void createOwnerOnlyDatabaseFile(const QString& path) {
    if (QFileInfo::exists(path)) return;
    QString error;
    if (!makeOwnerOnlyFolders(QFileInfo(path).absolutePath(), &error)) throw DbError(error);
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
