#include "plans/life_estimate.h"

#include "common/cp932.h"
#include "common/era_text.h"

namespace lum {
namespace {

constexpr int kNameBytes = 50;

EstimateItem item(const char* column, const char16_t* text, std::initializer_list<const char16_t*> options) {
    EstimateItem i{column, QString::fromUtf16(text), {}};
    for (const char16_t* o : options) i.options << QString::fromUtf16(o);
    return i;
}

}  // namespace

const std::array<EstimateItem, EstimateItemCount>& estimateItems() {
    static const std::array<EstimateItem, EstimateItemCount> items{
        item("Yukaue", u"床上安静の指示", {u"なし", u"あり"}),
        item("UdeAge", u"どちらかの手を胸元まで持\nち上げられる", {u"できる", u"できない"}),
        item("Negaeri", u"寝返り", {u"できる", u"何かにつかまれ\nばできる", u"できない"}),
        item("Okiagari", u"起き上がり", {u"できる", u"できない"}),
        item("ZaiHoji", u"座位保持", {u"できる", u"支えがあれば\nできる", u"できない"}),
        item("Ijyou", u"移乗", {u"できる", u"見守り・\n一部介助が必要", u"できない"}),
        item("Idou", u"移動方法", {u"介助を要しな\nい移動", u"介助を要する移動\n（搬送を含む）"}),
        item("Kouku", u"口腔清潔", {u"できる", u"できない"}),
        item("Shokuji", u"食事摂取", {u"介助なし", u"一部介助", u"全介助"}),
        item("Ifuku", u"衣服の着脱", {u"介助なし", u"一部介助", u"全介助"}),
        item("Omoiyari", u"他者への意思の伝達", {u"できる", u"できる時と\nできない時がある", u"できない"}),
        item("Shinryo", u"診療・療養上の指示が\n通じる", {u"はい", u"いいえ"}),
        item("Kikenn", u"危険行動", {u"ない", u"ある"}),
    };
    return items;
}

TLifeEstimate newLifeEstimate(const TPerson& person, TDateTime today) {
    TLifeEstimate e;
    e.CureNo = person.CureNo;
    e.Sakuseibi = today.dateOnly();
    e.UserName = cp932::leftBytes(person.Name, kNameBytes);
    e.Sex = person.Sex;
    e.Birth = person.Birth;
    e.Old = 0;
    e.Kaigodo = person.YOUKAIGO_KBN;
    e.Scores.fill(0);
    e.RihaStuff = -1;
    return e;
}

QString estimateOptionName(int item, int points) { return QStringLiteral("H%1T%2").arg(item).arg(points); }

int clickedScore(int current, int points) { return current == points ? EstimateUnanswered : points; }

int offeredScore(int item, int score) {
    if (item < 0 || item >= EstimateItemCount) return EstimateUnanswered;
    return score >= 0 && score <= estimateItems()[item].maxPoints() ? score : EstimateUnanswered;
}

EstimateScores offeredScores(const EstimateScores& scores) {
    EstimateScores out;
    for (int i = 0; i < EstimateItemCount; ++i) out[i] = offeredScore(i, scores[i]);
    return out;
}

int estimateTotal(const EstimateScores& scores) {
    int total = 0;
    for (int i = 0; i < EstimateItemCount; ++i) total += std::max(0, offeredScore(i, scores[i]));
    return total;
}

QString estimateTotalText(const EstimateScores& scores) {
    const int total = estimateTotal(scores);
    if (total > 0) return QString::number(total);
    for (int i = 0; i < EstimateItemCount; ++i)
        if (offeredScore(i, scores[i]) != EstimateUnanswered) return QStringLiteral("0");
    return QString();
}

std::optional<QString> estimateValue(const TLifeEstimate& e, const QString& name) {
    if (name.compare(u"UserName", Qt::CaseInsensitive) == 0) return e.UserName;
    if (name.compare(u"CureNo", Qt::CaseInsensitive) == 0) return QString::number(e.CureNo);
    if (name.compare(u"Sakuseibi", Qt::CaseInsensitive) == 0) return DateToEraText(e.Sakuseibi);
    if (name.compare(u"Total", Qt::CaseInsensitive) == 0) return QString::number(estimateTotal(e.Scores));
    for (int i = 0; i < EstimateItemCount; ++i) {
        for (int points = 0; points <= estimateItems()[i].maxPoints(); ++points) {
            if (name.compare(estimateOptionName(i, points), Qt::CaseInsensitive) == 0)
                return offeredScore(i, e.Scores[i]) == points ? QStringLiteral("○") : QStringLiteral("　");
        }
    }
    return std::nullopt;
}

}  // namespace lum
