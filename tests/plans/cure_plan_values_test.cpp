// The treatment plan's template answers and its default end date, without a
// report or a window.
#include "plans/cure_plan_values.h"

#include <gtest/gtest.h>

namespace {

using lum::ExprValue;
using lum::TDateTime;

TEST(CurePlanValues, DefaultEndDate) {
    struct Case {
        TDateTime start, end;
    } cases[] = {
        {TDateTime::fromYmd(2024, 1, 31), TDateTime::fromYmd(2024, 4, 29)},  // 30 April, minus one day
        {TDateTime::fromYmd(2024, 11, 30), TDateTime::fromYmd(2025, 2, 27)},
        {TDateTime::fromYmd(2023, 12, 1), TDateTime::fromYmd(2024, 2, 29)},
        {TDateTime::fromYmd(2024, 4, 1), TDateTime::fromYmd(2024, 6, 30)},
        {TDateTime::fromYmdHms(2024, 5, 15, 13, 0), TDateTime::fromYmd(2024, 8, 14)},
    };
    for (const Case& c : cases) EXPECT_EQ(lum::DefaultEndDate(c.start), c.end) << c.start.toDateText().toStdString();
}

TEST(CurePlanValues, TemplateNames) {
    lum::TPlan plan;
    plan.CureNo = 12;
    plan.Name = QStringLiteral("山田　花子");
    plan.Sex = 1;
    plan.PlanRegistDay = TDateTime::fromYmd(2024, 1, 31);
    plan.RihaType = 2;
    plan.KubunCode = 1 | 8;
    plan.YOUKAIGO_KBN = -1;
    plan.Disease[5] = QStringLiteral("糖尿病");
    plan.Body.MahiUpDetail = 6;
    plan.Body.Kinryoku = 3;
    plan.Body.ImpairmentComments[0] = QStringLiteral("右肩");
    plan.Body.Behaviours[14] = true;
    plan.Body.DailyLife[9] = 2;
    plan.Body.DailyLifeComments[2] = QStringLiteral("手すり");
    plan.Body.Program[5] = QStringLiteral("歩行訓練");
    plan.Body.ShitsuninnComment = QStringLiteral("②");

    struct Case {
        const char* name;
        ExprValue value;
    } cases[] = {
        {"CureNo", ExprValue(12)},
        {"Name", ExprValue(QStringLiteral("山田　花子"))},
        {"Sex", ExprValue(QStringLiteral("女性"))},
        {"RegistDate", ExprValue(TDateTime::fromYmd(2024, 1, 31))},
        {"RihaType", ExprValue(QStringLiteral("通所リハビリ"))},
        {"Kaigodo", ExprValue(QString())},  // no care level
        {"Disease6", ExprValue(QStringLiteral("糖尿病"))},
        {"MUp", ExprValue(QStringLiteral("Ⅵ"))},
        {"KinRyuku", ExprValue(QStringLiteral("問題有"))},
        {"KansetuTxt", ExprValue(QStringLiteral("右肩"))},
        {"Shushu", ExprValue(true)},
        {"Sakuwa", ExprValue(false)},
        {"Ishisotsu", ExprValue(QStringLiteral("介助"))},
        {"TachiTxt", ExprValue(QStringLiteral("手すり"))},
        {"Program6", ExprValue(QStringLiteral("歩行訓練"))},
        {"ShitsuninTxt", ExprValue(QStringLiteral("②"))},
        {"Shisetsu", ExprValue(QStringLiteral("さくら苑"))},
    };
    for (const Case& c : cases) {
        const std::optional<ExprValue> v = lum::curePlanValue(plan, QStringLiteral("さくら苑"), QString::fromLatin1(c.name));
        ASSERT_TRUE(v) << c.name;
        EXPECT_EQ(*v, c.value) << c.name;
    }
    EXPECT_FALSE(lum::curePlanValue(plan, {}, QStringLiteral("PAGE#")));
    EXPECT_FALSE(lum::curePlanValue(plan, {}, QStringLiteral("Kinryoku")));  // the template says KinRyuku
}

TEST(CurePlanValues, MemoMarkers) {
    lum::TPlan plan;
    plan.Body.EtcMemo = QStringLiteral("a\nb");
    plan.Body.DrMemo = QStringLiteral("医師");
    EXPECT_EQ(lum::curePlanMemo(plan, QStringLiteral("[EtcMemo]")), QStringLiteral("a\nb"));
    EXPECT_EQ(lum::curePlanMemo(plan, QStringLiteral("[DrMemo]")), QStringLiteral("医師"));
    EXPECT_EQ(lum::curePlanMemo(plan, QStringLiteral("[Sonota]")), QString());
    EXPECT_FALSE(lum::curePlanMemo(plan, QStringLiteral("[Name]")));
}

}  // namespace
