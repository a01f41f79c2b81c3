#include "expr_fixture.h"

#include "report/expr/engine_hooks.h"
#include "report/expr/format_value.h"
#include "report/objects/memo_view.h"

#include <gtest/gtest.h>

using namespace lum;
using lum::test::ExprFixture;
using lum::test::FakeDataSet;

namespace {

// Every source of the lookup holds a name "Shared" with its own value, plus names only it has.
struct LayeredSources : ExprFixture {
    FakeDataSet band, other, formDs;
    LayeredSources() {
        window.insert("Shared", ExprValue(QStringLiteral("window")));
        window.insert("Blank", ExprValue(QString()));  // an empty text is an answer
        window.insert("NullAnswer", ExprValue::null());

        auto& b1 = bindings.Add("Shared");
        b1.Typ = vtExpression;
        b1.FieldName = "'binding'";
        auto& b2 = bindings.Add("Blank");
        b2.Typ = vtExpression;
        b2.FieldName = "'binding'";
        auto& b3 = bindings.Add("BoundField");
        b3.Typ = vtDataField;
        b3.DataSetName = "DS";
        b3.FieldName = "\"Kana Name\"";
        auto& b4 = bindings.Add("Nothing");  // kind 0
        b4.Typ = vtNone;
        auto& b5 = bindings.Add("ThePage");
        b5.Typ = vtSpecial;
        b5.OtherKind = svPage;
        auto& b6 = bindings.Add("SpecialExpr");
        b6.Typ = vtSpecial;
        b6.OtherKind = svExpression;
        b6.FieldName = "[Age] + 1";
        auto& b7 = bindings.Add("LostField");
        b7.Typ = vtDataField;
        b7.DataSetName = "NoSuchSet";
        b7.FieldName = "X";
        auto& b8 = bindings.Add("Total");
        b8.Typ = vtExpression;
        b8.FieldName = "[Age] * 2";
        bindings.Sort();

        band.fields.insert("CureNo", ExprValue(1001));
        band.fields.insert("Shared", ExprValue(QStringLiteral("field")));
        other.fields.insert("Kana Name", ExprValue(QStringLiteral("ヤマダ")));
        formDs.fields.insert("Room", ExprValue(QStringLiteral("201")));
        host.bandData = &band;
        host.dataSets.insert("DS", &other);
        host.dataSets.insert("Form1.DS2", &formDs);
        host.counters.insert(svLine, 4);
        host.counters.insert(svLineThrough, 14);
        host.counters.insert(svColumn, 2);
        host.counters.insert(svCurrentLine, 21);
        window.insert("Age", ExprValue(80));
        lookup.BindValueDataSets();

        lum::engine().PageNo = 6;
        lum::engine().TotalPages = 12;
        lum::engine().setReportMoment(TDateTime::fromYmdHms(2026, 12, 10, 9, 30));
        lum::engine().CurrentValue = ExprValue(QStringLiteral("current"));
        lum::engine().ScriptVariables.SetVariable(QStringLiteral("x"), ExprValue(42));
    }
};

}  // namespace

TEST(ReportLookup, OrderOfSources) {
    LayeredSources f;
    struct Row {
        const char* name;
        const char* type;
        const char* text;
    };
    const Row rows[] = {
        {"Shared", "String", "window"},        // 1. the window first
        {"Blank", "String", ""},               //    an empty text answers
        {"NullAnswer", "Null", ""},            //    so does null
        {"Total", "Double", "160"},            // 2. binding, an expression
        {"total", "Double", "160"},            //    found in any letter case
        {"BoundField", "String", "ヤマダ"},    //    data field, quoted field name
        {"LostField", "Empty", ""},            //    its data set does not exist
        {"Nothing", "String", ""},             //    kind 0
        {"ThePage", "Integer", "7"},           //    special variable by index
        {"SpecialExpr", "Double", "81"},       //    index 1: its expression
        {"CureNo", "Integer", "1001"},         // 3. field of the current band's data set
        {"DS.\"Kana Name\"", "String", "ヤマダ"},  // data set, point, field
        {"Form1.DS2.Room", "String", "201"},   //    form, data set, field
        {"VALUE", "String", "current"},        // 4.
        {"PAGE#", "Integer", "7"},             // 5. special names
        {"TOTALPAGES", "Integer", "12"},
        {"LINE#", "Integer", "4"},
        {"LINETHROUGH#", "Integer", "14"},
        {"COLUMN#", "Integer", "2"},
        {"CURRENT#", "Integer", "21"},
        {"DATE", "Date", "2026/12/10"},
        {"TIME", "Date", "09:30:00"},
        {"x", "Integer", "42"},                // 6. script variable
        {"[Age] + CURRENT#", "Integer", "101"},  // 7. the name as an expression
        {"Line#", "Integer", "4"},             //    special names reach step 5 upper-cased
    };
    for (const Row& r : rows) {
        const ExprValue v = f.value(QString::fromUtf8(r.name));
        EXPECT_STREQ(lum::exprTypeName(v.type()), r.type) << r.name;
        EXPECT_EQ(v.toString().toStdString(), r.text) << r.name;
    }
}

TEST(ReportLookup, WindowIsAskedFirstWithTheNameAsWritten) {
    LayeredSources f;
    f.asked.clear();
    f.value(QStringLiteral("Total"));
    // The window is asked for the binding's name, then for the names inside its expression.
    EXPECT_EQ(f.asked, (QStringList{"Total", "Age"}));
    f.asked.clear();
    f.window.insert("User Name", ExprValue(1));
    f.text(QStringLiteral("[User Name] + [Age]"));
    EXPECT_EQ(f.asked.first(), QStringLiteral("[User Name] + [Age]"));
    EXPECT_TRUE(f.asked.contains(QStringLiteral("User Name")));
}

TEST(ReportLookup, UntouchedWindowAnswerLetsSpecialVariablesThrough) {
    LayeredSources f;
    f.window.insert("PAGE#", ExprValue());  // the handler looks but leaves the value empty
    EXPECT_EQ(f.text(QStringLiteral("PAGE#")), QStringLiteral("7"));
    f.window.insert("PAGE#", ExprValue(QString()));  // the handler answers an empty text
    EXPECT_EQ(f.text(QStringLiteral("PAGE#")), QString());
}

TEST(ReportLookup, BindingsNamingThemselvesAreUndefined) {
    ExprFixture f;
    auto& self = f.bindings.Add("Self");
    self.Typ = vtExpression;
    self.FieldName = "[Self] + 1";
    auto& a = f.bindings.Add("A");
    a.Typ = vtExpression;
    a.FieldName = "[B] * 2";
    auto& b = f.bindings.Add("B");
    b.Typ = vtSpecial;
    b.OtherKind = svExpression;
    b.FieldName = "[a]";
    f.bindings.Sort();
    const struct {
        const char* expr;
        const char* message;
    } rows[] = {
        {"Self", "Undefined symbol \"Self\""},
        {"[Self] * 3", "Undefined symbol \"Self\""},
        {"A", "Undefined symbol \"a\""},
        {"B", "Undefined symbol \"B\""},
    };
    for (const auto& r : rows) {
        try {
            f.text(QString::fromUtf8(r.expr));
            ADD_FAILURE() << r.expr << " gave no error";
        } catch (const lum::EParserError& e) {
            EXPECT_EQ(e.message().toStdString(), r.message) << r.expr;
        }
        EXPECT_TRUE(lum::engine().LookupGuard.isEmpty());
    }
    // The lookup works normally afterwards.
    f.window.insert("Age", ExprValue(3));
    EXPECT_EQ(f.text(QStringLiteral("[Age] + 1")), QStringLiteral("4"));
}

TEST(ReportLookup, DeepChainsOfBindingsStopAtTheDepthLimit) {
    ExprFixture f;
    for (int i = 0; i < 200; ++i) {
        auto& v = f.bindings.Add(QStringLiteral("N%1").arg(i));
        v.Typ = vtExpression;
        v.FieldName = QStringLiteral("[N%1]").arg(i + 1);
    }
    f.bindings.Sort();
    EXPECT_THROW(f.text(QStringLiteral("N0")), lum::EParserError);
    // A chain within the limit resolves.
    f.window.insert("N10", ExprValue(5));
    EXPECT_EQ(f.text(QStringLiteral("N0")), QStringLiteral("5"));
}

TEST(ReportLookup, UserFunctionsOnlyWhileTheBandIsVisible) {
    ExprFixture f;
    QStringList calls;
    f.lookup.OnUserFunction = [&](const QString& name, const ExprValue& p1, const ExprValue&, const ExprValue&,
                                  QString& val) {
        calls << name + u':' + p1.toString();
        val = QStringLiteral("'user'");
    };
    EXPECT_EQ(f.text(QStringLiteral("MyFunc([Age], 2)")), QStringLiteral("user"));
    EXPECT_EQ(f.text(QStringLiteral("UPPERCASE('a')")), QStringLiteral("A"));  // a library knows it
    f.host.bandVisible = false;
    EXPECT_EQ(f.text(QStringLiteral("MyFunc(1)")), QStringLiteral("0"));
    EXPECT_EQ(calls, QStringList{"MYFUNC:[Age]"});
}

TEST(ReportLookup, InputAsksTheInputBox) {
    struct FakeInput : lum::InputBoxService {
        QString prompt, preset;
        std::optional<QString> answer;
        std::optional<QString> input(const QString& caption, const QString& p, const QString& s) override {
            EXPECT_TRUE(caption.isEmpty());
            prompt = p;
            preset = s;
            return answer;
        }
    } box;
    ExprFixture f;
    lum::engine().InputBox = &box;
    box.answer = QStringLiteral("O'Neil");
    EXPECT_EQ(f.text(QStringLiteral("INPUT('名前' + '?', 'x')")), QStringLiteral("O'Neil"));
    EXPECT_EQ(box.prompt, QStringLiteral("名前?"));
    EXPECT_EQ(box.preset, QStringLiteral("x"));
    box.answer.reset();  // cancelled: the preset text
    EXPECT_EQ(f.text(QStringLiteral("INPUT('p', 'preset')")), QStringLiteral("preset"));
}

TEST(ReportLookup, AggregatesReachTheHandler) {
    struct FakeAggregates : lum::AggregateHandler {
        QStringList calls;
        void aggregate(lum::AggregateFunction fn, const QString& p1, const QString& p2, const QString& p3,
                       QString& val) override {
            calls << QStringLiteral("%1|%2|%3|%4").arg(static_cast<int>(fn)).arg(p1, p2, p3);
            val = QStringLiteral("12.5");
        }
    } handler;
    ExprFixture f;
    lum::engine().Aggregates = &handler;
    EXPECT_EQ(f.text(QStringLiteral("SUM([Fee] * 2, MasterData1, 1)")), QStringLiteral("12.5"));
    EXPECT_EQ(f.text(QStringLiteral("count(frDBDataSet1) #N0.00")), QStringLiteral("12.50"));
    EXPECT_EQ(handler.calls, (QStringList{"0|[Fee] * 2|MasterData1|1", "2|frDBDataSet1||"}));
}

TEST(ReportLookup, ExpansionTakesTheFormatOfTheCurrentView) {
    ExprFixture f;
    f.window.insert("Fee", ExprValue(1234.5));
    EXPECT_EQ(f.lookup.ExpandExpression(QStringLiteral("Fee")), QStringLiteral("1234.5"));  // no view: text
    TfrMemoView memo;
    memo.Format = makeFormatCode(fcNumber, 3, 0, u'.');
    lum::engine().CurrentView = &memo;
    EXPECT_EQ(f.lookup.ExpandExpression(QStringLiteral("Fee")), QStringLiteral("1,235"));
    EXPECT_EQ(f.lookup.ExpandExpression(QStringLiteral("Fee #N0.00")), QStringLiteral("1234.50"));
    memo.Format = makeFormatCode(fcNumber, CustomSubFormat, 0, u'.');
    memo.FormatStr = QStringLiteral("#,##0円");
    EXPECT_EQ(f.lookup.ExpandExpression(QStringLiteral("Fee")), QStringLiteral("1,235円"));
    lum::engine().CurrentView = nullptr;
}

TEST(ReportLookup, EmptyValuesPrintOneBlank) {
    ExprFixture f;
    f.window.insert("Nothing", ExprValue::null());
    EXPECT_EQ(f.text(QStringLiteral("Nothing")), QStringLiteral(" "));
    EXPECT_EQ(FormatValue(ExprValue(), 0, QString()), QStringLiteral(" "));
    EXPECT_EQ(FormatValue(ExprValue(QString()), 0, QString()), QString());
}

TEST(EngineContext, ForgetsAReportThatIsDone) {
    lum::engine().reset();
    auto* report = reinterpret_cast<lum::TfrReport*>(0x1000);
    auto* other = reinterpret_cast<lum::TfrReport*>(0x2000);
    {
        ExprFixture f;
        lum::CurrentReportScope scope(report);
        lum::engine().CurrentBand = reinterpret_cast<lum::TfrBand*>(0x3000);
        lum::engine().forgetReport(other);  // another report: nothing changes
        EXPECT_EQ(lum::engine().CurrentReport, report);
        EXPECT_TRUE(static_cast<bool>(lum::engine().ExprParser.OnGetValue));
    }
    EXPECT_EQ(lum::engine().CurrentReport, nullptr);
    EXPECT_EQ(lum::engine().CurrentBand, nullptr);
    EXPECT_FALSE(static_cast<bool>(lum::engine().ExprParser.OnGetValue));
    EXPECT_FALSE(static_cast<bool>(lum::engine().ExprParser.OnFunction));
    EXPECT_EQ(lum::engine().FunctionLibraries.Count(), 1);
}

TEST(EngineContext, ALookupThatGoesAwayUnbindsTheParser) {
    lum::engine().reset();
    {
        ReportValueLookup lookup;
        lookup.bindParser();
        EXPECT_TRUE(static_cast<bool>(lum::engine().ExprParser.OnGetValue));
    }
    EXPECT_FALSE(static_cast<bool>(lum::engine().ExprParser.OnGetValue));
    EXPECT_EQ(lum::engine().ExprParser.Calc(QStringLiteral("2 * 3")).toDouble(), 6.0);
}
