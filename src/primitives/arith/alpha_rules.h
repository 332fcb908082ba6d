// Alpha compositing of one pixel pair with constant alphas, shared by the generic code and the
// scalar ends of every processor build.
#pragma once

#include <cstdint>

namespace ryn::arith {

// The six compositing operations; operation values 6..11 are the same on premultiplied pixels.
enum class Composition { kOver, kIn, kOut, kAtop, kXor, kPlus };
constexpr int kCompositions = 6;
constexpr int kAlphaOperations = 2 * kCompositions;

// floor(t / 255) for 0 <= t <= 65025, without a division.
constexpr uint32_t Div255(uint32_t t) { return ((t >> 8) + t + 1) >> 8; }

constexpr uint8_t SaturatedByte(uint32_t v) { return v > 255 ? 255 : static_cast<uint8_t>(v); }

// p, q: the pixels of the first and second source; a, b: their alphas.
template <Composition kComposition, bool kPremultiplied>
constexpr uint8_t Composite(uint32_t p, uint32_t q, uint32_t a, uint32_t b) {
  if constexpr (kPremultiplied) {
    // The pixels already carry their alphas.
    const uint32_t first = kComposition == Composition::kOver || kComposition == Composition::kPlus ? p
                           : kComposition == Composition::kIn || kComposition == Composition::kAtop
                               ? Div255(b * p)
                               : Div255((255 - b) * p);
    if constexpr (kComposition == Composition::kIn || kComposition == Composition::kOut) return first;
    const uint32_t second = kComposition == Composition::kPlus ? q : Div255((255 - a) * q);
    return SaturatedByte(first + second);
  } else {
    const uint32_t first = Div255(a * p);
    if constexpr (kComposition == Composition::kIn) return Div255(b * first);
    if constexpr (kComposition == Composition::kOut) return Div255((255 - b) * first);
    const uint32_t second = Div255(b * q);
    if constexpr (kComposition == Composition::kPlus) return SaturatedByte(first + second);
    const uint32_t under = Div255((255 - a) * second);
    if constexpr (kComposition == Composition::kOver) return SaturatedByte(first + under);
    if constexpr (kComposition == Composition::kAtop) return SaturatedByte(Div255(b * first) + under);
    return SaturatedByte(Div255((255 - b) * first) + under);  // xor
  }
}

}  // namespace ryn::arith
