#include "plans/conference_record.h"

namespace lum {
namespace {

using C = TConference;

// Padding at 51 and 5211.
constexpr ConferenceTextField kTexts[] = {
    {&C::Shimei, 0, 51, false, "Shimei"},       {&C::Hyouka, 88, 4096, true, "Hyouka"},
    {&C::Mokuhyou, 4185, 256, false, "Mokuhyou"}, {&C::Toutatsu, 4441, 256, false, "Toutatsu"},
    {&C::KanKaigo, 4698, 256, false, "KanKaigo"}, {&C::Rihabi, 4955, 256, false, "Rihabi"},
};

constexpr ConferenceFlagField kFlags[] = {
    {&C::Target, 4184, "Target"},
    {&C::KankaiAriNasi, 4697, "KankaiAriNasi"},
    {&C::RihabiAriNasi, 4954, "RihabiAriNasi"},
};

// The header's numbers, then the five attendees.
constexpr record::IntField<C> kInts[] = {
    {&C::Sex, 52, "Sex"},         {&C::Old, 64, "Old"},             {&C::Kaigodo, 68, "Kaigodo"},
    {&C::Dr, 5212, "Dr"},         {&C::Care, 5216, "Care"},         {&C::Eiyou, 5220, "Eiyou"},
    {&C::KanKai, 5224, "KanKai"}, {&C::Rihabiri, 5228, "Rihabiri"},
};
constexpr int kAttendeesFrom = 3;

constexpr record::DateField<C> kDates[] = {
    {&C::Birth, 56, "Birth"}, {&C::FromDay, 72, "FromDay"}, {&C::ToDay, 80, "ToDay"}};

const record::Layout<C> kLayout{ConferenceSize, kTexts, kFlags, kInts, kDates};

}  // namespace

std::span<const ConferenceTextField> conferenceTextFields() { return kTexts; }
std::span<const ConferenceFlagField> conferenceFlagFields() { return kFlags; }
std::span<const ConferenceAttendeeField> conferenceAttendeeFields() {
    return std::span<const ConferenceAttendeeField>(kInts).subspan(kAttendeesFrom);
}

TConference withNewHeader(TConference c, const TPerson& client, TDateTime day) {
    record::takeClientHeader(c, &C::Shimei, client, day);
    c.FromDay = day;
    c.ToDay = day;
    return c;
}

QByteArray encodeConference(const TConference& conference) { return record::encode(kLayout, conference); }

std::optional<TConference> decodeConference(QByteArrayView bytes) { return record::decode(kLayout, bytes); }

}  // namespace lum
