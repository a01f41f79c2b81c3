#include "results/person_medical_record_form.h"

#include "app/main_module.h"
#include "clients/user_search_form.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "platform/clock.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "common/text_helpers.h"
#include "widgets/enter_release.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

TPersonMedicalRecordForm* PersonMedicalRecordForm = nullptr;

using lum::CureResult;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

const QString TPersonMedicalRecordForm::kTemplateFile = QStringLiteral("RihaPersonKirokusho.frf");

namespace {
enum OwnColumn { DayColumn, StaffColumn };
// The empty date as the client labels show it.
const QString kNoDate = QStringLiteral("＿＿ __年__月__日");

QString dateOrMask(TDateTime date) { return date.isEmpty() ? kNoDate : lum::DateToEraText(date); }
}  // namespace

TPersonMedicalRecordForm::TPersonMedicalRecordForm(QWidget* parent)
    : TMedicalRecordForm("PersonMedicalRecordForm", QStringLiteral("治療実績入力 （個人）"), "OpenButton",
                         QStringLiteral("開く"),
                         {{QStringLiteral("利用日"), 72}, {QStringLiteral("担当者"), 92}}, parent) {
    OpenButton = FirstButton();

    auto caption = [this](const QString& text) { return CaptionLabel(text); };
    auto value = [this](const char* name, int width) {
        auto* l = new QLabel(MainPanel);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(width);
        l->setMinimumHeight(24);
        l->setFont(lum::uiFont(11));
        return l;
    };

    // The month, the client number and the staff member to open.
    YearMonthLabel = new QLabel(MainPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setFont(lum::uiFont(14, QFont::Bold));
    YearMonthLabel->setMinimumWidth(150);
    CureEdit = new QLineEdit(MainPanel);
    CureEdit->setObjectName(QStringLiteral("CureEdit"));
    CureEdit->setFixedWidth(110);
    CureEdit->setMaxLength(9);
    CureEdit->setFont(lum::uiFont(11));
    UserSearchBtn = new QPushButton(QStringLiteral("利用者検索"), MainPanel);
    UserSearchBtn->setObjectName(QStringLiteral("UserSearchBtn"));
    UserSearchBtn->setAutoDefault(false);
    TantouBox->setMinimumWidth(160);
    auto* criteria = new QHBoxLayout;
    criteria->setSpacing(8);
    criteria->addWidget(new QLabel(QStringLiteral("実施年月"), MainPanel));
    criteria->addWidget(YearMonthLabel);
    criteria->addWidget(Hizuke);
    criteria->addSpacing(24);
    criteria->addWidget(caption(QStringLiteral("治療番号")));
    criteria->addWidget(CureEdit);
    criteria->addWidget(UserSearchBtn);
    criteria->addSpacing(24);
    criteria->addWidget(caption(QStringLiteral("担当者")));
    criteria->addWidget(TantouBox);
    criteria->addStretch();

    // The client.
    CureNoLabel = value("CureNoLabel", 90);
    NameLabel = value("NameLabel", 170);
    KanaLabel = value("KanaLabel", 170);
    SexLabel = value("SexLabel", 60);
    BirthLabel = value("BirthLabel", 150);
    RihaTypeLabel = value("RihaTypeLabel", 110);
    KubunLabel = value("KubunLabel", 200);
    TaishoLabel = value("TaishoLabel", 150);
    JiritsuLabel = value("JiritsuLabel", 60);
    NinchiLabel = value("NinchiLabel", 60);
    HpTaishoLabel = value("HpTaishoLabel", 150);
    NyushoLabel = value("NyushoLabel", 150);
    auto* client = new QGridLayout;
    client->setHorizontalSpacing(8);
    client->setVerticalSpacing(4);
    auto cell = [client, &caption](int row, int column, const QString& title, QLabel* label) {
        client->addWidget(caption(title), row, column);
        client->addWidget(label, row, column + 1);
    };
    // Four to a line, the narrow ones last, so the client lies within the
    // grid's width on a 1024-wide screen.
    cell(0, 0, QStringLiteral("治療番号"), CureNoLabel);
    cell(0, 2, QStringLiteral("氏名"), NameLabel);
    cell(0, 4, QStringLiteral("氏名カナ"), KanaLabel);
    cell(0, 6, QStringLiteral("性別"), SexLabel);
    cell(1, 0, QStringLiteral("リハビリ形態"), RihaTypeLabel);
    cell(1, 2, QStringLiteral("区分"), KubunLabel);
    cell(1, 4, QStringLiteral("生年月日"), BirthLabel);
    cell(1, 6, QStringLiteral("自立度"), JiritsuLabel);
    cell(2, 0, QStringLiteral("病院退院日"), HpTaishoLabel);
    cell(2, 2, QStringLiteral("入所(開始)日"), NyushoLabel);
    cell(2, 4, QStringLiteral("退所(終了)日"), TaishoLabel);
    cell(2, 6, QStringLiteral("認知度"), NinchiLabel);
    client->setColumnStretch(8, 1);

    DateLabel = new QLabel(MainPanel);
    DateLabel->setObjectName(QStringLiteral("DateLabel"));
    DateLabel->setFont(lum::uiFont(11, QFont::Bold));

    PanelLayout()->insertLayout(0, criteria);
    PanelLayout()->insertSpacing(1, 10);
    PanelLayout()->insertLayout(2, client);
    PanelLayout()->insertSpacing(3, 10);
    PanelLayout()->insertWidget(4, DateLabel);
    FinishLayout();

    // Tab goes through the criteria to 開く, the grid, then the other commands.
    SetTabChain({Hizuke->previousButton(), Hizuke->nextButton(), CureEdit, UserSearchBtn, TantouBox, OpenButton});

    frUserDataset1.RangeEnd = lum::reCount;
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& answer) {
        if (std::optional<lum::ExprValue> v = Record.Value(name, frUserDataset1.RecNo())) answer = *v;
    };

    connect(OpenButton, &QToolButton::clicked, this, &TPersonMedicalRecordForm::OpenButtonClick);
    connect(PrintButton, &QToolButton::clicked, this, &TPersonMedicalRecordForm::PrintButtonClick);
    connect(Hizuke, &lum::HorizontalUpDown::stepped, this, &TPersonMedicalRecordForm::HizukeClick);
    connect(UserSearchBtn, &QPushButton::clicked, this, &TPersonMedicalRecordForm::UserSearchBtnClick);
    connect(CureEdit, &QLineEdit::textChanged, this, [this] { ClearClientLabels(); });
    connect(TantouBox, &QComboBox::activated, this, [this] { ClearClientLabels(); });
    lum::onEnterReleased(CureEdit, [this] { OpenButtonClick(); });
}

// ---- showing, the month and the criteria

void TPersonMedicalRecordForm::FormShow() {
    staff_ = FillStaffBox(TantouBox);
    // InitResultMonth: the current month, no staff member, no client shown.
    SetMonth(lum::FirstDayOfMonth(TDateTime::fromDate(lum::today())));
    ClearClientLabels();
    CureEdit->setFocus();
}

void TPersonMedicalRecordForm::SetMonth(TDateTime firstDay) {
    Month = firstDay;
    const lum::DateRange range = lum::monthRange(firstDay);
    FromDate = range.begin;
    ToDate = range.end;
    YearMonthLabel->setText(lum::DateToEraMonthText(Month));
}

void TPersonMedicalRecordForm::HizukeClick(int step) {
    ClearClientLabels();
    const QDate first = Month.date().addMonths(step > 0 ? 1 : -1);
    SetMonth(TDateTime::fromDate(QDate(first.year(), first.month(), 1)));
}

void TPersonMedicalRecordForm::ClearClientLabels() {
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(false);
    for (QLabel* l : {CureNoLabel, NameLabel, KanaLabel, SexLabel, BirthLabel, RihaTypeLabel, KubunLabel, TaishoLabel,
                      JiritsuLabel, NinchiLabel, HpTaishoLabel, NyushoLabel, DateLabel}) {
        l->clear();
    }
    CloseRows();
}

void TPersonMedicalRecordForm::UserSearchBtnClick() {
    PrintButton->setEnabled(false);
    TUserSearchForm& search = lum::userSearchForm();
    if (lum::runModal(search) != QDialog::Accepted) return;
    CureEdit->setText(QString::number(search.Person.CureNo));
}

// ---- opening

std::vector<CureResult> TPersonMedicalRecordForm::ReadRows() {
    return lum::CureResultsStore(lum::requireFacilityDatabase()).clientPeriod(openedCureNo_, {FromDate, ToDate},
                                                                             openedStaff_);
}

void TPersonMedicalRecordForm::OpenButtonClick() {
    const std::optional<int> number = lum::parseWholeNumber(CureEdit->text());
    if (!number) {
        lum::message(MsgKind::Error, QStringLiteral("治療番号エラー"), MsgButton::Cancel, this);
        return;
    }
    CommitTyping();
    CloseRows();
    openedCureNo_ = *number;
    const int staff = TantouBox->currentIndex();
    openedStaff_ = staff >= 0 && staff < static_cast<int>(staff_.size())
                       ? std::optional<int>(staff_[static_cast<size_t>(staff)].code)
                       : std::nullopt;
    std::optional<std::vector<CureResult>> rows = ReadNewRows();
    if (!rows) return;
    if (rows->empty()) {
        ClearClientLabels();
        lum::message(MsgKind::Information, QStringLiteral("条件に該当するデータがありません。"), MsgButton::Yes, this);
        return;
    }
    ShowClient(rows->front());
    ShowNewRows(std::move(*rows));
}

// The labels take the client's data as the first result holds it.
void TPersonMedicalRecordForm::ShowClient(const CureResult& first) {
    RihaTypeLabel->setText(lum::RihaTypeNames[first.RihaType]);
    Kubun.SetCode(first.KubunCode);
    KubunLabel->setText(Kubun.LongText());
    CureNoLabel->setText(lum::CureNoText(openedCureNo_));
    NameLabel->setText(first.Name);
    KanaLabel->setText(first.Kana);
    SexLabel->setText(lum::SexNames[first.Sex]);
    BirthLabel->setText(lum::DateToEraText(first.Birth));
    JiritsuLabel->setText(lum::JiritsuNames[first.Jiritsu_KBN]);
    NinchiLabel->setText(lum::NinchiNames[first.Ninchi_KBN]);
    HpTaishoLabel->setText(dateOrMask(first.HP_TAISHO_YMD));
    NyushoLabel->setText(dateOrMask(first.NYUSHOBI_YMD));
    TaishoLabel->setText(dateOrMask(first.TAISHOBI_YMD));
    DateLabel->setText(YearMonthLabel->text());
}

QString TPersonMedicalRecordForm::OwnText(const CureResult& row, int column) const {
    switch (column) {
    case DayColumn:
        return lum::DayWithWeekdayText(row.CureDate);
    case StaffColumn:
        return row.StuffName;
    default:
        return QString();
    }
}

// ---- printing

void TPersonMedicalRecordForm::PrintButtonClick() {
    if (!RowsOpen()) {
        lum::message(MsgKind::Information, QStringLiteral("抽出データがありません。"), MsgButton::Ok, this);
        return;
    }
    // Every result of each day, whichever staff member the grid shows.
    const lum::MonthRecordReport::Outcome outcome =
        Record.Build(lum::requireFacilityDatabase(), openedCureNo_, Month, staff_);
    Record.FacilityName = MainModule ? MainModule->FacilityName : QString();
    switch (outcome) {
    case lum::MonthRecordReport::Outcome::NoPlan:
        lum::message(MsgKind::Information, lum::MonthRecordReport::NoPlanText(), MsgButton::Ok, this);
        return;
    case lum::MonthRecordReport::Outcome::PlanFailed:
        lum::message(MsgKind::Error, lum::MonthRecordReport::FailureText(outcome) + u'\n' + Record.LastError,
                     MsgButton::Ok, this);
        return;
    case lum::MonthRecordReport::Outcome::LinesFailed:
        lum::message(MsgKind::Information, lum::MonthRecordReport::FailureText(outcome) + u'\n' + Record.LastError,
                     MsgButton::Ok, this);
        return;
    case lum::MonthRecordReport::Outcome::Built:
        break;
    }
    frUserDataset1.RangeEndCount = Record.DayCount();
    if (!frReport1.LoadTemplateFromFile(TemplatePath(kTemplateFile))) return;
    frReport1.PrepareAndShow();
}
