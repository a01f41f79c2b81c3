#pragma once
// The preventive-care plan record TUrinPract: the 4552 bytes of
// UrinYobou.YobouData. The client number and the evaluation date are the
// row's CureNo and UrinDay, not part of the record.
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

inline constexpr int UrinPractSize = 4552;

// Field names are the printout's variable names.
struct TUrinPract {
    int Sakusei = -1;  // maker: KaigoStuff code, -1 none
    QString Shokushu;  // occupation
    QString UserName;  // client name, at most 50 bytes stored
    int Sex = 0;
    TDateTime Birth;
    int Old = 0;
    int Kaigodo = -1;
    QString Diagnose;  // the client's diagnoses, one a line; at most 511 bytes stored
    QString PastDiagnose;
    QString AkuryokuR, AkuryokuL, StandR, StandL, TUG1, TUG2;
    QString Stand30Str;  // 30-second stand-up, free text
    QString Stand30;     // 30-second stand-up, count
    QString MaxWalk1, MaxWalk2;
    QString HelpGoods;
    QString HDS_R;
    QString Itami, SelfHope, ExeWarning, ShortTarget, TotalTarget, Hyuka;
    // Keitaisou, Baiostep, Seraband, Legpress, HotPack, MicroWave, LowWave,
    // Medomar, ADLex, NinchiApo, Sonota.
    std::array<bool, 11> Programme{};
    QString SonotaText;
    QString Kaisu, kobetsu, Shuudan, Jikan;
    QString Fuka, Fukahow;

    bool operator==(const TUrinPract&) const = default;
};

// A new plan of the client evaluated on that date: no maker, no occupation,
// the header from the client row (the name cut to its field), the age at that
// date and the client's diagnoses one a line.
TUrinPract newUrinPract(const TPerson& client, TDateTime day);

// Exactly 4552 bytes; zeros in reserved bytes and after each text. A text
// longer than its field is cut on a character boundary (the diagnoses at
// 511 bytes, so they never reach the next field).
QByteArray encodeUrinPract(const TUrinPract& pract);
// Reads the first 4552 bytes; nothing when fewer are given.
std::optional<TUrinPract> decodeUrinPract(QByteArrayView bytes);

// The texts of the record as a table: where each is stored and the name the
// printout asks for.
using UrinPractTextField = record::TextField<TUrinPract>;
std::span<const UrinPractTextField> urinPractTextFields();

// The programme flags in stored order, from 4390, with their variables.
inline constexpr int UrinPractProgrammeOffset = 4390;
extern const std::array<const char*, 11> UrinPractProgrammeVariables;

// The diagnoses text as it will be stored: cut to 511 bytes (CR LF counting
// 2) on a character boundary.
QString fitDiagnoses(const QString& text);

}  // namespace lum
