// Another workstation on the same SQLite file, for the tests that need a
// second process: sqlite_peer <file> <text> adds the text to the table
// Notes(Text) in one transaction, prints every text of the table, one a
// line, and closes its connection (the last one to close checkpoints and
// removes the -wal).
#include "platform/db/database.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: sqlite_peer <file> <text>\n", stderr);
        return 2;
    }
    try {
        auto db = lum::db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + args[1], {}, {});
        lum::db::inTransaction(*db, [&] {
            QSqlQuery insert = db->prepare(QStringLiteral("INSERT INTO Notes(Text) VALUES(:text)"));
            insert.bindValue(QStringLiteral(":text"), args[2]);
            db->exec(insert);
        });
        QSqlQuery all = db->prepare(QStringLiteral("SELECT Text FROM Notes ORDER BY Id"));
        db->exec(all);
        while (all.next()) std::printf("%s\n", all.value(0).toString().toUtf8().constData());
    } catch (const lum::db::DbError& e) {
        std::fprintf(stderr, "%s\n", e.text().toUtf8().constData());
        return 1;
    }
    return 0;
}
