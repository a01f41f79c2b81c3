#include "schedule/user_sheet_form.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "clients/person_store.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "common/calendar_helpers.h"
#include "schedule/open_cure_dialog.h"
#include "schedule/schedule_menu_form.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QMenuBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

TUserSheetForm* UserSheetForm = nullptr;

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace {
constexpr int kColumns = 34;
constexpr int kNumberWidth = 82;
constexpr int kNameWidth = 107;
constexpr int kDayWidth = 23;
constexpr int kTotalWidth = 45;
constexpr int kGridWidth = kNumberWidth + kNameWidth + kDayWidth * lum::SummaryDays + kTotalWidth;

void abortBox(const QString& text, QWidget* parent) { lum::message(MsgKind::Error, text, MsgButton::Abort, parent); }
}  // namespace

TUserSheetForm::TUserSheetForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("UserSheetForm"));
    setWindowTitle(QStringLiteral("治療予約状況サマリー"));
    setFont(lum::uiFont(10));

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = MainMenu->addMenu(QStringLiteral("ファイル"));
    OpenMenu = file->addAction(QStringLiteral("開く"));
    OpenMenu->setObjectName(QStringLiteral("OpenMenu"));
    CloseMenu = file->addAction(QStringLiteral("閉じる"));
    CloseMenu->setObjectName(QStringLiteral("CloseMenu"));
    MainMenu->setGeometry(0, 0, 400, 22);
    auto tool = [this](const char* name, const QString& caption, QStyle::StandardPixmap icon, int left) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setToolTip(caption);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setGeometry(left, 22, 86, 25);
        return b;
    };
    OpenButton = tool("OpenButton", QStringLiteral("開く"), QStyle::SP_DialogOpenButton, 4);
    CloseButton = tool("CloseButton", QStringLiteral("閉じる"), QStyle::SP_DialogCloseButton, 92);

    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The header: captions over the number and name columns, each day's
    // number over its weekday above its column, the total's caption.
    auto* header = new QWidget(MainPanel);
    header->setObjectName(QStringLiteral("HeaderPanel"));
    header->setFixedSize(kGridWidth, 44);
    auto caption = [header](const QString& text, int left, int width) {
        auto* l = new QLabel(text, header);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Raised);
        l->setGeometry(left, 0, width, 44);
    };
    caption(QStringLiteral("治療番号"), 0, kNumberWidth);
    caption(QStringLiteral("利用者名"), kNumberWidth, kNameWidth);
    caption(QStringLiteral("日数計"), kGridWidth - kTotalWidth, kTotalWidth);
    for (int d = 0; d < lum::SummaryDays; ++d) {
        const int left = kNumberWidth + kNameWidth + d * kDayWidth;
        for (int part = 0; part < 2; ++part) {
            auto* l = new QLabel(header);
            l->setObjectName(QStringLiteral("%1%2").arg(part == 0 ? u'L' : u'w').arg(d + 1));
            l->setAlignment(Qt::AlignCenter);
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Raised);
            l->setGeometry(left, part * 22, kDayWidth, 22);
            (part == 0 ? L : w)[static_cast<size_t>(d)] = l;
        }
    }
    StrGrid = new QTableWidget(0, kColumns, MainPanel);
    StrGrid->setObjectName(QStringLiteral("StrGrid"));
    StrGrid->horizontalHeader()->hide();
    StrGrid->verticalHeader()->hide();
    StrGrid->verticalHeader()->setDefaultSectionSize(22);
    StrGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StrGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StrGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StrGrid->setColumnWidth(0, kNumberWidth);
    StrGrid->setColumnWidth(1, kNameWidth);
    for (int c = 2; c <= 32; ++c) StrGrid->setColumnWidth(c, kDayWidth);
    StrGrid->setColumnWidth(33, kTotalWidth);
    StrGrid->setFixedSize(kGridWidth + StrGrid->verticalScrollBar()->sizeHint().width() + 2 * StrGrid->frameWidth(),
                          22 * 24 + 2 * StrGrid->frameWidth());
    auto* legend = new QLabel(QStringLiteral("○：入所 ／ □：短期入所 ／ △：通所 ／ ◇：訪問"), MainPanel);
    legend->setObjectName(QStringLiteral("LegendLabel"));
    legend->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(header);
    layout->addWidget(StrGrid);
    layout->addWidget(legend);
    MainPanel->setFixedSize(StrGrid->width(), 44 + StrGrid->height() + legend->sizeHint().height());
    resize(MainPanel->width() + 40, kBand + MainPanel->height() + 30);
    lum::centreOnScreen(*this);

    connect(OpenButton, &QToolButton::clicked, this, &TUserSheetForm::OpenButtonClick);
    connect(OpenMenu, &QAction::triggered, this, &TUserSheetForm::OpenButtonClick);
    connect(CloseButton, &QToolButton::clicked, this, &QWidget::close);
    connect(CloseMenu, &QAction::triggered, this, &QWidget::close);
}

void TUserSheetForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ScheduleMenuForm) ScheduleMenuForm->hide();
    PlacePanel();
    ShowHeader({});
    ClearGrid(30);
}

void TUserSheetForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    MainMenu->setGeometry(0, 0, width(), 22);
    PlacePanel();
}

void TUserSheetForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ScheduleMenuForm) ScheduleMenuForm->show();
}

// Centred across, and down in the area below the band.
void TUserSheetForm::PlacePanel() {
    const int left = std::max(0, (width() - MainPanel->width()) / 2);
    const int top = std::max(0, (height() - MainPanel->height() - kBand) / 2) + kBand;
    MainPanel->move(left, top);
}

void TUserSheetForm::ClearGrid(int rows) {
    StrGrid->clearContents();
    StrGrid->setRowCount(rows);
}

void TUserSheetForm::ShowHeader(const lum::SummaryHeader& header) {
    for (size_t d = 0; d < L.size(); ++d) {
        L[d]->setText(header.Days[d]);
        w[d]->setText(header.Weekdays[d]);
        const QColor colour = header.Sunday[d] ? QColor(255, 0, 0) : QColor(Qt::black);
        for (QLabel* label : {L[d], w[d]}) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, colour);
            label->setPalette(p);
        }
    }
}

void TUserSheetForm::OpenButtonClick() {
    TOpenCureDialog& dialog = lum::openCureDialog();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    ShowMonth(lum::FirstDayOfMonth(dialog.UseMonth), dialog.RihaType, dialog.KubunCode);
}

void TUserSheetForm::ShowMonth(TDateTime monthStart, int rihaType, int kubunCode) {
    MonthStart = monthStart;
    const lum::DateRange month = lum::monthRange(MonthStart);
    NextMonthStart = month.end;
    RihaType = rihaType;
    KubunCode = kubunCode;
    ShowHeader(lum::BuildSummaryHeader(MonthStart));
    // Whatever happens next, nothing of the month shown before stays under
    // the new month's days.
    ClearGrid(30);
    std::vector<TPerson> clients;
    try {
        clients = lum::PersonStore(lum::requireFacilityDatabase()).monthClients(MonthStart, RihaType, KubunCode);
    } catch (const lum::db::DbError&) {
        abortBox(QStringLiteral("SystemError : 利用者の抽出 error "), this);
        return;
    }
    if (clients.empty()) return;
    std::vector<lum::ClientBookingDay> bookings;
    try {
        bookings = lum::BookingStore(lum::requireFacilityDatabase()).clientBookingDays(month);
    } catch (const lum::db::DbError&) {
        // Each client then shows no day and a total of 0.
        abortBox(QStringLiteral("SystemError : スケジュールの抽出 error "), this);
    }
    const std::vector<lum::SummaryRow> rows = lum::BuildBookingSummary(clients, bookings, MonthStart);
    ClearGrid(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const lum::SummaryRow& row = rows[static_cast<size_t>(r)];
        auto set = [this, r](int column, const QString& text, Qt::Alignment align) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(align | Qt::AlignVCenter);
            StrGrid->setItem(r, column, item);
        };
        set(0, row.Number, Qt::AlignLeft);
        set(1, row.Name, Qt::AlignLeft);
        for (int d = 0; d < lum::SummaryDays; ++d) set(d + 2, row.Marks[static_cast<size_t>(d)], Qt::AlignCenter);
        set(33, row.Total, Qt::AlignRight);
    }
}
