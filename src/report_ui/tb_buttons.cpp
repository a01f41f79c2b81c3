#include "report_ui/tb_buttons.h"

#include <QEnterEvent>
#include <QIcon>
#include <QPixmap>

namespace lum {

QImage grayedGlyph(const QImage& glyph) {
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) == 0) continue;
            const int g = (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) / 256;
            line[x] = qRgba(g, g, g, qAlpha(c));
        }
    }
    return out;
}

TfrSpeedButton::TfrSpeedButton(QWidget* parent) : QToolButton(parent) {
    setFixedSize(22, 22);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFocusPolicy(Qt::NoFocus);
}

void TfrSpeedButton::setGlyph(const QImage& glyph) {
    glyph_ = glyph;
    if (!glyph.isNull()) setIconSize(glyph.size());
    updateIcon();
}

void TfrSpeedButton::setMargin(int margin) {
    if (margin < -1) return;
    margin_ = margin;
}

void TfrSpeedButton::setGrayedInactive(bool on) {
    grayedInactive_ = on;
    updateIcon();
}

void TfrSpeedButton::setGroupIndex(int index) {
    groupIndex_ = index;
    setCheckable(index != 0);
}

void TfrSpeedButton::setDown(bool down) {
    if (groupIndex_ == 0 || down == isChecked()) return;
    if (!down && !allowAllUp_) {
        // Some button of the group must stay latched.
        bool other = false;
        if (parentWidget())
            for (auto* b : parentWidget()->findChildren<TfrSpeedButton*>(Qt::FindDirectChildrenOnly))
                other = other || (b != this && b->groupIndex_ == groupIndex_ && b->isChecked());
        if (!other) return;
    }
    setChecked(down);
    if (down && parentWidget())
        for (auto* b : parentWidget()->findChildren<TfrSpeedButton*>(Qt::FindDirectChildrenOnly))
            if (b != this && b->groupIndex_ == groupIndex_) b->setChecked(false);
    updateIcon();
}

void TfrSpeedButton::nextCheckState() { setDown(!isChecked()); }

bool TfrSpeedButton::showsGrey() const {
    return flat() && isEnabled() && grayedInactive_ && !mouseInside_ && !isDown() && !isChecked();
}

void TfrSpeedButton::enterEvent(QEnterEvent* event) {
    QToolButton::enterEvent(event);
    if (!flat() || !isEnabled()) return;
    mouseInside_ = true;
    updateIcon();
    emit mouseEntered();
}

void TfrSpeedButton::leaveEvent(QEvent* event) {
    QToolButton::leaveEvent(event);
    if (!mouseInside_) return;
    mouseInside_ = false;
    updateIcon();
    emit mouseLeft();
}

void TfrSpeedButton::updateIcon() {
    if (glyph_.isNull()) {
        setIcon(QIcon());
        return;
    }
    setIcon(QIcon(QPixmap::fromImage(showsGrey() ? grayedGlyph(glyph_) : glyph_)));
}

TfrTBButton::TfrTBButton(QWidget* parent) : TfrSpeedButton(parent) { setFlat(true); }

TfrTBSeparator::TfrTBSeparator(QWidget* parent) : QFrame(parent) {
    setFixedWidth(8);
    setFrameShape(QFrame::VLine);
    setFrameShadow(QFrame::Sunken);
}

void TfrTBSeparator::setDrawBevel(bool on) {
    drawBevel_ = on;
    setFrameShape(on ? QFrame::VLine : QFrame::NoFrame);
}

}  // namespace lum
