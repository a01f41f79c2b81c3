#include "common/widget_helpers.h"

#include <QAbstractButton>

namespace lum {

void SetButtonMultiLine(QAbstractButton* button) {
    if (button) button->update();
}

}  // namespace lum
