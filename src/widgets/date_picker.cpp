#include "widgets/date_picker.h"

namespace lum {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
}

bool DatePicker::focusNextPrevChild(bool next) {
    // The widget's chain, not the date's sections.
    return QWidget::focusNextPrevChild(next);
}

}  // namespace lum
