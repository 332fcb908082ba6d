// Vector arithmetic of the conversions between YUV and RGB, shared by the kernel files of the colour
// family and compiled once per Highway target: include after <hwy/highway.h> and before the
// including file's HWY_BEFORE_NAMESPACE.
//
// Every result equals the per-pixel formula of pixel_rules.h. The formulas are floors of 32-bit
// fixed-point sums; they are rewritten so that most of the work happens in 16-bit lanes:
//   (65536 Y + K c) >> 16 = Y + (K >> 16) c + MulHigh(c, K mod 65536)       (one product)
//   (a x + b y) >> 16     = high half of the 32-bit pairwise product sum    (two products)
// where MulHigh is the floor of the 16 x 16-bit product over 65536. A weight beyond 16 bits gives
// up a whole multiple of 65536 (Kgv = 27460 - 65536) or is split over two pairs (38470 = 19235 +
// 19235). Bytes are split into their even and odd pixels, each a 16-bit lane, and joined again
// afterwards, so that no lane crosses the 128-bit blocks of the wider vectors; the pairwise
// products take lanes interleaved and the saturating 32 to 16-bit packs give them back in order,
// both within each block.
#if defined(RYN_COLOR_YUV_RGB_VECTORS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_COLOR_YUV_RGB_VECTORS_INL_H_
#undef RYN_COLOR_YUV_RGB_VECTORS_INL_H_
#else
#define RYN_COLOR_YUV_RGB_VECTORS_INL_H_
#endif

#include <hwy/highway.h>

#include <cstdint>

#include "primitives/color/pixel_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::color {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Bytes, the 16-bit lanes of their even and odd pixels, and 32-bit sums of lane pairs.
using D8 = hn::ScalableTag<uint8_t>;
using D16 = hn::Repartition<int16_t, D8>;
using D32 = hn::Repartition<int32_t, D8>;
using DHalf8 = hn::Rebind<uint8_t, D16>;  // one byte per 16-bit lane
using V8 = hn::Vec<D8>;
using V16 = hn::Vec<D16>;
using V32 = hn::Vec<D32>;

// A vector whose lane pairs are (a, b), for the pairwise products.
HWY_INLINE V16 PairOf(int16_t a, int16_t b) {
  const uint32_t pair = (static_cast<uint32_t>(static_cast<uint16_t>(b)) << 16) | static_cast<uint16_t>(a);
  return hn::BitCast(D16(), hn::Set(hn::Repartition<uint32_t, D8>(), pair));
}

// The even and the odd bytes of v, each widened to a 16-bit lane.
HWY_INLINE void SplitEvenOdd(V8 v, V16& even, V16& odd) {
  const hn::Repartition<uint16_t, D8> du16;
  const auto words = hn::BitCast(du16, v);
  even = hn::BitCast(D16(), hn::And(words, hn::Set(du16, 0xFF)));
  odd = hn::BitCast(D16(), hn::ShiftRight<8>(words));
}

// Bytes from even and odd lanes that hold 0..255.
HWY_INLINE V8 JoinBytes(V16 even, V16 odd) { return hn::BitCast(D8(), hn::Or(even, hn::ShiftLeft<8>(odd))); }

// Bytes from even and odd lanes clamped to 0..255.
HWY_INLINE V8 JoinEvenOdd(V16 even, V16 odd) {
  const D16 d16;
  const auto low = hn::Zero(d16);
  const auto high = hn::Set(d16, 255);
  return JoinBytes(hn::Min(hn::Max(even, low), high), hn::Min(hn::Max(odd, low), high));
}

// Floor of (a x + b y) / 2^Shift, lane by lane, for sums that fit 32 bits and results that fit 16.
template <int Shift>
HWY_INLINE V16 PairSumShifted(V16 x, V16 y, V16 ab) {
  const D32 d32;
  const D16 d16;
  auto unused = hn::Zero(d32);
  const V32 lower = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, x, y), ab, hn::Zero(d32), unused);
  const V32 upper = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, x, y), ab, hn::Zero(d32), unused);
  return hn::ReorderDemote2To(d16, hn::ShiftRight<Shift>(lower), hn::ShiftRight<Shift>(upper));
}

// The 32-bit sums a x + b y + c y + d z of the lower and upper lane interleaves: three weights,
// the middle one split over two pairs because a 16-bit lane of a pairwise product cannot hold it
// whole. Exact for 8-bit x, y, z and for sums of four of them.
HWY_INLINE void TripleSums(V16 x, V16 y, V16 z, V16 ab, V16 cd, V32& lower, V32& upper) {
  const D32 d32;
  const D16 d16;
  auto unused = hn::Zero(d32);
  lower = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, x, y), ab, hn::Zero(d32), unused);
  upper = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, x, y), ab, hn::Zero(d32), unused);
  lower = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, y, z), cd, lower, unused);
  upper = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, y, z), cd, upper, unused);
}

// Floor of (a x + b y + c y + d z) / 2^Shift, for results that fit 16 bits.
template <int Shift>
HWY_INLINE V16 TripleSumShifted(V16 x, V16 y, V16 z, V16 ab, V16 cd) {
  V32 lower, upper;
  TripleSums(x, y, z, ab, cd, lower, upper);
  return hn::ReorderDemote2To(D16(), hn::ShiftRight<Shift>(lower), hn::ShiftRight<Shift>(upper));
}

// One coefficient set in the split form above.
struct YuvToRgbVectors {
  V16 krLow;   // Kr - 65536
  V16 kbLow;   // Kb - 131072
  V16 kgPair;  // (Kgu, Kgv + 65536)
};

HWY_INLINE YuvToRgbVectors VectorsOf(const YuvToRgbCoefficients& k) {
  const D16 d16;
  return {hn::Set(d16, static_cast<int16_t>(k.kr - 65536)), hn::Set(d16, static_cast<int16_t>(k.kb - 131072)),
          PairOf(static_cast<int16_t>(k.kgu), static_cast<int16_t>(k.kgv + 65536))};
}

// What a chroma sample adds to its pixels' luma: (K c) >> 16 for R, G and B.
struct ChromaTerms {
  V16 r;
  V16 g;
  V16 b;
};

// `u` and `v` hold 8-bit samples in 16-bit lanes.
HWY_INLINE ChromaTerms ChromaTermsOf(V16 u, V16 v, const YuvToRgbVectors& k) {
  const D16 d16;
  const auto center = hn::Set(d16, 128);
  u = hn::Sub(u, center);
  v = hn::Sub(v, center);
  return {hn::Add(v, hn::MulHigh(v, k.krLow)), hn::Sub(PairSumShifted<16>(u, v, k.kgPair), v),
          hn::Add(hn::Add(u, u), hn::MulHigh(u, k.kbLow))};
}

struct Rgb8 {
  V8 r;
  V8 g;
  V8 b;
};

// RGB bytes of luma lanes split into even and odd pixels, with the chroma terms of each.
HWY_INLINE Rgb8 RgbOf(V16 yEven, V16 yOdd, const ChromaTerms& even, const ChromaTerms& odd) {
  return {JoinEvenOdd(hn::Add(yEven, even.r), hn::Add(yOdd, odd.r)),
          JoinEvenOdd(hn::Add(yEven, even.g), hn::Add(yOdd, odd.g)),
          JoinEvenOdd(hn::Add(yEven, even.b), hn::Add(yOdd, odd.b))};
}

// YUV bytes to RGB bytes, pixel for pixel.
HWY_INLINE Rgb8 YuvToRgb(V8 y, V8 u, V8 v, const YuvToRgbVectors& k) {
  V16 yEven, yOdd, uEven, uOdd, vEven, vOdd;
  SplitEvenOdd(y, yEven, yOdd);
  SplitEvenOdd(u, uEven, uOdd);
  SplitEvenOdd(v, vEven, vOdd);
  return RgbOf(yEven, yOdd, ChromaTermsOf(uEven, vEven, k), ChromaTermsOf(uOdd, vOdd, k));
}

struct Yuv16 {
  V16 y;
  V16 u;
  V16 v;
};

// Y, U and V of R, G and B lanes (RgbToYuvPixel), U and V not yet clamped.
HWY_INLINE Yuv16 RgbToYuvLanes(V16 r, V16 g, V16 b) {
  const auto center = hn::Set(D16(), 128);
  return {TripleSumShifted<16>(r, g, b, PairOf(19595, 19235), PairOf(19234, 7471)),
          hn::Add(TripleSumShifted<15>(r, g, b, PairOf(-4816, -9469), PairOf(0, 14286)), center),
          hn::Add(TripleSumShifted<15>(r, g, b, PairOf(20152, -16875), PairOf(0, -3276)), center)};
}

// The unshifted 4:2:0 luma terms of R, G and B lanes (LumaTerm420), as the lower and upper
// interleave halves of TripleSums.
HWY_INLINE void LumaTerms420(V16 r, V16 g, V16 b, V32& lower, V32& upper) {
  TripleSums(r, g, b, PairOf(19595, 19235), PairOf(19235, 7471), lower, upper);
}

// Lumas of luma terms (Luma420): always 0..255.
HWY_INLINE V16 LumaOfTerms420(V32 lower, V32 upper) {
  return hn::ReorderDemote2To(D16(), hn::ShiftRight<16>(lower), hn::ShiftRight<16>(upper));
}

// U and V of blocks from their sums of R, of B and of luma terms (BlockChroma420), V not yet
// clamped. 65536 x sum is a whole multiple of 65536, so dB = sumB + ((131071 - terms) >> 16),
// and likewise dR.
HWY_INLINE void BlockChroma420Lanes(V16 sumR, V16 sumB, V32 termsLower, V32 termsUpper, V16& u, V16& v) {
  const D16 d16;
  const D32 d32;
  const auto bias = hn::Set(d32, 131071);
  const V16 common = hn::ReorderDemote2To(d16, hn::ShiftRight<16>(hn::Sub(bias, termsLower)),
                                          hn::ShiftRight<16>(hn::Sub(bias, termsUpper)));
  const V16 dB = hn::Add(sumB, common);
  const V16 dR = hn::Add(sumR, common);
  // (dB x 32244) >> 18 and (dR x 57475) >> 18, with 57475 = 65536 - 8061.
  const auto center = hn::Set(d16, 128);
  u = hn::Add(hn::ShiftRight<2>(hn::MulHigh(dB, hn::Set(d16, 32244))), center);
  v = hn::Add(hn::ShiftRight<2>(hn::Add(dR, hn::MulHigh(dR, hn::Set(d16, -8061)))), center);
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::color
HWY_AFTER_NAMESPACE();

#endif
