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
        bool quoteLeftOpen;
    };
    const Row rows[] = {
        {"", true, false, {}, false},
        {"a", true, false, {"a"}, false},
        {"a,b,", true, false, {"a", "b", ""}, false},
        {",", true, false, {"", ""}, false},
        {"a,,b", true, false, {"a", "", "b"}, false},
        {"\"a,b\",c", true, false, {"\"a,b\"", "c"}, false},
        {"\"a\"\"b\"", true, false, {"\"a\"\"b\""}, false},          // a doubled quote stays
        {"\"a\"\",b\",c", true, false, {"\"a\"\",b\"", "c"}, false},  // ... and so does its comma
        {"a,,,b", true, true, {"a", "b"}, false},
        {"a,,,", true, true, {"a", ""}, false},
        {"\"a,b\",c", false, false, {"\"a", "b\"", "c"}, false},     // not quote-aware: cut inside
        {"\"a,b", true, false, {"\"a,b"}, true},                      // an open quote runs to the end
        {"\"a\",\"", true, false, {"\"a\"", "\""}, true},             // cut right after an opening quote
        {"\"a\",\"b\"\"", true, false, {"\"a\"", "\"b\"\""}, true},     // a doubled quote as the last bytes
        {"\"a,b", false, false, {"\"a", "b"}, false},                 // not quote-aware: no quote is open
        // 0x81 0x2C is no character; the 0x2C after a lead byte is passed over all the same.
        {QByteArray("x\x81,y,z"), true, false, {QByteArray("x\x81,y"), "z"}, false},
        // The second byte of ソ (83 5C) and of 髙 (FB FC): never a delimiter.
        {sj("ソ,髙,\"Ⅱa\""), true, false, {sj("ソ"), sj("髙"), sj("\"Ⅱa\"")}, false},
        // A lead byte as the last byte, alone and inside a quote.
        {QByteArray("a,\x95"), true, false, {"a", QByteArray("\x95")}, false},
        {QByteArray("a,\"\x95"), true, false, {"a", QByteArray("\"\x95")}, true},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(split(r.line, r.quoteAware, r.merge), r.fields) << r.line.toHex().constData();
        lum::TCsv csv;
        csv.Line = r.line;
        csv.QuoteAware = r.quoteAware;
        csv.MergeDelimiters = r.merge;
        EXPECT_EQ(csv.CountFields(), r.fields.size()) << "counted as split: " << r.line.toHex().constData();
        EXPECT_EQ(csv.QuoteLeftOpen(), r.quoteLeftOpen) << r.line.toHex().constData();
    }
}

TEST(TCsv, CountingStopsOnceItPassesTheLimit) {
    lum::TCsv csv;
    csv.Line = QByteArray(1000, ',');  // 1001 empty fields
    EXPECT_EQ(csv.CountFields(), 1001);
    EXPECT_EQ(csv.CountFields(17), 18);
    EXPECT_TRUE(csv.Fields.isEmpty()) << "nothing is made";
}

// An opening quote goes only with the quote that closes it at the field's
// end: a field cut inside its quotes keeps its quotes (a doubled quote at the
// end closes nothing), so it cannot pass for a whole value.
TEST(TCsv, StripQuotesTakesOneFromEachEnd) {
    lum::TCsv csv;
    csv.Fields = {"\"\"", "\"", "\"abc", "abc\"", "\"\"abc\"\"", "abc", "", sj("\"佐藤\""), sj("\"佐藤"), "\"b\"\""};
    csv.StripQuotes();
    EXPECT_EQ(csv.Fields,
              (QList<QByteArray>{"", "\"", "\"abc", "abc", "\"abc\"", "abc", "", sj("佐藤"), sj("\"佐藤"), "\"b\"\""}));
    // Split without regard to quotes, a field holds no quote open.
    csv.QuoteAware = false;
    csv.Fields = {"\"a", "b\""};
    csv.StripQuotes();
    EXPECT_EQ(csv.Fields, (QList<QByteArray>{"a", "b"}));
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
