#include "clients/kana_row_print_list.h"

#include "clients/kana_rows.h"
#include "common/text_helpers.h"
#include "widgets/widget_helpers.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSqlQuery>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace lum {

KanaRowListColumn cureNoColumn(int width, const QString& title) {
    return {QStringLiteral("CureNo"), width, title,
            [](const QSqlRecord& r) { return CureNoText(r.value(QStringLiteral("CureNo")).toInt()); }};
}

// The rows shown, by their index among the rows read.
class KanaRowListModel : public QAbstractTableModel {
public:
    KanaRowListModel(QVector<KanaRowListColumn> columns, QObject* parent)
        : QAbstractTableModel(parent), columns_(std::move(columns)) {}

    void reset(const QVector<QSqlRecord>* rows, QVector<int> shown) {
        beginResetModel();
        rows_ = rows;
        shown_ = std::move(shown);
        endResetModel();
    }
    const QSqlRecord& record(int row) const { return (*rows_)[shown_[row]]; }
    const QVector<KanaRowListColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(shown_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const KanaRowListColumn& column = columns_[index.column()];
        const QSqlRecord& r = record(index.row());
        return column.text ? column.text(r) : r.value(column.field).toString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_.size())
            return columns_[section].title;
        return {};
    }

private:
    QVector<KanaRowListColumn> columns_;
    const QVector<QSqlRecord>* rows_ = nullptr;
    QVector<int> shown_;
};

namespace {

// The platform's menu colour of the odd rows, and the selection's pale green.
const QColor kStripe(0xF0, 0xF0, 0xF0);
const QColor kSelected(192, 220, 192);

// Stripes by the row's place in the list, the selection pale green, black
// text 2 pixels right of and 3 below the cell's corner.
class StripedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QColor background = selected ? kSelected : (index.row() % 2 == 0 ? QColor(Qt::white) : kStripe);
        painter->save();
        painter->fillRect(option.rect, background);
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        const QRect text = option.rect.adjusted(2, 3, -1, 0);
        painter->setClipRect(option.rect);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
        painter->restore();
    }
};

QPushButton* listButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);  // Enter presses it while it has the focus
    return button;
}

}  // namespace

KanaRowPrintList::KanaRowPrintList(QWidget* parent, QVector<KanaRowListColumn> columns, KanaRowListOptions options)
    : QObject(parent), options_(std::move(options)), model_(new KanaRowListModel(std::move(columns), this)) {
    DBGrid1 = new QTableView(parent);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(model_);
    DBGrid1->setItemDelegate(new StripedRowDelegate(DBGrid1));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setShowGrid(true);
    DBGrid1->setWordWrap(false);
    DBGrid1->setTabKeyNavigation(false);  // Tab leaves the list; the arrows move in it
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->horizontalHeader()->setVisible(options_.titles);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < model_->columns().size(); ++c) DBGrid1->setColumnWidth(c, model_->columns()[c].width);

    for (int row = 0; row < KanaRowCount; ++row) {
        KanaButtons[row] = listButton(kanaRowButtonName(row), kanaRowCaption(row), parent);
        KanaButtons[row]->setCheckable(true);  // the row in force stays pressed
        connect(KanaButtons[row], &QPushButton::clicked, this, [this, row] { ApplyKanaFilter(row); });
    }
    AllDispBtn = listButton(QStringLiteral("AllDispBtn"), options_.showAllCaption, parent);
    connect(AllDispBtn, &QPushButton::clicked, this, [this] { ShowAll(); });
    if (options_.selectionButtons) {
        AllSelectBtn = listButton(QStringLiteral("AllSelectBtn"), QStringLiteral("全選択"), parent);
        EraseBtn = listButton(QStringLiteral("EraseBtn"), QStringLiteral("全取消"), parent);
        connect(AllSelectBtn, &QPushButton::clicked, this, &KanaRowPrintList::SelectAll);
        connect(EraseBtn, &QPushButton::clicked, this, &KanaRowPrintList::ClearSelection);
    }
    model_->reset(&rows_, {});
}

KanaRowPrintList::~KanaRowPrintList() = default;

QHBoxLayout* KanaRowPrintList::KanaButtonRow(int showAllWidth) const {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (QPushButton* b : KanaButtons) {
        b->setFixedSize(40, 30);
        row->addWidget(b);
    }
    AllDispBtn->setFixedSize(showAllWidth, 30);
    row->addWidget(AllDispBtn);
    row->addStretch(1);
    return row;
}

QHBoxLayout* KanaRowPrintList::ColumnHeadings(QWidget* parent, const QFont& font) const {
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    for (const KanaRowListColumn& c : model_->columns()) {
        auto* h = new QLabel(c.title, parent);
        h->setFont(font);
        h->setFixedWidth(c.width);
        h->setFrameShape(QFrame::Panel);
        h->setFrameShadow(QFrame::Raised);
        h->setAlignment(Qt::AlignCenter);
        headings->addWidget(h);
    }
    headings->addStretch(1);
    return headings;
}

void KanaRowPrintList::LayOutPanel(QWidget* panel, QWidget* title, QWidget* note,
                                   const QList<QPushButton*>& listButtons, const QList<QPushButton*>& commands,
                                   const QFont& font) const {
    const auto label = [&](const QString& text) {
        auto* l = new QLabel(text, panel);
        l->setFont(font);
        return l;
    };
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(note);
    auto* lists = new QHBoxLayout;
    lists->addWidget(label(QStringLiteral("<<<<< 画面表示 >>>>>>")));
    for (QPushButton* b : listButtons) lists->addWidget(b);
    lists->addStretch(1);
    layout->addLayout(lists);
    QFont small = font;
    small.setPointSize(9);
    DBGrid1->setFixedWidth(GridWidth());
    DBGrid1->setFont(small);
    auto* table = new QVBoxLayout;
    table->setSpacing(0);
    table->addLayout(ColumnHeadings(panel, small));
    table->addWidget(DBGrid1, 1);
    layout->addLayout(table, 1);
    layout->addLayout(KanaButtonRow(64));
    auto* row = new QHBoxLayout;
    row->addWidget(label(QStringLiteral("手順２．印刷を実行して下さい。")));
    row->addStretch(1);
    for (QPushButton* b : commands) row->addWidget(b);
    layout->addLayout(row);

    QList<QWidget*> chain(listButtons.begin(), listButtons.end());
    chain << DBGrid1;
    for (QPushButton* b : KanaButtons) chain << b;
    chain << AllDispBtn;
    for (QPushButton* b : commands) chain << b;
    setTabChain(chain);
}

int KanaRowPrintList::GridWidth() const {
    int width = 4;  // the frame
    for (const KanaRowListColumn& c : model_->columns()) width += c.width;
    return width;
}

void KanaRowPrintList::load(QSqlQuery& query) {
    QVector<QSqlRecord> rows;
    if (query.isActive() && query.first()) {
        do rows.push_back(query.record());
        while (query.next());
    }
    setRows(std::move(rows));
}

void KanaRowPrintList::setRows(QVector<QSqlRecord> rows) {
    rows_ = std::move(rows);
    only_ = nullptr;
    loaded_ = true;
    refill();
}

void KanaRowPrintList::clear() {
    rows_.clear();
    only_ = nullptr;
    loaded_ = false;
    refill();
}

void KanaRowPrintList::EnableListButtons(bool on) {
    for (QPushButton* b : KanaButtons) b->setEnabled(on);
    AllDispBtn->setEnabled(on);
}

void KanaRowPrintList::ApplyKanaFilter(int row) {
    kanaRow_ = (row >= 0 && row < KanaRowCount) ? row : -1;
    only_ = nullptr;
    markKanaRow();
    refill();
}

void KanaRowPrintList::ShowOnly(std::function<bool(const QSqlRecord&)> keep) {
    kanaRow_ = -1;
    only_ = std::move(keep);
    markKanaRow();
    refill();
}

void KanaRowPrintList::markKanaRow() {
    // A click toggles a checkable button; the row in force decides instead.
    for (int row = 0; row < KanaRowCount; ++row) KanaButtons[row]->setChecked(row == kanaRow_);
}

bool KanaRowPrintList::passes(const QSqlRecord& record) const {
    if (only_) return only_(record);
    return kanaRow_ < 0 || isInKanaRow(record.value(options_.kanaField).toString(), kanaRow_);
}

std::function<bool(const QSqlRecord&)> KanaRowPrintList::rowFilter() const {
    return [this](const QSqlRecord& record) { return passes(record); };
}

int KanaRowPrintList::rowCount() const { return model_->rowCount(); }

const QSqlRecord& KanaRowPrintList::row(int index) const { return model_->record(index); }

void KanaRowPrintList::SelectAll() {
    if (rowCount() > 0) DBGrid1->selectAll();
}

void KanaRowPrintList::ClearSelection() { DBGrid1->clearSelection(); }

QVector<QSqlRecord> KanaRowPrintList::selectedRows() const {
    QVector<QSqlRecord> selected;
    const QItemSelectionModel* selection = DBGrid1->selectionModel();
    for (int r = 0; r < rowCount(); ++r)
        if (selection->isRowSelected(r, {})) selected.push_back(row(r));
    return selected;
}

int KanaRowPrintList::selectedCount() const {
    int n = 0;
    const QItemSelectionModel* selection = DBGrid1->selectionModel();
    for (int r = 0; r < rowCount(); ++r)
        if (selection->isRowSelected(r, {})) ++n;
    return n;
}

void KanaRowPrintList::refill() {
    // A changed list drops the selection: only rows the user sees are ever chosen.
    QVector<int> shown;
    for (int i = 0; i < rows_.size(); ++i)
        if (passes(rows_[i])) shown.push_back(i);
    model_->reset(&rows_, std::move(shown));
    emit rowsChanged();
}

}  // namespace lum
