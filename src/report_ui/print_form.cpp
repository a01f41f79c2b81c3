#include "report_ui/print_form.h"

#include "platform/ui/dialogs.h"
#include "report_ui/dialog_buttons.h"
#include "report/print/qt_printer_device.h"
#include "report/print/tfr_printer.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lum {

TfrPrintForm::TfrPrintForm(TfrPrinter& printer, QWidget* parent) : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("TfrPrintForm"));
    setWindowTitle(QStringLiteral("プリント"));
    auto* root = new QVBoxLayout(this);

    auto* printerBox = new QGroupBox(QStringLiteral("プリンタ"), this);
    auto* pl = new QHBoxLayout(printerBox);
    CB1 = new QComboBox(printerBox);
    CB1->setObjectName(QStringLiteral("CB1"));
    CB1->setMinimumWidth(240);
    PropButton = new QPushButton(QStringLiteral("プロパティ"), printerBox);
    PropButton->setObjectName(QStringLiteral("PropButton"));
    pl->addWidget(CB1, 1);
    pl->addWidget(PropButton);
    root->addWidget(printerBox);

    auto* copies = new QHBoxLayout;
    copies->addWidget(new QLabel(QStringLiteral("コピー"), this));
    E1 = new QLineEdit(QStringLiteral("1"), this);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setMaximumWidth(60);
    CopiesUp = new QPushButton(QStringLiteral("▲"), this);
    CopiesUp->setObjectName(QStringLiteral("CopiesUp"));
    CopiesDown = new QPushButton(QStringLiteral("▼"), this);
    CopiesDown->setObjectName(QStringLiteral("CopiesDown"));
    for (QPushButton* b : {CopiesUp, CopiesDown}) b->setFixedSize(22, 14);
    copies->addWidget(E1);
    copies->addWidget(CopiesUp);
    copies->addWidget(CopiesDown);
    copies->addStretch();
    root->addLayout(copies);

    auto* range = new QGroupBox(QStringLiteral("印刷範囲"), this);
    auto* rl = new QGridLayout(range);
    RB1 = new QRadioButton(QStringLiteral("全てのページ"), range);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setChecked(true);
    RB2 = new QRadioButton(QStringLiteral("表示のページ"), range);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB3 = new QRadioButton(QStringLiteral("ページ指定"), range);
    RB3->setObjectName(QStringLiteral("RB3"));
    E2 = new QLineEdit(range);
    E2->setObjectName(QStringLiteral("E2"));
    E2->installEventFilter(this);
    rl->addWidget(RB1, 0, 0);
    rl->addWidget(RB2, 1, 0);
    rl->addWidget(RB3, 2, 0);
    rl->addWidget(E2, 2, 1);
    rl->addWidget(new QLabel(QStringLiteral("ページ又は範囲の記入例\n  1,3,5-12 "), range), 3, 0, 1, 2);
    root->addWidget(range);

    const DialogButtons buttons = addDialogButtons(*this, *root, QStringLiteral("印刷"), QStringLiteral("取消"));
    OkButton = buttons.ok;
    CancelButton = buttons.cancel;

    // The platform's printers, without "Default printer".
    for (int i = 0; i < printer_.DefaultPrinterIndex; ++i) CB1->addItem(printer_.Printers.at(i));
    previous_ = printer_.PrinterIndex;
    // "Default printer" is not in the list (it prints nowhere): the dialog
    // opens on a printer it can print on, chosen as if the user had.
    const int offered = printer_.DialogPrinterIndex();
    if (offered >= 0 && offered != printer_.PrinterIndex) printer_.SelectPrinter(offered);
    CB1->setCurrentIndex(offered);
    connect(CB1, &QComboBox::activated, this, [this](int index) { printer_.SelectPrinter(index); });
    connect(PropButton, &QPushButton::clicked, this, &TfrPrintForm::chooseProperties);
    connect(CopiesUp, &QPushButton::clicked, this,
            [this] { E1->setText(QString::number(qMax(0, E1->text().toInt()) + 1)); });
    connect(CopiesDown, &QPushButton::clicked, this,
            [this] { E1->setText(QString::number(qMax(1, E1->text().toInt() - 1))); });
    connect(RB3, &QRadioButton::toggled, this, [this](bool on) {
        if (on) E2->setFocus();
    });
}

QString TfrPrintForm::pageListText(int currentPage) const {
    if (RB2->isChecked()) return QString::number(currentPage);
    if (RB3->isChecked()) return E2->text();
    return QString();
}

void TfrPrintForm::done(int result) {
    if (result != Accepted) printer_.SelectPrinter(previous_);
    QDialog::done(result);
}

bool TfrPrintForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == E2 && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn))
        RB3->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TfrPrintForm::chooseProperties() {
    if (auto* qt = dynamic_cast<QtPrinterDevice*>(printer_.device())) {
        QPageSetupDialog dialog(&qt->printer(), this);
        lum::runModal(dialog);
        printer_.FillPaperList();
    }
    CB1->setCurrentIndex(printer_.DialogPrinterIndex());
}

}  // namespace lum
