#include "plans/urin_plan_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/entry_checks.h"
#include "plans/marker_pair.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "plans/urin_plan_values.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TURinPlanForm* URinPlanForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;

const QString kProgram = QStringLiteral("UrinPlan");
constexpr int kPurposeCode = 1;
constexpr int kSheetWidth = 760;
constexpr int kSheetHeight = 1000;
constexpr int kLeft = 20;     // the form's left edge on the sheet
constexpr int kWidth = 720;   // and its width

const char* const kLevelCaptions[7] = {"要支援１", "要支援２", "要介護１", "要介護２", "要介護３", "要介護４", "要介護５"};

}  // namespace

TURinPlanForm::TURinPlanForm(QWidget* parent) : TSheetDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("URinPlanForm"));
    BindRecord(Plan, SakuseiDate, lum::encodeUrinPlan, lum::decodeUrinPlan);
    ScrollBox1->ScrollToTopOnResize = true;
    NewToolButton->setText(QStringLiteral("新規"));
    resize(900, 760);
    BuildSheet();
    WireChanges();
}

void TURinPlanForm::BuildSheet() {
    namespace S = lum::sheet;
    MainPanel = S::panel("MainPanel", kSheetWidth, kSheetHeight);
    QWidget* p = MainPanel;

    S::label(p, nullptr, {kLeft, 14, kWidth, 34}, QStringLiteral("リハビリテーション計画書"), Qt::AlignCenter)
        ->setFont(lum::uiFont(16, QFont::Bold));
    ShisetsuLabel = S::label(p, "ShisetsuLabel", {kLeft + 360, 52, 360, 24}, {}, Qt::AlignRight | Qt::AlignVCenter);

    // 氏名 性別 生年月日 年齢
    int y = 84;
    S::heading(p, {kLeft, y, 70, 32}, QStringLiteral("氏名"));
    S::cell(p, {kLeft + 70, y, 210, 32});
    NameLabel = S::label(p, "NameLabel", {kLeft + 76, y + 1, 170, 30});
    S::label(p, nullptr, {kLeft + 250, y + 1, 26, 30}, QStringLiteral("様"));
    S::heading(p, {kLeft + 280, y, 50, 32}, QStringLiteral("性別"));
    S::cell(p, {kLeft + 330, y, 70, 32});
    SexLabel = S::label(p, "SexLabel", {kLeft + 331, y + 1, 68, 30}, {}, Qt::AlignCenter);
    S::heading(p, {kLeft + 400, y, 80, 32}, QStringLiteral("生年月日"));
    S::cell(p, {kLeft + 480, y, 160, 32});
    BirthLabel = S::label(p, "BirthLabel", {kLeft + 481, y + 1, 158, 30}, {}, Qt::AlignCenter);
    S::heading(p, {kLeft + 640, y, 40, 32}, QStringLiteral("年齢"));
    S::cell(p, {kLeft + 680, y, 40, 32});
    OldLabel = S::label(p, "OldLabel", {kLeft + 681, y + 1, 22, 30}, {}, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 703, y + 1, 16, 30}, QStringLiteral("歳"));

    // 診断名 1 to 6, two columns
    y += 32;
    S::heading(p, {kLeft, y, 70, 72}, QStringLiteral("診断名"));
    S::cell(p, {kLeft + 70, y, 650, 72});
    for (int i = 0; i < 6; ++i) {
        const int column = i / 3, row = i % 3;
        Shindanmei[i] = S::label(p, nullptr, {kLeft + 78 + 322 * column, y + 3 + 22 * row, 316, 22});
        Shindanmei[i]->setObjectName(QStringLiteral("Shindanmei%1").arg(i + 1));
    }

    // 要介護度: an oval around the level's caption
    y += 72;
    S::heading(p, {kLeft, y, 70, 36}, QStringLiteral("要介護度"));
    S::cell(p, {kLeft + 70, y, 650, 36});
    for (int i = 0; i < 7; ++i) {
        levelCaptions_[i] = S::label(p, nullptr, {kLeft + 80 + 91 * i, y + 6, 80, 24},
                                     QString::fromUtf8(kLevelCaptions[i]), Qt::AlignCenter);
        Shapes[i] = new TMarker(p);
        Shapes[i]->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        Shapes[i]->surround(*levelCaptions_[i], 2);
        Shapes[i]->hide();
    }

    // 入所目的 1 to 4
    y += 36;
    S::heading(p, {kLeft, y, 70, 66}, QStringLiteral("入所目的"));
    S::cell(p, {kLeft + 70, y, 650, 66});
    for (int i = 0; i < 4; ++i) {
        AimBoxes[i] = S::combo(p, nullptr, {kLeft + 78 + 320 * (i % 2), y + 5 + 29 * (i / 2), 312, 27}, true);
        AimBoxes[i]->setObjectName(QStringLiteral("AimBox%1").arg(i + 1));
    }

    // 入所日 and 入所既往
    y += 66;
    S::heading(p, {kLeft, y, 70, 38}, QStringLiteral("入所日"));
    S::cell(p, {kLeft + 70, y, 250, 38});
    NyushoDayLabel = S::label(p, "NyushoDayLabel", {kLeft + 80, y + 4, 230, 30});
    S::heading(p, {kLeft + 320, y, 100, 38}, QStringLiteral("入所既往"));
    S::cell(p, {kLeft + 420, y, 300, 38});
    NyushoPair = new TMarkerPair({"NyushoAri", "NyushoNasi", "NyushoShapeAri", "NyushoShapeNasi"},
                                 QStringLiteral("有り"), QStringLiteral("無し"), p);
    NyushoPair->move(kLeft + 436, y + (38 - NyushoPair->height()) / 2);

    // The two additions, each with the date it runs to
    auto addition = [&](int top, const QString& caption, const TMarkerPair::Names& names, const char* dateName,
                        TMarkerPair*& pair, QLineEdit*& date) {
        S::heading(p, {kLeft, top, 200, 38}, caption);
        S::cell(p, {kLeft + 200, top, 520, 38});
        pair = new TMarkerPair(names, QStringLiteral("有"), QStringLiteral("無"), p);
        pair->move(kLeft + 216, top + (38 - pair->height()) / 2);
        S::label(p, nullptr, {kLeft + 340, top + 4, 24, 30}, QStringLiteral("～"), Qt::AlignCenter);
        date = S::edit(p, dateName, {kLeft + 366, top + 5, 170, 28});
        S::label(p, nullptr, {kLeft + 542, top + 4, 40, 30}, QStringLiteral("まで"));
    };
    y += 38;
    addition(y, QStringLiteral("短期集中リハ加算"), {"TankiAri", "TankiNasi", "TankiShapeAri", "TankiShapeNasi"},
             "TankiLmtDay", TankiPair, TankiLmtDay);
    y += 38;
    addition(y, QStringLiteral("認知症短期集中リハ加算"),
             {"NinchiAri", "NinchiNasi", "NinchiShapeAri", "NinchiShapeNasi"}, "NinchiLmtDay", NinchiPair,
             NinchiLmtDay);

    // ＨＤＳ－Ｒ
    y += 38;
    S::heading(p, {kLeft, y, 200, 38}, QStringLiteral("ＨＤＳ－Ｒ"));
    S::cell(p, {kLeft + 200, y, 520, 38});
    HDS_R_Edit = S::edit(p, "HDS_R_Edit", {kLeft + 216, y + 5, 90, 28});
    HDS_R_Edit->setAlignment(Qt::AlignRight);
    S::label(p, nullptr, {kLeft + 310, y + 4, 60, 30}, QStringLiteral("／３０"));

    // 特記事項 and 禁忌事項
    y += 38;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("特記事項"));
    S::cell(p, {kLeft, y + 26, kWidth, 200});
    TokiMemo = S::memo(p, "TokiMemo", {kLeft + 4, y + 30, kWidth - 8, 192});
    y += 226;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("禁忌事項"));
    S::cell(p, {kLeft, y + 26, kWidth, 200});
    KinkiMemo = S::memo(p, "KinkiMemo", {kLeft + 4, y + 30, kWidth - 8, 192});

    // 作成日 and リハ担当者
    y += 226 + 14;
    S::label(p, nullptr, {kLeft, y, 70, 30}, QStringLiteral("作成日："));
    SakuseiDay = S::edit(p, "SakuseiDay", {kLeft + 70, y, 170, 30});
    S::label(p, nullptr, {kLeft + 400, y, 100, 30}, QStringLiteral("リハ担当者："), Qt::AlignRight | Qt::AlignVCenter);
    TantouBox = S::combo(p, "TantouBox", {kLeft + 500, y, 220, 30}, false);

    PlaceSheet(MainPanel, SakuseiDay, kProgram);

    sakuseiKeys_ = BindEraDate(SakuseiDay);
    tankiKeys_ = BindEraDate(TankiLmtDay);
    ninchiKeys_ = BindEraDate(NinchiLmtDay);
    trackEdit(HDS_R_Edit);
    for (QPlainTextEdit* m : {TokiMemo, KinkiMemo}) trackMemo(m);
}

void TURinPlanForm::WireChanges() {
    auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    for (QComboBox* box : AimBoxes) {
        connect(box, &QComboBox::activated, this, changed);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, changed);
        lum::onDoubleClick(box, [this] { EditPurposes(); });
    }
    connect(TantouBox, &QComboBox::activated, this, changed);
    connect(NyushoPair, &TMarkerPair::clicked, this, changed);
    connect(TankiPair, &TMarkerPair::clicked, this, [this](bool yes) { AdditionChosen(TankiPair, TankiLmtDay, yes); });
    connect(NinchiPair, &TMarkerPair::clicked, this,
            [this](bool yes) { AdditionChosen(NinchiPair, NinchiLmtDay, yes); });
    connect(sakuseiKeys_, &lum::KeyEditBinding::rejected, this,
            [this] { DateEntered(SakuseiDay, QStringLiteral("作成日エラーです。")); });
    connect(tankiKeys_, &lum::KeyEditBinding::rejected, this,
            [this] { DateEntered(TankiLmtDay, QStringLiteral("短期集中リハ加算日エラーです。")); });
    connect(ninchiKeys_, &lum::KeyEditBinding::rejected, this,
            [this] { DateEntered(NinchiLmtDay, QStringLiteral("認知症短期集中リハ加算日エラーです。")); });
    for (lum::KeyEditBinding* keys : {sakuseiKeys_, tankiKeys_, ninchiKeys_}) {
        connect(keys, &lum::KeyEditBinding::accepted, this, [this] { focusNextChild(); });
    }
    PickPhrasesOn(TokiMemo, 2);
    PickPhrasesOn(KinkiMemo, 3);
}

void TURinPlanForm::DateEntered(QLineEdit* edit, const QString& error) {
    lum::message(MsgKind::Information, error, MsgButton::Ok, this);
    edit->setFocus();
}

void TURinPlanForm::AdditionChosen(TMarkerPair* pair, QLineEdit* date, bool yes) {
    DocChanged = true;
    date->setEnabled(yes);
    if (yes) {
        date->setFocus();
        return;
    }
    date->setText(BlankDate);
    if (pair == TankiPair) Plan.TankiKasannTo = {};
    else Plan.NinchiKasannTo = {};
}

void TURinPlanForm::EditPurposes() {
    TCommentForm& comments = lum::commentForm();
    comments.ProgramName = kProgram;
    comments.CommentCode = kPurposeCode;
    lum::runModal(comments);
    FillLists();
}

void TURinPlanForm::FillLists() {
    const bool was = loading_;
    loading_ = true;
    std::array<QString, 4> shown;
    for (int i = 0; i < 4; ++i) shown[i] = AimBoxes[i]->currentText();
    const QStringList purposes = lum::LoadComments(kProgram, kPurposeCode);
    for (int i = 0; i < 4; ++i) {
        lum::fillComboBox(AimBoxes[i], purposes);
        AimBoxes[i]->setEditText(shown[i]);
    }
    const int staff = TantouBox->currentIndex();
    TantouBox->clear();
    if (MainModule) TantouBox->addItems(MainModule->StuffNames);
    TantouBox->setCurrentIndex(staff < TantouBox->count() ? staff : -1);
    loading_ = was;
}

void TURinPlanForm::ClearDocument() {
    loading_ = true;
    ShisetsuLabel->setText(MainModule ? MainModule->FacilityName : QString());
    for (QLabel* l : {NameLabel, SexLabel, OldLabel}) l->clear();
    for (QLabel* l : Shindanmei) l->clear();
    BirthLabel->setText(BlankDate);
    NyushoDayLabel->setText(BlankDate);
    for (TMarker* m : Shapes) m->hide();
    for (TMarkerPair* pair : {NyushoPair, TankiPair, NinchiPair}) pair->setChoice(TMarkerPair::Choice::None);
    for (QComboBox* box : AimBoxes) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    for (QLineEdit* date : {TankiLmtDay, NinchiLmtDay, SakuseiDay}) date->setText(BlankDate);
    TankiLmtDay->setEnabled(false);
    NinchiLmtDay->setEnabled(false);
    HDS_R_Edit->clear();
    TokiMemo->clear();
    KinkiMemo->clear();
    TantouBox->setCurrentIndex(-1);
    loading_ = false;
}

void TURinPlanForm::TakeHeader(const TPerson& person) {
    SakuseiDate = lum::TDateTime::fromDateTime(lum::now());
    Plan = lum::newUrinPlan(person, SakuseiDate);
    // A new plan's body is empty: the three 無 markers show.
    ShowRecord();
}

void TURinPlanForm::ShowHeader() {
    loading_ = true;
    NameLabel->setText(Plan.Shimei);
    SexLabel->setText(lum::SexNames.at(Plan.Sex));
    BirthLabel->setText(Plan.Birth.isEmpty() ? BlankDate : lum::DateToEraText(Plan.Birth));
    OldLabel->setText(QString::number(lum::AgeInYears(Plan.Birth, SakuseiDate)));
    for (int i = 0; i < 6; ++i) Shindanmei[i]->setText(Plan.Disease[i]);
    for (int i = 0; i < 7; ++i) Shapes[i]->setVisible(Plan.Kaigodo == i);
    NyushoDayLabel->setText(Plan.Nyushobi.isEmpty() ? BlankDate : lum::DateToEraText(Plan.Nyushobi));
    SakuseiDay->setText(lum::DateToEraText(SakuseiDate));
    loading_ = false;
}

void TURinPlanForm::ShowAddition(TMarkerPair* pair, QLineEdit* date, bool set, lum::TDateTime to) {
    pair->setYes(set);
    date->setEnabled(set);
    date->setText(set && !to.isEmpty() ? lum::DateToEraText(to) : BlankDate);
}

void TURinPlanForm::ShowRecord() {
    loading_ = true;
    for (int i = 0; i < 4; ++i) {
        AimBoxes[i]->setCurrentIndex(-1);
        AimBoxes[i]->setEditText(Plan.Purpose[i]);
    }
    NyushoPair->setYes(Plan.NyushoKiou);
    ShowAddition(TankiPair, TankiLmtDay, Plan.TankiKasann, Plan.TankiKasannTo);
    ShowAddition(NinchiPair, NinchiLmtDay, Plan.NinchiKasann, Plan.NinchiKasannTo);
    HDS_R_Edit->setText(Plan.HDSR);
    TokiMemo->setPlainText(Plan.SpacialMemo);
    KinkiMemo->setPlainText(Plan.KinkiMemo);
    TantouBox->setCurrentIndex(MainModule && Plan.Rihabi >= 0 ? MainModule->IndexOfStuff(Plan.Rihabi) : -1);
    loading_ = false;
}

bool TURinPlanForm::CollectRecord() {
    // Collected into a copy: the plan on screen changes only when every check passed.
    lum::TUrinPlan plan = Plan;
    lum::TDateTime made;
    if (!lum::EraTextToDate(SakuseiDay->text(), made)) return refuse(QStringLiteral("作成日エラーです。"), SakuseiDay);
    plan.TankiKasann = TankiPair->isYes();
    plan.TankiKasannTo = {};
    if (plan.TankiKasann && !lum::EraTextToDate(TankiLmtDay->text(), plan.TankiKasannTo))
        return refuse(QStringLiteral("短期集中リハ加算日エラーです。"), TankiLmtDay);
    plan.NinchiKasann = NinchiPair->isYes();
    plan.NinchiKasannTo = {};
    if (plan.NinchiKasann && !lum::EraTextToDate(NinchiLmtDay->text(), plan.NinchiKasannTo))
        return refuse(QStringLiteral("認知症短期集中リハ加算日エラーです。"), NinchiLmtDay);
    plan.Old = lum::AgeInYears(plan.Birth, made);

    auto take = [this](QWidget* field, const QString& text, int limit, QString& into) {
        if (const std::optional<QString> refusal = lum::refuseEntry(text, limit))
            return refuse(*refusal, field);
        into = text;
        return true;
    };
    for (int i = 0; i < 4; ++i)
        if (!take(AimBoxes[i], AimBoxes[i]->currentText(), lum::urin_plan_limits::Purpose, plan.Purpose[i])) return false;
    plan.NyushoKiou = NyushoPair->isYes();
    if (!take(HDS_R_Edit, HDS_R_Edit->text(), lum::urin_plan_limits::HDSR, plan.HDSR)) return false;
    // A memo taken must print whole in its box: its text as the printout's
    // value gives it to the template's object of that name.
    const lum::UrinPlanPrint print{plan, made, {}, {}};
    auto printsWhole = [&](const QString& name, const QString& caption, QWidget* field) {
        const QString printed = lum::urinPlanValue(print, name).value_or(lum::ExprValue()).toString();
        if (const std::optional<QString> refusal = RefuseUnprinted(name, caption, printed))
            return refuse(*refusal, field);
        return true;
    };
    if (!take(TokiMemo, TokiMemo->toPlainText(), lum::urin_plan_limits::Memo, plan.SpacialMemo)) return false;
    if (!printsWhole(QStringLiteral("SpacialMemo"), QStringLiteral("特記事項"), TokiMemo)) return false;
    if (!take(KinkiMemo, KinkiMemo->toPlainText(), lum::urin_plan_limits::Memo, plan.KinkiMemo)) return false;
    if (!printsWhole(QStringLiteral("KinkiMemo"), QStringLiteral("禁忌事項"), KinkiMemo)) return false;
    plan.Rihabi = lum::chosenStaffCode(TantouBox);
    Plan = plan;
    SakuseiDate = made;
    return true;
}

void TURinPlanForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::UrinPlanPrint print{Plan, SakuseiDate, MainModule ? MainModule->FacilityName : QString(),
                                   lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::urinPlanValue(print, name)) value = *v;
}
