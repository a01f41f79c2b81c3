#pragma once
// The facility database's connection string, kept in the connection key:
//   "Provider=SQLite;Data Source=/path/lumorind.db"
//   "Provider=PostgreSQL;Host=db.local;Port=5432;Database=lumorind"
// Keys are case-insensitive, values are trimmed and may be put in double
// quotes (to hold a ';'); unknown keys are ignored. The user and password come
// from the connection key's ID and DBSeting, never from this text.
// PostgreSQL also takes "Schema" (the search path; tests use one per case).
#include <QString>
#include <QStringView>

#include <optional>

namespace lum::db {

enum class Backend { SQLite, PostgreSQL };

struct ConnectionSpec {
    Backend backend = Backend::SQLite;
    QString dataSource;  // SQLite: the database file
    QString host;        // PostgreSQL: a host name, an address, or a socket folder ("/run/...")
    int port = 5432;
    QString database;
    QString schema;

    QString toString() const;
};

// No value (and the reason in *error) when the text names no known provider
// or lacks what that provider needs.
std::optional<ConnectionSpec> parseConnectionString(QStringView text, QString* error = nullptr);

}  // namespace lum::db
