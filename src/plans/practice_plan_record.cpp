#include "plans/practice_plan_record.h"

#include "common/calendar_helpers.h"
#include "common/cp932.h"
#include "plans/record_fields.h"

#include <QStringList>

#include <stdexcept>

namespace lum {
namespace {

namespace L = practice_layout;
using P = TPracticePlan;

// Every text of the record outside the rows, in stored order (padding at 59,
// 2009 … 2011, 7587 and 21476 … 21479).
constexpr PracticeTextField kTexts[] = {
    {&P::UserName, 8, 51, false, "UserName", 50},
    {&P::KenkouMemo, 80, 256, false, "KenkouMemo", 254},
    {&P::GapeiMemo, 336, 256, false, "GapeiMemo", 254},
    {&P::SeikatsuMemo, 592, 256, false, "SeikatsuMemo", 254},
    {&P::EtcEdit, 850, 41, false, "EtcEdit", 38},
    {&P::HomeWorkEdit, 892, 101, false, "HomeWorkEdit", 98},
    {&P::SocialEdit, 993, 101, false, "SocialEdit", 98},
    {&P::GoOutEdit, 1094, 101, false, "GoOutEdit", 98},
    {&P::FreeTimeEdit, 1195, 101, false, "FreeTimeEdit", 98},
    {&P::TaiinEdit, 1296, 101, false, "TaiinEdit", 98},
    {&P::ExerciseMemo, 1398, 101, false, "ExerciseMemo", 98},
    {&P::SenseMemo, 1500, 101, false, "SenseMemo", 98},
    {&P::BrainMemo, 1602, 101, false, "BrainMemo", 98},
    {&P::KoushukuMemo, 1704, 101, false, "KoushukuMemo", 98},
    {&P::ArthralgiaMemo, 1806, 101, false, "ArthralgiaMemo", 98},
    {&P::SonotaMemo, 1908, 101, false, "SonotaMemo", 98},
    {&P::PTOTST0, 4512, 1025, true, "PTOTST0", 1000},
    {&P::Kango0, 5537, 1025, true, "Kango0", 1000},
    {&P::Jitchi0, 6562, 1025, true, "Jitchi0", 1000},
    {&P::PTOTST1, 9124, 1025, true, "PTOTST1", 1000},
    {&P::Kango1, 10149, 1025, true, "Kango1", 1000},
    {&P::Jitchi1, 11174, 1025, true, "Jitchi1", 1000},
    {&P::SelfHope, 12199, 1025, true, "SelfHope", 1000},
    {&P::FarmilyHope, 13224, 1025, true, "FarmilyHope", 1000},
    {&P::LifePoint, 14249, 1025, true, "LifePoint", 1000},
    {&P::RihaTerget, 15274, 1025, true, "RihaTerget", 1000},
    {&P::SelfDo, 16299, 1025, true, "SelfDo", 1000},
    {&P::AskFarmily, 17324, 1025, true, "AskFarmily", 1000},
    {&P::DiseseCare, 18349, 1025, true, "DiseseCare", 1000},
    {&P::Variation, 19374, 1025, true, "Variation", 1000},
    // The template asks for 備考 as "ReMark".
    {&P::Remark, 20399, 1025, true, "ReMark", 1000},
};

constexpr PracticeFlagField kFlags[] = {
    {&P::HomeBox, 848, "HomeBox"},       {&P::EtcBox, 849, "EtcBox"},   {&P::TaiinBox, 891, "TaiinBox"},
    {&P::Exercise, 1397, "Exercise"},    {&P::Sense, 1499, "Sense"},    {&P::Brain, 1601, "Brain"},
    {&P::Koushuku, 1703, "Koushuku"},    {&P::Arthralgia, 1805, "Arthralgia"}, {&P::Sonota, 1907, "Sonota"},
};

const char* const kItems[] = {"トイレへの移動", "階段昇降", "屋内移動", "屋外移動", "食事",  "排泄（昼）", "排泄（夜）",
                              "整容",           "更衣",     "入浴",     "コミュニケーション", "家事", "外出"};
const char* const kSecondItems[] = {"寝返り", "起き上がり", "座位", "立ち上がり", "立位", "移乗動作", "歩行", "摂食・嚥下"};

const QString kBlankCell = QStringLiteral("　");

void writeRow(record::Writer& w, int at, const TPracticeRow& r) {
    for (int c = 0; c < PracticeLevelColumns; ++c)
        w.shortString(at + L::RowABC + c * (L::CellCapacity + 1), L::CellCapacity, r.ABC[c], record::LineBreaks::BareLf);
    w.shortString(at + L::RowGoods, L::MemoCapacity, r.Goods);
    w.shortString(at + L::RowKaigo, L::MemoCapacity, r.Kaigo);
    w.shortString(at + L::RowTime, L::TimeCapacity, r.Time);
    w.int32(at + L::RowSpecial, r.Special);
}

TPracticeRow readRow(const record::Reader& rd, int at) {
    TPracticeRow r;
    for (int c = 0; c < PracticeLevelColumns; ++c)
        r.ABC[c] = rd.shortString(at + L::RowABC + c * (L::CellCapacity + 1), L::CellCapacity);
    r.Goods = rd.shortString(at + L::RowGoods, L::MemoCapacity);
    r.Kaigo = rd.shortString(at + L::RowKaigo, L::MemoCapacity);
    r.Time = rd.shortString(at + L::RowTime, L::TimeCapacity);
    r.Special = rd.int32(at + L::RowSpecial);
    return r;
}

}  // namespace

int practice_layout::rowOffset(int number) {
    if (number >= 0 && number < FirstTableRows) return FirstTable + PracticeRowSize * number;
    if (number >= SecondTableFirstRow && number < SecondTableFirstRow + SecondTableRows)
        return SecondTable + PracticeRowSize * (number - SecondTableFirstRow);
    throw std::out_of_range("no such practice plan row");
}

bool isPracticeRow(int row) {
    return (row >= 0 && row < FirstTableRows) || (row >= SecondTableFirstRow && row < SecondTableFirstRow + SecondTableRows);
}

QString practiceRowItem(int row) {
    if (row >= 0 && row < FirstTableRows) return QString::fromUtf8(kItems[row]);
    if (row >= SecondTableFirstRow && row < SecondTableFirstRow + SecondTableRows)
        return QString::fromUtf8(kSecondItems[row - SecondTableFirstRow]);
    return {};
}

TPracticeRow& TPracticePlan::row(int number) {
    return const_cast<TPracticeRow&>(static_cast<const TPracticePlan&>(*this).row(number));
}

const TPracticeRow& TPracticePlan::row(int number) const {
    if (number >= 0 && number < FirstTableRows) return Table0[size_t(number)];
    if (number >= SecondTableFirstRow && number < SecondTableFirstRow + SecondTableRows)
        return Table1[size_t(number - SecondTableFirstRow)];
    throw std::out_of_range("no such practice plan row");
}

std::span<const PracticeTextField> practiceTextFields() { return kTexts; }

const PracticeTextField& practiceTextField(QString TPracticePlan::*member) {
    for (const PracticeTextField& f : kTexts)
        if (f.member == member) return f;
    throw std::out_of_range("not a text of the practice plan's table");
}

int practiceEntryLimit(QString TPracticePlan::*member) { return practiceTextField(member).entryLimit; }
std::span<const PracticeFlagField> practiceFlagFields() { return kFlags; }

TPracticePlan newPracticePlan(const TPerson& client, TDateTime planDate) {
    TPracticePlan p;
    p.PlanDate = planDate;
    p.UserName = cp932::leftBytes(client.Name, 50);
    p.Sex = client.Sex;
    p.Birth = client.Birth;
    p.Old = AgeInYears(client.Birth, planDate);
    p.Kaigodo = client.YOUKAIGO_KBN;
    QStringList diseases;
    for (const QString& d : client.Disease) diseases << diseaseText(d);
    p.KenkouMemo = diseases.join(u'\n');
    for (int number : PracticeRowNumbers) {
        TPracticeRow& r = p.row(number);
        r.ABC.fill(kBlankCell);
        r.Time = kBlankCell;
    }
    return p;
}

QByteArray encodePracticePlan(const TPracticePlan& p) {
    record::Writer w(PracticePlanSize);
    w.dateTime(L::PlanDate, p.PlanDate);
    w.int32(L::Sex, p.Sex);
    w.dateTime(L::Birth, p.Birth);
    w.int32(L::Old, p.Old);
    w.int32(L::Kaigodo, p.Kaigodo);
    for (const PracticeFlagField& f : kFlags) w.flag(f.offset, p.*f.member);
    for (const PracticeTextField& f : kTexts) {
        if (f.zeroTerminated)
            w.zeroText(f.offset, f.width, p.*f.member);
        else
            w.shortString(f.offset, f.width - 1, p.*f.member);
    }
    w.int32(L::HDSR, p.HDSR);
    for (int number : PracticeRowNumbers) writeRow(w, L::rowOffset(number), p.row(number));
    for (int s = 0; s < PracticeTeamSlots; ++s) w.int32(L::Team + 4 * s, p.Team[size_t(s)]);
    return w.bytes();
}

std::optional<TPracticePlan> decodePracticePlan(QByteArrayView bytes) {
    if (bytes.size() < PracticePlanSize) return std::nullopt;
    const record::Reader r(bytes.first(PracticePlanSize));
    TPracticePlan p;
    p.PlanDate = r.dateTime(L::PlanDate);
    p.Sex = r.int32(L::Sex);
    p.Birth = r.dateTime(L::Birth);
    p.Old = r.int32(L::Old);
    p.Kaigodo = r.int32(L::Kaigodo);
    for (const PracticeFlagField& f : kFlags) p.*f.member = r.flag(f.offset);
    for (const PracticeTextField& f : kTexts)
        p.*f.member = f.zeroTerminated ? r.zeroText(f.offset, f.width) : r.shortString(f.offset, f.width - 1);
    p.HDSR = r.int32(L::HDSR);
    for (int number : PracticeRowNumbers) p.row(number) = readRow(r, L::rowOffset(number));
    for (int s = 0; s < PracticeTeamSlots; ++s) p.Team[size_t(s)] = r.int32(L::Team + 4 * s);
    return p;
}

}  // namespace lum
