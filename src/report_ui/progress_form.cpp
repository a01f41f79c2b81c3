#include "report_ui/progress_form.h"

#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lum {

TfrProgressForm::TfrProgressForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrProgressForm"));
    // No close box: the window ends with its job or with "Cancel".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(260);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &TfrProgressForm::reject);
}

bool TfrProgressForm::runModal(const QString& caption, const QString& label, const std::function<void()>& job) {
    setWindowTitle(caption);
    Label1->setText(label);
    cancelled_ = false;
    QTimer::singleShot(0, this, [this, job] {
        job();
        if (QDialog::isVisible()) done(cancelled_ ? Rejected : Accepted);
    });
    const int result = lum::runModal(*this);
    return result == Accepted && !cancelled_;
}

void TfrProgressForm::setLabel(const QString& label) { Label1->setText(label); }

void TfrProgressForm::close(bool ok) {
    if (!ok) cancelled_ = true;
    if (QDialog::isVisible()) done(ok ? Accepted : Rejected);
}

void TfrProgressForm::processEvents() { QCoreApplication::processEvents(); }

void TfrProgressForm::reject() {
    cancelled_ = true;
    if (OnCancel) OnCancel();
    QDialog::reject();
}

}  // namespace lum
