#include "report/expr/tfr_parser.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace lum;

namespace {

// A parser whose names come from a small table; every name asked is recorded.
struct FakeNames {
    QStringList asked;
    TfrParser parser;
    FakeNames() {
        parser.OnGetValue = [this](const QString& name, ExprValue& v) {
            asked << name;
            if (name == u"A") v = ExprValue(2);
            else if (name == u"B") v = ExprValue(3.5);
            else if (name == u"User Name") v = ExprValue(QStringLiteral("山田 太郎"));
            else if (name == u"FLAG") v = ExprValue(true);
        };
        parser.OnFunction = [this](const QString& name, const ExprValue& p1, const ExprValue&, const ExprValue&,
                                   QString& val) {
            asked << QStringLiteral("call ") + name + u'(' + p1.toString() + u')';
            if (name == u"QUOTE") val = QStringLiteral("'it's'");
            else if (name == u"TWICE") val = QString::number(parser.Calc(p1.toString()).toDouble() * 2);
        };
    }
};

}  // namespace

TEST(TfrParser, PostfixForm) {
    TfrParser p;
    EXPECT_EQ(p.ToPostfix(QStringLiteral("2 + 3 * 4")), QStringLiteral("2 3 4 *+"));
    EXPECT_EQ(p.ToPostfix(QStringLiteral("7 - 2 - 1")), QStringLiteral("7 2 -1 -"));
    EXPECT_EQ(p.ToPostfix(QStringLiteral("[a b] >= 'x'")), QStringLiteral("[a b] 'x' ") + QChar(1));
    EXPECT_EQ(p.ToPostfix(QStringLiteral("-x")), QStringLiteral("x ") + QChar(9));
    EXPECT_EQ(p.ToPostfix(QStringLiteral("%d'2002/04/01'")), QStringLiteral("%d'2002/04/01' "));
}

TEST(TfrParser, IfEvaluatesOnlyTheChosenBranch) {
    FakeNames f;
    EXPECT_EQ(f.parser.Calc(QStringLiteral("IF(1 > 0, A, [Never])")).toDouble(), 2.0);
    EXPECT_EQ(f.asked, QStringList{"A"});
    f.asked.clear();
    EXPECT_EQ(f.parser.Calc(QStringLiteral("IF(A > 5, NEVER, 'no')")).toString(), QStringLiteral("no"));
    EXPECT_EQ(f.asked, QStringList{"A"});
}

TEST(TfrParser, NamesReachTheHookAsWrittenOrUpperCased) {
    FakeNames f;
    f.parser.Calc(QStringLiteral("[User Name] + ''"));
    f.parser.Calc(QStringLiteral("a + b"));
    f.parser.Calc(QStringLiteral("Table.\"Field Name\""));
    EXPECT_EQ(f.asked, (QStringList{"User Name", "A", "B", "TABLE.\"FIELD NAME\""}));
}

TEST(TfrParser, FunctionResultsAreReadAgain) {
    FakeNames f;
    EXPECT_EQ(f.parser.Calc(QStringLiteral("QUOTE()")).toString(), QStringLiteral("it's"));
    EXPECT_EQ(f.parser.Calc(QStringLiteral("TWICE(A + 1) + 1")).toDouble(), 7.0);
    EXPECT_TRUE(f.asked.contains(QStringLiteral("call TWICE(A + 1)")));
}

TEST(TfrParser, NestingDeeperThanEightSlots) {
    TfrParser p;
    QString expr = QStringLiteral("1");
    QString nested = QStringLiteral("1");
    for (int i = 2; i <= 40; ++i) {
        expr = QString::number(i) + QStringLiteral(" + (") + expr + u')';
        nested += QStringLiteral(" + ") + QString::number(i);
    }
    EXPECT_EQ(p.Calc(expr).toDouble(), 820.0);
    // Forty operands on the stack at once.
    QString wide = QStringLiteral("0");
    for (int i = 1; i <= 40; ++i) wide = QStringLiteral("(") + wide + QStringLiteral(" + 1");
    for (int i = 1; i <= 40; ++i) wide += u')';
    EXPECT_EQ(p.Calc(wide).toDouble(), 40.0);
    EXPECT_EQ(p.Calc(QStringLiteral("1*(2*(3*(4*(5*(6*(7*(8*(9*(10)))))))))")).toDouble(), 3628800.0);
}

TEST(TfrParser, ExtractBracketed) {
    struct Row {
        const char* text;
        int from;
        const char* inner;
        int start, end;
    };
    const Row rows[] = {
        {"abc [Name] def", 1, "Name", 5, 10},
        {"[a[b]c] x", 1, "a[b]c", 1, 7},
        {"[IF(x, '[', ']')]", 1, "IF(x, '[', ']')", 1, 17},
        {"'[no]' [yes]", 1, "yes", 8, 12},
        {"\"it's [no]\" [yes]", 1, "yes", 13, 17},
        {"[first] [second]", 2, "second", 9, 16},
        {"open [ never", 1, "", 6, 0},
        {"nothing", 1, "", 0, 0},
        {"全角[氏名]です", 1, "氏名", 3, 6},
    };
    for (const Row& r : rows) {
        int start = r.from, end = -1;
        const QString inner = ExtractBracketed(QString::fromUtf8(r.text), start, end);
        EXPECT_EQ(inner, QString::fromUtf8(r.inner)) << r.text;
        EXPECT_EQ(start, r.start) << r.text;
        EXPECT_EQ(end, r.end) << r.text;
    }
}

// Random token soup: every expression either evaluates or raises the engine's error;
// none crashes, hangs or leaves the parser unusable.
TEST(TfrParser, RandomExpressionsFailCleanly) {
    static const char* const tokens[] = {"1", "2.5", ",5", "'a'", "'it''s'", "[A]", "[B", "]", "A", "(", ")", "(",
                                         ")", "+", "-", "*", "/", "<", ">", "=", "<>", ">=", "NOT", "MOD", "AND",
                                         "OR", "INT", "ROUND", "STR", "IF(", "COPY(", "F(", ",", ";", "%d", "'",
                                         "\"", " ", " ", " "};
    FakeNames f;
    quint32 seed = 12345;
    const auto next = [&seed](quint32 n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    int evaluated = 0, failed = 0;
    for (int i = 0; i < 5000; ++i) {
        QString expr;
        const int len = 1 + static_cast<int>(next(14));
        for (int k = 0; k < len; ++k) expr += QString::fromUtf8(tokens[next(std::size(tokens))]);
        try {
            f.parser.Calc(expr);
            ++evaluated;
        } catch (const ReportExprError&) {
            ++failed;
        }
    }
    EXPECT_GT(evaluated, 100);
    EXPECT_GT(failed, 100);
    EXPECT_EQ(f.parser.Calc(QStringLiteral("1 + 1")).toDouble(), 2.0);
}

TEST(TfrParser, DeeplyNestedCallsStop) {
    TfrParser p;
    // Chosen branches are read again in place: any depth works.
    QString branches = QStringLiteral("1");
    for (int i = 0; i < 300; ++i) branches = QStringLiteral("IF(1, ") + branches + QStringLiteral(", 0)");
    EXPECT_EQ(p.Calc(branches).toDouble(), 1.0);
    // Conditions are evaluated on their own: nesting them has a limit, not a stack overflow.
    QString conditions = QStringLiteral("1");
    for (int i = 0; i < 300; ++i) conditions = QStringLiteral("IF(") + conditions + QStringLiteral(", 1, 0)");
    EXPECT_THROW(p.Calc(conditions), EParserError);
    QString fine = QStringLiteral("1");
    for (int i = 0; i < 20; ++i) fine = QStringLiteral("IF(") + fine + QStringLiteral(", 1, 0)");
    EXPECT_EQ(p.Calc(fine).toDouble(), 1.0);
}
