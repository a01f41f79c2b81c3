#pragma once
// An era-date edit with the date picker beside it: the edit takes the date
// key by key ("＿＿__年__月__日"); Enter released checks it, shows the field's
// message when it is no date and otherwise sets the picker; a date the user
// picks is written into the edit as era text. The picker is no Tab stop.
#include "common/datetime.h"

#include <QObject>
#include <QString>

#include <optional>

class QDateEdit;
class QLineEdit;

namespace lum {

class KeyEditBinding;

class EraDateField : public QObject {
    Q_OBJECT
public:
    // invalidMessage: shown (information, OK) on Enter over a text that is no date.
    EraDateField(QLineEdit* edit, QDateEdit* picker, QString invalidMessage);

    // The empty mask, and today in the picker.
    void clear();
    // The date as era text with the picker on it; 0 or less clears.
    void setDate(TDateTime date);
    // The date the edit holds, if it holds one.
    std::optional<TDateTime> value() const;

    QLineEdit* edit() const { return edit_; }
    QDateEdit* picker() const { return picker_; }

signals:
    // The user picked a date in the picker.
    void picked();
    // Enter accepted a typed date (the picker now shows it).
    void entered(lum::TDateTime date);

private:
    void setPicker(const QDate& date);

    QLineEdit* edit_;
    QDateEdit* picker_;
    KeyEditBinding* binding_;
    QString invalidMessage_;
};

}  // namespace lum
