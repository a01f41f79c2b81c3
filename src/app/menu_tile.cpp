#include "app/menu_tile.h"

#include "widgets/ui_font.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMouseEvent>

namespace lum {

MenuTile::MenuTile(const QString& objectName, const QString& caption, TileSymbol symbol,
                   QWidget* parent)
    : QFrame(parent), symbol_(symbol) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    picture_ = new QLabel(this);
    picture_->setObjectName(objectName + QStringLiteral("Image"));
    label_ = new QLabel(caption, this);
    label_->setObjectName(objectName + QStringLiteral("Label"));
    label_->setAlignment(Qt::AlignCenter);
    label_->setFont(uiFont(18, QFont::Bold));
    QPalette pal = label_->palette();
    pal.setColor(QPalette::WindowText, QColor(0x22, 0x22, 0x22));
    label_->setPalette(pal);
    // The children pass their clicks on to the panel.
    picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    updateLook();
}

void MenuTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        updateLook();
    }
}

void MenuTile::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    updateLook();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void MenuTile::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    picture_->setGeometry(rect());
    picture_->setPixmap(tilePicture(symbol_, size()));
    label_->setGeometry(0, height() * 68 / 100, width(), height() * 26 / 100);
}

void MenuTile::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    updateLook();
    QFrame::enterEvent(event);
}

void MenuTile::leaveEvent(QEvent* event) {
    hovered_ = false;
    pressed_ = false;
    updateLook();
    QFrame::leaveEvent(event);
}

void MenuTile::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) updateLook();
}

void MenuTile::updateLook() {
    // A disabled tile fades; a pressed one darkens a little.
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(this);
        setGraphicsEffect(effect);
    }
    double opacity = isEnabled() ? 1.0 : 0.35;
    if (isEnabled() && pressed_) opacity = 0.75;
    else if (isEnabled() && hovered_) opacity = 0.92;
    effect->setOpacity(opacity);
}

}  // namespace lum
