#pragma once
// The category bit mask KubunCode stored with a client, a result and a plan:
// 1 短期集中, 2 認知症, 4 集団, 8 個別. Queries select one category in
// SQL with "(KubunCode & bit) > 0".
#include <QString>

namespace lum {

class TKubun {
public:
    enum Bit { TankiBit = 1, NinchiBit = 2, ShudanBit = 4, KobetsuBit = 8 };

    bool Tanki = false;    // 短期集中
    bool Ninchi = false;   // 認知症
    bool Shudan = false;   // 集団
    bool Kobetsu = false;  // 個別

    void Clear();
    // Each flag := (mask AND its bit) > 0; other bits are ignored.
    void SetCode(int mask);
    // The sum of the bits of the set flags, 0 to 15.
    int GetCode() const;
    // One letter per set flag in bit order: 短認集個.
    QString ShortText() const;
    // The long texts in bit order: "短期集中 ", "認知症 ", "集団 ", "個別" (no blank after the last).
    QString LongText() const;
};

// The long text of a stored mask, as lists and printouts show it.
QString KubunLongText(int mask);

// A rehabilitation type with the inputs that type offers.
class TRihaKubun : public TKubun {
public:
    int RihaType = -1;  // 0 入所, 1 短期入所, 2 通所リハビリ, 3 訪問リハビリ; -1 none
    bool UseType = false;     // 種類
    bool UseTanki = false;    // 短期集中
    bool UseNinchi = false;   // 認知症
    bool UseShudan = false;   // 集団
    bool UseKobetsu = false;  // 個別
    bool UseKijun = false;    // 基準日 (KubunDate)

    // Clears the four categories, sets the type and the inputs it offers;
    // a type outside 0..3 offers none.
    void SetRihaType(int type);
};

}  // namespace lum
