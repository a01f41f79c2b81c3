#include "clients/linked_user_form.h"

#include "app/link_connection.h"
#include "app/main_module.h"
#include "clients/client_input_rules.h"
#include "clients/kana_rows.h"
#include "clients/linked_client_source.h"
#include "platform/ui/dialogs.h"
#include "widgets/kana_input.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

TTavelundUserForm* TavelundUserForm = nullptr;
TAccessUserForm* AccessUserForm = nullptr;

namespace lum {

TTavelundUserForm& tavelundUserForm() {
    if (!TavelundUserForm) {
        TavelundUserForm = new TTavelundUserForm;
        QObject::connect(TavelundUserForm, &QObject::destroyed, [] { TavelundUserForm = nullptr; });
    }
    return *TavelundUserForm;
}

TAccessUserForm& accessUserForm() {
    if (!AccessUserForm) {
        AccessUserForm = new TAccessUserForm;
        QObject::connect(AccessUserForm, &QObject::destroyed, [] { AccessUserForm = nullptr; });
    }
    return *AccessUserForm;
}

TLinkedUserForm* linkedUserForm(int mode) {
    if (mode == TavelundLink) return &tavelundUserForm();
    if (mode == AccessLink) return &accessUserForm();
    return nullptr;
}

}  // namespace lum

namespace {

using lum::MsgButton;
using lum::MsgKind;

const char* const kRowButtonNames[10] = {"AButton", "KButton", "SButton", "TButton", "NButton",
                                         "HButton", "MButton", "YButton", "RButton", "WButton"};
const char* const kRowCaptions[10] = {"あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ"};

// Grid columns: six shown, then the five the window keeps for the details.
enum GridColumn { ColSid, ColJname, ColKname, ColSex, ColBirth, ColChiku, ColMati, ColAdd, ColTel, ColFax, ColMail,
                  GridColumns };
const int kColumnWidths[6] = {90, 190, 210, 60, 170, 90};

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeEdit(const char* name, QWidget* parent, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(width);
    return edit;
}

// The input method on (hiragana first), closed (on, Latin first) or off.
enum class Ime { On, Closed, Off };
void setIme(QLineEdit* edit, Ime mode) {
    edit->setAttribute(Qt::WA_InputMethodEnabled, mode != Ime::Off);
    edit->setInputMethodHints(mode == Ime::Closed ? Qt::ImhPreferLatin : Qt::ImhNone);
}

QLabel* valueLabel(const char* name, QWidget* parent, int width) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(width);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The wait cursor while the other system is asked: a login may take up to its timeout.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

const QString kSystemError = QStringLiteral("System Error");

}  // namespace

TTavelundUserForm::TTavelundUserForm(QWidget* parent)
    : TLinkedUserForm({lum::TavelundLink, "TavelundUserForm", QStringLiteral("Tavelundシステム　利用者選択"),
                       QStringLiteral("System Error\nTavelundの使用設定を確認してください。\nシステムを終了します。"),
                       false},
                      parent) {
    // 氏名 hiragana, カナ closed (typed kana still become half-width), the number without input method.
    setIme(RegistKanaName, Ime::Closed);
}

TAccessUserForm::TAccessUserForm(QWidget* parent)
    : TLinkedUserForm({lum::AccessLink, "AccessUserForm", QStringLiteral("ACCESS　利用者選択"),
                       QStringLiteral("System Error\nAccessの使用設定を確認してください。\nシステムを終了します。"),
                       true},
                      parent) {}

TLinkedUserForm::TLinkedUserForm(const Variant& variant, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), variant_(variant) {
    setObjectName(QString::fromLatin1(variant.objectName));
    setWindowTitle(QStringLiteral("リハビリ治療計画"));
    setFont(lum::uiFont(11));

    TitleLabel = new QLabel(variant.title, this);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setFont(lum::uiFont(15, QFont::Bold));

    UserNo = makeEdit("UserNo", this, 140);
    setIme(UserNo, variant.numberImeOn ? Ime::Closed : Ime::Off);
    NoSearchBtn = makeButton("NoSearchBtn", QStringLiteral("No検索"), this);
    RegistName = makeEdit("RegistName", this, 220);
    setIme(RegistName, Ime::On);
    RegistKanaName = makeEdit("RegistKanaName", this, 220);
    setIme(RegistKanaName, Ime::On);
    lum::bindKanaField(RegistKanaName);
    new lum::NameReadingBinding(RegistName, RegistKanaName);
    UserSearchBtn = makeButton("UserSearchBtn", QStringLiteral("氏名検索"), this);
    for (QPushButton* b : {NoSearchBtn, UserSearchBtn}) b->setMinimumSize(110, 30);

    auto* search = new QGridLayout;
    search->setHorizontalSpacing(10);
    search->setVerticalSpacing(6);
    search->addWidget(new QLabel(QStringLiteral("Tavelund利用者番号"), this), 0, 0);
    search->addWidget(UserNo, 0, 1);
    search->addWidget(NoSearchBtn, 0, 2);
    search->addWidget(new QLabel(QStringLiteral("氏　名"), this), 1, 0);
    search->addWidget(RegistName, 1, 1);
    search->addWidget(new QLabel(QStringLiteral("カナ氏名"), this), 1, 3);
    search->addWidget(RegistKanaName, 1, 4);
    search->addWidget(UserSearchBtn, 1, 5);
    search->setColumnStretch(6, 1);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->setSpacing(4);
    for (int row = 0; row < lum::KanaRowCount; ++row) {
        QPushButton* button = makeButton(kRowButtonNames[row], QString::fromUtf8(kRowCaptions[row]), this);
        button->setFixedSize(44, 32);
        connect(button, &QPushButton::clicked, this, [this, row] { KanaRowSearch(row); });
        rowButtons->addWidget(button);
        KanaRowButtons[row] = button;
    }
    AllButton = makeButton("AllButton", QStringLiteral("全て表示"), this);
    AllButton->setMinimumSize(110, 32);
    rowButtons->addSpacing(12);
    rowButtons->addWidget(AllButton);
    rowButtons->addStretch();

    DBGrid1 = new QTableWidget(0, GridColumns, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->horizontalHeader()->setVisible(false);
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setTabKeyNavigation(false);
    for (int c = 0; c < 6; ++c) DBGrid1->setColumnWidth(c, kColumnWidths[c]);
    for (int c = ColMati; c < GridColumns; ++c) DBGrid1->setColumnHidden(c, true);
    DBGrid1->setMinimumSize(840, 320);
    DBGrid1->viewport()->installEventFilter(this);
    // A row reached with the keyboard is picked as a click picks it.
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this] {
        if (!filling_) ShowPickedClient();
    });

    SexLabel = valueLabel("SexLabel", this, 80);
    BirthLabel = valueLabel("BirthLabel", this, 180);
    MailLabel = valueLabel("MailLabel", this, 110);
    ChikuLabel = valueLabel("ChikuLabel", this, 80);
    TownLabel = valueLabel("TownLabel", this, 80);
    JhushoLabel = new QLabel(QStringLiteral("住所"), this);
    JhushoLabel->setObjectName(QStringLiteral("JhushoLabel"));
    ADDLabel = valueLabel("ADDLabel", this, 500);
    TelLabel = valueLabel("TelLabel", this, 160);
    FaxLabel = valueLabel("FaxLabel", this, 160);
    auto* details = new QGridLayout;
    details->setHorizontalSpacing(10);
    details->setVerticalSpacing(6);
    auto detail = [&](const char* caption, QLabel* value, int row, int column, int span = 1) {
        details->addWidget(new QLabel(QString::fromUtf8(caption), this), row, column);
        details->addWidget(value, row, column + 1, 1, span);
    };
    detail("性別", SexLabel, 0, 0);
    detail("生年月日", BirthLabel, 0, 2);
    detail("郵便番号", MailLabel, 0, 4);
    detail("地区コード", ChikuLabel, 1, 0);
    detail("町コード", TownLabel, 1, 2);
    details->addWidget(JhushoLabel, 2, 0);
    details->addWidget(ADDLabel, 2, 1, 1, 5);
    detail("電話番番号", TelLabel, 3, 0, 1);
    detail("ファクス", FaxLabel, 3, 2, 1);
    details->setColumnStretch(6, 1);

    ReturnBtn = makeButton("ReturnBtn", QStringLiteral("確定"), this);
    Button1 = makeButton("Button1", QStringLiteral("キャンセル"), this);
    for (QPushButton* b : {ReturnBtn, Button1}) b->setMinimumSize(120, 34);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ReturnBtn);
    bottom->addWidget(Button1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(TitleLabel);
    layout->addLayout(search);
    layout->addLayout(rowButtons);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(details);
    layout->addLayout(bottom);

    connect(NoSearchBtn, &QPushButton::clicked, this, &TLinkedUserForm::NoSearch);
    connect(UserSearchBtn, &QPushButton::clicked, this, &TLinkedUserForm::NameSearch);
    connect(AllButton, &QPushButton::clicked, this, &TLinkedUserForm::ShowAll);
    connect(ReturnBtn, &QPushButton::clicked, this, [this] {
        if (PickedClient) accept();
    });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    // What is typed is a search, no longer the picked client.
    for (QLineEdit* edit : {UserNo, RegistName, RegistKanaName}) {
        connect(edit, &QLineEdit::textEdited, this, &TLinkedUserForm::ClearPick);
    }

    // Creation.
    UserSearchBtn->setEnabled(true);
    ReturnBtn->setEnabled(true);
    SearchNo = 0;
}

void TLinkedUserForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    lum::centreOnOwner(*this);
    ClearInput();
    UserSearchBtn->setEnabled(true);
    NoSearchBtn->setEnabled(true);
    CloseQuery();
    Load(variant_.loadFailed);
    UserNo->setFocus();
}

void TLinkedUserForm::hideEvent(QHideEvent* event) {
    // The pick stays for the caller to read; the rows go.
    CloseQuery();
    QDialog::hideEvent(event);
}

void TLinkedUserForm::ClearInput() {
    for (QLineEdit* edit : {UserNo, RegistName, RegistKanaName}) edit->clear();
    ClearPick();
}

void TLinkedUserForm::ClearPick() {
    PickedClient.reset();
    SexIndex = -1;
    PickedBirth = lum::TDateTime();
    for (QLabel* label : {SexLabel, BirthLabel, MailLabel, ChikuLabel, ADDLabel, TelLabel, FaxLabel, TownLabel}) {
        label->clear();
    }
    ReturnBtn->setEnabled(false);
}

void TLinkedUserForm::CloseQuery() {
    loaded_ = false;
    all_.clear();
    ShowRows({});
}

bool TLinkedUserForm::Load(const QString& failure) {
    QString why;
    std::vector<lum::LinkedClient> rows;
    {
        WaitCursor wait;
        if (!MainModule) {
            why = QStringLiteral("no data module");
        } else {
            why = MainModule->EnsureLink(variant_.mode);
            if (why.isEmpty()) {
                try {
                    rows = lum::LinkedClientSource::read(*MainModule->Link(variant_.mode));
                } catch (const lum::LinkReadError& e) {
                    why = e.why();
                    // The next try opens the link again from the settings.
                    MainModule->CloseLink(variant_.mode);
                }
            }
        }
    }
    if (!why.isEmpty()) {
        qWarning("kgkihn1d not read (link %d): %s", variant_.mode, qPrintable(why));
        CloseQuery();
        ClearPick();
        lum::message(MsgKind::Error, failure, MsgButton::Yes, this);
        return false;
    }
    all_ = std::move(rows);
    loaded_ = true;
    ShowRows(all_);
    return true;
}

bool TLinkedUserForm::EnsureLoaded() { return loaded_ || Load(kSystemError); }

void TLinkedUserForm::ShowRows(std::vector<lum::LinkedClient> rows) {
    filling_ = true;
    shown_ = std::move(rows);
    DBGrid1->clearContents();
    DBGrid1->setRowCount(int(shown_.size()));
    for (int r = 0; r < int(shown_.size()); ++r) {
        const lum::LinkedClient& c = shown_[r];
        const QString texts[GridColumns] = {
            c.Sid ? QString::number(*c.Sid) : QString(), c.Jname, c.Kname, lum::linkedSexText(c),
            lum::linkedBirthText(c), c.ChikuCode, c.MatiCode, c.Add, c.Tel, c.Fax, c.Mail};
        for (int col = 0; col < GridColumns; ++col) {
            auto* item = new QTableWidgetItem(texts[col]);
            item->setTextAlignment((col == ColSid ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            DBGrid1->setItem(r, col, item);
        }
    }
    DBGrid1->setCurrentCell(-1, -1);
    filling_ = false;
}

namespace {
bool refuse(const QString& message, QLineEdit* edit, QWidget* parent) {
    if (message.isEmpty()) return false;
    lum::message(MsgKind::Information, message, MsgButton::Ok, parent);
    edit->setFocus();
    return true;
}
}  // namespace

void TLinkedUserForm::NameSearch() {
    if (refuse(lum::checkNameInput(RegistName->text()), RegistName, this)) return;
    if (refuse(lum::checkKanaInput(RegistKanaName->text()), RegistKanaName, this)) return;
    ClearPick();
    if (!EnsureLoaded()) return;
    ShowRows(lum::filterByNameOrKana(all_, RegistName->text(), RegistKanaName->text()));
}

void TLinkedUserForm::NoSearch() {
    const lum::LinkedNumberInput input = lum::checkLinkedNumberInput(UserNo->text());
    if (refuse(input.message, UserNo, this)) return;
    SearchNo = input.number;
    ClearPick();
    if (!EnsureLoaded()) return;
    ShowRows(lum::filterBySid(all_, SearchNo));
}

void TLinkedUserForm::KanaRowSearch(int row) {
    ClearPick();
    if (!EnsureLoaded()) return;
    ShowRows(lum::filterByKanaRow(all_, row));
}

void TLinkedUserForm::ShowAll() {
    ClearPick();
    if (!EnsureLoaded()) return;
    ShowRows(all_);
}

bool TLinkedUserForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // After the grid has moved its current row to the click.
        QMetaObject::invokeMethod(this, &TLinkedUserForm::ShowPickedClient, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TLinkedUserForm::ShowPickedClient() {
    const int row = DBGrid1->currentRow();
    if (!loaded_ || row < 0 || row >= int(shown_.size())) {
        ClearPick();
        return;
    }
    const lum::LinkedClient& c = shown_[row];
    PickedClient = c;
    UserNo->setText(c.Sid ? QString::number(*c.Sid) : QString());
    RegistName->setText(c.Jname);
    RegistKanaName->setText(c.Kname);
    SexIndex = lum::linkedSexIndex(c);
    SexLabel->setText(lum::linkedSexText(c));
    PickedBirth = c.Birth;
    BirthLabel->setText(lum::linkedBirthText(c));
    ChikuLabel->setText(c.ChikuCode);
    TownLabel->setText(c.MatiCode);
    ADDLabel->setText(c.Add);
    TelLabel->setText(c.Tel);
    FaxLabel->setText(c.Fax);
    MailLabel->setText(c.Mail);
    ReturnBtn->setEnabled(true);
}
