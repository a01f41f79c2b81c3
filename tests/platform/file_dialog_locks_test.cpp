// The real file dialog, shown offscreen on the folder of an open SQLite
// database, lists the folder and closes: the database keeps every lock it
// held (on Linux, any descriptor of the file closed elsewhere in the process
// would drop them), and a second process on the same file loses nothing.
#include "platform/db/database.h"
#include "platform/db/open_database_files.h"
#include "platform/ui/name_only_icon_provider.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum {
namespace {

struct HeldLocks {
    QStringList file;
    QStringList shm;
    bool operator==(const HeldLocks&) const = default;
};

// The locks this process holds on the database file and its -shm ("READ 128
// 1"), as a second process finds them with F_GETLK: asked from outside, so
// nothing here opens the files (closing a descriptor of one would drop the
// very locks looked for), and the answers come from the kernel's lock records
// themselves, not from a listing of every lock read in pieces.
HeldLocks locksOfDatabase(const QString& file) {
    const QString shm = file + QStringLiteral("-shm");
    QProcess peer;
    peer.start(QStringLiteral(LUMORIND_LOCK_PEER), {QString::number(QCoreApplication::applicationPid()), file, shm});
    if (!peer.waitForFinished(30000) || peer.exitStatus() != QProcess::NormalExit || peer.exitCode() != 0) {
        return {{QStringLiteral("lock_peer failed: ") + QString::fromLocal8Bit(peer.readAllStandardError())}, {}};
    }
    HeldLocks held;
    QStringList* into = nullptr;
    for (const QString& line : QString::fromLocal8Bit(peer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line == QStringLiteral("= ") + file) into = &held.file;
        else if (line == QStringLiteral("= ") + shm) into = &held.shm;
        else if (into) into->append(line);
    }
    return held;
}

std::string describe(const HeldLocks& locks) {
    return ("file: [" + locks.file.join(QStringLiteral(", ")) + "] -shm: [" + locks.shm.join(QStringLiteral(", ")) +
            "]")
        .toStdString();
}

// Waits, from inside the next file dialog, until it lists `names` in
// `folder` with their icons and types (what its list and detail views show),
// then closes it. A dialog that never lists them is closed after a while and
// the test fails, so nothing blocks.
void listThenClose(const QString& folder, const QStringList& names) {
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, folder, names] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
        bool listed = false;
        if (model) {
            const QModelIndex root = model->index(folder);
            QStringList seen;
            for (int row = 0; row < model->rowCount(root); ++row) {
                for (int column = 0; column < model->columnCount(root); ++column) {
                    const QModelIndex cell = model->index(row, column, root);
                    (void)cell.data(Qt::DisplayRole);
                    (void)cell.data(Qt::DecorationRole);
                }
                seen.append(model->fileName(model->index(row, 0, root)));
            }
            listed = std::all_of(names.begin(), names.end(), [&seen](const QString& n) { return seen.contains(n); });
        }
        const bool late = clock->elapsed() > 10000;
        if (!listed && !late) return;
        if (late) ADD_FAILURE() << "the file dialog did not list " << names.join(u' ').toStdString();
        if (dialog) dialog->reject();
        poll->stop();
        poll->deleteLater();
        delete clock;
    });
    poll->start();
}

// Lists compared as one line each, so a failure shows the texts.
std::string joined(const QStringList& texts) { return texts.join(QStringLiteral(" / ")).toStdString(); }

const QString kAll = QStringLiteral("すべて|*|CSV|*.csv");

class FileDialogLocks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("sub")));
        file_ = dir_.filePath(QStringLiteral("facility.db"));
        db_ = db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + file_, {}, {},
                                 db::Database::Create::Yes);
        db_->execute(QStringLiteral("CREATE TABLE Notes(Id INTEGER PRIMARY KEY, Text TEXT NOT NULL)"));
    }

    void write(const QString& text) {
        db::inTransaction(*db_, [&] {
            QSqlQuery insert = db_->prepare(QStringLiteral("INSERT INTO Notes(Text) VALUES(:text)"));
            insert.bindValue(QStringLiteral(":text"), text);
            db_->exec(insert);
        });
    }

    QStringList texts(db::Database& db) {
        QSqlQuery all = db.prepare(QStringLiteral("SELECT Text FROM Notes ORDER BY Id"));
        db.exec(all);
        QStringList out;
        while (all.next()) out.append(all.value(0).toString());
        return out;
    }

    // The application's file dialog on the database's folder, listed and closed.
    void showDialog(FileMode mode) {
        const QStringList files = {QStringLiteral("facility.db"), QStringLiteral("facility.db-wal"),
                                   QStringLiteral("facility.db-shm")};
        listThenClose(dir_.path(), mode == FileMode::Directory ? QStringList{QStringLiteral("sub")} : files);
        QtDialogs real;
        EXPECT_EQ(real.chooseFile({mode, QStringLiteral("エクスポート"), dir_.filePath(QStringLiteral("a.csv")), kAll,
                                   nullptr}),
                  QString());
    }

    QTemporaryDir dir_;
    QString file_;
    std::unique_ptr<db::Database> db_;
};

TEST_F(FileDialogLocks, TheDatabaseKeepsEveryLockThroughFiftyDialogs) {
    write(QStringLiteral("最初"));
    const QStringList first = texts(*db_);
    const HeldLocks before = locksOfDatabase(file_);
    ASSERT_FALSE(before.file.isEmpty()) << describe(before);
    ASSERT_FALSE(before.shm.isEmpty()) << describe(before);
    const FileMode modes[] = {FileMode::Open, FileMode::Save, FileMode::Directory};
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        write(QStringLiteral("回 %1").arg(round));
        showDialog(modes[round % 3]);
        const HeldLocks after = locksOfDatabase(file_);
        ASSERT_EQ(after, before) << "before " << describe(before) << "\nafter " << describe(after);
    }
    EXPECT_EQ(texts(*db_).size(), first.size() + 50);
}

// The check above sees a lock dropped: a descriptor of a database file opened
// and closed in this process, as a dialog reading the file would, takes every
// lock of the process on that file with it, and only on that file.
TEST_F(FileDialogLocks, TheLockCheckSeesADroppedLock) {
    write(QStringLiteral("最初"));
    const HeldLocks before = locksOfDatabase(file_);
    ASSERT_FALSE(before.file.isEmpty()) << describe(before);
    ASSERT_FALSE(before.shm.isEmpty()) << describe(before);
    ASSERT_EQ(locksOfDatabase(file_), before) << "asked twice, the same answer";
    const auto openAndClose = [](const QString& path) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ::close(fd);
    };

    openAndClose(file_);
    const HeldLocks fileDropped = locksOfDatabase(file_);
    EXPECT_NE(fileDropped, before);
    EXPECT_EQ(fileDropped.file, QStringList()) << describe(fileDropped);
    EXPECT_EQ(fileDropped.shm, before.shm) << describe(fileDropped);

    openAndClose(file_ + QStringLiteral("-shm"));
    const HeldLocks bothDropped = locksOfDatabase(file_);
    EXPECT_EQ(bothDropped, HeldLocks{}) << describe(bothDropped);
}

TEST_F(FileDialogLocks, TwoProcessesKeepEveryWriteThroughTheDialog) {
    // The other workstation writes and is the last to close its connection:
    // with this process's locks gone it would checkpoint and delete the -wal
    // this process still writes to.
    const auto peer = [this](const QString& text) {
        QProcess p;
        p.start(QStringLiteral(LUMORIND_SQLITE_PEER), {file_, text});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    write(QStringLiteral("こちら1"));
    EXPECT_EQ(joined(peer(QStringLiteral("あちら1"))), joined({"こちら1", "あちら1"}));
    showDialog(FileMode::Save);
    showDialog(FileMode::Open);
    EXPECT_EQ(joined(peer(QStringLiteral("あちら2"))), joined({"こちら1", "あちら1", "あちら2"}));
    write(QStringLiteral("こちら2"));
    EXPECT_EQ(joined(peer(QStringLiteral("あちら3"))), joined({"こちら1", "あちら1", "あちら2", "こちら2", "あちら3"}));
    EXPECT_EQ(joined(texts(*db_)), joined({"こちら1", "あちら1", "あちら2", "こちら2", "あちら3"}));
    write(QStringLiteral("こちら3"));
    db_.reset();

    auto check = db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + file_, {}, {});
    EXPECT_EQ(joined(texts(*check)), joined({"こちら1", "あちら1", "あちら2", "こちら2", "あちら3", "こちら3"}));
    QSqlQuery integrity = check->prepare(QStringLiteral("PRAGMA integrity_check"));
    check->exec(integrity);
    ASSERT_TRUE(integrity.next());
    EXPECT_EQ(integrity.value(0).toString(), QStringLiteral("ok"));
}

// The dialog's icons and types come from names alone: a file whose name
// says nothing is a plain file, whatever it holds, and is never opened.
TEST(NameOnlyIconProvider, TellsTypesByNameWithoutReadingTheFile) {
    QTemporaryDir dir;
    const QString unnamed = dir.filePath(QStringLiteral("facility.db-wal"));
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    const QString unknown = dir.filePath(QStringLiteral("other.unknownsuffix"));
    for (const QString& path : {unnamed, pdf, unknown}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");  // the contents would say PDF for both
    }
    // Unreadable: a provider that opened the file would be refused.
    ASSERT_EQ(::chmod(QFile::encodeName(unnamed).constData(), 0), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(pdf).constData(), 0), 0);
    NameOnlyIconProvider icons;
    const QString plain = icons.type(QFileInfo(unnamed));
    EXPECT_EQ(plain.toStdString(), icons.type(QFileInfo(unknown)).toStdString());
    EXPECT_NE(icons.type(QFileInfo(pdf)).toStdString(), plain.toStdString());
    EXPECT_NE(icons.type(QFileInfo(dir.path())).toStdString(), plain.toStdString());
    EXPECT_FALSE(icons.icon(QFileInfo(unnamed)).isNull());
    EXPECT_FALSE(icons.icon(QFileInfo(dir.path())).isNull());
}

// A file of the open database is never handed to a window that would read or
// write it outside SQLite; any other file, and the database's folder, is.
TEST_F(FileDialogLocks, ThePickersRefuseTheOpenDatabasesFiles) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                  QStringLiteral("-journal")}) {
        const QString chosen = file_ + suffix;
        SCOPED_TRACE(chosen.toStdString());
        EXPECT_TRUE(db::isOpenDatabaseFile(chosen));
        ScriptedDialogs script;
        script.expectFile(FileMode::Open, chosen)
            .expect(MsgKind::Warning, databaseFileRefusedText(chosen), MsgButton::Ok);
        EXPECT_EQ(chooseFile({FileMode::Open, {}, {}, kAll, nullptr}), QString());
        EXPECT_TRUE(script.allDone()) << script.report().toStdString();
    }
    // Another path to the same file is the same file.
    const QString link = dir_.filePath(QStringLiteral("sub/link.csv"));
    ASSERT_EQ(::symlink(QFile::encodeName(file_).constData(), QFile::encodeName(link).constData()), 0);
    EXPECT_TRUE(db::isOpenDatabaseFile(link));
    EXPECT_TRUE(db::isOpenDatabaseFile(dir_.filePath(QStringLiteral("sub/../facility.db"))));

    const QString other = dir_.filePath(QStringLiteral("facility.db.csv"));
    EXPECT_FALSE(db::isOpenDatabaseFile(other));
    ScriptedDialogs script;
    script.expectFile(FileMode::Save, other).expectFile(FileMode::Directory, dir_.path());
    EXPECT_EQ(chooseFile({FileMode::Save, {}, {}, kAll, nullptr}), other);
    EXPECT_EQ(chooseFile({FileMode::Directory, {}, {}, {}, nullptr}), dir_.path());
    EXPECT_TRUE(script.allDone()) << script.report().toStdString();

    // Closed, the file is an ordinary file again.
    db_.reset();
    EXPECT_FALSE(db::isOpenDatabaseFile(file_));
}

}  // namespace
}  // namespace lum
