#include "results/open_gym_dialog.h"

#include "common/calendar_helpers.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOpenGYMDialog* OpenGYMDialog = nullptr;

using lum::TDateTime;

TOpenGYMDialog::TOpenGYMDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OpenGYMDialog"));
    setWindowTitle(QStringLiteral("開く"));
    setFont(lum::uiFont(12));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* caption = new QLabel(QStringLiteral("利用年月"), this);
    DateEdit = new QLineEdit(this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setFixedWidth(150);
    binding_ = lum::KeyEditBinding::bindEraMonth(DateEdit);
    // Enter in the edit checks the month (when released) instead of pressing 開く.
    binding_->keepEnterInField();
    SeirekiLabel = new QLabel(this);
    SeirekiLabel->setObjectName(QStringLiteral("SeirekiLabel"));
    SeirekiLabel->setMinimumWidth(130);
    UpDown = new lum::HorizontalUpDown(this);
    UpDown->setObjectName(QStringLiteral("UpDown"));
    OKBtn = new QPushButton(QStringLiteral("開く"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 18, 20, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(14);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(DateEdit, 0, 1);
    grid->addWidget(UpDown, 0, 2);
    grid->addWidget(SeirekiLabel, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 2, 0, 1, 3);

    connect(binding_, &lum::KeyEditBinding::accepted, this, [this](TDateTime month) {
        UseMonth = lum::FirstDayOfMonth(month);
        ShowMonth(UseMonth);
    });
    connect(binding_, &lum::KeyEditBinding::rejected, this, &TOpenGYMDialog::ShowError);
    connect(UpDown, &lum::HorizontalUpDown::stepped, this, &TOpenGYMDialog::UpDownClick);
    connect(OKBtn, &QPushButton::clicked, this, &TOpenGYMDialog::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOpenGYMDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UseMonth = lum::FirstDayOfMonth(TDateTime::fromDate(lum::today()));
    ShowMonth(UseMonth);
    DateEdit->setText(lum::DateToEraMonthText(UseMonth));
    OKBtn->setFocus();
}

std::optional<TDateTime> TOpenGYMDialog::TypedMonth() const { return binding_->value(); }

void TOpenGYMDialog::UpDownClick(int step) {
    const auto typed = TypedMonth();
    if (!typed) {
        ShowError();
        return;
    }
    const QDate month = typed->date().addMonths(step);
    UseMonth = TDateTime::fromYmd(month.year(), month.month(), 1);
    DateEdit->setText(lum::DateToEraMonthText(UseMonth));
    ShowMonth(UseMonth);
}

void TOpenGYMDialog::OKBtnClick() {
    // The typed month counts even without Enter.
    const auto typed = TypedMonth();
    if (!typed) {
        ShowError();
        DateEdit->setFocus();
        return;
    }
    UseMonth = lum::FirstDayOfMonth(*typed);
    accept();
}

void TOpenGYMDialog::ShowMonth(TDateTime month) {
    SeirekiLabel->setStyleSheet(QStringLiteral("color: black;"));
    SeirekiLabel->setText(month.date().toString(QStringLiteral("yyyy/MM")));
}

void TOpenGYMDialog::ShowError() {
    SeirekiLabel->setStyleSheet(QStringLiteral("color: red;"));
    SeirekiLabel->setText(QStringLiteral("利用年月エラー"));
}
