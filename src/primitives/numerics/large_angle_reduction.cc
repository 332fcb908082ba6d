// Exact reduction of large float angles modulo 2 pi. A float x is m x 2^e with m an integer below
// 2^24; x / 2 pi = m x 2^e x (1 / 2 pi), and the bits of 1 / 2 pi worth 2^e and more only add
// whole turns. The 128 bits below them, times m, give the fraction of a turn to far more than
// single precision, whatever the exponent.
#include <bit>
#include <cstdint>

#include "primitives/numerics/math_rules.h"

namespace ryn::numerics {
namespace {

// The binary expansion of 1 / 2 pi: word w holds the bits worth 2^-(64(w-1)+1) down to 2^-64w,
// word 0 the (zero) bits worth 2^63 down to 2^0.
constexpr uint64_t kInverseTwoPiBits[] = {
    0x0000000000000000, 0x28BE60DB9391054A, 0x7F09D5F47D4D3770, 0x36D8A5664F10E410,
    0x7F9458EAF7AEF158, 0x6DC91B8E909374B8, 0x01924BBA82746487,
};

// The 64 bits of the expansion that start `offset` bits from the start of word 0.
uint64_t BitsAt(int offset) {
  const int word = offset / 64, shift = offset % 64;
  if (shift == 0) return kInverseTwoPiBits[word];
  return (kInverseTwoPiBits[word] << shift) | (kInverseTwoPiBits[word + 1] >> (64 - shift));
}

}  // namespace

float ReduceLargeAngle(float x) {
  const uint32_t bits = std::bit_cast<uint32_t>(x);
  const int exponent = static_cast<int>((bits >> 23) & 0xFF) - 150;
  const uint64_t mantissa = (bits & 0x7FFFFFu) | 0x800000u;
  // The bit worth 2^-(exponent + 1) lies exponent + 64 bits from the start of word 0.
  const int offset = exponent + 64;
  const uint64_t high = BitsAt(offset), low = BitsAt(offset + 64);
  // mantissa x (high:low) modulo 2^128: the fraction of a turn, in units of 2^-128.
  const unsigned __int128 fraction =
      (static_cast<unsigned __int128>(mantissa * high) << 64) + static_cast<unsigned __int128>(mantissa) * low;
  // Read as signed, the top word is the turn's fraction in [-1/2, 1/2) in units of 2^-64.
  const double turns = static_cast<double>(static_cast<int64_t>(static_cast<uint64_t>(fraction >> 64))) * 0x1p-64;
  const double reduced = turns * kTwoPiDouble;
  return static_cast<float>(x < 0.0f ? -reduced : reduced);
}

}  // namespace ryn::numerics
