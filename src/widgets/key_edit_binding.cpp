#include "widgets/key_edit_binding.h"

#include "common/era_text.h"
#include "common/key_editors.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lum {
namespace {

// "hh:mm" with a blank allowed for a leading zero.
std::optional<TDateTime> timeValue(const QString& text) {
    if (text.size() != 5 || text[2] != u':') return std::nullopt;
    bool okH = false, okM = false;
    const int h = text.left(2).trimmed().toInt(&okH);
    const int m = text.mid(3, 2).trimmed().toInt(&okM);
    if (!okH || !okM || text[1] == u' ' || text[4] == u' ' || h > 23 || m > 59 || h < 0 || m < 0)
        return std::nullopt;
    return TDateTime(static_cast<double>(h * 60 + m) / (24 * 60));
}

}  // namespace

KeyEditBinding::KeyEditBinding(QLineEdit* edit, Mask mask) : QObject(edit), edit_(edit), mask_(mask) {
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(this);
}

bool KeyEditBinding::press(int state, QChar key) {
    QString text = edit_->text();
    switch (mask_) {
    case Mask::EraDate: EraDateKeyPress(state, text, key); break;
    case Mask::EraMonth: EraMonthKeyPress(state, text, key); break;
    case Mask::Time: TimeKeyPress(state, text, key); break;
    }
    const bool changed = text != edit_->text();
    if (changed) edit_->setText(text);
    edit_->setCursorPosition(state);
    return changed;
}

void KeyEditBinding::reset(int state) {
    press(state, QChar());
    edit_->setModified(false);
}

void KeyEditBinding::typed(QChar key) {
    emit keyTyped();
    if (press(edit_->cursorPosition(), key)) {
        // setText clears the flag; the user did change the text.
        edit_->setModified(true);
        emit edit_->textEdited(edit_->text());
    }
}

std::optional<TDateTime> KeyEditBinding::value() const {
    TDateTime date;
    switch (mask_) {
    case Mask::EraDate:
        if (EraTextToDate(edit_->text(), date)) return date;
        return std::nullopt;
    case Mask::EraMonth:
        if (EraTextToDate(edit_->text().left(8) + QStringLiteral("01日"), date)) return date;
        return std::nullopt;
    case Mask::Time:
        return timeValue(edit_->text());
    }
    return std::nullopt;
}

bool KeyEditBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return false;
    if (event->type() == QEvent::InputMethod) {
        // Digits typed with an input method still on arrive as a commit.
        const auto* im = static_cast<QInputMethodEvent*>(event);
        const QString keys = im->commitString().normalized(QString::NormalizationForm_KC);
        if (!edit_->isReadOnly())
            for (QChar c : keys) typed(c);
        return true;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* ke = static_cast<QKeyEvent*>(event);
    const bool isEnter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    if (event->type() == QEvent::KeyRelease) {
        // The value is checked when Enter is released, as the windows expect.
        if (isEnter && !ke->isAutoRepeat()) {
            if (const auto v = value()) {
                emit accepted(*v);
            } else {
                emit rejected();
            }
        }
        return false;
    }
    if (ke->key() == Qt::Key_Backspace || ke->key() == Qt::Key_Delete) {
        edit_->cursorBackward(false);
        return true;
    }
    const QString text = ke->text();
    if (isEnter || edit_->isReadOnly() || text.isEmpty() || !text[0].isPrint() ||
        (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    typed(text[0]);
    return true;
}

}  // namespace lum
