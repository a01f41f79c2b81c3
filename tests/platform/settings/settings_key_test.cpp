#include "platform/settings/settings_key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include "support/file_modes.h"

#include <sys/stat.h>
#endif

using lum::SettingsKey;
using lum::SettingType;

namespace {

const QString kKey = QStringLiteral("\\Software\\Quorvex\\TestKey");

class SettingsKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SettingsKey::setRootFolder(dir_.path());
    }
    void TearDown() override { SettingsKey::setRootFolder(QString()); }

    void writeFile(const QByteArray& contents) {
        QFile f(SettingsKey::filePathOf(kKey));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(f).absolutePath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(SettingsKeyTest, AMissingKeyIsNotCreatedByOpening) {
    EXPECT_EQ(SettingsKey::open(kKey), nullptr);
    EXPECT_FALSE(QFile::exists(SettingsKey::filePathOf(kKey)));
    EXPECT_EQ(SettingsKey::filePathOf(kKey), dir_.filePath(QStringLiteral("Quorvex/TestKey.reg")));
}

TEST_F(SettingsKeyTest, TheThreeTypesSurviveAWriteAndARead) {
    const QByteArray bytes("\x00\x01\xfe\xff", 4);
    {
        auto key = SettingsKey::openOrCreate(kKey);
        ASSERT_NE(key, nullptr);
        key->writeText(QStringLiteral("Path"), QStringLiteral("/home/職員/\"引用\"\\ x\nline2"));
        key->writeText(QStringLiteral("Number"), QStringLiteral("42"));
        key->writeInteger(QStringLiteral("Flag"), -2);
        key->writeBinary(QStringLiteral("Blob"), bytes);
        key->writeBinary(QStringLiteral("Empty"), QByteArray());
        ASSERT_TRUE(key->flush());
    }
    EXPECT_EQ(QFile::permissions(SettingsKey::filePathOf(kKey)),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    auto key = SettingsKey::open(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readText(QStringLiteral("Path")), QStringLiteral("/home/職員/\"引用\"\\ x\nline2"));
    EXPECT_EQ(key->typeOf(QStringLiteral("Number")), SettingType::Text);
    EXPECT_EQ(key->typeOf(QStringLiteral("Flag")), SettingType::Integer);
    EXPECT_EQ(key->readInteger(QStringLiteral("Flag")), -2);
    EXPECT_EQ(key->readBinary(QStringLiteral("Blob")), bytes);
    EXPECT_EQ(key->typeOf(QStringLiteral("Empty")), SettingType::Binary);
    EXPECT_EQ(key->typeOf(QStringLiteral("Nothing")), SettingType::Missing);
    EXPECT_EQ(key->readText(QStringLiteral("Nothing")), QString());
    EXPECT_EQ(key->readInteger(QStringLiteral("Nothing")), std::nullopt);
}

TEST_F(SettingsKeyTest, AValueOfAnotherTypeRaises) {
    writeFile("\"Text\"=\"1\"\n\"Int\"=dword:00000001\n\"Bin\"=hex:01,02\n");
    auto key = SettingsKey::open(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_THROW(key->readInteger(QStringLiteral("Text")), lum::SettingTypeError);
    EXPECT_THROW(key->readText(QStringLiteral("Int")), lum::SettingTypeError);
    EXPECT_THROW(key->readText(QStringLiteral("Bin")), lum::SettingTypeError);
    EXPECT_THROW(key->readBinary(QStringLiteral("Text")), lum::SettingTypeError);
    EXPECT_EQ(key->readBinary(QStringLiteral("Bin")), QByteArray("\x01\x02"));
}

TEST_F(SettingsKeyTest, BrokenLinesAreSkipped) {
    writeFile("garbage\n\"Good\"=\"yes\"\n\"Bad\"=dword:xyz\n\"Unclosed=\"a\n");
    auto key = SettingsKey::open(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readText(QStringLiteral("Good")), QStringLiteral("yes"));
    EXPECT_EQ(key->typeOf(QStringLiteral("Bad")), SettingType::Missing);
}

TEST_F(SettingsKeyTest, TheEnvironmentChoosesTheRootWhenNoFolderIsSet) {
    SettingsKey::setRootFolder(QString());
    qputenv("LUMORIND_CONFIG_DIR", dir_.path().toUtf8());
    EXPECT_EQ(SettingsKey::rootFolder(), dir_.path());
    qunsetenv("LUMORIND_CONFIG_DIR");
}

#ifdef Q_OS_UNIX
namespace {

constexpr QFileDevice::Permissions kGroupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                   QFileDevice::WriteOther | QFileDevice::ExeOther;

using lum::test::modeOf;
using lum::test::Umask;

// Files in the key's folder that others could read (the key, a save's temporary file, a lock).
QStringList filesOpenToOthers(const QString& folder) {
    QStringList open;
    const auto entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        if (info.permissions() & kGroupOrOther) open << info.fileName();
    }
    return open;
}

}  // namespace

// The key holds passwords: owner-only from the moment the file exists, through
// every write, whether the write comes from flush() or from closing the key.
TEST_F(SettingsKeyTest, TheKeyFileIsOwnerOnlyFromItsCreationThroughEveryWrite) {
    const Umask umask022(022);
    const QString file = SettingsKey::filePathOf(kKey);
    const QString folder = QFileInfo(file).absolutePath();
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                           QFileDevice::WriteUser;
    {
        auto key = SettingsKey::openOrCreate(kKey);
        ASSERT_NE(key, nullptr);
        ASSERT_TRUE(QFile::exists(file));
        EXPECT_EQ(QFile::permissions(file), ownerOnly) << "before the first write";
        key->writeBinary(QStringLiteral("Password"), QByteArray(57, '\x5a'));
    }  // first write: the key's own save on closing, without flush()
    EXPECT_EQ(QFile::permissions(file), ownerOnly) << "after the first write";
    EXPECT_EQ(filesOpenToOthers(folder), QStringList());

    {
        auto key = SettingsKey::open(kKey);
        ASSERT_NE(key, nullptr);
        key->writeText(QStringLiteral("Link"), QStringLiteral("secret"));
    }  // second write replaces the file
    EXPECT_EQ(QFile::permissions(file), ownerOnly) << "after the second write";
    EXPECT_EQ(filesOpenToOthers(folder), QStringList());

    auto key = SettingsKey::open(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readBinary(QStringLiteral("Password")), QByteArray(57, '\x5a'));
    EXPECT_EQ(key->readText(QStringLiteral("Link")), QStringLiteral("secret"));
}

// The folders made for the keys are the user's alone, like the database's,
// even under a umask that leaves new folders open to the group; a folder
// that was there keeps its mode.
TEST_F(SettingsKeyTest, TheFoldersMadeForAKeyAreOwnerOnlyUnderAGroupUmask) {
    const Umask umask002(002);
    ASSERT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    const QString root = dir_.filePath(QStringLiteral("config/lumorind"));
    SettingsKey::setRootFolder(root);
    const QString nested = QStringLiteral("\\Software\\Quorvex\\Lumorind5SHR\\Print");
    {
        auto key = SettingsKey::openOrCreate(nested);
        ASSERT_NE(key, nullptr);
        key->writeText(QStringLiteral("Folder"), QStringLiteral("/tmp"));
        ASSERT_TRUE(key->flush());
    }
    for (const QString& made : {dir_.filePath(QStringLiteral("config")), root, root + QStringLiteral("/Quorvex"),
                                root + QStringLiteral("/Quorvex/Lumorind5SHR")}) {
        EXPECT_EQ(modeOf(made), 0700) << made.toStdString();
    }
    EXPECT_EQ(modeOf(dir_.path()), 0755) << "a folder that was there keeps its mode";
    EXPECT_EQ(modeOf(SettingsKey::filePathOf(nested)), 0600);

    // Removed while the key is open, the folder comes back owner-only with the next save.
    auto key = SettingsKey::open(nested);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(QDir(root + QStringLiteral("/Quorvex")).removeRecursively());
    key->writeText(QStringLiteral("Folder"), QStringLiteral("/var/tmp"));
    ASSERT_TRUE(key->flush());
    EXPECT_EQ(modeOf(root + QStringLiteral("/Quorvex")), 0700);
    EXPECT_EQ(modeOf(root + QStringLiteral("/Quorvex/Lumorind5SHR")), 0700);
    EXPECT_EQ(modeOf(SettingsKey::filePathOf(nested)), 0600);
}

TEST_F(SettingsKeyTest, AKeyFileOpenToOthersIsMadeOwnerOnlyAndARemovedOneComesBackOwnerOnly) {
    const Umask umask022(022);
    const QString file = SettingsKey::filePathOf(kKey);
    writeFile("\"Old\"=\"value\"\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther));
    auto key = SettingsKey::openOrCreate(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(QFile::permissions(file) & kGroupOrOther);
    EXPECT_EQ(key->readText(QStringLiteral("Old")), QStringLiteral("value"));

    ASSERT_TRUE(QFile::remove(file));
    key->writeText(QStringLiteral("New"), QStringLiteral("value"));
    ASSERT_TRUE(key->flush());
    EXPECT_FALSE(QFile::permissions(file) & kGroupOrOther);
    EXPECT_EQ(filesOpenToOthers(QFileInfo(file).absolutePath()), QStringList());
}
#endif
