#include "schedule/staff_pick_forms.h"

#include "app/staff_box.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TStuffAllChangeForm* StuffAllChangeForm = nullptr;
TStuffSelectForm* StuffSelectForm = nullptr;

namespace {

constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QComboBox* staffBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("KaigoStuffBox"));
    box->setMinimumWidth(220);
    return box;
}

void layOut(QDialog* dialog, QComboBox* box, QLabel* error, QPushButton* cancel, QPushButton* set) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(set);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(20, 16, 20, 14);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("担当者"), dialog));
    row->addWidget(box, 1);
    layout->addLayout(row);
    if (error) layout->addWidget(error);
    layout->addLayout(buttons);
    dialog->setFixedSize(dialog->sizeHint());
    QWidget::setTabOrder(box, set);
    QWidget::setTabOrder(set, cancel);
}

}  // namespace

TStuffAllChangeForm::TStuffAllChangeForm(QWidget* parent) : QDialog(parent, kFlags) {
    setObjectName(QStringLiteral("StuffAllChangeForm"));
    setWindowTitle(QStringLiteral("担当者一括変更"));
    setFont(lum::uiFont(11));
    KaigoStuffBox = staffBox(this);
    ErrorLabel = lum::errorLabel(this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("キャンセル"), this);
    SetButton = lum::dialogButton("SetButton", QStringLiteral("設定"), this);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SetButton, &QPushButton::clicked, this, &TStuffAllChangeForm::SetButtonClick);
    layOut(this, KaigoStuffBox, ErrorLabel, CancelButton, SetButton);
}

void TStuffAllChangeForm::FormCreate() { lum::fillStaffBox(KaigoStuffBox); }

void TStuffAllChangeForm::showEvent(QShowEvent* event) {
    if (KaigoStuffBox->count() == 0) FormCreate();
    ErrorLabel->clear();
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
    KaigoStuffBox->setFocus();
}

void TStuffAllChangeForm::SetButtonClick() {
    ErrorLabel->clear();
    const int code = lum::chosenStaffCode(KaigoStuffBox);
    if (code < 0) {
        ErrorLabel->setText(QStringLiteral("担当者を指定して下さい。"));
        KaigoStuffBox->setFocus();
        return;
    }
    StuffCode = code;
    accept();
}

TStuffSelectForm::TStuffSelectForm(QWidget* parent) : QDialog(parent, kFlags) {
    setObjectName(QStringLiteral("StuffSelectForm"));
    setWindowTitle(QStringLiteral("スタックの指定"));
    setFont(lum::uiFont(11));
    KaigoStuffBox = staffBox(this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("キャンセル"), this);
    SetButton = lum::dialogButton("SetButton", QStringLiteral("設定"), this);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SetButton, &QPushButton::clicked, this, &TStuffSelectForm::SetButtonClick);
    layOut(this, KaigoStuffBox, nullptr, CancelButton, SetButton);
}

void TStuffSelectForm::FormCreate() { lum::fillStaffBox(KaigoStuffBox); }

void TStuffSelectForm::showEvent(QShowEvent* event) {
    if (KaigoStuffBox->count() == 0) FormCreate();
    QDialog::showEvent(event);  // the caller places it
    KaigoStuffBox->setFocus();
}

void TStuffSelectForm::SetButtonClick() {
    const int code = lum::chosenStaffCode(KaigoStuffBox);
    if (code < 0) {
        KaigoStuffBox->setFocus();
        return;
    }
    StuffCode = code;
    StuffName = KaigoStuffBox->currentText();
    accept();
}
