// Where the file dialogs open and which names they take, on a fresh home
// folder: the real dialog, driven offscreen from a timer, opens in the
// documents folder, reopens where each kind of file was last chosen, and
// refuses a wildcard or a folder's name with a message while staying open.
#include "platform/settings/settings_key.h"
#include "platform/ui/file_dialog_rules.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/qt_printers.h"
#include "support/real_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lum {
namespace {

const QString kCsv = QStringLiteral("CSV|*.csv;*.CSV");
const QString kPdf = QStringLiteral("PDF (*.pdf)|*.pdf");

QString wildcardText(const QString& name) {
    return QStringLiteral("「%1」はファイル名に使えません。\n「*」「?」を含まない名前を入力してください。").arg(name);
}
QString folderText(const QString& name) {
    return QStringLiteral("「%1」はフォルダーです。\nファイル名を入力してください。").arg(name);
}

class FreshHome : public ::testing::Test {
protected:
    void TearDown() override { SettingsKey::setRootFolder(QString()); }
    QString documents() const { return fresh_.documents(); }

    test::ScopedFreshHome fresh_;
};

using test::folderOf;
using test::inNextFileDialog;
using test::typeAndAccept;

TEST_F(FreshHome, ASaveDialogOpensInTheDocumentsFolderAndRefusesWildcards) {
    ScriptedDialogs d;
    d.expect(MsgKind::Warning, wildcardText(QStringLiteral("*")), MsgButton::Ok)
        .expect(MsgKind::Warning, wildcardText(QStringLiteral("五月?.csv")), MsgButton::Ok);
    QString opened;
    bool openAfterRefusal = false;
    inNextFileDialog([&](QFileDialog& dialog) {
        opened = folderOf(dialog);
        typeAndAccept(dialog, QStringLiteral("*"));
        typeAndAccept(dialog, QStringLiteral("五月?.csv"));
        openAfterRefusal = dialog.isVisible();
        typeAndAccept(dialog, QStringLiteral("五月"));
    });
    QtDialogs real;
    const QString chosen = real.chooseFile({FileMode::Save, QStringLiteral("エクスポート"), QString(), kCsv, nullptr});
    EXPECT_EQ(opened, documents()) << "not the folder the program was started from";
    EXPECT_TRUE(openAfterRefusal);
    // The kind's suffix is added to a name typed without one.
    EXPECT_EQ(chosen, QDir(documents()).filePath(QStringLiteral("五月.csv")));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_F(FreshHome, AFolderNameOpensThatFolderAndEachKindReopensWhereItWasChosen) {
    const QString out = QDir(documents()).filePath(QStringLiteral("出力"));
    ASSERT_TRUE(QDir().mkpath(out));
    ScriptedDialogs d;
    d.expect(MsgKind::Warning, folderText(QStringLiteral("出力")), MsgButton::Ok);
    QtDialogs real;
    inNextFileDialog([&](QFileDialog& dialog) {
        EXPECT_EQ(folderOf(dialog), documents());
        typeAndAccept(dialog, QStringLiteral("出力"));
        EXPECT_TRUE(dialog.isVisible()) << "a folder's name is no file name";
        EXPECT_EQ(folderOf(dialog), out);
        typeAndAccept(dialog, QStringLiteral("六月.csv"));
    });
    EXPECT_EQ(real.chooseFile({FileMode::Save, QString(), QString(), kCsv, nullptr}),
              QDir(out).filePath(QStringLiteral("六月.csv")));

    // Where each kind opens next: a CSV file where one was chosen, with the
    // preset's name when its own folder is gone; a PDF in the documents folder.
    struct Case {
        FileMode mode;
        QString preset, filter, folder, name;
    };
    const Case cases[] = {
        {FileMode::Save, QString(), kCsv, out, QString()},
        {FileMode::Open, QStringLiteral("/無い/利用者.csv"), QStringLiteral("CSV|*.csv;*.txt"), out,
         QStringLiteral("利用者.csv")},
        {FileMode::Save, QString(), kPdf, documents(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        inNextFileDialog([&](QFileDialog& dialog) {
            EXPECT_EQ(folderOf(dialog), c.folder);
            EXPECT_EQ(test::fileNameEdit(dialog)->text(), c.name);
            dialog.reject();
        });
        EXPECT_EQ(real.chooseFile({c.mode, QString(), c.preset, c.filter, nullptr}), QString());
    }
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_F(FreshHome, StartPathsNeverUseTheWorkingFolder) {
    const QString kept = QDir(fresh_.home()).filePath(QStringLiteral("保存先"));
    ASSERT_TRUE(QDir().mkpath(kept));
    struct Case {
        const char* what;
        FileRequest request;
        QString start;
    };
    const QString docs = documents();
    const Case cases[] = {
        {"nothing preset", {FileMode::Save, {}, {}, kCsv, nullptr}, docs},
        {"a bare name", {FileMode::Save, {}, QStringLiteral("一覧.csv"), kCsv, nullptr}, docs + "/一覧.csv"},
        {"a relative path keeps its name only", {FileMode::Save, {}, QStringLiteral("sub/一覧.csv"), kCsv, nullptr},
         docs + "/一覧.csv"},
        {"a window's remembered file", {FileMode::Save, {}, kept + "/一覧.csv", kCsv, nullptr}, kept + "/一覧.csv"},
        {"a window's remembered folder", {FileMode::Open, {}, kept + "/", kCsv, nullptr}, kept},
        {"a wildcard name is not offered", {FileMode::Save, {}, kept + "/*.csv", kCsv, nullptr}, kept},
        {"a gone folder", {FileMode::Directory, {}, QStringLiteral("/無い/フォルダー"), {}, nullptr}, docs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(startPathOf(c.request), c.start);
    }
    EXPECT_TRUE(QFileInfo(docs).isDir()) << "the documents folder is made for the dialog";
}

TEST_F(FreshHome, TheFoldersOutliveTheRunInTheSettingsKey) {
    SettingsKey::setRootFolder(QDir(fresh_.home()).filePath(QStringLiteral("config")));
    const QString key = QStringLiteral("\\Software\\Test\\FileFolders");
    keepFileFoldersIn(key);
    rememberFileFolder(QStringLiteral("csv"), fresh_.home());
    keepFileFoldersIn(key);  // the next run
    EXPECT_EQ(lastFileFolder(QStringLiteral("csv")), fresh_.home());
    EXPECT_EQ(lastFileFolder(QStringLiteral("pdf")), QString());
    rememberFileFolder(QStringLiteral("pdf"), QDir(fresh_.home()).filePath(QStringLiteral("消えた")));
    EXPECT_EQ(lastFileFolder(QStringLiteral("pdf")), QString()) << "a folder that is gone";
    keepFileFoldersIn(QString());
    EXPECT_EQ(lastFileFolder(QStringLiteral("csv")), QString()) << "for the run only, from an empty memory";
}

TEST(FileDialogRules, KindsAndRefusedNames) {
    const std::pair<FileRequest, QString> kinds[] = {
        {{FileMode::Save, {}, {}, kCsv, nullptr}, "csv"},
        {{FileMode::Save, {}, {}, kPdf, nullptr}, "pdf"},
        {{FileMode::Open, {}, {}, QStringLiteral("すべて|*|CSV|*.csv"), nullptr}, "csv"},
        {{FileMode::Open, {}, {}, QStringLiteral("レポートファイル (*.frp)|*.frp"), nullptr}, "frp"},
        {{FileMode::Directory, {}, {}, {}, nullptr}, "folder"},
        {{FileMode::Open, {}, {}, {}, nullptr}, ""},
    };
    for (const auto& [request, kind] : kinds) EXPECT_EQ(fileKindOf(request), kind) << request.filter.toStdString();

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("在る.csv"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString missing = dir.filePath(QStringLiteral("無い.csv"));
    struct Case {
        QString chosen;
        FileMode mode;
        QString refused;
    };
    const Case cases[] = {
        {dir.filePath("*"), FileMode::Save, wildcardText("*")},
        {dir.filePath("a?.csv"), FileMode::Save, wildcardText("a?.csv")},
        {dir.filePath("*.csv"), FileMode::Open, wildcardText("*.csv")},
        {dir.path(), FileMode::Save, folderText(QFileInfo(dir.path()).fileName())},
        {missing, FileMode::Save, QString()},
        {file, FileMode::Save, QString()},
        {file, FileMode::Open, QString()},
        {missing, FileMode::Open, QStringLiteral("ファイル「無い.csv」が見つかりません。")},
        {dir.path(), FileMode::Open, QString()},  // the dialog goes into it
        {dir.path(), FileMode::Directory, QString()},
        {missing, FileMode::Directory, QStringLiteral("フォルダー「無い.csv」が見つかりません。")},
    };
    for (const Case& c : cases) EXPECT_EQ(refusedFileNameText(c.chosen, c.mode), c.refused) << c.chosen.toStdString();
}

}  // namespace
}  // namespace lum
