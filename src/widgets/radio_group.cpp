#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lum {

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1Item%2").arg(objectName).arg(i));
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) emit itemIndexChanged(id);
    });
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // No item: the exclusive group would keep its choice, so lift it for the clear.
    if (QAbstractButton* checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
        emit itemIndexChanged(-1);
    }
}

QRadioButton* RadioGroup::item(int index) const { return qobject_cast<QRadioButton*>(buttons_->button(index)); }

int RadioGroup::count() const { return static_cast<int>(buttons_->buttons().size()); }

}  // namespace lum
