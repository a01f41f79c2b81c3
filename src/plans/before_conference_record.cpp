#include "plans/before_conference_record.h"

#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "plans/record_fields.h"

namespace lum {
namespace {

namespace L = before_conference_layout;
namespace Lim = before_conference_limits;
using B = TBeforeConference;

// Reserved: 51, 4177..4179.
constexpr BeforeConferenceText kTexts[] = {
    {&B::Health, 72, 256, false, Lim::Note, "Health"},
    {&B::Gapeisho, 328, 256, false, Lim::Note, "Gapeisho"},
    {&B::HonninHope, 584, 256, false, Lim::Note, "HonninHope"},
    {&B::KazokuHope, 840, 256, false, Lim::Note, "KazokuHope"},
    {&B::TaishoText, 1097, 51, false, Lim::Goal, "TaishoText"},
    {&B::TaishoTo, 1149, 51, false, Lim::Goal, "TaishoTo"},
    {&B::Tokuyou, 1201, 51, false, Lim::Goal, "Tokuyou"},
    {&B::Rouken, 1252, 51, false, Lim::Goal, "Rouken"},
    {&B::Ryoyou, 1303, 51, false, Lim::Goal, "Ryoyou"},
    {&B::UndouText, 1355, 256, false, Lim::Note, "UndouText"},
    {&B::KankakuText, 1612, 256, false, Lim::Note, "KankakuText"},
    {&B::KoujiNouText, 1869, 256, false, Lim::Note, "KoujiNouText"},
    {&B::KoushukuText, 2126, 256, false, Lim::Note, "KoushukuText"},
    {&B::KansetsuText, 2383, 256, false, Lim::Note, "KansetsuText"},
    {&B::SonotaText, 2640, 256, false, Lim::Note, "SonotaText"},
    {&B::NinchiText, 2897, 256, false, Lim::Note, "NinchiText"},
    {&B::Kentou, 3153, 1024, true, Lim::Kentou, "Kentou"},
};

// The two goal flags have no variable of their own: their texts print "未定"
// when unset.
constexpr BeforeConferenceFlag kFlags[] = {
    {&B::Taisho, 1096, ""},         {&B::TaishoSaki, 1148, ""},     {&B::Tashisetsu, 1200, "Tashisetsu"},
    {&B::Undou, 1354, "Undou"},     {&B::Kankaku, 1611, "Kankaku"}, {&B::KoujiNou, 1868, "KoujiNou"},
    {&B::Koushuku, 2125, "Koushuku"}, {&B::Kansetsu, 2382, "Kansetsu"}, {&B::Sonota, 2639, "Sonota"},
    {&B::Ninchi, 2896, "Ninchi"},
};

constexpr BeforeConferenceAttendee kAttendees[] = {
    {&B::Dr, 4180, "Dr"},       {&B::Care, 4184, "Care"},     {&B::Eiyou, 4188, "Eiyou"},
    {&B::Kaigo, 4192, "Kaigo"}, {&B::Rihabi, 4196, "Rihabi"},
};

}  // namespace

std::span<const BeforeConferenceText> beforeConferenceTexts() { return kTexts; }
std::span<const BeforeConferenceFlag> beforeConferenceFlags() { return kFlags; }
std::span<const BeforeConferenceAttendee> beforeConferenceAttendees() { return kAttendees; }

TBeforeConference newBeforeConference(const TPerson& client, TDateTime day) {
    TBeforeConference b;
    b.Shimei = cp932::leftBytes(client.Name, L::NameCapacity);
    b.Sex = client.Sex;
    b.Birth = client.Birth;
    b.Old = AgeInYears(client.Birth, day);
    b.Kaigodo = client.YOUKAIGO_KBN;
    return b;
}

QByteArray encodeBeforeConference(const TBeforeConference& b) {
    record::Writer w(BeforeConferenceSize);
    w.shortString(L::Shimei, L::NameCapacity, b.Shimei);
    w.int32(L::Sex, b.Sex);
    w.dateTime(L::Birth, b.Birth);
    w.int32(L::Old, b.Old);
    w.int32(L::Kaigodo, b.Kaigodo);
    for (const BeforeConferenceText& f : kTexts) {
        if (f.zeroTerminated)
            w.zeroText(f.offset, f.width, b.*f.member);
        else
            w.shortString(f.offset, f.width - 1, b.*f.member);
    }
    for (const BeforeConferenceFlag& f : kFlags) w.flag(f.offset, b.*f.member);
    for (const BeforeConferenceAttendee& a : kAttendees) w.int32(a.offset, b.*a.member);
    return w.bytes();
}

std::optional<TBeforeConference> decodeBeforeConference(QByteArrayView bytes) {
    if (bytes.size() < BeforeConferenceSize) return std::nullopt;
    const record::Reader r(bytes.first(BeforeConferenceSize));
    TBeforeConference b;
    b.Shimei = r.shortString(L::Shimei, L::NameCapacity);
    b.Sex = r.int32(L::Sex);
    b.Birth = r.dateTime(L::Birth);
    b.Old = r.int32(L::Old);
    b.Kaigodo = r.int32(L::Kaigodo);
    for (const BeforeConferenceText& f : kTexts)
        b.*f.member = f.zeroTerminated ? r.zeroText(f.offset, f.width) : r.shortString(f.offset, f.width - 1);
    for (const BeforeConferenceFlag& f : kFlags) b.*f.member = r.flag(f.offset);
    for (const BeforeConferenceAttendee& a : kAttendees) b.*a.member = r.int32(a.offset);
    return b;
}

}  // namespace lum
