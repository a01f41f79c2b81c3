#include "plans/conference_record.h"

#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "plans/record_fields.h"

namespace lum {
namespace {

namespace L = conference_layout;
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

constexpr ConferenceAttendeeField kAttendees[] = {
    {&C::Dr, 5212, "Dr"},         {&C::Care, 5216, "Care"},         {&C::Eiyou, 5220, "Eiyou"},
    {&C::KanKai, 5224, "KanKai"}, {&C::Rihabiri, 5228, "Rihabiri"},
};

}  // namespace

std::span<const ConferenceTextField> conferenceTextFields() { return kTexts; }
std::span<const ConferenceFlagField> conferenceFlagFields() { return kFlags; }
std::span<const ConferenceAttendeeField> conferenceAttendeeFields() { return kAttendees; }

TConference withNewHeader(TConference c, const TPerson& client, TDateTime day) {
    c.Shimei = cp932::leftBytes(client.Name, 50);
    c.Sex = client.Sex;
    c.Birth = client.Birth;
    c.Old = AgeInYears(client.Birth, day);
    c.Kaigodo = client.YOUKAIGO_KBN;
    c.FromDay = day;
    c.ToDay = day;
    return c;
}

QByteArray encodeConference(const TConference& c) {
    record::Writer w(ConferenceSize);
    w.int32(L::Sex, c.Sex);
    w.dateTime(L::Birth, c.Birth);
    w.int32(L::Old, c.Old);
    w.int32(L::Kaigodo, c.Kaigodo);
    w.dateTime(L::FromDay, c.FromDay);
    w.dateTime(L::ToDay, c.ToDay);
    for (const ConferenceTextField& f : kTexts) {
        if (f.zeroTerminated)
            w.zeroText(f.offset, f.width, c.*f.member);
        else
            w.shortString(f.offset, f.width - 1, c.*f.member);
    }
    for (const ConferenceFlagField& f : kFlags) w.flag(f.offset, c.*f.member);
    for (const ConferenceAttendeeField& f : kAttendees) w.int32(f.offset, c.*f.member);
    return w.bytes();
}

std::optional<TConference> decodeConference(QByteArrayView bytes) {
    if (bytes.size() < ConferenceSize) return std::nullopt;
    const record::Reader r(bytes.first(ConferenceSize));
    TConference c;
    c.Sex = r.int32(L::Sex);
    c.Birth = r.dateTime(L::Birth);
    c.Old = r.int32(L::Old);
    c.Kaigodo = r.int32(L::Kaigodo);
    c.FromDay = r.dateTime(L::FromDay);
    c.ToDay = r.dateTime(L::ToDay);
    for (const ConferenceTextField& f : kTexts)
        c.*f.member = f.zeroTerminated ? r.zeroText(f.offset, f.width) : r.shortString(f.offset, f.width - 1);
    for (const ConferenceFlagField& f : kFlags) c.*f.member = r.flag(f.offset);
    for (const ConferenceAttendeeField& f : kAttendees) c.*f.member = r.int32(f.offset);
    return c;
}

}  // namespace lum
