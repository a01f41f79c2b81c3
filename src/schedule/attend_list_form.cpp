#include "schedule/attend_list_form.h"

#include "app/app_folder.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "platform/db/db_error.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "schedule/schedule_menu_form.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using lum::AttendRow;
using lum::MsgButton;
using lum::MsgKind;

TAttendListForm::TAttendListForm(const char* objectName, const QString& caption, std::vector<Column> columns,
                                 const QString& printCaption, QWidget* parent)
    : QWidget(parent), columns_(std::move(columns)) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    setFont(lum::uiFont(10));

    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    panelLayout_ = new QVBoxLayout(MainPanel);
    panelLayout_->setContentsMargins(8, 8, 8, 8);
    panelLayout_->setSpacing(8);
    auto* title = new QLabel(caption, MainPanel);
    title->setFont(lum::uiFont(16, QFont::Bold));
    panelLayout_->addWidget(title);

    ScheduleGrid = new QTableWidget(MainPanel);
    ScheduleGrid->setObjectName(QStringLiteral("ScheduleGrid"));
    ScheduleGrid->setColumnCount(static_cast<int>(columns_.size()));
    ScheduleGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ScheduleGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ScheduleGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ScheduleGrid->verticalHeader()->hide();
    ScheduleGrid->verticalHeader()->setDefaultSectionSize(22);
    // Cells on the window's colour, in black, as the paper list looks.
    QPalette grid = ScheduleGrid->palette();
    grid.setColor(QPalette::Base, palette().color(QPalette::Window));
    grid.setColor(QPalette::Text, Qt::black);
    ScheduleGrid->setPalette(grid);
    int width = 4;
    for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
        ScheduleGrid->setHorizontalHeaderItem(c, new QTableWidgetItem(columns_[static_cast<size_t>(c)].title));
        ScheduleGrid->setColumnWidth(c, columns_[static_cast<size_t>(c)].width);
        width += columns_[static_cast<size_t>(c)].width;
    }
    ScheduleGrid->setMinimumSize(width + 20, 420);
    ScheduleGrid->setFont(lum::uiFont(10));

    CountLabel = BoxLabel("CountLabel", 60);
    CountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PrintButton = new QPushButton(printCaption, MainPanel);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    ReturnButton = new QPushButton(QStringLiteral("戻　る"), MainPanel);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    for (QPushButton* b : {PrintButton, ReturnButton}) {
        b->setAutoDefault(true);
        b->setMinimumSize(100, 34);
    }
    auto* foot = new QHBoxLayout;
    foot->addWidget(new QLabel(QStringLiteral("件数"), MainPanel));
    foot->addWidget(CountLabel);
    foot->addStretch();
    foot->addWidget(PrintButton);
    foot->addWidget(ReturnButton);
    panelLayout_->addWidget(ScheduleGrid, 1);
    panelLayout_->addLayout(foot);

    Components.addDataSource(&frUserDataset1);
    frUserDataset1.OnFirst = [this](lum::TfrDataset*) { cursor_ = 0; };
    frUserDataset1.OnNext = [this](lum::TfrDataset*) { ++cursor_; };
    frUserDataset1.OnCheckEOF = [this](lum::TfrDataset*, bool& eof) { eof = cursor_ >= rows_.size(); };
    frReport1.OnGetValue = [this](const QString& name, lum::ExprValue& answer) {
        const AttendRow* row = cursor_ < rows_.size() ? &rows_[cursor_] : nullptr;
        if (auto v = Value(name, row)) answer = *v;
    };

    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    PrintButton->setEnabled(false);
}

TAttendListForm::~TAttendListForm() { Components.remove(frUserDataset1.Name); }

QLabel* TAttendListForm::CaptionLabel(const QString& text) {
    auto* l = new QLabel(text, MainPanel);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void TAttendListForm::FinishLayout() {
    MainPanel->setFixedSize(MainPanel->sizeHint());
    lum::keepCentred(*MainPanel);
    resize(MainPanel->width() + 40, MainPanel->height() + 40);
    lum::centreOnScreen(*this);
}

bool TAttendListForm::OpenList(const lum::AttendCriteria& criteria) {
    CloseList();
    std::vector<AttendRow> rows;
    try {
        rows = lum::BookingStore(lum::requireFacilityDatabase()).attendRows(criteria);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, QStringLiteral("System Error:表示に失敗しました。"), MsgButton::Abort, this);
        return false;
    }
    CountLabel->setText(QString::number(rows.size()));
    if (rows.empty()) return true;
    rows_ = std::move(rows);
    open_ = true;
    FillGrid();
    PrintButton->setEnabled(true);
    return true;
}

void TAttendListForm::CloseList() {
    rows_.clear();
    open_ = false;
    cursor_ = 0;
    ScheduleGrid->setRowCount(0);
    CountLabel->clear();  // a count never stands over rows no longer shown
    PrintButton->setEnabled(false);
}

void TAttendListForm::FillGrid() {
    ScheduleGrid->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
            auto* item = new QTableWidgetItem(CellText(rows_[static_cast<size_t>(r)], c));
            const Qt::Alignment horizontal = columns_[static_cast<size_t>(c)].alignRight ? Qt::AlignRight : Qt::AlignLeft;
            item->setTextAlignment(horizontal | Qt::AlignVCenter);
            ScheduleGrid->setItem(r, c, item);
        }
    }
}

void TAttendListForm::PrintTemplate(const QString& fileName) {
    cursor_ = 0;
    if (!frReport1.LoadTemplateFromFile(lum::applicationTemplatePath(fileName))) return;
    frReport1.PrepareAndShow();
}

void TAttendListForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    if (ScheduleMenuForm) ScheduleMenuForm->hide();
    FormShow();
}

void TAttendListForm::closeEvent(QCloseEvent* event) {
    CloseList();
    event->accept();
    if (ScheduleMenuForm) ScheduleMenuForm->show();
}

QLabel* TAttendListForm::BoxLabel(const char* objectName, int minWidth, int height) {
    auto* label = new QLabel(MainPanel);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setMinimumWidth(minWidth);
    label->setFixedHeight(height);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

lum::HorizontalUpDown* TAttendListForm::DateArrows() {
    auto* arrows = new lum::HorizontalUpDown(MainPanel);
    arrows->setObjectName(QStringLiteral("Hizuke"));
    for (QToolButton* b : {arrows->previousButton(), arrows->nextButton()}) b->setFocusPolicy(Qt::StrongFocus);
    return arrows;
}
