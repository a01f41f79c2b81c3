// The folders made for this system's own files (the database's and the
// settings keys') are owner-only whatever the umask; existing ones keep their mode.
#include "platform/db/owner_only_file.h"
#include "platform/owner_only_folder.h"
#include "support/file_modes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lum {
namespace {

using test::modeOf;
using test::Umask;

TEST(OwnerOnlyFolders, AreMadeOwnerOnlyUnderEveryUmask) {
    for (const mode_t mask : {mode_t(002), mode_t(022), mode_t(077), mode_t(0)}) {
        SCOPED_TRACE(mask);
        QTemporaryDir dir;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0751), 0);
        const Umask scope(mask);
        const QString settings = dir.filePath(QStringLiteral("config/Quorvex"));
        ASSERT_TRUE(makeOwnerOnlyFolders(settings));
        EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("config"))), 0700);
        EXPECT_EQ(modeOf(settings), 0700);
        EXPECT_EQ(modeOf(dir.path()), 0751) << "a folder that was there keeps its mode";

        const QString database = dir.filePath(QStringLiteral("data/lumorind/facility.db"));
        db::createOwnerOnlyDatabaseFile(database);
        EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("data"))), 0700);
        EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("data/lumorind"))), 0700);
        EXPECT_EQ(modeOf(database), 0600);
    }
}

TEST(OwnerOnlyFolders, AFolderThatCannotBeMadeSaysWhich) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(makeOwnerOnlyFolders(dir.filePath(QStringLiteral("file/sub")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("フォルダーを作れません: ") + dir.filePath(QStringLiteral("file/sub"))))
        << error.toStdString();
}

}  // namespace
}  // namespace lum
