#include "app/staff_box.h"

#include "app/main_module.h"
#include "app/staff_list.h"

#include <QComboBox>

namespace lum {

void fillStaffBox(QComboBox* box) {
    box->clear();
    box->setEditable(false);
    if (MainModule) box->addItems(MainModule->StuffNames.mid(0, MainModule->StuffCount));
    box->setCurrentIndex(-1);
}

int staffCodeAt(int index) {
    if (!MainModule || index < 0 || index >= MainModule->StuffCount ||
        index >= static_cast<int>(MainModule->StuffCD.size()))
        return -1;
    return MainModule->StuffCD[static_cast<size_t>(index)];
}

int chosenStaffCode(const QComboBox* box) { return staffCodeAt(box->currentIndex()); }

std::optional<int> namedStaffCode(const QComboBox* box) {
    const QString text = box->currentText().trimmed();
    if (text.isEmpty()) return -1;
    // Two members may share a name: the one chosen is the one meant.
    const qsizetype index = FindStaffName(
        box->count(), [box](qsizetype i) { return box->itemText(static_cast<int>(i)); }, text, box->currentIndex());
    const int code = staffCodeAt(static_cast<int>(index));
    if (code < 0) return std::nullopt;
    return code;
}

void chooseStaffCode(QComboBox* box, int code) {
    box->setCurrentIndex(MainModule ? MainModule->IndexOfStuff(code) : -1);
}

QString staffName(int code) { return MainModule ? MainModule->GetStuffName(code) : QString(); }

}  // namespace lum
