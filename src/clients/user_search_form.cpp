#include "clients/user_search_form.h"

#include "clients/client_input_rules.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "platform/db/facility_database.h"
#include "widgets/enter_release.h"
#include "widgets/kana_input.h"
#include "clients/kana_rows.h"
#include "clients/person_store.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"
#include "platform/ui/dialogs.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

TUserSearchForm* UserSearchForm = nullptr;

namespace lum {

TUserSearchForm& userSearchForm() {
    if (!UserSearchForm) {
        // Lives for the run, as the start-up list's would.
        UserSearchForm = new TUserSearchForm;
        QObject::connect(UserSearchForm, &QObject::destroyed, [] { UserSearchForm = nullptr; });
    }
    return *UserSearchForm;
}

QString userSearchCellText(const TPerson& p, int column) {
    switch (column) {
    case 0: return QString::number(p.CureNo);
    case 1: return p.Name;
    case 2: return p.Kana;
    case 3: return p.Sex == 0 ? QStringLiteral("男性") : p.Sex == 1 ? QStringLiteral("女性") : QString::number(p.Sex);
    case 4: return DateToEraSpacedText(p.Birth);
    case 5: return p.Address;
    case 6: return DateToEraSpacedText(p.NYUSHOBI_YMD);
    case 7: return RihaTypeNames.at(p.RihaType);
    case 8: return p.TavelundUserNo >= 1 ? QString::number(p.TavelundUserNo) : QString();
    default: return {};
    }
}

namespace {

const char* const kTitles[9] = {"利用者番号", "氏名", "カナ氏名", "性別", "生年月日",
                                "住所",       "入所(開始)日", "形態", "Tavelund番号"};
// Narrow enough for the whole list to lie on a 1024-wide screen; the era
// dates and the titles keep their full width, the address gives way.
const int kColumnWidths[9] = {84, 120, 110, 44, 144, 110, 144, 90, 104};

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeEdit(const char* name, bool imeOn, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAttribute(Qt::WA_InputMethodEnabled, imeOn);
    return edit;
}

}  // namespace
}  // namespace lum

namespace {
// The keys that move the grid's current row (or take the one under the caret).
bool isRowKey(QEvent* event) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}
}  // namespace

using lum::MsgButton;
using lum::MsgKind;

TUserSearchForm::TUserSearchForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("UserSearchForm"));
    setWindowTitle(QStringLiteral("利用者検索"));
    setFont(lum::uiFont(11));

    RegistCureNo = lum::makeEdit("RegistCureNo", false, this);
    CureNoButton = lum::makeButton(QStringLiteral("CureNoButton"), QStringLiteral("治療番号検索"), this);
    RegistName = lum::makeEdit("RegistName", true, this);
    UserSearchBtn = lum::makeButton(QStringLiteral("UserSearchBtn"), QStringLiteral("氏名検索"), this);
    RegistKanaName = lum::makeEdit("RegistKanaName", true, this);
    KanaSearchBtn = lum::makeButton(QStringLiteral("KanaSearchBtn"), QStringLiteral("カナ氏名検索"), this);
    RegistTavelund = lum::makeEdit("RegistTavelund", false, this);
    TavelundBtn = lum::makeButton(QStringLiteral("TavelundBtn"), QStringLiteral("Tavelund番号検索"), this);
    ClearBtn = lum::makeButton(QStringLiteral("ClearBtn"), QStringLiteral("クリア"), this);
    lum::bindKanaField(RegistKanaName);
    new lum::NameReadingBinding(RegistName, RegistKanaName);
    lum::onEnterReleased(RegistCureNo, [this] { CureNoSearch(); });

    auto* search = new QGridLayout;
    search->setHorizontalSpacing(10);
    search->setVerticalSpacing(6);
    const std::pair<const char*, std::pair<QLineEdit*, QPushButton*>> lines[] = {
        {"治療番号", {RegistCureNo, CureNoButton}},
        {"氏名", {RegistName, UserSearchBtn}},
        {"氏名カナ", {RegistKanaName, KanaSearchBtn}},
        {"Tavelund利用者番号", {RegistTavelund, TavelundBtn}},
    };
    int line = 0;
    for (const auto& [caption, controls] : lines) {
        search->addWidget(new QLabel(QString::fromUtf8(caption), this), line, 0);
        controls.first->setFixedWidth(220);
        search->addWidget(controls.first, line, 1);
        controls.second->setMinimumWidth(150);
        search->addWidget(controls.second, line, 2);
        ++line;
    }
    search->addWidget(ClearBtn, 0, 3);
    search->setColumnStretch(4, 1);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->setSpacing(4);
    for (int row = 0; row < lum::KanaRowCount; ++row) {
        QPushButton* button =
            lum::makeButton(lum::kanaRowButtonName(row), lum::kanaRowCaption(row), this);
        button->setFixedSize(44, 34);
        connect(button, &QPushButton::clicked, this, [this, row] { KanaRowSearch(row); });
        rowButtons->addWidget(button);
        KanaRowButtons[row] = button;
    }
    AllDisplay = lum::makeButton(QStringLiteral("AllDisplay"), QStringLiteral("全て表示"), this);
    AllDisplay->setMinimumSize(110, 34);
    rowButtons->addSpacing(12);
    rowButtons->addWidget(AllDisplay);
    rowButtons->addStretch();

    DBGrid1 = new QTableWidget(0, 9, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    QStringList titles;
    for (const char* t : lum::kTitles) titles << QString::fromUtf8(t);
    DBGrid1->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < 9; ++c) DBGrid1->setColumnWidth(c, lum::kColumnWidths[c]);
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    int columns = 0;
    for (int w : lum::kColumnWidths) columns += w;
    DBGrid1->setMinimumSize(columns + DBGrid1->verticalScrollBar()->sizeHint().width() + 2 * DBGrid1->frameWidth(), 360);
    DBGrid1->viewport()->installEventFilter(this);
    DBGrid1->installEventFilter(this);
    // Tab leaves the grid for 確定 and 戻る; the arrows move within it.
    DBGrid1->setTabKeyNavigation(false);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TUserSearchForm::SortBy);

    DecideButton = lum::makeButton(QStringLiteral("DecideButton"), QStringLiteral("確定"), this);
    ReturnBtn = lum::makeButton(QStringLiteral("ReturnBtn"), QStringLiteral("戻る"), this);
    for (QPushButton* b : {DecideButton, ReturnBtn}) b->setMinimumSize(120, 34);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(DecideButton);
    bottom->addWidget(ReturnBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addLayout(search);
    layout->addLayout(rowButtons);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(bottom);

    connect(CureNoButton, &QPushButton::clicked, this, &TUserSearchForm::CureNoSearch);
    connect(UserSearchBtn, &QPushButton::clicked, this, &TUserSearchForm::NameSearch);
    connect(KanaSearchBtn, &QPushButton::clicked, this, &TUserSearchForm::KanaSearch);
    connect(TavelundBtn, &QPushButton::clicked, this, &TUserSearchForm::TavelundSearch);
    connect(AllDisplay, &QPushButton::clicked, this, [this] { Show([](lum::PersonStore& s) { return s.all(); }); });
    connect(ClearBtn, &QPushButton::clicked, this, &TUserSearchForm::ClearInput);
    connect(DecideButton, &QPushButton::clicked, this, &TUserSearchForm::Decide);
    connect(ReturnBtn, &QPushButton::clicked, this, &QDialog::reject);
    DecideButton->setEnabled(false);

    // The reading order: the search lines, the kana rows, the list, then 確定 and 戻る.
    QList<QWidget*> chain = {RegistCureNo,   CureNoButton,   RegistName, UserSearchBtn, RegistKanaName,
                             KanaSearchBtn, RegistTavelund, TavelundBtn, ClearBtn};
    for (QPushButton* button : KanaRowButtons) chain << button;
    chain << AllDisplay << DBGrid1 << DecideButton << ReturnBtn;
    lum::setTabChain(chain);
}

void TUserSearchForm::showEvent(QShowEvent* event) {
    ClearInput();
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
}

void TUserSearchForm::hideEvent(QHideEvent* event) {
    ShowRows({});
    QDialog::hideEvent(event);
}

void TUserSearchForm::ClearInput() {
    for (QLineEdit* edit : {RegistCureNo, RegistName, RegistKanaName, RegistTavelund}) edit->clear();
    ShowRows({});
    DecideButton->setEnabled(false);
}

bool TUserSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // After the grid has moved its current row to the click.
        QMetaObject::invokeMethod(this, &TUserSearchForm::GridMouseUp, Qt::QueuedConnection);
    } else if (watched == DBGrid1 && event->type() == QEvent::KeyRelease && isRowKey(event)) {
        // A row chosen with the keys counts as a click on it.
        GridMouseUp();
    }
    return QDialog::eventFilter(watched, event);
}

namespace {
bool check(const QString& message, QLineEdit* edit, QWidget* parent) {
    if (message.isEmpty()) return true;
    lum::message(MsgKind::Information, message, MsgButton::Ok, parent);
    edit->setFocus();
    return false;
}
}  // namespace

bool TUserSearchForm::CheckCureNoInput() { return check(lum::checkNumberInput(RegistCureNo->text()), RegistCureNo, this); }
bool TUserSearchForm::CheckNameInput() { return check(lum::checkNameInput(RegistName->text()), RegistName, this); }
bool TUserSearchForm::CheckKanaInput() { return check(lum::checkKanaInput(RegistKanaName->text()), RegistKanaName, this); }
bool TUserSearchForm::CheckTavelundNoInput() {
    return check(lum::checkNumberInput(RegistTavelund->text()), RegistTavelund, this);
}

template <typename Search>
void TUserSearchForm::Show(Search&& search) {
    DecideButton->setEnabled(false);
    std::vector<TPerson> rows;
    try {
        lum::PersonStore store(lum::requireFacilityDatabase());
        rows = search(store);
    } catch (const lum::db::DbError&) {
        // A failed search must not look like "no such client".
        ShowRows({});
        lum::message(MsgKind::Error, QStringLiteral("SystemError : DB Queryerror "), MsgButton::Abort, this);
        return;
    }
    ShowRows(std::move(rows));
}

void TUserSearchForm::CureNoSearch() {
    DecideButton->setEnabled(false);
    if (!CheckCureNoInput()) return;
    // Only a number is searched for; any other text lists nothing.
    const std::optional<int> number = lum::parseWholeNumber(RegistCureNo->text());
    if (!number) {
        ShowRows({});
        return;
    }
    Show([n = *number](lum::PersonStore& s) { return s.byCureNo(n); });
}

void TUserSearchForm::NameSearch() {
    DecideButton->setEnabled(false);
    if (!CheckNameInput()) return;
    Show([t = RegistName->text()](lum::PersonStore& s) { return s.byNamePrefix(t); });
}

void TUserSearchForm::KanaSearch() {
    DecideButton->setEnabled(false);
    if (!CheckKanaInput()) return;
    Show([t = RegistKanaName->text()](lum::PersonStore& s) { return s.byKanaPrefix(t); });
}

void TUserSearchForm::TavelundSearch() {
    DecideButton->setEnabled(false);
    if (!CheckTavelundNoInput()) return;
    Show([t = RegistTavelund->text()](lum::PersonStore& s) { return s.byTavelundPrefix(t); });
}

void TUserSearchForm::KanaRowSearch(int row) {
    Show([row](lum::PersonStore& s) { return s.byKanaRow(row); });
}

void TUserSearchForm::SortBy(int column) {
    if (column < 0 || column >= int(SortAscending.size())) return;
    const bool ascending = SortAscending[column];
    SortAscending[column] = !ascending;
    Show([column, ascending](lum::PersonStore& s) { return s.sortedBy(column, ascending); });
}

void TUserSearchForm::ShowRows(std::vector<TPerson> rows) {
    rows_ = std::move(rows);
    DBGrid1->clearContents();
    DBGrid1->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r) {
        for (int c = 0; c < 9; ++c) {
            auto* item = new QTableWidgetItem(lum::userSearchCellText(rows_[r], c));
            if (c == 0 || c == 8) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // The address column is narrow enough for a 1024-wide screen:
            // the whole address shows when the pointer rests on it.
            if (c == 5) item->setToolTip(item->text());
            DBGrid1->setItem(r, c, item);
        }
    }
    DBGrid1->setCurrentCell(-1, -1);
}

void TUserSearchForm::GridMouseUp() {
    DecideButton->setEnabled(false);
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= int(rows_.size())) return;
    TakeGridRow();
    DecideButton->setEnabled(true);
}

void TUserSearchForm::TakeGridRow() {
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= int(rows_.size())) return;
    const TPerson& p = rows_[row];
    RegistCureNo->setText(lum::userSearchCellText(p, 0));
    RegistName->setText(p.Name);
    RegistKanaName->setText(p.Kana);
    RegistTavelund->setText(lum::userSearchCellText(p, 8));
}

void TUserSearchForm::Decide() {
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= int(rows_.size())) return;
    // The weekly requests are not part of the search; they keep their values.
    TPerson chosen = rows_[row];
    chosen.Reserve = Person.Reserve;
    chosen.Funn = Person.Funn;
    Person = chosen;
    accept();
}
