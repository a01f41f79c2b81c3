#include "widgets/widget_helpers.h"

#include "widgets/key_edit_binding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}


QPushButton* dialogButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setMinimumSize(96, 32);
    return button;
}

QLabel* errorLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("ErrorLabel"));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0xc0, 0x20, 0x20));
    label->setPalette(pal);
    label->setMinimumHeight(22);
    return label;
}

void setTabChain(const QList<QWidget*>& chain) {
    for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void editFocused(EditAction action) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) {
        if (action == EditAction::Copy) memo->copy();
        else if (action == EditAction::Cut) memo->cut();
        else memo->paste();
        return;
    }
    QLineEdit* edit = qobject_cast<QLineEdit*>(focus);
    if (auto* box = qobject_cast<QComboBox*>(focus)) edit = box->lineEdit();
    if (!edit) return;
    if (action == EditAction::Copy) {
        edit->copy();
    } else if (KeyEditBinding* keys = KeyEditBinding::of(edit)) {
        // A date's mask is never cut; a paste is typed through its editor.
        if (action == EditAction::Paste) keys->paste();
    } else if (action == EditAction::Cut) {
        edit->cut();
    } else {
        edit->paste();
    }
}

void handOverCommand(QWidget* from, QWidget* to) {
    to->setEnabled(true);
    if (from->window()->focusWidget() == from) to->setFocus(Qt::OtherFocusReason);
    from->setEnabled(false);
}

}  // namespace lum
