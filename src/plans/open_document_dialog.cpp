#include "plans/open_document_dialog.h"

#include "clients/user_search_form.h"
#include "common/input_limits.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "widgets/lazy_window.h"
#include "widgets/ui_font.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TGetCurePlanForm* GetCurePlanForm = nullptr;
TGetPractPlanForm* GetPractPlanForm = nullptr;
TGetUrinPlanForm* GetUrinPlanForm = nullptr;
TGetUrinPractForm* GetUrinPractForm = nullptr;
TGetBeforeConfForm* GetBeforeConfForm = nullptr;
TGetConfForm* GetConfForm = nullptr;
TGetEstimateForm* GetEstimateForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;

constexpr int kWidth = 336;

QString dayText(lum::TDateTime day) {
    if (day.isEmpty()) return {};
    return day.msecsOfDay() == 0 ? day.toDateText() : day.toDateTimeText();
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent, QRect at) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at);
    b->setAutoDefault(false);  // Enter in the number runs 確認, never a button
    return b;
}

}  // namespace

TGetDocumentForm::TGetDocumentForm(lum::DocumentId id, QWidget* parent)
    : QDialog(parent), kind_(lum::documentKind(id)) {
    setObjectName(QString::fromLatin1(kind_.dialog.className).mid(1));
    setWindowTitle(kind_.dialog.caption);
    setFont(lum::uiFont(10));
    Label1 = new QLabel(QStringLiteral("治療番号"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 18, 70, 24);
    CureNoEdit = new QLineEdit(this);
    CureNoEdit->setObjectName(QStringLiteral("CureNoEdit"));
    CureNoEdit->setGeometry(88, 16, 140, 28);
    CureNoEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    CureNoEdit->installEventFilter(this);
    SearchButton = makeButton("SearchButton", QStringLiteral("検索"), this, {240, 15, 80, 30});
    ConFirmButton = makeButton("ConFirmButton", QStringLiteral("確認"), this, {16, 58, 92, 32});
    Button4 = makeButton("Button4", QStringLiteral("キャンセル"), this, {122, 58, 92, 32});
    DecideButton = makeButton("DecideButton", QStringLiteral("確定"), this, {228, 58, 92, 32});
    PromptLabel = new QLabel(kind_.dialog.prompt, this);
    PromptLabel->setObjectName(QStringLiteral("PromptLabel"));
    PromptLabel->setGeometry(16, 104, 300, 22);
    DBGrid1 = new QTableWidget(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->installEventFilter(this);
    DBGrid1->setGeometry(16, 130, kWidth - 32, TallHeight - 142);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnCount(static_cast<int>(kind_.dialog.grid.size()));
    QStringList titles;
    for (const lum::GridColumn& c : kind_.dialog.grid) titles << c.title;
    DBGrid1->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < DBGrid1->columnCount(); ++c) DBGrid1->setColumnWidth(c, 140);

    connect(SearchButton, &QPushButton::clicked, this, &TGetDocumentForm::SearchButtonClick);
    connect(ConFirmButton, &QPushButton::clicked, this, &TGetDocumentForm::ConFirmButtonClick);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(DecideButton, &QPushButton::clicked, this, &TGetDocumentForm::DecideButtonClick);
    // The key is the current row's, whether it was clicked or reached with the keys.
    connect(DBGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row) { DecideButton->setEnabled(row >= 0 && row < static_cast<int>(rows_.size())); });
    connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, [this] { DecideButtonClick(); });
    ShowShort();
}

void TGetDocumentForm::ShowShort() {
    setFixedSize(kWidth, ShortHeight);
    PromptLabel->hide();
    DBGrid1->hide();
}

void TGetDocumentForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    ShowShort();
    rows_.clear();
    DBGrid1->setRowCount(0);
    CureNoEdit->clear();
    CureNoEdit->setFocus();
    ConFirmButton->setEnabled(true);
    DecideButton->setEnabled(false);
    CureNo = PlanNo = PractNo = 0;
    KeyDay = {};
}

bool TGetDocumentForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CureNoEdit || watched == DBGrid1) {
        // Enter runs 確認 in the number and 確定 on a row of the list, on its
        // release (only one pressed there), never a button.
        if (enter_.isRelease(watched, event)) {
            if (watched == CureNoEdit && ConFirmButton->isEnabled()) ConFirmButtonClick();
            if (watched == DBGrid1 && DecideButton->isEnabled()) DecideButtonClick();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TGetDocumentForm::SearchButtonClick() {
    TUserSearchForm& search = lum::userSearchForm();
    if (lum::runModal(search) == QDialog::Rejected) {
        reject();
        return;
    }
    CureNoEdit->setText(QString::number(search.Person.CureNo));
    ConFirmButton->setEnabled(true);
    CureNoEdit->setFocus();
}

void TGetDocumentForm::ConFirmButtonClick() {
    ShowShort();
    const std::optional<int> number = lum::parseWholeNumber(CureNoEdit->text().trimmed());
    auto refuse = [this](const QString& text) {
        lum::message(MsgKind::Information, text, MsgButton::Ok, this);
        CureNoEdit->setFocus();
    };
    if (!number) return refuse(QStringLiteral("数字エラーです。\n半角数字で入力してください。"));
    if (*number < 1) return refuse(QStringLiteral("0 より大きい数字を入力してください。"));
    number_ = *number;
    if (Mode == 1) {
        CureNo = number_;
        accept();
        return;
    }
    try {
        rows_ = lum::listDocuments(lum::requireFacilityDatabase(), kind_, number_);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, kind_.messages.openError, MsgButton::Abort, this);
        CureNoEdit->setFocus();
        return;
    }
    if (rows_.empty()) return refuse(kind_.dialog.notFound);
    if (rows_.size() == 1) {
        TakeKey(rows_.front());
        accept();
        return;
    }
    DBGrid1->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        DBGrid1->setItem(r, 0, new QTableWidgetItem(dayText(rows_[r].day)));
        if (DBGrid1->columnCount() > 1) DBGrid1->setItem(r, 1, new QTableWidgetItem(dayText(rows_[r].endDay)));
    }
    DBGrid1->setCurrentCell(-1, -1);
    DBGrid1->clearSelection();
    setFixedSize(kWidth, TallHeight);
    PromptLabel->show();
    DBGrid1->show();
    ConFirmButton->setEnabled(false);
    DecideButton->setEnabled(false);
    DBGrid1->setFocus();
}

void TGetDocumentForm::DecideButtonClick() {
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    TakeKey(rows_[row]);
    accept();
}

void TGetDocumentForm::TakeKey(const lum::DocumentListRow& row) {
    CureNo = number_;
    KeyDay = row.day;
    if (kind_.key == lum::DocumentKey::PlanNo) PlanNo = static_cast<int>(row.number);
    if (kind_.key == lum::DocumentKey::PractNo) PractNo = static_cast<int>(row.number);
}

namespace lum {

TGetDocumentForm& openDialogFor(DocumentId id) {
    switch (id) {
    case DocumentId::CurePlan: return lazyWindow(GetCurePlanForm);
    case DocumentId::PracticePlan: return lazyWindow(GetPractPlanForm);
    case DocumentId::UrinPlan: return lazyWindow(GetUrinPlanForm);
    case DocumentId::UrinPract: return lazyWindow(GetUrinPractForm);
    case DocumentId::BeforeConf: return lazyWindow(GetBeforeConfForm);
    case DocumentId::Conference: return lazyWindow(GetConfForm);
    case DocumentId::Estimate: break;
    }
    return lazyWindow(GetEstimateForm);
}

}  // namespace lum
