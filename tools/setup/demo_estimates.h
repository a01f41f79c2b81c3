#pragma once
// The demo's daily-life function evaluations: a dozen clients, one of them
// evaluated twice, one at the maximum of 19 and one with items unanswered.
#include "clients/person.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

// Writes inside the caller's transaction; gives the number of evaluations.
int writeDemoEstimates(db::Database& db, const std::vector<TPerson>& clients, QDate today);

}  // namespace lum::setup
