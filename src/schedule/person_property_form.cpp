#include "schedule/person_property_form.h"

#include "common/kubun.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPersonPropertyForm* PersonPropertyForm = nullptr;

TPersonPropertyForm::TPersonPropertyForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("PersonPropertyForm"));
    setWindowTitle(QStringLiteral("利用者情報"));
    setFont(lum::uiFont(11));
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(16);
    fields->setVerticalSpacing(8);
    auto value = [&](const char* name, const char* caption, int row) {
        fields->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setMinimumWidth(240);
        fields->addWidget(label, row, 1);
        return label;
    };
    CureNoLabel = value("CureNoLabel", "治療番号", 0);
    NameLabel = value("NameLabel", "氏名", 1);
    NyushoLabel = value("NyushoLabel", "入所日", 2);
    TaishoLabel = value("TaishoLabel", "退所日", 3);
    RihaTypeLabel = value("RihaTypeLabel", "リハビリ形態", 4);
    KubunLabel = value("KubunLabel", "リハビリ種類", 5);
    CloseButton = lum::dialogButton("CloseButton", QStringLiteral("閉じる"), this);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TPersonPropertyForm::showEvent(QShowEvent* event) {
    lum::TKubun kubun;
    kubun.SetCode(KubunCode);
    CureNoLabel->setText(QString::number(CureNo));
    NameLabel->setText(UserName);
    NyushoLabel->setText(NyushoDate.isEmpty() ? QString() : NyushoDate.toDateText());
    TaishoLabel->setText(TaishoDate.isEmpty() ? QString() : TaishoDate.toDateText());
    RihaTypeLabel->setText(RihaTypeText);
    KubunLabel->setText(kubun.LongText());
    QDialog::showEvent(event);
    lum::centreOnScreen(*this);
    CloseButton->setFocus();
}
