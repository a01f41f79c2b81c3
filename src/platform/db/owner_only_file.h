#pragma once
// The facility database holds client records and the login table: a SQLite
// file this system creates is readable by its owner alone, whatever the umask.
#include <QString>

namespace lum::db {

// Creates the folder (0700 for each folder made here) and the empty database
// file (0600) when the file does not exist yet; an existing file or folder
// keeps its mode. SQLite gives its -wal and -shm files the mode of the
// database file. Throws DbError with the reason when something cannot be made.
void createOwnerOnlyDatabaseFile(const QString& path);

}  // namespace lum::db
