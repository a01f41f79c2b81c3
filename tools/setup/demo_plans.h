#pragma once
// The demo's treatment plans: plans with marks, paralysis overlays and six
// programme lines for four clients in five (one client with an earlier and
// a current plan, one in ten with an overdue plan only), and the "CurePlan"
// stock phrases the plan window offers.
#include "clients/person.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

// Writes inside the caller's transaction; gives the number of plans written.
int writeDemoPlans(db::Database& db, const std::vector<TPerson>& clients, QDate today, const QString& creator);

}  // namespace lum::setup
