#include "demo_conference_surveys.h"

#include "plans/before_conference_record.h"
#include "plans/blob_document_store.h"
#include "plans/document_kinds.h"
#include "demo_phrases.h"

namespace lum::setup {
namespace {

constexpr const char* kProgram = "BfConfer";

const DemoPhraseList kPhrases[] = {
    {kProgram, 0, {u"血圧・体温安定", u"食欲良好、体重維持", u"微熱が続いている"}},
    {kProgram, 1, {u"高血圧症：内服でコントロール良好", u"糖尿病：インスリン自己注射", u"心不全：水分制限あり"}},
    {kProgram, 2, {u"歩いて家に帰りたい", u"一人でトイレに行けるようになりたい", u"畑仕事を続けたい"}},
    {kProgram, 3, {u"自宅で一緒に暮らしたい", u"転ばないようにしてほしい", u"車椅子への移乗ができるように"}},
    {kProgram, 4, {u"右片麻痺", u"左下肢筋力低下", u"バランス不良"}},
    {kProgram, 5, {u"右上下肢のしびれ", u"視力低下"}},
    {kProgram, 6, {u"注意障害", u"失語（運動性）"}},
    {kProgram, 7, {u"右肩関節の可動域制限", u"両膝の屈曲拘縮"}},
    {kProgram, 8, {u"右膝の荷重時痛", u"腰痛"}},
    {kProgram, 9, {u"嚥下機能の低下", u"難聴（左）"}},
    {kProgram, 10, {u"短期記憶の低下", u"ＨＤＳ－Ｒ　18点"}},
    {kProgram, 11, {u"３か月後", u"半年後"}},
    {kProgram, 12, {u"自宅", u"長男宅", u"グループホーム"}},
    {kProgram, 13, {u"特別養護老人ホーム　さくら苑"}},
    {kProgram, 14, {u"介護老人保健施設　みどりの郷"}},
    {kProgram, 15, {u"療養病院　あおば"}},
    {kProgram, 16, {u"屋内歩行の自立を目標に個別リハを週３回行う。", u"家族へ介助方法を指導する。", u"退所前訪問を予定する。"}},
};

QString phrase(int code, int index) { return demoPhrase(kPhrases, kProgram, code, index); }

// Texts of exactly n stored bytes: full-width for even counts.
QString fullWidth(int bytes, char16_t c) { return QString(bytes / 2, QChar(c)); }

TBeforeConference surveyBody(TBeforeConference b, int variant, int staff) {
    b.Health = phrase(0, variant);
    b.Gapeisho = phrase(1, variant);
    b.HonninHope = phrase(2, variant);
    b.KazokuHope = phrase(3, variant);
    b.Taisho = variant % 2 == 0;
    if (b.Taisho) b.TaishoText = phrase(11, variant);
    b.TaishoSaki = variant % 3 != 1;
    if (b.TaishoSaki) b.TaishoTo = phrase(12, variant);
    b.Tashisetsu = variant % 3 == 1;
    if (b.Tashisetsu) {
        b.Tokuyou = phrase(13, 0);
        b.Rouken = phrase(14, 0);
    }
    bool* flags[7] = {&b.Undou, &b.Kankaku, &b.KoujiNou, &b.Koushuku, &b.Kansetsu, &b.Sonota, &b.Ninchi};
    QString* notes[7] = {&b.UndouText, &b.KankakuText, &b.KoujiNouText, &b.KoushukuText, &b.KansetsuText,
                         &b.SonotaText, &b.NinchiText};
    for (int i = 0; i < 7; ++i) {
        *flags[i] = (i + variant) % 3 == 0;
        if (*flags[i]) *notes[i] = phrase(4 + i, variant);
    }
    b.Kentou = phrase(16, variant) + QStringLiteral("\n") + phrase(16, variant + 1);
    b.Dr = staff;
    b.Care = variant % 2 ? staff : -1;
    b.Rihabi = staff;
    return b;
}

}  // namespace

// Every text at its limit: the printout must hold them whole.
TBeforeConference surveyAtLimits(TBeforeConference b, int staff) {
    for (QString* s : {&b.Health, &b.Gapeisho, &b.HonninHope, &b.KazokuHope, &b.UndouText, &b.KankakuText,
                       &b.KoujiNouText, &b.KoushukuText, &b.KansetsuText, &b.SonotaText, &b.NinchiText})
        *s = fullWidth(254, u'記');
    for (QString* s : {&b.TaishoText, &b.TaishoTo, &b.Tokuyou, &b.Rouken, &b.Ryoyou}) *s = fullWidth(48, u'先');
    b.Taisho = b.TaishoSaki = b.Tashisetsu = true;
    b.Undou = b.Kankaku = b.KoujiNou = b.Koushuku = b.Kansetsu = b.Sonota = b.Ninchi = true;
    b.Kentou = fullWidth(1022, u'検');
    b.Dr = b.Care = b.Eiyou = b.Kaigo = b.Rihabi = staff;
    return b;
}


int writeDemoConferenceSurveys(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                               const std::vector<int>& staffCodes) {
    writeDemoPhrases(db, kPhrases, TDateTime::fromDate(today.addMonths(-4)));
    const BlobDocumentStore store(db, documentKind(DocumentId::BeforeConf));
    auto staff = [&](int i) { return staffCodes.empty() ? -1 : staffCodes[static_cast<size_t>(i) % staffCodes.size()]; };
    const QDate month(today.year(), today.month(), 1);
    int written = 0;
    // Clients 20 to 25; the first also has one three months before, the last
    // has every text at its limit.
    for (int i = 20; i < 26 && i < static_cast<int>(clients.size()); ++i) {
        const TPerson& c = clients[static_cast<size_t>(i)];
        for (int earlier = i == 20 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const TDateTime day = TDateTime::fromDate(month.addDays(-2 * (i - 20) - 1).addMonths(-earlier));
            const TBeforeConference head = newBeforeConference(c, day);
            const TBeforeConference b = i == 25 ? surveyAtLimits(head, staff(i)) : surveyBody(head, i + earlier, staff(i));
            store.save(c.CureNo, day, encodeBeforeConference(b), false);
            ++written;
        }
    }
    return written;
}

}  // namespace lum::setup
