#pragma once
// The registration's input checks, in the window's order: each input either
// goes into the record or stops the save with its message and the control to
// focus. Plain data in, record out, so the rules run without a window.
#include "common/kubun.h"
#include "clients/person.h"

#include <QString>

#include <array>

namespace lum {

// The texts and choices of the registration window's inputs.
struct PersonInput {
    QString name;         // RegistName
    QString kana;         // RegistKanaName
    QString birthDay;     // BirthDay (era text)
    int sex = -1;         // SexBox index, -1 none
    QString distinctive;  // distinctive
    QString room;         // RoomBox text
    QString postalCode;   // UbinNo
    QString address;      // Address
    QString tel;          // TelNo
    QString fax;          // FaxNo
    QString email;        // EMailEdit
    QString tavelundNo;   // TavelundUserNoEdit
    int rihaType = -1;    // RihaTypeBox index
    TKubun kubun;         // TankiBox, NinchiBox, ShuudanBox, KobetsuBox
    QString kijun;        // KijunEdit (era text)
    int jiritsu = -1;     // JiritsudoBox
    int ninchi = -1;      // NinchidoBox
    int youkaigo = -1;    // YoukaigodoBox
    QString taiinDay;     // TaiinDay
    QString nyushoDay;    // NyushoDay
    QString taishoDay;    // TaishoDay
    std::array<QString, 6> diseases;  // ShikanName1Box .. ShikanName6Box
};

struct ValidationResult {
    bool ok = true;
    QString message;  // empty for a refusal without a message (the linked number)
    QString focus;    // objectName of the control to focus
};

// Checks the inputs and fills the record's columns (all but CureNo and the
// weekly requests, which stay as they are). storedKubunDate is the reference
// date the record held before: it is kept when the type offers no reference
// date or the field holds none; a typed date replaces it.
ValidationResult ValidateInput(const PersonInput& input, TPerson& person, TDateTime storedKubunDate);

// The byte limits of the inputs (code page 932).
inline constexpr int DistinctiveBytes = 190;
inline constexpr int RoomBytes = 38;
inline constexpr int PostalBytes = 18;
inline constexpr int AddressBytes = 110;
inline constexpr int TelBytes = 18;
inline constexpr int EMailBytes = 78;
inline constexpr int DiseaseInputBytes = 40;

}  // namespace lum
