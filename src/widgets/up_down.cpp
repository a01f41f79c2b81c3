#include "widgets/up_down.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace lum {

UpDown::UpDown(const QString& objectName, QWidget* parent) : QAbstractSpinBox(parent) {
    setObjectName(objectName);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // Only the arrows show: the text part is empty and takes no typing.
    lineEdit()->setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
}

void UpDown::stepBy(int steps) {
    if (!isEnabled() || steps == 0) return;
    emit stepped(steps > 0 ? 1 : -1);
}

QAbstractSpinBox::StepEnabled UpDown::stepEnabled() const {
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

QSize UpDown::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    return {up.width() + 8, qMax(28, QAbstractSpinBox::sizeHint().height())};
}

}  // namespace lum
