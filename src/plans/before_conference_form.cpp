#include "plans/before_conference_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/before_conference_values.h"
#include "plans/entry_checks.h"
#include "plans/marker_pair.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TBeforeConferenceForm* BeforeConferenceForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;
namespace S = lum::sheet;

const QString kProgram = QStringLiteral("BfConfer");
constexpr int kSheetWidth = 760;
constexpr int kSheetHeight = 1480;
constexpr int kLeft = 20;
constexpr int kWidth = 720;

struct AreaSpec {
    const char* box;
    const char* note;
    const char* caption;
};
const AreaSpec kAreas[7] = {
    {"ExerciseBox", "Exercise", "運動機能障害"}, {"SenseBox", "Sense", "感覚機能障害"},
    {"BrainBox", "Brain", "高次脳機能障害"},     {"KoushukukBox", "Koushuku", "拘縮"},
    {"ArthralgiaBox", "Arthralgia", "関節痛"},   {"SonotaBox", "Sonota", "その他"},
    {"nintchiBox", "nintchi", "認知症"},
};
const char* const kAttendees[5][2] = {
    {"DRBox", "医師"}, {"CareBox", "ケアマネ"}, {"EiyouBox", "管理栄養士"}, {"KangoBox", "看介護"}, {"RihaBox", "リハビリ"}};

// The seven function areas' flags: the last seven of the record's flags.
std::span<const lum::BeforeConferenceFlag> areaFlags() { return lum::beforeConferenceFlags().last(7); }

QString controlText(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w)) return m->toPlainText();
    return {};
}

void setControlText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setPlainText(text);
}

}  // namespace

TBeforeConferenceForm::TBeforeConferenceForm(QWidget* parent) : TSheetDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("BeforeConferenceForm"));
    BindRecord(Survey, PractDay, lum::encodeBeforeConference, lum::decodeBeforeConference);
    ScrollBox1->ScrollToTopOnResize = true;
    setWindowTitle(QStringLiteral("開始時リハビリテーションカンフアレンス（調査票参照）"));
    ReturnMenu = N9;
    ReturnMenu->setObjectName(QStringLiteral("ReturnMenu"));
    resize(900, 760);
    BuildSheet();
    WireChanges();
}

// A box's line edit loses the focus while the window is taken down and the
// box then reports its typed text as chosen; this object is no longer whole
// by then, so the boxes stop reporting to it first.
TBeforeConferenceForm::~TBeforeConferenceForm() {
    for (QComboBox* box : AttendeeBoxes)
        if (box) box->disconnect(this);
}

void TBeforeConferenceForm::BuildSheet() {
    ChosaPanel = S::panel("ChosaPanel", kSheetWidth, kSheetHeight);
    QWidget* p = ChosaPanel;

    S::label(p, nullptr, {kLeft, 14, kWidth, 34}, QStringLiteral("開始時リハビリテーションカンフアレンス（調査票参照）"),
             Qt::AlignCenter)
        ->setFont(lum::uiFont(15, QFont::Bold));

    // 実施日
    int y = 58;
    S::heading(p, {kLeft + 450, y, 80, 32}, QStringLiteral("実施日"));
    S::cell(p, {kLeft + 530, y, 190, 32});
    JishiDay = S::edit(p, "JishiDay", {kLeft + 536, y + 2, 178, 28});

    // 利用者氏名 性別 生年月日 (年齢) 要介護度
    y += 42;
    S::heading(p, {kLeft, y, 90, 32}, QStringLiteral("利用者氏名"));
    S::cell(p, {kLeft + 90, y, 190, 32});
    NameLabel = S::label(p, "NameLabel", {kLeft + 96, y + 1, 180, 30});
    S::heading(p, {kLeft + 280, y, 46, 32}, QStringLiteral("性別"));
    S::cell(p, {kLeft + 326, y, 50, 32});
    SexLabel = S::label(p, "SexLabel", {kLeft + 327, y + 1, 48, 30}, {}, Qt::AlignCenter);
    S::heading(p, {kLeft + 376, y, 76, 32}, QStringLiteral("生年月日"));
    S::cell(p, {kLeft + 452, y, 180, 32});
    BirthLabel = S::label(p, "BirthLabel", {kLeft + 454, y + 1, 120, 30}, {}, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 574, y + 1, 8, 30}, QStringLiteral("("));
    // Wide enough for an age of three digits.
    OldLabel = S::label(p, "OldLabel", {kLeft + 582, y + 1, 26, 30}, {}, Qt::AlignCenter);
    S::label(p, nullptr, {kLeft + 608, y + 1, 24, 30}, QStringLiteral("歳)"));
    S::heading(p, {kLeft + 632, y, 88, 16}, QStringLiteral("要介護度"));
    S::cell(p, {kLeft + 632, y + 16, 88, 16});
    KaigoLabel = S::label(p, "KaigoLabel", {kLeft + 633, y + 16, 86, 16}, {}, Qt::AlignCenter);

    // 健康状態, 合併症・コントロール状態 and the two hopes
    auto memoBlock = [&](int top, int left, int width, const QString& caption, const char* name, int height) {
        S::heading(p, {left, top, width, 24}, caption);
        S::cell(p, {left, top + 24, width, height});
        return S::memo(p, name, {left + 3, top + 27, width - 6, height - 6});
    };
    y += 44;
    Health = memoBlock(y, kLeft, kWidth, QStringLiteral("健康状態"), "Health", 66);
    y += 96;
    Gatsupai = memoBlock(y, kLeft, kWidth, QStringLiteral("合併症・コントロール状態"), "Gatsupai", 66);
    y += 96;
    S::heading(p, {kLeft, y, kWidth, 24}, QStringLiteral("リハに対する希望"));
    y += 24;
    S::heading(p, {kLeft, y, 70, 66}, QStringLiteral("(本人)"));
    S::cell(p, {kLeft + 70, y, 650, 66});
    SelfHope = S::memo(p, "SelfHope", {kLeft + 73, y + 3, 644, 60});
    y += 66;
    S::heading(p, {kLeft, y, 70, 66}, QStringLiteral("(家族)"));
    S::cell(p, {kLeft + 70, y, 650, 66});
    FarmilyHope = S::memo(p, "FarmilyHope", {kLeft + 73, y + 3, 644, 60});

    // 心身機能: each box above its note
    y += 66 + 10;
    S::heading(p, {kLeft, y, kWidth, 24}, QStringLiteral("心身機能"));
    y += 24;
    for (int i = 0; i < 7; ++i) {
        const int top = y + 76 * i;
        S::cell(p, {kLeft, top, kWidth, 76});
        auto* box = new QCheckBox(QString::fromUtf8(kAreas[i].caption), p);
        box->setObjectName(QString::fromLatin1(kAreas[i].box));
        box->setGeometry(kLeft + 8, top + 3, 200, 22);
        FunctionBoxes[i] = box;
        FunctionNotes[i] = S::memo(p, kAreas[i].note, {kLeft + 28, top + 26, kWidth - 34, 46});
    }

    // 目標
    y += 76 * 7 + 10;
    S::heading(p, {kLeft, y, 70, 114}, QStringLiteral("目標"));
    S::cell(p, {kLeft + 70, y, 650, 114});
    auto goal = [&](int top, const QString& caption, const char* boxName, const char* textName, const char* miteiName,
                    const char* shapeName, QCheckBox*& box, QLineEdit*& text, QLabel*& mitei, TMarker*& shape) {
        S::label(p, nullptr, {kLeft + 80, top, 70, 30}, caption);
        box = new QCheckBox(QStringLiteral("有"), p);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setGeometry(kLeft + 150, top + 4, 44, 22);
        S::label(p, nullptr, {kLeft + 196, top, 12, 30}, QStringLiteral("("));
        text = S::edit(p, textName, {kLeft + 210, top + 2, 330, 26});
        S::label(p, nullptr, {kLeft + 542, top, 16, 30}, QStringLiteral("）"));
        mitei = S::label(p, miteiName, {kLeft + 572, top + 3, 60, 24}, QStringLiteral("・未定"), Qt::AlignCenter);
        shape = new TMarker(p);
        shape->setObjectName(QString::fromLatin1(shapeName));
        shape->surround(*mitei, 2);
    };
    goal(y + 4, QStringLiteral("退所予定"), "TaishoBox", "TaishyoYotei", "TaishoMitei", "TaishoMiteiShape", TaishoBox,
         TaishyoYotei, TaishoMitei, TaishoMiteiShape);
    goal(y + 38, QStringLiteral("退所先"), "TaishoSakiBox", "TaishyoSaki", "TaishoSakiMitei", "TaishoSakiMiteiShape",
         TaishoSakiBox, TaishyoSaki, TaishoSakiMitei, TaishoSakiMiteiShape);
    Tashisetsu = new QCheckBox(QStringLiteral("※多施設申し込み　有"), p);
    Tashisetsu->setObjectName(QStringLiteral("Tashisetsu"));
    Tashisetsu->setGeometry(kLeft + 80, y + 78, 170, 24);
    auto facility = [&](int left, const QString& caption, const char* name) {
        S::label(p, nullptr, {left, y + 76, 48, 28}, caption, Qt::AlignRight | Qt::AlignVCenter);
        return S::edit(p, name, {left + 50, y + 77, 100, 26});
    };
    Tokuyou = facility(kLeft + 250, QStringLiteral("特養"), "Tokuyou");
    Rouken = facility(kLeft + 404, QStringLiteral("老健"), "Rouken");
    Ryoyou = facility(kLeft + 558, QStringLiteral("療養型"), "Ryoyou");

    // 検討内容
    y += 114 + 10;
    kentou = memoBlock(y, kLeft, kWidth, QStringLiteral("検討内容"), "kentou", 150);

    // 出席者
    y += 174 + 10;
    S::heading(p, {kLeft, y, 70, 72}, QStringLiteral("出席者"));
    S::cell(p, {kLeft + 70, y, 650, 72});
    for (int i = 0; i < 5; ++i) {
        const int column = i % 3, row = i / 3;
        const int left = kLeft + 78 + 214 * column, top = y + 5 + 33 * row;
        S::label(p, nullptr, {left, top, 76, 28}, QString::fromUtf8(kAttendees[i][1]), Qt::AlignRight | Qt::AlignVCenter);
        AttendeeBoxes[i] = S::combo(p, kAttendees[i][0], {left + 80, top, 128, 28}, true);
        AttendeeBoxes[i]->setInsertPolicy(QComboBox::NoInsert);
    }

    PlaceSheet(ChosaPanel, JishiDay, kProgram);

    // The typed entries, in the record's order, which is the order the checks
    // run, with the caption of each memo printed in a box of fixed size (the
    // printout's memo named as its variable): saving refuses a text that box
    // cannot hold whole. 検討内容 runs on over further pages.
    const auto area = [](int i) { return QStringLiteral("心身機能（%1）").arg(QString::fromUtf8(kAreas[i].caption)); };
    const std::pair<QWidget*, QString> controls[] = {
        {Health, QStringLiteral("健康状態")},
        {Gatsupai, QStringLiteral("合併症・コントロール状態")},
        {SelfHope, QStringLiteral("リハに対する希望（本人）")},
        {FarmilyHope, QStringLiteral("リハに対する希望（家族）")},
        {TaishyoYotei, {}},
        {TaishyoSaki, {}},
        {Tokuyou, {}},
        {Rouken, {}},
        {Ryoyou, {}},
        {FunctionNotes[0], area(0)},
        {FunctionNotes[1], area(1)},
        {FunctionNotes[2], area(2)},
        {FunctionNotes[3], area(3)},
        {FunctionNotes[4], area(4)},
        {FunctionNotes[5], area(5)},
        {FunctionNotes[6], area(6)},
        {kentou, {}}};
    const auto texts = lum::beforeConferenceTexts();
    Q_ASSERT(texts.size() == std::size(controls));
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto& [control, caption] = controls[i];
        const QString box = caption.isEmpty() ? QString() : QString::fromLatin1(texts[i].variable);
        entries_.push_back({control, texts[i].member, texts[i].limit, box, caption});
    }

    jishiKeys_ = BindEraDate(JishiDay);
    for (QLineEdit* e : {TaishyoYotei, TaishyoSaki, Tokuyou, Rouken, Ryoyou}) trackEdit(e);
    for (QPlainTextEdit* m : {Health, Gatsupai, SelfHope, FarmilyHope, kentou}) trackMemo(m);
    for (QPlainTextEdit* m : FunctionNotes) trackMemo(m);
}

void TBeforeConferenceForm::WireChanges() {
    auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    for (QCheckBox* box : FunctionBoxes) connect(box, &QCheckBox::clicked, this, changed);
    for (QCheckBox* box : {TaishoBox, TaishoSakiBox, Tashisetsu}) connect(box, &QCheckBox::clicked, this, changed);
    for (QCheckBox* box : FunctionBoxes) connect(box, &QCheckBox::toggled, this, [this] { ShowStates(); });
    for (QCheckBox* box : {TaishoBox, TaishoSakiBox, Tashisetsu})
        connect(box, &QCheckBox::toggled, this, [this] { ShowStates(); });
    for (QComboBox* box : AttendeeBoxes) {
        connect(box, &QComboBox::activated, this, changed);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, changed);
    }
    // Enter in the 実施日 collects the whole survey, with its messages.
    connect(jishiKeys_, &lum::KeyEditBinding::accepted, this, [this] { JishiDayEntered(); });
    connect(jishiKeys_, &lum::KeyEditBinding::rejected, this, [this] { JishiDayEntered(); });

    const std::pair<QPlainTextEdit*, int> phraseMemos[] = {
        {Health, 0},           {Gatsupai, 1},         {SelfHope, 2},         {FarmilyHope, 3},
        {FunctionNotes[0], 4}, {FunctionNotes[1], 5}, {FunctionNotes[2], 6}, {FunctionNotes[3], 7},
        {FunctionNotes[4], 8}, {FunctionNotes[5], 9}, {FunctionNotes[6], 10}, {kentou, 16}};
    for (const auto& [memo, code] : phraseMemos) PickPhrasesOn(memo, code);
    const std::pair<QLineEdit*, int> phraseEdits[] = {
        {TaishyoYotei, 11}, {TaishyoSaki, 12}, {Tokuyou, 13}, {Rouken, 14}, {Ryoyou, 15}};
    for (const auto& [edit, code] : phraseEdits) PickPhrasesOn(edit, code);
}

void TBeforeConferenceForm::ShowGoal(QCheckBox* box, QLineEdit* text, QLabel* mitei, TMarker* shape) {
    const bool on = box->isChecked();
    text->setEnabled(on);
    mitei->setVisible(!on);
    shape->setVisible(!on);
}

void TBeforeConferenceForm::ShowStates() {
    ShowGoal(TaishoBox, TaishyoYotei, TaishoMitei, TaishoMiteiShape);
    ShowGoal(TaishoSakiBox, TaishyoSaki, TaishoSakiMitei, TaishoSakiMiteiShape);
    for (QLineEdit* e : {Tokuyou, Rouken, Ryoyou}) e->setEnabled(Tashisetsu->isChecked());
    for (int i = 0; i < 7; ++i) FunctionNotes[i]->setEnabled(FunctionBoxes[i]->isChecked());
}

void TBeforeConferenceForm::FillLists() {
    loading_ = true;
    for (QComboBox* box : AttendeeBoxes) {
        box->clear();
        if (MainModule) box->addItems(MainModule->StuffNames);
        box->setCurrentIndex(-1);
    }
    loading_ = false;
}

void TBeforeConferenceForm::ClearDocument() {
    loading_ = true;
    for (QLabel* l : {NameLabel, SexLabel, BirthLabel, OldLabel, KaigoLabel}) l->clear();
    JishiDay->setText(BlankDate);
    for (const Entry& e : entries_) setControlText(e.control, QString());
    for (QCheckBox* box : {TaishoBox, TaishoSakiBox, Tashisetsu}) box->setChecked(false);
    for (QCheckBox* box : FunctionBoxes) box->setChecked(false);
    ShowStates();
    for (QComboBox* box : AttendeeBoxes) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    loading_ = false;
}

void TBeforeConferenceForm::TakeHeader(const TPerson& person) {
    // The body on the sheet stays: it becomes part of the new survey.
    PractDay = lum::TDateTime::fromDateTime(lum::now());
    Survey = lum::newBeforeConference(person, PractDay);
}

void TBeforeConferenceForm::ShowHeader() {
    loading_ = true;
    NameLabel->setText(Survey.Shimei);
    SexLabel->setText(lum::SexNames.at(Survey.Sex));
    BirthLabel->setText(Survey.Birth.isEmpty() ? QString() : lum::DateToEraSpacedText(Survey.Birth));
    OldLabel->setText(QString::number(Survey.Old));
    KaigoLabel->setText(lum::YoukaigoNames.at(Survey.Kaigodo));
    JishiDay->setText(lum::DateToEraText(PractDay));
    JishiDay->setCursorPosition(0);
    loading_ = false;
}

void TBeforeConferenceForm::ShowRecord() {
    loading_ = true;
    for (const Entry& e : entries_) setControlText(e.control, Survey.*e.field);
    TaishoBox->setChecked(Survey.Taisho);
    TaishoSakiBox->setChecked(Survey.TaishoSaki);
    Tashisetsu->setChecked(Survey.Tashisetsu);
    const auto flags = areaFlags();
    for (size_t i = 0; i < 7; ++i) FunctionBoxes[i]->setChecked(Survey.*flags[i].member);
    ShowStates();
    const auto attendees = lum::beforeConferenceAttendees();
    for (size_t i = 0; i < attendees.size(); ++i) {
        const int code = Survey.*attendees[i].member;
        QComboBox* box = AttendeeBoxes[i];
        const int index = MainModule && code >= 0 ? MainModule->IndexOfStuff(code) : -1;
        box->setCurrentIndex(index);
        if (index < 0) box->setEditText(QString());
    }
    loading_ = false;
}

std::optional<lum::TBeforeConference> TBeforeConferenceForm::Collect(bool saving) {
    lum::TBeforeConference b = Survey;
    b.Taisho = TaishoBox->isChecked();
    b.TaishoSaki = TaishoSakiBox->isChecked();
    b.Tashisetsu = Tashisetsu->isChecked();
    const auto flags = areaFlags();
    for (size_t i = 0; i < 7; ++i) b.*flags[i].member = FunctionBoxes[i]->isChecked();
    for (const Entry& e : entries_) {
        const QString text = controlText(e.control);
        std::optional<QString> refusal = lum::refuseEntry(text, e.limit);
        if (!refusal && saving && !e.box.isEmpty()) refusal = RefuseUnprinted(e.box, e.caption, text);
        if (refusal) {
            refuse(*refusal, e.control);
            return std::nullopt;
        }
        b.*e.field = text;
    }
    const auto attendees = lum::beforeConferenceAttendees();
    for (size_t i = 0; i < attendees.size(); ++i) {
        int& code = b.*attendees[i].member;
        if (const auto refusal = lum::refuseAttendee(AttendeeBoxes[i], QString::fromUtf8(kAttendees[i][1]), code)) {
            if (saving) {
                refuse(*refusal, AttendeeBoxes[i]);
                return std::nullopt;
            }
            code = -1;
        }
    }
    return b;
}

bool TBeforeConferenceForm::CollectRecord() {
    // Collected into a copy: the survey held changes only when every check passed.
    lum::TDateTime day;
    if (!lum::EraTextToDate(JishiDay->text(), day)) return refuse(QStringLiteral("日付エラーです。"), JishiDay);
    std::optional<lum::TBeforeConference> b = Collect(true);
    if (!b) return false;
    // The age belongs to the 実施日 collected, not to the day New was made.
    b->Old = lum::AgeInYears(b->Birth, day);
    Survey = *b;
    PractDay = day;
    return true;
}

bool TBeforeConferenceForm::CheckLengths() {
    std::optional<lum::TBeforeConference> b = Collect(false);
    if (!b) return false;
    lum::TDateTime day;
    PrintDay = lum::EraTextToDate(JishiDay->text(), day) ? day : PractDay;
    b->Old = lum::AgeInYears(b->Birth, PrintDay);
    PrintSurvey = *b;
    return true;
}

void TBeforeConferenceForm::JishiDayEntered() {
    if (!CollectRecord()) return;
    loading_ = true;
    OldLabel->setText(QString::number(Survey.Old));
    loading_ = false;
}

void TBeforeConferenceForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::BeforeConferencePrint print{PrintSurvey, PrintDay,
                                          lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::beforeConferenceValue(print, name)) value = *v;
}
