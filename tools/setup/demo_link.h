#pragma once
// A demo source of the other care system for the link (link mode 2): a
// database file holding its client table kgkihn1d with forty clients from a
// fixed seed (one without a date of birth), read through the SQLite ODBC
// driver. The application only reads it.
#include <QString>

namespace lum::setup {

struct DemoLinkSummary {
    int clients = 0;
    QString connection;  // the ODBC string to put into the link settings
};

inline constexpr int kDemoLinkClients = 40;

// Writes the file (SetupError when it exists already or cannot be written;
// then nothing is left behind).
DemoLinkSummary writeDemoLinkSource(const QString& path);

// Makes the source the link of the per-user settings (link mode 2 with its
// connection string, the other values as they were or their defaults), so
// the registration's インポート lists its clients at once; a link set there
// already, or settings that cannot be read whole, stay as they are. True when
// stored; SetupError when the settings cannot be written.
bool storeDemoLinkSettings(const QString& connection);

}  // namespace lum::setup
