#include "widgets/era_date_field.h"

#include "common/era_text.h"
#include "widgets/key_edit_binding.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"

#include <QDateEdit>
#include <QLineEdit>

namespace lum {

EraDateField::EraDateField(QLineEdit* edit, QDateEdit* picker, QString invalidMessage)
    : QObject(edit), edit_(edit), picker_(picker), binding_(KeyEditBinding::bindEraDate(edit)),
      invalidMessage_(std::move(invalidMessage)) {
    picker_->setCalendarPopup(true);
    // The era text is the keyboard's road to the date; the picker is for the mouse.
    picker_->setFocusPolicy(Qt::ClickFocus);
    picker_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    connect(binding_, &KeyEditBinding::accepted, this, [this](TDateTime date) {
        setPicker(date.date());
        emit entered(date);
    });
    connect(binding_, &KeyEditBinding::rejected, this, [this] {
        message(MsgKind::Information, invalidMessage_, MsgButton::Ok, edit_);
        edit_->setFocus();
    });
    connect(picker_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        edit_->setText(DateToEraText(TDateTime::fromDate(date)));
        emit picked();
    });
}

void EraDateField::setPicker(const QDate& date) {
    const bool blocked = picker_->blockSignals(true);
    picker_->setDate(date);
    picker_->blockSignals(blocked);
}

void EraDateField::clear() {
    binding_->reset(-1);
    setPicker(today());
}

void EraDateField::setDate(TDateTime date) {
    if (date.value() <= 0) {
        clear();
        return;
    }
    edit_->setText(DateToEraText(date));
    edit_->setModified(false);
    setPicker(date.date());
}

std::optional<TDateTime> EraDateField::value() const { return binding_->value(); }

}  // namespace lum
