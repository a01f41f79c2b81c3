// The Person table on both backends: a whole record goes in and comes back,
// an update leaves the key and the weekly requests alone, and an update or
// delete of a row that is gone is a failure.
#include "clients/person_store.h"

#include "support/database_fixture.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using lum::TDateTime;

TPerson fullRecord() {
    TPerson p;
    p.Name = "山田太郎";
    p.Kana = "ﾔﾏﾀﾞ ﾀﾛｳ";
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.YoubinNo = "123-4567";
    p.Address = "東京都千代田区1-1";
    p.TelNo = "03-1234-5678";
    p.FaxNo = "03-1234-5679";
    p.EMail = "taro@example.jp";
    p.distinctive = "右片麻痺";
    p.TavelundUserNo = 120;
    p.RihaType = 2;
    p.KubunCode = 5;
    p.KubunDate = TDateTime::fromYmd(2002, 6, 1);
    p.ROOM_NO = "201";
    p.Jiritsu_KBN = 3;
    p.Ninchi_KBN = 1;
    p.YOUKAIGO_KBN = 4;
    p.HP_TAISHO_YMD = TDateTime::fromYmd(2002, 4, 20);
    p.NYUSHOBI_YMD = TDateTime::fromYmd(2002, 5, 1);
    p.TAISHOBI_YMD = TDateTime::fromYmd(2002, 12, 31);
    p.Disease = {"脳梗塞", "高血圧", "", "", "", "糖尿病"};
    return p;
}

class PersonStoreTest : public lum::test::DatabaseTest {};

TEST_P(PersonStoreTest, RecordRoundTrip) {
    lum::PersonStore store(db());
    TPerson p = fullRecord();
    p.Reserve[0] = TDateTime::fromYmdHms(1899, 12, 30, 10, 30);
    p.Funn[0] = 40;
    p.CureNo = store.insert(p);
    EXPECT_GT(p.CureNo, 0);
    const auto back = store.find(p.CureNo);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, p);

    // The searches carry no weekly requests.
    const auto listed = store.byCureNo(p.CureNo);
    ASSERT_EQ(listed.size(), 1u);
    TPerson expected = p;
    expected.Reserve = {};
    expected.Funn = {};
    EXPECT_EQ(listed[0], expected);

    // An update writes every column but the key and the weekly requests.
    TPerson changed = fullRecord();
    changed.CureNo = p.CureNo;
    changed.Name = "山田花子";
    changed.TAISHOBI_YMD = TDateTime();
    changed.Funn[0] = 99;
    store.update(changed);
    const auto after = store.find(p.CureNo);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->Name, "山田花子");
    EXPECT_TRUE(after->TAISHOBI_YMD.isEmpty());
    EXPECT_EQ(after->Funn[0], 40);
    EXPECT_EQ(after->Reserve[0], p.Reserve[0]);

    store.remove(p.CureNo);
    EXPECT_FALSE(store.find(p.CureNo).has_value());
    EXPECT_THROW(store.remove(p.CureNo), lum::db::NoRowTouched);
    EXPECT_THROW(store.update(changed), lum::db::NoRowTouched);

    // A deleted number is never given again.
    EXPECT_GT(store.insert(fullRecord()), p.CureNo);
}

TEST_P(PersonStoreTest, DiseasesAreCutToTheRecordWidth) {
    lum::PersonStore store(db());
    TPerson p = fullRecord();
    p.Disease[0] = QString(24, u'病') + "ab";  // 50 bytes: whole
    p.Disease[1] = QString(25, u'病') + "a";   // 51 bytes: cut
    p.CureNo = store.insert(p);
    const auto back = store.byCureNo(p.CureNo);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Disease[0], p.Disease[0]);
    EXPECT_EQ(back[0].Disease[1], QString(25, u'病'));
}

TEST_P(PersonStoreTest, DuplicateCandidatesMatchBirthSexStartAndTheFamilyPart) {
    lum::PersonStore store(db());
    const TPerson p = fullRecord();
    store.insert(p);
    auto found = [&](const QString& family, TDateTime birth, int sex, TDateTime start) {
        return store.duplicateCandidates(family, birth, sex, start).size();
    };
    EXPECT_EQ(found("ﾔﾏﾀﾞ", p.Birth, p.Sex, p.NYUSHOBI_YMD), 1u);
    EXPECT_EQ(found("ﾏﾀﾞ", p.Birth, p.Sex, p.NYUSHOBI_YMD), 1u) << "the family part anywhere in the kana";
    EXPECT_EQ(found("ﾔﾏﾀﾞ", p.Birth, p.Sex, p.NYUSHOBI_YMD.addDays(1)), 0u);
    EXPECT_EQ(found("ﾔﾏﾀﾞ", p.Birth.addDays(1), p.Sex, p.NYUSHOBI_YMD), 0u);
    EXPECT_EQ(found("ﾔﾏﾀﾞ", p.Birth, 0, p.NYUSHOBI_YMD), 0u);
    EXPECT_EQ(found("%", p.Birth, p.Sex, p.NYUSHOBI_YMD), 0u) << "a wildcard typed is a plain character";
}

TEST_P(PersonStoreTest, ByTypeAndCategoriesTakesTheTypeAndAnyBitOfTheMaskInNumberOrder) {
    lum::PersonStore store(db());
    auto add = [&](int type, int kubun) {
        TPerson p = fullRecord();
        p.RihaType = type;
        p.KubunCode = kubun;
        return store.insert(p);
    };
    const int dayCareGroup = add(2, 4);
    const int dayCareBoth = add(2, 12);
    add(2, 1);
    add(0, 4);
    auto numbers = [&](int type, int mask) {
        std::vector<int> out;
        for (const TPerson& p : store.byTypeAndCategories(type, mask)) out.push_back(p.CureNo);
        return out;
    };
    EXPECT_EQ(numbers(2, 4), (std::vector<int>{dayCareGroup, dayCareBoth}));
    EXPECT_EQ(numbers(2, 8), (std::vector<int>{dayCareBoth}));
    EXPECT_EQ(numbers(2, 0), std::vector<int>{}) << "no category ticked lists nobody";
    EXPECT_EQ(numbers(3, 15), std::vector<int>{});
}

LUM_INSTANTIATE_DATABASE_TESTS(PersonStoreTest);

}  // namespace
