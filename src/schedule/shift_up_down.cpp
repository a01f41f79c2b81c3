#include "schedule/shift_up_down.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

ShiftUpDown::ShiftUpDown(QWidget* parent) : QWidget(parent) {
    DownButton = new QToolButton(this);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    DownButton->setArrowType(Qt::LeftArrow);
    UpButton = new QToolButton(this);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    UpButton->setArrowType(Qt::RightArrow);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(DownButton);
    layout->addWidget(UpButton);
    connect(DownButton, &QToolButton::clicked, this, [this] { stepDown(); });
    connect(UpButton, &QToolButton::clicked, this, [this] { stepUp(); });
}

void ShiftUpDown::setPosition(int position) { position_ = std::clamp(position, minimum_, std::max(minimum_, maximum_)); }

void ShiftUpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void ShiftUpDown::stepBy(int delta) {
    const int before = position_;
    setPosition(position_ + delta);
    if (position_ != before) emit clicked();
}
