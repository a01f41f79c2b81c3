#include "common/kubun.h"

namespace lum {

void TKubun::Clear() { Tanki = Ninchi = Shudan = Kobetsu = false; }

void TKubun::SetCode(int mask) {
    Clear();
    Tanki = (mask & TankiBit) != 0;
    Ninchi = (mask & NinchiBit) != 0;
    Shudan = (mask & ShudanBit) != 0;
    Kobetsu = (mask & KobetsuBit) != 0;
}

int TKubun::GetCode() const {
    return (Tanki ? TankiBit : 0) | (Ninchi ? NinchiBit : 0) | (Shudan ? ShudanBit : 0) |
           (Kobetsu ? KobetsuBit : 0);
}

QString TKubun::ShortText() const {
    QString s;
    if (Tanki) s += u'短';
    if (Ninchi) s += u'認';
    if (Shudan) s += u'集';
    if (Kobetsu) s += u'個';
    return s;
}

QString TKubun::LongText() const {
    QString s;
    if (Tanki) s += QStringLiteral("短期集中 ");
    if (Ninchi) s += QStringLiteral("認知症 ");
    if (Shudan) s += QStringLiteral("集団 ");
    if (Kobetsu) s += QStringLiteral("個別");
    return s;
}

void TRihaKubun::SetRihaType(int type) {
    Clear();
    RihaType = type;
    UseType = UseTanki = UseNinchi = UseShudan = UseKobetsu = UseKijun = false;
    switch (type) {
    case 0:  // 入所
    case 1:  // 短期入所
        UseType = UseTanki = UseNinchi = UseShudan = UseKobetsu = true;
        break;
    case 2:  // 通所リハビリ
        UseType = UseTanki = UseNinchi = UseShudan = UseKobetsu = UseKijun = true;
        break;
    case 3:  // 訪問リハビリ
        UseType = UseTanki = UseNinchi = UseKijun = true;
        break;
    default:
        break;
    }
}

QString KubunLongText(int mask) {
    TKubun kubun;
    kubun.SetCode(mask);
    return kubun.LongText();
}

}  // namespace lum
