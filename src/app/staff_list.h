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

// The staff list of the run: the data module's, read once at start-up, or,
// where no data module runs (tests, tools) or it holds no staff, the table of
// the facility database (or of the database given). Throws db::DbError only
// in the second case.
std::vector<StaffMember> RunStaffList();
std::vector<StaffMember> RunStaffList(db::Database& database);

// The first staff member with the code or the name (exact); nullptr when none.
const StaffMember* FindStaff(const std::vector<StaffMember>& staff, int code);
const StaffMember* FindStaffByName(const std::vector<StaffMember>& staff, QStringView name);

}  // namespace lum
