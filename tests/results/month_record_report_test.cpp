// The monthly medical record without a window, on both backends: the day
// lines of months of every length (one record reused, as the windows reuse
// theirs), a day's first result in start-time order whatever form its start
// time is stored in, a CureDate with a time of day, Sundays, marks, totals,
// the staff legend, every template variable, and the plan behind the
// heading (none, two, a short or overlong PlanData).
#include "results/month_record_report.h"

#include "common/calendar_helpers.h"
#include "medical_record_fixture.h"

#include <gtest/gtest.h>

namespace {

using lum::MonthRecordReport;
using lum::TDateTime;
using lum::TLineData;
using Outcome = MonthRecordReport::Outcome;

class MonthRecordReportTest : public lum::test::MedicalRecordTest {
protected:
    void SetUp() override {
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // A resident with 短期集中 and 集団.
        client_ = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 0, 5));
        staff_ = lum::ReadStaffList(db());
    }
    Outcome build(TDateTime month) { return record_.Build(db(), client_.CureNo, month, staff_); }
    QString text(const char* name, int recNo = 0) {
        const auto v = record_.Value(QString::fromLatin1(name), recNo);
        return v ? v->toString() : QStringLiteral("<none>");
    }

    TPerson client_;
    std::vector<lum::StaffMember> staff_;
    MonthRecordReport record_;
};

TEST_P(MonthRecordReportTest, EveryMonthGetsItsOwnDaysAndTotalsWhateverWasBuiltBefore) {
    addPlan(client_, ymd(2023, 1, 10), {QStringLiteral("歩行訓練")});
    // Results at the ends of long months, and one on each February's last day.
    for (TDateTime day : {ymd(2024, 1, 1), ymd(2024, 1, 29), ymd(2024, 1, 30), ymd(2024, 1, 31), ymd(2023, 2, 28),
                          ymd(2024, 2, 29), ymd(2024, 3, 31)}) {
        addResult(client_, day, 3, hm(9, 0), 20);
    }
    struct Case {
        TDateTime month;
        int days;
        int lastDayCount;  // results on the month's last day
        int count;         // the month's results
        int firstSunday;   // day of the month
    };
    const Case cases[] = {
        {ymd(2024, 1, 15), 31, 1, 4, 7},
        {ymd(2023, 2, 1), 28, 1, 1, 5},   // right after a 31-day month: no day 29 to 31 left over
        {ymd(2024, 2, 10), 29, 1, 1, 4},  // leap year
        {ymd(2024, 4, 1), 30, 0, 0, 7},
        {ymd(2024, 3, 31), 31, 1, 1, 3},
    };
    for (const Case& c : cases) {
        const QString label = c.month.toDateText();
        ASSERT_EQ(build(c.month), Outcome::Built) << label.toStdString();
        EXPECT_EQ(record_.Month, lum::monthRange(c.month).begin);
        EXPECT_EQ(record_.DayCount(), c.days) << label.toStdString();
        EXPECT_EQ(record_.Lines[static_cast<size_t>(c.days - 1)].Count, c.lastDayCount) << label.toStdString();
        for (int d = c.days; d < lum::CalendorDays; ++d) {
            EXPECT_EQ(record_.Lines[static_cast<size_t>(d)], TLineData{}) << label.toStdString() << " day " << d + 1;
        }
        EXPECT_EQ(record_.CntTotal, c.count) << label.toStdString();
        EXPECT_EQ(record_.FunnTotal, 20 * c.count) << label.toStdString();
        EXPECT_EQ(text("CntTotal"), QString::number(c.count));
        EXPECT_TRUE(record_.Lines[static_cast<size_t>(c.firstSunday - 1)].Sunday) << label.toStdString();
        EXPECT_EQ(text("COLOR", c.firstSunday - 1), QStringLiteral("True"));
        EXPECT_EQ(text("COLOR", c.firstSunday), QStringLiteral("False"));
        EXPECT_EQ(record_.Lines[0].DayLabel, lum::DayWithWeekdayText(lum::monthRange(c.month).begin));
    }
}

TEST_P(MonthRecordReportTest, ADayPrintsItsFirstResultByTheTimeOfDayWithItsMinutesSummed) {
    addPlan(client_, ymd(2024, 4, 1), {});
    const TDateTime may7 = ymd(2024, 5, 7);
    // Entered first: 16:00 on the empty date, as copied bookings hold it.
    const qint64 late = addResult(client_, may7, 3, hm(16, 0), 20);
    // 09:00 and 10:00 with a date, as hand-added days of older versions hold
    // them: compared whole, both would sort after 16:00 on 1899-12-30.
    const qint64 nine = addResult(client_, may7, 7, hm(9, 0), 40, 40, QStringLiteral("佐藤 花子"));
    const qint64 ten = addResult(client_, may7, 9, hm(10, 0), 30);
    setRaw(nine, "RStartTime", TDateTime::fromYmdHms(2024, 5, 7, 9, 0));
    setRaw(ten, "RStartTime", TDateTime::fromYmdHms(2024, 4, 30, 10, 0));
    {
        lum::CureResultChange remark;
        remark.Comment = QStringLiteral("歩行訓練");
        store().update(nine, remark);
        lum::CureResultChange other;
        other.Comment = QStringLiteral("午後");
        store().update(late, other);
    }
    // A result whose CureDate carries a time of day still belongs to its day.
    const qint64 timed = addResult(client_, ymd(2024, 5, 8), 3, hm(11, 0), 25);
    setRaw(timed, "CureDate", TDateTime::fromYmdHms(2024, 5, 8, 14, 30));
    // Another client's result and one of the month before are not the record's.
    const TPerson other = registered(lum::test::makeClient(QStringLiteral("別人"), 0, 5));
    addResult(other, may7, 3, hm(8, 0), 60);
    addResult(client_, ymd(2024, 4, 30), 3, hm(8, 0), 60);

    const quint64 before = db().statementsRun();
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    EXPECT_EQ(db().statementsRun() - before, 2u) << "the plan and one month of results";

    const TLineData& line = record_.Lines[6];
    EXPECT_EQ(line.Count, 3);
    EXPECT_EQ(line.Minutes, 90);
    EXPECT_EQ(line.StartTime.time(), QTime(9, 0));
    EXPECT_EQ(line.Comment, QStringLiteral("歩行訓練"));
    EXPECT_EQ(line.LoginName, QStringLiteral("佐藤 花子"));
    EXPECT_EQ(line.DayLabel, QStringLiteral(" 7 (火)"));
    EXPECT_FALSE(line.Sunday);
    struct Value {
        const char* name;
        int recNo;
        const char* expected;
    };
    const Value values[] = {
        // Day 7: the 09:00 result of サ (a resident with 短期集中 and 集団).
        {"DayWeek", 6, " 7 (火)"}, {"Start", 6, "09:00"}, {"Funn", 6, "90"}, {"Count", 6, "3"},
        {"RsType", 6, "入所"}, {"Login", 6, "佐藤 花子"}, {"Toki", 6, ""},
        {"Tann0", 6, "サ"}, {"Ninn0", 6, ""}, {"Group0", 6, "サ"}, {"Kobetsu0", 6, ""},
        {"Tann1", 6, ""}, {"Group2", 6, ""}, {"Tann3", 6, ""}, {"Ninn3", 6, ""},
        // Day 8: the result whose CureDate has a time of day.
        {"Start", 7, "11:00"}, {"Funn", 7, "25"}, {"Count", 7, "1"}, {"Tann0", 7, "ス"},
        // Day 9: nothing.
        {"DayWeek", 8, " 9 (木)"}, {"Start", 8, ""}, {"Funn", 8, "0"}, {"Count", 8, "0"}, {"RsType", 8, ""},
        {"Tann0", 8, ""}, {"Login", 8, ""}, {"COLOR", 8, "False"},
        // Sunday the 5th.
        {"COLOR", 4, "True"}, {"DayWeek", 4, " 5 (日)"},
        // The totals and the legend of three staff members.
        {"FunnTotal", 0, "115"}, {"CntTotal", 0, "4"},
        {"Tk1", 0, "ス"}, {"TkName1", 0, "鈴木 一郎"}, {"Tk2", 0, "サ"}, {"TkName2", 0, "佐藤 花子"},
        {"Tk3", 0, "タ"}, {"TkName3", 0, "田中 次郎"}, {"Tk4", 0, ""}, {"TkName4", 0, ""}, {"Tk20", 0, ""},
        {"TkName20", 0, ""}, {"Tk21", 0, "<none>"}, {"Tk01", 0, "<none>"},
        // The heading: the client as registered, the plan, the month, the facility.
        {"CureNo", 0, ""}, {"Name", 0, "山田　花子"}, {"Sex", 0, "女性"}, {"NRType", 0, "入所"},
        {"Birth", 0, "昭和10年04月01日"}, {"Jiritsu", 0, "J2"}, {"Ninchi", 0, "Ⅱb"}, {"Kaigo", 0, "要介護3"},
        {"BeginDay", 0, "令和06年03月25日"}, {"EndDay", 0, ""}, {"RegDay", 0, "令和06年04月01日"},
        {"Hizuke", 0, "令和06年05月"}, {"Program1", 0, ""},
        // Names are matched whatever their letter case; others get nothing.
        {"color", 4, "True"}, {"FUNN", 6, "90"}, {"Remark", 0, "<none>"}, {"Program7", 0, "<none>"},
    };
    for (const Value& v : values) {
        const QString expected = QString::fromUtf8(v.expected);
        if (QLatin1String(v.name) == QLatin1String("CureNo")) {
            EXPECT_EQ(text(v.name, v.recNo), QString::number(client_.CureNo));
            continue;
        }
        EXPECT_EQ(text(v.name, v.recNo), expected) << v.name << " of record " << v.recNo;
    }
    record_.FacilityName = QStringLiteral("介護老人保健施設 みどり苑");
    EXPECT_EQ(text("Shisetsu"), QStringLiteral("介護老人保健施設 みどり苑"));
}

TEST_P(MonthRecordReportTest, TheHeadingComesFromTheLatestPlanReadWithinItsBytes) {
    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    // No plan: the lines are the client's, the heading is empty.
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::NoPlan);
    EXPECT_EQ(record_.Lines[6].Count, 1);
    EXPECT_EQ(text("Name"), QString());
    EXPECT_EQ(text("Sex"), QString());
    EXPECT_EQ(text("RegDay"), QString());
    EXPECT_EQ(MonthRecordReport::NoPlanText(), QStringLiteral("リハビリ計画書データが見つかりません。"));

    // Two plans: the later start wins, whatever the month printed and
    // whichever was stored first.
    const QStringList six = {QStringLiteral("平行棒内歩行訓練"), QStringLiteral("立ち上がり訓練"),
                             QStringLiteral("関節可動域訓練"),   QStringLiteral("筋力増強訓練"),
                             QStringLiteral("バランス訓練"),     QStringLiteral("ＡＤＬ訓練（更衣）")};
    const int later = addPlan(client_, ymd(2024, 9, 1), six);
    addPlan(client_, ymd(2024, 3, 1), {QStringLiteral("古い計画")});
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    EXPECT_EQ(record_.Heading.PlanNo, later);
    EXPECT_EQ(text("RegDay"), QStringLiteral("令和06年09月01日"));
    for (int k = 0; k < 6; ++k) EXPECT_EQ(record_.Heading.Program[static_cast<size_t>(k)], six[k]) << k;
    EXPECT_EQ(text("Program6"), QStringLiteral("ＡＤＬ訓練（更衣）"));
    EXPECT_EQ(text("Name"), QStringLiteral("山田　花子"));

    // A PlanData cut short: texts it holds whole are read, the rest are empty.
    lum::PlanBody full;
    for (int k = 0; k < 6; ++k) full.Program[static_cast<size_t>(k)] = six[k];
    const QByteArray body = lum::encodePlanData(full);
    const int programs = lum::plan_layout::Program;
    setPlanData(later, body.left(programs + 41 + 10));  // the first line whole, the second cut
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    EXPECT_EQ(record_.Heading.Program[0], six[0]);
    for (int k = 1; k < 6; ++k) EXPECT_EQ(record_.Heading.Program[static_cast<size_t>(k)], QString()) << k;
    setPlanData(later, QByteArray());
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    EXPECT_EQ(record_.Heading.Program[0], QString());
    EXPECT_EQ(text("RegDay"), QStringLiteral("令和06年09月01日")) << "the plan is there, only its texts are not";

    // A length byte above the capacity reads the forty bytes of its own slot.
    QByteArray overlong = lum::encodePlanData(full);
    overlong[programs] = static_cast<char>(200);
    for (int b = 1; b <= 40; ++b) overlong[programs + b] = 'A';
    setPlanData(later, overlong);
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    EXPECT_EQ(record_.Heading.Program[0], QString(40, u'A'));
    EXPECT_EQ(record_.Heading.Program[1], six[1]);
}

TEST_P(MonthRecordReportTest, AFailedReadSaysWhichAndLeavesNothingOfTheClientBefore) {
    addPlan(client_, ymd(2024, 4, 1), {QStringLiteral("歩行訓練")});
    addResult(client_, ymd(2024, 5, 7), 3, hm(9, 0), 20);
    ASSERT_EQ(build(ymd(2024, 5, 1)), Outcome::Built);
    db().execute(QStringLiteral("DROP TABLE CureResults"));
    EXPECT_EQ(build(ymd(2024, 5, 1)), Outcome::LinesFailed);
    EXPECT_EQ(record_.Lines[6], TLineData{});
    EXPECT_EQ(record_.CntTotal, 0);
    EXPECT_FALSE(record_.LastError.isEmpty());
    EXPECT_EQ(MonthRecordReport::FailureText(Outcome::LinesFailed), QStringLiteral("*** System Error : 印刷行の編集エラー"));
    db().execute(QStringLiteral("DROP TABLE RihaPlan"));
    EXPECT_EQ(build(ymd(2024, 5, 1)), Outcome::PlanFailed);
    EXPECT_EQ(record_.Heading, lum::MonthRecordHeading{});
    EXPECT_EQ(MonthRecordReport::FailureText(Outcome::PlanFailed), QStringLiteral("*** System Error : データエラー"));
}

LUM_INSTANTIATE_DATABASE_TESTS(MonthRecordReportTest);

}  // namespace
