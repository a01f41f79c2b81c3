#include "demo_conferences.h"

#include "plans/blob_document_store.h"
#include "plans/conference_record.h"
#include "plans/document_kinds.h"
#include "demo_phrases.h"

namespace lum::setup {
namespace {

// The window's five phrase lists: 評価及び経過, 目標, 到達時期, 看介護, リハビリ.
const DemoPhraseList kPhrases[] = {
    {"Conference", 0, {u"歩行は見守りで安定してきている。", u"移乗時のふらつきが減少した。", u"夜間のトイレ動作が自立した。",
                        u"右上肢の可動域が拡大した。"}},
    {"Conference", 1, {u"屋内歩行の自立", u"在宅復帰", u"トイレ動作の自立", u"車椅子への移乗の自立"}},
    {"Conference", 2, {u"1ヶ月", u"3ヶ月", u"6ヶ月", u"次回カンファレンスまで"}},
    {"Conference", 3, {u"移乗時の見守りを継続する。", u"夜間の排泄誘導を行う。", u"水分摂取を促す。"}},
    {"Conference", 4, {u"平行棒内歩行訓練", u"階段昇降訓練", u"ADL訓練（更衣・整容）", u"集団体操への参加"}},
};

QString phrase(int list, int index) { return demoPhrase(kPhrases, "Conference", list, index); }

TConference body(TConference c, int variant, const std::vector<int>& staff) {
    c.Hyouka = phrase(0, variant) + QStringLiteral("\n") + phrase(0, variant + 1);
    c.Target = variant % 2 == 0;
    c.Mokuhyou = phrase(1, variant);
    c.Toutatsu = phrase(2, variant);
    c.KankaiAriNasi = variant % 3 == 0;
    c.KanKaigo = phrase(3, variant);
    c.RihabiAriNasi = variant % 2 == 1;
    c.Rihabi = phrase(4, variant) + QStringLiteral("\n") + phrase(4, variant + 1);
    auto code = [&](int i) { return staff.empty() ? -1 : staff[static_cast<size_t>(i) % staff.size()]; };
    c.Dr = -1;  // no doctor on the staff list
    c.Care = code(variant + 6);
    c.Eiyou = variant % 2 ? code(7) : -1;
    c.KanKai = code(variant + 7);
    c.Rihabiri = code(variant);
    return c;
}

}  // namespace

// Every text at its limit: the printout must hold them whole.
TConference conferenceAtLimits(TConference c, const std::vector<int>& staff) {
    c = body(c, 1, staff);
    // 2047 full-width characters (4094 bytes), the last one marking the end.
    QString evaluation;
    while (evaluation.size() < 2046) evaluation += QStringLiteral("歩行は見守りで安定してきている。");
    c.Hyouka = evaluation.left(2046) + QStringLiteral("了");
    c.Mokuhyou = QString(127, QChar(u'目'));
    c.Toutatsu = QString(126, QChar(u'期')) + QStringLiteral("\n");  // 254 bytes with the CR LF
    c.KanKaigo = QString(127, QChar(u'看'));
    c.Rihabi = QString(127, QChar(u'訓'));
    return c;
}


int writeDemoConferences(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                         const std::vector<int>& staffCodes) {
    writeDemoPhrases(db, kPhrases, TDateTime::fromDate(today.addMonths(-4)));

    const BlobDocumentStore store(db, documentKind(DocumentId::Conference));
    int written = 0;
    // Clients 2 to 6: the first also has a conference three months before,
    // the last has every text at its limit.
    for (int i = 2; i < 7 && i < static_cast<int>(clients.size()); ++i) {
        const TPerson& c = clients[static_cast<size_t>(i)];
        for (int earlier = i == 2 ? 3 : 0; earlier >= 0; earlier -= 3) {
            const QDate day = today.addDays(-7 * (i - 1)).addMonths(-earlier);
            TConference conf = withNewHeader(TConference{}, c, TDateTime::fromDate(day));
            conf.FromDay = TDateTime::fromDate(day.addMonths(-3));
            conf.ToDay = TDateTime::fromDate(day);
            conf = i == 6 ? conferenceAtLimits(conf, staffCodes) : body(conf, i + earlier, staffCodes);
            store.save(c.CureNo, TDateTime::fromDate(day), encodeConference(conf), false);
            ++written;
        }
    }
    return written;
}

}  // namespace lum::setup
