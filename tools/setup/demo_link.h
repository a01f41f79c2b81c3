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

}  // namespace lum::setup
