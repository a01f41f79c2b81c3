#include "results/daily_medical_record_form.h"

#include "app/main_module.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "common/text_helpers.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

TDailyMedicalRecordForm* DailyMedicalRecordForm = nullptr;

using lum::CureResult;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString TDailyMedicalRecordForm::kTemplateFile = QStringLiteral("DailyMedicalRecord.frf");

namespace {
enum OwnColumn { CureNoColumn, NameColumn, DateColumn };

const QString kDayError = QStringLiteral("SystemError : 実施入力日 error ");

void abortBox(const QString& text, QWidget* parent) { lum::message(MsgKind::Error, text, MsgButton::Abort, parent); }
}  // namespace

TDailyMedicalRecordForm::TDailyMedicalRecordForm(QWidget* parent)
    : TMedicalRecordForm("DailyMedicalRecordForm", QStringLiteral("治療実績入力 （日別）"), "ResultLoadBtn",
                         QStringLiteral("読込"),
                         {{QStringLiteral("治療番号"), 70}, {QStringLiteral("氏名"), 88}, {QStringLiteral("利用日"), 118}},
                         parent) {
    ResultLoadBtn = FirstButton();

    auto caption = [this](const QString& text) { return CaptionLabel(text); };
    ResultInputDay = new QLineEdit(MainPanel);
    ResultInputDay->setObjectName(QStringLiteral("ResultInputDay"));
    ResultInputDay->setFixedWidth(170);
    ResultInputDay->setFont(lum::uiFont(11));
    dayBinding_ = lum::KeyEditBinding::bindEraDate(ResultInputDay);
    RihaTypeBox = new QComboBox(MainPanel);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    RihaTypeBox->setMinimumWidth(130);
    for (const QString& name : lum::RihaTypeNames) RihaTypeBox->addItem(name);
    SumButton = new QPushButton(QStringLiteral("集計"), MainPanel);
    SumButton->setObjectName(QStringLiteral("SumButton"));
    SumButton->setAutoDefault(false);
    auto total = [this](const char* name) {
        auto* l = new QLabel(MainPanel);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumSize(56, 24);
        l->setFont(lum::uiFont(11));
        return l;
    };
    PlanCountLbl = total("PlanCountLbl");
    PlanFunnLbl = total("PlanFunnLbl");
    ExecCountLbl = total("ExecCountLbl");
    ExecFunnLbl = total("ExecFunnLbl");

    auto* criteria = new QHBoxLayout;
    criteria->setSpacing(8);
    criteria->addWidget(caption(QStringLiteral("実施入力日")));
    criteria->addWidget(ResultInputDay);
    criteria->addWidget(Hizuke);
    criteria->addSpacing(20);
    criteria->addWidget(caption(QStringLiteral("担当者")));
    criteria->addWidget(TantouBox);
    criteria->addSpacing(20);
    criteria->addWidget(caption(QStringLiteral("リハビリ形態")));
    criteria->addWidget(RihaTypeBox);
    criteria->addStretch();
    auto* totals = new QHBoxLayout;
    totals->setSpacing(8);
    totals->addWidget(SumButton);
    totals->addSpacing(16);
    totals->addWidget(caption(QStringLiteral("計画　回数")));
    totals->addWidget(PlanCountLbl);
    totals->addWidget(caption(QStringLiteral("計画　時間")));
    totals->addWidget(PlanFunnLbl);
    totals->addSpacing(16);
    totals->addWidget(caption(QStringLiteral("実施　回数")));
    totals->addWidget(ExecCountLbl);
    totals->addWidget(caption(QStringLiteral("実施　時間")));
    totals->addWidget(ExecFunnLbl);
    totals->addStretch();
    PanelLayout()->insertLayout(0, criteria);
    PanelLayout()->insertSpacing(1, 10);
    PanelLayout()->insertLayout(2, totals);
    FinishLayout();

    // Tab goes through the criteria to 読込, 集計, the grid, then the other commands.
    SetTabChain({ResultInputDay, Hizuke->previousButton(), Hizuke->nextButton(), TantouBox, RihaTypeBox, ResultLoadBtn,
                 SumButton});

    // The printout walks the rows on show.
    frUserDataset1.OnFirst = [this](lum::TfrDataset*) { cursor_ = 0; };
    frUserDataset1.OnNext = [this](lum::TfrDataset*) { ++cursor_; };
    frUserDataset1.OnCheckEOF = [this](lum::TfrDataset*, bool& eof) { eof = cursor_ >= Rows().size(); };
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& answer) {
        const CureResult* row = cursor_ < Rows().size() ? &Rows()[cursor_] : nullptr;
        const QString facility = MainModule ? MainModule->FacilityName : QString();
        if (auto v = lum::DailyRecordValue(name, row, Loaded, Totals, facility, printed_)) {
            answer = *v;
        }
    };

    connect(ResultLoadBtn, &QToolButton::clicked, this, &TDailyMedicalRecordForm::ResultLoadBtnClick);
    connect(PrintButton, &QToolButton::clicked, this, &TDailyMedicalRecordForm::PrintButtonClick);
    connect(SumButton, &QPushButton::clicked, this, &TDailyMedicalRecordForm::SumButtonClick);
    connect(Hizuke, &lum::HorizontalUpDown::stepped, this, &TDailyMedicalRecordForm::HizukeClick);
    connect(dayBinding_, &lum::KeyEditBinding::accepted, this, &TDailyMedicalRecordForm::DayEntered);
    connect(dayBinding_, &lum::KeyEditBinding::rejected, this, &TDailyMedicalRecordForm::DayRefused);
}

// ---- showing and the criteria

void TDailyMedicalRecordForm::FormShow() {
    ClearTotals();
    staff_ = FillStaffBox(TantouBox);
    // The form reset: today, no staff member, no type, nothing loaded.
    Day = TDateTime::fromDate(lum::today());
    dayBinding_->reset(-2);
    RihaTypeBox->setCurrentIndex(-1);
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(false);
    SumButton->setEnabled(false);
    Loaded = {};
    CloseRows();
    ResultInputDay->setFocus();
}

void TDailyMedicalRecordForm::DayEntered(TDateTime day) { Day = day.dateOnly(); }

void TDailyMedicalRecordForm::DayRefused() {
    abortBox(kDayError, this);
    ResultInputDay->setFocus();
}

// The day moves; the rows on show stay until 読込.
void TDailyMedicalRecordForm::HizukeClick(int step) {
    Day = Day.addDays(step > 0 ? 1 : -1);
    ResultInputDay->setText(lum::DateToEraText(Day));
}

// ---- loading

std::vector<CureResult> TDailyMedicalRecordForm::ReadRows() {
    return lum::CureResultsStore(lum::requireFacilityDatabase()).staffPeriod(loadedStaff_, loadedType_,
                                                                             lum::dayRange(loadedDay_));
}

void TDailyMedicalRecordForm::ResultLoadBtnClick() {
    const std::optional<TDateTime> day = dayBinding_->value();
    if (!day) {
        abortBox(kDayError, this);
        ResultInputDay->setFocus();
        return;
    }
    Day = day->dateOnly();
    const int staff = TantouBox->currentIndex();
    if (staff < 0 || staff >= static_cast<int>(staff_.size())) {
        abortBox(QStringLiteral("SystemError : 担当者 error "), this);
        TantouBox->setFocus();
        return;
    }
    const int type = RihaTypeBox->currentIndex();
    if (type < 0) {
        abortBox(QStringLiteral("SystemError : リハビリ形態 error "), this);
        RihaTypeBox->setFocus();
        return;
    }
    CommitTyping();
    SumButton->setEnabled(false);
    ClearTotals();
    CloseRows();
    loadedDay_ = Day;
    loadedStaff_ = staff_[static_cast<size_t>(staff)].code;
    loadedType_ = type;
    // The printout is headed with what this load was for.
    Loaded = {lum::DateToEraText(Day), RihaTypeBox->currentText(), TantouBox->currentText()};
    std::optional<std::vector<CureResult>> rows = ReadNewRows();
    if (!rows) return;
    if (rows->empty()) {
        lum::message(MsgKind::Confirm, QStringLiteral("該当するスケジュールがありません。\n条件を変更してください。"),
                     MsgButton::Yes, this);
        return;
    }
    ShowNewRows(std::move(*rows));
    ShowTotals();
    SumButton->setEnabled(true);
}

QString TDailyMedicalRecordForm::OwnText(const CureResult& row, int column) const {
    switch (column) {
    case CureNoColumn:
        return lum::CureNoText(row.CureNo);
    case NameColumn:
        return row.Name;
    case DateColumn:
        return row.CureDate.isEmpty() ? QString() : lum::DateToEraText(row.CureDate);
    default:
        return QString();
    }
}

// ---- totals and printing

void TDailyMedicalRecordForm::ClearTotals() {
    Totals = {};
    for (QLabel* l : {PlanCountLbl, PlanFunnLbl, ExecCountLbl, ExecFunnLbl}) l->clear();
}

void TDailyMedicalRecordForm::ShowTotals() {
    Totals = lum::DailyRecordTotals::Of(Rows());
    PlanCountLbl->setText(QString::number(Totals.PlanCount));
    PlanFunnLbl->setText(QString::number(Totals.PlanMinutes));
    ExecCountLbl->setText(QString::number(Totals.ExecCount));
    ExecFunnLbl->setText(QString::number(Totals.ExecMinutes));
}

void TDailyMedicalRecordForm::SumButtonClick() {
    CommitTyping();
    ShowTotals();
}

void TDailyMedicalRecordForm::RowsSaved() { ShowTotals(); }

void TDailyMedicalRecordForm::PrintButtonClick() {
    CommitTyping();
    ShowTotals();
    cursor_ = 0;
    printed_ = TDateTime::fromDateTime(lum::now());
    if (!frReport1.LoadTemplateFromFile(TemplatePath(kTemplateFile))) return;
    frReport1.PrepareAndShow();
}
