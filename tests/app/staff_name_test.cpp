// A staff name typed as people type it names the staff member: blanks of
// either width, runs of them and blanks at the ends do not matter, a missing
// blank or another character does. Of two members whose names differ only in
// their blanks the one spelt as typed is meant, and of equal names the one
// chosen in the box. The staff boxes and the lookup of the staff list agree.
#include "app/main_module.h"
#include "app/staff_box.h"
#include "app/staff_list.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <optional>

namespace {

const std::vector<lum::StaffMember> kStaff = {
    {11, QStringLiteral("佐藤　健一"), QStringLiteral("佐")},
    {12, QStringLiteral("鈴木 花子"), QStringLiteral("鈴")},
    {13, QStringLiteral("山田　太郎"), QStringLiteral("山")},
    {14, QStringLiteral("山田 太郎"), QStringLiteral("田")},  // another person, the name with a half-width blank
    {15, QStringLiteral("佐藤　健一"), QStringLiteral("健")},  // the same name as 11
    {16, QStringLiteral("Ｏｈａｒａ Ｋｅｎ"), QStringLiteral("オ")},
};

TEST(StaffName, ATypedNameNamesTheMemberWhateverItsBlanks) {
    TMainModule module;
    for (const lum::StaffMember& s : kStaff) {
        module.StuffCD.push_back(s.code);
        module.StuffNames << s.name;
        module.StuffKigo << s.symbol;
    }
    module.StuffCount = static_cast<int>(kStaff.size());
    MainModule = &module;
    QComboBox box;
    lum::fillStaffBox(&box);
    box.setEditable(true);

    struct Case {
        QString typed;
        int chosen;                // the box's item chosen before the text was typed; -1 none
        std::optional<int> code;  // nothing: refused; -1: nobody
    } cases[] = {
        {QStringLiteral("佐藤 健一"), -1, 11},                // half-width for full-width
        {QStringLiteral("佐藤　健一"), -1, 11},
        {QStringLiteral("鈴木　花子"), -1, 12},               // full-width for half-width
        {QStringLiteral("佐藤 　 健一"), -1, 11},             // a run of both widths
        {QStringLiteral("　 佐藤 健一 　"), -1, 11},          // blanks at the ends
        {QStringLiteral("Ｏｈａｒａ　　Ｋｅｎ"), -1, 16},
        {QStringLiteral("佐藤健一"), -1, std::nullopt},       // no blank is another name
        {QStringLiteral("佐 藤 健一"), -1, std::nullopt},     // nor is a blank added
        {QStringLiteral("佐藤 健二"), -1, std::nullopt},
        {QStringLiteral("ohara ken"), -1, std::nullopt},      // letters keep their width and case
        {QStringLiteral("山田 太郎"), -1, 14},                // spelt exactly: that one
        {QStringLiteral("山田　太郎"), -1, 13},
        {QStringLiteral("山田　 太郎"), -1, 13},              // spelt as neither: the first
        {QStringLiteral("山田　 太郎"), 3, 14},               // ... or the one chosen
        {QStringLiteral("山田 太郎"), 2, 14},                 // spelt exactly beats the one chosen
        {QStringLiteral("佐藤 健一"), 4, 15},                 // of equal names, the one chosen
        {QStringLiteral("佐藤 健一"), 1, 11},                 // a choice of another name counts for nothing
        {QStringLiteral("　 "), 0, -1},                       // blank: nobody
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " chosen " + std::to_string(c.chosen));
        box.setCurrentIndex(c.chosen);
        box.lineEdit()->setText(c.typed);
        ASSERT_EQ(box.currentIndex(), c.chosen);
        EXPECT_EQ(lum::namedStaffCode(&box), c.code);
        if (c.chosen >= 0 || c.code == -1) continue;
        const lum::StaffMember* found = lum::FindStaffByName(kStaff, c.typed);
        EXPECT_EQ(found ? std::optional<int>(found->code) : std::nullopt, c.code);
    }
    MainModule = nullptr;
}

}  // namespace
