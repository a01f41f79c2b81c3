#pragma once
// Binds a key editor to a QLineEdit: typed characters go through the editor
// at the caret, Backspace and Delete only move the caret left (nothing is ever
// deleted from the mask), and Enter, when released, checks the text and
// reports the value. Other keys (arrows, Home, End, Tab, Enter itself) behave
// as usual; a read-only edit takes no typed keys.
#include "common/datetime.h"

#include <QObject>

class QLineEdit;

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

    QLineEdit* edit_;
    Mask mask_;
};

}  // namespace lum
