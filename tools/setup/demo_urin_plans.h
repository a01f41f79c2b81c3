#pragma once
// The demo's rehabilitation plans and preventive-care plans: a few clients
// each (one client with two dates of each, one plan of each with every text
// at its limit), and the stock phrases both windows offer.
#include "clients/person.h"
#include "plans/urin_plan_record.h"
#include "plans/urin_pract_record.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

struct DemoUrinPlans {
    int plans = 0;      // UrinKeikaku rows
    int preventive = 0; // UrinYobou rows
};

// Writes inside the caller's transaction. staffCodes: the KaigoStuff codes to
// name as staff members and makers.
DemoUrinPlans writeDemoUrinPlans(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                                 const std::vector<int>& staffCodes);

// A plan and a preventive plan with every entry at its limit (the printouts'
// layout tests use them too).
TUrinPlan urinPlanAtLimits(TUrinPlan p, TDateTime made, int staff);
TUrinPract urinPractAtLimits(TUrinPract p, int staff);

}  // namespace lum::setup
