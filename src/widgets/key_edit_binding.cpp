#include "widgets/key_edit_binding.h"

#include "common/era_text.h"
#include "common/key_editors.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

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

// Keys that would change the text outside the editor: refused.
bool editsAroundTheEditor(const QKeyEvent& key) {
    for (QKeySequence::StandardKey k : {QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                                        QKeySequence::DeleteEndOfLine, QKeySequence::DeleteStartOfWord,
                                        QKeySequence::DeleteEndOfWord, QKeySequence::DeleteCompleteLine}) {
        if (key.matches(k)) return true;
    }
    return false;
}

}  // namespace

KeyEditBinding::KeyEditBinding(QLineEdit* edit, Mask mask) : QObject(edit), edit_(edit), mask_(mask) {
    setObjectName(QStringLiteral("KeyEditBinding"));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Nothing is dropped into the mask, and nothing is dragged out of it.
    edit->setAcceptDrops(false);
    edit->setDragEnabled(false);
    edit->installEventFilter(this);
}

KeyEditBinding* KeyEditBinding::of(const QLineEdit* edit) {
    return edit ? edit->findChild<KeyEditBinding*>(QStringLiteral("KeyEditBinding"), Qt::FindDirectChildrenOnly)
                : nullptr;
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

int KeyEditBinding::caretState() const {
    // Tab selects the whole text with the caret at its end; the keys still
    // belong at the start of what is selected.
    return edit_->hasSelectedText() ? int(edit_->selectionStart()) : edit_->cursorPosition();
}

void KeyEditBinding::typed(QChar key) {
    emit keyTyped();
    if (press(caretState(), key)) {
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

void KeyEditBinding::typeText(const QString& text) {
    if (edit_->isReadOnly()) return;
    for (QChar c : text.normalized(QString::NormalizationForm_KC)) {
        if (c.isPrint()) typed(c);
    }
}

void KeyEditBinding::paste() {
    if (const QClipboard* clipboard = QGuiApplication::clipboard()) typeText(clipboard->text());
}

QMenu* KeyEditBinding::contextMenu() {
    // Only what leaves the mask whole: copy, a paste through the editor, select all.
    auto* menu = new QMenu(edit_);
    auto item = [menu](const char* name, const QString& caption, const QKeySequence& keys, bool enabled) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setEnabled(enabled);
        return action;
    };
    const bool writable = !edit_->isReadOnly();
    const QClipboard* clipboard = QGuiApplication::clipboard();
    connect(item("edit-copy", QStringLiteral("コピー(&C)"), QKeySequence::Copy, edit_->hasSelectedText()),
            &QAction::triggered, edit_, &QLineEdit::copy);
    connect(item("edit-paste", QStringLiteral("貼り付け(&P)"), QKeySequence::Paste,
                 writable && clipboard && !clipboard->text().isEmpty()),
            &QAction::triggered, this, &KeyEditBinding::paste);
    menu->addSeparator();
    connect(item("select-all", QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll, !edit_->text().isEmpty()),
            &QAction::triggered, edit_, &QLineEdit::selectAll);
    return menu;
}

bool KeyEditBinding::keyPress(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) {
        // As the Left key: off a selection to its start, else one place left.
        if (edit_->hasSelectedText()) edit_->setCursorPosition(int(edit_->selectionStart()));
        else edit_->cursorBackward(false);
        return true;
    }
    if (key.matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (editsAroundTheEditor(key)) return true;
    const QString text = key.text();
    const bool isEnter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (isEnter) return keepEnter_;
    if (edit_->isReadOnly() || text.isEmpty() || !text[0].isPrint() ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    typed(text[0]);
    return true;
}

bool KeyEditBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return false;
    // The value is checked when Enter is released, as the windows expect, and
    // only for a release whose press this field received.
    if (enter_.isRelease(watched, event)) {
        if (const auto v = value()) {
            emit accepted(*v);
        } else {
            emit rejected();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::InputMethod: {
        // Digits typed with an input method still on arrive as a commit.
        typeText(static_cast<QInputMethodEvent*>(event)->commitString());
        return true;
    }
    case QEvent::KeyPress:
        return keyPress(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn: {
        // Focus given by the keyboard or with the window: the keys go into the
        // mask from its first place. Tab leaves a selection, whose start the
        // keys use; without one the caret (left at the end by setText) moves
        // to the start. A click keeps the caret where it was placed.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) return false;
        edit_->removeEventFilter(this);
        QCoreApplication::sendEvent(edit_, event);
        edit_->installEventFilter(this);
        if (!edit_->hasSelectedText()) edit_->setCursorPosition(0);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The middle button pastes the X11 selection as it stands: refused.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    case QEvent::ContextMenu: {
        QMenu* menu = contextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

}  // namespace lum
