#pragma once
// The fonts of the application's windows: the Japanese gothic the install
// scripts provide, with Noto Sans CJK as the fallback.
#include <QFont>

namespace lum {

QFont uiFont(double pointSize, QFont::Weight weight = QFont::Normal);

}  // namespace lum
