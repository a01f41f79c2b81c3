// TCsv as one table of lines and settings, and the CSV line writer: quoting,
// code page 932 bytes with CR LF, and a refused line that leaves the previous
// file as it was.
#include "common/cp932.h"
#include "common/csv_file.h"
#include "common/csv_split.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray sj(const char* utf8) { return *lum::cp932::encode(QString::fromUtf8(utf8)); }

QList<QByteArray> split(const QByteArray& line, bool quoteAware = true, bool merge = false) {
    lum::TCsv csv;
    csv.Line = line;
    csv.QuoteAware = quoteAware;
    csv.MergeDelimiters = merge;
    csv.Split();
    return csv.Fields;
}

TEST(TCsv, SplitsOnBytes) {
    struct Row {
        QByteArray line;
        bool quoteAware;
        bool merge;
        QList<QByteArray> fields;
    };
    const Row rows[] = {
        {"", true, false, {}},
        {"a", true, false, {"a"}},
        {"a,b,", true, false, {"a", "b", ""}},
        {",", true, false, {"", ""}},
        {"a,,b", true, false, {"a", "", "b"}},
        {"\"a,b\",c", true, false, {"\"a,b\"", "c"}},
        {"\"a\"\"b\"", true, false, {"\"a\"\"b\""}},          // a doubled quote stays
        {"\"a\"\",b\",c", true, false, {"\"a\"\",b\"", "c"}},  // ... and so does its comma
        {"a,,,b", true, true, {"a", "b"}},
        {"a,,,", true, true, {"a", ""}},
        {"\"a,b\",c", false, false, {"\"a", "b\"", "c"}},     // not quote-aware: cut inside
        {"\"a,b", true, false, {"\"a,b"}},                     // an open quote runs to the end
        // 0x81 0x2C is no character; the 0x2C after a lead byte is passed over all the same.
        {QByteArray("x\x81,y,z"), true, false, {QByteArray("x\x81,y"), "z"}},
        // The second byte of ソ (83 5C) and of 髙 (FB FC): never a delimiter.
        {sj("ソ,髙,\"Ⅱa\""), true, false, {sj("ソ"), sj("髙"), sj("\"Ⅱa\"")}},
        // A lead byte as the last byte.
        {QByteArray("a,\x95"), true, false, {"a", QByteArray("\x95")}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(split(r.line, r.quoteAware, r.merge), r.fields) << r.line.toHex().constData();
        lum::TCsv csv;
        csv.Line = r.line;
        csv.QuoteAware = r.quoteAware;
        csv.MergeDelimiters = r.merge;
        EXPECT_EQ(csv.CountFields(), r.fields.size()) << "counted as split: " << r.line.toHex().constData();
    }
}

TEST(TCsv, CountingStopsOnceItPassesTheLimit) {
    lum::TCsv csv;
    csv.Line = QByteArray(1000, ',');  // 1001 empty fields
    EXPECT_EQ(csv.CountFields(), 1001);
    EXPECT_EQ(csv.CountFields(17), 18);
    EXPECT_TRUE(csv.Fields.isEmpty()) << "nothing is made";
}

TEST(TCsv, StripQuotesTakesOneFromEachEnd) {
    lum::TCsv csv;
    csv.Fields = {"\"\"", "\"", "\"abc", "abc\"", "\"\"abc\"\"", "abc", "", sj("\"佐藤\"")};
    csv.StripQuotes();
    EXPECT_EQ(csv.Fields, (QList<QByteArray>{"", "", "abc", "abc", "\"abc\"", "abc", "", sj("佐藤")}));
}

TEST(TCsv, SplitReplacesTheFormerFields) {
    lum::TCsv csv;
    csv.Line = "a,b";
    csv.Split();
    csv.Line = "c";
    csv.Split();
    EXPECT_EQ(csv.Fields, QList<QByteArray>{"c"});
}

TEST(CsvFile, TheExtensionBecomesCsv) {
    const char* rows[][2] = {
        {"/home/u/results.txt", "/home/u/results.csv"}, {"/home/u/results", "/home/u/results.csv"},
        {"/home/u/results.CSV", "/home/u/results.csv"}, {"/home/u.v/results", "/home/u.v/results.csv"},
        {"/home/u/a.b.txt", "/home/u/a.b.csv"},         {"results", "results.csv"},
    };
    for (const auto& r : rows) EXPECT_EQ(lum::withCsvExtension(QString::fromUtf8(r[0])), QString::fromUtf8(r[1]));
}

TEST(CsvLineText, QuotesEveryValueOrOnlyThoseThatNeedIt) {
    struct Case {
        QStringList values;
        lum::CsvQuoting quoting;
        const char* line;
    };
    const Case cases[] = {
        {{"a", "", "b c"}, lum::CsvQuoting::EveryValue, R"("a","","b c")"},
        {{"say \"hi\"", "x"}, lum::CsvQuoting::EveryValue, R"("say ""hi""","x")"},
        {{"a", "1,5", "x"}, lum::CsvQuoting::EveryValue, R"("a","1,5","x")"},
        {{"a", "", "b c"}, lum::CsvQuoting::WhereNeeded, "a,,b c"},
        {{"山田,太郎", "x"}, lum::CsvQuoting::WhereNeeded, R"("山田,太郎",x)"},
        {{"6\"", "x"}, lum::CsvQuoting::WhereNeeded, R"("6""",x)"},
        {{"two\nlines", "cr\r"}, lum::CsvQuoting::WhereNeeded, "\"two\nlines\",\"cr\r\""},
        {{}, lum::CsvQuoting::EveryValue, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lum::csvLineText(c.values, c.quoting), QString::fromUtf8(c.line)) << c.line;
    }
}

TEST(CsvFile, WritesCodePage932LinesAndKeepsTheOldFileOnAFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    {
        QSaveFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        lum::CsvLineWriter out(file, lum::CsvQuoting::EveryValue);
        out.writeLine({QStringLiteral("Ⅱa"), QStringLiteral("ﾔ"), QStringLiteral("〜")});
        out.writeLine({QStringLiteral("1")});
        EXPECT_EQ(out.linesWritten(), 2);
        ASSERT_TRUE(file.commit());
    }
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toHex(' '), QByteArray("22 87 55 61 22 2c 22 d4 22 2c 22 81 60 22 0d 0a 22 31 22 0d 0a"));
    written.close();

    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    lum::CsvLineWriter out(file, lum::CsvQuoting::EveryValue);
    out.writeLine({QStringLiteral("new")});
    try {
        out.writeLine({QStringLiteral("山田"), QStringLiteral("𠮷")});
        FAIL() << "a character without a code page 932 form was written";
    } catch (const lum::CsvLineError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("CSVファイルに書けない文字「𠮷」があります（2行目）。"));
    }
    file.cancelWriting();
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().size(), 21);  // the first file, whole
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.csv")});
}

}  // namespace
