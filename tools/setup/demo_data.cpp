#include "demo_data.h"

#include "clients/person_store.h"
#include "demo_conferences.h"
#include "demo_urin_plans.h"
#include "demo_conference_surveys.h"
#include "demo_estimates.h"
#include "demo_plans.h"
#include "demo_practice_plans.h"

#include "common/code_tables.h"
#include "common/datetime.h"
#include "common/db/sql_date.h"
#include "common/category_flags.h"
#include "common/kubun.h"
#include "demo_names.h"
#include "facility_admin.h"
#include "results/cure_results_store.h"
#include "demo_phrases.h"

#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace lum::setup {
namespace {

using db::bindDate;

constexpr std::uint64_t kSeed = 20240501;

constexpr const char16_t* kDiseases[] = {
    u"脳梗塞後遺症",   u"脳出血後遺症",     u"大腿骨頸部骨折", u"変形性膝関節症", u"腰部脊柱管狭窄症",
    u"パーキンソン病", u"アルツハイマー型認知症", u"廃用症候群", u"高血圧症",     u"糖尿病",
    u"慢性心不全",     u"骨粗鬆症",         u"腰椎圧迫骨折",   u"関節リウマチ",   u"脳血管性認知症",
};
constexpr const char16_t* kTowns[] = {u"岸町", u"高砂", u"常盤", u"仲町", u"北浦和", u"領家", u"元町", u"本太"};
constexpr const char16_t* kRemarks[] = {u"", u"", u"", u"車椅子使用", u"難聴あり（左）", u"義歯あり",
                                        u"杖歩行", u"転倒歴あり", u"眼鏡使用"};

struct Staff {
    int code;
    const char16_t* name;
    const char16_t* symbol;
    bool therapist;  // individual frames; the others lead the group sessions
};
constexpr Staff kStaff[] = {
    {101, u"佐藤　健一", u"佐", true}, {102, u"高橋　由美", u"高", true},   {103, u"中島　翔太", u"中", true},
    {104, u"小川　真理子", u"小", true}, {105, u"松井　大輔", u"松", true}, {106, u"石田　彩", u"石", true},
    {107, u"森本　和也", u"森", false}, {108, u"林　恵美", u"林", false},
};

// Frame starts (minutes after midnight) of one therapist's day, 40 minutes each.
constexpr int kIndividualStarts[] = {9 * 60, 9 * 60 + 40, 10 * 60 + 20, 11 * 60, 13 * 60 + 30,
                                     14 * 60 + 10, 14 * 60 + 50, 15 * 60 + 30};
constexpr int kIndividualMinutes = 40;
constexpr int kGroupStarts[] = {10 * 60, 14 * 60};
constexpr int kGroupMinutes = 60;
constexpr int kGroupCapacity = 8;

struct Client {
    qint64 cureNo = 0;
    QString name, kana, room;
    int sex = 0, rihaType = 0, kubun = 0, jiritsu = 0, ninchi = 0, youkaigo = 0;
    QDate birth, start, end;  // end null: still with us
    QDate hospitalDischarge;  // null: none
    std::array<int, 7> requestStart{};  // minutes, Monday first; 0 none
    std::array<int, 7> requestMinutes{};
    QStringList diseases;

    bool presentOn(QDate d) const { return start <= d && (end.isNull() || d <= end); }
    bool comesOn(QDate d) const {
        if (!presentOn(d)) return false;
        if (rihaType >= 2) return requestStart[d.dayOfWeek() - 1] > 0;  // day care and visits: on their days
        return true;
    }
};

struct Frame {
    qint64 reserveNo = -1;  // -1: a slot of a past month, never stored
    QDate day;
    int staff = 0;
    int start = 0;
    int minutes = 0;
    int capacity = 0;
    std::vector<const Client*> booked;
};

TDateTime onDay(QDate d, int minutes = 0) {
    return TDateTime(TDateTime::fromDate(d).value() + minutes / 1440.0);
}
TDateTime timeOfDay(int minutes) { return TDateTime(minutes / 1440.0); }

std::vector<Client> makeClients(DemoRandom& rnd, QDate monthStart) {
    // 22 residents, 8 short stays, 20 day care, 10 home visits.
    const int typeCounts[] = {22, 8, 20, 10};
    std::vector<Client> clients;
    std::set<std::pair<int, int>> usedNames;
    int room = 201;
    for (int type = 0; type < 4; ++type) {
        for (int i = 0; i < typeCounts[type]; ++i) {
            Client c;
            c.rihaType = type;
            c.sex = rnd.chance(62) ? 1 : 0;
            const auto& given = c.sex == 0 ? kMen : kWomen;
            int family = 0, first = 0;
            do {
                family = rnd.below(std::size(kFamilies));
                first = rnd.below(std::size(kMen));
            } while (!usedNames.insert({family, first * 2 + c.sex}).second);
            c.name = QString::fromUtf16(kFamilies[family].kanji) + u'　' + QString::fromUtf16(given[first].kanji);
            c.kana = QString::fromUtf16(kFamilies[family].kana) + u' ' + QString::fromUtf16(given[first].kana);
            c.birth = QDate(rnd.between(1926, 1948), rnd.between(1, 12), rnd.between(1, 28));
            c.jiritsu = rnd.between(1, JiritsuNames.size() - 2);
            c.ninchi = rnd.between(0, NinchiNames.size() - 3);
            c.youkaigo = rnd.between(0, YoukaigoNames.size() - 1);
            switch (type) {
            case 0:
                c.start = monthStart.addDays(-rnd.between(20, 900));
                c.room = QStringLiteral("%1号室").arg(room++);
                break;
            case 1:  // a stay of one to three weeks around this month's start
                c.start = monthStart.addDays(rnd.between(-10, 20));
                c.end = c.start.addDays(rnd.between(7, 21));
                c.room = QStringLiteral("%1号室").arg(room++);
                break;
            default:
                c.start = monthStart.addDays(-rnd.between(30, 1500));
                if (i < 2) c.end = monthStart.addDays(-rnd.between(3, 25));  // left last month
                break;
            }
            if (type == 0 && rnd.chance(50)) c.hospitalDischarge = c.start.addDays(-rnd.between(1, 10));
            const bool recent = c.start.daysTo(monthStart) < 90;
            TKubun k;
            k.Tanki = recent;
            k.Ninchi = c.ninchi >= 3 && rnd.chance(60);
            if (type < 3) {
                k.Kobetsu = true;
                k.Shudan = rnd.chance(45);
            }
            c.kubun = k.GetCode();
            if (type >= 2) {
                const int days = type == 2 ? rnd.between(2, 3) : rnd.between(1, 2);
                for (int n = 0; n < days; ++n) {
                    const int wd = rnd.below(6);  // Monday to Saturday
                    c.requestStart[wd] = type == 2 ? kIndividualStarts[rnd.below(std::size(kIndividualStarts))]
                                                   : 15 * 60 + 30;
                    c.requestMinutes[wd] = kIndividualMinutes;
                }
            }
            const int diseaseCount = rnd.between(1, 3);
            for (int n = 0; n < diseaseCount; ++n) {
                const QString d = QString::fromUtf16(kDiseases[rnd.below(std::size(kDiseases))]);
                if (!c.diseases.contains(d)) c.diseases << d;
            }
            clients.push_back(c);
        }
    }
    return clients;
}

void insertClients(db::Database& db, DemoRandom& rnd, std::vector<Client>& clients) {
    QStringList columns = {QStringLiteral("Name"), QStringLiteral("Kana"), QStringLiteral("Sex"),
                           QStringLiteral("Birth"), QStringLiteral("YoubinNo"), QStringLiteral("Address"),
                           QStringLiteral("TelNo"), QStringLiteral("FaxNo"), QStringLiteral("EMail"),
                           QStringLiteral("distinctive"), QStringLiteral("TavelundUserNo"), QStringLiteral("RihaType"),
                           QStringLiteral("KubunCode"), QStringLiteral("KubunDate"), QStringLiteral("ROOM_NO"),
                           QStringLiteral("Jiritsu_KBN"), QStringLiteral("Ninchi_KBN"), QStringLiteral("YOUKAIGO_KBN"),
                           QStringLiteral("HP_TAISHO_YMD"), QStringLiteral("NYUSHOBI_YMD"), QStringLiteral("TAISHOBI_YMD")};
    for (int i = 1; i <= 6; ++i) columns << QStringLiteral("Disease%1").arg(i);
    for (int i = 1; i <= 7; ++i) columns << QStringLiteral("Reserve%1").arg(i, 2, 10, QChar(u'0'));
    for (int i = 1; i <= 7; ++i) columns << QStringLiteral("Funn%1").arg(i, 2, 10, QChar(u'0'));
    QStringList placeholders;
    for (const QString& c : columns) placeholders << u':' + c;
    QSqlQuery q = db.prepare(QStringLiteral("INSERT INTO Person (%1) VALUES (%2) RETURNING CureNo")
                                 .arg(columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))));
    for (Client& c : clients) {
        auto bind = [&](const char* column, const QVariant& v) { q.bindValue(u':' + QString::fromLatin1(column), v); };
        bind("Name", c.name);
        bind("Kana", c.kana);
        bind("Sex", c.sex);
        bindDate(q, QStringLiteral(":Birth"), TDateTime::fromDate(c.birth));
        bind("YoubinNo", QStringLiteral("330-%1").arg(rnd.between(1, 99), 4, 10, QChar(u'0')));
        bind("Address", QStringLiteral("埼玉県さいたま市浦和区%1%2-%3-%4")
                            .arg(QString::fromUtf16(kTowns[rnd.below(std::size(kTowns))]))
                            .arg(rnd.between(1, 5))
                            .arg(rnd.between(1, 20))
                            .arg(rnd.between(1, 30)));
        bind("TelNo", QStringLiteral("048-8%1-%2").arg(rnd.between(10, 99)).arg(rnd.between(1000, 9999)));
        bind("FaxNo", QStringLiteral(""));
        bind("EMail", QStringLiteral(""));
        bind("distinctive", QString::fromUtf16(kRemarks[rnd.below(std::size(kRemarks))]));
        bind("TavelundUserNo", 0);
        bind("RihaType", c.rihaType);
        bind("KubunCode", c.kubun);
        bindDate(q, QStringLiteral(":KubunDate"), TDateTime::fromDate(c.start));
        bind("ROOM_NO", c.room);
        bind("Jiritsu_KBN", c.jiritsu);
        bind("Ninchi_KBN", c.ninchi);
        bind("YOUKAIGO_KBN", c.youkaigo);
        bindDate(q, QStringLiteral(":HP_TAISHO_YMD"), TDateTime::fromDate(c.hospitalDischarge));
        bindDate(q, QStringLiteral(":NYUSHOBI_YMD"), TDateTime::fromDate(c.start));
        bindDate(q, QStringLiteral(":TAISHOBI_YMD"), c.end.isNull() ? TDateTime() : TDateTime::fromDate(c.end));
        for (int i = 0; i < 6; ++i) q.bindValue(QStringLiteral(":Disease%1").arg(i + 1), c.diseases.value(i, QStringLiteral("")));
        for (int i = 0; i < 7; ++i) {
            const QString n = QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0'));
            bindDate(q, QStringLiteral(":Reserve") + n,
                     c.requestStart[i] > 0 ? timeOfDay(c.requestStart[i]) : TDateTime());
            q.bindValue(QStringLiteral(":Funn") + n, c.requestMinutes[i]);
        }
        c.cureNo = db.execReturningKey(q);
    }
}

// The day's frames: eight individual ones per therapist, two group sessions
// per care worker; Sundays have none.
std::vector<Frame> framesOf(QDate day) {
    std::vector<Frame> frames;
    if (day.dayOfWeek() == 7) return frames;
    for (const Staff& s : kStaff) {
        if (s.therapist) {
            for (int start : kIndividualStarts) frames.push_back({-1, day, s.code, start, kIndividualMinutes, 1, {}});
        } else {
            for (int start : kGroupStarts) frames.push_back({-1, day, s.code, start, kGroupMinutes, kGroupCapacity, {}});
        }
    }
    return frames;
}

// One group session of the day filled to its capacity: the group category
// first, then other clients without a requested time. They come off the list
// of the day's clients; with too few, the session is made as small as its group.
void fillGroupFrame(std::vector<Frame>& frames, std::vector<const Client*>& coming, QDate day) {
    Frame* group = nullptr;
    for (Frame& f : frames) {
        if (f.capacity > 1) {
            group = &f;
            break;
        }
    }
    if (!group) return;
    for (bool groupCategoryOnly : {true, false}) {
        for (auto it = coming.begin(); it != coming.end() && static_cast<int>(group->booked.size()) < group->capacity;) {
            const Client* c = *it;
            const bool fits = c->requestStart[day.dayOfWeek() - 1] == 0 &&
                              (!groupCategoryOnly || (c->kubun & TKubun::ShudanBit));
            if (fits) {
                group->booked.push_back(c);
                it = coming.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (static_cast<int>(group->booked.size()) < group->capacity) {
        group->capacity = std::max(2, static_cast<int>(group->booked.size()));
    }
}

// Each therapist's last frame is closed on one weekday of their own.
void closeTherapistFrames(std::vector<Frame>& frames, QDate day) {
    int therapist = 0;
    for (const Staff& s : kStaff) {
        if (!s.therapist) continue;
        if (day.dayOfWeek() == therapist % 5 + 1) {
            for (Frame& f : frames) {
                if (f.staff == s.code && f.start == kIndividualStarts[std::size(kIndividualStarts) - 1]) f.capacity = 0;
            }
        }
        ++therapist;
    }
}

// One booking per client and day: the group session for some of those in the
// group category, else an individual frame, at the requested time when there is one.
// leaveRequests: the clients asking for that weekday are not booked, so the
// client month schedule has requests waiting for a staff member.
void bookDay(DemoRandom& rnd, std::vector<Frame>& frames, const std::vector<Client>& clients, QDate day,
             bool fillFirstGroup = false, bool leaveRequests = false) {
    if (frames.empty()) return;
    std::vector<const Client*> coming;
    for (const Client& c : clients) {
        if (leaveRequests && c.requestStart[day.dayOfWeek() - 1] > 0) continue;
        if (c.comesOn(day) && (c.rihaType >= 2 || rnd.chance(75))) coming.push_back(&c);
    }
    rnd.shuffle(coming);
    if (fillFirstGroup) fillGroupFrame(frames, coming, day);
    for (const Client* c : coming) {
        const int requested = c->requestStart[day.dayOfWeek() - 1];
        Frame* chosen = nullptr;
        if ((c->kubun & TKubun::ShudanBit) && requested == 0 && rnd.chance(40)) {
            for (Frame& f : frames) {
                if (f.capacity > 1 && static_cast<int>(f.booked.size()) < f.capacity) {
                    chosen = &f;
                    break;
                }
            }
        }
        const int offset = rnd.below(static_cast<int>(frames.size()));
        for (std::size_t n = 0; n < frames.size() && !chosen; ++n) {
            Frame& f = frames[(offset + n) % frames.size()];
            if (f.capacity == 1 && f.booked.empty() && (requested == 0 || f.start == requested)) chosen = &f;
        }
        if (chosen) chosen->booked.push_back(c);
    }
}

// A few clients come twice a day: two of the day's clients booked in one
// frame of one staff member get a second frame of another, free and clear of
// the first, so the booking lists and the summary show two bookings a day.
void bookSecondVisits(std::vector<Frame>& frames) {
    int added = 0;
    for (Frame& first : frames) {
        if (added == 2) return;
        if (first.capacity != 1 || first.booked.size() != 1) continue;
        const Client* client = first.booked.front();
        for (Frame& second : frames) {
            const bool clear = second.start >= first.start + first.minutes || first.start >= second.start + second.minutes;
            if (second.capacity == 1 && second.booked.empty() && second.staff != first.staff && clear) {
                second.booked.push_back(client);
                ++added;
                break;
            }
        }
    }
}

const Staff& staffOf(int code) {
    for (const Staff& s : kStaff) {
        if (s.code == code) return s;
    }
    return kStaff[0];
}

// Remarks of the results and the stock phrases the results entry offers.
// The "Schd" phrase list of booking comments.
constexpr const char16_t* kBookingPhrases[] = {u"送迎あり", u"車椅子で来室", u"家族同席", u"午後に変更希望",
                                               u"前回欠席", u"血圧測定後に実施", u"担当者と相談済み"};
constexpr const char16_t* kResultPhrases[] = {u"歩行訓練", u"立ち上がり訓練", u"関節可動域訓練", u"筋力増強訓練",
                                              u"ADL訓練", u"嚥下訓練", u"本人体調不良のため短縮"};

// The results entered day by day, written through the results store, whose
// flags follow the client's type and categories (CategoryFlagsOf).
class ResultWriter {
public:
    explicit ResultWriter(db::Database& db) : store_(db) {}

    // A result entered by hand for a slot of the day (no frame behind it),
    // or, for a stored frame, the result copied from its booking.
    void write(DemoRandom& rnd, const Frame& slot, const Client& c) {
        const Staff& s = staffOf(slot.staff);
        CureResult r;
        r.CureDate = TDateTime::fromDate(slot.day);
        r.ReserveNo = static_cast<int>(slot.reserveNo);
        if (slot.reserveNo >= 0) {
            r.LoginCD = kDemoLoginCode;
            r.LoginName = QString::fromUtf16(staffOf(kDemoLoginCode.toInt()).name);
        }
        r.CureNo = static_cast<int>(c.cureNo);
        r.StuffCode = s.code;
        r.StuffName = QString::fromUtf16(s.name);
        r.StuffKigo = QString::fromUtf16(s.symbol);
        r.PStartTime = timeOfDay(slot.start);
        r.PMinute = slot.minutes;
        const int late = rnd.chance(20) ? 5 : 0;
        r.RStartTime = timeOfDay(slot.start + late);
        r.RMinute = slot.minutes - late - (rnd.chance(10) ? 10 : 0);
        // A remark on some results, from a generator of its own so that the
        // other demo values stay as they were.
        if (remarks_.chance(15)) r.Comment = QString::fromUtf16(kResultPhrases[remarks_.below(std::size(kResultPhrases))]);
        r.RihaType = c.rihaType;
        r.KubunCode = c.kubun;
        r.Flags = CategoryFlagsOf(c.rihaType, c.kubun);
        r.KubunDate = TDateTime::fromDate(c.start);
        r.Name = c.name;
        r.Kana = c.kana;
        r.Sex = c.sex;
        r.Birth = TDateTime::fromDate(c.birth);
        r.ROOM_NO = c.room;
        r.Jiritsu_KBN = c.jiritsu;
        r.Ninchi_KBN = c.ninchi;
        r.YOUKAIGO_KBN = c.youkaigo;
        r.HP_TAISHO_YMD = TDateTime::fromDate(c.hospitalDischarge);
        r.NYUSHOBI_YMD = TDateTime::fromDate(c.start);
        r.TAISHOBI_YMD = c.end.isNull() ? TDateTime() : TDateTime::fromDate(c.end);
        r.UpdateDate = onDay(slot.day, 17 * 60 + 30);
        store_.insert(r);
        ++count_;
    }
    int count() const { return count_; }

private:
    CureResultsStore store_;
    DemoRandom remarks_{kSeed + 19};
    int count_ = 0;
};

int countRows(db::Database& db, const char* table) {
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(table));
    db.exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

DemoSummary writeDemoData(db::Database& db, QDate today) {
    for (const char* table : {"KaigoStuff", "LoginUser", "Person", "TimeTable", "CureResults"}) {
        if (countRows(db, table) > 0) {
            throw SetupError(QStringLiteral("デモデータは空のデータベースにだけ作れます（%1 に行があります）。")
                                 .arg(QString::fromLatin1(table)));
        }
    }
    const QDate monthStart(today.year(), today.month(), 1);
    DemoRandom rnd(kSeed);
    DemoSummary summary;
    db::inTransaction(db, [&] {
        setFacility(db, QStringLiteral("介護老人保健施設 ルモリンド苑"));
        for (const Staff& s : kStaff) {
            addStaff(db, s.code, QString::fromUtf16(s.name), QString::fromUtf16(s.symbol));
            addLogin(db, QString::number(s.code), kDemoPassword, QString(), false);
            ++summary.staff;
        }
        std::vector<Client> clients = makeClients(rnd, monthStart);
        insertClients(db, rnd, clients);
        summary.clients = static_cast<int>(clients.size());

        // This month and the next: frames and bookings.
        QSqlQuery frameInsert = db.prepare(QStringLiteral(
            "INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
            "VALUES (:d, :s, :t, :m, :c) RETURNING ReserveNo"));
        QSqlQuery bookingInsert = db.prepare(QStringLiteral(
            "INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) VALUES (:w, :c, :k, :t)"));
        writeDemoPhrases(db, "Schd", 0, kBookingPhrases, TDateTime::fromDate(monthStart));
        DemoRandom bookingNotes(kSeed + 23);
        // The days of this month before today: the bookings copied into
        // results (from a generator of their own, so the other demo values
        // stay as they were).
        ResultWriter copiedResults(db);
        DemoRandom copied(kSeed + 31);
        for (QDate d = monthStart; d < monthStart.addMonths(2); d = d.addDays(1)) {
            std::vector<Frame> frames = framesOf(d);
            closeTherapistFrames(frames, d);
            // The last days of this month are left to the weekly requests.
            const bool leaveRequests = d.month() == monthStart.month() && d.day() >= 22;
            bookDay(rnd, frames, clients, d, true, leaveRequests);
            bookSecondVisits(frames);
            for (Frame& f : frames) {
                bindDate(frameInsert, QStringLiteral(":d"), TDateTime::fromDate(f.day));
                frameInsert.bindValue(QStringLiteral(":s"), f.staff);
                bindDate(frameInsert, QStringLiteral(":t"), timeOfDay(f.start));
                frameInsert.bindValue(QStringLiteral(":m"), f.minutes);
                frameInsert.bindValue(QStringLiteral(":c"), f.capacity);
                f.reserveNo = db.execReturningKey(frameInsert);
                ++summary.frames;
                for (const Client* c : f.booked) {
                    bookingInsert.bindValue(QStringLiteral(":w"), f.reserveNo);
                    bookingInsert.bindValue(QStringLiteral(":c"), c->cureNo);
                    QString comment;
                    if (c->requestStart[d.dayOfWeek() - 1] > 0) {
                        comment = QStringLiteral("週間希望");
                    } else if (bookingNotes.chance(12)) {
                        comment = QString::fromUtf16(kBookingPhrases[bookingNotes.below(std::size(kBookingPhrases))]);
                    }
                    bookingInsert.bindValue(QStringLiteral(":k"), comment);
                    bindDate(bookingInsert, QStringLiteral(":t"), onDay(monthStart.addDays(-3), 17 * 60));
                    db.exec(bookingInsert);
                    ++summary.bookings;
                    if (d < today && d.month() == monthStart.month()) copiedResults.write(copied, f, *c);
                }
            }
        }

        writeDemoPhrases(db, "ResultEdit", 0, kResultPhrases, TDateTime::fromDate(monthStart));

        // The three months before (what the statistics count): the results
        // entered day by day.
        ResultWriter results(db);
        for (QDate d = monthStart.addMonths(-3); d < monthStart; d = d.addDays(1)) {
            std::vector<Frame> daySlots = framesOf(d);
            bookDay(rnd, daySlots, clients, d);
            for (const Frame& slot : daySlots) {
                for (const Client* c : slot.booked) results.write(rnd, slot, *c);
            }
        }
        summary.results = results.count() + copiedResults.count();

        // Rehabilitation and preventive-care plans, made by the therapists.
        std::vector<int> therapists;
        for (const Staff& s : kStaff)
            if (s.therapist) therapists.push_back(s.code);
        const DemoUrinPlans urin = writeDemoUrinPlans(db, PersonStore(db).all(), today, therapists);
        summary.urinPlans = urin.plans;
        summary.preventivePlans = urin.preventive;

        // Treatment plans with their body charts, and the plan window's phrases.
        summary.plans = writeDemoPlans(db, PersonStore(db).all(), today, QStringLiteral("デモ　職員"));

        // Daily-life function evaluations.
        summary.estimates = writeDemoEstimates(db, PersonStore(db).all(), today);

        // Conference records, the staff members as attendees.
        std::vector<int> staffCodes;
        for (const Staff& s : kStaff) staffCodes.push_back(s.code);
        summary.conferences = writeDemoConferences(db, PersonStore(db).all(), today, staffCodes);

        // Practice plans, their teams from the staff, and their phrases.
        summary.practicePlans = writeDemoPracticePlans(db, PersonStore(db).all(), today, staffCodes);

        // Start-of-stay conference surveys.
        summary.surveys = writeDemoConferenceSurveys(db, PersonStore(db).all(), today, therapists);
    });
    return summary;
}

}  // namespace lum::setup
