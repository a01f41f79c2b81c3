// What "PracticePlan.frf" is told for a plan: the table cells by the current
// records of the two table sources (blank lines at records 4 and 14 of the
// first), the texts, flags and header, and the team names.
#include "plans/practice_plan_values.h"

#include <gtest/gtest.h>

namespace {

using lum::ExprValue;
using lum::TDateTime;
using lum::TPracticePlan;

TPracticePlan plan() {
    TPracticePlan p;
    p.PlanDate = TDateTime::fromYmd(2024, 1, 31);
    p.UserName = QStringLiteral("山田花子");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.Old = 83;
    p.Kaigodo = 4;
    p.HomeBox = true;
    p.EtcEdit = QStringLiteral("施設");
    p.Remark = QStringLiteral("備考");
    p.Kango1 = QStringLiteral("看護");
    for (int number : lum::PracticeRowNumbers) {
        lum::TPracticeRow& r = p.row(number);
        for (int c = 0; c < 5; ++c) r.ABC[size_t(c)] = QStringLiteral("r%1c%2").arg(number).arg(c);
        r.Goods = QStringLiteral("g%1").arg(number);
        r.Kaigo = QStringLiteral("k%1").arg(number);
        r.Time = QStringLiteral("t%1").arg(number);
        r.Special = number % 3;
    }
    p.Team[0] = 3;
    p.Team[12] = 99;
    return p;
}

QString text(const TPracticePlan& p, const QString& name, int first = 0, int second = 0) {
    const lum::PracticePlanPrint print{p, first, second, [](int code) {
                                           return code == 3 ? QStringLiteral("佐藤　一郎") : QString();
                                       }};
    const std::optional<ExprValue> v = lum::practicePlanValue(print, name);
    return v ? v->toString() : QStringLiteral("<none>");
}

TEST(PracticePlanValues, TableCellsFollowTheRecordsOfTheTwoSources) {
    const TPracticePlan p = plan();
    struct Case {
        int first, second;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {0, 0, "ABC01", "r0c0"},   {0, 0, "ABC05", "r0c4"},   {0, 0, "Goods0", "g0"},     {0, 0, "Spacial0", " "},
        {4, 0, "ABC03", " "},      {4, 0, "Goods0", " "},     {4, 0, "Kaigo0", " "},      {4, 0, "Time0", " "},
        {4, 0, "Spacial0", " "},   {5, 0, "ABC01", "r4c0"},   {5, 0, "Kaigo0", "k4"},     {5, 0, "Spacial0", "○"},
        {13, 0, "ABC05", "r12c4"}, {13, 0, "Time0", "t12"},   {13, 0, "Spacial0", " "},   {14, 0, "ABC01", " "},
        {14, 0, "Goods0", " "},    {0, 0, "ABC11", "r20c0"},  {0, 0, "Spacial1", "◎"},    {0, 0, "Goods1", "g20"},
        {0, 7, "ABC15", "r27c4"},  {0, 7, "Time1", "t27"},    {0, 7, "Kaigo1", "k27"},    {0, 7, "Spacial1", " "},
        {0, 8, "ABC11", " "},      {3, 0, "Spacial0", " "},
        // The item names of the rows, blank on the blank lines.
        {0, 0, "Item0", "トイレへの移動"}, {3, 0, "Item0", "屋外移動"}, {4, 0, "Item0", " "},
        {5, 0, "Item0", "食事"},   {13, 0, "Item0", "外出"},  {14, 0, "Item0", " "},  {0, 7, "Item1", "摂食・嚥下"},
        // Names with no cell of their own are one blank.
        {0, 0, "ABC00", " "},      {0, 0, "ABC06", " "},      {0, 0, "ABC19", " "},       {0, 0, "ABC21", " "},
        {0, 0, "ABC0x", " "},      {0, 0, "ABC", " "},        {0, 0, "ABC011", " "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(p, QString::fromLatin1(c.name), c.first, c.second), QString::fromUtf8(c.value))
            << c.name << " at " << c.first << "/" << c.second;
    }
}

TEST(PracticePlanValues, HeaderTextsFlagsAndTeam) {
    TPracticePlan p = plan();
    EXPECT_EQ(text(p, "UserName"), QStringLiteral("山田花子"));
    EXPECT_EQ(text(p, "Sex"), QStringLiteral("女性"));
    EXPECT_EQ(text(p, "Old"), QStringLiteral("83"));
    EXPECT_EQ(text(p, "Birth"), QStringLiteral("昭和15年04月01日"));
    EXPECT_EQ(text(p, "PractDay"), QStringLiteral("令和06年01月31日"));
    EXPECT_EQ(text(p, "Kaigodo"), QStringLiteral("要介護3"));
    EXPECT_EQ(text(p, "EtcEdit"), QStringLiteral("施設"));
    EXPECT_EQ(text(p, "ReMark"), QStringLiteral("備考"));
    EXPECT_EQ(text(p, "Kango1"), QStringLiteral("看護"));
    EXPECT_EQ(text(p, "HDSR"), QStringLiteral(" "));
    EXPECT_EQ(text(p, "TeamBox1"), QStringLiteral("佐藤　一郎"));
    EXPECT_EQ(text(p, "TeamBox2"), QStringLiteral(" "));    // -1: none
    EXPECT_EQ(text(p, "TeamBox13"), QString());            // a code no longer in the list
    EXPECT_EQ(text(p, "Unknown"), QStringLiteral("<none>"));
    const lum::PracticePlanPrint print{p, 0, 0, {}};
    EXPECT_TRUE(lum::practicePlanValue(print, "HomeBox")->type() == ExprValue::Type::Boolean);
    EXPECT_TRUE(lum::practicePlanValue(print, "HomeBox")->toBool());
    EXPECT_FALSE(lum::practicePlanValue(print, "Sonota")->toBool());
    p.HDSR = 7;
    p.Kaigodo = -1;
    p.Birth = TDateTime();
    EXPECT_EQ(text(p, "HDSR"), QStringLiteral("7"));
    EXPECT_EQ(text(p, "Kaigodo"), QString());
    EXPECT_EQ(text(p, "Birth"), QStringLiteral(" "));
}

}  // namespace
