#include "plans/practice_plan_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/blob_document_road.h"
#include "plans/entry_checks.h"
#include "plans/marker_pair.h"
#include "plans/practice_cell_dialogs.h"
#include "plans/practice_cells.h"
#include "plans/practice_plan_values.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "widgets/key_edit_binding.h"
#include "widgets/phrase_picking.h"
#include "widgets/widget_helpers.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

TPracticePlanForm* PracticePlanForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;
using P = lum::TPracticePlan;

const QString kProgram = QStringLiteral("PracticePlan");
const QString kBlankCell = QStringLiteral("　");
const QString kBlankDate = QStringLiteral("平成   年  月  日");

QWidget* tabPage(const char* name, QWidget* scrollBox) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox);
    return page;
}

}  // namespace

TPracticePlanForm::TPracticePlanForm(QWidget* parent) : TDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("PracticePlanForm"));
    ToolButton1 = NewToolButton;
    ToolButton2 = OpenToolButton;
    SaveButton = SaveToolButton;
    PrintButton = PrintToolButton;
    ToolButton11 = CloaeToolButton;
    ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
    ToolButton2->setObjectName(QStringLiteral("ToolButton2"));
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    ToolButton11->setObjectName(QStringLiteral("ToolButton11"));

    // The second tool bar: cut, copy and paste on the focused field.
    EditToolBar = new QToolBar(this);
    EditToolBar->setObjectName(QStringLiteral("EditToolBar"));
    EditToolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, EditToolBar);
    const std::pair<const char*, lum::EditAction> edits[] = {
        {"切り取り", lum::EditAction::Cut}, {"コピー", lum::EditAction::Copy}, {"貼り付け", lum::EditAction::Paste}};
    const char* editNames[] = {"CutButton", "CopyButton", "PasteButton"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(edits[i].first), this);
        b->setObjectName(QString::fromLatin1(editNames[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(72, 28);
        const lum::EditAction action = edits[i].second;
        connect(b, &QPushButton::clicked, this, [action] { lum::editFocused(action); });
        EditToolBar->addWidget(b);
    }

    resize(1060, 820);
    ScrollBox1 = new TSheetScrollBox(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox2 = new TSheetScrollBox(this);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    BuildPage1();
    BuildPage2();
    CopyMemo = lum::sheet::memo(P1Panel, "CopyMemo", {0, 0, 10, 10});
    CopyMemo->hide();
    ScrollBox1->setWidget(P1Panel);
    ScrollBox2->setWidget(P2Panel);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = tabPage("TabSheet1", ScrollBox1);
    TabSheet2 = tabPage("TabSheet2", ScrollBox2);
    PageControl1->addTab(TabSheet1, QStringLiteral("リハビリテーション実施計画書（１）"));
    PageControl1->addTab(TabSheet2, QStringLiteral("リハビリテーション実施計画書（２）"));
    setCentralWidget(PageControl1);

    frUserDataset2.RangeEnd = lum::reCount;
    frUserDataset2.RangeEndCount = lum::PracticeSecondSourceRecords;
    Components.addDataSource(&frUserDataset2);
    frReport1.ReportType = lum::rtMultiple;

    // The typed texts in the order their checks run, with their limits and
    // the captions of the boxes of fixed size they print in.
    auto entries = [](std::initializer_list<std::pair<QWidget*, QString P::*>> list) {
        std::vector<Entry> out;
        for (const auto& [control, field] : list) {
            const lum::PracticeBoxedText* boxed = lum::practiceBoxedText(field);
            out.push_back({control, field, lum::practiceEntryLimit(field), boxed ? boxed->caption : nullptr});
        }
        return out;
    };
    headEntries_ =
        entries({{KenkouMemo, &P::KenkouMemo}, {GapeiMemo, &P::GapeiMemo}, {SeikatsuMemo, &P::SeikatsuMemo}});
    bodyEntries_ = entries({{EtcEdit, &P::EtcEdit},           {HomeWorkEdit, &P::HomeWorkEdit},
                            {SocialEdit, &P::SocialEdit},     {GoOutEdit, &P::GoOutEdit},
                            {FreeTimeEdit, &P::FreeTimeEdit}, {TaiinEdit, &P::TaiinEdit},
                            {ExerciseMemo, &P::ExerciseMemo}, {SenseMemo, &P::SenseMemo},
                            {BrainMemo, &P::BrainMemo},       {KoushukuMemo, &P::KoushukuMemo},
                            {ArthralgiaMemo, &P::ArthralgiaMemo}, {SonotaMemo, &P::SonotaMemo}});
    tableMemos0_ = entries({{PTOTST0, &P::PTOTST0}, {Kango0, &P::Kango0}, {Jitchi0, &P::Jitchi0}});
    tableMemos1_ = entries({{PTOTST1, &P::PTOTST1}, {Kango1, &P::Kango1}, {Jitchi1, &P::Jitchi1}});
    page2Entries_ = entries({{SelfHope, &P::SelfHope},     {FarmilyHope, &P::FarmilyHope},
                             {LifePoint, &P::LifePoint},   {RihaTerget, &P::RihaTerget},
                             {SelfDo, &P::SelfDo},         {AskFarmily, &P::AskFarmily},
                             {DiseseCare, &P::DiseseCare}, {Variation, &P::Variation},
                             {Remark, &P::Remark}});

    // What IsModified counts (the plan date edit only for the close question).
    for (const auto* list : {&headEntries_, &bodyEntries_, &tableMemos0_, &tableMemos1_, &page2Entries_}) {
        for (const Entry& e : *list) {
            if (auto* edit = qobject_cast<QLineEdit*>(e.control)) trackEdit(edit);
            else trackMemo(static_cast<QPlainTextEdit*>(e.control));
        }
    }
    trackEdit(HDSEdit);
    for (auto& [number, rc] : rows_) {
        trackMemo(rc.Goods);
        trackMemo(rc.Kaigo);
        trackEdit(rc.Time);
    }
    planDateKeys_ = lum::KeyEditBinding::bindEraDate(PlanDateEdit);
    team_.fill(-1);
    WireChanges();
}

TPracticePlanForm::~TPracticePlanForm() { Components.remove(frUserDataset2.Name); }

TPracticePlanForm::RowControls& TPracticePlanForm::Row(int number) { return rows_.at(number); }

void TPracticePlanForm::WireChanges() {
    auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    for (QCheckBox* box : {Exercise, Sense, Brain, Koushuku, Arthralgia, Sonota, HomeBox, EtcBox, TaiinBox})
        connect(box, &QCheckBox::clicked, this, changed);
    for (int s = 0; s < lum::PracticeTeamSlots; ++s) {
        connect(TeamBoxes[size_t(s)], &QComboBox::activated, this, [this, s](int index) {
            // The first item is "none"; a staff member's code otherwise.
            team_[size_t(s)] = lum::staffCodeAt(index - 1);
            if (!loading_) DocChanged = true;
        });
    }
    for (TLevelCell* cell : cells_) {
        connect(cell, &TLevelCell::leftReleased, this, [this, cell] { LevelCellReleased(cell); });
        connect(cell, &TLevelCell::rightReleased, this, &TPracticePlanForm::LevelCellMenu);
    }
    for (auto& [number, rc] : rows_) {
        const int row = number;
        connect(rc.Special, &TChoiceLabel::chosen, this, [this, row] { SpecialClick(row); });
        goodsMemos_[rc.Goods->viewport()] = row;
        kaigoMemos_[rc.Kaigo->viewport()] = row;
        timeEdits_[rc.Time] = row;
        rc.Goods->viewport()->installEventFilter(this);
        rc.Kaigo->viewport()->installEventFilter(this);
        rc.Time->installEventFilter(this);
    }
    auto viewportOf = [](QPlainTextEdit* memo) -> QWidget* { return memo->viewport(); };
    phraseFields_ = {
        {viewportOf(PTOTST0), 0},      {viewportOf(PTOTST1), 0},     {viewportOf(Kango0), 0},
        {viewportOf(Kango1), 0},       {viewportOf(Jitchi0), 0},     {viewportOf(Jitchi1), 0},
        {viewportOf(KenkouMemo), 1},   {viewportOf(GapeiMemo), 2},   {viewportOf(SeikatsuMemo), 3},
        {viewportOf(ExerciseMemo), 4}, {viewportOf(SenseMemo), 5},   {viewportOf(BrainMemo), 6},
        {viewportOf(KoushukuMemo), 7}, {viewportOf(ArthralgiaMemo), 8}, {viewportOf(SonotaMemo), 9},
        {HomeWorkEdit, 20},            {SocialEdit, 21},             {GoOutEdit, 22},
        {FreeTimeEdit, 23},            {TaiinEdit, 24},              {viewportOf(SelfHope), 30},
        {viewportOf(FarmilyHope), 31}, {viewportOf(LifePoint), 32},  {viewportOf(RihaTerget), 33},
        {viewportOf(SelfDo), 34},      {viewportOf(AskFarmily), 35}, {viewportOf(DiseseCare), 36},
        {viewportOf(Variation), 37},   {viewportOf(Remark), 38},
    };
    for (const auto& [field, code] : phraseFields_) field->installEventFilter(this);

    connect(planDateKeys_, &lum::KeyEditBinding::accepted, this, [this](lum::TDateTime day) {
        Plan.PlanDate = day;
        ShowAge();
    });
    connect(planDateKeys_, &lum::KeyEditBinding::rejected, this, [this] { CheckPlanDate(); });
}

bool TPracticePlanForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (const auto it = goodsMemos_.find(watched); it != goodsMemos_.end()) {
            EditGoods(it->second);
            return true;
        }
        if (const auto it = kaigoMemos_.find(watched); it != kaigoMemos_.end()) {
            EditKaigo(it->second);
            return true;
        }
        if (const auto it = timeEdits_.find(watched); it != timeEdits_.end()) {
            EditTime(it->second);
            return true;
        }
        for (const auto& [field, code] : phraseFields_) {
            if (watched == field) {
                PickPhrases(code);
                return true;
            }
        }
    }
    return TDocumentForm::eventFilter(watched, event);
}

// ---- cell editing

void TPracticePlanForm::LevelCellReleased(TLevelCell* cell) {
    cell->setSelected(!cell->isSelected());
    DocChanged = true;
}

void TPracticePlanForm::LevelCellMenu() {
    TABCForm& dialog = lum::abcForm();
    const int result = lum::runModal(dialog);
    if (result != lum::mrOk && result != lum::mrYesToAll && result != lum::mrNoToAll) return;
    const QString text = result == lum::mrNoToAll ? kBlankCell : dialog.FormatResult();
    for (TLevelCell* cell : cells_) {
        if (result == lum::mrOk && !cell->isSelected()) continue;
        cell->setText(text);
        cell->setSelected(false);
    }
    DocChanged = true;
}

namespace {
// The lines of a phrase dialog into a row's memo, shown from its first line.
void putLines(QPlainTextEdit* memo, const QStringList& lines) {
    memo->setPlainText(lines.join(u'\n'));
    memo->document()->setModified(true);
    memo->moveCursor(QTextCursor::Start);
    memo->ensureCursorVisible();
    memo->setFocus();
}
}  // namespace

void TPracticePlanForm::EditGoods(int row) {
    TGoodsForm& dialog = lum::goodsForm();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    putLines(Row(row).Goods, dialog.Lines());
}

void TPracticePlanForm::EditKaigo(int row) {
    TKaigoForm& dialog = lum::kaigoForm();
    if (lum::runModal(dialog) != QDialog::Accepted) return;
    putLines(Row(row).Kaigo, dialog.Lines());
}

void TPracticePlanForm::EditTime(int row) {
    TTimeForm& keypad = lum::timeForm();
    const int result = lum::runModal(keypad);
    // The keypad ends by 月 or カ月 only.
    if (result != lum::mrYes && result != lum::mrOk) return;
    QLineEdit* edit = Row(row).Time;
    edit->setText(TTimeForm::CellText(result, keypad.Months));
    edit->setModified(true);
}

void TPracticePlanForm::SpecialClick(int row) {
    int& value = Plan.row(row).Special;
    value = (value + 1) % 3;
    ShowSpecial(row);
    DocChanged = true;
}

void TPracticePlanForm::ShowSpecial(int row) {
    const int value = Plan.row(row).Special;
    Row(row).Special->setText(value == 1 ? QStringLiteral("○") : value == 2 ? QStringLiteral("◎") : kBlankCell);
}

void TPracticePlanForm::PickPhrases(int code) { lum::PickPhrasesToClipboard(kProgram, code, CopyMemo); }

// ---- the road's hooks

void TPracticePlanForm::FillLists() {
    const bool was = loading_;
    loading_ = true;
    for (QComboBox* box : TeamBoxes) {
        box->clear();
        box->addItem(QString());  // none
        if (MainModule) box->addItems(MainModule->StuffNames);
        box->setCurrentIndex(-1);
    }
    loading_ = was;
}

void TPracticePlanForm::showEvent(QShowEvent* event) {
    TDocumentForm::showEvent(event);
    if (event->spontaneous()) return;
    PageControl1->setCurrentIndex(0);
    for (TSheetScrollBox* box : {ScrollBox1, ScrollBox2}) box->verticalScrollBar()->setValue(0);
}

void TPracticePlanForm::ClearDocument() {
    loading_ = true;
    PlanDateEdit->setText(kBlankDate);
    for (QLabel* l : {UserNameLabel, SexLabel, BirthLabel, OldLabel, KaigodoLabel, UserLabel}) l->clear();
    for (QCheckBox* box : {Exercise, Sense, Brain, Koushuku, Arthralgia, Sonota, HomeBox, EtcBox, TaiinBox})
        box->setChecked(false);
    for (const auto* list : {&headEntries_, &bodyEntries_, &tableMemos0_, &tableMemos1_, &page2Entries_})
        for (const Entry& e : *list) {
            if (auto* edit = qobject_cast<QLineEdit*>(e.control)) edit->clear();
            else static_cast<QPlainTextEdit*>(e.control)->clear();
        }
    HDSEdit->clear();
    for (auto& [number, rc] : rows_) {
        for (TLevelCell* cell : rc.ABC) {
            cell->setText(kBlankCell);
            cell->setSelected(false);
        }
        rc.Goods->clear();
        rc.Kaigo->clear();
        rc.Time->setText(kBlankCell);
        Plan.row(number).Special = 0;
        ShowSpecial(number);
    }
    for (QComboBox* box : TeamBoxes) box->setCurrentIndex(-1);
    team_.fill(-1);
    DocChanged = false;
    loading_ = false;
}

void TPracticePlanForm::TakeHeader(const TPerson& person) {
    Plan = lum::newPracticePlan(person, lum::TDateTime::fromDateTime(lum::now()));
    // The client's diseases, one a line, as the start of 健康状態.
    KenkouMemo->setPlainText(Plan.KenkouMemo);
}

void TPracticePlanForm::ShowHeader() {
    loading_ = true;
    PlanDateEdit->setText(lum::DateToEraText(Plan.PlanDate));
    UserNameLabel->setText(Plan.UserName);
    UserLabel->setText(Plan.UserName);
    SexLabel->setText(lum::SexNames.at(Plan.Sex));
    BirthLabel->setText(Plan.Birth.isEmpty() ? QString() : lum::DateToEraText(Plan.Birth));
    OldLabel->setText(QString::number(Plan.Old));
    KaigodoLabel->setText(lum::YoukaigoNames.at(Plan.Kaigodo));
    loading_ = false;
}

void TPracticePlanForm::ShowAge() {
    Plan.Old = lum::AgeInYears(Plan.Birth, Plan.PlanDate);
    OldLabel->setText(QString::number(Plan.Old));
}

QString TPracticePlanForm::ControlText(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    return static_cast<QPlainTextEdit*>(control)->toPlainText();
}

void TPracticePlanForm::ShowRecord() {
    loading_ = true;
    for (const auto* list : {&headEntries_, &bodyEntries_, &tableMemos0_, &tableMemos1_, &page2Entries_})
        for (const Entry& e : *list) {
            if (auto* edit = qobject_cast<QLineEdit*>(e.control)) edit->setText(Plan.*e.field);
            else static_cast<QPlainTextEdit*>(e.control)->setPlainText(Plan.*e.field);
        }
    for (const lum::PracticeFlagField& f : lum::practiceFlagFields())
        findChild<QCheckBox*>(QString::fromLatin1(f.variable))->setChecked(Plan.*f.member);
    HDSEdit->setText(Plan.HDSR == 0 ? QString() : QString::number(Plan.HDSR));
    for (auto& [number, rc] : rows_) {
        const lum::TPracticeRow& r = Plan.row(number);
        for (int c = 0; c < lum::PracticeLevelColumns; ++c) {
            rc.ABC[size_t(c)]->setText(r.ABC[size_t(c)]);
            rc.ABC[size_t(c)]->setSelected(false);
        }
        rc.Goods->setPlainText(r.Goods);
        rc.Kaigo->setPlainText(r.Kaigo);
        rc.Time->setText(r.Time);
        ShowSpecial(number);
    }
    // A staff member no longer in the list shows no choice and keeps the code.
    team_ = Plan.Team;
    for (int s = 0; s < lum::PracticeTeamSlots; ++s) {
        const int code = team_[size_t(s)];
        const int index = code == -1 ? 0 : MainModule ? MainModule->IndexOfStuff(code) : -1;
        TeamBoxes[size_t(s)]->setCurrentIndex(code == -1 ? 0 : index >= 0 ? index + 1 : -1);
    }
    UserLabel->setText(Plan.UserName);
    loading_ = false;
}

void TPracticePlanForm::FocusOn(QWidget* control) {
    const bool second = P2Panel->isAncestorOf(control);
    PageControl1->setCurrentIndex(second ? 1 : 0);
    (second ? ScrollBox2 : ScrollBox1)->ensureWidgetVisible(control);
    control->setFocus();
}

bool TPracticePlanForm::Refuse(const QString& text, QWidget* focus) {
    lum::message(MsgKind::Information, text, MsgButton::Ok, this);
    FocusOn(focus);
    return false;
}

bool TPracticePlanForm::CheckPlanDate() {
    lum::TDateTime day;
    if (!lum::EraTextToDate(PlanDateEdit->text(), day)) return Refuse(QStringLiteral("日付エラーです。"), PlanDateEdit);
    Plan.PlanDate = day;
    return true;
}

bool TPracticePlanForm::CollectEntries(const std::vector<Entry>& entries, lum::TPracticePlan& plan) {
    for (const Entry& e : entries) {
        const QString text = ControlText(e.control);
        if (const auto refusal = lum::refuseEntry(text, e.limit)) return Refuse(*refusal, e.control);
        plan.*e.field = text;
        if (!e.boxCaption) continue;
        // What the printout puts into the box, so that what is stored is what prints.
        const QString name = QString::fromLatin1(lum::practiceTextField(e.field).variable);
        const lum::ExprValue printed = lum::practicePlanValue({plan, 0, 0, {}}, name).value_or(lum::ExprValue(text));
        if (const auto refusal = RefuseUnprinted(name, QString::fromUtf8(e.boxCaption), printed.toString()))
            return Refuse(*refusal, e.control);
    }
    return true;
}

bool TPracticePlanForm::CollectRow(int number, lum::TPracticePlan& plan) {
    RowControls& rc = Row(number);
    lum::TPracticeRow& r = plan.row(number);
    for (int c = 0; c < lum::PracticeLevelColumns; ++c)
        r.ABC[size_t(c)] = lum::cp932::leftBytes(rc.ABC[size_t(c)]->text(), lum::practice_layout::CellCapacity);
    for (auto [memo, field] : {std::pair{rc.Goods, &lum::TPracticeRow::Goods}, std::pair{rc.Kaigo, &lum::TPracticeRow::Kaigo}}) {
        const QString text = memo->toPlainText();
        if (const auto refusal = lum::refuseEntry(text, lum::PracticeRowMemoLimit)) return Refuse(*refusal, memo);
        r.*field = text;
    }
    const QString time = rc.Time->text();
    if (const auto refusal = lum::refuseEntry(time, lum::PracticeTimeLimit))
        return Refuse(*refusal, rc.Time);
    r.Time = time;
    return true;
}

bool TPracticePlanForm::CollectRecord() {
    const int shownPage = PageControl1->currentIndex();
    PageControl1->setCurrentIndex(0);
    // 1. The plan date and the header.
    if (!CheckPlanDate()) return false;
    // Collected into a copy: the plan on screen changes only when every check passed.
    P plan = Plan;
    plan.UserName = lum::cp932::leftBytes(plan.UserName, lum::practiceEntryLimit(&P::UserName));
    plan.Old = lum::AgeInYears(plan.Birth, plan.PlanDate);
    // 2. 健康状態, 合併疾患, 生活不活発病.
    if (!CollectEntries(headEntries_, plan)) return false;
    // 3. 退院先, 参加 and the body's boxes with their memos.
    for (const lum::PracticeFlagField& f : lum::practiceFlagFields())
        plan.*f.member = findChild<QCheckBox*>(QString::fromLatin1(f.variable))->isChecked();
    if (!CollectEntries(bodyEntries_, plan)) return false;
    // 4. HDS-R: one or two digits, or nothing.
    const QString hds = HDSEdit->text();
    if (hds.size() > 2) {
        return Refuse(QStringLiteral("HDS-R\n入力文字数がオーバーしています。\n半角2文字で入力してください。"), HDSEdit);
    }
    const bool digits = std::all_of(hds.begin(), hds.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits) return Refuse(QStringLiteral("半角2文字の数字で入力してください。"), HDSEdit);
    plan.HDSR = hds.isEmpty() ? 0 : hds.toInt();
    // 5. and 6. The first table and its memos.
    for (int number = 0; number < lum::FirstTableRows; ++number)
        if (!CollectRow(number, plan)) return false;
    if (!CollectEntries(tableMemos0_, plan)) return false;
    // 7. The second table and its memos.
    for (int i = 0; i < lum::SecondTableRows; ++i)
        if (!CollectRow(lum::SecondTableFirstRow + i, plan)) return false;
    if (!CollectEntries(tableMemos1_, plan)) return false;
    // 8. Page 2.
    PageControl1->setCurrentIndex(1);
    if (!CollectEntries(page2Entries_, plan)) return false;
    // 9. The team.
    plan.Team = team_;
    Plan = plan;
    ShowAge();
    PageControl1->setCurrentIndex(shownPage);
    return true;
}

QWidget* TPracticePlanForm::WorkArea() const { return PageControl1; }
QWidget* TPracticePlanForm::DateField() const { return PlanDateEdit; }

QByteArray TPracticePlanForm::RecordBytes() const { return lum::encodePracticePlan(Plan); }

bool TPracticePlanForm::LoadRecord(const QByteArray& bytes, lum::TDateTime) {
    const std::optional<P> plan = lum::decodePracticePlan(bytes);
    if (!plan) return false;
    Plan = *plan;
    return true;
}

bool TPracticePlanForm::IsModified() const { return TDocumentForm::IsModified(); }

bool TPracticePlanForm::IsModifiedOnClose() const { return IsModified() || PlanDateEdit->isModified(); }

void TPracticePlanForm::ResetModified() {
    TDocumentForm::ResetModified();
    PlanDateEdit->setModified(false);
}

bool TPracticePlanForm::DeleteDocument() {
    const lum::TDateTime shown = StoredDate ? *StoredDate : Plan.PlanDate;
    const QString question = QStringLiteral("利用者番号 = %1\n計画評価実施日 = %2\nを削除しますか？")
                                 .arg(DocCureNo)
                                 .arg(shown.msecsOfDay() == 0 ? shown.toDateText() : shown.toDateTimeText());
    if (lum::message(MsgKind::Confirm, question, MsgButton::Ok | MsgButton::Cancel, this) != MsgButton::Ok) return false;
    lum::db::Database& db = lum::requireFacilityDatabase();
    const QString noRow = QStringLiteral("SystemError : DB Delete Record error %1").arg(db.transactionLevel() + 1);
    auto abort = [this](const QString& text) {
        lum::message(MsgKind::Error, text, MsgButton::Abort, this);
        return false;
    };
    // Only the plan opened or saved is ever deleted: after a New never saved
    // there is none.
    if (!StoredDate) return abort(noRow);
    try {
        lum::BlobDocumentStore(db, Kind()).remove(DocCureNo, *StoredDate);
    } catch (const lum::db::NoRowTouched&) {
        return abort(noRow);
    } catch (const lum::db::TransactionStartError& e) {
        return abort(lum::transactionStartText(e.level()));
    } catch (const lum::db::DbError&) {
        return abort(QStringLiteral("System DB Error:実施計画の消去に失敗しました。"));
    }
    return true;
}

void TPracticePlanForm::SetRecordCounts() {
    frUserDataset1.RangeEndCount = lum::PracticeFirstSourceRecords;
    frUserDataset2.RangeEndCount = lum::PracticeSecondSourceRecords;
}

void TPracticePlanForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::PracticePlanPrint print{Plan, frUserDataset1.RecNo(), frUserDataset2.RecNo(),
                                       lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::practicePlanValue(print, name)) value = *v;
}
