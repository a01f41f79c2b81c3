// The two plans' template values, called without a report: each name the
// printout asks for, with blanks for dates and staff that are not there.
#include "plans/urin_plan_values.h"
#include "plans/urin_pract_values.h"

#include <gtest/gtest.h>

namespace {

using lum::ExprValue;
using lum::TDateTime;

QString staff(int code) { return code == 7 ? QStringLiteral("佐藤　理学") : QString(); }

TEST(UrinPlanValues, EveryNameOfTheTemplate) {
    lum::TUrinPlan p;
    p.Shimei = QStringLiteral("山田太郎");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1950, 3, 1);
    p.Old = 74;
    p.Kaigodo = 3;
    p.Disease[0] = QStringLiteral("脳梗塞");
    p.Purpose[3] = QStringLiteral("在宅復帰");
    p.Nyushobi = TDateTime::fromYmd(2023, 4, 1);
    p.NyushoKiou = true;
    p.TankiKasann = true;
    p.TankiKasannTo = TDateTime::fromYmd(2024, 8, 1);
    p.HDSR = QStringLiteral("25");
    p.SpacialMemo = QStringLiteral("一\n二");
    p.KinkiMemo = QStringLiteral("禁忌");
    p.Rihabi = 7;
    const lum::UrinPlanPrint print{p, TDateTime::fromYmd(2024, 5, 1), QStringLiteral("老健さくら"), staff};
    const std::pair<const char*, QString> cases[] = {
        {"Sisetsu", "老健さくら"},     {"Shimei", "山田太郎"},         {"Sex", "女性"},
        {"Kaigodo", "要介護2"},        {"Birth", "昭和25年03月01日"},   {"Old", "74"},
        {"Disease1", "脳梗塞"},        {"Disease6", ""},               {"Purpose4", "在宅復帰"},
        {"Nyushobi", "令和05年04月01日"}, {"Sakuseibi", "令和06年05月01日"}, {"NyushoKiou", "有り"},
        {"TankiKasann", "有り"},       {"NinchiKasann", "無し"},       {"TankiKasannTo", "令和06年08月01日"},
        {"NinchiKasannTo", " "},       {"HDSR", "25"},                 {"SpacialMemo", "一\n二"},
        {"KinkiMemo", "禁忌"},         {"Rihabi", "佐藤　理学"},
    };
    for (const auto& [name, value] : cases) {
        const std::optional<ExprValue> v = lum::urinPlanValue(print, QString::fromUtf8(name));
        ASSERT_TRUE(v) << name;
        EXPECT_EQ(v->toString(), value) << name;
    }
    EXPECT_FALSE(lum::urinPlanValue(print, QStringLiteral("Name")));
    EXPECT_FALSE(lum::urinPlanValue(print, QStringLiteral("Disease7")));
}

TEST(UrinPlanValues, NoDatesNoStaffAndCodesOutsideTheTablesPrintBlank) {
    lum::TUrinPlan p;  // no admission date, no staff, care level -1
    p.Sex = 9;
    lum::UrinPlanPrint print{p, TDateTime::fromYmd(2024, 5, 1), {}, staff};
    EXPECT_EQ(lum::urinPlanValue(print, "Nyushobi")->toString(), " ");
    EXPECT_EQ(lum::urinPlanValue(print, "TankiKasannTo")->toString(), " ");
    EXPECT_EQ(lum::urinPlanValue(print, "Rihabi")->toString(), " ");
    EXPECT_EQ(lum::urinPlanValue(print, "Kaigodo")->toString(), "");
    EXPECT_EQ(lum::urinPlanValue(print, "Sex")->toString(), "");
    p.Rihabi = 99;  // a code no longer in the staff list
    EXPECT_EQ(lum::urinPlanValue(print, "Rihabi")->toString(), "");
}

TEST(UrinPractValues, EveryNameOfTheTemplateWithTheProgrammeAsBooleans) {
    lum::TUrinPract p;
    p.Sakusei = 7;
    p.Shokushu = QStringLiteral("理学療法士");
    p.UserName = QStringLiteral("鈴木花子");
    p.Sex = 0;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.Old = 84;
    p.Kaigodo = 0;
    p.Diagnose = QStringLiteral("脳梗塞\n高血圧");
    p.Stand30Str = QStringLiteral("手すり使用");
    p.Stand30 = QStringLiteral("12");
    p.kobetsu = QStringLiteral("1");
    p.Hyuka = QStringLiteral("改善");
    p.Programme[0] = true;
    p.Programme[10] = true;
    p.SonotaText = QStringLiteral("散歩");
    const lum::UrinPractPrint print{p, TDateTime::fromYmd(2024, 5, 1), QStringLiteral("老健さくら"), staff};
    const std::pair<const char*, QString> cases[] = {
        {"HyoukaDay", "令和06年05月01日"}, {"Sakusei", "佐藤　理学"}, {"Shokushu", "理学療法士"},
        {"UserName", "鈴木花子"},          {"Sex", "男性"},           {"Birth", "昭和15年04月01日"},
        {"Old", "84"},                     {"Kaigodo", "要支援1"},     {"Diagnose", "脳梗塞\n高血圧"},
        {"Stand30Str", "手すり使用"},      {"Stand30", "12"},          {"kobetsu", "1"},
        {"Hyuka", "改善"},                 {"SonotaText", "散歩"},     {"Sisetsu", "老健さくら"},
    };
    for (const auto& [name, value] : cases) {
        const std::optional<ExprValue> v = lum::urinPractValue(print, QString::fromUtf8(name));
        ASSERT_TRUE(v) << name;
        EXPECT_EQ(v->toString(), value) << name;
    }
    for (int i = 0; i < 11; ++i) {
        const std::optional<ExprValue> v = lum::urinPractValue(print, lum::UrinPractProgrammeVariables[i]);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->type(), ExprValue::Type::Boolean);
        EXPECT_EQ(v->toBool(), i == 0 || i == 10) << lum::UrinPractProgrammeVariables[i];
    }
    p.Sakusei = -1;
    EXPECT_EQ(lum::urinPractValue(print, "Sakusei")->toString(), "");
    EXPECT_FALSE(lum::urinPractValue(print, "Shimei"));
}

}  // namespace
