#pragma once
// The fourteen category flags of a treatment result: one "True"/"False" text
// column per rehabilitation type and category (home visits have no 集団 and
// no 個別). Every writer of a whole result row derives them from the row's
// RihaType and KubunCode (CategoryFlagsOf); the per-client entry's save goes
// back from the flags of the row's own type to KubunCode (KubunCodeOfFlags).
// The statistics number their rows in CategoryFlagNames order.
#include <QString>
#include <QStringView>

#include <array>

namespace lum {

inline constexpr int CategoryFlagCount = 14;
using CategoryFlags = std::array<bool, CategoryFlagCount>;

// The column names, in column order: NyushoTanki .. HoumonNinchi.
extern const std::array<QString, CategoryFlagCount> CategoryFlagNames;

// The flag of a type and category (TKubun bit 1, 2, 4 or 8); -1 when the type
// has no such flag (type 3 with 集団 or 個別, a type outside 0..3, another bit).
int CategoryFlagIndex(int rihaType, int kubunBit);
// The type (0..3) and TKubun bit a flag stands for.
int CategoryFlagType(int index);
int CategoryFlagBit(int index);

// The category-flag rule: every flag false, then true for each bit of
// kubunCode set under the row's own type. A type outside 0..3 sets none.
CategoryFlags CategoryFlagsOf(int rihaType, int kubunCode);

// The reverse rule: for types 0..2 the sum of the bits of the type's own four
// flags that are set, for type 3 HoumonTanki (1) and HoumonNinchi (2), for any
// other type -1. Flags of the other types are not read.
int KubunCodeOfFlags(int rihaType, const CategoryFlags& flags);

// The stored texts: exactly "True" and "False". A stored flag is true when it
// reads "True" (blanks around it ignored, as padded columns may hold them).
QString CategoryFlagText(bool on);
bool CategoryFlagIsTrue(QStringView stored);

}  // namespace lum
