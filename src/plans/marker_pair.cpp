#include "plans/marker_pair.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

TMarker::TMarker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void TMarker::surround(const QWidget& caption, int margin) {
    setGeometry(caption.geometry().adjusted(-margin, -margin, margin, margin));
    raise();
}

void TMarker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

TChoiceLabel::TChoiceLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void TChoiceLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) emit chosen();
}

void TChoiceLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit chosen();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TChoiceLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

TMarkerPair::TMarkerPair(const Names& names, const QString& yesCaption, const QString& noCaption, QWidget* parent)
    : QWidget(parent) {
    YesLabel = new TChoiceLabel(yesCaption, this);
    NoLabel = new TChoiceLabel(noCaption, this);
    YesLabel->setObjectName(names.yesLabel);
    NoLabel->setObjectName(names.noLabel);
    const int w = std::max(YesLabel->sizeHint().width(), NoLabel->sizeHint().width()) + 14;
    const int h = YesLabel->sizeHint().height() + 6;
    YesLabel->setGeometry(4, 3, w, h);
    NoLabel->setGeometry(4 + w + 10, 3, w, h);
    YesShape = new TMarker(this);
    NoShape = new TMarker(this);
    YesShape->setObjectName(names.yesShape);
    NoShape->setObjectName(names.noShape);
    YesShape->surround(*YesLabel);
    NoShape->surround(*NoLabel);
    setFixedSize(8 + 2 * w + 10, h + 6);
    setChoice(Choice::None);
    connect(YesLabel, &TChoiceLabel::chosen, this, [this] { choose(true); });
    connect(NoLabel, &TChoiceLabel::chosen, this, [this] { choose(false); });
}

void TMarkerPair::setChoice(Choice choice) {
    choice_ = choice;
    YesShape->setVisible(choice == Choice::Yes);
    NoShape->setVisible(choice == Choice::No);
}

void TMarkerPair::choose(bool yes) {
    setYes(yes);
    emit clicked(yes);
}
