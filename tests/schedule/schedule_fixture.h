#pragma once
// A facility database with clients and frames for the schedule tests, on
// SQLite and on PostgreSQL. Times are written "HH:MM"; staff members 1 to 3
// are named A, B and C for the overlap message.
#include "clients/person_store.h"
#include "common/db/sql_date.h"
#include "schedule/booking_rules.h"
#include "schedule/booking_store.h"
#include "schedule/frame_store.h"
#include "schedule/time_span.h"
#include "support/database_fixture.h"

#include <QSqlQuery>

namespace lum::test {

inline TDateTime hm(const char* text) {
    const QString t = QString::fromLatin1(text);
    return timeOfDay(t.left(2).toInt() * 60 + t.mid(3, 2).toInt());
}

inline QString staffNameOf(int code) {
    switch (code) {
    case 1: return QStringLiteral("A");
    case 2: return QStringLiteral("B");
    case 3: return QStringLiteral("C");
    default: return {};
    }
}

class ScheduleTest : public DatabaseTest {
protected:
    static TDateTime day(int d) { return TDateTime::fromYmd(2024, 2, d); }

    int addClient(const QString& name, TDateTime admitted = TDateTime::fromYmd(2023, 4, 1),
                  TDateTime discharged = TDateTime(), int rihaType = 0, int kubun = 8) {
        return addClientOn(db(), name, admitted, discharged, rihaType, kubun);
    }
    static int addClientOn(db::Database& d, const QString& name, TDateTime admitted, TDateTime discharged = {},
                           int rihaType = 0, int kubun = 8) {
        TPerson p;
        p.Name = name;
        p.Kana = QStringLiteral("ｱ");
        p.Birth = TDateTime::fromYmd(1940, 1, 1);
        p.RihaType = rihaType;
        p.KubunCode = kubun;
        p.NYUSHOBI_YMD = admitted;
        p.TAISHOBI_YMD = discharged;
        return PersonStore(d).insert(p);
    }
    // A stored frame and its list item (column, label "L" + number).
    TIMETABLE_ITEM addFrame(TDateTime onDay, int staff, const char* start, int minutes, int capacity,
                            int column = 0) {
        FrameRow row{-1, onDay, staff, hm(start), minutes, capacity};
        row.ReserveNo = FrameStore(db()).insert(row);
        return frameItemOf(normalizedFrame(row), column, QStringLiteral("L%1").arg(row.ReserveNo));
    }
    int book(const TIMETABLE_ITEM& frame, int cureNo) { return book(frame.ResNo, cureNo); }
    int book(int frame, int cureNo) {
        return BookingStore(db()).insert({frame, cureNo, QStringLiteral(""), TDateTime::fromYmd(2024, 1, 31)});
    }
    int count(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q = db().prepare(sql);
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    int bookingsOf(int frame) {
        return count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE WorkingNo = ?"), {frame});
    }
    BookingRules rules() { return BookingRules(db(), staffNameOf); }
};

}  // namespace lum::test
