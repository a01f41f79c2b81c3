#pragma once
// The daily-life function evaluation as data: the thirteen items with their
// texts and options (0, 1 and sometimes 2 points), the evaluation record
// `TLifeEstimate` with one score per item (-1 unanswered), and the rules the
// sheet, the total and the printout share. Circles are drawn from the
// scores; the total is summed from them, never read from widgets.
#include "clients/person.h"
#include "common/datetime.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lum {

inline constexpr int EstimateItemCount = 13;
inline constexpr int EstimateUnanswered = -1;

struct EstimateItem {
    const char* column;   // the Estimate column of its score
    QString text;         // "\n" between its printed lines
    QStringList options;  // by points: 0, 1 and, for six items, 2
    int maxPoints() const { return int(options.size()) - 1; }
};

const std::array<EstimateItem, EstimateItemCount>& estimateItems();

using EstimateScores = std::array<int, EstimateItemCount>;

struct TLifeEstimate {
    int CureNo = 0;
    TDateTime Sakuseibi;  // the date of making, day only
    QString UserName;     // at most 50 bytes of code page 932
    int Sex = 0;
    TDateTime Birth;
    int Old = 0;      // written 0
    int Kaigodo = 0;  // the care level at New; written 0
    EstimateScores Scores;
    int RihaStuff = -1;  // written 0

    TLifeEstimate() { Scores.fill(EstimateUnanswered); }
    bool operator==(const TLifeEstimate&) const = default;
};

// A new evaluation of the client dated `today`: every item at 0 points.
TLifeEstimate newLifeEstimate(const TPerson& person, TDateTime today);

// "H2T1": item 2, 1 point (the option's control and printout name).
QString estimateOptionName(int item, int points);

// The item's score after its option of `points` was clicked: chosen, or
// unanswered again when it was the chosen one.
int clickedScore(int current, int points);
// A score the item offers, else unanswered (a stored value outside them).
int offeredScore(int item, int score);
EstimateScores offeredScores(const EstimateScores& scores);

// The sum of the answered items' points (0 to 19).
int estimateTotal(const EstimateScores& scores);
// The total's label: the total from 1; "0" when some item is answered;
// empty when none is.
QString estimateTotalText(const EstimateScores& scores);

// The printout's value of a template name: UserName, CureNo, Sakuseibi, the
// option names ("○" or a full-width space) and Total; nothing for others.
std::optional<QString> estimateValue(const TLifeEstimate& estimate, const QString& name);

}  // namespace lum
