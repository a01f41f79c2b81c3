#include "demo_plans.h"

#include "plans/body_chart_model.h"
#include "plans/cure_plan_values.h"
#include "plans/plan_store.h"
#include "demo_phrases.h"

namespace lum::setup {
namespace {

const DemoPhraseList kPhrases[] = {
    {"CurePlan", 1, {u"肩関節屈曲制限あり", u"膝関節伸展制限あり", u"足関節背屈制限あり"}},
    {"CurePlan", 2, {u"随意性低下", u"分離運動困難", u"共同運動パターン"}},
    {"CurePlan", 3, {u"下肢筋力低下", u"握力低下", u"体幹筋力低下"}},
    {"CurePlan", 4, {u"腰痛あり", u"膝の痛みあり", u"肩の痛みあり"}},
    {"CurePlan", 5, {u"眼鏡使用", u"白内障あり"}},
    {"CurePlan", 6, {u"補聴器使用", u"大きな声で聞き取り可"}},
    {"CurePlan", 7, {u"家族の協力が得られる", u"自宅復帰を希望", u"趣味は園芸"}},
    {"CurePlan", 10, {u"簡単な会話は可能", u"喚語困難あり"}},
    {"CurePlan", 11, {u"物品の使用に誤りあり", u"左半側空間無視"}},
    {"CurePlan", 20, {u"柵につかまれば可能"}},
    {"CurePlan", 21, {u"背もたれがあれば保持可能"}},
    {"CurePlan", 22, {u"手すりを使用"}},
    {"CurePlan", 23, {u"見守りで可能"}},
    {"CurePlan", 24, {u"杖歩行", u"歩行器使用", u"車椅子自走"}},
    {"CurePlan", 25, {u"ポータブルトイレ使用", u"オムツ使用"}},
    {"CurePlan", 26, {u"自助具で自立", u"刻み食"}},
    {"CurePlan", 27, {u"機械浴", u"一般浴で見守り"}},
    {"CurePlan", 28, {u"上衣は自立", u"下衣は介助"}},
    {"CurePlan", 29, {u"筆談で可能", u"ジェスチャーで可能"}},
    {"CurePlan", 40, {u"高次脳機能障害の疑いあり", u"むくみあり"}},
    {"CurePlan", 50, {u"歩行が不安定", u"立ち上がりに介助が必要", u"活動量の低下", u"転倒の危険"}},
    {"CurePlan", 51, {u"屋内杖歩行の自立", u"トイレ動作の自立", u"離床時間の延長", u"転倒予防"}},
    {"CurePlan", 52, {u"平行棒内歩行訓練", u"立ち上がり訓練", u"関節可動域訓練", u"筋力増強訓練", u"バランス訓練",
          u"ＡＤＬ訓練（トイレ動作）"}},
    {"CurePlan", 60, {u"血圧に注意", u"過負荷に注意", u"転倒に注意"}},
};

QString phrase(int code, int index) { return demoPhrase(kPhrases, "CurePlan", code, index); }

TPlan planFor(const TPerson& c, TDateTime start, int variant) {
    TPlan p = newPlanOf(c);
    p.PlanRegistDay = start;
    p.PlanEndDay = DefaultEndDate(start);
    PlanBody& b = p.Body;
    b.Kansetsu = 1;
    b.MahiUp = variant % 2;
    b.MahiUpDetail = variant % 2 ? 3 + variant % 3 : 0;
    b.Kinryoku = 1;
    b.Itami = variant % 3 == 0 ? 1 : 0;
    b.ImpairmentComments[0] = phrase(1, variant);
    if (b.MahiUp) b.ImpairmentComments[1] = phrase(2, variant);
    b.ImpairmentComments[4] = phrase(3, variant);
    if (b.Itami) b.ImpairmentComments[5] = phrase(4, variant);
    b.EtcMemo = phrase(40, variant) + QStringLiteral("\n") + QStringLiteral("朝夕の更衣に時間がかかる");
    b.Shitsugo = variant % 4 == 1 ? 1 : 0;
    if (b.Shitsugo) b.ShitsugoComment = phrase(10, variant);
    b.Behaviours[3] = variant % 5 == 2;  // 徘徊
    b.Behaviours[9] = variant % 2 == 0;  // 自発性低下
    for (int i = 0; i < 10; ++i) {
        b.DailyLife[i] = (i + variant) % 3;
        if (b.DailyLife[i] > 0) b.DailyLifeComments[i] = phrase(20 + i, variant);
    }
    b.Sonota = phrase(7, variant) + QStringLiteral("。") + phrase(7, variant + 1) + QStringLiteral("。");
    for (int k = 0; k < 3; ++k) {
        b.Mondaiten[k] = phrase(50, variant + k);
        b.Mokuhyo[k] = phrase(51, variant + k);
    }
    // Six programme lines: the monthly medical records print them all.
    for (int k = 0; k < 6; ++k) b.Program[k] = phrase(52, variant + k);
    b.DrMemo = phrase(60, variant);
    return p;
}

BodyChart chartFor(int variant) {
    BodyChart chart;
    ChartSideModel& front = chart.side(ChartSide::Front);
    ChartSideModel& back = chart.side(ChartSide::Back);
    front.marks[0] = {{24 + variant % 3, 30}, {66, 170}};       // shoulder, knee
    front.marks[1] = {{40, 140 + variant % 4}};                 // thigh
    if (variant % 3 == 0) back.marks[2] = {{44, 86}};           // low back pain
    if (variant % 2) front.overlays[static_cast<int>(Corner::UpperLeft)] = true;
    if (variant % 4 == 1) front.overlays[static_cast<int>(Corner::LowerLeft)] = true;
    if (variant % 2) back.overlays[static_cast<int>(Corner::UpperRight)] = true;
    back.marks[0] = {{70, 40}};
    return chart;
}

}  // namespace

int writeDemoPlans(db::Database& db, const std::vector<TPerson>& clients, QDate today, const QString& creator) {
    writeDemoPhrases(db, kPhrases, TDateTime::fromDate(today.addMonths(-4)));
    const PlanStore store(db);
    int written = 0;
    // Four clients in five have a plan, most begun in the last three months;
    // one in ten has only a plan of four to five months ago, overdue for
    // the plan deadlines; the fifth has none, so the records' "no plan"
    // message can be seen too.
    for (int i = 0; i < static_cast<int>(clients.size()); ++i) {
        if (i % 5 == 4) continue;
        const TPerson& c = clients[static_cast<size_t>(i)];
        const QDate monthStart(today.year(), today.month(), 1);
        const QDate start = i % 10 == 3 ? monthStart.addMonths(-4).addDays(-9 * (i % 4))
                                        : monthStart.addDays(-7 * (i % 12));
        // The first client also has the plan of three months before.
        for (int earlier = i == 0 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const TDateTime day = TDateTime::fromDate(start.addMonths(-earlier));
            const int planNo = store.AppendPlanRow(planFor(c, day, i + written), creator, day);
            store.SaveFigures(planNo, figureRows(chartFor(i + written)));
            ++written;
        }
    }
    return written;
}

}  // namespace lum::setup
