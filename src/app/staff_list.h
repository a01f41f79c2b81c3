#pragma once
// The staff table KaigoStuff (code, name, symbol) as the data module and the
// staff choice boxes read it: every row in CD order.
#include "platform/db/database.h"

#include <QString>

#include <functional>
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

// Staff names compare as people type them: a blank is a blank whatever its
// width (佐藤 健一 is 佐藤　健一), a run of blanks counts as one and blanks at
// either end are ignored; every other character must be the same.
bool SameStaffName(QStringView a, QStringView b);

// Of `count` names (nameAt(0) ..), the one spelt exactly as `name`, else the
// one that is the same name as it; of several, `preferred` (the one already
// chosen, say) when it is among them, else the first. -1 when none is.
qsizetype FindStaffName(qsizetype count, const std::function<QString(qsizetype)>& nameAt, QStringView name,
                        qsizetype preferred = -1);

// The first staff member with the code; nullptr when none.
const StaffMember* FindStaff(const std::vector<StaffMember>& staff, int code);
// The staff member the name names, as FindStaffName finds it; nullptr when none.
const StaffMember* FindStaffByName(const std::vector<StaffMember>& staff, QStringView name);

}  // namespace lum
