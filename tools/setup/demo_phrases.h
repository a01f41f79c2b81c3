#pragma once
// The stock phrases of the demo data sets: each writer stores its lists in the
// Comment table and draws its documents' texts from the same lists, so what
// the windows offer is what the demo records hold.
#include "common/datetime.h"
#include "platform/db/database.h"

#include <QString>

#include <span>
#include <vector>

namespace lum::setup {

// One phrase list: its program key, its list code and its texts in order.
struct DemoPhraseList {
    const char* program;
    int code;
    std::vector<const char16_t*> texts;
};

// Appends the texts to one list, in order, dated `created`.
void writeDemoPhrases(db::Database& db, const char* program, int code, std::span<const char16_t* const> texts,
                      TDateTime created);
// Appends every list, in order.
void writeDemoPhrases(db::Database& db, std::span<const DemoPhraseList> lists, TDateTime created);

// Text `index` of a list, counted round; empty when there is no such list.
QString demoPhrase(std::span<const DemoPhraseList> lists, const char* program, int code, int index);

}  // namespace lum::setup
