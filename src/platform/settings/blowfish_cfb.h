#pragma once
// Blowfish in 64-bit cipher feedback mode, byte by byte from feedback
// position 0 (libgcrypt's CFB mode): the cipher of the stored database password.
#include <QByteArray>
#include <QByteArrayView>

namespace lum::blowfish {

// The key may be 1 to 72 bytes (all of them are used); the vector is 8 bytes.
// Both directions give exactly as many bytes as they are given.
QByteArray cfb64Encrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data);
QByteArray cfb64Decrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data);

}  // namespace lum::blowfish
