#include "report/values/tfr_values.h"

#include <gtest/gtest.h>

using namespace lum;

namespace {

TfrValues threeBindings() {
    TfrValues v;
    TfrValue& name = v.Add(QStringLiteral("Name"));
    name.Typ = vtDataField;
    name.DataSetName = QStringLiteral("frDBDataSet1");
    name.FieldName = QStringLiteral("\"User Name\"");
    TfrValue& page = v.Add(QStringLiteral("page"));
    page.Typ = vtSpecial;
    page.OtherKind = svPage;
    TfrValue& sum = v.Add(QStringLiteral("Age"));
    sum.Typ = vtExpression;
    sum.FieldName = QStringLiteral("[Years] + 1");
    return v;
}

}  // namespace

TEST(TfrValues, KeepsTheLoadedOrderUntilSorted) {
    TfrValues v = threeBindings();
    EXPECT_FALSE(v.Sorted());
    EXPECT_EQ(v.Names(), (QStringList{"Name", "page", "Age"}));
    v.Sort();
    EXPECT_TRUE(v.Sorted());
    EXPECT_EQ(v.Names(), (QStringList{"Age", "Name", "page"}));
    EXPECT_EQ(v.Item(0).FieldName, QStringLiteral("[Years] + 1"));
}

TEST(TfrValues, FindsNamesIgnoringLetterCaseSortedOrNot) {
    TfrValues v = threeBindings();
    for (bool sorted : {false, true}) {
        if (sorted) v.Sort();
        SCOPED_TRACE(sorted);
        ASSERT_NE(v.FindVariable(QStringLiteral("NAME")), nullptr);
        EXPECT_EQ(v.FindVariable(QStringLiteral("NAME"))->Typ, vtDataField);
        ASSERT_NE(v.FindVariable(QStringLiteral("Page")), nullptr);
        EXPECT_EQ(v.FindVariable(QStringLiteral("Page"))->OtherKind, svPage);
        EXPECT_EQ(v.FindVariable(QStringLiteral("age"))->Typ, vtExpression);
        EXPECT_EQ(v.FindVariable(QStringLiteral("Missing")), nullptr);
        EXPECT_EQ(v.FindVariable(QString()), nullptr);
    }
}

TEST(TfrValues, EqualNamesFindTheFirstAdded) {
    TfrValues v;
    v.Add(QStringLiteral("b")).FieldName = QStringLiteral("first");
    v.Add(QStringLiteral("A"));
    v.Add(QStringLiteral("B")).FieldName = QStringLiteral("second");
    v.Sort();
    EXPECT_EQ(v.FindVariable(QStringLiteral("b"))->FieldName, QStringLiteral("first"));
}

TEST(TfrValues, AddAfterSortDropsTheSortedState) {
    TfrValues v = threeBindings();
    v.Sort();
    v.Add(QStringLiteral("Zeta"));
    v.Add(QStringLiteral("Beta"));
    EXPECT_FALSE(v.Sorted());
    EXPECT_NE(v.FindVariable(QStringLiteral("beta")), nullptr);
}

TEST(TfrValues, CopiesAreDeepAndCompareEqual) {
    TfrValues a = threeBindings();
    TfrValues b = a;
    EXPECT_TRUE(a == b);
    b.Item(0).FieldName = QStringLiteral("Other");
    EXPECT_EQ(a.Item(0).FieldName, QStringLiteral("\"User Name\""));
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_TRUE(a == b);
}

TEST(TfrValues, ClearDeleteAndDataSets) {
    TfrValues v = threeBindings();
    auto* fake = reinterpret_cast<lum::ReportDataSet*>(&v);
    v.Item(0).DSet = fake;
    v.ClearDataSets();
    EXPECT_EQ(v.Item(0).DSet, nullptr);
    v.Delete(1);
    v.Delete(5);
    v.Delete(-1);
    EXPECT_EQ(v.Names(), (QStringList{"Name", "Age"}));
    v.Clear();
    EXPECT_EQ(v.Count(), 0);
    EXPECT_TRUE(v.isEmpty());
}

TEST(TfrValues, SpecialVariableNames) {
    EXPECT_EQ(specialVariableName(svPage), QStringLiteral("PAGE#"));
    EXPECT_EQ(specialVariableName(svExpression), QString());
    EXPECT_EQ(specialVariableName(svLineThrough), QStringLiteral("LINETHROUGH#"));
    EXPECT_EQ(specialVariableName(svTotalPages), QStringLiteral("TOTALPAGES"));
    EXPECT_EQ(specialVariableName(9), QString());
    EXPECT_EQ(specialVariableName(-1), QString());
    EXPECT_EQ(specialVariableDisplayName(svCurrentLine), QStringLiteral("Current line#"));
    EXPECT_EQ(specialVariableDisplayName(svLineThrough), QStringLiteral("Line through#"));
}
