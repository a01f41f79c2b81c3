#include "schedule/user_attend_form.h"

#include "app/main_module.h"
#include "clients/user_search_form.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "schedule/attend_texts.h"
#include "widgets/combo_helpers.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/phrase_picking.h"
#include "widgets/widget_helpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

TUserAttendForm* UserAttendForm = nullptr;

using lum::AttendRow;
using lum::TDateTime;
namespace attend = lum::attend;

const QString TUserAttendForm::kTemplateFile = QStringLiteral("UserAttend.frf");

namespace {
enum ColumnIndex { DayColumn, WeekdayColumn, TypeColumn, CategoryColumn, StaffColumn, StartColumn, MinuteColumn };
}  // namespace

TUserAttendForm::TUserAttendForm(QWidget* parent)
    : TAttendListForm("UserAttendForm", QStringLiteral("月別利用者別予約表"),
                      {{QStringLiteral("年月日"), 130},
                       {QStringLiteral("曜日"), 60},
                       {QStringLiteral("リハビリ形態"), 96},
                       {QStringLiteral("区分"), 190},
                       {QStringLiteral("担当者"), 120},
                       {QStringLiteral("開始"), 50},
                       {QStringLiteral("時間"), 44, true}},
                      QStringLiteral("印　刷"), parent) {
    YearMonthLabel = BoxLabel("YearMonthLabel", 120);
    Hizuke = DateArrows();
    UserSearch = new QPushButton(QStringLiteral("検索"), MainPanel);
    UserSearch->setObjectName(QStringLiteral("UserSearch"));
    Display = new QPushButton(QStringLiteral("表示"), MainPanel);
    Display->setObjectName(QStringLiteral("Display"));
    for (QPushButton* b : {UserSearch, Display}) {
        b->setAutoDefault(true);
        b->setMinimumSize(90, 30);
    }
    auto label = [this](const char* name, int width) { return BoxLabel(name, width, 24); };
    CureNoLabel = label("CureNoLabel", 80);
    NameLabel = label("NameLabel", 140);
    KanaLabel = label("KanaLabel", 140);
    BirthLabel = label("BirthLabel", 140);
    SexLabel = label("SexLabel", 50);
    Memo = new QPlainTextEdit(MainPanel);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setFixedHeight(70);
    Memo->setTabChangesFocus(true);
    lum::onDoubleClick(Memo, [this] { MemoDblClick(); });
    CopyMemo = new QPlainTextEdit(MainPanel);
    CopyMemo->setObjectName(QStringLiteral("CopyMemo"));
    CopyMemo->hide();

    auto* criteria = new QHBoxLayout;
    criteria->setSpacing(8);
    criteria->addWidget(YearMonthLabel);
    criteria->addWidget(Hizuke);
    criteria->addSpacing(16);
    criteria->addWidget(UserSearch);
    criteria->addWidget(Display);
    criteria->addStretch();
    auto* client = new QGridLayout;
    client->setHorizontalSpacing(8);
    client->addWidget(CaptionLabel(QStringLiteral("利用者番号")), 0, 0);
    client->addWidget(CureNoLabel, 0, 1);
    client->addWidget(CaptionLabel(QStringLiteral("氏名")), 0, 2);
    client->addWidget(NameLabel, 0, 3);
    client->addWidget(CaptionLabel(QStringLiteral("カナ")), 0, 4);
    client->addWidget(KanaLabel, 0, 5);
    client->addWidget(CaptionLabel(QStringLiteral("生年月日")), 1, 2);
    client->addWidget(BirthLabel, 1, 3);
    client->addWidget(CaptionLabel(QStringLiteral("性別")), 1, 4);
    client->addWidget(SexLabel, 1, 5, Qt::AlignLeft);
    client->setColumnStretch(6, 1);
    auto* notice = new QHBoxLayout;
    notice->addWidget(CaptionLabel(QStringLiteral("連絡欄")), 0, Qt::AlignTop);
    notice->addWidget(Memo, 1);
    PanelLayout()->insertLayout(1, criteria);
    PanelLayout()->insertLayout(2, client);
    PanelLayout()->insertLayout(4, notice);
    FinishLayout();
    lum::setTabChain({Hizuke->previousButton(), Hizuke->nextButton(), UserSearch, Display, ScheduleGrid, Memo,
                      PrintButton, ReturnButton});

    connect(Hizuke, &lum::HorizontalUpDown::stepped, this, &TUserAttendForm::HizukeClick);
    connect(UserSearch, &QPushButton::clicked, this, &TUserAttendForm::UserSearchClick);
    connect(Display, &QPushButton::clicked, this, &TUserAttendForm::DisplayClick);
    connect(PrintButton, &QPushButton::clicked, this, &TUserAttendForm::PrintButtonClick);
}

void TUserAttendForm::FormShow() {
    // The client and the notice stay from the last time.
    CloseList();
    Display->setEnabled(false);
    SetMonth(lum::FirstDayOfMonth(TDateTime::fromDate(lum::today())));
    UserSearch->setFocus();
}

void TUserAttendForm::SetMonth(TDateTime firstDay) {
    UseMonth = firstDay;
    YearMonthLabel->setText(lum::DateToEraSpacedMonthText(UseMonth));
}

// Another month closes the list, and printing with it.
void TUserAttendForm::HizukeClick(int step) {
    const QDate d = UseMonth.date().addMonths(step > 0 ? 1 : -1);
    SetMonth(TDateTime::fromYmd(d.year(), d.month(), 1));
    CloseList();
}

void TUserAttendForm::UserSearchClick() {
    TUserSearchForm& search = lum::userSearchForm();
    if (lum::runModal(search) != QDialog::Accepted) return;
    const TPerson& p = search.Person;
    CureNo = p.CureNo;
    CureNoLabel->setText(QString::number(p.CureNo));
    NameLabel->setText(p.Name);
    KanaLabel->setText(p.Kana);
    BirthLabel->setText(attend::DateCell(p.Birth));
    SexLabel->setText(lum::SexNames.at(p.Sex));
    Display->setEnabled(true);
    CloseList();
    Display->setFocus();
}

void TUserAttendForm::DisplayClick() {
    if (CureNo < 0) return;
    Hizuke->setEnabled(false);
    OpenList({-1, CureNo, lum::monthRange(UseMonth)});
    Hizuke->setEnabled(true);
}

void TUserAttendForm::MemoDblClick() { lum::PickPhrasesToClipboard(QStringLiteral("UserAttend"), 0, CopyMemo); }

QString TUserAttendForm::CellText(const AttendRow& row, int column) const {
    switch (column) {
    case DayColumn: return attend::DateCell(row.ReserveDay);
    case WeekdayColumn: return attend::WeekdayName(row.ReserveDay);
    case TypeColumn: return attend::TypeName(row.RihaType);
    case CategoryColumn: return attend::CategoryCell(row.KubunCode);
    case StaffColumn: return row.StuffName;
    case StartColumn: return attend::StartCell(row);
    case MinuteColumn: return attend::CountCell(row.WorkingMin);
    default: return QString();
    }
}

std::optional<lum::ExprValue> TUserAttendForm::Value(const QString& name, const AttendRow* row) const {
    const attend::PrintHeading heading{MainModule ? MainModule->FacilityName : QString(), printed_,
                                       YearMonthLabel->text()};
    const attend::ClientHeading client{CureNoLabel->text(), NameLabel->text(), KanaLabel->text(),
                                       BirthLabel->text(),  SexLabel->text(),  notice_};
    return attend::ClientListValue(name, row, heading, client);
}

void TUserAttendForm::PrintButtonClick() {
    if (!ListOpen()) return;
    // The notice is counted as it prints, each line break two bytes (CR LF).
    QString text = Memo->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    if (lum::cp932::byteLength(text) > kNoticeBytes) {
        lum::message(lum::MsgKind::Error, QStringLiteral("連絡事項の文字数が許容数を超えました。"),
                     lum::MsgButton::Abort, this);
        Memo->setFocus();
        return;
    }
    notice_ = Memo->toPlainText();
    printed_ = TDateTime::fromDateTime(lum::now());
    PrintTemplate(kTemplateFile);
}
