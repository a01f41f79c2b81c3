// The practice plan window's two sheets, laid out like the printed form:
// page 1 with the header, the body and the two tables (built row by row),
// page 2 with the texts and the team.
#include "plans/practice_cells.h"
#include "plans/practice_plan_form.h"
#include "plans/marker_pair.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "widgets/ui_font.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

namespace S = lum::sheet;

constexpr int kSheetWidth = 980;
constexpr int kLeft = 20;
constexpr int kWidth = 940;
constexpr int kRowHeight = 46;
// The table columns: item, five level cells, 使用用具, 介護内容, 到達時期, 重点項目.
constexpr int kItemWidth = 120;
constexpr int kLevelWidth = 56;
constexpr int kGoodsWidth = 210;
constexpr int kTimeWidth = 80;
constexpr int kSpecialWidth = kWidth - kItemWidth - 5 * kLevelWidth - 2 * kGoodsWidth - kTimeWidth;

QByteArray nameOf(const char* prefix, int row, int column = -1) {
    QByteArray name = QByteArray(prefix) + QByteArray::number(row);
    if (column >= 0) name += QByteArray::number(column);
    return name;
}

QCheckBox* checkBox(QWidget* sheet, const char* name, const QRect& r, const QString& caption) {
    auto* box = new QCheckBox(caption, sheet);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(r);
    return box;
}

QPlainTextEdit* smallMemo(QWidget* sheet, const char* name, const QRect& r) {
    QPlainTextEdit* m = S::memo(sheet, name, r);
    m->setFont(lum::uiFont(9));
    m->setFrameShape(QFrame::NoFrame);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return m;
}

}  // namespace

void TPracticePlanForm::BuildPage1() {
    P1Panel = S::panel("P1Panel", kSheetWidth, 100);
    QWidget* p = P1Panel;
    S::label(p, nullptr, {kLeft, 10, kWidth, 34}, QStringLiteral("リハビリテーション実施計画書"), Qt::AlignCenter)
        ->setFont(lum::uiFont(16, QFont::Bold));

    // 計画評価実施日 氏名 性別 / 生年月日 年齢 要介護度
    int y = 52;
    S::heading(p, {kLeft, y, 120, 32}, QStringLiteral("計画評価実施日"));
    S::cell(p, {kLeft + 120, y, 200, 32});
    PlanDateEdit = S::edit(p, "PlanDateEdit", {kLeft + 124, y + 3, 192, 26});
    S::heading(p, {kLeft + 320, y, 60, 32}, QStringLiteral("氏名"));
    S::cell(p, {kLeft + 380, y, 340, 32});
    UserNameLabel = S::label(p, "UserNameLabel", {kLeft + 386, y + 1, 300, 30});
    UserNameLabel->setFont(lum::uiFont(12));
    S::label(p, nullptr, {kLeft + 690, y + 1, 26, 30}, QStringLiteral("様"));
    S::heading(p, {kLeft + 720, y, 60, 32}, QStringLiteral("性別"));
    S::cell(p, {kLeft + 780, y, 160, 32});
    SexLabel = S::label(p, "SexLabel", {kLeft + 781, y + 1, 158, 30}, {}, Qt::AlignCenter);
    y += 32;
    S::heading(p, {kLeft, y, 120, 32}, QStringLiteral("生年月日"));
    S::cell(p, {kLeft + 120, y, 200, 32});
    BirthLabel = S::label(p, "BirthLabel", {kLeft + 126, y + 1, 190, 30});
    S::heading(p, {kLeft + 320, y, 60, 32}, QStringLiteral("年齢"));
    S::cell(p, {kLeft + 380, y, 140, 32});
    OldLabel = S::label(p, "OldLabel", {kLeft + 381, y + 1, 100, 30}, {}, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 486, y + 1, 30, 30}, QStringLiteral("歳"));
    S::heading(p, {kLeft + 520, y, 100, 32}, QStringLiteral("要介護度"));
    S::cell(p, {kLeft + 620, y, 320, 32});
    KaigodoLabel = S::label(p, "KaigodoLabel", {kLeft + 626, y + 1, 310, 30});

    // 健康状態, 合併疾患, 生活不活発病
    y += 32 + 12;
    auto memoRow = [&](int top, int height, const QString& caption, const char* name) {
        S::heading(p, {kLeft, top, 200, height}, caption)->setWordWrap(true);
        S::cell(p, {kLeft + 200, top, kWidth - 200, height});
        return S::memo(p, name, {kLeft + 203, top + 3, kWidth - 206, height - 6});
    };
    KenkouMemo = memoRow(y, 120, QStringLiteral("健康状態\n（原因疾患，発症・受傷日等）"), "KenkouMemo");
    y += 120;
    GapeiMemo = memoRow(y, 54, QStringLiteral("合併疾患・コントロール状態"), "GapeiMemo");
    y += 54;
    SeikatsuMemo = memoRow(y, 54, QStringLiteral("生活不活発病（廃用症候群）"), "SeikatsuMemo");

    // 心身機能・構造 and HDS-R
    y += 54 + 12;
    S::heading(p, {kLeft, y, kWidth - 220, 28}, QStringLiteral("心身機能・構造"));
    S::cell(p, {kLeft + kWidth - 220, y, 220, 28});
    S::label(p, nullptr, {kLeft + kWidth - 214, y, 90, 28}, QStringLiteral("ＨＤＳ－Ｒ"));
    HDSEdit = S::edit(p, "HDSEdit", {kLeft + kWidth - 124, y + 2, 60, 24});
    S::label(p, nullptr, {kLeft + kWidth - 58, y, 40, 28}, QStringLiteral("点"));
    y += 28;
    struct Body {
        const char* box;
        const char* caption;
        const char* memo;
        QCheckBox** boxField;
        QPlainTextEdit** memoField;
    };
    const Body body[] = {
        {"Exercise", "運動器機能障害", "ExerciseMemo", &Exercise, &ExerciseMemo},
        {"Sense", "感覚機能障害", "SenseMemo", &Sense, &SenseMemo},
        {"Brain", "高次脳機能障害", "BrainMemo", &Brain, &BrainMemo},
        {"Koushuku", "拘縮（部位）", "KoushukuMemo", &Koushuku, &KoushukuMemo},
        {"Arthralgia", "関節痛（部位）", "ArthralgiaMemo", &Arthralgia, &ArthralgiaMemo},
        {"Sonota", "その他", "SonotaMemo", &Sonota, &SonotaMemo},
    };
    const int half = kWidth / 2;
    for (int i = 0; i < 6; ++i) {
        const int x = kLeft + (i % 2) * half;
        const int top = y + (i / 2) * 52;
        S::cell(p, {x, top, half, 52});
        *body[i].boxField = checkBox(p, body[i].box, {x + 6, top + 4, 150, 24}, QString::fromUtf8(body[i].caption));
        *body[i].memoField = S::memo(p, body[i].memo, {x + 160, top + 3, half - 164, 46});
    }

    // 参加
    y += 3 * 52 + 12;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("参加"));
    y += 26;
    S::heading(p, {kLeft, y, 150, 34}, QStringLiteral("退院先"));
    S::cell(p, {kLeft + 150, y, kWidth - 150, 34});
    HomeBox = checkBox(p, "HomeBox", {kLeft + 160, y + 5, 80, 24}, QStringLiteral("自宅"));
    EtcBox = checkBox(p, "EtcBox", {kLeft + 250, y + 5, 80, 24}, QStringLiteral("その他"));
    S::label(p, nullptr, {kLeft + 330, y + 2, 14, 30}, QStringLiteral("（"));
    EtcEdit = S::edit(p, "EtcEdit", {kLeft + 346, y + 4, 320, 26});
    S::label(p, nullptr, {kLeft + 668, y + 2, 14, 30}, QStringLiteral("）"));
    TaiinBox = checkBox(p, "TaiinBox", {kLeft + 720, y + 5, 120, 24}, QStringLiteral("退院未定"));
    y += 34;
    auto editRow = [&](int x, int top, int width, const QString& caption, const char* name) {
        S::heading(p, {x, top, 150, 34}, caption)->setWordWrap(true);
        S::cell(p, {x + 150, top, width - 150, 34});
        return S::edit(p, name, {x + 154, top + 4, width - 158, 26});
    };
    HomeWorkEdit = editRow(kLeft, y, half, QStringLiteral("家庭内役割"), "HomeWorkEdit");
    SocialEdit = editRow(kLeft + half, y, half, QStringLiteral("社会活動"), "SocialEdit");
    y += 34;
    GoOutEdit = editRow(kLeft, y, half, QStringLiteral("外出（内容・頻度等）"), "GoOutEdit");
    FreeTimeEdit = editRow(kLeft + half, y, half, QStringLiteral("余暇活動（内容・頻度等）"), "FreeTimeEdit");
    y += 34;
    TaiinEdit = editRow(kLeft, y, kWidth, QStringLiteral("退院後利用資源"), "TaiinEdit");

    // The two tables with their memos.
    y += 34 + 16;
    BuildTable(p, y, 0, lum::FirstTableRows, QStringLiteral("日常生活"), 0);
    y += 52 + lum::FirstTableRows * kRowHeight + 150 + 16;
    BuildTable(p, y, lum::SecondTableFirstRow, lum::SecondTableRows, QStringLiteral("基本動作"), 1);
    y += 52 + lum::SecondTableRows * kRowHeight + 150 + 20;
    P1Panel->setFixedHeight(y);
}

void TPracticePlanForm::BuildTable(QWidget* p, int top, int firstRow, int rows, const QString& corner,
                                   int tableIndex) {
    // The column heads; the corner cell carries the diagonal line.
    S::cell(p, {kLeft, top, kItemWidth, 52});
    auto* diagonal = new TDiagonalBox(p);
    diagonal->setObjectName(tableIndex == 0 ? QStringLiteral("PaintBox1") : QStringLiteral("PaintBox2"));
    diagonal->setGeometry(kLeft, top, kItemWidth, 52);
    (tableIndex == 0 ? PaintBox1 : PaintBox2) = diagonal;
    S::label(p, nullptr, {kLeft + 6, top + 28, 80, 22}, corner);
    S::label(p, nullptr, {kLeft + 60, top + 2, 56, 22}, QStringLiteral("項目"), Qt::AlignRight | Qt::AlignVCenter);
    const char* levels[] = {"自　立", "見守り", "一部\n介助", "全介助", "行わず"};
    int x = kLeft + kItemWidth;
    for (const char* level : levels) {
        S::heading(p, {x, top, kLevelWidth, 52}, QString::fromUtf8(level));
        x += kLevelWidth;
    }
    S::heading(p, {x, top, kGoodsWidth, 52}, QStringLiteral("使用用具\n（杖・装具・歩行器・車椅子など）"))->setWordWrap(true);
    x += kGoodsWidth;
    S::heading(p, {x, top, kGoodsWidth, 52}, QStringLiteral("介護内容\n（つたい・もたれ等）"));
    x += kGoodsWidth;
    S::heading(p, {x, top, kTimeWidth, 52}, QStringLiteral("到達時期"));
    x += kTimeWidth;
    S::heading(p, {x, top, kSpecialWidth, 52}, QStringLiteral("重点\n項目"));

    // One line per row, its controls named by the row number.
    for (int i = 0; i < rows; ++i) {
        const int row = firstRow + i;
        const int y = top + 52 + i * kRowHeight;
        RowControls& rc = rows_[row];
        S::heading(p, {kLeft, y, kItemWidth, kRowHeight}, lum::practiceRowItem(row));
        x = kLeft + kItemWidth;
        for (int c = 0; c < lum::PracticeLevelColumns; ++c) {
            auto* cell = new TLevelCell(p);
            cell->setObjectName(QString::fromLatin1(nameOf("ABC", row, c)));
            cell->setGeometry(x, y, kLevelWidth + 1, kRowHeight + 1);
            rc.ABC[size_t(c)] = cell;
            cells_.push_back(cell);
            x += kLevelWidth;
        }
        S::cell(p, {x, y, kGoodsWidth, kRowHeight});
        rc.Goods = smallMemo(p, nameOf("Goods", row).constData(), {x + 2, y + 2, kGoodsWidth - 4, kRowHeight - 4});
        x += kGoodsWidth;
        S::cell(p, {x, y, kGoodsWidth, kRowHeight});
        rc.Kaigo = smallMemo(p, nameOf("Kaigo", row).constData(), {x + 2, y + 2, kGoodsWidth - 4, kRowHeight - 4});
        x += kGoodsWidth;
        S::cell(p, {x, y, kTimeWidth, kRowHeight});
        rc.Time = S::edit(p, nameOf("Time", row).constData(), {x + 3, y + 9, kTimeWidth - 6, 28});
        rc.Time->setAlignment(Qt::AlignCenter);
        x += kTimeWidth;
        S::cell(p, {x, y, kSpecialWidth, kRowHeight});
        rc.Special = new TChoiceLabel(QStringLiteral("　"), p);
        rc.Special->setObjectName(QString::fromLatin1(nameOf("Special", row)));
        rc.Special->setGeometry(x + 1, y + 1, kSpecialWidth - 2, kRowHeight - 2);
        rc.Special->setAlignment(Qt::AlignCenter);
        rc.Special->setFont(lum::uiFont(16));
    }

    // ＰＴ・ＯＴ・ＳＴ, 看護・介護, 実施上の留意点
    const int y = top + 52 + rows * kRowHeight + 8;
    const char* heads[] = {"ＰＴ、ＯＴ、ＳＴが実施する内容・頻度等", "看護・介護職等が実施する内容・頻度等",
                           "実施上の留意点"};
    const QByteArray suffix = QByteArray::number(tableIndex);
    QPlainTextEdit** memos[2][3] = {{&PTOTST0, &Kango0, &Jitchi0}, {&PTOTST1, &Kango1, &Jitchi1}};
    const char* names[] = {"PTOTST", "Kango", "Jitchi"};
    const int third = kWidth / 3;
    for (int i = 0; i < 3; ++i) {
        const int cx = kLeft + i * third;
        const int w = i < 2 ? third : kWidth - 2 * third;
        S::heading(p, {cx, y, w, 26}, QString::fromUtf8(heads[i]));
        S::cell(p, {cx, y + 26, w, 116});
        *memos[tableIndex][i] = S::memo(p, (QByteArray(names[i]) + suffix).constData(), {cx + 3, y + 29, w - 6, 110});
    }
}

void TPracticePlanForm::BuildPage2() {
    P2Panel = S::panel("P2Panel", kSheetWidth, 100);
    QWidget* p = P2Panel;
    S::label(p, nullptr, {kLeft, 10, kWidth, 34}, QStringLiteral("リハビリテーション実施計画書（２）"), Qt::AlignCenter)
        ->setFont(lum::uiFont(16, QFont::Bold));
    int y = 52;
    S::heading(p, {kLeft, y, 120, 32}, QStringLiteral("利用者氏名"));
    S::cell(p, {kLeft + 120, y, 400, 32});
    UserLabel = S::label(p, "UserLabel", {kLeft + 126, y + 1, 360, 30});
    UserLabel->setFont(lum::uiFont(12));
    S::label(p, nullptr, {kLeft + 490, y + 1, 26, 30}, QStringLiteral("様"));
    y += 32 + 12;
    struct Text {
        const char* caption;
        const char* name;
        QPlainTextEdit** field;
    };
    const Text texts[] = {
        {"本人の希望", "SelfHope", &SelfHope},
        {"ご家族の希望", "FarmilyHope", &FarmilyHope},
        {"生活目標：その人らしく生活するポイント", "LifePoint", &LifePoint},
        {"本人の状態およびリハビリテーションの目標", "RihaTerget", &RihaTerget},
        {"ご本人に行ってもらうこと", "SelfDo", &SelfDo},
        {"ご家族にお願いしたいこと", "AskFarmily", &AskFarmily},
        {"病気との関係で気をつけること", "DiseseCare", &DiseseCare},
        {"前回計画書作成時からの変化点", "Variation", &Variation},
        {"備考", "Remark", &Remark},
    };
    for (const Text& t : texts) {
        S::heading(p, {kLeft, y, kWidth, 26}, QString::fromUtf8(t.caption))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        S::cell(p, {kLeft, y + 26, kWidth, 96});
        *t.field = S::memo(p, t.name, {kLeft + 3, y + 29, kWidth - 6, 90});
        y += 26 + 96 + 8;
    }

    // The team: 担当医, ＰＴ・ＯＴ・ＳＴ, 看護・介護, その他.
    y += 6;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("リハビリテーション・チーム"));
    y += 26;
    const char* groups[] = {"●担当医", "●ＰＴ・ＯＴ・ＳＴ", "●看護・介護", "●その他"};
    const int firstSlot[] = {0, 1, 5, 9};
    const int slotCount[] = {1, 4, 4, 4};
    const int slotWidth = (kWidth - 180) / 4;
    for (int g = 0; g < 4; ++g) {
        S::heading(p, {kLeft, y, 180, 36}, QString::fromUtf8(groups[g]));
        S::cell(p, {kLeft + 180, y, kWidth - 180, 36});
        for (int i = 0; i < slotCount[g]; ++i) {
            const int slot = firstSlot[g] + i;
            TeamBoxes[size_t(slot)] = S::combo(p, nameOf("TeamBox", slot + 1).constData(),
                                               {kLeft + 184 + i * slotWidth, y + 4, slotWidth - 8, 28}, false);
        }
        y += 36;
    }
    P2Panel->setFixedHeight(y + 30);
}
