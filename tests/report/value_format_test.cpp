// Number and date texts, display format codes and the conversions of the value type.
#include "report/expr/date_format.h"
#include "report/expr/expr_value.h"
#include "report/expr/format_value.h"
#include "report/expr/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lum;

TEST(NumberFormat, Patterns) {
    const struct {
        const char* pattern;
        double value;
        const char* text;
    } rows[] = {
        {"0.00", 3, "3.00"},
        {"0.00", 2.675, "2.68"},
        {"0.00", -0.004, "0.00"},
        {"0.00", -0.005, "-0.01"},
        {"#.##", 0.5, ".5"},
        {"#.##", 0, ""},
        {"###.##", 3, "3"},
        {"###.##", 1234.567, "1234.57"},
        {"#,###.##", 1234567.891, "1,234,567.89"},
        {"#,##0", 999.5, "1,000"},
        {"#,##0", -1234, "-1,234"},
        {"0000", 42, "0042"},
        {"00.0", 123.45, "123.5"},
        {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
        {"#,##0.00;(#,##0.00);ゼロ", 0, "ゼロ"},
        {"0.0'点'", 7.25, "7.3点"},
        {"\"¥\"#,##0", 12000, "¥12,000"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.0E-0", 0.00012, "1.2E-4"},
        {"0", 0.5, "1"},
        {"0", 1.5, "2"},
        {"0", 2.5, "3"},
        {"", 1.5, "1.5"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(lum::formatFloat(QString::fromUtf8(r.pattern), r.value).toStdString(), r.text)
            << r.pattern << " " << r.value;
    EXPECT_EQ(lum::formatFloat(u"#.##0", 1234.5, {u',', u'.'}).toStdString(), "1234,500");
}

TEST(NumberFormat, GeneralFixedAndGrouped) {
    const struct {
        double value;
        const char* general;
        const char* fixed2;
        const char* grouped1;
    } rows[] = {
        {0, "0", "0.00", "0.0"},
        {3, "3", "3.00", "3.0"},
        {-1234.5, "-1234.5", "-1234.50", "-1,234.5"},
        {0.1 + 0.2, "0.3", "0.30", "0.3"},
        {1.0 / 3.0, "0.333333333333333", "0.33", "0.3"},
        {1e200, "1E200", "1E200", "1E200"},
        {-1e200, "-1E200", "-1E200", "-1E200"},
        {0.0001, "0.0001", "0.00", "0.0"},
        {0.00001, "1E-5", "0.00", "0.0"},
        {123456789012345.0, "123456789012345", "123456789012345.00", "123,456,789,012,345.0"},
        {1234567890123456.0, "1.23456789012346E15", "1.23456789012346E15", "1.23456789012346E15"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(lum::floatToStrGeneral(r.value).toStdString(), r.general) << r.value;
        EXPECT_EQ(lum::floatToStrFixed(r.value, 2).toStdString(), r.fixed2) << r.value;
        EXPECT_EQ(lum::floatToStrNumber(r.value, 1).toStdString(), r.grouped1) << r.value;
    }
}

TEST(DateFormat, Patterns) {
    const TDateTime heisei = TDateTime::fromYmdHms(1990, 3, 4, 15, 7, 9, 12);
    const TDateTime reiwaFirst = TDateTime::fromYmd(2019, 5, 1);
    const TDateTime heiseiLast = TDateTime::fromYmd(2019, 4, 30);
    const struct {
        const char* pattern;
        TDateTime value;
        const char* text;
    } rows[] = {
        {"yyyy/mm/dd", heisei, "1990/03/04"},
        {"yy/m/d", heisei, "90/3/4"},
        {"mm.dd.yy", heisei, "03.04.90"},
        {"d mmm yyyy", heisei, "4 3月 1990"},
        {"ggee年mm月dd日", heisei, "平成02年03月04日"},
        {"gge年m月d日", heisei, "平成2年3月4日"},
        {"ge.m.d", heisei, "平2.3.4"},
        {"ggee年mm月dd日", reiwaFirst, "令和01年05月01日"},
        {"ggee年mm月dd日", heiseiLast, "平成31年04月30日"},
        {"GGEE年", reiwaFirst, "令和01年"},
        {"ddd dddd", heisei, "日 日曜日"},
        {"hh:nn:ss", heisei, "15:07:09"},
        {"h:mm", heisei, "15:07"},
        {"hh:mm:ss.zzz", heisei, "15:07:09.012"},
        {"h:nn am/pm", heisei, "3:07 pm"},
        {"h:nn AMPM", heisei, "3:07 午後"},
        {"ddddd", heisei, "1990/03/04"},
        {"dddddd", heisei, "1990年3月4日"},
        {"c", heisei, "1990/03/04 15:07:09"},
        {"c", reiwaFirst, "2019/05/01"},
        {"'yyyy' yyyy \"mm\"", heisei, "yyyy 1990 mm"},
        {"", reiwaFirst, "2019/05/01"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(lum::formatDateTime(QString::fromUtf8(r.pattern), r.value).toStdString(), r.text) << r.pattern;
}

TEST(DateFormat, ReadingDatesAndTimes) {
    EXPECT_EQ(lum::strToDate(u"2002/04/01"), TDateTime::fromYmd(2002, 4, 1));
    EXPECT_EQ(lum::strToDate(u" 2002/4/1 "), TDateTime::fromYmd(2002, 4, 1));
    EXPECT_FALSE(lum::strToDate(u"2002/02/30"));
    EXPECT_FALSE(lum::strToDate(u"abc"));
    EXPECT_DOUBLE_EQ(lum::strToTime(u"13:05")->value(), (13 * 60 + 5) / 1440.0);
    EXPECT_DOUBLE_EQ(lum::strToTime(u"1:05:30 PM")->value(), (13 * 3600 + 5 * 60 + 30) / 86400.0);
    EXPECT_DOUBLE_EQ(lum::strToTime(u"12:00 am")->value(), 0.0);
    EXPECT_FALSE(lum::strToTime(u"25:00"));
    EXPECT_FALSE(lum::strToTime(u"13:00 PM"));
    EXPECT_FALSE(lum::strToTime(u"noon"));
}

TEST(FormatValue, DisplayFormatCodes) {
    using namespace lum;
    const TDateTime d = TDateTime::fromYmdHms(1998, 11, 15, 2, 43, 35);
    const struct {
        ExprValue value;
        int code;
        const char* custom;
        const char* text;
    } rows[] = {
        {ExprValue(1234.5), makeFormatCode(fcText, 0, 2, u'.'), "", "1234.5"},
        {ExprValue(true), makeFormatCode(fcText, 0, 2, u'.'), "", "True"},
        {ExprValue(1234.5), makeFormatCode(fcNumber, 0, 0, u','), "", "1234,5"},
        {ExprValue(1234.5), makeFormatCode(fcNumber, 1, 2, u','), "", "1234,50"},
        {ExprValue(1234.5), makeFormatCode(fcNumber, 2, 0, u'.'), "", "1,234.5"},
        {ExprValue(1234.5), makeFormatCode(fcNumber, 3, 2, u'.'), "", "1,234.50"},
        {ExprValue(1234.5), makeFormatCode(fcNumber, 4, 0, u'.'), "000000", "001235"},
        {ExprValue(QStringLiteral("abc")), makeFormatCode(fcNumber, 1, 2, u'.'), "", "abc"},
        {ExprValue(d), makeFormatCode(fcDate, 0, 0, 0), "", "11.15.98"},
        {ExprValue(d), makeFormatCode(fcDate, 1, 0, 0), "", "11.15.1998"},
        {ExprValue(d), makeFormatCode(fcDate, 3, 0, 0), "", "15 11月 1998"},
        {ExprValue(d), makeFormatCode(fcDate, 4, 0, 0), "ggee年", "平成10年"},
        {ExprValue(QStringLiteral("1998/11/15")), makeFormatCode(fcDate, 1, 0, 0), "", "11.15.1998"},
        {ExprValue(QStringLiteral("not a date")), makeFormatCode(fcDate, 1, 0, 0), "", "not a date"},
        {ExprValue(d), makeFormatCode(fcTime, 0, 0, 0), "", "02:43:35"},
        {ExprValue(d), makeFormatCode(fcTime, 3, 0, 0), "", "2:43"},
        {ExprValue(0), makeFormatCode(fcBoolean, 1, 0, 0), "", "No"},
        {ExprValue(-1), makeFormatCode(fcBoolean, 1, 0, 0), "", "Yes"},
        {ExprValue(true), makeFormatCode(fcBoolean, 2, 0, 0), "", "x"},
        {ExprValue(false), makeFormatCode(fcBoolean, 3, 0, 0), "", "False"},
        {ExprValue(1), makeFormatCode(fcBoolean, 4, 0, 0), "無;有", "有"},
        {ExprValue(1), makeFormatCode(fcBoolean, 4, 0, 0), "only", "only"},
        {ExprValue(0), makeFormatCode(fcBoolean, 4, 0, 0), "only", ""},
        {ExprValue(1), makeFormatCode(5, 0, 0, 0), "", ""},
        {ExprValue(), makeFormatCode(fcNumber, 1, 2, u'.'), "", " "},
        {ExprValue::null(), makeFormatCode(fcText, 0, 0, 0), "", " "},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FormatValue(r.value, r.code, QString::fromUtf8(r.custom)).toStdString(), r.text)
            << r.text;
}

TEST(FormatValue, InlineFormats) {
    using namespace lum;
    const struct {
        const char* bracketed;
        const char* expression;
        bool has;
        int code;
        const char* text;
    } rows[] = {
        {"Total #N0.00", "Total", true, makeFormatCode(fcNumber, 1, 2, u'.'), ""},
        {"Total #0,00", "Total", true, makeFormatCode(fcNumber, 1, 2, u','), ""},
        {"Total #N#,##0", "Total", true, makeFormatCode(fcNumber, 4, 0, u','), "#.##0"},
        {"Total #N###", "Total", true, makeFormatCode(fcNumber, 4, 0, 0), "###"},
        {"Total #N0", "Total", true, makeFormatCode(fcNumber, 1, 0, 0), ""},
        {"Birth #Dggee年", "Birth", true, makeFormatCode(fcDate, 4, 0, 0), "ggee年"},
        {"At #thh:nn", "At", true, makeFormatCode(fcDate, 4, 0, 0), "hh:nn"},
        {"Flag #bNo;Yes", "Flag", true, makeFormatCode(fcBoolean, 4, 0, 0), "No;Yes"},
        {"Flag #Xabc", "Flag", false, 0, ""},
        {"Flag #", "Flag", false, 0, ""},
        {"Plain", "Plain", false, 0, ""},
        {"'a #b' #N0", "'a", true, makeFormatCode(fcBoolean, 4, 0, 0), "' #N0"},  // the first " #" counts
    };
    for (const auto& r : rows) {
        const InlineFormat f = splitInlineFormat(QString::fromUtf8(r.bracketed));
        EXPECT_EQ(f.expression.toStdString(), r.expression) << r.bracketed;
        EXPECT_EQ(f.hasFormat, r.has) << r.bracketed;
        if (r.has) {
            EXPECT_EQ(f.code, r.code) << r.bracketed;
            EXPECT_EQ(f.text.toStdString(), r.text) << r.bracketed;
        }
    }
}

TEST(ExprValue, Conversions) {
    const TDateTime d = TDateTime::fromYmd(2002, 4, 1);
    const struct {
        ExprValue value;
        const char* text;
        double number;  // NAN: the conversion raises
    } rows[] = {
        {ExprValue(), "", 0},
        {ExprValue::null(), "", NAN},
        {ExprValue(true), "True", -1},
        {ExprValue(false), "False", 0},
        {ExprValue(42), "42", 42},
        {ExprValue(2.5), "2.5", 2.5},
        {ExprValue(QStringLiteral(" 1.5 ")), " 1.5 ", 1.5},
        {ExprValue(QStringLiteral("1,234")), "1,234", NAN},
        {ExprValue(QStringLiteral("-3e2")), "-3e2", -300},
        {ExprValue(QStringLiteral("12abc")), "12abc", NAN},
        {ExprValue(QStringLiteral("")), "", NAN},
        {ExprValue(d), "2002/04/01", 37347},
        {ExprValue(TDateTime(37347.75)), "2002/04/01 18:00:00", 37347.75},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.value.toString().toStdString(), r.text);
        if (std::isnan(r.number)) EXPECT_THROW(r.value.toDouble(), lum::EConvertError) << r.text;
        else EXPECT_DOUBLE_EQ(r.value.toDouble(), r.number) << r.text;
    }
    EXPECT_EQ(ExprValue(QStringLiteral("2002/04/01")).toDateTime(), d);
    EXPECT_EQ(ExprValue(2.5).toInt(), 2);
    EXPECT_EQ(ExprValue(3.5).toInt(), 4);
}

TEST(ExprValue, ArithmeticTypes) {
    using namespace lum;
    const TDateTime d = TDateTime::fromYmd(2002, 4, 1);
    EXPECT_EQ(exprAdd(ExprValue(2), ExprValue(3)), ExprValue(5));
    EXPECT_EQ(exprAdd(ExprValue(2), ExprValue(0.5)), ExprValue(2.5));
    EXPECT_EQ(exprAdd(ExprValue("a"), ExprValue("b")), ExprValue("ab"));
    EXPECT_EQ(exprAdd(ExprValue(), ExprValue("b")), ExprValue("b"));
    EXPECT_EQ(exprAdd(ExprValue(d), ExprValue(1)), ExprValue(TDateTime::fromYmd(2002, 4, 2)));
    EXPECT_EQ(exprSubtract(ExprValue(TDateTime::fromYmd(2002, 4, 11)), ExprValue(d)), ExprValue(10.0));
    EXPECT_TRUE(exprAdd(ExprValue::null(), ExprValue(1)).isNull());
    EXPECT_EQ(exprMultiply(ExprValue(true), ExprValue(3)), ExprValue(-3));
    EXPECT_EQ(exprAdd(ExprValue(std::int64_t{INT64_MAX}), ExprValue(1)).type(), ExprValue::Type::Double);
    EXPECT_EQ(exprMod(ExprValue(-7), ExprValue(3)), ExprValue(-1));
    EXPECT_EQ(exprCompare(ExprValue("b"), ExprValue("a")), 1);
    EXPECT_EQ(exprCompare(ExprValue("10"), ExprValue(9)), 1);
    EXPECT_EQ(exprCompare(ExprValue(true), ExprValue(-1)), 0);
    EXPECT_THROW(exprCompare(ExprValue("x"), ExprValue(1)), EConvertError);
}
