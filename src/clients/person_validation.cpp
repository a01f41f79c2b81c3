#include "clients/person_validation.h"

#include "clients/client_input_rules.h"
#include "common/cp932.h"
#include "common/era_text.h"
#include "common/text_helpers.h"

namespace lum {
namespace {

ValidationResult refuse(const QString& message, const QString& focus) { return {false, message, focus}; }

bool fits(const QString& text, int bytes) { return cp932::byteLength(text) <= bytes; }

// An era date field: the date, or the empty date when it holds none.
TDateTime dateOrEmpty(const QString& text) {
    TDateTime date;
    return EraTextToDate(text, date) ? date : TDateTime();
}

}  // namespace

ValidationResult ValidateInput(const PersonInput& in, TPerson& p, TDateTime storedKubunDate) {
    if (QString m = checkNameInput(in.name); !m.isEmpty()) return refuse(m, QStringLiteral("RegistName"));
    p.Name = asciiTrim(in.name);
    if (QString m = checkKanaInput(in.kana); !m.isEmpty()) return refuse(m, QStringLiteral("RegistKanaName"));
    p.Kana = asciiTrim(in.kana);

    if (!EraTextToDate(in.birthDay, p.Birth))
        return refuse(QStringLiteral("生年月日の日付けが不明です。"), QStringLiteral("BirthDay"));
    if (in.sex < 0) return refuse(QStringLiteral("性別の指定が必要です。"), QStringLiteral("SexBox"));
    p.Sex = in.sex;

    struct Limited {
        const QString& text;
        int bytes;
        bool fullWidthToo;
        const char* control;
        QString& field;
    };
    const Limited limited[] = {
        {in.distinctive, DistinctiveBytes, true, "distinctive", p.distinctive},
        {in.room, RoomBytes, true, "RoomBox", p.ROOM_NO},
        {in.postalCode, PostalBytes, false, "UbinNo", p.YoubinNo},
        {in.address, AddressBytes, true, "Address", p.Address},
        {in.tel, TelBytes, false, "TelNo", p.TelNo},
        {in.fax, TelBytes, false, "FaxNo", p.FaxNo},
        {in.email, EMailBytes, false, "EMailEdit", p.EMail},
    };
    for (const Limited& l : limited) {
        if (!fits(l.text, l.bytes))
            return refuse(overLimitMessage(l.bytes, l.fullWidthToo), QString::fromLatin1(l.control));
        l.field = l.text;
    }

    if (asciiTrim(in.tavelundNo).isEmpty()) {
        p.TavelundUserNo = 0;
    } else if (const auto number = parseWholeNumber(in.tavelundNo)) {
        p.TavelundUserNo = *number;
    } else {
        return refuse(QString(), QStringLiteral("TavelundUserNoEdit"));
    }

    if (in.rihaType < 0) return refuse(QStringLiteral("リハビリ形態は入力必須項目です。"), QStringLiteral("RihaTypeBox"));
    p.RihaType = in.rihaType;
    p.KubunCode = in.kubun.GetCode();

    // The reference date typed for a type that offers one; otherwise the one stored.
    TRihaKubun offered;
    offered.SetRihaType(in.rihaType);
    TDateTime kijun;
    p.KubunDate = offered.UseKijun && EraTextToDate(in.kijun, kijun) ? kijun : storedKubunDate;

    p.Jiritsu_KBN = in.jiritsu;
    p.Ninchi_KBN = in.ninchi;
    p.YOUKAIGO_KBN = in.youkaigo;

    p.HP_TAISHO_YMD = dateOrEmpty(in.taiinDay);
    if (!EraTextToDate(in.nyushoDay, p.NYUSHOBI_YMD))
        return refuse(QStringLiteral("利用開始日は入力必須項目です。"), QStringLiteral("NyushoDay"));
    p.TAISHOBI_YMD = dateOrEmpty(in.taishoDay);
    if (!p.TAISHOBI_YMD.isEmpty() && p.TAISHOBI_YMD < p.NYUSHOBI_YMD)
        return refuse(QStringLiteral("退所(終了)日<入所日:日付エラーです。"), QStringLiteral("TaishoDay"));

    for (int i = 0; i < 6; ++i) {
        if (!fits(in.diseases[i], DiseaseInputBytes))
            return refuse(overLimitMessage(DiseaseInputBytes), QStringLiteral("ShikanName%1Box").arg(i + 1));
        p.Disease[i] = in.diseases[i];
    }
    return {};
}

}  // namespace lum
