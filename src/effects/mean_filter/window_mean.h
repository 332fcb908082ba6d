// The value the interleaved mean filter writes for a window, and the exact reciprocals with which
// the processor builds divide by the window's sample count.
#pragma once

#include <array>
#include <cstdint>

namespace ryn::effects {

constexpr uint32_t SampleCount(int window) { return static_cast<uint32_t>(window * window); }

constexpr uint32_t LargestWindowSum(int window) { return 255u * SampleCount(window); }

// Window sums fit in 16-bit lanes (so do their differences of wrapping 16-bit prefix sums).
constexpr bool SumsFit16Bits(int window) { return LargestWindowSum(window) < 65536; }

// The larger part of a window split at its centre pair: window / 2 + 1 pairs of window rows.
constexpr uint32_t LargestHalfWindowSum(int window) {
  return 255u * static_cast<uint32_t>((window / 2 + 1) * window);
}

// Truncating division of a 16-bit window sum: (sum * multiplier) >> (16 + shift), that is the
// high half of the product shifted right.
struct Divider16 {
  uint16_t multiplier;
  int shift;
};

constexpr bool Exact16(uint32_t divisor, uint32_t multiplier, int shift) {
  for (uint32_t sum = 0; sum <= 255 * divisor; ++sum) {
    if (((sum * multiplier) >> (16 + shift)) != sum / divisor) return false;
  }
  return true;
}

// The first multiplier that gives every possible window sum's exact quotient; shift -1 if none.
constexpr Divider16 FindDivider16(uint32_t divisor) {
  for (int shift = 0; shift < 16; ++shift) {
    const uint64_t multiplier = ((uint64_t{1} << (16 + shift)) + divisor - 1) / divisor;
    if (multiplier > 0xFFFF) break;
    if (Exact16(divisor, static_cast<uint32_t>(multiplier), shift)) {
      return Divider16{static_cast<uint16_t>(multiplier), shift};
    }
  }
  return Divider16{0, -1};
}

// Truncating division of a 32-bit window sum: (sum * multiplier) >> 32, the multiplier 2^32 /
// divisor rounded up.
constexpr uint32_t Multiplier32(uint32_t divisor) {
  return static_cast<uint32_t>(((uint64_t{1} << 32) + divisor - 1) / divisor);
}

constexpr bool Exact32(uint32_t divisor) {
  for (uint64_t sum = 0; sum <= 255 * divisor; ++sum) {
    if (((sum * Multiplier32(divisor)) >> 32) != sum / divisor) return false;
  }
  return true;
}

// The filter's windows: odd, 3 to 19.
constexpr int kSmallestWindow = 3;
constexpr int kLargestWindow = 19;

// The 16-bit dividers of the windows whose sums fit, by (window - 3) / 2.
inline constexpr std::array<Divider16, (kLargestWindow - kSmallestWindow) / 2 + 1> kDividers16 = [] {
  std::array<Divider16, (kLargestWindow - kSmallestWindow) / 2 + 1> dividers{};
  for (int window = kSmallestWindow; window <= kLargestWindow; window += 2) {
    if (SumsFit16Bits(window)) dividers[(window - kSmallestWindow) / 2] = FindDivider16(SampleCount(window));
  }
  return dividers;
}();

constexpr Divider16 Divider16For(int window) { return kDividers16[(window - kSmallestWindow) / 2]; }

// The 32-bit multipliers, by (window - 3) / 2.
inline constexpr std::array<uint32_t, (kLargestWindow - kSmallestWindow) / 2 + 1> kMultipliers32 = [] {
  std::array<uint32_t, (kLargestWindow - kSmallestWindow) / 2 + 1> multipliers{};
  for (int window = kSmallestWindow; window <= kLargestWindow; window += 2) {
    multipliers[(window - kSmallestWindow) / 2] = Multiplier32(SampleCount(window));
  }
  return multipliers;
}();

constexpr uint32_t Multiplier32For(int window) { return kMultipliers32[(window - kSmallestWindow) / 2]; }

constexpr bool EveryWindowHasExactDividers() {
  for (int window = kSmallestWindow; window <= kLargestWindow; window += 2) {
    if (SumsFit16Bits(window) && Divider16For(window).shift < 0) return false;
    if (!Exact32(SampleCount(window))) return false;
    if (LargestHalfWindowSum(window) >= 65536) return false;
  }
  return true;
}
static_assert(EveryWindowHasExactDividers(), "a window without exact reciprocals, or too wide for 16-bit halves");

// A window's sum divided by its sample count, truncated: the quotient sum / window², which the
// 32-bit reciprocal gives exactly for every sum a window can have (a division instruction per
// byte would cost more than the rest of the filter).
inline uint8_t WindowMean(uint32_t sum, int window) {
  return static_cast<uint8_t>((uint64_t{sum} * Multiplier32For(window)) >> 32);
}

}  // namespace ryn::effects
