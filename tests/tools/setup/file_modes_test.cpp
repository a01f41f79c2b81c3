// The facility database holds client records and the login table: the SQLite
// file, its -wal and -shm files and its folder are made owner-only by
// `lumorind-setup init` and by the first run of ./run.sh, whatever the umask;
// a file that already exists keeps its mode.
#include "setup_command.h"

#include "platform/db/database.h"
#include "platform/settings/settings_key.h"
#include "support/file_modes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

using lum::test::modeOf;
using lum::test::Umask;

// Opens the database and writes, so SQLite makes its -wal and -shm files.
void writeOnce(const QString& file) {
    auto db = lum::db::Database::open(QStringLiteral("Provider=SQLite;Data Source=") + file, {}, {});
    lum::db::inTransaction(*db, [&] { db->execute(QStringLiteral("CREATE TABLE ModeProbe (x INTEGER)")); });
    EXPECT_EQ(modeOf(file + QStringLiteral("-wal")), 0600) << "while open";
    EXPECT_EQ(modeOf(file + QStringLiteral("-shm")), 0600) << "while open";
}

int init(const QString& file) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = lum::setup::runSetupCommand(
        {QStringLiteral("init"), QStringLiteral("--connection"), QStringLiteral("Provider=SQLite;Data Source=") + file}, o,
        e);
    e.flush();
    EXPECT_EQ(code, lum::setup::Ok) << err.toStdString();
    return code;
}

class FileModes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        lum::SettingsKey::setRootFolder(tmp_.filePath(QStringLiteral("config")));
    }
    void TearDown() override { lum::SettingsKey::setRootFolder(QString()); }
    QTemporaryDir tmp_;
};

TEST_F(FileModes, InitMakesTheDatabaseItsFilesAndItsFoldersOwnerOnly) {
    Umask wide(022);
    const QString data = tmp_.filePath(QStringLiteral("share"));
    const QString file = data + QStringLiteral("/lumorind/lumorind.db");
    ASSERT_EQ(init(file), lum::setup::Ok);
    EXPECT_EQ(modeOf(file), 0600);
    EXPECT_EQ(modeOf(data + QStringLiteral("/lumorind")), 0700);
    EXPECT_EQ(modeOf(data), 0700) << "every folder init makes";
    writeOnce(file);
}

TEST_F(FileModes, AnExistingDatabaseFileKeepsItsMode) {
    Umask wide(022);
    const QString file = tmp_.filePath(QStringLiteral("shared.db"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    const int folderMode = modeOf(tmp_.path());
    ASSERT_EQ(init(file), lum::setup::Ok);
    EXPECT_EQ(modeOf(file), 0640) << "an administrator's choice stays";
    EXPECT_EQ(modeOf(tmp_.path()), folderMode);
}

// The first ./run.sh: scripts/first-run.sh runs init and demo under the
// user's umask.
TEST_F(FileModes, TheFirstRunMakesTheDatabaseOwnerOnly) {
    const QString home = tmp_.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("LUMORIND_CONFIG_DIR"), home + QStringLiteral("/.config"));
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("umask 022 && exec bash \"$0\" \"$1\""),
                                       QStringLiteral(LUMORIND_SOURCE_DIR "/scripts/first-run.sh"),
                                       QStringLiteral(LUMORIND_BUILD_DIR)});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    const QString folder = home + QStringLiteral("/.local/share/lumorind");
    EXPECT_EQ(modeOf(folder), 0700);
    EXPECT_EQ(modeOf(folder + QStringLiteral("/lumorind.db")), 0600);
    EXPECT_EQ(modeOf(home + QStringLiteral("/.config/Quorvex/Lumorind5.reg")), 0600);
    writeOnce(folder + QStringLiteral("/lumorind.db"));
}

}  // namespace
