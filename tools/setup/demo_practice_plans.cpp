#include "demo_practice_plans.h"

#include "plans/blob_document_store.h"
#include "plans/document_kinds.h"
#include "plans/practice_plan_record.h"
#include "demo_phrases.h"

#include <algorithm>

namespace lum::setup {
namespace {

const DemoPhraseList kPhrases[] = {
    {"Goods", 0, {u"Ｔ字杖", u"四点杖", u"短下肢装具", u"歩行器", u"車椅子", u"手すり", u"ポータブルトイレ", u"シャワーチェア"}},
    {"Kaigo", 0, {u"つたい歩き", u"手すりにつかまる", u"もたれて座る", u"声かけ", u"見守り", u"腰部を支える"}},
    {"PracticePlan", 0, {u"歩行訓練（週3回・20分）", u"起居動作訓練", u"ADL訓練（トイレ動作）", u"トイレ誘導時の見守り",
                         u"血圧150以上で訓練中止", u"右肩の過度な挙上を避ける"}},
    {"PracticePlan", 1, {u"脳梗塞（令和5年10月発症）", u"右大腿骨頸部骨折（術後）", u"廃用症候群"}},
    {"PracticePlan", 2, {u"高血圧：内服にてコントロール良好", u"糖尿病：食事療法中"}},
    {"PracticePlan", 3, {u"下肢筋力低下、持久力低下あり", u"臥床時間が長い"}},
    {"PracticePlan", 4, {u"右片麻痺", u"左下肢筋力低下"}},
    {"PracticePlan", 6, {u"注意障害", u"失語症（軽度）"}},
    {"PracticePlan", 7, {u"右肩関節", u"両膝関節"}},
    {"PracticePlan", 20, {u"洗濯物たたみ", u"食事の配膳"}},
    {"PracticePlan", 21, {u"老人会の行事", u"地域のサロン"}},
    {"PracticePlan", 22, {u"週1回の買い物（家族同伴）", u"通院（月1回）"}},
    {"PracticePlan", 23, {u"園芸、テレビ", u"書道"}},
    {"PracticePlan", 24, {u"通所リハビリ週2回", u"訪問介護"}},
    {"PracticePlan", 30, {u"自宅で一人でトイレに行けるようになりたい", u"また畑仕事がしたい"}},
    {"PracticePlan", 31, {u"日中の見守りが少なくて済むようにしてほしい", u"転ばないようにしてほしい"}},
    {"PracticePlan", 32, {u"趣味の園芸を続けられること", u"家族と食卓を囲むこと"}},
    {"PracticePlan", 33, {u"屋内歩行自立（杖使用）を目標とする", u"トイレ動作の自立を目標とする"}},
    {"PracticePlan", 34, {u"毎日の自主トレーニング（起立練習10回×3セット）", u"日中はベッドから離れて過ごす"}},
    {"PracticePlan", 35, {u"外出の機会を作ってください", u"自主トレーニングの声かけをお願いします"}},
    {"PracticePlan", 36, {u"血圧の変動に注意", u"低血糖症状に注意"}},
    {"PracticePlan", 37, {u"屋内歩行が見守りで可能となった", u"トイレ動作が一部介助から見守りとなった"}},
    {"PracticePlan", 38, {u"特になし", u"次回評価は3か月後"}},
};

QString phrase(const char* program, int code, int index) { return demoPhrase(kPhrases, program, code, index); }

// The level cells of a row: the goal (A) a column more independent than the
// ability (C) at first, both in one column once reached.
void levels(TPracticeRow& r, int ability, int goal, bool doing) {
    for (int c = 0; c < PracticeLevelColumns; ++c) {
        QString letters;
        if (c == goal) letters += u'A';
        if (doing && c == ability) letters += u'B';
        if (c == ability) letters += u'C';
        r.ABC[static_cast<size_t>(c)] = letters.isEmpty() ? QStringLiteral("　")
                                        : letters.size() == 3 ? QStringLiteral("AB\nC")
                                                              : letters;
    }
}

TPracticePlan planBody(TPracticePlan p, int variant, bool later, const std::vector<int>& staff) {
    p.GapeiMemo = phrase("PracticePlan", 2, variant);
    p.SeikatsuMemo = phrase("PracticePlan", 3, variant);
    p.Exercise = true;
    p.ExerciseMemo = phrase("PracticePlan", 4, variant);
    p.Brain = variant % 2 == 0;
    if (p.Brain) p.BrainMemo = phrase("PracticePlan", 6, variant);
    p.Koushuku = variant % 3 != 2;
    if (p.Koushuku) p.KoushukuMemo = phrase("PracticePlan", 7, variant);
    p.HDSR = 18 + variant % 10 + (later ? 2 : 0);
    p.HomeBox = variant % 3 != 1;
    p.EtcBox = !p.HomeBox;
    if (p.EtcBox) p.EtcEdit = QStringLiteral("サービス付き高齢者向け住宅");
    p.HomeWorkEdit = phrase("PracticePlan", 20, variant);
    p.SocialEdit = phrase("PracticePlan", 21, variant);
    p.GoOutEdit = phrase("PracticePlan", 22, variant);
    p.FreeTimeEdit = phrase("PracticePlan", 23, variant);
    p.TaiinEdit = phrase("PracticePlan", 24, variant);
    for (int number : PracticeRowNumbers) {
        TPracticeRow& r = p.row(number);
        const int ability = (number + variant) % 4 + (later && (number + variant) % 4 > 0 ? -1 : 0);
        const int goal = std::max(0, ability - 1);
        levels(r, ability, goal, number % 2 == 0);
        if (number == 4) {  // 食事: done alone, nothing to practise
            levels(r, 0, 0, false);
            continue;
        }
        if (number % 3 == 0) r.Goods = phrase("Goods", 0, number + variant);
        if (number == 2 || number == 26) r.Goods = phrase("Goods", 0, 0) + u'\n' + phrase("Goods", 0, 2);
        if (ability > 0) r.Kaigo = phrase("Kaigo", 0, number + variant);
        r.Time = ability > goal ? QStringLiteral(" %1ヵ月").arg(3 + 3 * (number % 2)) : QStringLiteral("　");
        r.Special = number == 0 || number == 26 ? 2 : number % 5 == 1 ? 1 : 0;
    }
    p.PTOTST0 = phrase("PracticePlan", 0, 0) + u'\n' + phrase("PracticePlan", 0, 2);
    p.Kango0 = phrase("PracticePlan", 0, 3);
    p.Jitchi0 = phrase("PracticePlan", 0, 4);
    p.PTOTST1 = phrase("PracticePlan", 0, 1);
    p.Kango1 = QStringLiteral("移乗時の介助（腰部を支える）");
    p.Jitchi1 = phrase("PracticePlan", 0, 5);
    p.SelfHope = phrase("PracticePlan", 30, variant);
    p.FarmilyHope = phrase("PracticePlan", 31, variant);
    p.LifePoint = phrase("PracticePlan", 32, variant);
    p.RihaTerget = phrase("PracticePlan", 33, variant);
    p.SelfDo = phrase("PracticePlan", 34, variant);
    p.AskFarmily = phrase("PracticePlan", 35, variant);
    p.DiseseCare = phrase("PracticePlan", 36, variant);
    if (later) p.Variation = phrase("PracticePlan", 37, variant);
    p.Remark = phrase("PracticePlan", 38, variant);
    // ＰＴ・ＯＴ・ＳＴ two therapists; 看護・介護 and その他 one each.
    auto code = [&](int i) { return staff.empty() ? -1 : staff[static_cast<size_t>(i) % staff.size()]; };
    p.Team[1] = code(variant);
    p.Team[2] = code(variant + 1);
    p.Team[5] = code(variant + 2);
    p.Team[9] = code(variant + 3);
    return p;
}

}  // namespace

int writeDemoPracticePlans(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                           const std::vector<int>& staffCodes) {
    writeDemoPhrases(db, kPhrases, TDateTime::fromDate(today.addMonths(-4)));
    const BlobDocumentStore store(db, documentKind(DocumentId::PracticePlan));
    int written = 0;
    // Clients 20 to 25; the first also has a plan three months before.
    for (int i = 20; i < 26 && i < static_cast<int>(clients.size()); ++i) {
        const TPerson& c = clients[static_cast<size_t>(i)];
        for (int earlier = i == 20 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const TDateTime day = TDateTime::fromDate(today.addDays(-4 * (i - 20) - 2).addMonths(-earlier));
            TPracticePlan p = planBody(newPracticePlan(c, day), i, earlier == 0 && i == 20, staffCodes);
            store.save(c.CureNo, day, encodePracticePlan(p), false);
            ++written;
        }
    }
    return written;
}

}  // namespace lum::setup
