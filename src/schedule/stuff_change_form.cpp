#include "schedule/stuff_change_form.h"

#include "app/staff_box.h"
#include "common/era_text.h"
#include "schedule/frame_input_checks.h"
#include "schedule/time_span.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TStuffChangeForm* StuffChangeForm = nullptr;

TStuffChangeForm::TStuffChangeForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("StuffChangeForm"));
    setWindowTitle(QStringLiteral("担当者変更"));
    setFont(lum::uiFont(11));

    DayEdit = new QLineEdit(this);
    DayEdit->setObjectName(QStringLiteral("DayEdit"));
    auto* dayBinding = lum::KeyEditBinding::bindEraDate(DayEdit);
    KaigoStuffBox = new QComboBox(this);
    KaigoStuffBox->setObjectName(QStringLiteral("KaigoStuffBox"));
    StartTimeEdit = new QLineEdit(this);
    StartTimeEdit->setObjectName(QStringLiteral("StartTimeEdit"));
    auto* timeBinding = lum::KeyEditBinding::bindTime(StartTimeEdit);
    FunnEdit = new QLineEdit(this);
    FunnEdit->setObjectName(QStringLiteral("FunnEdit"));
    FunnEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Enter moves on: the date to the staff box, the time to the minutes.
    auto moveTo = [](QWidget* next) {
        return [next] {
            next->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(next)) edit->setCursorPosition(0);
        };
    };
    connect(dayBinding, &lum::KeyEditBinding::accepted, this, moveTo(KaigoStuffBox));
    connect(dayBinding, &lum::KeyEditBinding::rejected, this, moveTo(KaigoStuffBox));
    connect(timeBinding, &lum::KeyEditBinding::accepted, this, moveTo(FunnEdit));
    connect(timeBinding, &lum::KeyEditBinding::rejected, this, moveTo(FunnEdit));
    for (QWidget* w : {static_cast<QWidget*>(DayEdit), static_cast<QWidget*>(KaigoStuffBox),
                       static_cast<QWidget*>(StartTimeEdit), static_cast<QWidget*>(FunnEdit)}) {
        w->setMinimumWidth(180);
    }
    ErrorLabel = lum::errorLabel(this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("キャンセル"), this);
    SetButton = lum::dialogButton("SetButton", QStringLiteral("設定"), this);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SetButton, &QPushButton::clicked, this, &TStuffChangeForm::SetButtonClick);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    const std::pair<const char*, QWidget*> rows[] = {
        {"日付", DayEdit}, {"担当者", KaigoStuffBox}, {"作業開始時刻", StartTimeEdit}, {"作業時間(分)", FunnEdit}};
    int row = 0;
    for (const auto& [caption, field] : rows) {
        fields->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        fields->addWidget(field, row++, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(SetButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addLayout(fields);
    layout->addWidget(ErrorLabel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    setTabOrder(DayEdit, KaigoStuffBox);
    setTabOrder(KaigoStuffBox, StartTimeEdit);
    setTabOrder(StartTimeEdit, FunnEdit);
    setTabOrder(FunnEdit, SetButton);
    setTabOrder(SetButton, CancelButton);
}

void TStuffChangeForm::FormCreate() { lum::fillStaffBox(KaigoStuffBox); }

void TStuffChangeForm::showEvent(QShowEvent* event) {
    if (KaigoStuffBox->count() == 0) FormCreate();
    DayEdit->setText(lum::DateToEraText(WorkDay));
    // A staff code missing from the list chooses nobody, so 設定 cannot move
    // the frame to whoever was chosen last time.
    lum::chooseStaffCode(KaigoStuffBox, StuffCode);
    const int m = lum::minutesOfDay(StartTime);
    StartTimeEdit->setText(QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0')));
    FunnEdit->setText(QString::number(Minutes));
    ErrorLabel->clear();
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
    StartTimeEdit->setCursorPosition(0);
    DayEdit->setCursorPosition(0);
    KaigoStuffBox->setFocus();
}

void TStuffChangeForm::SetButtonClick() {
    const lum::FrameInput input = lum::checkStaffChange(DayEdit->text(), lum::chosenStaffCode(KaigoStuffBox),
                                                        StartTimeEdit->text(), FunnEdit->text());
    if (!input.ok) {
        ErrorLabel->setText(input.error);
        switch (input.field) {
        case lum::FrameField::Day: DayEdit->setFocus(); break;
        case lum::FrameField::Staff: KaigoStuffBox->setFocus(); break;
        case lum::FrameField::Minutes: FunnEdit->setFocus(); break;
        default: StartTimeEdit->setFocus(); break;
        }
        return;
    }
    WorkDay = input.workDay;
    StuffCode = input.staffCode;
    StartTime = input.startTime;
    Minutes = input.minutes;
    accept();
}
