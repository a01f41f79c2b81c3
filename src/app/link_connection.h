#pragma once
// The links to the other care system go through the ODBC driver with an ODBC
// connection string ("DRIVER={…};SERVER=…" for its database server,
// "DRIVER={…};DBQ=/path/file.mdb" for its database file). These helpers read
// and change attributes of such a string without disturbing the rest.
#include <QString>

namespace lum {

// Link modes, as the setting ServFlg holds them.
inline constexpr int NoLink = 0;
inline constexpr int TavelundLink = 1;  // the other system's database server
inline constexpr int AccessLink = 2;    // the other system's database file

// What a link is opened with: the login attempt gives up after about 15 s and
// the connection is read-only, so the link can never change the other system.
inline constexpr int LinkLoginTimeoutSeconds = 15;
QString linkConnectOptions();

// The value of an attribute (key letter case ignored, "{…}" around the value
// removed); empty when the string has none.
QString odbcAttribute(const QString& connection, const QString& key);
// The string with the attribute set: replaced where it stands, else appended.
// A value with ';', '{' or '}' or blanks at its ends is put in braces.
QString withOdbcAttribute(const QString& connection, const QString& key, const QString& value);
// The database file a file link names: DBQ, else Database (the SQLite ODBC
// driver's name for it); empty when it names none (a DSN, say).
QString linkFilePath(const QString& connection);

}  // namespace lum
