#include "results/result_sheet_form.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "clients/user_search_form.h"
#include "common/csv_file.h"
#include "common/code_tables.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "results/month_sheet.h"
#include "results/month_sheet_model.h"
#include "results/import_schedule_dialog.h"
#include "results/results_csv_exchange.h"
#include "results/writer_stamp.h"
#include "results/open_gym_dialog.h"
#include "results/results_edit_form.h"
#include "results/results_menu_form.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QToolButton>

TResultSheetForm* ResultSheetForm = nullptr;

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

namespace {
constexpr int kNumberWidth = 76;  // eight digits in the grid's font
constexpr int kNameWidth = 128;
constexpr int kDayWidth = 19;
constexpr int kCountWidth = 55;
constexpr int kRowHeight = 19;
constexpr int kGridLeft = 10;
constexpr int kLabelTop = 40;
constexpr int kGridTop = kLabelTop + 40;
constexpr int kGridWidth = kNumberWidth + kNameWidth + 31 * kDayWidth + kCountWidth + 20;  // with the scroll bar
constexpr int kGridHeight = 24 * kRowHeight + 4;
constexpr int kPanelWidth = kGridWidth + 2 * kGridLeft;
constexpr int kPanelHeight = kGridTop + kGridHeight + 40;

int dayColumnX(int day) { return kGridLeft + kNumberWidth + kNameWidth + (day - 1) * kDayWidth; }

void setLabelColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

TOpenGYMDialog& monthDialog() {
    if (!OpenGYMDialog) {
        OpenGYMDialog = new TOpenGYMDialog;
        QObject::connect(OpenGYMDialog, &QObject::destroyed, [] { OpenGYMDialog = nullptr; });
    }
    return *OpenGYMDialog;
}
}  // namespace

TResultSheetForm::TResultSheetForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ResultSheetForm"));
    setWindowTitle(QStringLiteral("実績入力一覧"));
    setFont(lum::uiFont(10));

    // The menu and the tool bar.
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = MainMenu->addMenu(QStringLiteral("ファイル"));
    auto addAction = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    OpenMenu = addAction(file, "OpenMenu", "開く");
    file->addSeparator();
    ImportMenu = file->addMenu(QStringLiteral("インポート"));
    ImportMenu->setObjectName(QStringLiteral("ImportMenu"));
    ImportScheduleMenu = addAction(ImportMenu, "ImportScheduleMenu", "スケジュール");
    ImportExtDataMenu = addAction(ImportMenu, "ImportExtDataMenu", "外部データ");
    file->addSeparator();
    ExportMenu = addAction(file, "ExportMenu", "エクスポート");
    file->addSeparator();
    UserAddMenu = addAction(file, "UserAddMenu", "利用者の追加");
    file->addSeparator();
    CloseMenu = addAction(file, "CloseMenu", "閉じる");

    ToolBarPanel = new QWidget(this);
    ToolBarPanel->setObjectName(QStringLiteral("ToolBarPanel"));
    auto* bar = new QHBoxLayout(ToolBarPanel);
    bar->setContentsMargins(6, 2, 6, 2);
    auto makeTool = [this, bar](const char* name, const char* caption, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(ToolBarPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromUtf8(caption));
        b->setToolTip(QString::fromUtf8(caption));
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(72);
        bar->addWidget(b);
        return b;
    };
    OpenButton = makeTool("OpenButton", "開く", QStyle::SP_DialogOpenButton);
    ImportButton = makeTool("ImportButton", "インポート", QStyle::SP_ArrowDown);
    UserAddButton = makeTool("UserAddButton", "利用者追加", QStyle::SP_FileDialogNewFolder);
    ReturnButton = makeTool("ReturnButton", "閉じる", QStyle::SP_DialogCloseButton);
    bar->addStretch();

    // The sheet.
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(kPanelWidth, kPanelHeight);
    auto label = [this](const QString& text, int x, int y, int w, int h = 18) {
        auto* l = new QLabel(text, MainPanel);
        l->setGeometry(x, y, w, h);
        return l;
    };
    label(QStringLiteral("治療番号"), kGridLeft + 4, kLabelTop + 20, kNumberWidth);
    label(QStringLiteral("利用者名"), kGridLeft + kNumberWidth + 4, kLabelTop + 20, kNameWidth);
    label(QStringLiteral("日数計"), dayColumnX(32) + 6, kLabelTop + 20, kCountWidth);
    for (int d = 1; d <= 31; ++d) {
        QLabel* l = label(QString(), dayColumnX(d), kLabelTop, kDayWidth);
        l->setObjectName(QStringLiteral("L%1").arg(d));
        l->setAlignment(Qt::AlignCenter);
        DayLabels[d - 1] = l;
        QLabel* w = label(QString(), dayColumnX(d), kLabelTop + 20, kDayWidth);
        w->setObjectName(QStringLiteral("w%1").arg(d));
        w->setAlignment(Qt::AlignCenter);
        WeekdayLabels[d - 1] = w;
    }
    LegendLabel = label(QStringLiteral("○：入所／□　：短期入所／△：通所／◇：訪問"), kGridLeft, kGridTop + kGridHeight + 10, 420);
    LegendLabel->setObjectName(QStringLiteral("LegendLabel"));
    auto* hint = label(QStringLiteral("編集は、青線上でダブルクリック"), kGridLeft + kGridWidth - 260,
                       kGridTop + kGridHeight + 10, 260);
    hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    StrGrid = new QTableView(MainPanel);
    StrGrid->setObjectName(QStringLiteral("StrGrid"));
    StrGridModel = new lum::MonthSheetModel(this);
    StrGrid->setModel(StrGridModel);
    StrGrid->setGeometry(kGridLeft, kGridTop, kGridWidth, kGridHeight);
    StrGrid->horizontalHeader()->hide();
    StrGrid->verticalHeader()->hide();
    StrGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StrGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StrGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StrGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StrGrid->setTextElideMode(Qt::ElideNone);
    StrGrid->setWordWrap(false);
    StrGrid->setStyleSheet(QStringLiteral("QTableView { gridline-color: #8090c0; }"
                                          "QTableView::item:selected { background: #3050a0; color: white; }"));
    StrGrid->setColumnWidth(0, kNumberWidth);
    StrGrid->setColumnWidth(1, kNameWidth);
    for (int c = 2; c <= 32; ++c) StrGrid->setColumnWidth(c, kDayWidth);
    StrGrid->setColumnWidth(33, kCountWidth);
    StrGrid->viewport()->installEventFilter(this);
    StrGrid->installEventFilter(this);

    connect(OpenButton, &QToolButton::clicked, this, &TResultSheetForm::OpenButtonClick);
    connect(OpenMenu, &QAction::triggered, this, &TResultSheetForm::OpenButtonClick);
    connect(UserAddButton, &QToolButton::clicked, this, &TResultSheetForm::UserAddButtonClick);
    connect(UserAddMenu, &QAction::triggered, this, &TResultSheetForm::UserAddButtonClick);
    connect(ReturnButton, &QToolButton::clicked, this, &QWidget::close);
    connect(CloseMenu, &QAction::triggered, this, &QWidget::close);
    connect(StrGrid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        StrGridDblClick(ClickedRow >= 0 ? ClickedRow : index.row());
    });
    connect(ImportButton, &QToolButton::clicked, this, &TResultSheetForm::ImportButtonClick);
    connect(ImportScheduleMenu, &QAction::triggered, this, &TResultSheetForm::ImportButtonClick);
    connect(ExportMenu, &QAction::triggered, this, &TResultSheetForm::ExportMenuClick);
    connect(ImportExtDataMenu, &QAction::triggered, this, &TResultSheetForm::ImportExtDataMenuClick);

    resize(kPanelWidth + 40, kPanelHeight + kToolBarHeight + 60);
    lum::centreOnScreen(*this);
    ClearGrid();
}

TResultSheetForm::~TResultSheetForm() = default;

void TResultSheetForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ResultsMenuForm) ResultsMenuForm->hide();
    for (int i = 0; i < 31; ++i) {
        for (QLabel* l : {DayLabels[i], WeekdayLabels[i]}) {
            l->clear();
            setLabelColour(l, Qt::black);
        }
    }
    ClearGrid();
    Loaded = false;
    ClickedRow = -1;
    EnableUserAdd(false);
    CentrePanel();
}

void TResultSheetForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TResultSheetForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ResultsMenuForm) ResultsMenuForm->show();
}

bool TResultSheetForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a client row opens it, as a double click does.
    if (watched == StrGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            StrGridDblClick(StrGrid->currentIndex().row());
            return true;
        }
    }
    if (watched == StrGrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        ClickedRow = StrGrid->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
    }
    return QWidget::eventFilter(watched, event);
}

// The menu and tool bar on top, the panel centred horizontally and in the
// area below the tool bar, never above it.
void TResultSheetForm::CentrePanel() {
    const int barTop = MainMenu->sizeHint().height();
    MainMenu->setGeometry(0, 0, width(), barTop);
    ToolBarPanel->setGeometry(0, barTop, width(), kToolBarHeight);
    const int top = barTop + kToolBarHeight;
    const QPoint at = lum::centredPosition(QSize(width(), height() - top), MainPanel->size());
    MainPanel->move(std::max(0, at.x()), top + std::max(0, at.y()));
}

void TResultSheetForm::EnableUserAdd(bool on) {
    UserAddButton->setEnabled(on);
    UserAddMenu->setEnabled(on);
}

void TResultSheetForm::ClearGrid() { StrGridModel->clear(); }

void TResultSheetForm::OpenButtonClick() {
    TOpenGYMDialog& dialog = monthDialog();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    const lum::DateRange month = lum::monthRange(dialog.UseMonth);
    FromDate = month.begin;
    ToDate = month.end;
    Refresh();
    EnableUserAdd(true);
}

void TResultSheetForm::FillDayLabels() {
    const QDate first = FromDate.date();
    for (int d = 1; d <= 31; ++d) {
        QLabel* day = DayLabels[d - 1];
        QLabel* week = WeekdayLabels[d - 1];
        if (d > first.daysInMonth()) {
            day->clear();
            week->clear();
            continue;
        }
        const QDate date(first.year(), first.month(), d);
        day->setText(QString::number(d));
        week->setText(lum::WeekdayShortNames[date.dayOfWeek() - 1]);
        const QColor colour = date.dayOfWeek() == 7 ? QColor(Qt::red) : QColor(Qt::black);
        setLabelColour(day, colour);
        setLabelColour(week, colour);
    }
}

void TResultSheetForm::Refresh() {
    FillDayLabels();
    LoadClients();
}

void TResultSheetForm::LoadClients() {
    ClearGrid();
    Loaded = false;
    const lum::CureResultsStore store(lum::requireFacilityDatabase());
    std::vector<lum::MonthSheetRow> rows = lum::LoadMonthSheet(store, {FromDate, ToDate});
    if (rows.empty()) return;
    StrGridModel->setRows(std::move(rows));
    Loaded = true;
}

void TResultSheetForm::StrGridDblClick(int row) {
    if (!Loaded || row < 0 || row >= StrGridModel->rowCount()) return;
    bool ok = false;
    const int cureNo = StrGridModel->text(row, 0).trimmed().toInt(&ok);
    if (!ok) return;
    OpenEntry(cureNo);
}

void TResultSheetForm::UserAddButtonClick() {
    TUserSearchForm& search = lum::userSearchForm();
    if (lum::runModal(search) != QDialog::Accepted) return;
    const int cureNo = search.Person.CureNo;
    bool shown = false;
    try {
        shown = lum::CureResultsStore(lum::requireFacilityDatabase()).hasResults(cureNo, {FromDate, ToDate});
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, QStringLiteral("*** SystemError : 追加利用者の抽出 error \n") + e.text(),
                     MsgButton::Abort, this);
        return;
    }
    if (shown) {
        lum::message(MsgKind::Error, QStringLiteral("追加の利用者は、既に表示しています。"), MsgButton::Abort, this);
        return;
    }
    OpenEntry(cureNo);
}

// The copy of bookings; after a complete copy the sheet shows the month of
// the range's first day.
void TResultSheetForm::ImportButtonClick() {
    TImportScheduleDialog& dialog = lum::importScheduleDialog();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    const lum::DateRange month = lum::monthRange(dialog.FirstDay);
    FromDate = month.begin;
    ToDate = month.end;
    Refresh();
    EnableUserAdd(true);
}

// The settings the file names are kept in: the main window's, or (without
// one) the sheet's own for the run.
TRegistory& TResultSheetForm::Settings() {
    if (MainForm && MainForm->Registory) return *MainForm->Registory;
    if (!ownSettings_) {
        ownSettings_ = std::make_unique<TRegistory>();
        ownSettings_->SetDefault();
    }
    return *ownSettings_;
}

// エクスポート: the sheet's month to a CSV file.
void TResultSheetForm::ExportMenuClick() {
    TRegistory& settings = Settings();
    const QString chosen = lum::chooseFile({lum::FileMode::Save, QStringLiteral("エクスポート"), settings.Export,
                                            QStringLiteral("CSV|*.csv;*.CSV"), this});
    if (chosen.isEmpty()) return;
    settings.Export = lum::withCsvExtension(chosen);
    lum::ExportResultsCsvFile(lum::requireFacilityDatabase(), {FromDate, ToDate}, settings.Export, this);
}

// インポート > 外部データ: the results of a CSV file added to the table.
void TResultSheetForm::ImportExtDataMenuClick() {
    TRegistory& settings = Settings();
    const QString chosen = lum::chooseFile({lum::FileMode::Open, QStringLiteral("インポート"), settings.Import,
                                            QStringLiteral("CSV|*.csv;*.txt"), this});
    if (chosen.isEmpty()) return;
    settings.Import = chosen;
    lum::db::Database& db = lum::requireFacilityDatabase();
    std::vector<lum::StaffMember> staff;
    try {
        staff = lum::RunStaffList(db);
    } catch (const lum::db::DbError& e) {
        lum::message(MsgKind::Error, QStringLiteral("*** System : 介護担当者の抽出 error \n") + e.text(), MsgButton::Ok,
                     this);
        return;
    }
    lum::ImportResultsCsvFile(db, chosen, staff, lum::RunWriterStamp(), this);
}

// The entry opens over the sheet and blocks it; what it changed shows once it closes.
void TResultSheetForm::OpenEntry(int cureNo) {
    TResultsEditForm& entry = lum::resultsEditForm();
    entry.CureNo = cureNo;
    entry.FromDate = FromDate;
    entry.ToDate = ToDate;
    lum::runModal(entry);
    Refresh();
    EnableUserAdd(true);
}
