#include "plans/plan_record.h"

#include "plans/record_fields.h"

namespace lum {
namespace {

namespace L = plan_layout;

constexpr int kImpairmentStride = 51;
constexpr int kImpairmentCapacity = 50;
constexpr int kMemoArea = 351;
constexpr int kSpeechCapacity = 60;
constexpr int kDailyStride = 81;
constexpr int kDailyCapacity = 80;
constexpr int kLongArea = 551;
constexpr int kLineStride = 41;
constexpr int kLineCapacity = 40;

// The twelve ratings at 0..44, in stored order.
template <typename Body>
auto ratings(Body& b) {
    return std::array{&b.Kansetsu, &b.MahiUp, &b.MahiDown, &b.MahiFin, &b.Kinryoku, &b.Itami, &b.Shiryoku,
            &b.LeftChoryoku, &b.RightChoryoku, &b.MahiUpDetail, &b.MahiDownDetail, &b.MahiFinDetail};
}

}  // namespace

QByteArray encodePlanData(const PlanBody& body) {
    record::Writer w(PlanDataSize);
    const auto r = ratings(body);
    for (int i = 0; i < 12; ++i) w.int32(4 * i, *r[i]);
    for (int i = 0; i < 9; ++i)
        w.shortString(L::ImpairmentComment + kImpairmentStride * i, kImpairmentCapacity, body.ImpairmentComments[i]);
    w.zeroText(L::EtcMemo, kMemoArea, body.EtcMemo);
    w.int32(L::Shitsugo, body.Shitsugo);
    w.int32(L::Shitsugo + 4, body.Shitsunin);
    for (int i = 0; i < 15; ++i) w.flag(L::Behaviours + i, body.Behaviours[i]);
    w.shortString(L::ShitsugoComment, kSpeechCapacity, body.ShitsugoComment);
    w.shortString(L::ShitsuninnComment, kSpeechCapacity, body.ShitsuninnComment);
    for (int i = 0; i < 10; ++i) {
        w.int32(L::DailyLife + 4 * i, body.DailyLife[i]);
        w.shortString(L::DailyLifeComment + kDailyStride * i, kDailyCapacity, body.DailyLifeComments[i]);
    }
    w.zeroText(L::Sonota, kLongArea, body.Sonota);
    for (int k = 0; k < 6; ++k) {
        w.shortString(L::Mondaiten + kLineStride * k, kLineCapacity, body.Mondaiten[k]);
        w.shortString(L::Mokuhyo + kLineStride * k, kLineCapacity, body.Mokuhyo[k]);
        w.shortString(L::Program + kLineStride * k, kLineCapacity, body.Program[k]);
    }
    w.zeroText(L::DrMemo, kLongArea, body.DrMemo);
    return w.bytes();
}

std::optional<PlanBody> decodePlanData(QByteArrayView bytes) {
    if (bytes.size() < PlanDataSize) return std::nullopt;
    const record::Reader r(bytes.first(PlanDataSize));
    PlanBody body;
    const auto rs = ratings(body);
    for (int i = 0; i < 12; ++i) *rs[i] = r.int32(4 * i);
    for (int i = 0; i < 9; ++i)
        body.ImpairmentComments[i] = r.shortString(L::ImpairmentComment + kImpairmentStride * i, kImpairmentCapacity);
    body.EtcMemo = r.zeroText(L::EtcMemo, kMemoArea);
    body.Shitsugo = r.int32(L::Shitsugo);
    body.Shitsunin = r.int32(L::Shitsugo + 4);
    for (int i = 0; i < 15; ++i) body.Behaviours[i] = r.flag(L::Behaviours + i);
    body.ShitsugoComment = r.shortString(L::ShitsugoComment, kSpeechCapacity);
    body.ShitsuninnComment = r.shortString(L::ShitsuninnComment, kSpeechCapacity);
    for (int i = 0; i < 10; ++i) {
        body.DailyLife[i] = r.int32(L::DailyLife + 4 * i);
        body.DailyLifeComments[i] = r.shortString(L::DailyLifeComment + kDailyStride * i, kDailyCapacity);
    }
    body.Sonota = r.zeroText(L::Sonota, kLongArea);
    for (int k = 0; k < 6; ++k) {
        body.Mondaiten[k] = r.shortString(L::Mondaiten + kLineStride * k, kLineCapacity);
        body.Mokuhyo[k] = r.shortString(L::Mokuhyo + kLineStride * k, kLineCapacity);
        body.Program[k] = r.shortString(L::Program + kLineStride * k, kLineCapacity);
    }
    body.DrMemo = r.zeroText(L::DrMemo, kLongArea);
    return body;
}

TPlan newPlanOf(const TPerson& client) {
    TPlan p;
    p.CureNo = client.CureNo;
    p.Name = client.Name;
    p.Sex = client.Sex;
    p.Birth = client.Birth;
    p.RihaType = client.RihaType;
    p.KubunCode = client.KubunCode;
    p.Jiritsu_KBN = client.Jiritsu_KBN;
    p.Ninchi_KBN = client.Ninchi_KBN;
    p.YOUKAIGO_KBN = client.YOUKAIGO_KBN;
    for (std::size_t i = 0; i < p.Disease.size(); ++i) p.Disease[i] = diseaseText(client.Disease[i]);
    return p;
}

}  // namespace lum
