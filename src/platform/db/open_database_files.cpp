#include "platform/db/open_database_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>

#include <sys/stat.h>

namespace lum::db {
namespace {

QMutex& guard() {
    static QMutex mutex;
    return mutex;
}

QStringList& openFiles() {
    static QStringList files;
    return files;
}

QString normalized(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// The files SQLite keeps beside a database.
const char* const kCompanions[] = {"", "-wal", "-shm", "-journal"};

bool sameFile(const QByteArray& a, const struct stat& known) {
    struct stat st {};
    return ::stat(a.constData(), &st) == 0 && st.st_dev == known.st_dev && st.st_ino == known.st_ino;
}

}  // namespace

void registerOpenDatabaseFile(const QString& path) {
    const QMutexLocker lock(&guard());
    openFiles().append(normalized(path));
}

void unregisterOpenDatabaseFile(const QString& path) {
    const QMutexLocker lock(&guard());
    openFiles().removeOne(normalized(path));
}

bool isOpenDatabaseFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QString wanted = normalized(path);
    struct stat chosen {};
    const bool exists = ::stat(QFile::encodeName(wanted).constData(), &chosen) == 0;
    const QMutexLocker lock(&guard());
    for (const QString& file : openFiles()) {
        for (const char* suffix : kCompanions) {
            const QString companion = file + QLatin1String(suffix);
            if (companion == wanted) return true;
            if (exists && sameFile(QFile::encodeName(companion), chosen)) return true;
        }
    }
    return false;
}

}  // namespace lum::db
