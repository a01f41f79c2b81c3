#include "schedule/open_cure_dialog.h"

#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOpenCureDialog* OpenCureDialog = nullptr;

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace {

const QString kNoType = QStringLiteral("リハビリ形態が不明です。");
const QString kMonthError = QStringLiteral("利用年月 error ");
const QString kMonthUnknown = QStringLiteral("利用年月が不明です。");
constexpr int kHomeVisits = 3;  // 訪問リハビリ: two boxes only

}  // namespace

TOpenCureDialog::TOpenCureDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("OpenCureDialog"));
    setWindowTitle(QStringLiteral("治療希望　開く"));
    setFont(lum::uiFont(12));

    DateEdit = new QLineEdit(this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setFixedWidth(150);
    binding_ = lum::KeyEditBinding::bindEraMonth(DateEdit);
    binding_->keepEnterInField();
    UpDown1 = new lum::HorizontalUpDown(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    RihaTypeBox = new QComboBox(this);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    for (const QString& name : lum::RihaTypeNames) RihaTypeBox->addItem(name);
    RihaTypeBox->addItem(QStringLiteral("全て"));
    RihaTypeBox->setMinimumWidth(150);
    auto box = [this](const char* name, const QString& caption) {
        auto* b = new QCheckBox(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->hide();
        return b;
    };
    TankiBox = box("TankiBox", QStringLiteral("短期集中"));
    NinchiBox = box("NinchiBox", QStringLiteral("認知症"));
    ShudanBox = box("ShudanBox", QStringLiteral("集団"));
    KobetsuBox = box("KobetsuBox", QStringLiteral("個別"));
    OpenButton = lum::dialogButton("OpenButton", QStringLiteral("開く"), this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("キャンセル"), this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 18, 20, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    grid->addWidget(new QLabel(QStringLiteral("利用年月"), this), 0, 0);
    grid->addWidget(DateEdit, 0, 1);
    grid->addWidget(UpDown1, 0, 2, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("リハビリ形態"), this), 1, 0);
    grid->addWidget(RihaTypeBox, 1, 1, 1, 2);
    auto* boxes = new QHBoxLayout;
    for (QCheckBox* b : {TankiBox, NinchiBox, ShudanBox, KobetsuBox}) boxes->addWidget(b);
    boxes->addStretch();
    grid->addLayout(boxes, 2, 0, 1, 3);
    grid->setRowMinimumHeight(2, 24);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OpenButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 3, 0, 1, 3);
    lum::setTabChain({DateEdit, RihaTypeBox, TankiBox, NinchiBox, ShudanBox, KobetsuBox, OpenButton, CancelButton});

    connect(binding_, &lum::KeyEditBinding::accepted, this, &TOpenCureDialog::DateEditEnter);
    connect(binding_, &lum::KeyEditBinding::rejected, this, &TOpenCureDialog::DateEditEnter);
    connect(UpDown1, &lum::HorizontalUpDown::stepped, this, &TOpenCureDialog::UpDown1Click);
    connect(RihaTypeBox, &QComboBox::currentIndexChanged, this, &TOpenCureDialog::RihaTypeBoxChange);
    connect(OpenButton, &QPushButton::clicked, this, &TOpenCureDialog::OpenButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TOpenCureDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    DateEdit->setText(lum::DateToEraMonthText(lum::FirstDayOfMonth(TDateTime::fromDate(lum::today()))));
    RihaTypeBox->setCurrentIndex(-1);
    for (QCheckBox* b : {TankiBox, NinchiBox, ShudanBox, KobetsuBox}) b->hide();
    DateEdit->setFocus();
    DateEdit->setCursorPosition(0);
}

std::optional<TDateTime> TOpenCureDialog::TypedMonth() const {
    TDateTime date;
    if (!lum::EraTextToDate(QString(lum::cp932::leftBytes(DateEdit->text(), 12) + QStringLiteral("01")), date))
        return std::nullopt;
    return date;
}

void TOpenCureDialog::RihaTypeBoxChange() {
    const int type = RihaTypeBox->currentIndex();
    if (type < 0) return;
    if (type < kHomeVisits) {
        NinchiBox->setText(QStringLiteral("認知症"));
        for (QCheckBox* b : {TankiBox, NinchiBox, ShudanBox, KobetsuBox}) {
            b->setChecked(true);
            b->show();
        }
    } else if (type == kHomeVisits) {
        NinchiBox->setText(QStringLiteral("認知症短期"));
        for (QCheckBox* b : {TankiBox, NinchiBox}) {
            b->setChecked(true);
            b->show();
        }
        for (QCheckBox* b : {ShudanBox, KobetsuBox}) {
            b->setChecked(false);
            b->hide();
        }
    } else {
        // 全て: the ticks stay as they were.
        for (QCheckBox* b : {TankiBox, NinchiBox, ShudanBox, KobetsuBox}) b->hide();
    }
}

void TOpenCureDialog::DateEditEnter() {
    if (const auto month = TypedMonth()) {
        UseMonth = *month;
        return;
    }
    lum::message(MsgKind::Information, kMonthUnknown, MsgButton::Ok);
    DateEdit->setFocus();
}

void TOpenCureDialog::UpDown1Click(int step) {
    const auto month = TypedMonth();
    if (!month) {
        lum::message(MsgKind::Error, kMonthError, MsgButton::Abort);
        return;
    }
    const QDate moved = month->date().addMonths(step);
    DateEdit->setText(lum::DateToEraMonthText(TDateTime::fromYmd(moved.year(), moved.month(), 1)));
}

void TOpenCureDialog::OpenButtonClick() {
    if (RihaTypeBox->currentIndex() < 0) {
        lum::message(MsgKind::Error, kNoType, MsgButton::Abort);
        return;
    }
    RihaType = RihaTypeBox->currentIndex();
    kubun_.Tanki = TankiBox->isChecked();
    kubun_.Ninchi = NinchiBox->isChecked();
    kubun_.Shudan = ShudanBox->isChecked();
    kubun_.Kobetsu = KobetsuBox->isChecked();
    KubunCode = kubun_.GetCode();
    const auto month = TypedMonth();
    if (!month) {
        lum::message(MsgKind::Error, kMonthError, MsgButton::Abort);
        return;
    }
    UseMonth = *month;
    accept();
}

namespace lum {

TOpenCureDialog& openCureDialog() {
    if (!OpenCureDialog) {
        OpenCureDialog = new TOpenCureDialog;
        QObject::connect(OpenCureDialog, &QObject::destroyed, [] { OpenCureDialog = nullptr; });
    }
    return *OpenCureDialog;
}

}  // namespace lum
