// The golden table of the expression language: each bracketed expression with the
// type of its value and the text it prints (or the error it raises).
#include "expr_fixture.h"

#include <gtest/gtest.h>

using lum::ExprValue;
using lum::TDateTime;

namespace {

struct Row {
    const char* expression;
    const char* type;  // ExprValue type name, or "error"
    const char* text;  // printed text, or the error message
};

const Row goldenRows[] = {
    // arithmetic and precedence
    {"2 + 3 * 4", "Double", "14"},
    {"(2 + 3) * 4", "Double", "20"},
    {"7 - 2 - 1", "Double", "4"},
    {"10 / 4", "Double", "2.5"},
    {"10 / 0", "Double", "0"},
    {"1 / 3", "Double", "0.333333333333333"},
    {"0.1 + 0.2", "Double", "0.3"},
    {"7 mod 3", "Integer", "1"},
    {"7.5 MOD 2", "Integer", "0"},
    {"-3 + 5", "Double", "2"},
    {"2 * (-3)", "Double", "-6"},
    {"1 > -1", "Integer", "1"},
    {"1,5 + 1.5", "Double", "3"},
    {"3 + 4; anything after it", "Double", "7"},
    {"[Age] * 2", "Double", "160"},
    {"[Age] / 3", "Double", "26.6666666666667"},
    {"[Flag] + 0", "Double", "-1"},
    {"1E200 * 1", "Double", "1E200"},
    {"1E-5 * 2", "Double", "2E-5"},
    {"2.5e+3 - 1", "Double", "2499"},
    {"INT(1E-5 * 100000)", "Double", "1"},
    // logic: AND is a product, OR a sum, both bind tighter than comparisons
    {"(2 > 1) AND (3 > 2)", "Integer", "1"},
    {"(2 > 1) OR (3 > 2)", "Integer", "2"},
    {"(1 > 2) AND (3 > 2)", "Integer", "0"},
    {"1 > 0 AND 0", "Integer", "1"},
    {"NOT 0", "Integer", "1"},
    {"NOT 5", "Integer", "0"},
    {"NOT 1 = 0", "Integer", "1"},
    // unary keywords
    {"ROUND 2.5", "Integer", "2"},
    {"ROUND(3.5)", "Integer", "4"},
    {"ROUND(-2.5)", "Integer", "-2"},
    {"INT(-2.7)", "Double", "-2"},
    {"FRAC 2.25", "Double", "0.25"},
    {"STR(12) + 'x'", "String", "12x"},
    // texts
    {"'abc' + 'def'", "String", "abcdef"},
    {"'it''s'", "String", "it's"},
    {"'''quoted'''", "String", "'quoted'"},
    {"'5' + 1", "Double", "6"},
    {"[Name] + '様'", "String", "山田 太郎様"},
    {"[EmptyText]", "String", ""},
    {"'a;b'", "String", "a;b"},
    // typed literals
    {"%d'2002/04/01' + 1", "Date", "2002/04/02"},
    {"%D'2002/4/1' #Dggee年m月d日", "Date", "平成14年4月1日"},
    {"%t'12:30'", "Date", "12:30:00"},
    {"%d'12:30'", "error", "'12:30' is not a valid date"},
    // comparisons
    {"'abc' < 'abd'", "Integer", "1"},
    {"'10' = 10", "Integer", "1"},
    {"3 <> 3", "Integer", "0"},
    {"3 >= 3", "Integer", "1"},
    {"2 <= 1", "Integer", "0"},
    {"[Name] = '山田 太郎'", "Integer", "1"},
    // IF and COPY
    {"IF(1 > 0, 'yes', 'no')", "String", "yes"},
    {"IF(0, 'yes', 'no')", "String", "no"},
    {"IF([Age] >= 65, IF([Age] >= 75, '後期', '前期'), '非該当')", "String", "後期"},
    {"IF(1, 'it''s', '')", "String", "it's"},
    {"IF(1, 'a' + 'b', '')", "String", "ab"},
    {"IF([Flag], 'checked', 'not')", "String", "checked"},
    {"IF(0.9, 'yes', 'no')", "String", "no"},
    {"IF(1, 'a, b', 'c') + '!'", "String", "a, b!"},
    {"COPY('abcdef', 2, 3)", "String", "bcd"},
    {"COPY('山田太郎', 2, 2)", "String", "田太"},
    {"COPY('abc', 0, 2)", "String", "ab"},
    {"COPY('abc', 3, 10)", "String", "c"},
    // inline formats
    {"3 #N0.00", "Double", "3.00"},
    {"3 #N0,00", "Double", "3,00"},
    {"3 #0.0", "Double", "3.0"},
    {"1234.5 #N#,##0", "Double", "1234,500"},
    {"1234.567 #N#,##0.00", "Double", "1,234.57"},
    {"-1234.5 #N#,##0.00;(#,##0.00)", "Double", "(1,234.50)"},
    {"0 #BNo;Yes", "Double", "No"},
    {"5 #BNo;Yes", "Double", "Yes"},
    {"[Flag] #B;レ", "Boolean", "レ"},
    {"[Birth] #Dyyyy/mm/dd", "Date", "1935/04/01"},
    {"[Birth] #Dggee年mm月dd日", "Date", "昭和10年04月01日"},
    {"[Birth] #Dge.m.d", "Date", "昭10.4.1"},
    {"[Today] #Dggee年m月d日(ddd)", "Date", "令和08年12月10日(木)"},
    {"[Start] #Thh:nn", "Date", "13:05"},
    {"'abc' #N0.00", "String", "abc"},
    {"[Nothing] #N0.00", "Null", " "},
    {"42222022222223 #Dggee年", "Double", "42222022222223"},
    {"[Birth] + 1E13", "Date", "10000000012875"},
    {"[Name] #X", "String", "山田 太郎"},
    // names and special variables
    {"[Name]", "String", "山田 太郎"},
    {"Name", "String", "山田 太郎"},
    {"PAGE#", "Integer", "3"},
    {"[Page#]", "Integer", "3"},
    {"TOTALPAGES", "Integer", "9"},
    {"DATE", "Date", "2026/12/10"},
    {"1 + 2", "Double", "3"},
    {"[Nothing]", "Null", " "},
    // standard functions
    {"UPPERCASE('abc')", "String", "ABC"},
    {"UPPERCASE('ａｂc山')", "String", "ａｂC山"},
    {"LOWERCASE('ABC')", "String", "abc"},
    {"NAMECASE('tARO')", "String", "Taro"},
    {"NAMECASE('')", "String", ""},
    {"UPPERCASE('it''s')", "String", "IT'S"},
    {"uppercase([Name])", "String", "山田 太郎"},
    {"FORMATFLOAT('#,##0.0', 1234.56)", "String", "1,234.6"},
    {"FORMATFLOAT('0000', 42)", "String", "0042"},
    {"FORMATDATETIME('yyyy年m月d日', STRTODATE('2002/04/01'))", "String", "2002年4月1日"},
    {"FORMATDATETIME('ggee年', [Birth])", "String", "昭和10年"},
    {"STRTODATE('2002/04/01')", "Date", "2002/04/01"},
    {"STRTODATE('2002/4/1') + 1", "Date", "2002/04/02"},
    {"STRTOTIME('13:05')", "Date", "13:05:00"},
    {"INPUT('入力', 'preset')", "String", "preset"},
    {"SUM([Age])", "Double", "0"},
    {"AVG([Age])", "Double", "0"},
    {"MIN([Age])", "Double", "0"},
    {"MAX([Age], 'MasterData1', '1')", "Double", "0"},
    {"COUNT(frDBDataSet1)", "Double", "0"},
    {"UNKNOWNFN(1)", "Double", "0"},
    // undefined names
    {"Undefined", "error", "Undefined symbol \"Undefined\""},
    {"[Nobody]", "error", "Undefined symbol \"Nobody\""},
    {"[Nobody Here]", "error", "Undefined symbol \"NOBODY\""},
    {"[Age] + [Missing]", "error", "Undefined symbol \"Missing\""},
    {"IF(0, 1, Missing)", "error", "Undefined symbol \"MISSING\""},
    // ill-formed expressions
    {"1 +", "error", "Invalid expression \"1 +\""},
    {"* 2", "error", "Invalid expression \"* 2\""},
    {"(1 + 2", "error", "Invalid expression \"(1 + 2\""},
    {"1 + 2)", "error", "Invalid expression \"1 + 2)\""},
    {"1 2", "error", "Invalid expression \"1 2\""},
    {"2 * -3", "error", "Invalid expression \"2 * -3\""},
    {"NOT", "error", "Invalid expression \"NOT\""},
    {"'abc", "error", "Unterminated string in \"'abc\""},
    {"IF(1, 2", "error", "Missing ) in \"IF(1, 2\""},
    {"'abc' * 2", "error", "'abc' is not a valid floating point value"},
    {"STRTODATE('2002/02/30')", "error", "'2002/02/30' is not a valid date"},
    {"7 MOD 0", "error", "Division by zero"},
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.expression; }

class ExprGolden : public ::testing::TestWithParam<Row> {};

TEST_P(ExprGolden, ValueAndText) {
    const Row& row = GetParam();
    lum::test::ExprFixture f;
    f.window.insert(QStringLiteral("Name"), ExprValue(QStringLiteral("山田 太郎")));
    f.window.insert(QStringLiteral("NAME"), ExprValue(QStringLiteral("山田 太郎")));
    f.window.insert(QStringLiteral("Age"), ExprValue(80));
    f.window.insert(QStringLiteral("Flag"), ExprValue(true));
    f.window.insert(QStringLiteral("Birth"), ExprValue(TDateTime::fromYmd(1935, 4, 1)));
    f.window.insert(QStringLiteral("Today"), ExprValue(TDateTime::fromYmd(2026, 12, 10)));
    f.window.insert(QStringLiteral("Start"), ExprValue(TDateTime::fromYmdHms(2026, 12, 10, 13, 5)));
    f.window.insert(QStringLiteral("EmptyText"), ExprValue(QString()));
    f.window.insert(QStringLiteral("Nothing"), ExprValue::null());
    lum::engine().PageNo = 2;
    lum::engine().TotalPages = 9;
    lum::engine().setReportMoment(TDateTime::fromYmdHms(2026, 12, 10, 9, 30));

    const QString expression = QString::fromUtf8(row.expression);
    try {
        const QString text = f.text(expression);
        EXPECT_STREQ("value", row.type[0] == 'e' ? "error" : "value") << "expected an error, got " << text.toStdString();
        EXPECT_EQ(text.toStdString(), row.text);
        EXPECT_STREQ(lum::exprTypeName(lum::engine().CurrentValue.type()), row.type);
    } catch (const lum::ReportExprError& e) {
        EXPECT_STREQ(row.type, "error") << "unexpected error " << e.what();
        EXPECT_EQ(e.message().toStdString(), row.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Expressions, ExprGolden, ::testing::ValuesIn(goldenRows));

}  // namespace
