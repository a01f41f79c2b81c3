// libcrypto's Blowfish is the reference the cipher is held against.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "platform/settings/blowfish_cfb.h"

#include <openssl/blowfish.h>

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace lum::blowfish;

namespace {

// The 57-byte short-string image: length byte, text, zeros.
QByteArray image(const QByteArray& text) {
    QByteArray out(57, '\0');
    out[0] = static_cast<char>(text.size());
    out.replace(1, text.size(), text);
    return out;
}

const QByteArray kIv = "vandrelo";
const QByteArray kKey16 = "KdhTwqPLmvbaRsye";

}  // namespace

// Made with: openssl enc -bf-cfb -provider legacy -provider default -nosalt
//   -K 4b6468547771504c6d76626152737965 -iv 76616e6472656c6f
TEST(BlowfishCfb, MatchesTheOpensslCommandLine) {
    struct Row {
        QByteArray plain;
        const char* hex;
    };
    const Row rows[] = {
        {"Hello, Blowfish CFB!", "07e3a520b6783cb72f9208a28b3a0ae41f32e150"},
        {image("secret"),
         "49f5ac2fab3168f525797d879464c7f22408be4e7ae29468b3d0101bede38a7609630b44a846fd091ea18caea30f8ef1c08e464b43"
         "0d684106"},
        {image("4!+&=9-%"),
         "47b2e867ff6925d89086d8c996ace8a102a82845646bd3068eefc5f87f6e96fb1480a52969e93681a21aa2230eb951af1ec9df9aa1"
         "f62a3eff"},
    };
    for (const Row& r : rows) {
        const QByteArray cipher = QByteArray::fromHex(r.hex);
        EXPECT_EQ(cfb64Encrypt(kKey16, kIv, r.plain).toHex(), QByteArray(r.hex)) << r.plain.constData();
        EXPECT_EQ(cfb64Decrypt(kKey16, kIv, cipher), r.plain);
    }
}

TEST(BlowfishCfb, KeepsTheLengthAndRejectsBadKeysAndVectors) {
    EXPECT_TRUE(cfb64Encrypt(kKey16, kIv, QByteArray()).isEmpty());
    EXPECT_EQ(cfb64Decrypt(kKey16, kIv, QByteArray(13, 'x')).size(), 13);
    EXPECT_THROW(cfb64Encrypt(QByteArray(), kIv, "x"), std::invalid_argument);
    EXPECT_THROW(cfb64Encrypt(QByteArray(73, 'k'), kIv, "x"), std::invalid_argument);
    EXPECT_THROW(cfb64Encrypt(kKey16, "short", "x"), std::invalid_argument);
}

namespace {

QByteArray referenceCfb64(const QByteArray& key, const QByteArray& iv, const QByteArray& data, int direction) {
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(key.data()));
    QByteArray feedback = iv;
    int position = 0;
    QByteArray out(data.size(), '\0');
    if (!data.isEmpty()) {
        BF_cfb64_encrypt(reinterpret_cast<const unsigned char*>(data.data()), reinterpret_cast<unsigned char*>(out.data()),
                         static_cast<long>(data.size()), &schedule, reinterpret_cast<unsigned char*>(feedback.data()),
                         &position, direction);
    }
    return out;
}

QByteArray randomBytes(QRandomGenerator& random, qsizetype size) {
    QByteArray bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random.bounded(256));
    return bytes;
}

}  // namespace

// Every key length, the application's 40-byte key among them, and texts that
// end at, before and after a block's end, both ways, as libcrypto gives them.
TEST(BlowfishCfb, MatchesLibcryptoForEveryKeyLength) {
    QRandomGenerator random(20241210);
    const qsizetype sizes[] = {0, 1, 7, 8, 9, 16, 57, 130};
    for (int keySize = 1; keySize <= 72; ++keySize) {
        const QByteArray key = randomBytes(random, keySize);
        const QByteArray iv = randomBytes(random, 8);
        for (qsizetype size : sizes) {
            const QByteArray plain = randomBytes(random, size);
            const QByteArray cipher = referenceCfb64(key, iv, plain, BF_ENCRYPT);
            EXPECT_EQ(cfb64Encrypt(key, iv, plain).toHex(), cipher.toHex()) << "key " << keySize << ", size " << size;
            EXPECT_EQ(cfb64Decrypt(key, iv, cipher), plain) << "key " << keySize << ", size " << size;
            EXPECT_EQ(cfb64Decrypt(key, iv, plain), referenceCfb64(key, iv, plain, BF_DECRYPT));
        }
    }
}
