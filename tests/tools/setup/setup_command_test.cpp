#include "setup_command.h"

#include "app/dbseting.h"
#include "common/db/sql_date.h"
#include "demo_data.h"
#include "plans/practice_plan_record.h"
#include "platform/settings/settings_key.h"
#include "results/month_record_report.h"
#include "support/database_fixture.h"

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <set>

using lum::SettingsKey;
using namespace lum::setup;

namespace {

struct ToolRun {
    int code;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runSetupCommand(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}

class SetupTool : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings_.isValid());
        SettingsKey::setRootFolder(settings_.path());
        DatabaseTest::SetUp();
    }
    void TearDown() override {
        DatabaseTest::TearDown();
        SettingsKey::setRootFolder(QString());
    }
    bool migrateOnSetUp() const override { return false; }

    QStringList connectionArgs() const {
        return {QStringLiteral("--connection"), const_cast<SetupTool*>(this)->scratch().connectionString(),
                QStringLiteral("--user"), lum::test::testPgUser(), QStringLiteral("--password"),
                lum::test::testPgPassword()};
    }
    ToolRun runOnScratch(QStringList args) { return runTool(args << connectionArgs()); }
    void initScratch() {
        const ToolRun r = runOnScratch({QStringLiteral("init")});
        ASSERT_EQ(r.code, Ok) << r.err.toStdString();
    }
    QVariant scalar(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q = db().prepare(sql);
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
        db().exec(q);
        return q.next() ? q.value(0) : QVariant();
    }
    int count(const QString& sql, const QVariantList& values = {}) { return scalar(sql, values).toInt(); }

    QTemporaryDir settings_;
};

const QStringList kDemo = {QStringLiteral("demo"), QStringLiteral("--today"), QStringLiteral("2026/12/10")};

}  // namespace

TEST_P(SetupTool, InitThenDemoGiveADatabaseTheApplicationCanLogInto) {
    initScratch();
    TDBSeting seting;
    EXPECT_TRUE(seting.ReadRegistry().isEmpty());
    EXPECT_EQ(seting.Connection, scratch().connectionString());
    EXPECT_EQ(seting.ID, lum::test::testPgUser());
    EXPECT_EQ(seting.GetPassword(), lum::test::testPgPassword());

    const ToolRun demo = runTool(kDemo);  // the database of the connection key
    ASSERT_EQ(demo.code, Ok) << demo.err.toStdString();
    EXPECT_TRUE(demo.out.contains(QStringLiteral("ユーザー名 101 / パスワード lumorind")));

    // What the data module reads at start-up.
    EXPECT_EQ(scalar(QStringLiteral("SELECT FACILITIES_NAME FROM Facilities ORDER BY ID LIMIT 1")).toString(),
              QStringLiteral("介護老人保健施設 ルモリンド苑"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM KaigoStuff")), 8);
    EXPECT_EQ(scalar(QStringLiteral("SELECT LoginNAME FROM LoginUser WHERE STAFF_CD = ? AND PASS_WORD = ?"),
                     {kDemoLoginCode, kDemoPassword})
                  .toString(),
              QStringLiteral("佐藤　健一"));

    // Sixty clients of all four types, with half-width kana readings.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Person")), 60);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(DISTINCT RihaType) FROM Person")), 4);
    QSqlQuery kana = db().prepare(QStringLiteral("SELECT Kana FROM Person"));
    db().exec(kana);
    const QRegularExpression halfWidth(QStringLiteral("^[\\x{FF66}-\\x{FF9F}]+ [\\x{FF66}-\\x{FF9F}]+$"));
    while (kana.next()) EXPECT_TRUE(halfWidth.match(kana.value(0).toString()).hasMatch()) << kana.value(0).toString().toStdString();

    // This month and the next: frames with bookings that keep the booking rules.
    const lum::DateRange december = lum::monthRange(2026, 12);
    const lum::DateRange january = lum::monthRange(2027, 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE ReserveDay < ? OR ReserveDay >= ?"),
                    {lum::db::sqlDate(december.begin), lum::db::sqlDate(january.end)}),
              0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE ReserveDay >= ?"),
                    {lum::db::sqlDate(lum::TDateTime::fromYmd(2027, 1, 30))}),
              0)
        << "frames up to the end of next month";
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Schedule")), 600);
    // Each therapist (101 to 106) has closed frames on one weekday of their own, without bookings.
    QSqlQuery closed = db().prepare(QStringLiteral("SELECT StuffCode, ReserveDay FROM TimeTable WHERE Capacity = 0"));
    db().exec(closed);
    std::map<int, std::set<int>> closedWeekdays;
    while (closed.next()) {
        closedWeekdays[closed.value(0).toInt()].insert(lum::db::readDate(closed.value(1)).date().dayOfWeek());
    }
    EXPECT_EQ(closedWeekdays.size(), 6u);
    for (const auto& [staff, weekdays] : closedWeekdays) {
        EXPECT_TRUE(staff >= 101 && staff <= 106) << staff;
        EXPECT_EQ(weekdays.size(), 1u) << staff;
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule JOIN TimeTable ON ReserveNo = WorkingNo "
                                   "WHERE Capacity = 0")),
              0);
    // Every day with frames has a full group session and one with room.
    const int days = count(QStringLiteral("SELECT COUNT(DISTINCT ReserveDay) FROM TimeTable"));
    EXPECT_GE(days, 50);
    const QString groups = QStringLiteral(
        "SELECT COUNT(DISTINCT ReserveDay) FROM TimeTable t WHERE Capacity > 1 AND "
        "(SELECT COUNT(*) FROM Schedule s WHERE s.WorkingNo = t.ReserveNo) %1 Capacity");
    EXPECT_EQ(count(groups.arg(QStringLiteral("="))), days);
    EXPECT_EQ(count(groups.arg(QStringLiteral("<"))), days);
    // Weekly requests, booked through the month but for its last days, which
    // wait in the client month schedule.
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Person WHERE Funn01 > 0 OR Funn02 > 0 OR Funn03 > 0 OR "
                                   "Funn04 > 0 OR Funn05 > 0 OR Funn06 > 0 OR Funn07 > 0")),
              5);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE Comment = '週間希望'")), 20);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule s JOIN TimeTable t ON t.ReserveNo = s.WorkingNo "
                                   "WHERE s.Comment = '週間希望' AND t.ReserveDay >= ? AND t.ReserveDay < ?"),
                    {lum::db::sqlDate(lum::TDateTime::fromYmd(2026, 12, 22)), lum::db::sqlDate(january.begin)}),
              0);
    // The booking phrases, and bookings that use them.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'Schd' AND CommentCode = 0")), 7);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Schedule WHERE Comment IN "
                                   "(SELECT CommentText FROM Comment WHERE ProgramName = 'Schd')")),
              20);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT WorkingNo FROM Schedule JOIN TimeTable ON "
                                   "ReserveNo = WorkingNo GROUP BY WorkingNo, Capacity HAVING COUNT(*) > Capacity) x")),
              0);
    // A few clients come twice on a day, never at overlapping times.
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT ReserveDay, CureNo FROM Schedule JOIN TimeTable ON "
                                   "ReserveNo = WorkingNo GROUP BY ReserveDay, CureNo HAVING COUNT(*) > 1) x")),
              20);
    {
        QSqlQuery q = db().prepare(QStringLiteral(
            "SELECT s.CureNo, t.ReserveDay, t.StartTime, t.WorkingMin FROM Schedule s "
            "JOIN TimeTable t ON t.ReserveNo = s.WorkingNo ORDER BY s.CureNo, t.ReserveDay, t.StartTime"));
        db().exec(q);
        int previousClient = -1;
        lum::TDateTime previousDay;
        int previousEnd = 0;
        while (q.next()) {
            const int client = q.value(0).toInt();
            const lum::TDateTime reserveDay = lum::db::readDate(q.value(1));
            const QTime at = lum::db::readDate(q.value(2)).time();
            const int start = at.hour() * 60 + at.minute();
            if (client == previousClient && reserveDay == previousDay) {
                EXPECT_GE(start, previousEnd) << "client " << client << " booked twice at once";
            }
            previousClient = client;
            previousDay = reserveDay;
            previousEnd = start + q.value(3).toInt();
        }
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Schedule s JOIN TimeTable t ON t.ReserveNo = s.WorkingNo "
                                   "JOIN Person p ON p.CureNo = s.CureNo WHERE t.ReserveDay < p.NYUSHOBI_YMD")),
              0);

    // Three months of results (each of them, for the statistics) and this
    // month's bookings before today copied into results, their flags
    // following type and categories.
    const lum::DateRange results{lum::TDateTime::fromYmd(2026, 9, 1), lum::TDateTime::fromYmd(2026, 12, 10)};
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE CureDate < ? OR CureDate >= ?"),
                    {lum::db::sqlDate(results.begin), lum::db::sqlDate(results.end)}),
              0);
    // This month's and last month's results cover the four types, each
    // result with its staff member's mark; this month's are the copies of
    // their bookings.
    for (const lum::DateRange& m : {lum::monthRange(2026, 11), december}) {
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(DISTINCT RihaType) FROM CureResults WHERE CureDate >= ? AND "
                                       "CureDate < ?"),
                        {lum::db::sqlDate(m.begin), lum::db::sqlDate(m.end)}),
                  4);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE StuffKigo IS NULL OR StuffKigo = ''")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM CureResults r JOIN Schedule s ON s.WorkingNo = r.ReserveNo "
                                   "AND s.CureNo = r.CureNo WHERE r.CureDate >= ?"),
                    {lum::db::sqlDate(december.begin)}),
              100);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE CureDate >= ? AND ReserveNo < 0"),
                    {lum::db::sqlDate(december.begin)}),
              0);
    for (int month : {9, 10, 11}) {
        const lum::DateRange m = lum::monthRange(2026, month);
        EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE CureDate >= ? AND CureDate < ?"),
                        {lum::db::sqlDate(m.begin), lum::db::sqlDate(m.end)}),
                  300)
            << month;
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CureResults WHERE (HoumonTanki = 'True' AND RihaType <> 3) "
                                   "OR (NyushoKobetsu = 'True' AND RihaType <> 0) OR (RihaType = 2 AND "
                                   "((KubunCode & 8) > 0) <> (TsushoKobetsu = 'True'))")),
              0);
    // Rehabilitation and preventive-care plans: one client with two of each,
    // whole records of version 30, and the phrases of both windows.
    for (const char* table : {"UrinKeikaku", "UrinYobou"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))), 7);
        EXPECT_EQ(count(QStringLiteral("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM %1 GROUP BY CureNo) x")
                            .arg(QLatin1String(table))),
                  2);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE DataFormatVersion <> 30").arg(QLatin1String(table))),
                  0);
    }
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'UrinPlan'")), 10);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'UrinYobou'")), 30);

    // Conference records: one client with two dates, whole records of
    // version 30, and the window's phrases.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Conference")), 6);
    EXPECT_EQ(count(QStringLiteral("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM Conference GROUP BY CureNo) x")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Conference WHERE DataFormatVersion <> 30")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'Conference'")), 15);

    // Treatment plans with marks and overlays for four clients in five, one
    // client with two, six programme lines each, and the plan window's phrases.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RihaPlan")), 49);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(DISTINCT CureNo) FROM RihaPlan")), 48);
    const auto heading = lum::LatestPlanQuery(db(), 1);
    ASSERT_TRUE(heading.has_value());
    for (const QString& line : heading->Program) EXPECT_FALSE(line.isEmpty());
    EXPECT_FALSE(lum::LatestPlanQuery(db(), 5).has_value()) << "the fifth client has none";
    EXPECT_EQ(count(QStringLiteral("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM RihaPlan GROUP BY CureNo) x")), 2);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Figure WHERE Parts = 3")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Figure WHERE Parts < 3")), 20);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'CurePlan'")), 40);

    // Daily-life function evaluations: one at the maximum, one client twice
    // with items unanswered; the unshown columns 0.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Estimate")), 15);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Estimate WHERE Yukaue + UdeAge + Negaeri + Okiagari + "
                                   "ZaiHoji + Ijyou + Idou + Kouku + Shokuji + Ifuku + Omoiyari + Shinryo + Kikenn = 19")),
              1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Estimate WHERE Kikenn = -1")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Estimate WHERE Old <> 0 OR Kaigodo <> 0 OR RihaStuff <> 0")), 0);
    // Practice plans: six clients, one with two dates, whole records that read
    // back with both tables and a team; the phrases of the window and its dialogs.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Practice")), 7);
    EXPECT_EQ(count(QStringLiteral("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM Practice GROUP BY CureNo) x")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Practice WHERE DataFormatVersion <> 30")), 0);
    {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT PracticeData FROM Practice ORDER BY PractNo"));
        db().exec(q);
        while (q.next()) {
            const std::optional<lum::TPracticePlan> plan = lum::decodePracticePlan(q.value(0).toByteArray());
            ASSERT_TRUE(plan);
            EXPECT_FALSE(plan->UserName.isEmpty());
            EXPECT_NE(plan->Table0[0].ABC, (std::array<QString, 5>{}));
            EXPECT_FALSE(plan->Table1[6].Goods.isEmpty());
            EXPECT_NE(plan->Team[1], -1);
            EXPECT_EQ(lum::encodePracticePlan(*plan), q.value(0).toByteArray().left(lum::PracticePlanSize));
        }
    }
    for (const char* program : {"PracticePlan", "Goods", "Kaigo"})
        EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = ?"), {QString::fromLatin1(program)}), 5)
            << program;
    // Start-of-stay conference surveys: one client with two dates, whole
    // records of version 30, and the survey window's phrases.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BeforeConfer")), 7);
    EXPECT_EQ(count(QStringLiteral("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM BeforeConfer GROUP BY CureNo) x")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BeforeConfer WHERE DataFormatVersion <> 30")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Comment WHERE ProgramName = 'BfConfer'")), 30);
    // Some clients stay without a treatment plan for the list of clients without plans.
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Person LEFT JOIN RihaPlan ON Person.CureNo = RihaPlan.CureNo "
                                   "WHERE RihaPlan.PlanRegistDay IS NULL")),
              5);
}

TEST_P(SetupTool, DemoRefusesADatabaseWithDataAndLeavesItAsItWas) {
    initScratch();
    ASSERT_EQ(runTool({QStringLiteral("add-staff"), QStringLiteral("--code"), QStringLiteral("7"),
                       QStringLiteral("--name"), QStringLiteral("既存　職員")})
                  .code,
              Ok);
    const ToolRun r = runTool(kDemo);
    EXPECT_EQ(r.code, Failed);
    EXPECT_TRUE(r.err.contains(QStringLiteral("KaigoStuff")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM KaigoStuff")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Facilities")), 0);
}

TEST_P(SetupTool, StaffLoginsAndTheFacility) {
    initScratch();
    auto run = [](std::initializer_list<const char*> args) {
        QStringList list;
        for (const char* a : args) list << QString::fromUtf8(a);
        return runTool(list).code;
    };
    EXPECT_EQ(run({"add-staff", "--code", "12", "--name", "田中　花子", "--symbol", "田"}), Ok);
    EXPECT_EQ(run({"add-staff", "--code", "12", "--name", "別人"}), Failed);
    EXPECT_EQ(run({"add-staff", "--code", "13", "--name", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"}), Failed);  // 31
    EXPECT_EQ(run({"add-staff", "--code", "13", "--name", "絵文字😀"}), Failed);
    EXPECT_EQ(run({"add-login", "--staff-code", "12", "--login-password", "pa'ss"}), Ok);
    EXPECT_EQ(scalar(QStringLiteral("SELECT LoginNAME FROM LoginUser WHERE STAFF_CD = '12'")).toString(),
              QStringLiteral("田中　花子"));
    EXPECT_EQ(run({"add-login", "--staff-code", "12", "--login-password", "new"}), Failed);
    EXPECT_EQ(run({"add-login", "--staff-code", "12", "--login-password", "new", "--replace"}), Ok);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM LoginUser WHERE STAFF_CD = '12' AND PASS_WORD = 'new'")), 1);
    EXPECT_EQ(run({"add-login", "--staff-code", "99", "--login-password", "x"}), Failed);  // no staff, no name
    EXPECT_EQ(run({"add-login", "--staff-code", "admin", "--login-password", "x", "--name", "管理者"}), Ok);
    EXPECT_EQ(run({"set-facility", "--name", "第一施設"}), Ok);
    EXPECT_EQ(run({"set-facility", "--name", "第二施設"}), Ok);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Facilities")), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT FACILITIES_NAME FROM Facilities")).toString(), QStringLiteral("第二施設"));
}

TEST_P(SetupTool, DemoIsTheSameEveryTime) {
    if (!isSqlite()) GTEST_SKIP() << "one backend is enough to compare two runs";
    auto digest = [&](lum::db::Database& d) {
        QSqlQuery q = d.prepare(QStringLiteral(
            "SELECT (SELECT group_concat(Name || Kana || NYUSHOBI_YMD, ',') FROM Person), "
            "(SELECT COUNT(*) || '/' || SUM(RMinute) FROM CureResults), (SELECT COUNT(*) FROM Schedule)"));
        d.exec(q);
        EXPECT_TRUE(q.next());
        return q.value(0).toString() + q.value(1).toString() + q.value(2).toString();
    };
    initScratch();
    ASSERT_EQ(runTool(kDemo).code, Ok);
    lum::test::ScratchDatabase second;
    ASSERT_TRUE(second.create(lum::db::Backend::SQLite));
    ASSERT_EQ(runTool(QStringList{QStringLiteral("init"), QStringLiteral("--connection"), second.connectionString()}).code, Ok);
    ASSERT_EQ(runTool(kDemo).code, Ok);
    EXPECT_EQ(digest(db()), digest(*second.open()));
}

TEST_P(SetupTool, BadArgumentsAreRefusedClearlyAndWriteNothing) {
    const QStringList bad[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("init")},
        {QStringLiteral("init"), QStringLiteral("--connection"), QStringLiteral("Provider=Nope")},
        {QStringLiteral("init"), QStringLiteral("--connection")},
        {QStringLiteral("init"), QStringLiteral("--connection=Provider=SQLite;Data Source=/tmp/x.db"),
         QStringLiteral("--password"), QString(57, u'p')},
        {QStringLiteral("add-staff"), QStringLiteral("--code"), QStringLiteral("x"), QStringLiteral("--name"), QStringLiteral("a")},
        {QStringLiteral("add-staff"), QStringLiteral("--name"), QStringLiteral("a")},
        {QStringLiteral("add-login"), QStringLiteral("--staff-code"), QStringLiteral("1"), QStringLiteral("--replace=yes")},
        {QStringLiteral("demo"), QStringLiteral("--today"), QStringLiteral("2026-12-10")},
        {QStringLiteral("demo"), QStringLiteral("stray")},
        {QStringLiteral("set-facility"), QStringLiteral("--name"), QStringLiteral("a"), QStringLiteral("--name"), QStringLiteral("b")},
    };
    for (const QStringList& args : bad) {
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.code, BadArguments) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(SettingsKey::filePathOf(TDBSeting::KeyPath)));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/x.db")));
}

TEST_P(SetupTool, WithoutSettingsOrWithABrokenDatabaseNothingIsWritten) {
    const ToolRun noKey = runTool(kDemo);
    EXPECT_EQ(noKey.code, Failed);
    EXPECT_TRUE(noKey.err.contains(QStringLiteral("init")));

    if (!isSqlite()) return;
    const QString garbage = scratch().folder() + QStringLiteral("/garbage.db");
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const ToolRun r = runTool({QStringLiteral("init"), QStringLiteral("--connection"),
                           QStringLiteral("Provider=SQLite;Data Source=") + garbage});
    EXPECT_EQ(r.code, Failed);
    EXPECT_TRUE(QFile::exists(garbage));  // not ours to remove
    EXPECT_FALSE(QFile::exists(SettingsKey::filePathOf(TDBSeting::KeyPath)));
}

TEST(SetupHelp, ExplainsEveryCommand) {
    const ToolRun r = runTool({QStringLiteral("--help")});
    EXPECT_EQ(r.code, Ok);
    for (const char* c : {"init", "add-staff", "add-login", "set-facility", "demo", "demo-link", "--connection"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(c))) << c;
}

LUM_INSTANTIATE_DATABASE_TESTS(SetupTool);
