#include "widgets/horizontal_up_down.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace lum {

HorizontalUpDown::HorizontalUpDown(QWidget* parent) : QWidget(parent) {
    previous_ = new QToolButton(this);
    previous_->setObjectName(QStringLiteral("UpDownPrevious"));
    previous_->setArrowType(Qt::LeftArrow);
    next_ = new QToolButton(this);
    next_->setObjectName(QStringLiteral("UpDownNext"));
    next_->setArrowType(Qt::RightArrow);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(previous_);
    layout->addWidget(next_);
    connect(previous_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
    connect(next_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
}

}  // namespace lum
