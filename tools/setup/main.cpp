// lumorind-setup: the command line that prepares the facility database and
// the connection settings (see --help).
#include "setup_command.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumorind-setup"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const int code = lum::setup::runSetupCommand(args, out, err);
    out.flush();
    err.flush();
    return code;
}
