#include "report_ui/dialog_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace lum {

DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& okText, const QString& cancelText) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    DialogButtons b{new QPushButton(okText, &dialog), new QPushButton(cancelText, &dialog)};
    b.ok->setObjectName(QStringLiteral("OkButton"));
    b.ok->setDefault(true);
    b.cancel->setObjectName(QStringLiteral("CancelButton"));
    row->addWidget(b.ok);
    row->addWidget(b.cancel);
    layout.addLayout(row);
    QObject::connect(b.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return b;
}

}  // namespace lum
