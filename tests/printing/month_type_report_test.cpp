// The two month printouts by type without a window: the results-per-type
// table and the month grid from result rows, their day totals, the staff
// legends, the template values and the CSV lines.
#include "common/csv_file.h"
#include "printing/keitai_report.h"
#include "printing/schedule_type_grid.h"

#include <gtest/gtest.h>

namespace {

using lum::TDateTime;

TDateTime on(int y, int m, int d, int h = 0, int min = 0) { return TDateTime::fromYmdHms(y, m, d, h, min); }
TDateTime at(int h, int min) { return TDateTime((h * 60 + min) / 1440.0); }

lum::MonthTypeResult result(qint64 no, TDateTime day, int cureNo, int type, const char* mark, TDateTime start,
                            int minutes, const char* kana = "ﾔﾏﾀﾞ ﾀﾛｳ", const char* name = "山田　太郎") {
    lum::MonthTypeResult r;
    r.ResultNo = no;
    r.CureDate = day;
    r.CureNo = cureNo;
    r.Name = QString::fromUtf8(name);
    r.Kana = QString::fromUtf8(kana);
    r.RihaType = type;
    r.NYUSHOBI_YMD = on(2002, 4, 1);
    r.StuffKigo = QString::fromUtf8(mark);
    r.RStartTime = start;
    r.RMinute = minutes;
    return r;
}

std::vector<lum::StaffMember> staffOf(int n) {
    std::vector<lum::StaffMember> s;
    for (int i = 1; i <= n; ++i) s.push_back({100 + i, QStringLiteral("職員%1").arg(i), QStringLiteral("K%1").arg(i)});
    return s;
}

// June 2002 (30 days), in query order: client 1 under types 0 and 2;
// client 1 type 0 on the 3rd twice, the first without a mark; a day with
// results but no mark at all; 14:00 on the last day.
std::vector<lum::MonthTypeResult> juneResults() {
    return {
        result(1, on(2002, 6, 3), 1, 0, "", at(9, 0), 20),
        result(2, on(2002, 6, 3), 1, 0, "佐", at(10, 0), 40),
        result(3, on(2002, 6, 4), 1, 0, "", at(11, 0), 30),
        result(4, on(2002, 6, 30, 14, 0), 1, 0, "高", at(14, 0), 40),
        result(5, on(2002, 6, 3), 1, 2, "中", at(13, 30), 60),
        result(6, on(2002, 6, 5), 2, 1, " 松 ", at(9, 40), 40, "ｻﾄｳ ﾊﾅｺ", "佐藤,花子"),
    };
}

TEST(KeitaiRows, OneRowPerClientAndTypeWithTheDaysMarksMinutesAndTimes) {
    const lum::KeitaiTable t = lum::BuildKeitaiRows(juneResults());
    ASSERT_EQ(t.Rows.size(), 3u);
    const lum::KeitaiRow& r0 = t.Rows[0];
    EXPECT_EQ(r0.Label, QStringLiteral("00000001 山田　太郎"));
    EXPECT_EQ(r0.RihaType, 0);
    EXPECT_EQ(r0.AdmissionText, QStringLiteral("H14.04.01"));
    // The 3rd: the second result's mark, the first's time, both minutes.
    EXPECT_EQ(r0.Marks[2], QStringLiteral("佐"));
    EXPECT_EQ(r0.StartTimes[2], QStringLiteral("0900"));
    EXPECT_EQ(r0.Minutes[2], 60);
    // The 4th: minutes without a mark.
    EXPECT_EQ(r0.Marks[3], QString());
    EXPECT_EQ(r0.Minutes[3], 30);
    // 14:00 on the last day is in the month.
    EXPECT_EQ(r0.Marks[29], QStringLiteral("高"));
    EXPECT_EQ(r0.StartTimes[29], QStringLiteral("1400"));
    EXPECT_EQ(r0.MarkedDays, 2);
    EXPECT_EQ(r0.TotalMinutes, 130);
    EXPECT_EQ(t.Rows[1].RihaType, 2);
    EXPECT_EQ(t.Rows[1].Marks[2], QStringLiteral("中"));
    EXPECT_EQ(t.Rows[1].TotalMinutes, 60);
    EXPECT_EQ(t.Rows[2].Marks[4], QStringLiteral("松")) << "blanks around a mark are not a mark";
    // Day totals by hand: the 3rd has two marked rows and 120 minutes.
    EXPECT_EQ(t.DayCounts[2], 2);
    EXPECT_EQ(t.DayMinutes[2], 120);
    EXPECT_EQ(t.DayCounts[3], 0);
    EXPECT_EQ(t.DayMinutes[3], 30);
    EXPECT_EQ(t.DayCounts[4], 1);
    EXPECT_EQ(t.DayCounts[29], 1);
    EXPECT_EQ(t.TotalCount, 4);
    EXPECT_EQ(t.TotalMinutes, 230);
    EXPECT_TRUE(lum::BuildKeitaiRows({}).Rows.empty());
}

TEST(ScheduleTypeGrid, ARowPerClientInKanaOrderWithTheFirstMarkOfEachDay) {
    const std::vector<lum::MonthTypeResult> rows = {
        result(1, on(2002, 6, 3), 5, 0, "", at(9, 0), 20, ""),
        result(2, on(2002, 6, 3), 7, 0, "林", at(9, 0), 20, ""),
        result(3, on(2002, 6, 3), 1, 0, "佐", at(9, 0), 40, "ｻﾄｳ ﾊﾅｺ"),
        result(4, on(2002, 6, 3), 1, 0, "高", at(10, 0), 40, "ｻﾄｳ ﾊﾅｺ"),
        result(5, on(2002, 6, 4), 1, 0, "", at(10, 0), 40, "ｻﾄｳ ﾊﾅｺ"),
        result(6, on(2002, 6, 30, 14, 0), 1, 0, "中", at(14, 0), 40, "ｻﾄｳ ﾊﾅｺ"),
        result(7, on(2002, 6, 3), 2, 0, "石", at(9, 0), 40, "ｻﾄｳ ﾊﾅｺ", "佐藤　華子"),
    };
    const lum::ScheduleTypeGrid g = lum::BuildScheduleTypeGrid(rows);
    ASSERT_EQ(g.Rows.size(), 4u) << "two clients without kana and two of one reading keep a row each";
    EXPECT_EQ(g.Rows[0][0], QStringLiteral("00000005 山田　太郎"));
    EXPECT_EQ(g.Rows[0][3 + 2], QString()) << "a result without a mark leaves the cell empty";
    EXPECT_EQ(g.Rows[0][34], QStringLiteral("0"));
    EXPECT_EQ(g.Rows[1][0], QStringLiteral("00000007 山田　太郎"));
    EXPECT_EQ(g.Rows[1][1], QStringLiteral("入所"));
    EXPECT_EQ(g.Rows[1][2], QStringLiteral("H14.04.01"));
    EXPECT_EQ(g.Rows[2][3 + 2], QStringLiteral("佐")) << "the earlier of two staff members";
    EXPECT_EQ(g.Rows[2][3 + 3], QString());
    EXPECT_EQ(g.Rows[2][3 + 29], QStringLiteral("中"));
    EXPECT_EQ(g.Rows[2][34], QStringLiteral("2"));
    EXPECT_EQ(g.Rows[3][0], QStringLiteral("00000002 佐藤　華子"));
    EXPECT_EQ(g.Rows[3][34], QStringLiteral("1"));
    EXPECT_EQ(g.DayCounts[2], 3);
    EXPECT_EQ(g.DayCounts[3], 0);
    EXPECT_EQ(g.DayCounts[29], 1);
    EXPECT_EQ(g.TotalCount, 4);
}

TEST(MonthTypeLegend, PositionsBeyondTheStaffAreEmptyAndOnlySixteenPrint) {
    struct Case {
        int staff;
        const char* tk5;
        const char* tkName16;
        const char* csvLine2;  // the third CSV legend line
    };
    const Case cases[] = {
        {3, "", "", "\" \",\" \",\" \",\" \",\" \",\" \",\" \",\" \""},
        {5, "K5", "", "\" \",\" \",\" \",\" \",\" \",\" \",\" \",\" \""},
        {18, "K5", "職員16", "\"K9\",\"職員9\",\"K10\",\"職員10\",\"K11\",\"職員11\",\"K12\",\"職員12\""},
        {25, "K5", "職員16", "\"K9\",\"職員9\",\"K10\",\"職員10\",\"K11\",\"職員11\",\"K12\",\"職員12\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.staff);
        lum::StaffLegend legend;
        legend.Fill(staffOf(c.staff));
        QString v;
        ASSERT_TRUE(legend.Value(QStringLiteral("Tk5"), v));
        EXPECT_EQ(v, QString::fromUtf8(c.tk5));
        ASSERT_TRUE(legend.Value(QStringLiteral("TkName16"), v));
        EXPECT_EQ(v, QString::fromUtf8(c.tkName16));
        EXPECT_FALSE(legend.Value(QStringLiteral("Tk17"), v)) << "the templates print 1 to 16";
        EXPECT_EQ(legend.Tk[19], c.staff >= 20 ? QStringLiteral("K20") : QString());
        EXPECT_EQ(lum::csvLineText(lum::ScheduleTypeReport::CsvLegendLine(staffOf(c.staff), 2),
                                   lum::CsvQuoting::EveryValue),
                  QString::fromUtf8(c.csvLine2));
    }
    EXPECT_EQ(lum::csvLineText(lum::ScheduleTypeReport::CsvLegendLine(staffOf(18), 3), lum::CsvQuoting::EveryValue),
              QStringLiteral("\"K13\",\"職員13\",\"K14\",\"職員14\",\"K15\",\"職員15\",\"K16\",\"職員16\""));
}

TEST(MonthTypeValues, DayIndicesPastAThirtyDayMonthAnswerEmpty) {
    lum::KeitaiReport k;
    k.Table = lum::BuildKeitaiRows(juneResults());
    k.Month.Set(2002, 6);
    k.Texts = lum::ReportTexts::Of(QDateTime(QDate(2002, 7, 2), QTime(9, 0)), k.Month.UseMonth);
    k.Facility = QStringLiteral("みどり苑");
    k.Legend.Fill(staffOf(2));
    const auto text = [&](const char* name, lum::KeitaiRecords r) { return k.Value(QString::fromLatin1(name), r)->toString(); };
    for (const char* name : {"Kigou", "Funn", "STime", "Week", "DayStr"})
        EXPECT_EQ(text(name, {0, 30, 30, 30}), QString()) << name;
    EXPECT_EQ(text("Kigou", {0, 29, 29, 29}), QStringLiteral("高"));
    EXPECT_EQ(text("Funn", {0, 0, 2, 0}), QStringLiteral("60"));
    EXPECT_EQ(text("STime", {0, 0, 2, 0}), QStringLiteral("0900"));
    EXPECT_EQ(text("Week", {0, 0, 0, 0}), QStringLiteral("土")) << "1 June 2002 was a Saturday";
    EXPECT_EQ(text("DayStr", {0, 8, 0, 0}), QStringLiteral(" 9"));
    EXPECT_EQ(text("KFunnSum", {0, 0, 0, 2}), QStringLiteral("2"));
    EXPECT_EQ(text("KTimeSum", {0, 0, 0, 2}), QStringLiteral("120"));
    EXPECT_EQ(text("TotalCntSum", {}), QStringLiteral("4"));
    EXPECT_EQ(text("TotalTimeSum", {}), QStringLiteral("230"));
    EXPECT_EQ(text("Keitai", {1, 0, 0, 0}), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(text("CntKei", {0, 0, 0, 0}), QStringLiteral("2"));
    EXPECT_EQ(text("TimeKei", {0, 0, 0, 0}), QStringLiteral("130"));
    EXPECT_EQ(text("Kaishibi", {0, 0, 0, 0}), QStringLiteral("H14.04.01"));
    EXPECT_EQ(text("CureNo", {2, 0, 0, 0}), QStringLiteral("00000002 佐藤,花子"));
    EXPECT_EQ(text("Jishibi", {}), QStringLiteral("平成14年06月度"));
    EXPECT_EQ(text("Sakuseibi", {}), QStringLiteral("平成14年07月02日"));
    EXPECT_EQ(text("Home", {}), QStringLiteral("みどり苑"));
    EXPECT_EQ(text("TkName2", {}), QStringLiteral("職員2"));
    EXPECT_FALSE(k.Value(QStringLiteral("Unknown"), {}).has_value());

    lum::ScheduleTypeReport g;
    g.Grid = lum::BuildScheduleTypeGrid(juneResults());
    g.Month = k.Month;
    g.Texts = k.Texts;
    const auto gridText = [&](const char* name, lum::GridRecords r) { return g.Value(QString::fromLatin1(name), r)->toString(); };
    for (const char* name : {"Kigou", "Week", "DayStr"}) EXPECT_EQ(gridText(name, {0, 30, 30, 30}), QString()) << name;
    EXPECT_EQ(gridText("Jishibi", {}), QStringLiteral("平成14年06月")) << "without 度";
    EXPECT_EQ(gridText("Sum", {0, 0, 0, 2}), QStringLiteral("1"));
    EXPECT_EQ(gridText("Shokei", {0, 0, 0, 0}), QStringLiteral("2"));
    EXPECT_FALSE(g.Value(QStringLiteral("Funn"), {}).has_value());
}

}  // namespace
