#pragma once
// The SQLite files this process has open through Database. Nothing but SQLite
// may open or close a descriptor of them: on Linux, closing any descriptor of
// a file drops every POSIX lock the process holds on it, the database's locks
// included, and another process may then checkpoint and delete the live -wal.
// The file pickers refuse these files, so no window reads or writes them.
#include <QString>

namespace lum::db {

// Counted: each open connection registers its file once and removes it once.
void registerOpenDatabaseFile(const QString& path);
void unregisterOpenDatabaseFile(const QString& path);

// Whether the path is an open database's file or its -wal, -shm or -journal,
// by name or, for a file that exists, by identity (a link or another path to
// the same file). Never opens a file.
bool isOpenDatabaseFile(const QString& path);

}  // namespace lum::db
