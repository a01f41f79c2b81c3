// Blowfish written out here rather than taken from a cryptography library: it
// deciphers one 57-byte value at start-up, and loading such a library (several
// megabytes, thousands of relocations) cost more than the whole cipher.
// The results are those of the usual implementations (Eric Young's
// BF_set_key / BF_cfb64_encrypt), which made the stored values.
#include "platform/settings/blowfish_cfb.h"

#include "platform/settings/blowfish_digits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace lum::blowfish {
namespace {

class Cipher {
public:
    explicit Cipher(QByteArrayView key) {
        std::copy_n(kPiDigits.begin(), kPWords, p_.begin());
        for (int box = 0; box < 4; ++box) {
            std::copy_n(kPiDigits.begin() + kPWords + box * 256, 256, s_[box].begin());
        }
        // The key, repeated as often as needed, is folded into the P-array...
        qsizetype k = 0;
        for (std::uint32_t& word : p_) {
            std::uint32_t bits = 0;
            for (int i = 0; i < 4; ++i) {
                bits = (bits << 8) | static_cast<unsigned char>(key[k]);
                k = (k + 1) % key.size();
            }
            word ^= bits;
        }
        // ...and every subkey is replaced by the cipher of the block before it.
        std::uint32_t left = 0, right = 0;
        for (int i = 0; i < kPWords; i += 2) {
            encrypt(left, right);
            p_[i] = left;
            p_[i + 1] = right;
        }
        for (auto& box : s_) {
            for (int i = 0; i < 256; i += 2) {
                encrypt(left, right);
                box[i] = left;
                box[i + 1] = right;
            }
        }
    }

    void encrypt(std::uint32_t& left, std::uint32_t& right) const {
        std::uint32_t l = left, r = right;
        for (int i = 0; i < kRounds; ++i) {
            l ^= p_[i];
            r ^= f(l);
            std::swap(l, r);
        }
        std::swap(l, r);
        right = r ^ p_[kRounds];
        left = l ^ p_[kRounds + 1];
    }

private:
    std::uint32_t f(std::uint32_t x) const {
        return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xff]) ^ s_[2][(x >> 8) & 0xff]) + s_[3][x & 0xff];
    }

    std::array<std::uint32_t, kPWords> p_{};
    std::array<std::array<std::uint32_t, 256>, 4> s_{};
};

// The feedback block, read and written as two big-endian words.
void encryptBlock(const Cipher& cipher, std::array<unsigned char, 8>& block) {
    auto load = [&](int at) {
        return std::uint32_t(block[at]) << 24 | std::uint32_t(block[at + 1]) << 16 |
               std::uint32_t(block[at + 2]) << 8 | std::uint32_t(block[at + 3]);
    };
    auto store = [&](int at, std::uint32_t word) {
        for (int i = 0; i < 4; ++i) block[at + i] = static_cast<unsigned char>(word >> (24 - 8 * i));
    };
    std::uint32_t left = load(0), right = load(4);
    cipher.encrypt(left, right);
    store(0, left);
    store(4, right);
}

QByteArray run(QByteArrayView key, QByteArrayView iv, QByteArrayView data, bool encrypting) {
    if (key.isEmpty() || key.size() > 72) throw std::invalid_argument("Blowfish key must be 1 to 72 bytes");
    if (iv.size() != 8) throw std::invalid_argument("Blowfish CFB vector must be 8 bytes");
    const Cipher cipher(key);
    std::array<unsigned char, 8> feedback{};
    std::copy_n(reinterpret_cast<const unsigned char*>(iv.data()), 8, feedback.begin());
    QByteArray out(data.size(), '\0');
    for (qsizetype i = 0; i < data.size(); ++i) {
        const int position = static_cast<int>(i % 8);
        if (position == 0) encryptBlock(cipher, feedback);
        const auto in = static_cast<unsigned char>(data[i]);
        out[i] = static_cast<char>(in ^ feedback[position]);
        // The cipher text goes back into the feedback, in either direction.
        feedback[position] = encrypting ? static_cast<unsigned char>(out[i]) : in;
    }
    return out;
}

}  // namespace

QByteArray cfb64Encrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) {
    return run(key, iv, data, true);
}

QByteArray cfb64Decrypt(QByteArrayView key, QByteArrayView iv, QByteArrayView data) {
    return run(key, iv, data, false);
}

}  // namespace lum::blowfish
