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

bool SameStaffName(QStringView a, QStringView b) {
    // simplified(): every blank QChar::isSpace knows (U+0020, U+3000, ...)
    // becomes one U+0020 between words and goes at the ends.
    return a.toString().simplified() == b.toString().simplified();
}

qsizetype FindStaffName(qsizetype count, const std::function<QString(qsizetype)>& nameAt, QStringView name,
                        qsizetype preferred) {
    // Names that differ only in their blanks may be two people: the one spelt
    // as typed is meant before one that only reads the same.
    const auto first = [&](const auto& matches) -> qsizetype {
        if (preferred >= 0 && preferred < count && matches(nameAt(preferred))) return preferred;
        for (qsizetype i = 0; i < count; ++i) {
            if (matches(nameAt(i))) return i;
        }
        return -1;
    };
    const qsizetype exact = first([name](const QString& n) { return n == name; });
    return exact >= 0 ? exact : first([name](const QString& n) { return SameStaffName(n, name); });
}

const StaffMember* FindStaffByName(const std::vector<StaffMember>& staff, QStringView name) {
    const qsizetype found = FindStaffName(
        static_cast<qsizetype>(staff.size()), [&staff](qsizetype i) { return staff[static_cast<size_t>(i)].name; },
        name);
    return found < 0 ? nullptr : &staff[static_cast<size_t>(found)];
}

}  // namespace lum
