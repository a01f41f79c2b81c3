#include "schedule/stuff_time_form.h"

#include "schedule/frame_input_checks.h"
#include "schedule/time_span.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TStuffTimeForm* StuffTimeForm = nullptr;

namespace {

QString timeText(lum::TDateTime time) {
    const int m = lum::minutesOfDay(time);
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0'));
}

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

TStuffTimeForm::TStuffTimeForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("StuffTimeForm"));
    setWindowTitle(QStringLiteral("時間枠"));
    setFont(lum::uiFont(11));

    StartTimeEdit = new QLineEdit(this);
    StartTimeEdit->setObjectName(QStringLiteral("StartTimeEdit"));
    startBinding_ = lum::KeyEditBinding::bindTime(StartTimeEdit);
    // Enter moves on to the minutes whatever the time holds; 設定 checks it.
    connect(startBinding_, &lum::KeyEditBinding::accepted, this, [this] { FunnEdit->setFocus(); FunnEdit->setCursorPosition(0); });
    connect(startBinding_, &lum::KeyEditBinding::rejected, this, [this] { FunnEdit->setFocus(); FunnEdit->setCursorPosition(0); });
    FunnEdit = new QLineEdit(this);
    FunnEdit->setObjectName(QStringLiteral("FunnEdit"));
    FunnEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    FunnEdit->installEventFilter(this);
    MenCount = new QSpinBox(this);
    MenCount->setObjectName(QStringLiteral("MenCount"));
    MenCount->setRange(0, 100);
    MenCount->setValue(1);
    MenCount->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(StartTimeEdit), static_cast<QWidget*>(FunnEdit),
                       static_cast<QWidget*>(MenCount)}) {
        w->setMinimumWidth(110);
    }
    MenZeroButton = lum::dialogButton("MenZeroButton", QStringLiteral("0"), this);
    MenOneButton = lum::dialogButton("MenOneButton", QStringLiteral("1"), this);
    MenFortyButton = lum::dialogButton("MenFortyButton", QStringLiteral("40"), this);
    for (auto [button, value] : {std::pair{MenZeroButton, 0}, std::pair{MenOneButton, 1}, std::pair{MenFortyButton, 40}}) {
        button->setMinimumSize(40, 28);
        connect(button, &QPushButton::clicked, this, [this, v = value] { MenCount->setValue(v); });
    }
    ErrorLabel = lum::errorLabel(this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("キャンセル"), this);
    SetButton = lum::dialogButton("SetButton", QStringLiteral("設定"), this);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SetButton, &QPushButton::clicked, this, &TStuffTimeForm::SetButtonClick);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addWidget(new QLabel(QStringLiteral("作業開始時刻"), this), 0, 0);
    fields->addWidget(StartTimeEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("作業時間(分)"), this), 1, 0);
    fields->addWidget(FunnEdit, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("制限人数"), this), 2, 0);
    fields->addWidget(MenCount, 2, 1);
    auto* presets = new QHBoxLayout;
    presets->addWidget(MenZeroButton);
    presets->addWidget(MenOneButton);
    presets->addWidget(MenFortyButton);
    fields->addLayout(presets, 2, 2);
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

    setTabOrder(StartTimeEdit, FunnEdit);
    setTabOrder(FunnEdit, MenCount);
    setTabOrder(MenCount, MenZeroButton);
    setTabOrder(MenZeroButton, MenOneButton);
    setTabOrder(MenOneButton, MenFortyButton);
    setTabOrder(MenFortyButton, SetButton);
    setTabOrder(SetButton, CancelButton);
}

void TStuffTimeForm::showEvent(QShowEvent* event) {
    if (NewFrame) {
        startBinding_->reset();
        FunnEdit->clear();  // the capacity stays as shown last
    } else {
        StartTimeEdit->setText(timeText(StartTime));
        FunnEdit->setText(QString::number(Minutes));
        MenCount->setValue(Capacity);
    }
    ErrorLabel->clear();
    QDialog::showEvent(event);
    // A new frame opens where the user clicked; a change over its window.
    if (NewFrame) {
        move(QCursor::pos());
    } else {
        lum::centreOnOwner(*this);
    }
    StartTimeEdit->setFocus();
    StartTimeEdit->setCursorPosition(0);
}

bool TStuffTimeForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        // Enter goes from the minutes to the capacity, and from there sets.
        if (watched == FunnEdit) MenCount->setFocus();
        else if (watched == MenCount) SetButtonClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TStuffTimeForm::SetButtonClick() {
    const lum::FrameInput input = lum::checkFrameTime(StartTimeEdit->text(), FunnEdit->text());
    if (!input.ok) {
        ErrorLabel->setText(input.error);
        QLineEdit* field = input.field == lum::FrameField::Minutes ? FunnEdit : StartTimeEdit;
        field->setFocus();
        return;
    }
    StartTime = input.startTime;
    Minutes = input.minutes;
    Capacity = MenCount->value();
    accept();
}
