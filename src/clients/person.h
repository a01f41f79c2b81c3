#pragma once
// TPerson: one row of the Person table, one client in one admission (CureNo
// names the episode, not the person). Every subsystem passes a client around
// in this record.
#include "common/datetime.h"

#include <QString>
#include <QStringView>

#include <array>

namespace lum {
// The disease texts are short strings of at most this many code page 932 bytes.
inline constexpr int DiseaseBytes = 50;
inline constexpr int WeekDays = 7;  // Reserve01 .. Reserve07, Funn01 .. Funn07: Monday .. Sunday

// A disease text as the record holds it: cut at DiseaseBytes bytes on a
// character boundary.
QString diseaseText(QStringView text);
}  // namespace lum

struct TPerson {
    int CureNo = 0;
    QString Name;
    QString Kana;  // half-width katakana: family part, one blank, given part
    int Sex = 0;   // SexNames: 0 男性, 1 女性
    lum::TDateTime Birth;
    QString YoubinNo;
    QString Address;
    QString TelNo;
    QString FaxNo;
    QString EMail;
    QString distinctive;
    int TavelundUserNo = 0;  // 0 or less: none
    int RihaType = -1;       // RihaTypeNames
    int KubunCode = 0;       // TKubun bits
    lum::TDateTime KubunDate;
    QString ROOM_NO;
    int Jiritsu_KBN = -1;
    int Ninchi_KBN = -1;
    int YOUKAIGO_KBN = -1;
    lum::TDateTime HP_TAISHO_YMD;  // 0: none
    lum::TDateTime NYUSHOBI_YMD;   // required
    lum::TDateTime TAISHOBI_YMD;   // 0: none
    std::array<QString, 6> Disease;  // Disease1 .. Disease6
    std::array<lum::TDateTime, lum::WeekDays> Reserve{};  // requested start times, Monday first
    std::array<int, lum::WeekDays> Funn{};                // requested minutes, Monday first

    bool operator==(const TPerson&) const = default;
};
