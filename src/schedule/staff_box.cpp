#include "schedule/staff_box.h"

#include "app/main_module.h"

#include <QComboBox>

namespace lum {

void fillStaffBox(QComboBox* box) {
    box->clear();
    box->setEditable(false);
    if (MainModule) box->addItems(MainModule->StuffNames.mid(0, MainModule->StuffCount));
    box->setCurrentIndex(-1);
}

int chosenStaffCode(const QComboBox* box) {
    const int i = box->currentIndex();
    if (!MainModule || i < 0 || i >= MainModule->StuffCount) return -1;
    return MainModule->StuffCD[static_cast<size_t>(i)];
}

void chooseStaffCode(QComboBox* box, int code) {
    box->setCurrentIndex(MainModule ? MainModule->IndexOfStuff(code) : -1);
}

}  // namespace lum
