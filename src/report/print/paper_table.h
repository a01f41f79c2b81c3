#pragma once
// The paper table of the "Default printer": the platform's paper codes 1 to
// 47 and 50 to 68 with their names and portrait sizes in tenths of a
// millimetre, and 256 "Custom" (no size of its own).
#include <QString>
#include <span>

namespace lum {

struct PaperInfo {
    int code;
    const char* name;
    int width;   // tenths of a millimetre, portrait
    int height;
};

inline constexpr int kPaperCustom = 256;

std::span<const PaperInfo> paperTable();
// The table row of a code; null when the table has none.
const PaperInfo* findPaper(int code);
QString paperName(int code);
// The code whose portrait size matches (either way round) within 1 mm; 256 when none.
int paperCodeForSize(int width, int height);

}  // namespace lum
