// Another workstation saving a care document, for the tests that need a
// second process on one database:
//   document_peer <connection> <user> <password> estimate <CureNo> <yyyy-mm-dd> <points>
//     stores an evaluation of that client and day with every item at those
//     points, replacing whatever that day held;
//   document_peer <connection> <user> <password> plan <CureNo> <yyyy-mm-dd> <memo>
//     stores a treatment plan starting that day, with the memo as the
//     doctor's remarks and two chart marks, replacing the plans of that day,
//     and prints its PlanNo;
//   document_peer <connection> <user> <password> urinplan <CureNo> <yyyy-mm-dd> <memo>
//     stores a rehabilitation plan of that client and day with the memo as
//     its contraindications, replacing the plan that day held (its
//     workstation asked and answered はい).
// Any way it closes its connection before it ends.
#include "plans/blob_document_store.h"
#include "plans/estimate_store.h"
#include "plans/plan_store.h"
#include "plans/urin_plan_record.h"
#include "platform/db/database.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>

namespace {

const QString kWho = QStringLiteral("別端末　太郎");

lum::TDateTime dayOf(const QDate& d) { return lum::TDateTime::fromYmd(d.year(), d.month(), d.day()); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDate day = args.size() == 8 ? QDate::fromString(args[6], Qt::ISODate) : QDate();
    if (!day.isValid() || (args[4] != u"estimate" && args[4] != u"plan" && args[4] != u"urinplan")) {
        std::fputs("usage: document_peer <connection> <user> <password> estimate|plan|urinplan <CureNo> "
                   "<yyyy-mm-dd> <points|memo>\n",
                   stderr);
        return 2;
    }
    try {
        auto db = lum::db::Database::open(args[1], args[2], args[3]);
        if (args[4] == u"estimate") {
            lum::TLifeEstimate e;
            e.CureNo = args[5].toInt();
            e.Sakuseibi = dayOf(day);
            e.UserName = kWho;
            e.Scores.fill(args[7].toInt());
            lum::EstimateStore(*db).save(e);
        } else if (args[4] == u"urinplan") {
            lum::TUrinPlan p;
            p.Shimei = kWho;
            p.KinkiMemo = args[7];
            lum::BlobDocumentStore(*db, lum::documentKind(lum::DocumentId::UrinPlan))
                .save(args[5].toInt(), dayOf(day), lum::encodeUrinPlan(p), true);
        } else {
            lum::TPlan p;
            p.CureNo = args[5].toInt();
            p.Name = kWho;
            p.PlanRegistDay = dayOf(day);
            p.PlanEndDay = dayOf(day.addDays(30));
            p.Body.DrMemo = args[7];
            const std::vector<lum::FigureRow> marks{{1, 0, -1, 11, 12}, {3, 1, 2, -1, -1}};
            std::printf("%d\n", lum::PlanStore(*db).SavePlan(p, marks, QStringLiteral("b"), dayOf(day)));
        }
    } catch (const lum::db::DbError& e) {
        std::fprintf(stderr, "%s\n", e.text().toUtf8().constData());
        return 1;
    }
    return 0;
}
