#include "plans/before_conference_record.h"

namespace lum {
namespace {

namespace Lim = before_conference_limits;
using B = TBeforeConference;

// Reserved: 51, 4177..4179. The name first, then the window's texts.
constexpr BeforeConferenceText kTexts[] = {
    {&B::Shimei, 0, 51, false, "Shimei"},
    {&B::Health, 72, 256, false, "Health", Lim::Note},
    {&B::Gapeisho, 328, 256, false, "Gapeisho", Lim::Note},
    {&B::HonninHope, 584, 256, false, "HonninHope", Lim::Note},
    {&B::KazokuHope, 840, 256, false, "KazokuHope", Lim::Note},
    {&B::TaishoText, 1097, 51, false, "TaishoText", Lim::Goal},
    {&B::TaishoTo, 1149, 51, false, "TaishoTo", Lim::Goal},
    {&B::Tokuyou, 1201, 51, false, "Tokuyou", Lim::Goal},
    {&B::Rouken, 1252, 51, false, "Rouken", Lim::Goal},
    {&B::Ryoyou, 1303, 51, false, "Ryoyou", Lim::Goal},
    {&B::UndouText, 1355, 256, false, "UndouText", Lim::Note},
    {&B::KankakuText, 1612, 256, false, "KankakuText", Lim::Note},
    {&B::KoujiNouText, 1869, 256, false, "KoujiNouText", Lim::Note},
    {&B::KoushukuText, 2126, 256, false, "KoushukuText", Lim::Note},
    {&B::KansetsuText, 2383, 256, false, "KansetsuText", Lim::Note},
    {&B::SonotaText, 2640, 256, false, "SonotaText", Lim::Note},
    {&B::NinchiText, 2897, 256, false, "NinchiText", Lim::Note},
    {&B::Kentou, 3153, 1024, true, "Kentou", Lim::Kentou},
};

// The two goal flags have no variable of their own: their texts print "未定"
// when unset.
constexpr BeforeConferenceFlag kFlags[] = {
    {&B::Taisho, 1096, ""},         {&B::TaishoSaki, 1148, ""},     {&B::Tashisetsu, 1200, "Tashisetsu"},
    {&B::Undou, 1354, "Undou"},     {&B::Kankaku, 1611, "Kankaku"}, {&B::KoujiNou, 1868, "KoujiNou"},
    {&B::Koushuku, 2125, "Koushuku"}, {&B::Kansetsu, 2382, "Kansetsu"}, {&B::Sonota, 2639, "Sonota"},
    {&B::Ninchi, 2896, "Ninchi"},
};

// The header's numbers, then the five attendees.
constexpr BeforeConferenceAttendee kInts[] = {
    {&B::Sex, 52, "Sex"},       {&B::Old, 64, "Old"},         {&B::Kaigodo, 68, "Kaigodo"},
    {&B::Dr, 4180, "Dr"},       {&B::Care, 4184, "Care"},     {&B::Eiyou, 4188, "Eiyou"},
    {&B::Kaigo, 4192, "Kaigo"}, {&B::Rihabi, 4196, "Rihabi"},
};
constexpr int kAttendeesFrom = 3;

constexpr record::DateField<B> kDates[] = {{&B::Birth, 56, "Birth"}};

const record::Layout<B> kLayout{BeforeConferenceSize, kTexts, kFlags, kInts, kDates};

}  // namespace

std::span<const BeforeConferenceText> beforeConferenceTexts() {
    return std::span<const BeforeConferenceText>(kTexts).subspan(1);
}
std::span<const BeforeConferenceFlag> beforeConferenceFlags() { return kFlags; }
std::span<const BeforeConferenceAttendee> beforeConferenceAttendees() {
    return std::span<const BeforeConferenceAttendee>(kInts).subspan(kAttendeesFrom);
}

TBeforeConference newBeforeConference(const TPerson& client, TDateTime day) {
    TBeforeConference b;
    record::takeClientHeader(b, &B::Shimei, client, day);
    return b;
}

QByteArray encodeBeforeConference(const TBeforeConference& survey) { return record::encode(kLayout, survey); }

std::optional<TBeforeConference> decodeBeforeConference(QByteArrayView bytes) {
    return record::decode(kLayout, bytes);
}

}  // namespace lum
