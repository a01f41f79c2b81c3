#pragma once
// A client's stored documents of one member, newest first: what the open
// dialog lists. Every value bound; throws db::DbError when the table cannot
// be read (an open error, never "no documents").
#include "common/datetime.h"
#include "plans/document_kinds.h"
#include "platform/db/database.h"

#include <vector>

namespace lum {

struct DocumentListRow {
    qint64 number = 0;  // PlanNo or PractNo; 0 for the date-keyed members
    TDateTime day;      // the document date
    TDateTime endDay;   // the treatment plan's end; empty otherwise
};

std::vector<DocumentListRow> listDocuments(db::Database& db, const DocumentKind& kind, int cureNo);

}  // namespace lum
