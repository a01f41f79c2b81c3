#pragma once
// The conference record TConference: the 5232 bytes of Conference.ConferData.
// The client number and the conference date (実施日) are the row's CureNo and
// PractDay, not part of the record.
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

inline constexpr int ConferenceSize = 5232;

// Field names are the printout's variable names.
struct TConference {
    QString Shimei;  // client name, at most 50 bytes stored
    int Sex = 0;
    TDateTime Birth;
    int Old = 0;        // age in whole years at the conference date
    int Kaigodo = -1;   // care level, index into YoukaigoNames
    TDateTime FromDay;  // the period under review
    TDateTime ToDay;
    QString Hyouka;  // 評価及び経過
    bool Target = false;  // 目標 変更 有
    QString Mokuhyou;     // 目標
    QString Toutatsu;     // 到達時期
    bool KankaiAriNasi = false;  // 看介護 アプローチ 変更 有
    QString KanKaigo;
    bool RihabiAriNasi = false;  // リハビリ プログラム 変更 有
    QString Rihabi;              // the programme text
    // Attendees: KaigoStuff codes, -1 none.
    int Dr = -1;
    int Care = -1;
    int Eiyou = -1;
    int KanKai = -1;
    int Rihabiri = -1;

    bool operator==(const TConference&) const = default;
};

// The header of a new conference of the client on that date: name (cut to
// its field), sex, birth, the age at that date, care level, and the period
// from and to that date. The body of `body` is kept.
TConference withNewHeader(TConference body, const TPerson& client, TDateTime day);

// Exactly 5232 bytes; zeros in reserved bytes and after each text. A text
// longer than its field is cut on a character boundary.
QByteArray encodeConference(const TConference& conference);
// Reads the first 5232 bytes; nothing when fewer are given.
std::optional<TConference> decodeConference(QByteArrayView bytes);

// The record's field tables: where each field is stored and the name the
// printout asks for.
using ConferenceTextField = record::TextField<TConference>;
using ConferenceFlagField = record::FlagField<TConference>;
using ConferenceAttendeeField = record::IntField<TConference>;
// The texts, the name among them.
std::span<const ConferenceTextField> conferenceTextFields();
// The three 変更 flags, each before its row's texts.
std::span<const ConferenceFlagField> conferenceFlagFields();
// The five attendees in stored order, from 5212.
std::span<const ConferenceAttendeeField> conferenceAttendeeFields();

// What the window accepts, in stored bytes (CR LF counting 2).
namespace conference_limits {
inline constexpr int Hyouka = 4094;
inline constexpr int RowMemo = 254;
}  // namespace conference_limits

}  // namespace lum
