#pragma once
// Binds a key editor to a QLineEdit: typed characters go through the editor
// at the caret, Backspace and Delete only move the caret left (nothing is ever
// deleted from the mask), and Enter, when released, checks the text and
// reports the value. Other keys (arrows, Home, End, Tab, Enter itself) behave
// as usual; a read-only edit takes no typed keys.
//
// Where text is selected (Tab selects the whole field), the editor starts at
// the selection's start: the keys fill the mask from its first place. Pasted
// text is typed key by key through the editor; every other road by which free
// text could land in the mask (cut, undo, a drop, the X11 selection) is shut.
#include "common/datetime.h"
#include "widgets/enter_release.h"

#include <QObject>

class QKeyEvent;
class QLineEdit;
class QMenu;

namespace lum {

class KeyEditBinding : public QObject {
    Q_OBJECT
public:
    enum class Mask { EraDate, EraMonth, Time };

    // The binding belongs to the edit. The edit's input method is switched
    // off; text committed by one anyway is typed key by key.
    KeyEditBinding(QLineEdit* edit, Mask mask);

    static KeyEditBinding* bindEraDate(QLineEdit* edit) { return new KeyEditBinding(edit, Mask::EraDate); }
    static KeyEditBinding* bindEraMonth(QLineEdit* edit) { return new KeyEditBinding(edit, Mask::EraMonth); }
    static KeyEditBinding* bindTime(QLineEdit* edit) { return new KeyEditBinding(edit, Mask::Time); }

    // Runs the editor from the given state (-1 empty mask, -2 today) without
    // marking the edit as changed by the user.
    void reset(int state = -1);

    // The value of the edit's text: the date (the first of the month for a
    // year-month) or the time of day as the fraction; nullopt when invalid.
    std::optional<TDateTime> value() const;

    // The clipboard's text typed key by key at the caret (the edit menus'
    // paste, Ctrl+V and Shift+Insert come here).
    void paste();

    // The edit's context menu: copy, a paste through the editor and select
    // all (no cut, delete, undo or redo). The caller owns it.
    QMenu* contextMenu();

    // In a dialog whose button Enter would press: the binding keeps the Enter
    // press in the field (the dialog never sees it, nor does returnPressed
    // fire) and still checks the value on its release.
    void keepEnterInField() { keepEnter_ = true; }

    // The binding of an edit, or nullptr when the edit has none.
    static KeyEditBinding* of(const QLineEdit* edit);

signals:
    // Enter released on a valid text, with its value.
    void accepted(lum::TDateTime value);
    // Enter released on a text that is no valid value.
    void rejected();
    // Every key the editor received, whether or not it changed the text.
    void keyTyped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Applies the editor to the edit; returns whether the text changed.
    bool press(int state, QChar key);
    void typed(QChar key);
    void typeText(const QString& text);
    // Where the next key goes: the selection's start, else the caret.
    int caretState() const;
    bool keyPress(const QKeyEvent& key);

    QLineEdit* edit_;
    Mask mask_;
    EnterRelease enter_;
    bool keepEnter_ = false;
};

}  // namespace lum
