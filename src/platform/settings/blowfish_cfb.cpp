// Blowfish through libgcrypt: the library is in the process already (the
// system's logging library brings it), so deciphering the one 57-byte value
// at start-up loads nothing more. Its CFB mode over the whole value from the
// vector is byte for byte what BF_cfb64_encrypt gives from position 0, the
// routine the stored values were made with (the tests hold the two together).
#include "platform/settings/blowfish_cfb.h"

#include <gcrypt.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace lum::blowfish {
namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!gcry_check_version(GCRYPT_VERSION)) throw std::runtime_error("libgcrypt is older than the one built with");
        // No key material worth locking in memory: the key is a constant of the program.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

void check(gcry_error_t error, const char* what) {
    if (error) throw std::runtime_error(std::string("Blowfish ") + what + ": " + gcry_strerror(error));
}

QByteArray run(QByteArrayView key, QByteArrayView iv, QByteArrayView data, bool encrypt) {
    if (key.isEmpty() || key.size() > 72) throw std::invalid_argument("Blowfish key must be 1 to 72 bytes");
    if (iv.size() != 8) throw std::invalid_argument("Blowfish CFB vector must be 8 bytes");
    initialiseOnce();
    gcry_cipher_hd_t handle = nullptr;
    check(gcry_cipher_open(&handle, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_CFB, 0), "open");
    const std::unique_ptr<gcry_cipher_handle, decltype(&gcry_cipher_close)> closer(handle, &gcry_cipher_close);
    check(gcry_cipher_setkey(handle, key.data(), size_t(key.size())), "key");
    check(gcry_cipher_setiv(handle, iv.data(), size_t(iv.size())), "vector");
    QByteArray out(data.size(), '\0');
    if (!data.isEmpty()) {
        check(encrypt ? gcry_cipher_encrypt(handle, out.data(), size_t(out.size()), data.data(), size_t(data.size()))
                      : gcry_cipher_decrypt(handle, out.data(), size_t(out.size()), data.data(), size_t(data.size())),
              encrypt ? "encrypt" : "decrypt");
    }
    return out;
}

}  // namespace

QByteArray cfb64Encrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) { return run(key, iv, data, true); }

QByteArray cfb64Decrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) { return run(key, iv, data, false); }

}  // namespace lum::blowfish
