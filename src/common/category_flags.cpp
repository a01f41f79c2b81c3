#include "common/category_flags.h"

#include "common/kubun.h"

namespace lum {

const std::array<QString, CategoryFlagCount> CategoryFlagNames = {
    QStringLiteral("NyushoTanki"),      QStringLiteral("NyushoNinchi"),      QStringLiteral("NyushoShudan"),
    QStringLiteral("NyushoKobetsu"),    QStringLiteral("TankiNyushoTanki"),  QStringLiteral("TankiNyushoNinchi"),
    QStringLiteral("TankiNyushoShudan"), QStringLiteral("TankiNyushoKobetsu"), QStringLiteral("TsushoTanki"),
    QStringLiteral("TsushoNinchi"),     QStringLiteral("TsushoShudan"),      QStringLiteral("TsushoKobetsu"),
    QStringLiteral("HoumonTanki"),      QStringLiteral("HoumonNinchi"),
};

namespace {
constexpr int kBits[] = {TKubun::TankiBit, TKubun::NinchiBit, TKubun::ShudanBit, TKubun::KobetsuBit};
// Types 0..2 have all four categories, type 3 the first two.
constexpr int categoriesOf(int type) { return type == 3 ? 2 : 4; }
}  // namespace

int CategoryFlagIndex(int rihaType, int kubunBit) {
    if (rihaType < 0 || rihaType > 3) return -1;
    for (int c = 0; c < categoriesOf(rihaType); ++c) {
        if (kBits[c] == kubunBit) return rihaType * 4 + c;
    }
    return -1;
}

int CategoryFlagType(int index) { return index / 4; }
int CategoryFlagBit(int index) { return kBits[index % 4]; }

CategoryFlags CategoryFlagsOf(int rihaType, int kubunCode) {
    CategoryFlags flags{};
    TKubun kubun;
    kubun.SetCode(kubunCode);
    const bool set[] = {kubun.Tanki, kubun.Ninchi, kubun.Shudan, kubun.Kobetsu};
    for (int c = 0; c < 4; ++c) {
        const int index = CategoryFlagIndex(rihaType, kBits[c]);
        if (index >= 0 && set[c]) flags[index] = true;
    }
    return flags;
}

int KubunCodeOfFlags(int rihaType, const CategoryFlags& flags) {
    if (rihaType < 0 || rihaType > 3) return -1;
    int code = 0;
    for (int c = 0; c < categoriesOf(rihaType); ++c) {
        if (flags[rihaType * 4 + c]) code += kBits[c];
    }
    return code;
}

QString CategoryFlagText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

bool CategoryFlagIsTrue(QStringView stored) { return stored.trimmed() == u"True"; }

}  // namespace lum
