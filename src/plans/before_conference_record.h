#pragma once
// The start-of-stay conference survey record TBeforeConference: the 4200
// bytes of BeforeConfer.BeforeConferData. The client number and the 実施日
// are the row's CureNo and ConferenceDay, not part of the record.
#include "clients/person.h"
#include "common/datetime.h"
#include "plans/record_fields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace lum {

inline constexpr int BeforeConferenceSize = 4200;

// Field names are the printout's variable names where it has one.
struct TBeforeConference {
    QString Shimei;  // client name, at most 50 bytes stored
    int Sex = 0;     // index into SexNames
    TDateTime Birth;
    int Old = 0;       // whole years at the 実施日
    int Kaigodo = -1;  // index into YoukaigoNames
    QString Health;      // 健康状態
    QString Gapeisho;    // 合併症・コントロール状態
    QString HonninHope;  // リハに対する希望 (本人)
    QString KazokuHope;  // リハに対する希望 (家族)
    bool Taisho = false;  // 退所予定 有
    QString TaishoText;
    bool TaishoSaki = false;  // 退所先 有
    QString TaishoTo;
    bool Tashisetsu = false;  // 多施設申し込み 有
    QString Tokuyou, Rouken, Ryoyou;
    // The seven areas of body and mind function: a flag and a note each.
    bool Undou = false, Kankaku = false, KoujiNou = false, Koushuku = false, Kansetsu = false, Sonota = false,
         Ninchi = false;
    QString UndouText, KankakuText, KoujiNouText, KoushukuText, KansetsuText, SonotaText, NinchiText;
    QString Kentou;  // 検討内容, at most 1022 bytes stored
    // Attendees: KaigoStuff codes, -1 none.
    int Dr = -1, Care = -1, Eiyou = -1, Kaigo = -1, Rihabi = -1;

    bool operator==(const TBeforeConference&) const = default;
};

// A new survey of the client held on that date: the header from the client
// row (the name cut to its field on a character boundary), the age at that
// date, an empty body with no attendees.
TBeforeConference newBeforeConference(const TPerson& client, TDateTime day);

// Exactly 4200 bytes; zeros in reserved bytes and after each text. A text
// longer than its field is cut on a character boundary.
QByteArray encodeBeforeConference(const TBeforeConference& survey);
// Reads the first 4200 bytes; nothing when fewer are given.
std::optional<TBeforeConference> decodeBeforeConference(QByteArrayView bytes);

// The record's fields as tables, in stored order (the order the window's
// checks run in): where each is stored, the bytes the window accepts and the
// name the printout asks for.
using BeforeConferenceText = record::TextField<TBeforeConference>;
using BeforeConferenceFlag = record::FlagField<TBeforeConference>;
using BeforeConferenceAttendee = record::IntField<TBeforeConference>;
// Every text but the name (the function notes among them).
std::span<const BeforeConferenceText> beforeConferenceTexts();
// All ten flags: 退所予定, 退所先, 多施設 and the seven function areas.
std::span<const BeforeConferenceFlag> beforeConferenceFlags();
std::span<const BeforeConferenceAttendee> beforeConferenceAttendees();

// Byte limits of the window's entries.
namespace before_conference_limits {
inline constexpr int Note = 254;   // the health, hope and function notes
inline constexpr int Goal = 48;    // 退所予定, 退所先 and the three facilities
inline constexpr int Kentou = 1022;
}  // namespace before_conference_limits

}  // namespace lum
