#include "schedule/user_book_form.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "clients/person_store.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "schedule/open_cure_dialog.h"
#include "schedule/schedule_menu_form.h"
#include "schedule/time_span.h"
#include "schedule/user_schedule_form.h"
#include "schedule/week_request_check.h"
#include "schedule/week_request_clients.h"
#include "widgets/enter_release.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TUserBookForm* UserBookForm = nullptr;

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace {

const QString kQueryFailed = QStringLiteral("SystemError : 利用者の抽出 error ");
const QString kRowMissing = QStringLiteral("*** System Error 要望テーブルデータエラー");

QString timeText(TDateTime time) {
    const int m = lum::minutesOfDay(time);
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QChar(u'0')).arg(m % 60, 2, 10, QChar(u'0'));
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); }

TUserScheduleForm& scheduleForm() {
    if (!UserScheduleForm) {
        UserScheduleForm = new TUserScheduleForm;
        QObject::connect(UserScheduleForm, &QObject::destroyed, [] { UserScheduleForm = nullptr; });
    }
    return *UserScheduleForm;
}

}  // namespace

TUserBookForm::TUserBookForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("UserBookForm"));
    setWindowTitle(QStringLiteral("利用者予約希望"));
    setFont(lum::uiFont(11));
    resize(kPanelWidth + 40, kPanelHeight + 70);

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName(QStringLiteral("ToolBarPanel"));
    auto* bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(6, 2, 6, 2);
    auto makeTool = [this, toolBar, bar](const char* name, const QString& caption, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(toolBar);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setToolTip(caption);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(80);
        bar->addWidget(b);
        return b;
    };
    OpenButton = makeTool("OpenButton", QStringLiteral("開く"), QStyle::SP_DialogOpenButton);
    SaveButton = makeTool("SaveButton", QStringLiteral("保存"), QStyle::SP_DialogSaveButton);
    ReserveButton = makeTool("ReserveButton", QStringLiteral("希望表作成"), QStyle::SP_FileDialogDetailedView);
    ToolButton4 = makeTool("ToolButton4", QStringLiteral("閉じる"), QStyle::SP_DialogCloseButton);
    bar->addStretch();

    auto* area = new QWidget(this);
    MainPanel = new QWidget(area);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(kPanelWidth, kPanelHeight);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(toolBar);
    outer->addWidget(area, 1);

    auto value = [this](const char* name, int width) {
        auto* l = new QLabel(MainPanel);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(width);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    SchduleDate = value("SchduleDate", 130);
    CureNoLabel = value("CureNoLabel", 80);
    NameLabel = value("NameLabel", 160);
    KanaLabel = value("KanaLabel", 160);
    SexLabel = value("SexLabel", 50);
    BirthLabel = value("BirthLabel", 150);
    OldLabel = value("OldLabel", 50);
    NyushoLabel = value("NyushoLabel", 150);
    TaishoLabel = value("TaishoLabel", 150);
    TypeLabel = value("TypeLabel", 110);
    KubunLabel = value("KubunLabel", 220);

    auto* panel = new QVBoxLayout(MainPanel);
    panel->setContentsMargins(8, 8, 8, 8);
    auto* info = new QGridLayout;
    info->setHorizontalSpacing(8);
    info->setVerticalSpacing(6);
    auto put = [this, info](const QString& caption, QLabel* label, int row, int column, int span = 1) {
        info->addWidget(new QLabel(caption, MainPanel), row, column * 2, Qt::AlignRight);
        info->addWidget(label, row, column * 2 + 1, 1, span);
    };
    put(QStringLiteral("利用年月"), SchduleDate, 0, 0);
    put(QStringLiteral("治療番号"), CureNoLabel, 1, 0);
    put(QStringLiteral("氏名"), NameLabel, 1, 1);
    put(QStringLiteral("カナ"), KanaLabel, 1, 2);
    put(QStringLiteral("性別"), SexLabel, 1, 3);
    put(QStringLiteral("生年月日"), BirthLabel, 2, 0);
    put(QStringLiteral("年齢"), OldLabel, 2, 1);
    put(QStringLiteral("入所日"), NyushoLabel, 2, 2);
    put(QStringLiteral("退所日"), TaishoLabel, 2, 3);
    put(QStringLiteral("リハビリ形態"), TypeLabel, 3, 0);
    put(QStringLiteral("区分"), KubunLabel, 3, 1, 3);
    panel->addLayout(info);

    auto* week = new QGridLayout;
    week->setHorizontalSpacing(6);
    week->setVerticalSpacing(4);
    week->addWidget(new QLabel(QStringLiteral("開始"), MainPanel), 1, 0, Qt::AlignRight);
    week->addWidget(new QLabel(QStringLiteral("分"), MainPanel), 2, 0, Qt::AlignRight);
    QList<QWidget*> chain;
    for (int d = 0; d < 7; ++d) {
        auto* caption = new QLabel(lum::WeekdayNames[d], MainPanel);
        caption->setAlignment(Qt::AlignCenter);
        week->addWidget(caption, 0, d + 1);
        QLineEdit*& start = StartTime[static_cast<size_t>(d)];
        start = new QLineEdit(MainPanel);
        start->setObjectName(QStringLiteral("StartTime") + twoDigits(d + 1));
        start->setFixedWidth(110);
        auto* binding = lum::KeyEditBinding::bindTime(start);
        connect(binding, &lum::KeyEditBinding::keyTyped, this, &TUserBookForm::EditChanged);
        QLineEdit*& minutes = Funn[static_cast<size_t>(d)];
        minutes = new QLineEdit(MainPanel);
        minutes->setObjectName(QStringLiteral("Funn") + twoDigits(d + 1));
        minutes->setFixedWidth(110);
        minutes->setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(minutes, &QLineEdit::textEdited, this, &TUserBookForm::EditChanged);
        week->addWidget(start, 1, d + 1);
        week->addWidget(minutes, 2, d + 1);
    }
    week->setColumnStretch(8, 1);
    panel->addLayout(week);

    UserSrchQuery = new WeekRequestClients(this);
    DBGrid1 = new QTableView(MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(UserSrchQuery);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->setColumnWidth(0, 70);
    DBGrid1->setColumnWidth(1, 150);
    for (int c = 2; c < WeekRequestClients::ColumnTotal; ++c) DBGrid1->setColumnWidth(c, c % 2 == 0 ? 52 : 42);
    DBGrid1->viewport()->installEventFilter(this);
    DBGrid1->installEventFilter(this);
    panel->addWidget(DBGrid1, 1);

    for (int d = 0; d < 7; ++d) chain << StartTime[static_cast<size_t>(d)];
    for (int d = 0; d < 7; ++d) chain << Funn[static_cast<size_t>(d)];
    chain << DBGrid1 << OpenButton << SaveButton << ReserveButton << ToolButton4;
    for (QToolButton* b : {OpenButton, SaveButton, ReserveButton, ToolButton4}) {
        b->setFocusPolicy(Qt::TabFocus);
        lum::onEnterReleased(b, [b] {
            if (b->isEnabled()) b->click();
        });
    }
    lum::setTabChain(chain);
    lum::keepCentred(*MainPanel);

    connect(OpenButton, &QToolButton::clicked, this, &TUserBookForm::OpenButtonClick);
    connect(SaveButton, &QToolButton::clicked, this, &TUserBookForm::SaveButtonClick);
    connect(ReserveButton, &QToolButton::clicked, this, &TUserBookForm::ReserveButtonClick);
    connect(ToolButton4, &QToolButton::clicked, this, &QWidget::close);
}

void TUserBookForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ScheduleMenuForm) ScheduleMenuForm->hide();
    lum::centrePanel(*MainPanel);
    if (!UserSrchQuery->Active()) {
        SchduleDate->clear();
        ClearClient();
    }
}

void TUserBookForm::closeEvent(QCloseEvent* event) {
    event->accept();
    // While the month schedule of a client is shown this window is hidden,
    // not closed; a close of its own ends the list.
    UserSrchQuery->Close();
    SchduleDate->clear();
    ClearClient();
    if (ScheduleMenuForm) ScheduleMenuForm->show();
}

bool TUserBookForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // After the view has made the row under the mouse current.
        QMetaObject::invokeMethod(this, &TUserBookForm::DBGrid1MouseUp, Qt::QueuedConnection);
    } else if (watched == DBGrid1 && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
            key == Qt::Key_Home || key == Qt::Key_End) {
            DBGrid1MouseUp();  // a row taken with the keys counts as a click on it
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUserBookForm::ClearClient() {
    ShownCureNo = 0;
    filling_ = true;
    for (QLabel* l : {CureNoLabel, NameLabel, KanaLabel, SexLabel, BirthLabel, OldLabel, NyushoLabel, TaishoLabel,
                      TypeLabel, KubunLabel}) {
        l->clear();
    }
    for (int d = 0; d < 7; ++d) {
        StartTime[static_cast<size_t>(d)]->clear();
        Funn[static_cast<size_t>(d)]->clear();
    }
    filling_ = false;
    SaveButton->setEnabled(false);
    ReserveButton->setEnabled(false);
}

void TUserBookForm::OpenButtonClick() {
    TOpenCureDialog& dialog = lum::openCureDialog();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    MonthStart = lum::FirstDayOfMonth(dialog.UseMonth);
    const QDate next = MonthStart.date().addMonths(1);
    NextMonthStart = TDateTime::fromYmd(next.year(), next.month(), 1);
    RihaType = dialog.RihaType;
    KubunCode = dialog.KubunCode;
    SchduleDate->setText(lum::DateToEraMonthText(MonthStart));
    // Another month's list: nobody is shown, so neither button can act on a
    // client the list no longer holds.
    ClearClient();
    UserSrchQuery->Close();
    try {
        UserSrchQuery->Open(lum::requireFacilityDatabase(), MonthStart, RihaType, KubunCode);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, kQueryFailed, MsgButton::Abort);
    }
}

int TUserBookForm::ShownRow() const { return ShownCureNo > 0 ? UserSrchQuery->RowOf(ShownCureNo) : -1; }

void TUserBookForm::DBGrid1MouseUp() {
    ReserveButton->setEnabled(false);
    const QModelIndex current = DBGrid1->currentIndex();
    if (!UserSrchQuery->Active() || UserSrchQuery->rowCount() == 0 || !current.isValid()) return;
    ShowClient(UserSrchQuery->Row(current.row()));
    StartTime[0]->setFocus();
    SaveButton->setEnabled(true);
    ReserveButton->setEnabled(true);
}

void TUserBookForm::ShowClient(const TPerson& p) {
    ShownCureNo = p.CureNo;
    CureNoLabel->setText(QString::number(p.CureNo));
    NameLabel->setText(p.Name);
    KanaLabel->setText(p.Kana);
    SexLabel->setText(lum::SexNames[p.Sex]);
    BirthLabel->setText(lum::DateToEraText(p.Birth));
    OldLabel->setText(QString::number(lum::AgeInYears(p.Birth, TDateTime::fromDate(lum::today()))));
    NyushoLabel->setText(lum::DateToEraText(p.NYUSHOBI_YMD));
    TaishoLabel->setText(p.TAISHOBI_YMD.isEmpty() ? QString() : lum::DateToEraText(p.TAISHOBI_YMD));
    TypeLabel->setText(lum::RihaTypeNames[p.RihaType]);
    kubun_.SetCode(p.KubunCode);
    KubunLabel->setText(kubun_.LongText());
    filling_ = true;
    for (int d = 0; d < 7; ++d) {
        StartTime[static_cast<size_t>(d)]->setText(timeText(p.Reserve[static_cast<size_t>(d)]));
        Funn[static_cast<size_t>(d)]->setText(QString::number(p.Funn[static_cast<size_t>(d)]));
    }
    filling_ = false;
}

void TUserBookForm::EditChanged() {
    if (!filling_) ReserveButton->setEnabled(false);
}

void TUserBookForm::SaveButtonClick() {
    if (!UserSrchQuery->Active() || UserSrchQuery->rowCount() == 0 || ShownRow() < 0) return;
    std::array<QString, 7> starts, minutes;
    for (size_t d = 0; d < 7; ++d) {
        starts[d] = StartTime[d]->text();
        minutes[d] = Funn[d]->text();
    }
    const lum::WeekRequestInput input = lum::checkWeekRequests(starts, minutes);
    if (!input.ok) {
        lum::message(MsgKind::Error, input.error, MsgButton::Ok);
        QLineEdit* field = input.field < 7 ? StartTime[static_cast<size_t>(input.field)]
                                           : Funn[static_cast<size_t>(input.field - 7)];
        field->setFocus();
        return;
    }
    Week = input.week;
    const int cureNo = ShownCureNo;
    std::array<TDateTime, lum::WeekDays> reserve{};
    std::array<int, lum::WeekDays> funn{};
    for (size_t d = 0; d < 7; ++d) {
        reserve[d] = Week[d].StartTime;
        funn[d] = Week[d].Minutes;
    }
    lum::db::Database& db = lum::requireFacilityDatabase();
    QString failure;
    MsgButton failureButton = MsgButton::Ok;
    try {
        lum::db::Transaction tx(db);
        try {
            lum::PersonStore(db).updateWeekRequests(cureNo, reserve, funn);
            tx.commit();
        } catch (const lum::db::DbError&) {
            failure = kRowMissing;  // rolled back as the transaction ends
        }
    } catch (const lum::db::TransactionStartError& e) {
        failure = QStringLiteral("*** SystemError : DB Trans Start error %1").arg(e.level());
        failureButton = MsgButton::Abort;
    } catch (const lum::db::DbError&) {
        failure = kRowMissing;
    }
    if (!failure.isEmpty()) {
        lum::message(MsgKind::Error, failure, failureButton);
        return;
    }
    // The list again, with the saved client still the one shown and selected.
    try {
        UserSrchQuery->Open(db, MonthStart, RihaType, KubunCode);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, kQueryFailed, MsgButton::Abort);
        ClearClient();
        return;
    }
    const int row = UserSrchQuery->RowOf(cureNo);
    if (row >= 0) {
        DBGrid1->setCurrentIndex(UserSrchQuery->index(row, 0));
        ShowClient(UserSrchQuery->Row(row));
        ReserveButton->setEnabled(true);
    }
    lum::message(MsgKind::Information, QStringLiteral("治療番号 : %1を保存しました").arg(cureNo), MsgButton::Ok);
}

void TUserBookForm::ReserveButtonClick() {
    const int row = ShownRow();
    if (!UserSrchQuery->Active() || UserSrchQuery->rowCount() == 0 || row < 0) return;
    const TPerson& p = UserSrchQuery->Row(row);
    lum::WeekSlots week{};
    for (size_t d = 0; d < 7; ++d) week[d] = {p.Reserve[d], p.Funn[d]};
    monthBook_.SetWeek(week);
    TUserScheduleForm& form = scheduleForm();
    monthBook_.MakeMonth(form.MonthBook, MonthStart);
    form.CureNo = p.CureNo;
    form.NyushoDate = p.NYUSHOBI_YMD;
    form.TaishoDate = p.TAISHOBI_YMD;
    form.UseMonth = MonthStart;
    form.UserName = p.Name;
    form.UserKana = p.Kana;
    form.SexText = lum::SexNames[p.Sex];
    form.AgeText = QStringLiteral("(%1歳)").arg(lum::AgeInYears(p.Birth, TDateTime::fromDate(lum::today())));
    form.BirthText = lum::DateToEraText(p.Birth);
    form.TypeText = lum::RihaTypeNames[p.RihaType];
    kubun_.SetCode(p.KubunCode);
    form.KubunText = kubun_.LongText();
    form.Opener = this;
    form.show();
    form.raise();
    form.activateWindow();
}
