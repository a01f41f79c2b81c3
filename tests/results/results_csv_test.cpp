// The ResultsCsv format without a database: the values the export writes,
// and the reader with each refusal (message and line), the header, blank
// lines, empty degrees and staff, quotes, bad bytes and the values of the
// import road.
#include "results/results_csv.h"

#include "common/cp932.h"
#include "common/csv_file.h"
#include "results_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using lum::CureResult;
using lum::ResultsCsvRefusal;
using lum::TDateTime;

const std::vector<lum::StaffMember> kStaff{{3, QStringLiteral("佐藤　理学"), QStringLiteral("佐")},
                                           {5, QStringLiteral("鈴木　作業"), QStringLiteral("鈴")},
                                           {7, QStringLiteral("佐藤　理学"), QStringLiteral("理")}};
const lum::WriterStamp kStamp{QStringLiteral("101"), QStringLiteral("佐藤　理学"),
                              TDateTime::fromYmdHms(2024, 6, 3, 8, 15, 42)};

QStringList goodValues() {
    return {QStringLiteral("00000012"), QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"),
            QStringLiteral("1940/03/05"), QStringLiteral("男性"), QStringLiteral("A1"), QStringLiteral("Ⅱa"),
            QStringLiteral("要介護2"), QStringLiteral("2024/04/01"), QStringLiteral("1899/12/30"),
            QStringLiteral("2024/05/07"), QStringLiteral("10:30"), QStringLiteral("40"),
            QStringLiteral("通所リハビリ"), QStringLiteral("9"), QStringLiteral("歩行訓練"),
            QStringLiteral("佐藤　理学")};
}

QByteArray lineOf(const QStringList& values) {
    return *lum::cp932::encode(lum::csvLineText(values, lum::CsvQuoting::EveryValue));
}

QByteArray fileOf(const std::vector<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& l : lines) bytes += l + "\r\n";
    return bytes;
}

lum::ResultsCsvContent read(const QByteArray& bytes) { return lum::ReadResultsCsv(bytes, kStaff, kStamp); }

std::optional<ResultsCsvRefusal> refusalOf(int field, const QString& value) {
    QStringList values = goodValues();
    values[field] = value;
    return read(fileOf({lineOf(lum::ResultsCsvHeader()), lineOf(values)})).refusal;
}

TEST(ResultsCsvReader, EachFieldRefusesWithItsMessageAndLine) {
    const QString day = QStringLiteral("\n2024/05/07");
    struct Row { int field; QString value; QString message; };
    const Row rows[] = {
        {0, QStringLiteral("12x"), QStringLiteral("治療番号の変換に失敗しました。\n12x")},
        {0, QStringLiteral("0x1F"), QStringLiteral("治療番号の変換に失敗しました。\n0x1F")},
        {1, QString(19, QChar(u'山')), QStringLiteral("氏名の変換に失敗しました。\nサイズエラー")},   // 38 bytes
        {1, QString(21, QChar(u'ｱ')), QStringLiteral("氏名の変換に失敗しました。\nサイズエラー")},    // 21 characters
        {2, QString(21, QChar(u'ｱ')), QStringLiteral("かな氏名の変換に失敗しました。\nサイズエラー")},
        {3, QStringLiteral("1940/02/30"), QStringLiteral("利用日の変換に失敗しました。") + day},
        {4, QStringLiteral("不明"), QStringLiteral("性別の変換に失敗しました。")},
        {5, QStringLiteral("X1"), QStringLiteral("自立区分の変換に失敗しました。")},
        {6, QStringLiteral("Ⅴ"), QStringLiteral("自立区分の変換に失敗しました。")},
        {7, QStringLiteral("要介護6"), QStringLiteral("自立区分の変換に失敗しました。")},
        {8, QStringLiteral("2024/13/01"), QStringLiteral("入所日の変換に失敗しました。") + day},
        {9, QStringLiteral("未定"), QStringLiteral("退所日の変換に失敗しました。") + day},
        {10, QStringLiteral("2024/05/32"), QStringLiteral("利用日の変換に失敗しました。\n2024/05/32")},
        {11, QStringLiteral("25:00"), QStringLiteral("利用日の変換に失敗しました。") + day},
        {12, QStringLiteral("4.5"), QStringLiteral("利用日の変換に失敗しました。") + day},
        {12, QStringLiteral("-5"), QStringLiteral("利用日の変換に失敗しました。") + day},  // a negative 分
        {13, QStringLiteral("外来"), QStringLiteral("リハビリ形態の変換に失敗しました。")},
        {14, QStringLiteral("x"), QStringLiteral("区分の変換に失敗しました。") + day},
        {14, QStringLiteral("16"), QStringLiteral("区分コードにエラーがあります。") + day},
        {14, QStringLiteral("-1"), QStringLiteral("区分コードにエラーがあります。") + day},
        {15, QString(11, QChar(u'訓')), QStringLiteral("コメントの変換に失敗しました。\nサイズエラー")},  // 22 bytes
        {16, QStringLiteral(" 田中 "), QStringLiteral("未登録スタッフエラーです。\n田中")},
    };
    for (const Row& r : rows) {
        const auto refusal = refusalOf(r.field, r.value);
        ASSERT_TRUE(refusal) << r.field << " " << r.value.toStdString();
        EXPECT_EQ(*refusal, (ResultsCsvRefusal{2, r.message})) << r.field << " " << r.value.toStdString();
    }
    EXPECT_EQ((ResultsCsvRefusal{2, QStringLiteral("性別の変換に失敗しました。")}).text(),
              QStringLiteral("性別の変換に失敗しました。\n2行目"));
}

TEST(ResultsCsvReader, TheLimitsThemselvesPass) {
    struct Row { int field; QString value; };
    const Row rows[] = {
        {1, QString(18, QChar(u'山'))},  // 36 bytes, 18 characters
        {1, QString(20, QChar(u'ｱ'))},   // 20 bytes, 20 characters
        {2, QString(20, QChar(u'ｱ'))},
        {15, QString(10, QChar(u'訓'))},  // 20 bytes
        {12, QStringLiteral("0")},
        {14, QStringLiteral("15")},
        {14, QStringLiteral(" 0 ")},
        {4, QStringLiteral("女性から男性へ")},
        {13, QStringLiteral("訪問")},
        {3, QStringLiteral("1940/3/5 12:00")},
        {11, QStringLiteral("2024/05/07 10:30:59")},
    };
    for (const Row& r : rows) EXPECT_FALSE(refusalOf(r.field, r.value)) << r.field << " " << r.value.toStdString();
}

TEST(ResultsCsvReader, ALineWithoutSeventeenFieldsOrWithBadBytesIsRefused) {
    const QByteArray good = lineOf(goodValues());
    const QString fieldCount = QStringLiteral("インポートファイルの項目が一致しません。");
    EXPECT_EQ(read(fileOf({good, good + ",\"x\""})).refusal, (ResultsCsvRefusal{2, fieldCount}));  // 18 fields
    EXPECT_EQ(read(fileOf({good + ","})).refusal, (ResultsCsvRefusal{1, fieldCount}));          // a trailing comma
    EXPECT_EQ(read(fileOf({good.left(good.lastIndexOf(','))})).refusal, (ResultsCsvRefusal{1, fieldCount}));
    // A byte that is no code page 932 character in the name.
    QByteArray bad = good;
    bad.replace(*lum::cp932::encode(QStringLiteral("山田")), QByteArray("\x80\xff", 2));
    EXPECT_EQ(read(fileOf({good, bad})).refusal,
              (ResultsCsvRefusal{2, QStringLiteral("文字コードの変換に失敗しました。")}));
    // A UTF-8 file: read as code page 932, its three-byte characters swallow
    // quotes and commas, and the number of fields, checked first, is wrong.
    EXPECT_EQ(read(fileOf({lum::csvLineText(goodValues(), lum::CsvQuoting::EveryValue).toUtf8()})).refusal,
              (ResultsCsvRefusal{1, fieldCount}));
    // A line of far too many fields and bad bytes: refused for the fields,
    // before its text is decoded.
    EXPECT_EQ(read(fileOf({good, QByteArray("\x80") + QByteArray(1000, ',')})).refusal,
              (ResultsCsvRefusal{2, fieldCount}));
}

// A last line without its line end, cut after any of its bytes (inside a
// double-byte character too), is refused as short of its fields; only the
// whole line is taken. So is a line, the header included, that leaves a quote
// open before its line end.
TEST(ResultsCsvReader, ALineCutShortIsRefusedWhereverItIsCut) {
    QStringList values = goodValues();
    values[16] = QStringLiteral(" 佐藤　理学 ");  // the longest cut that still names the member
    const QByteArray good = lineOf(goodValues());
    const QByteArray last = lineOf(values);
    const QByteArray header = lineOf(lum::ResultsCsvHeader());
    const QString fieldCount = QStringLiteral("インポートファイルの項目が一致しません。");
    for (qsizetype n = 1; n < last.size(); ++n) {
        const auto refusal = read(fileOf({header, good}) + last.left(n)).refusal;
        EXPECT_EQ(refusal ? refusal->text().toStdString() : "taken", (fieldCount + "\n3行目").toStdString())
            << "cut after byte " << n;
    }
    lum::ResultsCsvContent c = read(fileOf({header, good}) + last);
    EXPECT_FALSE(c.refusal) << c.refusal->text().toStdString();
    EXPECT_EQ(c.lines, (std::vector<int>{2, 3}));
    EXPECT_EQ(read(fileOf({good, last.chopped(1), good})).refusal, (ResultsCsvRefusal{2, fieldCount}));
    EXPECT_EQ(read(header.chopped(1)).refusal, (ResultsCsvRefusal{1, fieldCount}));
    EXPECT_EQ(read(fileOf({header.chopped(1), good})).refusal, (ResultsCsvRefusal{1, fieldCount}));
}

// A line longer than any the fields' limits allow is refused for its length
// before anything else, and a NUL in any field for itself, before the text
// is decoded: the line number says where.
TEST(ResultsCsvReader, ALineTooLongOrHoldingANulIsRefusedUndecoded) {
    const QByteArray good = lineOf(goodValues());
    const QString tooLong = QStringLiteral("インポートファイルの行が長すぎます。");
    const QString nul = QStringLiteral("インポートファイルにNUL文字があります。");
    // 分 with blanks after it (which it may hold) up to the longest line, then one more.
    QStringList values = goodValues();
    values[12] += QString(lum::ResultsCsvLongestLine - good.size(), u' ');
    const QByteArray longest = lineOf(values);
    ASSERT_EQ(longest.size(), lum::ResultsCsvLongestLine);
    const lum::ResultsCsvContent c = read(fileOf({good, longest}));
    EXPECT_FALSE(c.refusal) << c.refusal->text().toStdString();
    EXPECT_EQ(c.rows.size(), 2u);
    values[12] += u' ';
    EXPECT_EQ(read(fileOf({good, lineOf(values), good})).refusal, (ResultsCsvRefusal{2, tooLong}));
    // Blanks, bad bytes or a missing line end change nothing.
    EXPECT_EQ(read(fileOf({good, QByteArray(100000, ' ')})).refusal, (ResultsCsvRefusal{2, tooLong}));
    EXPECT_EQ(read(good + "\r\n" + QByteArray(100000, '\x80')).refusal, (ResultsCsvRefusal{2, tooLong}));
    // A NUL in each field in turn, the line otherwise good.
    for (int field = 0; field < lum::ResultsCsvFieldCount; ++field) {
        QStringList withNul = goodValues();
        withNul[field].insert(withNul[field].size() / 2, QChar(u'\0'));
        const QByteArray line = lineOf(withNul);
        ASSERT_TRUE(line.contains('\0'));
        EXPECT_EQ(read(fileOf({good, good, line})).refusal, (ResultsCsvRefusal{3, nul})) << field;
        EXPECT_EQ(lum::ReadResultsCsvLine(line, kStaff, kStamp), (std::variant<CureResult, QString>(nul))) << field;
    }
}

TEST(ResultsCsvReader, TheHeaderAndBlankLinesArePassedOver) {
    const QByteArray good = lineOf(goodValues());
    const QByteArray header = lineOf(lum::ResultsCsvHeader());
    lum::ResultsCsvContent c = read(fileOf({header, good, "", good}) + "\r\n  \r\n");
    EXPECT_FALSE(c.refusal);
    EXPECT_EQ(c.lines, (std::vector<int>{2, 4}));
    // LF and CR line ends; no line end at the end.
    c = read(header + "\n" + good + "\r" + good);
    EXPECT_FALSE(c.refusal);
    EXPECT_EQ(c.lines, (std::vector<int>{2, 3}));
    // Only the first line may be the header.
    c = read(fileOf({good, header}));
    ASSERT_TRUE(c.refusal);
    EXPECT_EQ(c.refusal->line, 2);
    EXPECT_EQ(c.refusal->message, QStringLiteral("治療番号の変換に失敗しました。\n利用者番号"));
    EXPECT_TRUE(read(QByteArray()).rows.empty());
    EXPECT_TRUE(read(fileOf({header})).rows.empty());
}

// Blank lines whose last line end starts at byte `at` of the file.
QByteArray blankLinesEndingAt(qsizetype at) {
    QByteArray bytes;
    while (at - bytes.size() > 1000) bytes += QByteArray(998, ' ') + "\r\n";
    return bytes + QByteArray(at - bytes.size(), ' ') + "\r\n";
}

// The file is read a block at a time: a CR LF split between two blocks ends
// one line, and a line across two blocks comes whole.
TEST(ResultsCsvReader, LinesAreReadWholeAcrossBlocks) {
    const QByteArray good = lineOf(goodValues());
    constexpr qsizetype kBlock = 64 * 1024;
    for (const qsizetype lineEnd : {kBlock - 1, kBlock, kBlock - good.size() / 2 - 2}) {
        const QByteArray blanks = blankLinesEndingAt(lineEnd);
        const int n = static_cast<int>(blanks.count("\r\n"));
        const lum::ResultsCsvContent c = read(blanks + good + "\r\n" + good);
        EXPECT_FALSE(c.refusal) << lineEnd;
        EXPECT_EQ(c.lines, (std::vector<int>{n + 1, n + 2})) << lineEnd;
    }
}

TEST(ResultsCsvReader, ALineGivesTheRowOfTheImportRoad) {
    QStringList values = goodValues();
    values[1] = QStringLiteral("山田 \"太郎\"");  // quotes doubled in the file
    values[5] = QString();                          // degrees and staff may be empty
    values[16] = QString();
    const lum::ResultsCsvContent c = read(fileOf({lineOf(values)}));
    ASSERT_FALSE(c.refusal) << c.refusal->text().toStdString();
    ASSERT_EQ(c.rows.size(), 1u);
    CureResult expected;
    expected.CureDate = TDateTime::fromYmd(2024, 5, 7);
    expected.ReserveNo = -1;
    expected.CureNo = 12;
    expected.StuffCode = -1;
    expected.StuffName = QStringLiteral("");
    expected.StuffKigo = QStringLiteral("");
    expected.PStartTime = TDateTime::fromYmdHms(1899, 12, 30, 8, 15, 42);  // the time part of now
    expected.PMinute = 0;
    expected.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 30);
    expected.RMinute = 40;
    expected.Comment = QStringLiteral("歩行訓練");
    expected.RihaType = 2;
    expected.KubunCode = 9;
    expected.Flags = lum::CategoryFlagsOf(2, 9);
    expected.KubunDate = kStamp.Now;
    expected.Name = QStringLiteral("山田 \"太郎\"");
    expected.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
    expected.Sex = 0;
    expected.Birth = TDateTime::fromYmd(1940, 3, 5);
    expected.ROOM_NO = QStringLiteral("");
    expected.Jiritsu_KBN = -1;
    expected.Ninchi_KBN = 2;
    expected.YOUKAIGO_KBN = 3;
    expected.HP_TAISHO_YMD = TDateTime();  // no hospital discharge date
    expected.NYUSHOBI_YMD = TDateTime::fromYmd(2024, 4, 1);
    expected.TAISHOBI_YMD = TDateTime();  // 1899/12/30 reads as none
    expected.LoginCD = QStringLiteral("101");
    expected.LoginName = QStringLiteral("佐藤　理学");
    expected.UpdateDate = kStamp.Now;
    EXPECT_EQ(c.rows[0], expected);
    EXPECT_EQ(lum::test::flagsOf(c.rows[0]), QStringLiteral("---- ---- T--T --"));

    // A staff name is trimmed and found first by code; a comma inside quotes stays.
    values[16] = QStringLiteral(" 佐藤　理学 ");
    values[15] = QStringLiteral("歩行,立位");
    const lum::ResultsCsvContent d = read(fileOf({lineOf(values)}));
    ASSERT_EQ(d.rows.size(), 1u);
    EXPECT_EQ(d.rows[0].StuffCode, 3);
    EXPECT_EQ(d.rows[0].StuffKigo, QStringLiteral("佐"));
    EXPECT_EQ(d.rows[0].Comment, QStringLiteral("歩行,立位"));
}

// Two rows have equal keys exactly when the export writes the same seventeen
// values for them, one change of a row a case.
TEST(ResultsCsvKey, EqualExactlyWhenTheExportWritesTheSameValues) {
    const TPerson client = lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9);
    CureResult base = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, 7));
    base.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 30);
    base.RMinute = 40;
    base.Comment = QStringLiteral("歩行訓練〜階段昇降の練習を行った");
    base.StuffCode = 3;
    base.StuffName = QStringLiteral("佐藤　理学");
    struct Case {
        const char* what;
        std::function<void(CureResult&)> change;
        bool equal;
    };
    const Case cases[] = {
        {"seconds of the start", [](CureResult& r) { r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 30, 59); }, true},
        {"the start on another date", [](CureResult& r) { r.RStartTime = TDateTime::fromYmdHms(2024, 5, 7, 10, 30); }, true},
        {"a time of day in CureDate", [](CureResult& r) { r.CureDate = TDateTime::fromYmdHms(2024, 5, 7, 15, 0); }, true},
        {"planned minutes, frame, staff code and symbol, room, login",
         [](CureResult& r) {
             r.PMinute = 60;
             r.ReserveNo = 7;
             r.StuffCode = 8;
             r.StuffKigo = QStringLiteral("理");
             r.ROOM_NO = QStringLiteral("305");
             r.LoginCD = QStringLiteral("9");
         },
         true},
        {"the remark past its first 20 bytes", [](CureResult& r) { r.Comment += QStringLiteral("。"); }, true},
        {"〜 as ～, the form the file holds", [](CureResult& r) { r.Comment.replace(u'〜', u'～'); }, true},
        {"a half-width blank in the name", [](CureResult& r) { r.Name = QStringLiteral("山田 花子"); }, false},
        {"a degree outside its table", [](CureResult& r) { r.Jiritsu_KBN = 99; }, false},
        {"the start minute", [](CureResult& r) { r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 31); }, false},
        {"分", [](CureResult& r) { r.RMinute = 41; }, false},
        {"the day", [](CureResult& r) { r.CureDate = TDateTime::fromYmd(2024, 5, 8); }, false},
        {"the staff member's name", [](CureResult& r) { r.StuffName = QStringLiteral("佐藤　理"); }, false},
        {"the remark within 20 bytes", [](CureResult& r) { r.Comment[0] = u'步'; }, false},
        {"区分", [](CureResult& r) { r.KubunCode = 1; }, false},
        {"the sex", [](CureResult& r) { r.Sex = 0; }, false},
        {"the client", [](CureResult& r) { r.CureNo += 1; }, false},
        {"the discharge day", [](CureResult& r) { r.TAISHOBI_YMD = TDateTime::fromYmd(2024, 6, 1); }, false},
    };
    for (const Case& c : cases) {
        CureResult changed = base;
        c.change(changed);
        const bool sameValues = lum::ResultsCsvValues(changed) == lum::ResultsCsvValues(base) ||
                                *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvValues(changed),
                                                                     lum::CsvQuoting::EveryValue)) ==
                                    *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvValues(base),
                                                                         lum::CsvQuoting::EveryValue));
        EXPECT_EQ(sameValues, c.equal) << c.what << ": the case itself";
        EXPECT_EQ(lum::ResultsCsvKey(changed) == lum::ResultsCsvKey(base), c.equal) << c.what;
        if (c.equal) {
            EXPECT_EQ(lum::ResultsCsvKey(changed).hash(), lum::ResultsCsvKey(base).hash()) << c.what;
        }
    }
    // Two indices outside a table both write an empty name.
    CureResult a = base, b = base;
    a.Jiritsu_KBN = -1;
    b.Jiritsu_KBN = 99;
    EXPECT_TRUE(lum::ResultsCsvKey(a) == lum::ResultsCsvKey(b));
    // CR and LF are written as blanks.
    a.Name = QStringLiteral("山田\r\n花子");
    b.Name = QStringLiteral("山田  花子");
    EXPECT_TRUE(lum::ResultsCsvKey(a) == lum::ResultsCsvKey(b));
    EXPECT_EQ(lum::ResultsCsvKey(a).hash(), lum::ResultsCsvKey(b).hash());
}

// The lines of a file are counted against the stored results: of each set of
// equal lines only those beyond the equal stored results are added, the
// later ones.
TEST(ResultsCsvMatch, AddsTheLinesOfASetBeyondItsStoredResults) {
    const TPerson client = lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9);
    const auto row = [&](int minutes) {
        CureResult r = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, 7));
        r.RMinute = minutes;
        return r;
    };
    struct Case {
        const char* what;
        std::vector<int> lines;   // 分 of each line
        std::vector<int> stored;  // 分 of each stored result
        std::vector<bool> added;
    };
    const Case cases[] = {
        {"twins, none stored", {20, 20}, {}, {true, true}},
        {"twins, both stored", {20, 20}, {20, 20}, {false, false}},
        {"twins, one stored: the later added", {20, 20}, {20}, {false, true}},
        {"more stored than lines", {20}, {20, 20, 20}, {false}},
        {"sets apart", {20, 40, 20, 40, 20}, {40, 20, 30}, {false, false, true, true, true}},
        {"no lines", {}, {20}, {}},
    };
    for (const Case& c : cases) {
        std::vector<CureResult> rows;
        for (const int m : c.lines) rows.push_back(row(m));
        lum::ResultsCsvMatch match(rows);
        for (const int m : c.stored) match.countStored(row(m));
        EXPECT_EQ(match.added(), c.added) << c.what;
    }
}

TEST(ResultsCsvValues, WriteWhatReadsBack) {
    const TPerson client = lum::test::makeClient(QStringLiteral("山田\r\n\"花子\""), 2, 5);
    CureResult row = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, 7));
    row.CureNo = 12;
    row.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 9, 5, 30);
    row.RMinute = 40;
    row.Comment = QStringLiteral("a") + QString(10, QChar(u'訓'));  // 21 bytes
    row.StuffName = QStringLiteral("佐藤　理学");
    row.Jiritsu_KBN = -1;  // outside its table: empty
    const QStringList values = lum::ResultsCsvValues(row);
    ASSERT_EQ(values.size(), lum::ResultsCsvFieldCount);
    EXPECT_EQ(values[0], QStringLiteral("00000012"));
    EXPECT_EQ(values[1], QStringLiteral("山田  \"花子\"")) << "CR and LF become blanks";
    EXPECT_EQ(values[3], QStringLiteral("1935/04/01"));
    EXPECT_EQ(values[4], QStringLiteral("女性"));
    EXPECT_EQ(values[5], QString());
    EXPECT_EQ(values[6], QStringLiteral("Ⅱb"));
    EXPECT_EQ(values[9], QStringLiteral("1899/12/30"));
    EXPECT_EQ(values[11], QStringLiteral("09:05"));
    EXPECT_EQ(values[13], QStringLiteral("通所リハビリ"));
    EXPECT_EQ(values[15], QStringLiteral("a") + QString(9, QChar(u'訓'))) << "cut on a character boundary";

    const lum::ResultsCsvContent back = read(fileOf({lineOf(values)}));
    ASSERT_FALSE(back.refusal) << back.refusal->text().toStdString();
    EXPECT_EQ(back.rows[0].Name, values[1]);
    EXPECT_EQ(back.rows[0].Jiritsu_KBN, -1);
    EXPECT_EQ(back.rows[0].RStartTime, TDateTime::fromYmdHms(1899, 12, 30, 9, 5));
}

}  // namespace
