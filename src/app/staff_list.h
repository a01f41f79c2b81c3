#pragma once
// The staff table KaigoStuff (code, name, symbol) as the data module and the
// staff choice boxes read it: every row in CD order.
#include "platform/db/database.h"

#include <QString>

#include <vector>

namespace lum {

struct StaffMember {
    int code = -1;
    QString name;
    QString symbol;  // KIGO
};

// Throws db::DbError.
std::vector<StaffMember> ReadStaffList(db::Database& database);

}  // namespace lum
