#include "demo_urin_plans.h"

#include "plans/blob_document_store.h"
#include "plans/document_kinds.h"
#include "plans/urin_plan_record.h"
#include "plans/urin_pract_record.h"
#include "demo_phrases.h"

#include <QStringList>

namespace lum::setup {
namespace {

const DemoPhraseList kPhrases[] = {
    {"UrinPlan", 1, {u"在宅復帰", u"身体機能の維持・向上", u"介護負担の軽減", u"家族の休息", u"看取り"}},
    {"UrinPlan", 2, {u"転倒歴あり", u"夜間不穏あり", u"義歯使用", u"難聴あり（左）"}},
    {"UrinPlan", 3, {u"血圧180以上で訓練中止", u"右肩の過度な挙上を避ける", u"骨粗鬆症のため過負荷に注意"}},
    {"UrinYobou", 0, {u"理学療法士", u"作業療法士", u"言語聴覚士", u"看護師"}},
    {"UrinYobou", 2, {u"高血圧症", u"糖尿病", u"右大腿骨頸部骨折"}},
    {"UrinYobou", 3, {u"Ｔ字杖", u"四点杖", u"シルバーカー", u"歩行器"}},
    {"UrinYobou", 4, {u"右膝 ＶＡＳ 3/10", u"腰部 ＶＡＳ 5/10"}},
    {"UrinYobou", 5, {u"一人で買い物に行きたい", u"旅行に行きたい", u"畑仕事を続けたい"}},
    {"UrinYobou", 6, {u"血圧160以上で運動中止", u"息切れに注意", u"膝の痛みの増強に注意"}},
    {"UrinYobou", 7, {u"散歩", u"自主トレーニング", u"嚥下体操"}},
    {"UrinYobou", 8, {u"屋外歩行300m連続", u"階段昇降の見守り"}},
    {"UrinYobou", 9, {u"自宅周辺の屋外歩行自立", u"通所の継続"}},
    {"UrinYobou", 10, {u"歩行速度が改善", u"片足立ち時間が延長"}},
    {"UrinYobou", 11, {u"ボルグ11-13", u"軽め"}},
    {"UrinYobou", 12, {u"休憩を挟み3セット", u"インターバル"}},
};

QString phrase(const char* program, int code, int index) { return demoPhrase(kPhrases, program, code, index); }

// Texts of exactly n stored bytes: full-width for even counts.
QString fullWidth(int bytes, char16_t c) { return QString(bytes / 2, QChar(c)); }

TUrinPlan planBody(TUrinPlan p, TDateTime made, int variant, int staff) {
    p.Purpose[0] = phrase("UrinPlan", 1, variant);
    if (variant % 2) p.Purpose[1] = phrase("UrinPlan", 1, variant + 1);
    p.NyushoKiou = variant % 3 == 0;
    p.TankiKasann = variant % 2 == 0;
    if (p.TankiKasann) p.TankiKasannTo = made.addDays(90);
    p.NinchiKasann = variant % 4 == 1;
    if (p.NinchiKasann) p.NinchiKasannTo = made.addDays(90);
    p.HDSR = QString::number(18 + variant % 12);
    p.SpacialMemo = phrase("UrinPlan", 2, variant) + QStringLiteral("\n") + phrase("UrinPlan", 2, variant + 1);
    p.KinkiMemo = phrase("UrinPlan", 3, variant);
    p.Rihabi = staff;
    return p;
}

}  // namespace

// Every entry at its limit: the printout must hold them whole.
TUrinPlan urinPlanAtLimits(TUrinPlan p, TDateTime made, int staff) {
    for (int i = 0; i < 4; ++i) p.Purpose[i] = fullWidth(48, u"目標在宅"[i]);
    p.NyushoKiou = p.TankiKasann = p.NinchiKasann = true;
    p.TankiKasannTo = made.addDays(90);
    p.NinchiKasannTo = made.addDays(60);
    p.HDSR = QStringLiteral("２８．５");  // 8 bytes
    p.SpacialMemo = fullWidth(510, u'特');
    p.KinkiMemo = fullWidth(508, u'禁') + QStringLiteral("\n");  // 510 bytes with the CR LF
    p.Rihabi = staff;
    return p;
}

namespace {

TUrinPract practBody(TUrinPract p, int variant, int staff) {
    p.Sakusei = staff;
    p.Shokushu = phrase("UrinYobou", 0, variant);
    p.PastDiagnose = phrase("UrinYobou", 2, variant);
    p.AkuryokuR = QString::number(16 + variant % 8) + QStringLiteral(".5");
    p.AkuryokuL = QString::number(14 + variant % 7) + QStringLiteral(".0");
    p.StandR = QString::number(5 + variant % 10);
    p.StandL = QString::number(3 + variant % 9);
    p.TUG1 = QString::number(10 + variant % 6) + QStringLiteral(".2");
    p.TUG2 = QString::number(9 + variant % 6) + QStringLiteral(".8");
    p.Stand30Str = variant % 2 ? QStringLiteral("手すり使用") : QString();
    p.Stand30 = QString::number(8 + variant % 7);
    p.MaxWalk1 = QString::number(7 + variant % 5) + QStringLiteral(".4");
    p.MaxWalk2 = QString::number(7 + variant % 4) + QStringLiteral(".1");
    p.HelpGoods = phrase("UrinYobou", 3, variant);
    p.HDS_R = QString::number(20 + variant % 10);
    p.Itami = phrase("UrinYobou", 4, variant);
    p.SelfHope = phrase("UrinYobou", 5, variant);
    p.ExeWarning = phrase("UrinYobou", 6, variant);
    p.ShortTarget = phrase("UrinYobou", 8, variant);
    p.TotalTarget = phrase("UrinYobou", 9, variant);
    p.Hyuka = phrase("UrinYobou", 10, variant);
    for (int i = 0; i < 11; ++i) p.Programme[static_cast<size_t>(i)] = (i + variant) % 3 == 0;
    if (p.Programme[10]) p.SonotaText = phrase("UrinYobou", 7, variant);
    p.Kaisu = QString::number(1 + variant % 3);
    p.kobetsu = QStringLiteral("1");
    p.Shuudan = QString::number(variant % 3);
    p.Jikan = QString::number(20 + 10 * (variant % 3));
    p.Fuka = phrase("UrinYobou", 11, variant);
    p.Fukahow = phrase("UrinYobou", 12, variant);
    return p;
}

}  // namespace

TUrinPract urinPractAtLimits(TUrinPract p, int staff) {
    p.Sakusei = staff;
    p.Shokushu = fullWidth(28, u'職');
    for (QString* s : {&p.AkuryokuR, &p.AkuryokuL, &p.StandR, &p.StandL, &p.TUG1, &p.TUG2, &p.Stand30, &p.MaxWalk1,
                       &p.MaxWalk2, &p.HDS_R, &p.Kaisu, &p.kobetsu, &p.Shuudan, &p.Jikan})
        *s = QStringLiteral("12345678");
    for (QString* s : {&p.Stand30Str, &p.Fuka, &p.Fukahow}) *s = fullWidth(28, u'負');
    p.HelpGoods = fullWidth(38, u'杖');
    p.SonotaText = fullWidth(38, u'他');
    for (QString* s : {&p.PastDiagnose, &p.Itami, &p.SelfHope, &p.ExeWarning, &p.ShortTarget, &p.TotalTarget, &p.Hyuka})
        *s = fullWidth(510, u'記');
    p.Programme.fill(true);
    return p;
}


DemoUrinPlans writeDemoUrinPlans(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                                 const std::vector<int>& staffCodes) {
    writeDemoPhrases(db, kPhrases, TDateTime::fromDate(today.addMonths(-4)));
    const BlobDocumentStore plans(db, documentKind(DocumentId::UrinPlan));
    const BlobDocumentStore preventive(db, documentKind(DocumentId::UrinPract));
    DemoUrinPlans written;
    auto staff = [&](int i) { return staffCodes.empty() ? -1 : staffCodes[static_cast<size_t>(i) % staffCodes.size()]; };
    const QDate month(today.year(), today.month(), 1);
    // Rehabilitation plans: clients 8 to 13; the first also has one three
    // months before, the last has every text at its limit.
    for (int i = 8; i < 14 && i < static_cast<int>(clients.size()); ++i) {
        const TPerson& c = clients[static_cast<size_t>(i)];
        for (int earlier = i == 8 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const TDateTime made = TDateTime::fromDate(month.addDays(-3 * (i - 8)).addMonths(-earlier));
            const TUrinPlan head = newUrinPlan(c, made);
            const TUrinPlan p = i == 13 ? urinPlanAtLimits(head, made, staff(i)) : planBody(head, made, i + earlier, staff(i));
            plans.save(c.CureNo, made, encodeUrinPlan(p), false);
            ++written.plans;
        }
    }
    // Preventive-care plans: clients 14 to 19 likewise.
    for (int i = 14; i < 20 && i < static_cast<int>(clients.size()); ++i) {
        const TPerson& c = clients[static_cast<size_t>(i)];
        for (int earlier = i == 14 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const TDateTime day = TDateTime::fromDate(month.addDays(-2 * (i - 14)).addMonths(-earlier));
            const TUrinPract head = newUrinPract(c, day);
            const TUrinPract p = i == 19 ? urinPractAtLimits(head, staff(i)) : practBody(head, i + earlier, staff(i));
            preventive.save(c.CureNo, day, encodeUrinPract(p), false);
            ++written.preventive;
        }
    }
    return written;
}

}  // namespace lum::setup
