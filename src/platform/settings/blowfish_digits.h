#pragma once
// The fixed digits Blowfish starts its key schedule from (blowfish_cfb.cpp).
#include <array>
#include <cstdint>

namespace lum::blowfish {

constexpr int kRounds = 16;
constexpr int kPWords = kRounds + 2;
constexpr int kDigitWords = kPWords + 4 * 256;

extern const std::array<std::uint32_t, kDigitWords> kPiDigits;

}  // namespace lum::blowfish
