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

// Byte limits of the window's entries (stored form, CR LF counting 2).
namespace urin_plan_limits {
inline constexpr int Purpose = 48;
inline constexpr int HDSR = 8;
inline constexpr int Memo = 510;
}  // namespace urin_plan_limits

}  // namespace lum
