#include "results/cure_result.h"

#include <QTime>

namespace lum {

void TakeClientSnapshot(CureResult& row, const TPerson& person, bool takeCategories) {
    row.KubunDate = person.KubunDate;
    row.Name = person.Name;
    row.Kana = person.Kana;
    row.Sex = person.Sex;
    row.Birth = person.Birth;
    row.ROOM_NO = person.ROOM_NO;
    row.Jiritsu_KBN = person.Jiritsu_KBN;
    row.Ninchi_KBN = person.Ninchi_KBN;
    row.YOUKAIGO_KBN = person.YOUKAIGO_KBN;
    row.HP_TAISHO_YMD = person.HP_TAISHO_YMD;
    row.NYUSHOBI_YMD = person.NYUSHOBI_YMD;
    row.TAISHOBI_YMD = person.TAISHOBI_YMD;
    if (takeCategories) {
        row.RihaType = person.RihaType;
        row.KubunCode = person.KubunCode;
        row.Flags = CategoryFlagsOf(person.RihaType, person.KubunCode);
    }
}

TDateTime StartTimeOnEmptyDate(TDateTime value) {
    return TDateTime::fromDateAndTime(TDateTime().date(), value.time());
}

CureResult NewHandEnteredResult(const TPerson& person, TDateTime day, TDateTime now) {
    CureResult row;
    row.CureDate = day.dateOnly();
    row.ReserveNo = -1;
    row.CureNo = person.CureNo;
    row.StuffCode = -1;
    row.StuffName = QStringLiteral("");
    row.StuffKigo = QStringLiteral("");
    row.Comment = QStringLiteral("");
    row.PStartTime = StartTimeOnEmptyDate(now);
    row.RStartTime = row.PStartTime;
    row.PMinute = 0;
    row.RMinute = 0;
    TakeClientSnapshot(row, person);
    row.UpdateDate = now;
    return row;
}

}  // namespace lum
