#pragma once
// The demo's practice plans (リハビリテーション実施計画書): a few clients, one of
// them with two evaluation dates three months apart, both tables filled as a
// therapist would, and the stock phrases the plan window and its tool and
// care dialogs offer ("PracticePlan", "Goods", "Kaigo").
#include "clients/person.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

// Writes inside the caller's transaction; gives the number of plans written.
// staffCodes: the KaigoStuff codes to name in the plans' teams.
int writeDemoPracticePlans(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                           const std::vector<int>& staffCodes);

}  // namespace lum::setup
