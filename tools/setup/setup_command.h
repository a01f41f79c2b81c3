#pragma once
// The command line of lumorind-setup: prepares a facility database and the
// connection settings, which no window of the application writes.
#include <QDate>
#include <QStringList>
#include <QTextStream>

namespace lum::setup {

enum ExitCode { Ok = 0, Failed = 1, BadArguments = 2 };

// args without the program name. Messages go to out, errors to err.
int runSetupCommand(const QStringList& args, QTextStream& out, QTextStream& err);

QString helpText();

}  // namespace lum::setup
