#pragma once
// The demo's conference records: a few clients (one with two conferences
// three months apart, one with the evaluation and the rows at their limits),
// and the stock phrases the window offers.
#include "clients/person.h"
#include "plans/conference_record.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

// Writes inside the caller's transaction; returns the Conference rows written.
// staffCodes: the KaigoStuff codes to name as attendees.
int writeDemoConferences(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                         const std::vector<int>& staffCodes);

// A conference with every text at its limit (the printouts' layout tests use it too).
TConference conferenceAtLimits(TConference c, const std::vector<int>& staff);

}  // namespace lum::setup
