#include "widgets/kana_input.h"

#include "widgets/ime.h"
#include "common/kana.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace lum {

void bindKanaField(QLineEdit* kanaEdit) {
    QObject::connect(kanaEdit, &QLineEdit::textEdited, kanaEdit, [kanaEdit](const QString& text) {
        const QString converted = toHalfWidthKatakana(text);
        if (converted == text) return;
        // Voiced letters grow by their mark: keep the caret after the same
        // characters it followed.
        const int caret = kanaEdit->cursorPosition();
        const int caretAfter = int(toHalfWidthKatakana(QStringView(text).left(caret)).size());
        kanaEdit->setText(converted);
        kanaEdit->setCursorPosition(caretAfter);
        kanaEdit->setModified(true);
    });
}

NameReadingBinding::NameReadingBinding(QLineEdit* nameEdit, QLineEdit* kanaEdit)
    : QObject(nameEdit), name_(nameEdit), kana_(kanaEdit) {
    nameEdit->installEventFilter(this);
}

bool NameReadingBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_) {
        if (enter_.isRelease(watched, event)) {
            QString reading;
            GetImeReading(name_, reading);
            // Without a conversion (no input method) there is nothing to add.
            if (!reading.isEmpty()) {
                kana_->setText(kana_->text() + toHalfWidthKatakana(reading) + u' ');
                kana_->setModified(true);
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Only leaving the field counts, not a message box or menu
            // taking the focus for a moment.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
                return QObject::eventFilter(watched, event);
            }
            QString kana = kana_->text();
            if (kana.endsWith(u' ')) {
                kana.chop(1);
                kana_->setText(kana);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lum
