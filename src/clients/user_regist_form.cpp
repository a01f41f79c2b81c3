#include "clients/user_regist_form.h"

#include "app/main_form.h"
#include "app/registory.h"
#include "clients/person_validation.h"
#include "clients/client_input_rules.h"
#include "clients/linked_user_form.h"
#include "common/code_tables.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/era_date_field.h"
#include "platform/db/facility_database.h"
#include "widgets/enter_release.h"
#include "widgets/ime.h"
#include "widgets/key_edit_binding.h"
#include "widgets/widget_helpers.h"
#include "widgets/kana_input.h"
#include "clients/person_store.h"
#include "common/text_helpers.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"
#include "clients/user_search_form.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

TUserRegistForm* UserRegistForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;

const QString kProgram = QStringLiteral("UserRegist");
constexpr int kDiseaseList = 0;
constexpr int kRoomList = 1;

void abortBox(const QString& text) { lum::message(MsgKind::Error, text, MsgButton::Abort); }

QLineEdit* makeEdit(const char* name, QWidget* parent, int width, bool imeOn = true) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(width);
    edit->setAttribute(Qt::WA_InputMethodEnabled, imeOn);
    return edit;
}

QComboBox* makeCombo(const char* name, QWidget* parent, int width, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(width);
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QDateEdit* makePicker(const char* name, QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setFixedWidth(130);
    return picker;
}

QLabel* makeLabel(const QString& caption, QWidget* parent, const char* name = nullptr) {
    auto* label = new QLabel(caption, parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    return label;
}

QWidget* pair(QWidget* parent, QWidget* a, QWidget* b) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    return box;
}

// A postal code without a digit typed is no postal code.
QString postalText(const QLineEdit* edit) {
    const QString text = edit->text();
    for (QChar c : text)
        if (c.isDigit()) return text;
    return {};
}

// Enter released in the postal code: on to the address, with the code handed
// to the input method there for conversion into an address. Without an input
// method nothing is put into the address.
void bindPostalEnter(QLineEdit* postal, QLineEdit* address) {
    lum::onEnterReleased(postal, [postal, address] {
        address->setFocus();
        const QString code = postalText(postal);
        if (!code.isEmpty()) lum::ImeConvertText(address, code);
    });
}

}  // namespace

TUserRegistForm::TUserRegistForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("UserRegistForm"));
    setWindowTitle(QStringLiteral("利用者登録"));
    setFont(lum::uiFont(11));
    BuildPanel();
    BuildCommands();
    BuildTabOrder();
    resize(1024, 768);
}

TUserRegistForm::~TUserRegistForm() = default;

void TUserRegistForm::BuildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    MainPanel = new QWidget(central);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    QWidget* p = MainPanel;

    CureNo = makeLabel(QString(), p, "CureNo");
    CureNo->setFixedWidth(120);
    CureNo->setFrameShape(QFrame::StyledPanel);
    RegistName = makeEdit("RegistName", p, 240);
    RegistKanaName = makeEdit("RegistKanaName", p, 240);
    lum::bindKanaField(RegistKanaName);
    new lum::NameReadingBinding(RegistName, RegistKanaName);
    BirthDay = makeEdit("BirthDay", p, 170, false);
    BirthDatePicker = makePicker("BirthDatePicker", p);
    SexBox = makeCombo("SexBox", p, 100, false);
    distinctive = makeEdit("distinctive", p, 400);
    RoomBox = makeCombo("RoomBox", p, 200, true);
    UbinNo = makeEdit("UbinNo", p, 100, false);
    UbinNo->setInputMask(QStringLiteral("999-9999;_"));
    UbinNo->setMaxLength(8);
    Address = makeEdit("Address", p, 400);
    bindPostalEnter(UbinNo, Address);
    TelNo = makeEdit("TelNo", p, 170, false);
    FaxNo = makeEdit("FaxNo", p, 170, false);
    EMailEdit = makeEdit("EMailEdit", p, 300, false);
    TavelundUserNoEdit = makeEdit("TavelundUserNoEdit", p, 120, false);
    RihaTypeBox = makeCombo("RihaTypeBox", p, 170, false);
    ShuruiLabel = makeLabel(QStringLiteral("種類"), p, "ShuruiLabel");
    TankiBox = new QCheckBox(QStringLiteral("短期集中"), p);
    TankiBox->setObjectName(QStringLiteral("TankiBox"));
    NinchiBox = new QCheckBox(QStringLiteral("認知症"), p);
    NinchiBox->setObjectName(QStringLiteral("NinchiBox"));
    ShuudanBox = new QCheckBox(QStringLiteral("集団"), p);
    ShuudanBox->setObjectName(QStringLiteral("ShuudanBox"));
    KobetsuBox = new QCheckBox(QStringLiteral("個別"), p);
    KobetsuBox->setObjectName(QStringLiteral("KobetsuBox"));
    KijunLabel = makeLabel(QStringLiteral("基準日"), p, "KijunLabel");
    KijunEdit = makeEdit("KijunEdit", p, 170, false);
    KijunDatePicker = makePicker("KijunDatePicker", p);
    JiritsudoBox = makeCombo("JiritsudoBox", p, 170, false);
    NinchidoBox = makeCombo("NinchidoBox", p, 170, false);
    YoukaigodoBox = makeCombo("YoukaigodoBox", p, 170, false);
    TaiinDay = makeEdit("TaiinDay", p, 170, false);
    TaiinDayPicker = makePicker("TaiinDayPicker", p);
    NyushoDay = makeEdit("NyushoDay", p, 170, false);
    NyushoDayPicker = makePicker("NyushoDayPicker", p);
    TaishoDay = makeEdit("TaishoDay", p, 170, false);
    TaishoDayPicker = makePicker("TaishoDayPicker", p);
    for (int i = 0; i < 6; ++i) {
        ShikanNameBoxes[i] = makeCombo(QStringLiteral("ShikanName%1Box").arg(i + 1).toLatin1().constData(), p, 300, true);
        lum::onDoubleClick(ShikanNameBoxes[i], [this] { EditComments(kDiseaseList); });
    }
    lum::onDoubleClick(RoomBox, [this] { EditComments(kRoomList); });

    // Creation: the fixed lists.
    for (int i = 0; i < 2; ++i) SexBox->addItem(lum::SexNames.at(i));
    for (const QString& n : lum::RihaTypeNames) RihaTypeBox->addItem(n);
    for (const QString& n : lum::JiritsuNames) JiritsudoBox->addItem(n);
    for (const QString& n : lum::NinchiNames) NinchidoBox->addItem(n);
    for (const QString& n : lum::YoukaigoNames) YoukaigodoBox->addItem(n);

    dateFields_ = {
        new lum::EraDateField(BirthDay, BirthDatePicker, QStringLiteral("生年月日の日付けが不明です。")),
        new lum::EraDateField(KijunEdit, KijunDatePicker, QStringLiteral("基準日の日付けが不明です。")),
        new lum::EraDateField(TaiinDay, TaiinDayPicker, QStringLiteral("病院退院日の日付けが不明です。")),
        new lum::EraDateField(NyushoDay, NyushoDayPicker, QStringLiteral("利用開始日の日付けが不明です。")),
        new lum::EraDateField(TaishoDay, TaishoDayPicker, QStringLiteral("退所日の日付けが不明です。")),
    };
    for (lum::EraDateField* field : dateFields_) connect(field, &lum::EraDateField::picked, this, [this] { Dirty = true; });

    // Changes the edits do not track themselves.
    auto dirty = [this] { Dirty = true; };
    for (QComboBox* box : {SexBox, RoomBox, JiritsudoBox, NinchidoBox, YoukaigodoBox}) {
        connect(box, &QComboBox::activated, this, dirty);
    }
    for (QComboBox* box : ShikanNameBoxes) connect(box, &QComboBox::activated, this, dirty);
    for (QComboBox* box : ShikanNameBoxes) connect(box->lineEdit(), &QLineEdit::textEdited, this, dirty);
    connect(RoomBox->lineEdit(), &QLineEdit::textEdited, this, dirty);
    for (QCheckBox* box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox}) connect(box, &QCheckBox::clicked, this, dirty);
    connect(RihaTypeBox, &QComboBox::activated, this, [this](int index) {
        ApplyRihaType(index);
        for (QCheckBox* box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox}) box->setChecked(false);
        dateFields_[1]->clear();
        Dirty = true;
    });

    // Layout: the person on the left, the care on the right, the diseases below.
    auto* grid = new QGridLayout(p);
    // Side margins kept small: the panel must lie whole on a 1024-wide screen.
    grid->setContentsMargins(12, 16, 12, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    int row = 0;
    auto left = [&](const char* caption, QWidget* w) {
        grid->addWidget(makeLabel(QString::fromUtf8(caption), p), row, 0);
        grid->addWidget(w, row, 1);
        ++row;
    };
    left("治療番号", CureNo);
    left("氏名", RegistName);
    left("氏名カナ", RegistKanaName);
    left("生年月日", pair(p, BirthDay, BirthDatePicker));
    left("性別", SexBox);
    left("郵便番号", UbinNo);
    left("住所", Address);
    left("電話番号", TelNo);
    left("Fax", FaxNo);
    left("E-Mail", EMailEdit);
    left("Tavelund利用番号", TavelundUserNoEdit);
    left("特徴", distinctive);
    const int leftRows = row;

    row = 0;
    auto right = [&](QLabel* label, QWidget* w) {
        grid->addWidget(label, row, 3);
        grid->addWidget(w, row, 4);
        ++row;
    };
    right(makeLabel(QStringLiteral("リハビリ形態"), p), RihaTypeBox);
    auto* kinds = new QWidget(p);
    auto* kindRow = new QHBoxLayout(kinds);
    kindRow->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox* box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox}) kindRow->addWidget(box);
    kindRow->addStretch();
    right(ShuruiLabel, kinds);
    right(KijunLabel, pair(p, KijunEdit, KijunDatePicker));
    right(makeLabel(QStringLiteral("自立度"), p), JiritsudoBox);
    right(makeLabel(QStringLiteral("認知度"), p), NinchidoBox);
    right(makeLabel(QStringLiteral("要介護度"), p), YoukaigodoBox);
    right(makeLabel(QStringLiteral("部屋"), p), RoomBox);
    right(makeLabel(QStringLiteral("病院退院日"), p), pair(p, TaiinDay, TaiinDayPicker));
    right(makeLabel(QStringLiteral("入所日(開始)"), p), pair(p, NyushoDay, NyushoDayPicker));
    right(makeLabel(QStringLiteral("退所日(終了)"), p), pair(p, TaishoDay, TaishoDayPicker));
    grid->setColumnMinimumWidth(2, 24);

    row = std::max(leftRows, row) + 1;
    grid->addWidget(makeLabel(QStringLiteral("疾 患 名"), p), row, 0, Qt::AlignTop);
    auto* diseases = new QGridLayout;
    diseases->setHorizontalSpacing(12);
    diseases->setVerticalSpacing(6);
    for (int i = 0; i < 6; ++i) diseases->addWidget(ShikanNameBoxes[i], i % 3, i / 3);
    grid->addLayout(diseases, row, 1, 1, 4, Qt::AlignLeft);
    MainPanel->setFixedSize(MainPanel->sizeHint());
    lum::keepCentred(*MainPanel, {lum::Centring::Area::Outer, 60});
}

void TUserRegistForm::BuildCommands() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, bar);
    auto button = [bar, this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumSize(96, 34);
        // The window's commands are Tab stops at the end of the form (Space or
        // Enter presses them); a click leaves the focus where it was.
        b->setFocusPolicy(Qt::TabFocus);
        b->setAutoDefault(true);
        bar->addWidget(b);
        return b;
    };
    NewBtn = button("NewBtn", QStringLiteral("新規"));
    OpenBtn = button("OpenBtn", QStringLiteral("開く"));
    ImportBtn = button("ImportBtn", QStringLiteral("インポート"));
    SaveBtn = button("SaveBtn", QStringLiteral("保存"));
    bar->addSeparator();
    CopyBtn = button("CopyBtn", QStringLiteral("コピー(&C)"));
    CutBtn = button("CutBtn", QStringLiteral("切り取り(&T)"));
    PasteBtn = button("PasteBtn", QStringLiteral("貼り付け(&P)"));
    for (QPushButton* b : {CopyBtn, CutBtn, PasteBtn}) {
        b->setFocusPolicy(Qt::NoFocus);  // the edit actions work on the focused field
        b->setAutoDefault(false);
    }
    bar->addSeparator();
    CloseBtn = button("CloseBtn", QStringLiteral("閉じる"));

    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    NewMenu = item(FileMenu, "NewMenu", QStringLiteral("新規"));
    OpenMenu = item(FileMenu, "OpenMenu", QStringLiteral("開く"));
    ImportMenu = item(FileMenu, "ImportMenu", QStringLiteral("インポート"));
    SaveMenu = item(FileMenu, "SaveMenu", QStringLiteral("保存"));
    SaveAsNewMenu = item(FileMenu, "SaveAsNewMenu", QStringLiteral("異なる入所(開始)日で新規保存"));
    DeleteMenu = item(FileMenu, "DeleteMenu", QStringLiteral("削除"));
    FileMenu->addSeparator();
    CloseMenu = item(FileMenu, "CloseMenu", QStringLiteral("閉じる"));
    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("編集"));
    QAction* copy = item(editMenu, "CopyMenu", QStringLiteral("コピー(&C)"));
    QAction* cut = item(editMenu, "CutMenu", QStringLiteral("切り取り(&T)"));
    QAction* paste = item(editMenu, "PasteMenu", QStringLiteral("貼り付け(&P)"));
    copy->setShortcut(QKeySequence::Copy);
    cut->setShortcut(QKeySequence::Cut);
    paste->setShortcut(QKeySequence::Paste);
    connect(FileMenu, &QMenu::aboutToShow, this, &TUserRegistForm::UpdateFileMenu);

    connect(NewBtn, &QPushButton::clicked, this, &TUserRegistForm::NewClick);
    connect(NewMenu, &QAction::triggered, this, &TUserRegistForm::NewClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TUserRegistForm::OpenClick);
    connect(OpenMenu, &QAction::triggered, this, &TUserRegistForm::OpenClick);
    connect(ImportBtn, &QPushButton::clicked, this, &TUserRegistForm::ImportClick);
    connect(ImportMenu, &QAction::triggered, this, &TUserRegistForm::ImportClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TUserRegistForm::SaveClick);
    connect(SaveMenu, &QAction::triggered, this, &TUserRegistForm::SaveClick);
    connect(SaveAsNewMenu, &QAction::triggered, this, &TUserRegistForm::SaveAsNewClick);
    connect(DeleteMenu, &QAction::triggered, this, &TUserRegistForm::DeleteClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(CloseMenu, &QAction::triggered, this, &QWidget::close);
    connect(CopyBtn, &QPushButton::clicked, this, [] { lum::editFocused(lum::EditAction::Copy); });
    connect(copy, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Copy); });
    connect(CutBtn, &QPushButton::clicked, this, [] { lum::editFocused(lum::EditAction::Cut); });
    connect(cut, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Cut); });
    connect(PasteBtn, &QPushButton::clicked, this, [] { lum::editFocused(lum::EditAction::Paste); });
    connect(paste, &QAction::triggered, this, [] { lum::editFocused(lum::EditAction::Paste); });
}

void TUserRegistForm::BuildTabOrder() {
    // The reading order: the left column top to bottom, the right column, the
    // diseases, then the window's commands. Pickers are no Tab stops.
    lum::setTabChain({RegistName, RegistKanaName, BirthDay, SexBox, UbinNo, Address, TelNo, FaxNo, EMailEdit,
                      TavelundUserNoEdit, distinctive, RihaTypeBox, TankiBox, NinchiBox, ShuudanBox, KobetsuBox,
                      KijunEdit, JiritsudoBox, NinchidoBox, YoukaigodoBox, RoomBox, TaiinDay, NyushoDay, TaishoDay,
                      ShikanNameBoxes[0], ShikanNameBoxes[1], ShikanNameBoxes[2], ShikanNameBoxes[3],
                      ShikanNameBoxes[4], ShikanNameBoxes[5], NewBtn, OpenBtn, ImportBtn, SaveBtn, CloseBtn});
}

void TUserRegistForm::UpdateFileMenu() {
    NewMenu->setEnabled(NewBtn->isEnabled());
    OpenMenu->setEnabled(OpenBtn->isEnabled());
    ImportMenu->setEnabled(ImportBtn->isEnabled());
    SaveMenu->setEnabled(SaveBtn->isEnabled());
    SaveAsNewMenu->setEnabled(SaveBtn->isEnabled());
    const std::optional<int> number = lum::parseWholeNumber(CureNo->text());
    DeleteMenu->setEnabled(number && *number >= 1);
}

void TUserRegistForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (MainForm) MainForm->hide();
    if (MainForm && MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    MainPanel->hide();
    ClearInput();
    lum::LoadCommentsInto({RoomBox}, kProgram, kRoomList);
    lum::LoadCommentsInto({ShikanNameBoxes[0], ShikanNameBoxes[1], ShikanNameBoxes[2], ShikanNameBoxes[3],
                           ShikanNameBoxes[4], ShikanNameBoxes[5]},
                          kProgram, kDiseaseList);
    Mode = 2;
    Dirty = false;
    NewBtn->setEnabled(true);
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(false);
    ImportBtn->setEnabled(MainForm && MainForm->Registory && MainForm->Registory->ServFlg >= 1);
    for (QPushButton* b : {CopyBtn, CutBtn, PasteBtn}) b->setEnabled(false);
    CloseMenu->setEnabled(true);
    UpdateFileMenu();
}

void TUserRegistForm::closeEvent(QCloseEvent* event) {
    if (IsInputModified() &&
        lum::message(MsgKind::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"),
                     MsgButton::No | MsgButton::Ok, this) == MsgButton::No) {
        event->ignore();
        return;
    }
    event->accept();
    if (MainForm) MainForm->show();
}

void TUserRegistForm::ClearInput() {
    CureNo->clear();
    for (QLineEdit* e : {RegistName, RegistKanaName, distinctive, UbinNo, Address, TelNo, FaxNo, EMailEdit,
                         TavelundUserNoEdit}) {
        e->clear();
        e->setModified(false);
    }
    for (lum::EraDateField* field : dateFields_) field->clear();
    SexBox->setCurrentIndex(-1);
    RihaTypeBox->setCurrentIndex(-1);
    ApplyRihaType(-1);
    for (QCheckBox* box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox}) box->setChecked(false);
    for (QComboBox* box : {RoomBox, JiritsudoBox, NinchidoBox, YoukaigodoBox}) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) box->setEditText(QString());
    }
    for (QComboBox* box : ShikanNameBoxes) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
}

void TUserRegistForm::ApplyRihaType(int type) {
    RihaKubun.SetRihaType(type);
    ShuruiLabel->setVisible(RihaKubun.UseType);
    TankiBox->setVisible(RihaKubun.UseTanki);
    NinchiBox->setVisible(RihaKubun.UseNinchi);
    ShuudanBox->setVisible(RihaKubun.UseShudan);
    KobetsuBox->setVisible(RihaKubun.UseKobetsu);
    for (QWidget* w : {static_cast<QWidget*>(KijunLabel), static_cast<QWidget*>(KijunEdit),
                       static_cast<QWidget*>(KijunDatePicker)}) {
        w->setVisible(RihaKubun.UseKijun);
    }
}

bool TUserRegistForm::IsInputModified() const {
    if (Dirty) return true;
    for (const QLineEdit* e : {RegistName, RegistKanaName, BirthDay, distinctive, UbinNo, Address, TelNo, FaxNo,
                               EMailEdit, TavelundUserNoEdit, KijunEdit, TaiinDay, NyushoDay, TaishoDay}) {
        if (e->isModified()) return true;
    }
    return false;
}

void TUserRegistForm::MarkUnchanged() {
    for (QLineEdit* e : {RegistName, RegistKanaName, BirthDay, distinctive, UbinNo, Address, TelNo, FaxNo,
                         EMailEdit, TavelundUserNoEdit, KijunEdit, TaiinDay, NyushoDay, TaishoDay}) {
        e->setModified(false);
    }
    Dirty = false;
}

namespace {
bool refuse(const QString& text, QWidget* focus) {
    if (!text.isEmpty()) lum::message(MsgKind::Information, text, MsgButton::Ok, focus);
    focus->setFocus();
    return false;
}
}  // namespace

bool TUserRegistForm::CheckRegistName() {
    const QString m = lum::checkNameInput(RegistName->text());
    return m.isEmpty() || refuse(m, RegistName);
}

bool TUserRegistForm::CheckRegistKana() {
    const QString m = lum::checkKanaInput(RegistKanaName->text());
    return m.isEmpty() || refuse(m, RegistKanaName);
}

lum::PersonInput TUserRegistForm::ReadInputs() const {
    lum::PersonInput in;
    in.name = RegistName->text();
    in.kana = RegistKanaName->text();
    in.birthDay = BirthDay->text();
    in.sex = SexBox->currentIndex();
    in.distinctive = distinctive->text();
    in.room = RoomBox->currentText();
    in.postalCode = postalText(UbinNo);
    in.address = Address->text();
    in.tel = TelNo->text();
    in.fax = FaxNo->text();
    in.email = EMailEdit->text();
    in.tavelundNo = TavelundUserNoEdit->text();
    in.rihaType = RihaTypeBox->currentIndex();
    in.kubun.Tanki = TankiBox->isChecked();
    in.kubun.Ninchi = NinchiBox->isChecked();
    in.kubun.Shudan = ShuudanBox->isChecked();
    in.kubun.Kobetsu = KobetsuBox->isChecked();
    in.kijun = KijunEdit->text();
    in.jiritsu = JiritsudoBox->currentIndex();
    in.ninchi = NinchidoBox->currentIndex();
    in.youkaigo = YoukaigodoBox->currentIndex();
    in.taiinDay = TaiinDay->text();
    in.nyushoDay = NyushoDay->text();
    in.taishoDay = TaishoDay->text();
    for (int i = 0; i < 6; ++i) in.diseases[i] = ShikanNameBoxes[i]->currentText();
    return in;
}

bool TUserRegistForm::ValidateInput() {
    // A new client without a reference date typed gets today's, as before;
    // an opened one keeps its own.
    const lum::TDateTime stored =
        Person.KubunDate.isEmpty() ? lum::TDateTime::fromDateTime(lum::now()) : Person.KubunDate;
    const lum::ValidationResult result = lum::ValidateInput(ReadInputs(), Person, stored);
    if (result.ok) return true;
    auto* focus = MainPanel->findChild<QWidget*>(result.focus);
    if (!focus) focus = MainPanel;
    return refuse(result.message, focus);
}

void TUserRegistForm::NewClick() {
    ClearInput();
    Person = TPerson();
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(true);
    DeleteMenu->setEnabled(false);
    MainPanel->show();
    ImportBtn->setEnabled(true);
    for (QPushButton* b : {CopyBtn, CutBtn, PasteBtn}) b->setEnabled(true);
    Dirty = false;
    Mode = 1;
    RegistName->setFocus();
    UpdateFileMenu();
}

void TUserRegistForm::OpenClick() {
    TUserSearchForm& search = lum::userSearchForm();
    if (lum::runModal(search) != QDialog::Accepted) return;
    MainPanel->show();
    Person = search.Person;
    ShowPerson(Person);
    SaveBtn->setEnabled(true);
    DeleteMenu->setEnabled(true);
    ImportBtn->setEnabled(true);
    for (QPushButton* b : {CopyBtn, CutBtn, PasteBtn}) b->setEnabled(true);
    Dirty = false;
    Mode = 0;
    UpdateFileMenu();
}

void TUserRegistForm::ShowPerson(const TPerson& p) {
    CureNo->setText(QString::number(p.CureNo));
    RegistName->setText(p.Name);
    RegistKanaName->setText(p.Kana);
    dateFields_[0]->setDate(p.Birth);
    SexBox->setCurrentIndex(p.Sex >= 0 && p.Sex < SexBox->count() ? p.Sex : -1);
    distinctive->setText(p.distinctive);
    UbinNo->setText(p.YoubinNo);
    Address->setText(p.Address);
    TelNo->setText(p.TelNo);
    FaxNo->setText(p.FaxNo);
    EMailEdit->setText(p.EMail);
    TavelundUserNoEdit->setText(p.TavelundUserNo >= 1 ? QString::number(p.TavelundUserNo) : QString());
    RihaTypeBox->setCurrentIndex(p.RihaType >= 0 && p.RihaType < RihaTypeBox->count() ? p.RihaType : -1);
    ApplyRihaType(p.RihaType);
    RihaKubun.SetCode(p.KubunCode);
    TankiBox->setChecked(RihaKubun.Tanki);
    NinchiBox->setChecked(RihaKubun.Ninchi);
    ShuudanBox->setChecked(RihaKubun.Shudan);
    KobetsuBox->setChecked(RihaKubun.Kobetsu);
    dateFields_[1]->setDate(p.KubunDate);
    dateFields_[2]->setDate(p.HP_TAISHO_YMD);
    dateFields_[3]->setDate(p.NYUSHOBI_YMD);
    dateFields_[4]->setDate(p.TAISHOBI_YMD);
    RoomBox->setEditText(p.ROOM_NO);
    auto index = [](QComboBox* box, int value) { box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1); };
    index(JiritsudoBox, p.Jiritsu_KBN);
    index(NinchidoBox, p.Ninchi_KBN);
    index(YoukaigodoBox, p.YOUKAIGO_KBN);
    for (int i = 0; i < 6; ++i) ShikanNameBoxes[i]->setEditText(p.Disease[i]);
    MarkUnchanged();
}

void TUserRegistForm::SaveClick() {
    // Disabling 保存 while it has the focus passes the focus on to 閉じる, where
    // the next Enter would close the window: it comes back once the save ends.
    const bool pressedWithKeys = SaveBtn->hasFocus();
    SaveBtn->setEnabled(false);
    if (!ValidateInput()) {
        SaveBtn->setEnabled(true);
        return;  // the field in question has the focus
    }
    if (Mode == 1) SaveNew();
    else if (Mode == 0) SaveExisting();
    UpdateFileMenu();
    if (pressedWithKeys) (SaveBtn->isEnabled() ? static_cast<QWidget*>(SaveBtn) : RegistName)->setFocus();
}

void TUserRegistForm::SaveAsNewClick() {
    Mode = 1;
    SaveClick();
}

void TUserRegistForm::SaveNew() {
    lum::db::Database* db = lum::facilityDatabase();
    if (!db || !db->isOpen()) {
        abortBox(QStringLiteral("*** SystemError : 利用者台帳 error "));
        return;  // 保存 stays disabled until 新規 or 開く
    }
    // The duplicate check cuts the kana it validated: family part, blank, given part.
    const QString& kana = Person.Kana;
    const int blank = int(kana.indexOf(u' ')) + 1;  // 1-based, 0 when none
    QString family;
    QString given;
    if (blank > 1) {
        family = kana.left(blank - 1);
        given = lum::asciiTrim(kana.mid(lum::SkipSpaces(kana, blank) - 1));
    }
    TPerson row = Person;
    row.Reserve = {};  // a new episode starts without weekly requests
    row.Funn = {};

    // The check and the insert in one transaction, so no other workstation
    // stores the same person in between. Messages wait until it has ended.
    enum class Outcome { Saved, Duplicate, CheckFailed };
    Outcome outcome = Outcome::Saved;
    try {
        lum::db::Transaction tx(*db);
        lum::PersonStore store(*db);
        try {
            if (!given.isEmpty()) {
                for (const TPerson& other : store.duplicateCandidates(family, row.Birth, row.Sex, row.NYUSHOBI_YMD)) {
                    if (other.Kana.indexOf(given) > 0) outcome = Outcome::Duplicate;
                }
            }
        } catch (const lum::db::DbError&) {
            outcome = Outcome::CheckFailed;
        }
        if (outcome == Outcome::Saved) {
            row.CureNo = store.insert(row);
            tx.commit();
        }
    } catch (const lum::db::TransactionStartError& e) {
        abortBox(QStringLiteral("*** SystemError : DB Trans Start error %1").arg(e.level()));
        SaveBtn->setEnabled(true);
        return;
    } catch (const lum::db::DbError&) {
        // Rolled back: nothing was stored, no number is shown and the inputs
        // stay for another try.
        abortBox(QStringLiteral("*** SystemError 利用者台帳 登録 Error"));
        SaveBtn->setEnabled(true);
        return;
    }
    switch (outcome) {
    case Outcome::CheckFailed:
        abortBox(QStringLiteral("*** SystemError : DobleCheck Error "));
        return;  // 保存 stays disabled until 新規 or 開く
    case Outcome::Duplicate:
        lum::message(MsgKind::Warning, QStringLiteral("すでに登録済みです。\n確認して下さい。"), MsgButton::Yes, this);
        return;  // 保存 stays disabled until 新規 or 開く
    case Outcome::Saved:
        break;
    }
    Person = row;
    CureNo->setText(QString::number(row.CureNo));
    Saved();
}

void TUserRegistForm::Saved() {
    lum::message(MsgKind::Information, QStringLiteral("登録しました"), MsgButton::Ok, this);
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(true);
    Mode = 0;
    MarkUnchanged();
}

void TUserRegistForm::SaveExisting() {
    lum::db::Database* db = lum::facilityDatabase();
    const std::optional<int> number = lum::parseWholeNumber(CureNo->text());
    if (!db || !db->isOpen() || !number) {
        abortBox(QStringLiteral("SystemError : 利用者台帳 error "));
        return;
    }
    Person.CureNo = *number;
    int level = db->transactionLevel() + 1;
    try {
        lum::db::Transaction tx(*db);
        level = tx.level();
        lum::PersonStore(*db).update(Person);
        tx.commit();
    } catch (const lum::db::TransactionStartError& e) {
        abortBox(QStringLiteral("*** SystemError : DB Trans Start error %1").arg(e.level()));
        SaveBtn->setEnabled(true);
        return;
    } catch (const lum::db::NoRowTouched& gone) {
        abortBox(QStringLiteral("SystemError : DB Trans Start error %1\n").arg(level) + gone.text());
        SaveBtn->setEnabled(true);
        return;
    } catch (const lum::db::DbError&) {
        abortBox(QStringLiteral("SystemError : DB Trans Start error %1").arg(level));
        SaveBtn->setEnabled(true);
        return;
    }
    Saved();
}

void TUserRegistForm::DeleteClick() {
    const QString number = CureNo->text();
    const std::optional<int> cureNo = lum::parseWholeNumber(number);
    if (number.isEmpty() || !cureNo) return;
    DeleteMenu->setEnabled(false);
    if (lum::message(MsgKind::Information,
                     QStringLiteral("治療番号 = ") + number + QStringLiteral(" の") + u'\n' +
                         QStringLiteral("全てのデータが削除されます。") + u'\n' + QStringLiteral("削除しますか？"),
                     MsgButton::Yes | MsgButton::No, this) != MsgButton::Yes) {
        DeleteMenu->setEnabled(true);
        return;
    }
    lum::db::Database* db = lum::facilityDatabase();
    if (!db || !db->isOpen()) {
        abortBox(QStringLiteral("System DB Error:利用者台帳"));
        DeleteMenu->setEnabled(true);
        return;
    }
    try {
        // Only the Person row: bookings, results and documents of the number stay.
        lum::db::Transaction tx(*db);
        lum::PersonStore(*db).remove(*cureNo);
        tx.commit();
    } catch (const lum::db::TransactionStartError& e) {
        abortBox(QStringLiteral("SystemError : DB Trans Start error %1").arg(e.level()));
        DeleteMenu->setEnabled(true);
        return;
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, QStringLiteral("削除に失敗しました。"), MsgButton::Ok, this);
        DeleteMenu->setEnabled(true);
        return;
    }
    lum::message(MsgKind::Information, QStringLiteral("治療番号 = ") + number + u'\n' + QStringLiteral("を削除しました。"),
                 MsgButton::Ok, this);
    ClearInput();
    Person = TPerson();
    MainPanel->hide();
    DeleteMenu->setEnabled(false);
    // Nothing is loaded any more: 保存 has nothing to write until 新規 or 開く.
    Mode = 2;
    SaveBtn->setEnabled(false);
    MarkUnchanged();
    UpdateFileMenu();
}

void TUserRegistForm::ImportClick() {
    const int mode = MainForm && MainForm->Registory ? MainForm->Registory->ServFlg : 0;
    TLinkedUserForm* picker = lum::linkedUserForm(mode);
    if (!picker) {
        lum::message(MsgKind::Information, QStringLiteral("データ取り込みの設定がありません。"), MsgButton::Ok, this);
        return;
    }
    if (lum::runModal(*picker) != QDialog::Accepted || !picker->PickedClient) return;
    // Nothing loaded yet: the imported client is a new one.
    if (Mode == 2) NewClick();
    // The picked row, whole; nothing is written and no stored client is
    // looked up: 保存 stores what the window shows, on the row it has open.
    // A value the other system does not hold arrives empty, so 保存 asks for it.
    const lum::LinkedClient& c = *picker->PickedClient;
    RegistName->setText(c.Jname);
    RegistKanaName->setText(c.Kname);
    TavelundUserNoEdit->setText(c.Sid ? QString::number(*c.Sid) : QString());
    SexBox->setCurrentIndex(lum::linkedSexIndex(c));
    dateFields_[0]->setDate(c.Birth);  // the empty date clears the field
    UbinNo->setText(c.Mail);
    Address->setText(c.Add);
    TelNo->setText(c.Tel);
    FaxNo->setText(c.Fax);
    for (QLineEdit* e : {RegistName, RegistKanaName, TavelundUserNoEdit, BirthDay, UbinNo, Address, TelNo, FaxNo}) {
        e->setModified(true);
    }
    Dirty = true;
    QApplication::processEvents();
}

void TUserRegistForm::EditComments(int code) {
    // The lists change; what the boxes show stays.
    if (code == kRoomList) {
        lum::EditCommentsOf({RoomBox}, kProgram, code);
    } else {
        lum::EditCommentsOf({ShikanNameBoxes[0], ShikanNameBoxes[1], ShikanNameBoxes[2], ShikanNameBoxes[3],
                             ShikanNameBoxes[4], ShikanNameBoxes[5]},
                            kProgram, code);
    }
}
