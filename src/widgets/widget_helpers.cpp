#include "widgets/widget_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace lum {

void SetButtonMultiLine(QAbstractButton* button) {
    if (button) button->update();
}

void centreOnOwner(QWidget& dialog) {
    QRect area;
    if (QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : QApplication::activeWindow();
        owner && owner != &dialog && owner->isVisible()) {
        area = owner->geometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) dialog.move(area.center() - dialog.rect().center());
}

}  // namespace lum
