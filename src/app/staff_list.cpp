#include "app/staff_list.h"

#include "app/main_module.h"
#include "platform/db/facility_database.h"

#include <QSqlQuery>

namespace lum {

std::vector<StaffMember> ReadStaffList(db::Database& database) {
    QSqlQuery query = database.prepare(QStringLiteral("SELECT CD, StuffName, KIGO FROM KaigoStuff ORDER BY CD"));
    query.setForwardOnly(true);
    database.exec(query);
    std::vector<StaffMember> staff;
    while (query.next()) staff.push_back({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString()});
    return staff;
}

namespace {

// The data module's list, read once at start-up; empty when no module runs
// (tests, tools) or it holds no staff.
std::vector<StaffMember> ModuleStaffList() {
    std::vector<StaffMember> staff;
    if (!MainModule) return staff;
    for (int i = 0; i < MainModule->StuffCount && i < static_cast<int>(MainModule->StuffCD.size()); ++i) {
        staff.push_back({MainModule->StuffCD[static_cast<size_t>(i)], MainModule->StuffNames.value(i),
                         MainModule->StuffKigo.value(i)});
    }
    return staff;
}

}  // namespace

std::vector<StaffMember> RunStaffList() {
    std::vector<StaffMember> staff = ModuleStaffList();
    return staff.empty() ? ReadStaffList(requireFacilityDatabase()) : staff;
}

std::vector<StaffMember> RunStaffList(db::Database& database) {
    std::vector<StaffMember> staff = ModuleStaffList();
    return staff.empty() ? ReadStaffList(database) : staff;
}

const StaffMember* FindStaff(const std::vector<StaffMember>& staff, int code) {
    for (const StaffMember& s : staff) {
        if (s.code == code) return &s;
    }
    return nullptr;
}

const StaffMember* FindStaffByName(const std::vector<StaffMember>& staff, QStringView name) {
    for (const StaffMember& s : staff) {
        if (s.name == name) return &s;
    }
    return nullptr;
}

}  // namespace lum
