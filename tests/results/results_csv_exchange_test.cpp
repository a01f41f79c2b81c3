// The results sheet's CSV exchange on both backends: the export's bytes, its
// questions and what a failure leaves on disk; the import stored all or
// nothing, skipping what is already there; two workstations importing one
// file; a demo month exported and imported back; the sheet's menu roads.
#include "results/results_csv_exchange.h"

#include "common/cp932.h"
#include "common/csv_file.h"
#include "demo_data.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "results/month_sheet_model.h"
#include "results/result_sheet_form.h"
#include "results_fixture.h"
#include "support/real_file_dialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <semaphore>
#include <thread>

namespace {

using lum::CureResult;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
namespace text = lum::exchange_text;

const lum::WriterStamp kStamp{QStringLiteral("101"), QStringLiteral("佐藤　理学"),
                              TDateTime::fromYmdHms(2024, 6, 3, 8, 15, 42)};

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class ResultsCsvExchange : public lum::test::ResultsDatabaseTest {
protected:
    void SetUp() override {
        ResultsDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        file_ = dir_.filePath(QStringLiteral("results.csv"));
    }
    lum::DateRange may() { return lum::monthRange(2024, 5); }
    // Two results of May and one of June.
    void twoRows() {
        TPerson a = lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9);
        a.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
        a.Ninchi_KBN = 2;  // Ⅱa
        a = registered(a);
        TPerson b = registered(lum::test::makeClient(QStringLiteral("川口　一"), 0, 0));
        CureResult r = lum::test::resultOn(a, TDateTime::fromYmd(2024, 5, 7));
        r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 10, 30);
        r.RMinute = 40;
        r.Comment = QStringLiteral("歩行訓練～階段");
        r.StuffCode = 3;
        r.StuffName = QStringLiteral("佐藤　理学");
        store().insert(r);
        CureResult s = lum::test::resultOn(b, TDateTime::fromYmd(2024, 5, 2));
        s.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 9, 0);
        store().insert(s);
        store().insert(lum::test::resultOn(b, TDateTime::fromYmd(2024, 6, 2)));
        a_ = a;
        b_ = b;
    }
    lum::ResultsImportOutcome import(const QByteArray& bytes) {
        return lum::ImportResultsCsvContent(db(), lum::ReadResultsCsv(bytes, staff_, kStamp));
    }
    int count() {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM CureResults"));
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }

    QTemporaryDir dir_;
    QString file_;
    TPerson a_, b_;
    std::vector<lum::StaffMember> staff_{{3, QStringLiteral("佐藤　理学"), QStringLiteral("佐")}};
};

TEST_P(ResultsCsvExchange, TheExportWritesTheHeaderAndTheMonthsRowsInCodePage932) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const QByteArray bytes = readAll(file_);
    const QString no = [](int n) { return QStringLiteral("%1").arg(n, 8, 10, QChar(u'0')); }(b_.CureNo);
    const QString noA = QStringLiteral("%1").arg(a_.CureNo, 8, 10, QChar(u'0'));
    const QString expected =
        QStringLiteral("\"利用者番号\",\"氏名\",\"カナ氏名\",\"生年月日\",\"性別\",\"自立区分\",\"認知区分\",\"要介護区分\","
                       "\"入所日\",\"退所日\",\"利用日\",\"開始時間\",\"分\",\"形態\",\"区分\",\"備考\",\"担当者\"\r\n") +
        QStringLiteral("\"%1\",\"山田　花子\",\"ﾔﾏﾀﾞ ﾊﾅｺ\",\"1935/04/01\",\"女性\",\"J2\",\"Ⅱa\",\"要介護3\",\"2024/03/25\","
                       "\"1899/12/30\",\"2024/05/07\",\"10:30\",\"40\",\"通所リハビリ\",\"9\",\"歩行訓練～階段\",\"佐藤　理学\"\r\n")
            .arg(noA) +
        QStringLiteral("\"%1\",\"川口　一\",\"ﾃｽﾄ ﾀﾛｳ\",\"1935/04/01\",\"女性\",\"J2\",\"Ⅱb\",\"要介護3\",\"2024/03/25\","
                       "\"1899/12/30\",\"2024/05/02\",\"09:00\",\"0\",\"入所\",\"0\",\"\",\"\"\r\n")
            .arg(no);
    EXPECT_EQ(lum::cp932::decode(bytes).toStdString(), expected.toStdString());
    EXPECT_EQ(bytes, *lum::cp932::encode(expected));
    EXPECT_TRUE(bytes.contains("\"\x87\x55\x61\"")) << "Ⅱa";
    EXPECT_TRUE(bytes.contains("\xd4\xcf\xc0\xde")) << "ﾔﾏﾀﾞ, one byte each";
    EXPECT_TRUE(bytes.contains("\x81\x60")) << "～";
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_EQ(bytes.count("\n"), 3);
}

TEST_P(ResultsCsvExchange, AnEmptyMonthWritesNoFileAndOnlyYesOverwrites) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Warning, text::NoData, MsgButton::Yes);
    EXPECT_FALSE(lum::ExportResultsCsvFile(db(), lum::monthRange(2024, 4), file_));
    EXPECT_FALSE(QFile::exists(file_));

    writeAll(file_, "old\r\n");
    d.expect(MsgKind::Warning, text::Overwrite, MsgButton::No);
    EXPECT_FALSE(lum::ExportResultsCsvFile(db(), may(), file_));
    EXPECT_EQ(readAll(file_), QByteArray("old\r\n"));
    d.expect(MsgKind::Warning, text::Overwrite, MsgButton::Yes).expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    EXPECT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    EXPECT_EQ(readAll(file_).count("\r\n"), 3);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(ResultsCsvExchange, ALineThatCannotBeWrittenKeepsTheOldFile) {
    twoRows();
    store().insert(lum::test::resultOn(registered(lum::test::makeClient(QStringLiteral("𠮷田　一"), 0, 0)),
                                       TDateTime::fromYmd(2024, 5, 9)));
    writeAll(file_, "old\r\n");
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Warning, text::Overwrite, MsgButton::Yes)
        .expect(MsgKind::Error, QStringLiteral("書き出しでエラーが発生しました。\nCSVファイルに書けない文字「𠮷」があります（4行目）。"),
                MsgButton::Yes);
    EXPECT_FALSE(lum::ExportResultsCsvFile(db(), may(), file_));
    EXPECT_EQ(readAll(file_), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("results.csv")});
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(ResultsCsvExchange, TheImportStoresEveryLineOrNoneAndAddsAFileOnce) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const QByteArray exported = readAll(file_);

    // Its own rows are already there: nothing is added.
    lum::ResultsImportOutcome again = import(exported);
    EXPECT_TRUE(again.stored);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.skipped, 2);
    EXPECT_EQ(lum::ImportedText(again), QStringLiteral("インポートしました。\n追加：0件　スキップ：2件"));

    db().execute(QStringLiteral("DELETE FROM CureResults"));
    // A bad third line: the two before it are not stored either.
    lum::ResultsImportOutcome refused = import(exported + "\"x\"\r\n");
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.failure, QStringLiteral("インポートファイルの項目が一致しません。\n4行目"));
    EXPECT_EQ(count(), 0);

    // A line twice in the file, the month holding none of it, is stored twice.
    const QByteArray lastLine = exported.mid(exported.lastIndexOf("\r\n", exported.size() - 3) + 2);
    lum::ResultsImportOutcome stored = import(exported + lastLine);
    EXPECT_TRUE(stored.stored);
    EXPECT_EQ(stored.added, 3);
    EXPECT_EQ(stored.skipped, 0);
    EXPECT_EQ(count(), 3);

    // A database failure halfway stores nothing.
    db().execute(QStringLiteral("DELETE FROM CureResults"));
    if (isSqlite()) {
        db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CureResults WHEN NEW.CureNo = %1 "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                         .arg(a_.CureNo));
    } else {
        db().execute(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF NEW.CureNo = %1 THEN "
                                    "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql")
                         .arg(a_.CureNo));
        db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CureResults FOR EACH ROW EXECUTE FUNCTION refuse()"));
    }
    lum::ResultsImportOutcome failed = import(exported);
    EXPECT_FALSE(failed.stored);
    EXPECT_TRUE(failed.failure.startsWith(text::AppendFailed + u'\n')) << failed.failure.toStdString();
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(ResultsCsvExchange, ResultsCopiedFromBookingsAreAlreadyStoredWhenTheirExportIsReadBack) {
    twoRows();
    CureResult copied = lum::test::resultOn(a_, TDateTime::fromYmd(2024, 5, 20));
    copied.ReserveNo = 7;  // copied from the booking of frame 7
    copied.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 14, 0);
    copied.StuffCode = 3;
    copied.StuffName = QStringLiteral("佐藤　理学");
    store().insert(copied);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const lum::ResultsImportOutcome back = import(readAll(file_));
    EXPECT_TRUE(back.stored) << back.failure.toStdString();
    EXPECT_EQ(back.added, 0);
    EXPECT_EQ(back.skipped, 3);
    EXPECT_EQ(count(), 4);

    // The same treatment at another start minute is another result.
    db().execute(QStringLiteral("UPDATE CureResults SET RStartTime = '1899-12-30 14:10:00' WHERE ReserveNo = 7"));
    const lum::ResultsImportOutcome moved = import(readAll(file_));
    EXPECT_EQ(moved.added, 1);
    EXPECT_EQ(count(), 5);
}

// The skip rule, one case a row: the results stored in May, the file read
// (May's export, perhaps changed, and lines of its own), the end message and
// how many results there are after. Two staff members share a name.
TEST_P(ResultsCsvExchange, ALineIsSkippedOnlyWhenTheExportWritesTheSameValuesForAStoredResult) {
    const TPerson client = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9));
    const std::vector<lum::StaffMember> staff{{3, QStringLiteral("佐藤　理学"), QStringLiteral("佐")},
                                              {8, QStringLiteral("佐藤　理学"), QStringLiteral("理")}};
    const auto result = [&client](QTime start, int minutes, int staffCode = 3, int reserveNo = -1) {
        CureResult r = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, 7), 2);
        r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, start.hour(), start.minute(), start.second());
        r.RMinute = minutes;
        r.StuffCode = staffCode;
        r.StuffName = QStringLiteral("佐藤　理学");
        r.ReserveNo = reserveNo;
        return r;
    };
    const auto longRemark = [&](CureResult r) {
        r.Comment = QStringLiteral("歩行訓練と階段昇降の練習を行った");  // cut to 20 bytes by the export
        return r;
    };
    struct Case {
        const char* what;
        std::vector<CureResult> stored;
        std::pair<QByteArray, QByteArray> change;  // in the exported text
        std::vector<CureResult> lines;             // lines of its own after it
        int added;
        int skipped;
    };
    const Case cases[] = {
        {"hand-entered starts with seconds, read back", {result(QTime(10, 15, 29), 40), result(QTime(10, 20, 31), 40)},
         {}, {}, 0, 2},
        {"a line differing only in 分", {result(QTime(10, 30), 40)}, {"\"40\"", "\"45\""}, {}, 1, 0},
        {"the other software's minutes for a copied booking", {result(QTime(14, 0), 40, 3, 7)},
         {"\"40\"", "\"35\""}, {}, 1, 0},
        {"two treatments with an unknown start and different 分", {}, {},
         {result(QTime(0, 0), 20), result(QTime(0, 0), 40)}, 2, 0},
        {"a line twice in the file", {}, {}, {result(QTime(9, 0), 20), result(QTime(9, 0), 20)}, 2, 0},
        {"a stored result's line twice more", {result(QTime(9, 0), 20)}, {},
         {result(QTime(9, 0), 20), result(QTime(9, 0), 20)}, 2, 1},
        {"two twins stored, the file holding a third", {result(QTime(9, 0, 10), 20), result(QTime(9, 0, 50), 20)}, {},
         {result(QTime(9, 0), 20)}, 1, 2},
        {"a staff member sharing a name with another", {result(QTime(10, 30), 40, 8)}, {}, {}, 0, 1},
        {"a remark longer than the file holds", {longRemark(result(QTime(11, 0), 20))}, {}, {}, 0, 1},
        {"the same start on another day", {result(QTime(10, 30), 40)}, {"2024/05/07", "2024/05/08"}, {}, 1, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().execute(QStringLiteral("DELETE FROM CureResults"));
        for (const CureResult& r : c.stored) store().insert(r);
        const QString file = dir_.filePath(QStringLiteral("case%1.csv").arg(++n));
        lum::ScriptedDialogs d;
        QByteArray bytes = *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvHeader(), lum::CsvQuoting::EveryValue)) + "\r\n";
        if (!c.stored.empty()) {
            d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
            ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file));
            bytes = readAll(file);
            if (!c.change.first.isEmpty()) {
                ASSERT_EQ(bytes.count(c.change.first), 1);
                bytes.replace(c.change.first, c.change.second);
            }
        }
        for (const CureResult& r : c.lines) {
            bytes += *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvValues(r), lum::CsvQuoting::EveryValue)) + "\r\n";
        }
        writeAll(file, bytes);
        d.expect(MsgKind::Information,
                 QStringLiteral("インポートしました。\n追加：%1件　スキップ：%2件").arg(c.added).arg(c.skipped),
                 MsgButton::Ok);
        EXPECT_TRUE(lum::ImportResultsCsvFile(db(), file, staff, kStamp));
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(count(), static_cast<int>(c.stored.size()) + c.added);
    }
}

// A line the reader refuses unread (too many fields, too long, a NUL in a
// field) refuses the file with its message and line number, the same on
// every backend, and stores none of the lines before it.
TEST_P(ResultsCsvExchange, ALineRefusedUnreadStoresNothing) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const QByteArray exported = readAll(file_);
    const QByteArray lastLine = exported.mid(exported.lastIndexOf("\r\n", exported.size() - 3) + 2);
    db().execute(QStringLiteral("DELETE FROM CureResults"));
    QByteArray manyFields(1'000, ',');
    manyFields[10] = '\x80';  // no code page 932 character: the count comes first
    QByteArray nulInRemark = lastLine;
    static constexpr char remarkWithNul[] = "\"a\0b\",\"\"\r\n";
    nulInRemark.replace("\"\",\"\"\r\n", QByteArray(remarkWithNul, sizeof remarkWithNul - 1));
    ASSERT_NE(nulInRemark, lastLine);
    QByteArray nulInName = exported.mid(exported.indexOf("\r\n") + 2);
    nulInName.insert(nulInName.indexOf(*lum::cp932::encode(QStringLiteral("山田"))), '\0');
    struct Case {
        const char* what;
        QByteArray appended;
        QString message;
    } const cases[] = {
        {"far too many fields", manyFields + "\r\n", QStringLiteral("インポートファイルの項目が一致しません。\n4行目")},
        {"a line of 2 MB", QByteArray(2'000'000, ',') + "\r\n", QStringLiteral("インポートファイルの行が長すぎます。\n4行目")},
        {"a NUL in a remark", nulInRemark, QStringLiteral("インポートファイルにNUL文字があります。\n4行目")},
        {"a NUL in a name", nulInName, QStringLiteral("インポートファイルにNUL文字があります。\n4行目")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeAll(file_, exported + c.appended);
        d.expect(MsgKind::Error, c.message, MsgButton::Yes);
        EXPECT_FALSE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(count(), 0);
    }
}

// The export quotes every value, so a value whose quote is not closed before
// its line ends is a damaged file: refused with its line, nothing stored,
// even where what is left of the value still names a staff member. A last
// line without its line end is taken only whole.
TEST_P(ResultsCsvExchange, ACutLineRefusesTheFileAndAWholeLastLineWithoutItsEndIsTaken) {
    const std::vector<lum::StaffMember> staff{{8, QStringLiteral("職員8"), QStringLiteral("8")},
                                              {9, QStringLiteral("職員"), QStringLiteral("職")}};
    const TPerson client = lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9);
    const auto line = [&client](int n) {
        CureResult r = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, n));
        r.Comment = QStringLiteral("備考%1").arg(n);
        r.StuffCode = 8;
        r.StuffName = QStringLiteral("職員8");
        return *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvValues(r), lum::CsvQuoting::EveryValue));
    };
    const QByteArray head = *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvHeader(), lum::CsvQuoting::EveryValue)) +
                            "\r\n" + line(1) + "\r\n" + line(2) + "\r\n";
    const QByteArray last = line(4);
    const auto cut = [&last](const char* tail) { return last.chopped(lum::cp932::encode(QString::fromUtf8(tail))->size()); };
    const QString refusedAt5 = QStringLiteral("インポートファイルの項目が一致しません。\n5行目");
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;  // empty: taken
    } const cases[] = {
        {"cut right after the opening quote of 担当者", head + line(3) + "\r\n" + cut("職員8\""), refusedAt5},
        {"cut inside a name that begins another member's", head + line(3) + "\r\n" + cut("8\""), refusedAt5},
        {"cut right after the last comma", head + line(3) + "\r\n" + cut("\"職員8\""), refusedAt5},
        {"cut before the closing quote only", head + line(3) + "\r\n" + cut("\""), refusedAt5},
        {"a quote left open in a middle line", head + line(3).chopped(1) + "\r\n" + last + "\r\n",
         QStringLiteral("インポートファイルの項目が一致しません。\n4行目")},
        {"a whole last line without CR LF", head + line(3) + "\r\n" + last, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().execute(QStringLiteral("DELETE FROM CureResults"));
        writeAll(file_, c.bytes);
        lum::ScriptedDialogs d;
        if (c.message.isEmpty()) {
            d.expect(MsgKind::Information, QStringLiteral("インポートしました。\n追加：4件　スキップ：0件"), MsgButton::Ok);
            EXPECT_TRUE(lum::ImportResultsCsvFile(db(), file_, staff, kStamp));
            const std::vector<CureResult> stored = store().periodRows(may());
            ASSERT_EQ(stored.size(), 4u);
            EXPECT_EQ(stored.back().Comment, QStringLiteral("備考4"));
            EXPECT_EQ(stored.back().StuffCode, 8);
        } else {
            d.expect(MsgKind::Error, c.message, MsgButton::Yes);
            EXPECT_FALSE(lum::ImportResultsCsvFile(db(), file_, staff, kStamp));
            EXPECT_EQ(count(), 0);
        }
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_FALSE(db().inTransaction());
    }
}

// A status figure of this process in kB ("VmRSS", "VmHWM"); -1 when unknown.
long statusKb(const QByteArray& name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':')) return line.mid(name.size() + 1).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// A file of 32 MB in one line (one remark) is refused for its length with
// the process's peak resident size hardly above what it was: the line is
// never held whole.
TEST_P(ResultsCsvExchange, AHugeLineIsRefusedWithoutBeingHeld) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const QByteArray exported = readAll(file_);
    db().execute(QStringLiteral("DELETE FROM CureResults"));
    {
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(exported);
        out.write(*lum::cp932::encode(QStringLiteral("\"%1\",\"山田　花子\",\"ﾔﾏﾀﾞ ﾊﾅｺ\",\"1935/04/01\",\"女性\",\"J2\",\"Ⅱa\","
                                                     "\"要介護3\",\"2024/03/25\",\"1899/12/30\",\"2024/05/07\",\"10:30\",\"40\","
                                                     "\"通所リハビリ\",\"9\",\"")
                                          .arg(a_.CureNo, 8, 10, QChar(u'0'))));
        const QByteArray chunk(1024 * 1024, 'x');
        for (int i = 0; i < 32; ++i) ASSERT_EQ(out.write(chunk), chunk.size());
        out.write("\",\"佐藤　理学\"\r\n");
    }
    // The peak starts afresh from the resident size now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    ASSERT_TRUE(clear.open(QIODevice::WriteOnly)) << "the peak resident size cannot be reset";
    clear.write("5");
    clear.close();
    const long before = statusKb("VmRSS");
    ASSERT_GT(before, 0);
    ASSERT_LE(statusKb("VmHWM"), before + 1024);
    d.expect(MsgKind::Error, QStringLiteral("インポートファイルの行が長すぎます。\n4行目"), MsgButton::Yes);
    EXPECT_FALSE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
    const long grown = statusKb("VmHWM") - before;
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_LT(grown, 16 * 1024) << "kB more at the peak";
    EXPECT_EQ(count(), 0);
}

// A month restored from its own export gets every result back, twins
// included (two sessions whose seventeen exported values are equal: the
// file holds neither seconds nor planned minutes); read again, it adds
// nothing.
TEST_P(ResultsCsvExchange, AMonthRestoredFromItsExportGetsEveryResultBack) {
    const TPerson client = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9));
    const auto session = [&client](int day, int second, int planned) {
        CureResult r = lum::test::resultOn(client, TDateTime::fromYmd(2024, 5, day));
        r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, 0, 0, second);  // start unknown
        r.RMinute = 20;
        r.PMinute = planned;
        r.StuffCode = 3;
        r.StuffName = QStringLiteral("佐藤　理学");
        return r;
    };
    struct Case {
        const char* what;
        std::vector<CureResult> month;
        int left;  // results left in the month before the import, the first ones
        int added;
    };
    const Case cases[] = {
        {"two equal sessions", {session(7, 0, 20), session(7, 30, 40)}, 0, 2},
        {"three equal sessions and another day", {session(7, 0, 0), session(7, 0, 0), session(7, 0, 0), session(8, 0, 0)},
         0, 4},
        {"three equal sessions, one left", {session(7, 0, 0), session(7, 0, 0), session(7, 0, 0)}, 1, 2},
        {"nothing emptied", {session(7, 0, 0), session(7, 0, 0)}, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().execute(QStringLiteral("DELETE FROM CureResults"));
        std::vector<qint64> numbers;
        for (const CureResult& r : c.month) numbers.push_back(store().insert(r));
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Warning, text::Overwrite, MsgButton::Yes).expect(MsgKind::Information, text::Exported, MsgButton::Ok);
        if (!QFile::exists(file_)) writeAll(file_, "");
        ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
        for (std::size_t i = static_cast<std::size_t>(c.left); i < numbers.size(); ++i) store().remove(numbers[i]);
        const int total = static_cast<int>(c.month.size());
        d.expect(MsgKind::Information, QStringLiteral("インポートしました。\n追加：%1件　スキップ：%2件").arg(c.added).arg(total - c.added),
                 MsgButton::Ok);
        EXPECT_TRUE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
        EXPECT_EQ(count(), total);
        d.expect(MsgKind::Information, QStringLiteral("インポートしました。\n追加：0件　スキップ：%1件").arg(total),
                 MsgButton::Ok);
        EXPECT_TRUE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
        EXPECT_EQ(count(), total);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
}

TEST_P(ResultsCsvExchange, TheFileRoadShowsEachOutcome) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, text::NoImportFile, MsgButton::Yes);
    EXPECT_FALSE(lum::ImportResultsCsvFile(db(), dir_.filePath(QStringLiteral("none.csv")), staff_, kStamp));
    QByteArray bad = *lum::cp932::encode(lum::csvLineText(lum::ResultsCsvHeader(), lum::CsvQuoting::EveryValue));
    writeAll(file_, bad + "\r\n\"1\"\r\n");
    d.expect(MsgKind::Error, QStringLiteral("インポートファイルの項目が一致しません。\n2行目"), MsgButton::Yes);
    EXPECT_FALSE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
    d.expect(MsgKind::Warning, text::Overwrite, MsgButton::Yes);
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    d.expect(MsgKind::Information, QStringLiteral("インポートしました。\n追加：0件　スキップ：2件"), MsgButton::Ok);
    EXPECT_TRUE(lum::ImportResultsCsvFile(db(), file_, staff_, kStamp));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// Two workstations import one file at once: the first holds its import open
// while the second starts; the second waits for it and then finds every line
// stored.
TEST_P(ResultsCsvExchange, TwoWorkstationsImportingOneFileAddItOnce) {
    twoRows();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), may(), file_));
    const lum::ResultsCsvContent content = lum::ReadResultsCsv(readAll(file_), staff_, kStamp);
    db().execute(QStringLiteral("DELETE FROM CureResults"));
    std::binary_semaphore firstImported(0);
    lum::ResultsImportOutcome first, second;
    std::thread a([&] {
        auto connection = scratch().open();
        lum::db::Transaction held(*connection);
        first = lum::ImportResultsCsvContent(*connection, content);
        firstImported.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        held.commit();
    });
    std::thread b([&] {
        auto connection = scratch().open();
        firstImported.acquire();
        second = lum::ImportResultsCsvContent(*connection, content);
    });
    a.join();
    b.join();
    EXPECT_EQ(first.added, 2);
    EXPECT_TRUE(second.stored) << second.failure.toStdString();
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.skipped, 2);
    EXPECT_EQ(count(), 2);
}

// A demo month exported, imported into an empty table and compared column
// by exchanged column; imported again, it adds nothing.
TEST_P(ResultsCsvExchange, ADemoMonthComesBackThroughTheFile) {
    lum::setup::writeDemoData(db(), QDate(2024, 7, 10));
    const lum::DateRange june = lum::monthRange(2024, 6);
    const std::vector<CureResult> before = store().periodRows(june);
    ASSERT_GT(before.size(), 500u);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    ASSERT_TRUE(lum::ExportResultsCsvFile(db(), june, file_));
    db().execute(QStringLiteral("DELETE FROM CureResults"));

    const std::vector<lum::StaffMember> staff = lum::ReadStaffList(db());
    const lum::ResultsCsvContent content = lum::ReadResultsCsv(readAll(file_), staff, kStamp);
    ASSERT_FALSE(content.refusal) << content.refusal->text().toStdString();
    const lum::ResultsImportOutcome outcome = lum::ImportResultsCsvContent(db(), content);
    ASSERT_TRUE(outcome.stored) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.added, static_cast<int>(before.size()));
    const std::vector<CureResult> after = store().periodRows(june);
    ASSERT_EQ(after.size(), before.size());
    int cutRemarks = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const CureResult& x = before[i];
        const CureResult& y = after[i];
        const auto columns = [](const CureResult& r) {
            return std::make_tuple(r.CureNo, r.Name, r.Kana, r.Birth, r.Sex, r.Jiritsu_KBN, r.Ninchi_KBN,
                                   r.YOUKAIGO_KBN, r.NYUSHOBI_YMD, r.TAISHOBI_YMD, r.CureDate,
                                   r.RStartTime.time().toString(QStringLiteral("HH:mm")), r.RMinute, r.RihaType,
                                   r.KubunCode, lum::cp932::leftBytes(r.Comment, 20), r.StuffCode, r.StuffName,
                                   r.StuffKigo, r.Flags);
        };
        EXPECT_EQ(columns(y), columns(x)) << "row " << i;
        EXPECT_EQ(y.ReserveNo, -1);
        EXPECT_EQ(y.LoginCD, QStringLiteral("101"));
        if (x.Comment != y.Comment) ++cutRemarks;
    }
    EXPECT_GT(cutRemarks, 0) << "the demo has remarks longer than 20 bytes";

    const lum::ResultsImportOutcome again = lum::ImportResultsCsvContent(db(), content);
    EXPECT_TRUE(again.stored);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.skipped, static_cast<int>(before.size()));
}

TEST_P(ResultsCsvExchange, TheSheetsMenuKeepsTheFileNamesAndForcesTheExtension) {
    twoRows();
    lum::ScopedFacilityDatabase scope(db());
    lum::FixedClock clock(QDateTime(QDate(2024, 5, 20), QTime(9, 0)));
    db().execute(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (3, '佐藤　理学', '佐')"));
    TResultSheetForm sheet;
    sheet.show();
    sheet.FromDate = may().begin;
    sheet.ToDate = may().end;
    lum::ScriptedDialogs d;
    d.expectFile(lum::FileMode::Save, dir_.filePath(QStringLiteral("五月.txt")))
        .expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    sheet.ExportMenu->trigger();
    const QString written = dir_.filePath(QStringLiteral("五月.csv"));
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_EQ(d.fileRequests().last().filter, QStringLiteral("CSV|*.csv;*.CSV"));

    // Cancelled: nothing.
    d.expectFile(lum::FileMode::Save, QString());
    sheet.ExportMenu->trigger();

    d.expectFile(lum::FileMode::Open, written)
        .expect(MsgKind::Information, QStringLiteral("インポートしました。\n追加：0件　スキップ：2件"), MsgButton::Ok);
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(d.fileRequests().last().filter, QStringLiteral("CSV|*.csv;*.txt"));
    // The names chosen are offered next time.
    d.expectFile(lum::FileMode::Save, QString()).expectFile(lum::FileMode::Open, QString());
    sheet.ExportMenu->trigger();
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(d.fileRequests()[3].fileName, written);
    EXPECT_EQ(d.fileRequests()[4].fileName, written);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// The export's real save dialog on a new account: it opens in the documents
// folder, not where the program was started; a wildcard typed as the name is
// refused and the dialog stays open, so no file is written under a name the
// user did not mean; a plain name is exported.
TEST_P(ResultsCsvExchange, TheRealSaveDialogRefusesAWildcardName) {
    twoRows();
    lum::ScopedFacilityDatabase scope(db());
    lum::FixedClock clock(QDateTime(QDate(2024, 5, 20), QTime(9, 0)));
    db().execute(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (3, '佐藤　理学', '佐')"));
    lum::test::ScopedFreshHome fresh;
    TResultSheetForm sheet;
    sheet.show();
    sheet.FromDate = may().begin;
    sheet.ToDate = may().end;
    lum::ScriptedDialogs d;
    lum::test::RealFilePicker picker(d);
    d.expect(MsgKind::Warning,
             QStringLiteral("「*」はファイル名に使えません。\n「*」「?」を含まない名前を入力してください。"),
             MsgButton::Ok);
    QString opened;
    bool openAfterRefusal = false;
    lum::test::inNextFileDialog([&](QFileDialog& dialog) {
        opened = lum::test::folderOf(dialog);
        lum::test::typeAndAccept(dialog, QStringLiteral("*"));
        openAfterRefusal = dialog.isVisible();
        dialog.reject();
    });
    sheet.ExportMenu->trigger();
    EXPECT_EQ(opened, fresh.documents());
    EXPECT_TRUE(openAfterRefusal);
    for (const QString& folder : {fresh.documents(), fresh.workingFolder()})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList()) << folder.toStdString();

    d.expect(MsgKind::Information, text::Exported, MsgButton::Ok);
    lum::test::inNextFileDialog([](QFileDialog& dialog) { lum::test::typeAndAccept(dialog, QStringLiteral("五月")); });
    sheet.ExportMenu->trigger();
    EXPECT_TRUE(QFile::exists(QDir(fresh.documents()).filePath(QStringLiteral("五月.csv"))));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(ResultsCsvExchange);

}  // namespace
