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

std::vector<StaffMember> RunStaffList() {
    if (!MainModule) return ReadStaffList(requireFacilityDatabase());
    std::vector<StaffMember> staff;
    for (int i = 0; i < MainModule->StuffCount && i < static_cast<int>(MainModule->StuffCD.size()); ++i) {
        staff.push_back({MainModule->StuffCD[static_cast<size_t>(i)], MainModule->StuffNames.value(i),
                         MainModule->StuffKigo.value(i)});
    }
    return staff;
}

}  // namespace lum
