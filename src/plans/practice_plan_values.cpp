#include "plans/practice_plan_values.h"

#include "common/code_tables.h"
#include "plans/urin_plan_values.h"

namespace lum {
namespace {

const QString kBlank = QStringLiteral(" ");

using P = TPracticePlan;
const PracticeBoxedText kBoxedTexts[] = {
    {&P::KenkouMemo, "健康状態"},
    {&P::GapeiMemo, "合併疾患・コントロール状態"},
    {&P::SeikatsuMemo, "生活不活発病（廃用症候群）"},
    {&P::ExerciseMemo, "運動器機能障害"},
    {&P::SenseMemo, "感覚機能障害"},
    {&P::BrainMemo, "高次脳機能障害"},
    {&P::KoushukuMemo, "拘縮（部位）"},
    {&P::ArthralgiaMemo, "関節痛（部位）"},
    {&P::SonotaMemo, "その他"},
    // One-line edits whose two printed lines a text with blanks can outgrow:
    // the wrap breaks at a blank, so a short word and a long one take three.
    {&P::HomeWorkEdit, "家庭内役割"},
    {&P::SocialEdit, "社会活動"},
    {&P::GoOutEdit, "外出（内容・頻度等）"},
    {&P::FreeTimeEdit, "余暇活動（内容・頻度等）"},
    {&P::SelfHope, "本人の希望"},
    {&P::FarmilyHope, "ご家族の希望"},
    {&P::LifePoint, "生活目標：その人らしく生活するポイント"},
    {&P::RihaTerget, "本人の状態およびリハビリテーションの目標"},
    {&P::SelfDo, "ご本人に行ってもらうこと"},
    {&P::AskFarmily, "ご家族にお願いしたいこと"},
    {&P::DiseseCare, "病気との関係で気をつけること"},
    {&P::Variation, "前回計画書作成時からの変化点"},
    {&P::Remark, "備考"},
};

// "Goods0" … "Spacial1": the row's column of one table, or blank.
std::optional<ExprValue> rowValue(const TPracticePlan& plan, std::optional<int> row, QStringView column) {
    if (!row) return ExprValue(kBlank);
    const TPracticeRow& r = plan.row(*row);
    if (column == u"Goods") return ExprValue(r.Goods);
    if (column == u"Kaigo") return ExprValue(r.Kaigo);
    if (column == u"Time") return ExprValue(r.Time);
    if (column == u"Item") return ExprValue(practiceRowItem(*row));
    return ExprValue(specialMark(r.Special));
}

// "ABC" + table digit + column digit (1 … 5); every other name beginning
// with "ABC" is one blank.
ExprValue levelCell(const PracticePlanPrint& print, const QString& name) {
    if (name.size() != 5) return ExprValue(kBlank);
    const QChar table = name[3], column = name[4];
    if ((table != u'0' && table != u'1') || column < u'1' || column > u'5') return ExprValue(kBlank);
    const std::optional<int> row =
        table == u'0' ? practiceFirstTableRow(print.firstRecord) : practiceSecondTableRow(print.secondRecord);
    if (!row) return ExprValue(kBlank);
    return ExprValue(print.plan.row(*row).ABC[size_t(column.unicode() - u'1')]);
}

}  // namespace

std::span<const PracticeBoxedText> practiceBoxedTexts() { return kBoxedTexts; }

const PracticeBoxedText* practiceBoxedText(QString TPracticePlan::*member) {
    for (const PracticeBoxedText& b : kBoxedTexts)
        if (b.member == member) return &b;
    return nullptr;
}

QString specialMark(int value) {
    switch (value) {
    case 1:
        return QStringLiteral("○");
    case 2:
        return QStringLiteral("◎");
    default:
        return kBlank;
    }
}

std::optional<int> practiceFirstTableRow(int record) {
    if (record >= 0 && record <= 3) return record;
    if (record >= 5 && record <= 13) return record - 1;
    return std::nullopt;
}

std::optional<int> practiceSecondTableRow(int record) {
    if (record >= 0 && record < SecondTableRows) return SecondTableFirstRow + record;
    return std::nullopt;
}

std::optional<ExprValue> practicePlanValue(const PracticePlanPrint& print, const QString& name) {
    const TPracticePlan& p = print.plan;
    if (name.startsWith(u"ABC")) return levelCell(print, name);
    for (const QStringView column : {u"Goods", u"Kaigo", u"Time", u"Spacial", u"Item"}) {
        if (name.size() == column.size() + 1 && name.startsWith(column)) {
            if (name.back() == u'0') return rowValue(p, practiceFirstTableRow(print.firstRecord), column);
            if (name.back() == u'1') return rowValue(p, practiceSecondTableRow(print.secondRecord), column);
        }
    }
    for (const PracticeTextField& f : practiceTextFields())
        if (name == QLatin1String(f.variable)) return ExprValue(p.*f.member);
    for (const PracticeFlagField& f : practiceFlagFields())
        if (name == QLatin1String(f.variable)) return ExprValue(p.*f.member);
    if (name == u"HDSR") return ExprValue(p.HDSR >= 1 ? QString::number(p.HDSR) : kBlank);
    if (name == u"Kaigodo") return ExprValue(YoukaigoNames.at(p.Kaigodo));
    if (name == u"Old") return ExprValue(QString::number(p.Old));
    if (name == u"Birth") return ExprValue(eraTextOrBlank(p.Birth));
    if (name == u"Sex") return ExprValue(SexNames.at(p.Sex));
    if (name == u"PractDay") return ExprValue(eraTextOrBlank(p.PlanDate));
    for (int s = 0; s < PracticeTeamSlots; ++s) {
        if (name == QStringLiteral("TeamBox%1").arg(s + 1)) {
            const int code = p.Team[size_t(s)];
            if (code == -1) return ExprValue(kBlank);
            return ExprValue(print.stuffName ? print.stuffName(code) : QString());
        }
    }
    return std::nullopt;
}

}  // namespace lum
