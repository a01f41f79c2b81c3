#include "printing/print_toukei_form.h"

#include "app/registory.h"
#include "common/era_text.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/error_handler.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "printing/csv_report_writer.h"
#include "printing/print_window.h"
#include "printing/statistics_csv.h"
#include "report/engine/tfr_report.h"
#include "results/cure_results_store.h"
#include "widgets/ui_font.h"
#include "widgets/up_down.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

TPrintToukeiForm* PrintToukeiForm = nullptr;

namespace {

const QString kTemplate = QStringLiteral("Toukei.frf");
constexpr int kRowHeight = 26;
constexpr int kColumnWidth = 88;
constexpr int kTypeWidth = 104;
constexpr int kCategoryWidth = 80;

// A count cell: the window's colour, the count as "%3d" in black at size 14,
// 16 pixels from the left and 4 from the top.
class CountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        painter->fillRect(option.rect, option.palette.color(QPalette::Window));
        painter->setPen(Qt::black);
        painter->setFont(lum::uiFont(14));
        const QRect text = option.rect.adjusted(16, 4, 0, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
        painter->restore();
    }
};

// A table of fixed cells: no headers, no scrolling, nothing to select.
void fixCells(QTableWidget* t) {
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->horizontalHeader()->setMinimumSectionSize(1);
    t->verticalHeader()->setMinimumSectionSize(1);
    t->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    t->verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setFrameShape(QFrame::NoFrame);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
}

// The captions around the grid, in cells of the grid's size.
QTableWidget* captionTable(int rows, int columns, QWidget* parent) {
    auto* t = new QTableWidget(rows, columns, parent);
    fixCells(t);
    QPalette p = t->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    t->setPalette(p);
    return t;
}

void setCaption(QTableWidget* t, int row, int column, const QString& text, int rowSpan = 1, int columnSpan = 1) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    t->setItem(row, column, item);
    if (rowSpan > 1 || columnSpan > 1) t->setSpan(row, column, rowSpan, columnSpan);
}

// Hidden controls keep their place, so the panel does not jump between a
// count and キャンセル.
void keepPlaceWhenHidden(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

// The category rows: the type (入所 rows 0-3, 短期入所 4-7, 通所リハビリ 8-11,
// 訪問 12-13) and the category of each flag.
const char* const kTypeCaptions[] = {"入所", "短期入所", "通所リハビリ", "訪問"};
const char* const kCategoryCaptions[] = {"短期集中", "認知症", "集団", "個別"};
const char* const kMeasureCaptions[] = {"日　数（人）", "実人数（人）", "延人数（人）"};
const char* const kMonthFailures[] = {"３ヶ月前のデータの保存に失敗しました。", "２ヶ月前のデータの保存に失敗しました。",
                                      "１ヶ月前のデータの保存に失敗しました。"};

}  // namespace

TPrintToukeiForm::TPrintToukeiForm(QWidget* parent)
    : QWidget(parent, Qt::Window), frReport1(std::make_unique<lum::TfrReport>(&Components)) {
    MainPanel = lum::setUpPrintWindow(*this, QStringLiteral("PrintToukeiForm"), QStringLiteral("統計情報（印刷）"),
                                      {kPanelWidth, kPanelHeight});
    auto* title = lum::printWindowTitle(QStringLiteral("統計情報"), MainPanel);
    YearMonthLabel = new QLabel(MainPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setFont(lum::uiFont(14, QFont::Bold));
    YearMonthLabel->setMinimumWidth(180);
    YearMonthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Hizuke = new lum::UpDown(QStringLiteral("Hizuke"), MainPanel);
    ResultLoadBtn = lum::printWindowButton("ResultLoadBtn", QStringLiteral("表示"), MainPanel);
    CancelButton = lum::printWindowButton("CancelButton", QStringLiteral("キャンセル"), MainPanel);
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addStretch(1);
    heading->addWidget(YearMonthLabel);
    heading->addWidget(Hizuke);
    heading->addSpacing(16);
    heading->addWidget(ResultLoadBtn);
    heading->addWidget(CancelButton);

    // The grid with its captions: a caption table above it (形態, 区分,
    // 実績, the three month titles, the measures) and one beside it (the type
    // and category of each row), each cell the size of a grid cell.
    const int rows = lum::StatisticsTable::Rows;
    const int columns = lum::StatisticsTable::Columns;
    auto* captions = captionTable(3, 2 + columns, MainPanel);
    captions->setColumnWidth(0, kTypeWidth);
    captions->setColumnWidth(1, kCategoryWidth);
    captions->setFixedSize(kTypeWidth + kCategoryWidth + columns * kColumnWidth, 3 * kRowHeight);
    setCaption(captions, 0, 0, QStringLiteral("形　態"), 3, 1);
    setCaption(captions, 0, 1, QStringLiteral("区　分"), 3, 1);
    setCaption(captions, 0, 2, QStringLiteral("実　　　　績"), 1, columns);
    B2Label = new QLabel;
    B1Label = new QLabel;
    B0Label = new QLabel;
    const std::array<QLabel*, 3> monthLabels = {B2Label, B1Label, B0Label};
    const char* const monthNames[] = {"B2Label", "B1Label", "B0Label"};
    for (int m = 0; m < 3; ++m) {
        QLabel* month = monthLabels[static_cast<size_t>(m)];
        month->setObjectName(QString::fromLatin1(monthNames[m]));
        month->setAlignment(Qt::AlignCenter);
        captions->setSpan(1, 2 + 3 * m, 1, 3);
        captions->setCellWidget(1, 2 + 3 * m, month);
        for (int k = 0; k < 3; ++k) setCaption(captions, 2, 2 + 3 * m + k, QString::fromUtf8(kMeasureCaptions[k]));
    }
    auto* side = captionTable(rows, 2, MainPanel);
    side->setColumnWidth(0, kTypeWidth);
    side->setColumnWidth(1, kCategoryWidth);
    side->setFixedSize(kTypeWidth + kCategoryWidth, rows * kRowHeight);
    for (int type = 0; type < 4; ++type) {
        const int typeRows = type == 3 ? 2 : 4;
        setCaption(side, 4 * type, 0, QString::fromUtf8(kTypeCaptions[type]), typeRows, 1);
        for (int c = 0; c < typeRows; ++c) setCaption(side, 4 * type + c, 1, QString::fromUtf8(kCategoryCaptions[c]));
    }
    StringGrid1 = new QTableWidget(rows, columns, MainPanel);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    fixCells(StringGrid1);
    StringGrid1->setFixedSize(columns * kColumnWidth, rows * kRowHeight);
    StringGrid1->setItemDelegate(new CountDelegate(StringGrid1));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem);
    auto* table = new QGridLayout;
    table->setSpacing(0);
    table->addWidget(captions, 0, 0, 1, 2);
    table->addWidget(side, 1, 0);
    table->addWidget(StringGrid1, 1, 1);
    table->setColumnStretch(2, 1);

    // A path row per month, M-2 first.
    auto* paths = new QGridLayout;
    paths->setHorizontalSpacing(8);
    const auto makePathRow = [&](int row, const char* lbl, const char* edit, const char* button, QLabel*& l,
                                 QLineEdit*& e, QPushButton*& b) {
        l = new QLabel(MainPanel);
        l->setObjectName(QString::fromLatin1(lbl));
        e = new QLineEdit(MainPanel);
        e->setObjectName(QString::fromLatin1(edit));
        l->setBuddy(e);
        b = lum::printWindowButton(button, QStringLiteral("設　定"), MainPanel);
        for (QWidget* w : {static_cast<QWidget*>(l), static_cast<QWidget*>(e), static_cast<QWidget*>(b)})
            keepPlaceWhenHidden(w);
        paths->addWidget(l, row, 0);
        paths->addWidget(e, row, 1);
        paths->addWidget(b, row, 2);
    };
    makePathRow(0, "B2Lbl", "B2Edit", "B2Button", B2Lbl, B2Edit, B2Button);
    makePathRow(1, "B1Lbl", "B1Edit", "B1Button", B1Lbl, B1Edit, B1Button);
    makePathRow(2, "B0Lbl", "B0Edit", "B0Button", B0Lbl, B0Edit, B0Button);
    paths->setColumnStretch(1, 1);
    paths->setColumnMinimumWidth(0, 300);

    PrintButton = lum::printWindowButton("PrintButton", QStringLiteral("印　刷"), MainPanel);
    CSVButton = lum::printWindowButton("CSVButton", QStringLiteral("CSV出力"), MainPanel);
    ReturnButton = lum::printWindowButton("ReturnButton", QStringLiteral("戻る"), MainPanel);
    keepPlaceWhenHidden(PrintButton);
    keepPlaceWhenHidden(CSVButton);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(12);
    commands->addStretch(1);
    commands->addWidget(PrintButton);
    commands->addWidget(CSVButton);
    commands->addWidget(ReturnButton);

    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(10);
    layout->addLayout(heading);
    layout->addLayout(table);
    layout->addSpacing(6);
    layout->addLayout(paths);
    layout->addStretch(1);
    layout->addLayout(commands);

    frUserDataset1.RangeEnd = lum::reCount;
    frUserDataset2.RangeEnd = lum::reCount;
    Components.addDataSource(&frUserDataset1);
    Components.addDataSource(&frUserDataset2);
    frReport1->OnGetValue = [this](const QString& name, lum::ExprValue& value) {
        if (!Counted) return;
        if (name == u"Hizuke") value = lum::ExprValue(lum::DateToEraText(lum::TDateTime::fromDateTime(lum::now())));
        else if (name == u"Hizuke3B") value = lum::ExprValue(lum::DateToEraMonthText(Counted->first(0)));
        else if (name == u"Hizuke2B") value = lum::ExprValue(lum::DateToEraMonthText(Counted->first(1)));
        else if (name == u"Hizuke1B") value = lum::ExprValue(lum::DateToEraMonthText(Counted->first(2)));
        else if (name == u"Shisetusu") value = lum::ExprValue(lum::printFacilityName());
        else if (name == u"TokeiData")
            value = lum::ExprValue(StatisticsTable.cell(frUserDataset1.RecNo(), frUserDataset2.RecNo()));
    };

    connect(Hizuke, &lum::UpDown::stepped, this, &TPrintToukeiForm::HizukeClick);
    connect(ResultLoadBtn, &QPushButton::clicked, this, &TPrintToukeiForm::ResultLoadBtnClick);
    connect(CancelButton, &QPushButton::clicked, this, &TPrintToukeiForm::CancelButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TPrintToukeiForm::PrintButtonClick);
    connect(CSVButton, &QPushButton::clicked, this, &TPrintToukeiForm::CSVButtonClick);
    connect(B2Button, &QPushButton::clicked, this, [this] { ChoosePath(B2Edit, &TRegistory::Toukei2); });
    connect(B1Button, &QPushButton::clicked, this, [this] { ChoosePath(B1Edit, &TRegistory::Toukei1); });
    connect(B0Button, &QPushButton::clicked, this, [this] { ChoosePath(B0Edit, &TRegistory::Toukei0); });
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    CancelButtonClick();
}

TPrintToukeiForm::~TPrintToukeiForm() = default;

void TPrintToukeiForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lum::enterFromPrintMenu(*this);
    lum::centrePanel(*MainPanel);
    const QDate today = lum::today();
    setChosenMonth(today.year(), today.month());
    YearMonthLabel->setText(lum::DateToEraSpacedMonthText(ChosenMonth));
    CancelButtonClick();
    if (TRegistory* settings = lum::printSettings()) {
        B0Edit->setText(settings->Toukei0);
        B1Edit->setText(settings->Toukei1);
        B2Edit->setText(settings->Toukei2);
    }
}

void TPrintToukeiForm::closeEvent(QCloseEvent* event) {
    event->accept();
    lum::returnToPrintMenu();
}

void TPrintToukeiForm::setChosenMonth(int year, int month) {
    Year = year;
    Month = month;
    ChosenMonth = lum::TDateTime::fromYmd(year, month, 1);
}

void TPrintToukeiForm::HizukeClick(int direction) {
    const QDate moved = QDate(Year, Month, 1).addMonths(direction > 0 ? 1 : -1);
    setChosenMonth(moved.year(), moved.month());
    YearMonthLabel->setText(lum::DateToEraMonthText(ChosenMonth));
}

void TPrintToukeiForm::ResultLoadBtnClick() {
    Hizuke->setEnabled(false);
    const lum::StatisticsMonths months = lum::StatisticsMonths::ending(Year, Month);
    try {
        const lum::CureResultsStore store(lum::requireFacilityDatabase());
        StatisticsTable = lum::CountStatistics(store.periodFlags(months.span()), months);
    } catch (const std::exception&) {
        Hizuke->setEnabled(true);
        lum::message(lum::MsgKind::Error, QStringLiteral("SystemError : 統計 集計 Error "), lum::MsgButton::Abort, this);
        return;
    }
    Hizuke->setEnabled(true);
    Counted = months;
    RepaintGrid();
    const std::array<QLabel*, 3> titles = {B2Label, B1Label, B0Label};
    const std::array<QLabel*, 3> pathLabels = {B2Lbl, B1Lbl, B0Lbl};
    for (int m = 0; m < 3; ++m) {
        const QString month = lum::DateToEraMonthText(months.first(m));
        titles[static_cast<size_t>(m)]->setText(month);
        pathLabels[static_cast<size_t>(m)]->setText(month + QStringLiteral("CSVファイルの保存場所"));
    }
    ShowCountedControls(true);
    lum::handOverCommand(ResultLoadBtn, CancelButton);
}

void TPrintToukeiForm::CancelButtonClick() {
    Counted.reset();
    StatisticsTable.clear();
    lum::handOverCommand(CancelButton, ResultLoadBtn);
    ShowCountedControls(false);
    RepaintGrid();
}

void TPrintToukeiForm::ShowCountedControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{B2Label, B1Label, B0Label, B2Lbl, B1Lbl, B0Lbl, B2Edit, B1Edit,
                                                      B0Edit, B2Button, B1Button, B0Button, PrintButton, CSVButton})
        w->setVisible(on);
}

void TPrintToukeiForm::RepaintGrid() {
    for (int r = 0; r < lum::StatisticsTable::Rows; ++r)
        for (int c = 0; c < lum::StatisticsTable::Columns; ++c)
            StringGrid1->item(r, c)->setText(QString::asprintf("%3d", StatisticsTable.cell(r, c)));
    StringGrid1->viewport()->update();
}

void TPrintToukeiForm::PrintButtonClick() {
    if (!Counted) return;
    frUserDataset1.RangeEndCount = lum::StatisticsTable::Rows;
    frUserDataset2.RangeEndCount = lum::StatisticsTable::Columns;
    if (!frReport1->LoadTemplateFromFile(lum::printTemplatePath(kTemplate))) return;
    frReport1->PrepareAndShow();
}

void TPrintToukeiForm::ChoosePath(QLineEdit* edit, QString TRegistory::*setting) {
    TRegistory* settings = lum::printSettings();
    if (settings) edit->setText(settings->*setting);
    // The dialog opens with the file name it had last.
    if (!CSVSaveDialog.Execute(this)) return;
    edit->setText(CSVSaveDialog.FileName);
    if (settings) settings->*setting = CSVSaveDialog.FileName;
}

bool TPrintToukeiForm::OpenMonthRowsQuery(lum::DateRange month, std::vector<lum::CureResultEntry>& rows) {
    try {
        rows = lum::CureResultsStore(lum::requireFacilityDatabase()).periodEntries(month);
    } catch (const std::exception&) {
        lum::message(lum::MsgKind::Error, QStringLiteral("データの抽出に失敗しました。"), lum::MsgButton::Yes, this);
        return false;
    }
    if (rows.empty()) {
        lum::message(lum::MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), lum::MsgButton::Yes,
                     this);
        return false;
    }
    return true;
}

bool TPrintToukeiForm::WriteMonthCsv(int month) {
    if (!Counted) return false;
    const lum::DateRange range = Counted->ranges[static_cast<size_t>(month)];
    std::vector<lum::CureResultEntry> rows;
    lum::CsvReportMember member;
    member.quoting = lum::CsvQuoting::EveryValue;
    member.prepareData = [&] { return OpenMonthRowsQuery(range, rows); };
    member.headingLines = [] { return std::vector<lum::CsvHeadingLine>{{lum::statisticsCsvHeader()}}; };
    member.writeRows = [&](lum::CsvLineWriter& out) {
        for (const lum::CureResultEntry& row : rows) out.writeLine(lum::statisticsCsvValues(row));
    };
    return lum::CsvReportWriter(this).write(edits()[static_cast<size_t>(month)]->text(), member) ==
           lum::CsvReportWriter::Outcome::Written;
}

void TPrintToukeiForm::CSVButtonClick() {
    if (!Counted) return;
    // M-2, M-1, then M; a month that fails does not stop the next.
    for (int month = 0; month < 3; ++month) {
        bool written = false;
        try {
            written = WriteMonthCsv(month);
        } catch (...) {
            lum::reportException(std::current_exception());
        }
        if (!written) {
            lum::message(lum::MsgKind::Error, QString::fromUtf8(kMonthFailures[month]), lum::MsgButton::Yes, this);
        }
    }
    lum::message(lum::MsgKind::Information, QStringLiteral("ＣＳＶ出力を終了しました。"), lum::MsgButton::Ok, this);
}
