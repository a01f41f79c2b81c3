#include "app/dbseting.h"

#include "temp_settings.h"

using lum::SettingsKey;

namespace {

// The 57-byte values for the passwords below: Blowfish with the 40-byte
// application key, vector "vandrelo", 64-bit CFB from position 0. The openssl
// command line cuts a Blowfish key to 16 bytes (its -K has no key length), so
// these were made through libcrypto's EVP interface (legacy provider, key
// length set to 40), a road apart from the low-level routines the code uses;
// the command-line vectors for the cipher itself are in blowfish_cfb_test.cpp.
struct Vector {
    const char* password;
    const char* hex;
};
const Vector kVectors[] = {
    {"4!+&=9-%",
     "329cd0a06a1bd1ef305630057c14570c04b09c9705ecfe45450830601b54862e7095b3c49b885f2a6008fed8df8d8edbb2a83c4fb74dad3cf7"},
    {"secret",
     "3cdb94e83e439cc227e3676b60963ee480ed7d42942e53d62c7f644e57cfa111e44bfaff06b59b91b92bb105474f563de37fd6795734201324"},
    {"",
     "3aa8f18b4c26e8c2f07e4735ac694e06dbc39337ccd544e0b85e845e1d7def38455bd6dc6c7f20c5feb124b1da21d2d5212fd0babb3220bf2e"},
    {"pa'ss",
     "3fd890ac3f55e8c2611db2a75f87a9d4bff74aa697365050f7cbd2036d9a8c0064c4f7527babe35adbd157a3edcd93a170327ad2ae88935cc8"},
};

class DBSetingTest : public TempSettingsTest {
protected:
    void store(const QByteArray& seting) {
        auto k = SettingsKey::openOrCreate(TDBSeting::KeyPath);
        k->writeText(QStringLiteral("Connection"), QStringLiteral("Provider=SQLite;Data Source=/tmp/x.db"));
        k->writeText(QStringLiteral("ID"), QStringLiteral("rihauser"));
        k->writeBinary(QStringLiteral("DBSeting"), seting);
        ASSERT_TRUE(k->flush());
    }
};

}  // namespace

TEST_F(DBSetingTest, AMissingKeyLeavesTheValuesOfCreation) {
    TDBSeting s;
    EXPECT_TRUE(s.ReadRegistry().isEmpty());
    EXPECT_EQ(s.Connection, QString());
    EXPECT_EQ(s.ID, QString());
    EXPECT_EQ(s.GetPassword(), QStringLiteral("4!+&=9-%"));
}

TEST_F(DBSetingTest, KnownVectorsDecipher) {
    for (const Vector& v : kVectors) {
        TDBSeting s;
        ASSERT_TRUE(s.DecodeSeting(QByteArray::fromHex(v.hex))) << v.password;
        EXPECT_EQ(s.GetPassword(), QString::fromLatin1(v.password));
        EXPECT_EQ(TDBSeting::EncodeSeting(QString::fromLatin1(v.password))->toHex(), QByteArray(v.hex));
    }
}

TEST_F(DBSetingTest, OnlyExactly57BytesAreDeciphered) {
    const QByteArray secret = QByteArray::fromHex(kVectors[1].hex);
    struct Row {
        QByteArray stored;
        QString password;
        bool reported;
    };
    const Row rows[] = {
        {secret, QStringLiteral("secret"), false},
        {secret.left(56), QStringLiteral("4!+&=9-%"), false},
        {secret + '\0', QStringLiteral("4!+&=9-%"), true},
        {QByteArray(), QStringLiteral("4!+&=9-%"), false},
    };
    for (const Row& r : rows) {
        store(r.stored);
        TDBSeting s;
        const QStringList errors = s.ReadRegistry();
        EXPECT_EQ(s.GetPassword(), r.password) << r.stored.size();
        EXPECT_EQ(!errors.isEmpty(), r.reported) << r.stored.size();
        EXPECT_EQ(s.Connection, QStringLiteral("Provider=SQLite;Data Source=/tmp/x.db"));
        EXPECT_EQ(s.ID, QStringLiteral("rihauser"));
    }
}

TEST_F(DBSetingTest, ALengthAbove56IsRefused) {
    // Enciphering an image whose length byte is 57 needs the raw cipher: the
    // password of 56 bytes of 'x' gives byte 0 = 56; flip it to 57 through the
    // stream cipher's exclusive or (CFB enciphers byte 0 with the vector alone).
    QByteArray value = *TDBSeting::EncodeSeting(QString(56, u'x'));
    value[0] = static_cast<char>(value[0] ^ (56 ^ 57));
    store(value);
    TDBSeting s;
    EXPECT_EQ(s.ReadRegistry().size(), 1);
    EXPECT_EQ(s.GetPassword(), QStringLiteral("4!+&=9-%"));
}

TEST_F(DBSetingTest, TheSetupDirectionRoundTripsAndRefusesWhatDoesNotFit) {
    const QString japanese = QStringLiteral("ﾊﾟｽ１２３");  // half-width kana 1 byte, full-width digits 2
    ASSERT_TRUE(TDBSeting::WriteRegistry(QStringLiteral("Provider=PostgreSQL;Host=h"), QStringLiteral("u"), japanese));
    TDBSeting s;
    EXPECT_TRUE(s.ReadRegistry().isEmpty());
    EXPECT_EQ(s.GetPassword(), japanese);
    EXPECT_EQ(s.Connection, QStringLiteral("Provider=PostgreSQL;Host=h"));

    QString error;
    EXPECT_TRUE(TDBSeting::EncodeSeting(QString(56, u'a')));
    EXPECT_FALSE(TDBSeting::EncodeSeting(QString(57, u'a'), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("57")));
    EXPECT_FALSE(TDBSeting::EncodeSeting(QString(29, u'あ'), &error));  // 58 bytes
    EXPECT_FALSE(TDBSeting::EncodeSeting(QStringLiteral("😀"), &error));
}
