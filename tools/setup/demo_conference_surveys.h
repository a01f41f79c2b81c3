#pragma once
// The demo's start-of-stay conference surveys: a few clients (one with two
// dates, one with every text at its limit) and the stock phrases the survey
// window offers.
#include "clients/person.h"
#include "plans/before_conference_record.h"
#include "platform/db/database.h"

#include <QDate>

#include <vector>

namespace lum::setup {

// Writes inside the caller's transaction; the number of BeforeConfer rows.
// staffCodes: the KaigoStuff codes to name as attendees.
int writeDemoConferenceSurveys(db::Database& db, const std::vector<TPerson>& clients, QDate today,
                               const std::vector<int>& staffCodes);

// A survey with every text at its limit (the printouts' layout tests use it too).
TBeforeConference surveyAtLimits(TBeforeConference b, int staff);

}  // namespace lum::setup
