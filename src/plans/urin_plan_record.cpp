#include "plans/urin_plan_record.h"

#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "plans/record_fields.h"

namespace lum {

namespace L = urin_plan_layout;

TUrinPlan newUrinPlan(const TPerson& client, TDateTime made) {
    TUrinPlan p;
    p.Shimei = cp932::leftBytes(client.Name, L::NameCapacity);
    p.Sex = client.Sex;
    p.Birth = client.Birth;
    p.Old = AgeInYears(client.Birth, made);
    p.Kaigodo = client.YOUKAIGO_KBN;
    for (int i = 0; i < 6; ++i) p.Disease[i] = diseaseText(client.Disease[i]);
    p.Nyushobi = client.NYUSHOBI_YMD;
    return p;
}

QByteArray encodeUrinPlan(const TUrinPlan& p) {
    record::Writer w(UrinPlanSize);
    w.shortString(L::Shimei, L::NameCapacity, p.Shimei);
    w.int32(L::Sex, p.Sex);
    w.dateTime(L::Birth, p.Birth);
    w.int32(L::Old, p.Old);
    w.int32(L::Kaigodo, p.Kaigodo);
    for (int i = 0; i < 6; ++i) w.shortString(L::Disease + L::ShortStride * i, L::NameCapacity, p.Disease[i]);
    for (int i = 0; i < 4; ++i) w.shortString(L::Purpose + L::ShortStride * i, L::NameCapacity, p.Purpose[i]);
    w.dateTime(L::Nyushobi, p.Nyushobi);
    w.flag(L::NyushoKiou, p.NyushoKiou);
    w.flag(L::TankiKasann, p.TankiKasann);
    w.dateTime(L::TankiKasannTo, p.TankiKasannTo);
    w.flag(L::NinchiKasann, p.NinchiKasann);
    w.dateTime(L::NinchiKasannTo, p.NinchiKasannTo);
    w.shortString(L::HDSR, L::ScoreCapacity, p.HDSR);
    w.zeroText(L::SpacialMemo, L::MemoArea, p.SpacialMemo);
    w.zeroText(L::KinkiMemo, L::MemoArea, p.KinkiMemo);
    w.int32(L::Rihabi, p.Rihabi);
    return w.bytes();
}

std::optional<TUrinPlan> decodeUrinPlan(QByteArrayView bytes) {
    if (bytes.size() < UrinPlanSize) return std::nullopt;
    const record::Reader r(bytes.first(UrinPlanSize));
    TUrinPlan p;
    p.Shimei = r.shortString(L::Shimei, L::NameCapacity);
    p.Sex = r.int32(L::Sex);
    p.Birth = r.dateTime(L::Birth);
    p.Old = r.int32(L::Old);
    p.Kaigodo = r.int32(L::Kaigodo);
    for (int i = 0; i < 6; ++i) p.Disease[i] = r.shortString(L::Disease + L::ShortStride * i, L::NameCapacity);
    for (int i = 0; i < 4; ++i) p.Purpose[i] = r.shortString(L::Purpose + L::ShortStride * i, L::NameCapacity);
    p.Nyushobi = r.dateTime(L::Nyushobi);
    p.NyushoKiou = r.flag(L::NyushoKiou);
    p.TankiKasann = r.flag(L::TankiKasann);
    p.TankiKasannTo = r.dateTime(L::TankiKasannTo);
    p.NinchiKasann = r.flag(L::NinchiKasann);
    p.NinchiKasannTo = r.dateTime(L::NinchiKasannTo);
    p.HDSR = r.shortString(L::HDSR, L::ScoreCapacity);
    p.SpacialMemo = r.zeroText(L::SpacialMemo, L::MemoArea);
    p.KinkiMemo = r.zeroText(L::KinkiMemo, L::MemoArea);
    p.Rihabi = r.int32(L::Rihabi);
    return p;
}

}  // namespace lum
