#pragma once
// Bookings to copy into results, on both backends: two staff members, a
// group frame of two clients and an individual frame on 2024-05-07, and a
// frame on the next day. Kana put the group's clients in ｱ (乙) then ｲ (甲)
// order; 甲 is booked on both days.
#include "app/staff_list.h"
#include "results/booking_copy.h"
#include "results_fixture.h"
#include "schedule/booking_store.h"
#include "schedule/frame_store.h"
#include "schedule/time_span.h"

#include <QSqlQuery>

namespace lum::test {

class BookingCopyTest : public ResultsDatabaseTest {
protected:
    void SetUp() override {
        ResultsDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (const StaffMember& s : staff_) {
            QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
            q.bindValue(0, s.code);
            q.bindValue(1, s.name);
            q.bindValue(2, s.symbol);
            db().exec(q);
        }
        ko_ = client(QStringLiteral("甲野　一"), QStringLiteral("ｲ"), 0, 1);
        otsu_ = client(QStringLiteral("乙野　二"), QStringLiteral("ｱ"), 2, 5);
        hei_ = client(QStringLiteral("丙野　三"), QStringLiteral("ｳ"), 3, 15);
        group_ = frame(7, 1, 10 * 60, 60, 3);
        single_ = frame(7, 2, 9 * 60, 40, 1);
        nextDay_ = frame(8, 1, 9 * 60 + 30, 20, 1);
        book(group_, ko_.CureNo, QStringLiteral("週間希望"));
        book(group_, otsu_.CureNo);
        book(single_, hei_.CureNo);
        book(nextDay_, ko_.CureNo);
    }

    static TDateTime may(int d) { return TDateTime::fromYmd(2024, 5, d); }

    TPerson client(const QString& name, const QString& kana, int type, int kubun) {
        TPerson p = makeClient(name, type, kubun);
        p.Kana = kana;
        return registered(p);
    }
    int frame(int day, int staff, int startMinute, int minutes, int capacity) {
        return FrameStore(db()).insert({-1, may(day), staff, timeOfDay(startMinute), minutes, capacity});
    }
    void book(int frameNo, int cureNo, const QString& comment = QStringLiteral("")) {
        BookingStore(db()).insert({frameNo, cureNo, comment, TDateTime::fromYmd(2024, 4, 30)});
    }
    std::vector<BookingToCopy> listed(TDateTime first, TDateTime last, std::optional<int> staff = std::nullopt) {
        return ListBookingsToCopy(db(), first, last, staff);
    }
    // "frame/client" of each booking listed.
    QString order(const std::vector<BookingToCopy>& rows) {
        QStringList out;
        for (const BookingToCopy& b : rows) {
            out << QStringLiteral("%1/%2").arg(frameName(b.ReserveNo), b.Client.Name.left(1));
        }
        return out.join(u' ');
    }
    QString frameName(int reserveNo) const {
        if (reserveNo == group_) return QStringLiteral("G");
        if (reserveNo == single_) return QStringLiteral("I");
        if (reserveNo == nextDay_) return QStringLiteral("N");
        return QStringLiteral("?");
    }
    CopyOutcome copy(const std::vector<BookingToCopy>& rows, CopyMode mode) {
        return CopyBookingsToResults(db(), rows, mode, staff_, stamp_);
    }
    // Makes every insert of the client's results fail.
    void refuseResultsOf(int cureNo) {
        if (isSqlite()) {
            db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CureResults WHEN NEW.CureNo = %1 "
                                        "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                             .arg(cureNo));
        } else {
            db().execute(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
                                        "IF NEW.CureNo = %1 THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; "
                                        "END $$ LANGUAGE plpgsql")
                             .arg(cureNo));
            db().execute(QStringLiteral(
                "CREATE TRIGGER refuse BEFORE INSERT ON CureResults FOR EACH ROW EXECUTE FUNCTION refuse()"));
        }
    }

    const std::vector<StaffMember> staff_{{1, QStringLiteral("佐藤　理学"), QStringLiteral("佐")},
                                          {2, QStringLiteral("鈴木　作業"), QStringLiteral("鈴")}};
    const WriterStamp stamp_{QStringLiteral("101"), QStringLiteral("佐藤　理学"),
                             TDateTime::fromYmdHms(2024, 5, 31, 17, 45, 10)};
    TPerson ko_, otsu_, hei_;
    int group_ = 0, single_ = 0, nextDay_ = 0;
};

}  // namespace lum::test
