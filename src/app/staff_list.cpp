#include "app/staff_list.h"

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

}  // namespace lum
