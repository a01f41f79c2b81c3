#include "app/registory.h"

#include "temp_settings.h"

#include <QDir>
#include <QStandardPaths>

using lum::SettingsKey;

namespace {

class RegistoryTest : public TempSettingsTest {
protected:
    std::unique_ptr<SettingsKey> key() { return SettingsKey::openOrCreate(TRegistory::KeyPath); }
};

QStringList allTexts(const TRegistory& r) {
    return {r.Import, r.Export, r.Toukei0, r.Toukei1, r.Toukei2, r.AllUser, r.Keitai,
            r.PrnSch, r.Tavelund, r.ID, r.Password, r.MDBConnection, r.WinState};
}

}  // namespace

TEST_F(RegistoryTest, AMissingKeyGivesTheDefaults) {
    TRegistory r;
    r.Import = QStringLiteral("changed");
    r.ServFlg = 2;
    EXPECT_TRUE(r.ReadRegistry().isEmpty());
    // The CSV paths start as the documents folder, which names no file yet;
    // the link's file path keeps the home folder.
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u'/';
    EXPECT_EQ(TRegistory::DefaultFolder(), docs);
    const QString home = QDir::homePath();
    EXPECT_EQ(allTexts(r), (QStringList{docs, docs, docs, docs, docs, docs, docs, docs, QString(), QString(),
                                        QString(), home, QStringLiteral("wsMaximized")}));
    EXPECT_EQ(r.ServFlg, 0);
    EXPECT_TRUE(r.IsMaximized());
    EXPECT_FALSE(QFile::exists(SettingsKey::filePathOf(TRegistory::KeyPath)));
}

TEST_F(RegistoryTest, MissingValuesOfAnExistingKeyAreEmpty) {
    {
        auto k = key();
        k->writeText(QStringLiteral("WinState"), QStringLiteral("wsNormal"));
        ASSERT_TRUE(k->flush());
    }
    TRegistory r;
    EXPECT_TRUE(r.ReadRegistry().isEmpty());
    QStringList expected(13, QString());
    expected.last() = QStringLiteral("wsNormal");
    EXPECT_EQ(allTexts(r), expected);
    EXPECT_EQ(r.ServFlg, 0);
    EXPECT_FALSE(r.IsMaximized());
}

TEST_F(RegistoryTest, WriteThenReadGivesTheSameValuesAndTypes) {
    TRegistory w;
    w.Import = QStringLiteral("/data/取込");
    w.Export = QStringLiteral("/data/出力.csv");
    w.Toukei0 = QStringLiteral("t0");
    w.Toukei1 = QStringLiteral("t1");
    w.Toukei2 = QStringLiteral("t2");
    w.AllUser = QStringLiteral("a");
    w.Keitai = QStringLiteral("k");
    w.PrnSch = QStringLiteral("p");
    w.ServFlg = 1;
    w.Tavelund = QStringLiteral("Provider=X;Data Source=y");
    w.ID = QStringLiteral("sa");
    w.Password = QStringLiteral("pa'ss");
    w.MDBConnection = QStringLiteral("m");
    w.WinState = TRegistory::Normal;
    ASSERT_TRUE(w.WriteRegistry());

    TRegistory r;
    EXPECT_TRUE(r.ReadRegistry().isEmpty());
    EXPECT_EQ(allTexts(r), allTexts(w));
    EXPECT_EQ(r.ServFlg, 1);
    auto k = SettingsKey::open(TRegistory::KeyPath);
    EXPECT_EQ(k->typeOf(QStringLiteral("ServFlg")), lum::SettingType::Integer);
    EXPECT_EQ(k->typeOf(QStringLiteral("WinState")), lum::SettingType::Text);
}

TEST_F(RegistoryTest, ValuesOfAnotherTypeAreReportedAndTheRestIsRead) {
    {
        auto k = key();
        k->writeText(QStringLiteral("ServFlg"), QStringLiteral("1"));  // a text where a number belongs: mode 0
        k->writeInteger(QStringLiteral("Export"), 7);                   // a number where a text belongs
        k->writeText(QStringLiteral("Import"), QStringLiteral("/in"));
        k->writeText(QStringLiteral("WinState"), QStringLiteral("wsNormal"));
        ASSERT_TRUE(k->flush());
    }
    TRegistory r;
    const QStringList errors = r.ReadRegistry();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("Export")));
    EXPECT_EQ(r.ServFlg, 0);
    EXPECT_EQ(r.Import, QStringLiteral("/in"));
    EXPECT_EQ(r.Export, TRegistory::DefaultFolder());  // kept its default
    EXPECT_EQ(r.WinState, QStringLiteral("wsNormal"));
}
