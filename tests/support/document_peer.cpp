// Another workstation saving a care document, for the tests that need a
// second process on one database:
//   document_peer <connection> <user> <password> estimate <CureNo> <yyyy-mm-dd> <points>
// stores an evaluation of that client and day with every item at those points,
// replacing whatever that day held, and closes its connection.
#include "plans/estimate_store.h"
#include "platform/db/database.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 8 || args[4] != u"estimate") {
        std::fputs("usage: document_peer <connection> <user> <password> estimate <CureNo> <yyyy-mm-dd> <points>\n", stderr);
        return 2;
    }
    const QDate day = QDate::fromString(args[6], Qt::ISODate);
    if (!day.isValid()) return 2;
    try {
        auto db = lum::db::Database::open(args[1], args[2], args[3]);
        lum::TLifeEstimate e;
        e.CureNo = args[5].toInt();
        e.Sakuseibi = lum::TDateTime::fromYmd(day.year(), day.month(), day.day());
        e.UserName = QStringLiteral("別端末　太郎");
        e.Scores.fill(args[7].toInt());
        lum::EstimateStore(*db).save(e);
    } catch (const lum::db::DbError& e) {
        std::fprintf(stderr, "%s\n", e.text().toUtf8().constData());
        return 1;
    }
    return 0;
}
