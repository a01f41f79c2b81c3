#include "plans/urin_plan_record.h"

#include "plans/record_fields.h"

namespace lum {
namespace {

using P = TUrinPlan;

// Reserved: 51, 582..583, 594..599, 609..615, 1659.
constexpr record::TextField<P> kTexts[] = {
    {&P::Shimei, 0, 51, false, "Shimei"},
    {&P::HDSR, 624, 11, false, "HDSR"},
    {&P::SpacialMemo, 635, 512, true, "SpacialMemo"},
    {&P::KinkiMemo, 1147, 512, true, "KinkiMemo"},
};
constexpr record::FlagField<P> kFlags[] = {
    {&P::NyushoKiou, 592, "NyushoKiou"}, {&P::TankiKasann, 593, "TankiKasann"}, {&P::NinchiKasann, 608, "NinchiKasann"}};
constexpr record::IntField<P> kInts[] = {
    {&P::Sex, 52, "Sex"}, {&P::Old, 64, "Old"}, {&P::Kaigodo, 68, "Kaigodo"}, {&P::Rihabi, 1660, "Rihabi"}};
constexpr record::DateField<P> kDates[] = {{&P::Birth, 56, "Birth"},
                                           {&P::Nyushobi, 584, "Nyushobi"},
                                           {&P::TankiKasannTo, 600, "TankiKasannTo"},
                                           {&P::NinchiKasannTo, 616, "NinchiKasannTo"}};

// The six diseases from 72 and the four purposes from 378, 51 bytes apart.
constexpr int kDiseases = 72;
constexpr int kPurposes = 378;
constexpr int kStride = 51;
constexpr int kCapacity = 50;

void writeLists(record::Writer& w, const P& p) {
    for (int i = 0; i < 6; ++i) w.shortString(kDiseases + kStride * i, kCapacity, p.Disease[i]);
    for (int i = 0; i < 4; ++i) w.shortString(kPurposes + kStride * i, kCapacity, p.Purpose[i]);
}

void readLists(const record::Reader& r, P& p) {
    for (int i = 0; i < 6; ++i) p.Disease[i] = r.shortString(kDiseases + kStride * i, kCapacity);
    for (int i = 0; i < 4; ++i) p.Purpose[i] = r.shortString(kPurposes + kStride * i, kCapacity);
}

const record::Layout<P> kLayout{UrinPlanSize, kTexts, kFlags, kInts, kDates, writeLists, readLists};

}  // namespace

TUrinPlan newUrinPlan(const TPerson& client, TDateTime made) {
    TUrinPlan p;
    record::takeClientHeader(p, &P::Shimei, client, made);
    for (int i = 0; i < 6; ++i) p.Disease[i] = diseaseText(client.Disease[i]);
    p.Nyushobi = client.NYUSHOBI_YMD;
    return p;
}

QByteArray encodeUrinPlan(const TUrinPlan& plan) { return record::encode(kLayout, plan); }

std::optional<TUrinPlan> decodeUrinPlan(QByteArrayView bytes) { return record::decode(kLayout, bytes); }

}  // namespace lum
