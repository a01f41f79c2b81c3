#include "widgets/ui_font.h"

#include <QStringList>

namespace lum {

QFont uiFont(double pointSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAGothic")});
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    return font;
}

}  // namespace lum
