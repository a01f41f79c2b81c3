#pragma once
// Kana fields store half-width katakana. Where the input method could not be
// set to half-width katakana, these bindings convert what is typed instead:
// hiragana and full-width katakana typed or pasted into a kana field become
// half-width katakana at once, and the reading taken from a name field is
// converted the same way.
#include "widgets/enter_release.h"

#include <QObject>

class QLineEdit;

namespace lum {

// Converts what the user types into the edit. The binding belongs to the edit.
void bindKanaField(QLineEdit* kanaEdit);

// The name field's reading: Enter released in the name field appends the
// reading of the conversion just made and one blank to the kana field (typing
// family name, Enter, given name, Enter gives "family given "; an Enter with
// no conversion adds nothing); leaving the name field removes one trailing
// blank from the kana field. The binding belongs to the name field.
class NameReadingBinding : public QObject {
    Q_OBJECT
public:
    NameReadingBinding(QLineEdit* nameEdit, QLineEdit* kanaEdit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* name_;
    QLineEdit* kana_;
    EnterRelease enter_;
};

}  // namespace lum
