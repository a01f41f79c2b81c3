// The CSV writer of the print windows, path by path: folders made or refused,
// the forced extension, the overwrite question and its answers, the data
// step, the heading and data lines (code page 932, CR LF, quoting) and what a
// failure leaves on disk.
#include "printing/csv_report_writer.h"

#include "platform/ui/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {

using lum::CsvQuoting;
using lum::CsvReportWriter;
using lum::MsgButton;
using lum::MsgKind;

const QString kOverwrite = QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？");
const QString kDone = QStringLiteral("終了しました。");

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A member with one heading line and the given rows, every value quoted.
lum::CsvReportMember member(std::vector<QStringList> rows, bool* prepared = nullptr, bool dataStep = true) {
    lum::CsvReportMember m;
    m.prepareData = [prepared, dataStep] {
        if (prepared) *prepared = true;
        return dataStep;
    };
    m.headingLines = [] { return std::vector<lum::CsvHeadingLine>{{{QStringLiteral("番号"), QStringLiteral("氏名")}}}; };
    m.writeRows = [rows](lum::CsvLineWriter& out) {
        for (const QStringList& row : rows) out.writeLine(row);
    };
    m.endMessage = kDone;
    return m;
}

const QByteArray kOld = QByteArrayLiteral("old contents\r\n");
// "番号","氏名" / "1","山田" in code page 932.
const QByteArray kWritten = QByteArrayLiteral("\"\x94\xd4\x8d\x86\",\"\x8e\x81\x96\xbc\"\r\n"
                                              "\"1\",\"\x8e\x52\x93\x63\"\r\n");

TEST(CsvTarget, SplitsThePathAndForcesTheExtension) {
    QTemporaryDir dir;
    struct Case {
        QString path, folder, name, file;
    };
    const QString home = dir.path();
    const Case cases[] = {
        {"/srv/out/list.txt", "/srv/out", "list.txt", "/srv/out/list.csv"},
        {"/srv/out/list", "/srv/out", "list", "/srv/out/list.csv"},
        {"/srv/out/list.CSV", "/srv/out", "list.CSV", "/srv/out/list.csv"},
        {"/srv/out/a.b.txt", "/srv/out", "a.b.txt", "/srv/out/a.b.csv"},
        {"/list.csv", "/", "list.csv", "/list.csv"},
        {"/srv/out/", "/srv/out", "", ""},
        {"list.csv", "", "list.csv", ""},
        {home, home, "", ""},  // an existing folder names no file
    };
    for (const Case& c : cases) {
        const lum::CsvTarget t = lum::csvTargetOf(c.path);
        EXPECT_EQ(t.folder, c.folder) << c.path.toStdString();
        EXPECT_EQ(t.name, c.name) << c.path.toStdString();
        if (!c.file.isEmpty()) {
            EXPECT_EQ(t.file, c.file) << c.path.toStdString();
        }
    }
}

TEST(CsvReportWriter, EachPathEndsWithItsMessageAndTheFileItLeaves) {
    struct Case {
        const char* name;
        QString path;                        // below the test folder, unless absolute
        std::optional<QByteArray> existing;  // a file already at the target
        std::optional<MsgButton> overwrite;  // the answer to the overwrite question
        bool dataStep = true;
        QStringList messages;                // every message shown, in order
        QString target;                      // the file that must hold `expected`
        std::optional<QByteArray> expected;  // nothing: the file must not exist
        bool refuseUnset = false;
        bool typedAsIs = false;
    };
    const Case cases[] = {
        {"missing nested folder and another extension", "a/b/list.txt", {}, {}, true, {kDone}, "a/b/list.csv",
         kWritten},
        {"trailing slash", "a/", {}, {}, true, {"ファイル名が見つかりません。"}, "a", {}},
        {"bare name", "list.csv", {}, {}, true, {"ディレクトリが見つかりません。"}, "list.csv", {}, false, true},
        {"existing file answered No", "list.csv", kOld, MsgButton::No, true, {kOverwrite}, "list.csv", kOld},
        {"existing file answered OK", "list.csv", kOld, MsgButton::Ok, true, {kOverwrite, kDone}, "list.csv",
         kWritten},
        {"existing file answered Esc", "list.csv", kOld, lum::negativeAnswer(MsgButton::No | MsgButton::Ok), true,
         {kOverwrite}, "list.csv", kOld},
        {"data step False", "list.csv", kOld, MsgButton::Ok, false, {kOverwrite}, "list.csv", kOld},
        {"data step False, no file yet", "new.csv", {}, {}, false, {}, "new.csv", {}},
        {"unwritable folder", "/proc/lumorind-list.csv", {}, {}, true, {"CSVファイル名をオープンできません。"},
         "/proc/lumorind-list.csv", {}},
        {"folder that cannot be made", "/proc/lumorind/list.csv", {}, {}, true,
         {"ディレクトリの作成に失敗しました。"}, "/proc/lumorind", {}},
        {"path left unset", "未設定", {}, {}, true, {"ディレクトリが未設定です。"}, "未設定", {}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        // Typed as is when absolute, bare or unset; else below the test folder.
        const auto at = [&](const QString& p) { return p.startsWith(u'/') ? p : dir.filePath(p); };
        const QString typed = c.typedAsIs ? c.path : at(c.path);
        if (c.existing) writeFile(at(c.path), *c.existing);
        lum::ScriptedDialogs d;
        if (c.overwrite) d.expect(MsgKind::Warning, kOverwrite, *c.overwrite);
        for (const QString& m : c.messages) {
            if (m == kOverwrite) continue;
            d.expect(m == kDone ? MsgKind::Information : MsgKind::Error, m, MsgButton::Yes);
        }
        bool prepared = false;
        lum::CsvReportMember m = member({{"1", "山田"}}, &prepared, c.dataStep);
        m.refuseUnsetPath = c.refuseUnset;
        CsvReportWriter writer;
        const auto outcome = writer.write(typed, m);
        EXPECT_EQ(outcome == CsvReportWriter::Outcome::Written, c.expected == kWritten);
        QStringList shown;
        for (const lum::Message& msg : d.messages()) shown << msg.text;
        EXPECT_EQ(shown, c.messages);
        const QString target = at(c.target);
        if (c.expected) {
            EXPECT_EQ(readAll(target), *c.expected);
        } else {
            EXPECT_FALSE(QFileInfo::exists(target)) << target.toStdString();
        }
        // Nothing else is left in the folder: no temporary file.
        if (QFileInfo(target).path().startsWith(dir.path())) {
            const QStringList left = QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden);
            EXPECT_LE(left.size(), 1) << left.join(u' ').toStdString();
        }
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
}

TEST(CsvReportWriter, AFailingDataLineKeepsThePreviousFileAndNamesTheCharacter) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.csv"));
    writeFile(file, kOld);
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Warning, kOverwrite, MsgButton::Ok);
    d.expect(MsgKind::Error, QStringLiteral("書き出しでエラーが発生しました。"), MsgButton::Yes);
    CsvReportWriter writer;
    try {
        writer.write(file, member({{"1", "山田"}, {"2", "𠮷田"}, {"3", "佐藤"}}));
        ADD_FAILURE() << "the failure must go on to the error handler";
    } catch (const lum::CsvLineError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("「𠮷」"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QStringLiteral("3行目"))) << e.text().toStdString();
    }
    EXPECT_EQ(readAll(file), kOld);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"list.csv"}));
}

TEST(CsvReportWriter, AFailingHeadingShowsItsOwnMessageAndWritesNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grid.csv"));
    lum::CsvReportMember m = member({{"1", "山田"}});
    m.headingLines = [] {
        return std::vector<lum::CsvHeadingLine>{{{QStringLiteral("title")}},
                                                {{QStringLiteral("日付 😀")}, QStringLiteral("日付の書き出しができません。")}};
    };
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, QStringLiteral("日付の書き出しができません。"), MsgButton::Yes);
    EXPECT_EQ(CsvReportWriter().write(file, m), CsvReportWriter::Outcome::NotWritten);
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(CsvReportWriter, WritesCodePage932WithCrLfAndQuotesAsTheMemberAsks) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    lum::CsvReportMember m;
    m.quoting = CsvQuoting::WhereNeeded;
    m.writeRows = [](lum::CsvLineWriter& out) {
        out.writeLine({QStringLiteral("Ⅱa"), QStringLiteral("〜"), QStringLiteral("ｱ,ｲ")});
    };
    lum::ScriptedDialogs d;
    EXPECT_EQ(CsvReportWriter().write(file, m), CsvReportWriter::Outcome::Written);
    // Ⅱ is 87 55 (a row only code page 932 has); the wave dash typed on
    // Linux is stored as the full-width tilde 81 60.
    EXPECT_EQ(readAll(file), QByteArrayLiteral("\x87\x55\x61,\x81\x60,\"\xb1,\xb2\"\r\n"));
}

}  // namespace
