#pragma once
// The rehabilitation plan record TUrinPlan: the 1664 bytes of
// UrinKeikaku.KeikakuData. The client number and the date of making are the
// row's CureNo and UrinDay, not part of the record.
#include "clients/person.h"
#include "common/datetime.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

namespace lum {

inline constexpr int UrinPlanSize = 1664;

// Field names are the printout's variable names.
struct TUrinPlan {
    QString Shimei;  // client name, at most 50 bytes stored
    int Sex = 0;     // index into SexNames
    TDateTime Birth;
    int Old = 0;       // whole years at the date of making
    int Kaigodo = -1;  // index into YoukaigoNames
    std::array<QString, 6> Disease;  // at most 50 bytes each
    std::array<QString, 4> Purpose;  // 入所目的, at most 48 bytes each
    TDateTime Nyushobi;              // admission date; empty when none
    bool NyushoKiou = false;         // admitted before
    bool TankiKasann = false;        // 短期集中リハ加算
    TDateTime TankiKasannTo;
    bool NinchiKasann = false;  // 認知症短期集中リハ加算
    TDateTime NinchiKasannTo;
    QString HDSR;         // as typed, at most 8 bytes
    QString SpacialMemo;  // 特記事項, at most 510 bytes stored
    QString KinkiMemo;    // 禁忌事項, at most 510 bytes stored
    int Rihabi = -1;      // KaigoStuff code of the rehabilitation staff member

    bool operator==(const TUrinPlan&) const = default;
};

// A new plan of the client made on that date: the header from the client
// row (texts cut to their fields on a character boundary), the age at that
// date, an empty body with no staff member.
TUrinPlan newUrinPlan(const TPerson& client, TDateTime made);

// Exactly 1664 bytes; zeros in reserved bytes and after each text. A text
// longer than its field is cut on a character boundary.
QByteArray encodeUrinPlan(const TUrinPlan& plan);
// Reads the first 1664 bytes; nothing when fewer are given.
std::optional<TUrinPlan> decodeUrinPlan(QByteArrayView bytes);

namespace urin_plan_layout {
inline constexpr int Shimei = 0;            // capacity 50
inline constexpr int Sex = 52;
inline constexpr int Birth = 56;
inline constexpr int Old = 64;
inline constexpr int Kaigodo = 68;
inline constexpr int Disease = 72;          // + 51 * i, capacity 50
inline constexpr int Purpose = 378;         // + 51 * i, capacity 50
inline constexpr int Nyushobi = 584;
inline constexpr int NyushoKiou = 592;
inline constexpr int TankiKasann = 593;
inline constexpr int TankiKasannTo = 600;
inline constexpr int NinchiKasann = 608;
inline constexpr int NinchiKasannTo = 616;
inline constexpr int HDSR = 624;            // capacity 10
inline constexpr int SpacialMemo = 635;     // area 512
inline constexpr int KinkiMemo = 1147;      // area 512
inline constexpr int Rihabi = 1660;
inline constexpr int ShortStride = 51;
inline constexpr int NameCapacity = 50;
inline constexpr int ScoreCapacity = 10;
inline constexpr int MemoArea = 512;
}  // namespace urin_plan_layout

// Byte limits of the window's entries (stored form, CR LF counting 2).
namespace urin_plan_limits {
inline constexpr int Purpose = 48;
inline constexpr int HDSR = 8;
inline constexpr int Memo = 510;
}  // namespace urin_plan_limits

}  // namespace lum
