#include "demo_estimates.h"

#include "plans/estimate_store.h"

namespace lum::setup {

int writeDemoEstimates(db::Database& db, const std::vector<TPerson>& clients, QDate today) {
    const EstimateStore store(db);
    int written = 0;
    const auto write = [&](const TPerson& client, QDate day, const EstimateScores& scores) {
        TLifeEstimate e = newLifeEstimate(client, TDateTime::fromDate(day));
        e.Scores = scores;
        store.save(e);
        ++written;
    };
    // Every third client of the first thirty-six, each scored from its number
    // so the set is the same every time: more help needed as the number grows.
    for (std::size_t k = 0; k < clients.size() && k < 36; k += 3) {
        const TPerson& client = clients[k];
        EstimateScores scores;
        for (int i = 0; i < EstimateItemCount; ++i)
            scores[i] = std::min(estimateItems()[i].maxPoints(), int((k / 3 + i) % 4 == 0 ? 1 : (k / 3 + i) % 3));
        write(client, today.addDays(-int(k) - 2), scores);
    }
    if (clients.size() < 3) return written;
    // The maximum: every item at its highest points (19).
    EstimateScores maximum;
    for (int i = 0; i < EstimateItemCount; ++i) maximum[i] = estimateItems()[i].maxPoints();
    write(clients[1], today.addDays(-20), maximum);
    // Items left unanswered, and the same client evaluated again later.
    EstimateScores partial;
    partial.fill(EstimateUnanswered);
    for (int i : {0, 2, 4, 8}) partial[i] = 1;
    write(clients[2], today.addDays(-40), partial);
    partial[1] = 0;
    partial[3] = 0;
    write(clients[2], today.addDays(-10), partial);
    return written;
}

}  // namespace lum::setup
