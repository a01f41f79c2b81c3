// OpenSSL 3 keeps Blowfish in its legacy provider for the EVP routines and
// marks the low-level ones deprecated; the low-level ones are what the stored
// values were made with and need no provider, so they are used here.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "platform/settings/blowfish_cfb.h"

#include <openssl/blowfish.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace lum::blowfish {
namespace {

QByteArray run(QByteArrayView key, QByteArrayView iv, QByteArrayView data, int direction) {
    if (key.isEmpty() || key.size() > 72) throw std::invalid_argument("Blowfish key must be 1 to 72 bytes");
    if (iv.size() != 8) throw std::invalid_argument("Blowfish CFB vector must be 8 bytes");
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(key.data()));
    std::array<unsigned char, 8> feedback{};
    std::copy_n(reinterpret_cast<const unsigned char*>(iv.data()), 8, feedback.begin());
    int position = 0;
    QByteArray out(data.size(), '\0');
    if (!data.isEmpty()) {
        BF_cfb64_encrypt(reinterpret_cast<const unsigned char*>(data.data()),
                         reinterpret_cast<unsigned char*>(out.data()), static_cast<long>(data.size()), &schedule,
                         feedback.data(), &position, direction);
    }
    return out;
}

}  // namespace

QByteArray cfb64Encrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) {
    return run(key, iv, data, BF_ENCRYPT);
}

QByteArray cfb64Decrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) {
    return run(key, iv, data, BF_DECRYPT);
}

}  // namespace lum::blowfish
