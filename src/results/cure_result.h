#pragma once
// One row of CureResults: one treatment given to one client on one day, with
// a copy of the client's registration data at the time it was written (so
// lists and statistics need no join with Person).
#include "clients/person.h"
#include "common/category_flags.h"
#include "common/datetime.h"

#include <QString>

namespace lum {

struct CureResult {
    qint64 ResultNo = 0;     // given by the database
    TDateTime CureDate;      // the day (date only on every road of this program)
    int ReserveNo = -1;      // the time frame a booking was copied from; -1 by hand or imported
    int CureNo = 0;
    int StuffCode = -1;      // performing staff member; -1 none
    QString StuffName;
    QString StuffKigo;
    TDateTime PStartTime;    // a time of day on the empty date
    int PMinute = 0;
    TDateTime RStartTime;    // a time of day on the empty date
    int RMinute = 0;
    QString Comment;         // a null text is stored as NULL (not written)
    int RihaType = 0;        // RihaTypeNames
    int KubunCode = 0;       // TKubun bits
    CategoryFlags Flags{};   // CategoryFlagNames order; stored "True"/"False"
    // The client's snapshot.
    TDateTime KubunDate;
    QString Name;
    QString Kana;
    int Sex = 0;
    TDateTime Birth;
    QString ROOM_NO;
    int Jiritsu_KBN = -1;
    int Ninchi_KBN = -1;
    int YOUKAIGO_KBN = -1;
    TDateTime HP_TAISHO_YMD;
    TDateTime NYUSHOBI_YMD;
    TDateTime TAISHOBI_YMD;
    QString LoginCD;         // who copied or imported the row; null: not written
    QString LoginName;
    TDateTime UpdateDate;

    bool operator==(const CureResult&) const = default;
};

// What the three-month statistics read of a result: its day, its client and
// its flags.
struct CureResultFlags {
    TDateTime CureDate;
    int CureNo = 0;
    CategoryFlags Flags{};
};

// What the statistics' month files list of a result.
struct CureResultEntry {
    TDateTime CureDate;
    int CureNo = 0;
    QString Name;
    QString Kana;
    int RihaType = 0;
    int KubunCode = 0;
    QString LoginName;  // empty on a row added by hand
    TDateTime UpdateDate;
};

// What the two month printouts by type (results per type, month grid) read
// of a result.
struct MonthTypeResult {
    qint64 ResultNo = 0;
    TDateTime CureDate;
    int CureNo = 0;
    QString Name;
    QString Kana;
    int RihaType = 0;
    TDateTime NYUSHOBI_YMD;
    QString StuffKigo;
    TDateTime RStartTime;
    int RMinute = 0;
};

// Copies the client's registration columns into the row: KubunDate, Name,
// Kana, Sex, Birth, ROOM_NO, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN,
// HP_TAISHO_YMD, NYUSHOBI_YMD, TAISHOBI_YMD, and with takeCategories also
// RihaType, KubunCode and the flags derived from them (CategoryFlagsOf).
void TakeClientSnapshot(CureResult& row, const TPerson& person, bool takeCategories = true);

// A start time as every road stores it: its time of day on the empty date
// (1899-12-30), so that times written on any road compare alike.
TDateTime StartTimeOnEmptyDate(TDateTime value);

// The row a day added by hand in the per-client entry writes: the client's
// snapshot and categories, no staff member, the start times at `now`'s time
// of day, 0 minutes, UpdateDate now; LoginCD, LoginName and Comment null.
CureResult NewHandEnteredResult(const TPerson& person, TDateTime day, TDateTime now);

}  // namespace lum
