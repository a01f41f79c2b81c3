#include "plans/urin_pract_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/entry_checks.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "plans/text_form.h"
#include "plans/urin_pract_values.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/ui_font.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TURinPractForm* URinPractForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;
using P = lum::TUrinPract;
namespace S = lum::sheet;

const QString kProgram = QStringLiteral("UrinYobou");
constexpr int kOccupCode = 0, kGoodsCode = 3, kSonotaCode = 7, kFukaCode = 11, kFukaHowCode = 12;
constexpr int kSheetWidth = 760;
constexpr int kSheetHeight = 1420;
constexpr int kLeft = 20;
constexpr int kWidth = 720;

QString goalMessage(const char* what) {
    return QStringLiteral("%1の入力文字数がオーバーしています。\n半角510文字・全角255文字以内で入力してください。")
        .arg(QString::fromUtf8(what));
}

// The template's name of a text of the plan.
QString variableOf(QString P::*field) {
    for (const lum::UrinPractTextField& f : lum::urinPractTextFields())
        if (f.member == field) return QString::fromLatin1(f.variable);
    return {};
}

QString controlText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->toPlainText();
    if (auto* b = qobject_cast<QComboBox*>(w)) return b->currentText();
    return {};
}

void setControlText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        m->setPlainText(text);
    } else if (auto* b = qobject_cast<QComboBox*>(w)) {
        b->setCurrentIndex(-1);
        b->setEditText(text);
    }
}

}  // namespace

TURinPractForm::TURinPractForm(QWidget* parent) : TSheetDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("URinPractForm"));
    BindRecord(Pract, HyoukaDate, lum::encodeUrinPract, lum::decodeUrinPract);
    setWindowTitle(QStringLiteral("リハビリテーション実施計画書（予防）"));
    NewToolButton->setText(QStringLiteral("新規"));
    resize(900, 760);
    BuildSheet();
    WireChanges();
    InitRecord();
}

void TURinPractForm::BuildSheet() {
    MainPanel = S::panel("MainPanel", kSheetWidth, kSheetHeight);
    QWidget* p = MainPanel;
    const QString blank;

    S::label(p, nullptr, {kLeft, 14, kWidth, 34}, QStringLiteral("リハビリテーション実施計画書（予防）"), Qt::AlignCenter)
        ->setFont(lum::uiFont(16, QFont::Bold));

    // 評価日 作成者 職種
    int y = 60;
    S::heading(p, {kLeft, y, 70, 34}, QStringLiteral("評価日："));
    S::cell(p, {kLeft + 70, y, 170, 34});
    HyoukaDayEdit = S::edit(p, "HyoukaDayEdit", {kLeft + 74, y + 3, 162, 28});
    S::heading(p, {kLeft + 240, y, 70, 34}, QStringLiteral("作成者："));
    S::cell(p, {kLeft + 310, y, 170, 34});
    MakeBox = S::combo(p, "MakeBox", {kLeft + 314, y + 3, 162, 28}, false);
    S::heading(p, {kLeft + 480, y, 50, 34}, QStringLiteral("職種"));
    S::cell(p, {kLeft + 530, y, 190, 34});
    OccupBox = S::combo(p, "OccupBox", {kLeft + 534, y + 3, 182, 28}, true);

    // 氏名 性別 生年月日 年齢 介護区分
    y += 34;
    S::heading(p, {kLeft, y, 70, 34}, QStringLiteral("氏名："));
    S::cell(p, {kLeft + 70, y, 200, 34});
    ShimeiLabel = S::label(p, "ShimeiLabel", {kLeft + 76, y + 2, 164, 30});
    S::label(p, nullptr, {kLeft + 244, y + 2, 22, 30}, QStringLiteral("様"));
    S::cell(p, {kLeft + 270, y, 60, 34});
    SeibetsuLabel = S::label(p, "SeibetsuLabel", {kLeft + 271, y + 2, 58, 30}, blank, Qt::AlignCenter);
    S::heading(p, {kLeft + 330, y, 80, 34}, QStringLiteral("生年月日："));
    S::cell(p, {kLeft + 410, y, 150, 34});
    SeinenLabel = S::label(p, "SeinenLabel", {kLeft + 411, y + 2, 148, 30}, blank, Qt::AlignCenter);
    S::cell(p, {kLeft + 560, y, 50, 34});
    ToshiLabel = S::label(p, "ToshiLabel", {kLeft + 561, y + 2, 28, 30}, blank, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 590, y + 2, 18, 30}, QStringLiteral("歳"));
    S::heading(p, {kLeft + 610, y, 110, 17}, QStringLiteral("介護区分"));
    S::cell(p, {kLeft + 610, y + 17, 110, 17});
    KaigoKubunLabel = S::label(p, "KaigoKubunLabel", {kLeft + 611, y + 17, 108, 17}, blank, Qt::AlignCenter);

    // 診断名 既往歴
    y += 34;
    S::heading(p, {kLeft, y, 360, 24}, QStringLiteral("診断名"));
    S::heading(p, {kLeft + 360, y, 360, 24}, QStringLiteral("既往歴"));
    S::cell(p, {kLeft, y + 24, 360, 100});
    S::cell(p, {kLeft + 360, y + 24, 360, 100});
    ShindanMemo = S::memo(p, "ShindanMemo", {kLeft + 3, y + 27, 354, 94});
    ShindanMemo->setReadOnly(true);
    KiouMemo = S::memo(p, "KiouMemo", {kLeft + 363, y + 27, 354, 94});

    // 運動機能: 項目 and 結果
    y += 124 + 10;
    S::heading(p, {kLeft, y, 40, 7 * 30 + 24}, QStringLiteral("運\n動\n機\n能"));
    S::heading(p, {kLeft + 40, y, 170, 24}, QStringLiteral("項目"));
    S::heading(p, {kLeft + 210, y, 510, 24}, QStringLiteral("結果"));
    y += 24;
    auto row = [&](int top, const QString& item) {
        S::heading(p, {kLeft + 40, top, 170, 30}, item);
        S::cell(p, {kLeft + 210, top, 510, 30});
    };
    auto pairRow = [&](int top, const QString& item, const QString& first, const char* firstName, const QString& second,
                       const char* secondName, const QString& unit, QLineEdit*& a, QLineEdit*& b) {
        row(top, item);
        const int x = kLeft + 220;
        S::label(p, nullptr, {x, top + 2, 80, 26}, first, Qt::AlignRight | Qt::AlignVCenter);
        a = S::edit(p, firstName, {x + 82, top + 3, 70, 24});
        S::label(p, nullptr, {x + 154, top + 2, 60, 26}, unit + QStringLiteral("）"));
        S::label(p, nullptr, {x + 224, top + 2, 80, 26}, second, Qt::AlignRight | Qt::AlignVCenter);
        b = S::edit(p, secondName, {x + 306, top + 3, 70, 24});
        S::label(p, nullptr, {x + 378, top + 2, 60, 26}, unit + QStringLiteral("）"));
    };
    pairRow(y, QStringLiteral("握力"), QStringLiteral("（右："), "GripR", QStringLiteral("（左："), "GripL",
            QStringLiteral("Ｋｇ"), GripR, GripL);
    pairRow(y + 30, QStringLiteral("片足立ち"), QStringLiteral("（右："), "LegR", QStringLiteral("（左："), "LegL",
            QStringLiteral("秒"), LegR, LegL);
    pairRow(y + 60, QStringLiteral("ＴＵＧ"), QStringLiteral("（一回目："), "TUG1", QStringLiteral("（二回目："), "TUG2",
            QStringLiteral("秒"), TUG1, TUG2);
    row(y + 90, QStringLiteral("３０秒立ち上がり"));
    Stand30 = S::edit(p, "Stand30", {kLeft + 220, y + 93, 240, 24});
    S::label(p, nullptr, {kLeft + 462, y + 92, 20, 26}, QStringLiteral("（"));
    StandNum = S::edit(p, "StandNum", {kLeft + 482, y + 93, 70, 24});
    S::label(p, nullptr, {kLeft + 554, y + 92, 40, 26}, QStringLiteral("回）"));
    pairRow(y + 120, QStringLiteral("最大歩行"), QStringLiteral("（一回目："), "Walk1", QStringLiteral("（二回目："), "Walk2",
            QStringLiteral("秒"), Walk1, Walk2);
    row(y + 150, QStringLiteral("【補助用具】"));
    GoodsBox = S::combo(p, "GoodsBox", {kLeft + 220, y + 152, 380, 26}, true);
    row(y + 180, QStringLiteral("ＨＤＳ－Ｒ："));
    HDSEdit = S::edit(p, "HDSEdit", {kLeft + 220, y + 183, 70, 24});
    S::label(p, nullptr, {kLeft + 294, y + 182, 60, 26}, QStringLiteral("／３０"));

    // The four memos of the client's state
    y += 210 + 10;
    auto memoBlock = [&](int top, const QString& caption, const char* name, int height) {
        S::heading(p, {kLeft, top, kWidth, 24}, caption);
        S::cell(p, {kLeft, top + 24, kWidth, height});
        return S::memo(p, name, {kLeft + 3, top + 27, kWidth - 6, height - 6});
    };
    ItamiMemo = memoBlock(y, QStringLiteral("痛み（部位・程度）※程度はＡＶＳ記載"), "ItamiMemo", 76);
    y += 100;
    SelfMemo = memoBlock(y, QStringLiteral("本人の希望"), "SelfMemo", 76);
    y += 100;
    AttentMemo = memoBlock(y, QStringLiteral("運動時の留意点"), "AttentMemo", 76);

    // 目標: 短期 and 全体
    y += 100 + 10;
    S::heading(p, {kLeft, y, 40, 160}, QStringLiteral("目\n標"));
    S::heading(p, {kLeft + 40, y, 70, 80}, QStringLiteral("短　期"));
    S::cell(p, {kLeft + 110, y, 610, 80});
    ShortMemo = S::memo(p, "ShortMemo", {kLeft + 113, y + 3, 604, 74});
    S::heading(p, {kLeft + 40, y + 80, 70, 80}, QStringLiteral("全　体"));
    S::cell(p, {kLeft + 110, y + 80, 610, 80});
    AllMemo = S::memo(p, "AllMemo", {kLeft + 113, y + 83, 604, 74});

    // 運動内容: the programme
    y += 160 + 10;
    S::heading(p, {kLeft, y, 110, 96}, QStringLiteral("運動内容"));
    S::cell(p, {kLeft + 110, y, 610, 96});
    S::label(p, nullptr, {kLeft + 118, y + 4, 100, 26}, QStringLiteral("【運動療法】"));
    S::label(p, nullptr, {kLeft + 118, y + 34, 100, 26}, QStringLiteral("【物理療法】"));
    const char* names[11] = {"KeitaiCheck", "BaioCheck", "SerabCheck", "LegPCheck", "HotBCheck", "MycroCheck",
                             "LowCheck",    "MedMCheck", "ADLCheck",   "NINCheck",  "ETCCheck"};
    const char* captions[11] = {"軽体操",   "バイオステップ", "セラバンド運動", "レッグプレス",
                                "ホットパック", "マイクロ波",   "低周波",         "メドマー",
                                "ADLex.",   "認知的アブローチ", "その他"};
    for (int i = 0; i < 11; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(captions[i]), p);
        box->setObjectName(QString::fromLatin1(names[i]));
        const int line = i < 4 ? 0 : i < 8 ? 1 : 2;
        const int column = i < 8 ? i % 4 : i - 8;
        const int x = line < 2 ? kLeft + 222 + 122 * column : kLeft + 118 + 122 * column;
        box->setGeometry(x, y + 4 + 30 * line, column == 1 && line == 2 ? 150 : 120, 26);
        ProgrammeChecks[i] = box;
    }
    S::label(p, nullptr, {kLeft + 460, y + 64, 20, 26}, QStringLiteral("（"));
    ETCEdit = S::edit(p, "ETCEdit", {kLeft + 480, y + 65, 210, 24});
    S::label(p, nullptr, {kLeft + 692, y + 64, 20, 26}, QStringLiteral("）"));

    // 評価
    y += 96 + 10;
    HyoukaMemo = memoBlock(y, QStringLiteral("評価"), "HyoukaMemo", 76);

    // 方法
    y += 100 + 10;
    S::heading(p, {kLeft, y, 70, 90}, QStringLiteral("方法"));
    S::cell(p, {kLeft + 70, y, 650, 90});
    int x = kLeft + 78;
    S::label(p, nullptr, {x, y + 3, 80, 26}, QStringLiteral("実施回数（"));
    Num1 = S::edit(p, "Num1", {x + 80, y + 4, 44, 24});
    S::label(p, nullptr, {x + 126, y + 3, 70, 26}, QStringLiteral("日／週）"));
    S::label(p, nullptr, {x + 200, y + 3, 90, 26}, QStringLiteral("内訳：個別（"));
    Num2 = S::edit(p, "Num2", {x + 290, y + 4, 44, 24});
    S::label(p, nullptr, {x + 336, y + 3, 110, 26}, QStringLiteral("日／週）・集団（"));
    Num3 = S::edit(p, "Num3", {x + 446, y + 4, 44, 24});
    S::label(p, nullptr, {x + 492, y + 3, 70, 26}, QStringLiteral("日／週）"));
    S::label(p, nullptr, {x, y + 32, 130, 26}, QStringLiteral("一回運動時間（約"));
    Funn = S::edit(p, "Funn", {x + 130, y + 33, 44, 24});
    S::label(p, nullptr, {x + 176, y + 32, 30, 26}, QStringLiteral("分）"));
    S::label(p, nullptr, {x, y + 61, 70, 26}, QStringLiteral("負荷強度"));
    Fuka = S::combo(p, "Fuka", {x + 70, y + 61, 220, 26}, true);
    S::label(p, nullptr, {x + 310, y + 61, 70, 26}, QStringLiteral("負荷方法"));
    FukaHow = S::combo(p, "FukaHow", {x + 380, y + 61, 250, 26}, true);

    // The foot: consent and signatures, and who wrote it
    y += 90 + 18;
    S::label(p, nullptr, {kLeft, y, kWidth, 26}, QStringLiteral("ご本人・ご家族への説明と同意：　　　　年　　月　　日"));
    S::label(p, nullptr, {kLeft, y + 32, 360, 26}, QStringLiteral("ご本人サイン：＿＿＿＿＿＿＿＿＿＿"));
    S::label(p, nullptr, {kLeft + 360, y + 32, 360, 26}, QStringLiteral("説明者サイン：＿＿＿＿＿＿＿＿＿＿"));
    ShisetsuLbl = S::label(p, "ShisetsuLbl", {kLeft + 200, y + 66, 380, 26}, blank, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 584, y + 66, 136, 26}, QStringLiteral("リハビリテーション部"));

    PlaceSheet(MainPanel, HyoukaDayEdit, kProgram);

    // The typed entries in the order their checks run.
    const QString over8 = lum::overLimitMessage(8), over28 = lum::overLimitMessage(28),
                  over38 = lum::overLimitMessage(38), over510 = lum::overLimitMessage(510);
    entries_ = {
        {KiouMemo, &P::PastDiagnose, 510, over510, QStringLiteral("既往歴")},
        {GripR, &P::AkuryokuR, 8, over8},           {GripL, &P::AkuryokuL, 8, over8},
        {LegR, &P::StandR, 8, over8},               {LegL, &P::StandL, 8, over8},
        {TUG1, &P::TUG1, 8, over8},                 {TUG2, &P::TUG2, 8, over8},
        {Stand30, &P::Stand30Str, 28, over28},      {StandNum, &P::Stand30, 8, over8},
        {Walk1, &P::MaxWalk1, 8, over8},            {Walk2, &P::MaxWalk2, 8, over8},
        {GoodsBox, &P::HelpGoods, 38, over38},      {HDSEdit, &P::HDS_R, 8, over8},
        {ItamiMemo, &P::Itami, 510, over510, QStringLiteral("痛み（部位・程度）")},
        {SelfMemo, &P::SelfHope, 510, over510, QStringLiteral("本人の希望")},
        {AttentMemo, &P::ExeWarning, 510, over510, QStringLiteral("運動時の留意点")},
        {ShortMemo, &P::ShortTarget, 510, goalMessage("短期目標"), QStringLiteral("短期目標")},
        {AllMemo, &P::TotalTarget, 510, goalMessage("全体目標"), QStringLiteral("全体目標")},
        {ETCEdit, &P::SonotaText, 38, over38},
        {HyoukaMemo, &P::Hyuka, 510, goalMessage("評価"), QStringLiteral("評価")},
        {Num1, &P::Kaisu, 8, over8},                {Num2, &P::kobetsu, 8, over8},
        {Num3, &P::Shuudan, 8, over8},              {Funn, &P::Jikan, 8, over8},
        {Fuka, &P::Fuka, 28, over28},               {FukaHow, &P::Fukahow, 28, over28},
    };

    for (QLineEdit* e : {HyoukaDayEdit, GripR, GripL, LegR, LegL, TUG1, TUG2, Stand30, StandNum, Walk1, Walk2, HDSEdit,
                         ETCEdit, Num1, Num2, Num3, Funn})
        trackEdit(e);
    for (QPlainTextEdit* m : {ShindanMemo, KiouMemo, ItamiMemo, SelfMemo, AttentMemo, ShortMemo, AllMemo, HyoukaMemo})
        trackMemo(m);
}

void TURinPractForm::WireChanges() {
    auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    for (QComboBox* box : {MakeBox, OccupBox, GoodsBox, Fuka, FukaHow}) {
        connect(box, &QComboBox::activated, this, changed);
        if (box->lineEdit()) connect(box->lineEdit(), &QLineEdit::textEdited, this, changed);
    }
    for (QCheckBox* check : ProgrammeChecks) connect(check, &QCheckBox::clicked, this, changed);
    lum::onDoubleClick(OccupBox, [this] { EditList(OccupBox, kOccupCode); });
    lum::onDoubleClick(GoodsBox, [this] { EditList(GoodsBox, kGoodsCode); });
    lum::onDoubleClick(Fuka, [this] { EditList(Fuka, kFukaCode); });
    lum::onDoubleClick(FukaHow, [this] { EditList(FukaHow, kFukaHowCode); });
    const std::pair<QPlainTextEdit*, int> phraseMemos[] = {{KiouMemo, 2},   {ItamiMemo, 4}, {SelfMemo, 5},
                                                           {AttentMemo, 6}, {ShortMemo, 8}, {AllMemo, 9},
                                                           {HyoukaMemo, 10}};
    for (const auto& [memo, code] : phraseMemos) PickPhrasesOn(memo, code);
    lum::onDoubleClick(ETCEdit, [this] { EditSonota(); });
}

void TURinPractForm::EditList(QComboBox* box, int code) {
    TCommentForm& comments = lum::commentForm();
    comments.ProgramName = kProgram;
    comments.CommentCode = code;
    lum::runModal(comments);
    FillList(box, code);
}

void TURinPractForm::FillList(QComboBox* box, int code) {
    const bool was = loading_;
    loading_ = true;
    const QString shown = box->currentText();
    lum::fillComboBox(box, lum::LoadComments(kProgram, code));
    box->setEditText(shown);
    loading_ = was;
}

void TURinPractForm::EditSonota() {
    TTextForm& form = lum::textForm();
    form.ProgramName = kProgram;
    form.CommentCode = kSonotaCode;
    if (lum::runModal(form) != QDialog::Accepted) return;
    ETCEdit->setText(form.TextBox->currentText());
    DocChanged = true;
}

void TURinPractForm::FillLists() {
    FillList(OccupBox, kOccupCode);
    FillList(GoodsBox, kGoodsCode);
    FillList(Fuka, kFukaCode);
    FillList(FukaHow, kFukaHowCode);
    const bool was = loading_;
    loading_ = true;
    MakeBox->clear();
    if (MainModule) MakeBox->addItems(MainModule->StuffNames);
    MakeBox->setCurrentIndex(-1);
    loading_ = was;
}

void TURinPractForm::InitRecord() {
    Pract = lum::TUrinPract{};
    HyoukaDate = lum::TDateTime::fromDateTime(lum::now());
    Pract.Sakusei = -1;
    Pract.Shokushu.clear();
}

void TURinPractForm::ClearDocument() {
    loading_ = true;
    HyoukaDayEdit->setText(lum::DateToEraText(lum::TDateTime::fromDateTime(lum::now())));
    MakeBox->setCurrentIndex(-1);
    for (QComboBox* box : {OccupBox, GoodsBox, Fuka, FukaHow}) setControlText(box, QString());
    for (QLabel* l : {ShimeiLabel, SeibetsuLabel, SeinenLabel, ToshiLabel, KaigoKubunLabel}) l->clear();
    ShindanMemo->clear();
    for (const Entry& e : entries_) setControlText(e.control, QString());
    for (QCheckBox* c : ProgrammeChecks) c->setChecked(false);
    ShisetsuLbl->setText(MainModule ? MainModule->FacilityName : QString());
    DocChanged = false;
    loading_ = false;
}

void TURinPractForm::TakeHeader(const TPerson& person) {
    InitRecord();
    Pract = lum::newUrinPract(person, HyoukaDate);
}

void TURinPractForm::ShowHeader() {
    loading_ = true;
    HyoukaDayEdit->setText(lum::DateToEraText(HyoukaDate));
    MakeBox->setCurrentIndex(MainModule && Pract.Sakusei >= 0 ? MainModule->IndexOfStuff(Pract.Sakusei) : -1);
    setControlText(OccupBox, Pract.Shokushu);
    ShimeiLabel->setText(Pract.UserName);
    SeibetsuLabel->setText(lum::SexNames.at(Pract.Sex));
    SeinenLabel->setText(Pract.Birth.isEmpty() ? QString() : lum::DateToEraText(Pract.Birth));
    ToshiLabel->setText(QString::number(lum::AgeInYears(Pract.Birth, HyoukaDate)));
    KaigoKubunLabel->setText(lum::YoukaigoNames.at(Pract.Kaigodo));
    ShindanMemo->setPlainText(Pract.Diagnose);
    loading_ = false;
}

void TURinPractForm::ShowRecord() {
    loading_ = true;
    for (const Entry& e : entries_) setControlText(e.control, Pract.*e.field);
    for (int i = 0; i < 11; ++i) ProgrammeChecks[i]->setChecked(Pract.Programme[i]);
    loading_ = false;
}

bool TURinPractForm::CollectRecord() {
    // Collected into a copy: the plan on screen changes only when every check passed.
    P pract = Pract;
    lum::TDateTime day;
    if (!lum::EraTextToDate(HyoukaDayEdit->text(), day)) return refuse(QStringLiteral("日付エラーです。"), HyoukaDayEdit);
    pract.Sakusei = lum::chosenStaffCode(MakeBox);
    if (const auto refusal = lum::refuseEntry(OccupBox->currentText(), 28))
        return refuse(*refusal, OccupBox);
    pract.Shokushu = OccupBox->currentText();
    pract.Old = lum::AgeInYears(pract.Birth, day);
    // The diagnoses come from the client row and cannot be typed: what does
    // not fit the record is cut on a character boundary.
    pract.Diagnose = lum::fitDiagnoses(ShindanMemo->toPlainText());
    for (const Entry& e : entries_) {
        const QString text = controlText(e.control);
        if (const auto refusal = lum::refuseEntry(text, e.limit, e.overLimit)) return refuse(*refusal, e.control);
        pract.*e.field = text;
        if (e.caption.isEmpty()) continue;
        // What the printout puts into the memo's box is refused here when
        // the box cannot show it whole.
        const QString box = variableOf(e.field);
        const lum::UrinPractPrint print{pract, day, QString(), {}};
        const std::optional<lum::ExprValue> printed = lum::urinPractValue(print, box);
        if (const auto refusal = RefuseUnprinted(box, e.caption, printed ? printed->toString() : text))
            return refuse(*refusal, e.control);
    }
    for (int i = 0; i < 11; ++i) pract.Programme[i] = ProgrammeChecks[i]->isChecked();
    Pract = pract;
    HyoukaDate = day;
    return true;
}

bool TURinPractForm::OpenDocument(TGetDocumentForm& dialog) {
    InitRecord();
    return TSheetDocumentForm::OpenDocument(dialog);
}

void TURinPractForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::UrinPractPrint print{Pract, HyoukaDate, MainModule ? MainModule->FacilityName : QString(),
                                    lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::urinPractValue(print, name)) value = *v;
}
