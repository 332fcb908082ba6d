// Processor builds of the integral rows and moment sums, compiled once per Highway target, and the
// dispatched operations that bind them. Integer results are exact (or wrap modulo 2^32 exactly as
// the generic code does), so they agree with the generic build whatever order lanes are added in.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/moments/moments_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/moments/moment_sums.h"
#include "primitives/moments/moments.h"
#include "primitives/moments/moments_checks.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::moments {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

using DU32 = hn::ScalableTag<uint32_t>;
using DU8 = hn::Rebind<uint8_t, DU32>;
using VU32 = hn::Vec<DU32>;
using DU16 = hn::Repartition<uint16_t, DU32>;
using DU8Wide = hn::Rebind<uint8_t, DU16>;
using VU16 = hn::Vec<DU16>;

// 128-bit blocks per vector: 1, 2 or 4. Lanes move between blocks with whole-block shuffles
// (lane tables would assert in debug builds of Highway).
constexpr size_t kBlocks = hn::MaxLanes(DU32()) / 4;

// The blocks of v moved up by one block, a zero block shifted in.
HWY_INLINE VU32 BlocksUpByOne(DU32 d, VU32 v) {
  if constexpr (kBlocks == 2) {
    return hn::ConcatLowerLower(d, v, hn::Zero(d));
  } else {
    const VU32 swapped = hn::SwapAdjacentBlocks(v);  // blocks 1 0 3 2
    return hn::OddEvenBlocks(swapped, hn::ConcatLowerLower(d, swapped, hn::Zero(d)));
  }
}

// The blocks of v moved up by two blocks (of four), zero blocks shifted in.
HWY_INLINE VU32 BlocksUpByTwo(DU32 d, VU32 v) { return hn::ConcatLowerLower(d, v, hn::Zero(d)); }

// Inclusive prefix sums of 16-bit lanes (at most 32 bytes, so no lane exceeds 8160): within each
// 128-bit block, then the totals of the blocks below are added to each block.
HWY_INLINE VU16 PrefixSums(DU16 d16, VU16 v) {
  v = hn::Add(v, hn::ShiftLeftLanes<1>(d16, v));
  v = hn::Add(v, hn::ShiftLeftLanes<2>(d16, v));
  v = hn::Add(v, hn::ShiftLeftLanes<4>(d16, v));
  if constexpr (kBlocks > 1) {
    const DU32 d;
    const VU32 totals = hn::BitCast(d, hn::Broadcast<7>(v));  // each block's total in all its lanes
    VU32 upTo = hn::Add(totals, BlocksUpByOne(d, totals));
    if constexpr (kBlocks > 2) upTo = hn::Add(upTo, BlocksUpByTwo(d, upTo));
    v = hn::Add(v, hn::BitCast(d16, hn::Sub(upTo, totals)));  // the totals of the blocks below
  }
  return v;
}

// Every lane set to the last lane of v.
HWY_INLINE VU32 BroadcastLastLane(DU32 d, VU32 v) {
  if constexpr (kBlocks == 2) {
    v = hn::ConcatUpperUpper(d, v, v);
  } else if constexpr (kBlocks == 4) {
    const VU32 upper = hn::ConcatUpperUpper(d, v, v);  // blocks 2 3 2 3
    v = hn::OddEvenBlocks(upper, hn::SwapAdjacentBlocks(upper));
  }
  return hn::Broadcast<3>(v);
}

// Whole steps of two vectors of the row from pixel x on: the prefix of the step's bytes in 16-bit
// lanes, widened, plus the running row sum, which stays in a vector and grows by each step's
// total. Returns where the steps ended; *rowSum is updated.
template <class Aligned>
HWY_INLINE size_t IntegralSteps(Aligned aligned, const uint8_t* HWY_RESTRICT source, const uint32_t* above,
                                uint32_t* out, size_t x, size_t width, uint32_t* rowSum) {
  const DU32 d;
  const DU16 d16;
  const DU8Wide d8;
  const hn::Half<DU16> dh;
  const size_t lanes = hn::Lanes(d);
  VU32 carry = hn::Set(d, *rowSum);
  for (; x + 2 * lanes <= width; x += 2 * lanes) {
    const VU16 prefix = PrefixSums(d16, hn::PromoteTo(d16, hn::LoadU(d8, source + x)));
    const VU32 low = hn::PromoteTo(d, hn::LowerHalf(dh, prefix));
    const VU32 high = hn::PromoteTo(d, hn::UpperHalf(dh, prefix));
    StoreVector(aligned, hn::Add(hn::LoadU(d, above + x), hn::Add(low, carry)), d, out + x);
    StoreVector(aligned, hn::Add(hn::LoadU(d, above + x + lanes), hn::Add(high, carry)), d, out + x + lanes);
    carry = hn::Add(carry, BroadcastLastLane(d, high));
  }
  *rowSum = hn::GetLane(carry);
  return x;
}

// out[x] = above[x] + source[0] + ... + source[x]: pixel by pixel up to the destination's first
// vector boundary, then in steps of two vectors, then pixel by pixel.
HWY_INLINE void IntegralRow(const uint8_t* HWY_RESTRICT source, const uint32_t* above, uint32_t* out,
                            size_t width) {
  const size_t vectorBytes = hn::Lanes(DU32()) * sizeof(uint32_t);
  const uintptr_t address = reinterpret_cast<uintptr_t>(out);
  const bool alignable = address % sizeof(uint32_t) == 0;
  const size_t head = alignable ? std::min(width, (vectorBytes - address % vectorBytes) % vectorBytes / 4) : 0;
  uint32_t rowSum = 0;
  size_t x = 0;
  auto scalar = [&](size_t end) HWY_ATTR {
    for (; x < end; ++x) {
      rowSum += source[x];
      StoreUnaligned(out + x, LoadUnaligned(above + x) + rowSum);
    }
  };
  scalar(head);
  x = alignable ? IntegralSteps(ryn::HWY_NAMESPACE::AlignedStores{}, source, above, out, x, width, &rowSum)
                : IntegralSteps(ryn::HWY_NAMESPACE::UnalignedStores{}, source, above, out, x, width, &rowSum);
  scalar(width);
}

HWY_INLINE void TiltedIntegralRow(const uint8_t* HWY_RESTRICT source, const uint32_t* above,
                                  const uint32_t* twoAbove, uint32_t* out, size_t width) {
  const DU32 d;
  const DU8 d8;
  // Vectors cover x = 1..width-1, where both source pixels lie inside the row.
  ForEachVectorAligned(
      d, out + 1, width - 1,
      [&](size_t i, auto aligned) HWY_ATTR {
        const size_t x = i + 1;
        const VU32 pixels = hn::Add(hn::PromoteTo(d, hn::LoadU(d8, source + x - 1)),
                                    hn::PromoteTo(d, hn::LoadU(d8, source + x)));
        const VU32 diagonals = hn::Add(hn::LoadU(d, above + x - 1), hn::LoadU(d, above + x + 1));
        StoreVector(aligned, hn::Sub(hn::Add(pixels, diagonals), hn::LoadU(d, twoAbove + x)), d, out + x);
      },
      [&](size_t i) HWY_ATTR {
        const size_t x = i + 1;
        StoreUnaligned(out + x, source[x - 1] + source[x] + LoadUnaligned(above + x - 1) +
                                    LoadUnaligned(above + x + 1) - LoadUnaligned(twoAbove + x));
      });
  StoreUnaligned(out + width, source[width - 1] + LoadUnaligned(above + width - 1) +
                                  LoadUnaligned(above + width + 1) - LoadUnaligned(twoAbove + width));
}

// A lane of 32-bit iterated sums stays below 2^32 for this many vectors of bytes:
// 255 x C(kChunksPerBlock + 3, 4) < 2^32.
constexpr size_t kChunksPerBlock = 128;

// Adds one block of `chunks` vectors starting at pixel `first` to `sums`. Lane l of the block saw
// the bytes a(c) = row[first + c N + l]; its iterated sums s0..s3 give the moments of u = chunks - c:
// sum a u^j. With X = first + chunks N + l the pixel's x is X - N u, which expands each x^p.
HWY_INLINE void AddBlockMoments(RowMomentSums& sums, size_t first, size_t chunks, VU32 s0, VU32 s1, VU32 s2,
                                VU32 s3) {
  const DU32 d;
  const size_t lanes = hn::Lanes(d);
  HWY_ALIGN uint32_t l0[hn::MaxLanes(DU32())], l1[hn::MaxLanes(DU32())], l2[hn::MaxLanes(DU32())],
      l3[hn::MaxLanes(DU32())];
  hn::Store(s0, d, l0);
  hn::Store(s1, d, l1);
  hn::Store(s2, d, l2);
  hn::Store(s3, d, l3);
  // Sums over lanes of l^i s_k[l], then w(i, j) = sum over lanes of l^i (sum a u^j), which is linear
  // in the iterated sums: sum a u = s1, sum a u^2 = 2 s2 - s1, sum a u^3 = 6 s3 - 3 (sum a u^2) - 2 s1.
  uint64_t w00 = 0, w10 = 0, w20 = 0, w30 = 0, w01 = 0, w11 = 0, w21 = 0, w02 = 0, w12 = 0, w03 = 0;
  for (size_t lane = 0; lane < lanes; ++lane) {
    const uint64_t p1 = lane, p2 = p1 * p1, p3 = p2 * p1;
    const uint64_t k0 = l0[lane], k1 = l1[lane], k2 = l2[lane], k3 = l3[lane];
    w00 += k0, w10 += p1 * k0, w20 += p2 * k0, w30 += p3 * k0;
    w01 += k1, w11 += p1 * k1, w21 += p2 * k1;
    w02 += k2, w12 += p1 * k2;
    w03 += k3;
  }
  const uint64_t w[4][4] = {{w00, w01, 2 * w02 - w01, 6 * w03 - 3 * (2 * w02 - w01) - 2 * w01},
                            {w10, w11, 2 * w12 - w11, 0},
                            {w20, w21, 0, 0},
                            {w30, 0, 0, 0}};
  using Int128 = __int128;
  const Int128 b = static_cast<Int128>(first + chunks * lanes);
  const Int128 n = static_cast<Int128>(lanes);
  auto W = [&w](int i, int j) { return static_cast<Int128>(w[i][j]); };
  const Int128 p1 = b * W(0, 0) + W(1, 0) - n * W(0, 1);
  const Int128 p2 = (b * b * W(0, 0) + 2 * b * W(1, 0) + W(2, 0)) - 2 * n * (b * W(0, 1) + W(1, 1)) + n * n * W(0, 2);
  const Int128 p3 = (b * b * b * W(0, 0) + 3 * b * b * W(1, 0) + 3 * b * W(2, 0) + W(3, 0)) -
                    3 * n * (b * b * W(0, 1) + 2 * b * W(1, 1) + W(2, 1)) + 3 * n * n * (b * W(0, 2) + W(1, 2)) -
                    n * n * n * W(0, 3);
  sums.sum0 += w[0][0];
  sums.sum1 += static_cast<Uint128>(p1);
  sums.sum2 += static_cast<Uint128>(p2);
  sums.sum3 += static_cast<Uint128>(p3);
}

// The row's sums from iterated sums over whole vectors (four additions per vector, no
// multiplications), the last partial vector pixel by pixel.
HWY_INLINE RowMomentSums RowMoments(const uint8_t* HWY_RESTRICT row, size_t width) {
  const DU32 d;
  const DU8 d8;
  const size_t lanes = hn::Lanes(d);
  RowMomentSums sums;
  size_t x = 0;
  while (x + lanes <= width) {
    const size_t chunks = std::min(kChunksPerBlock, (width - x) / lanes);
    VU32 s0 = hn::Zero(d), s1 = hn::Zero(d), s2 = hn::Zero(d), s3 = hn::Zero(d);
    for (size_t c = 0; c < chunks; ++c) {
      s0 = hn::Add(s0, hn::PromoteTo(d, hn::LoadU(d8, row + x + c * lanes)));
      s1 = hn::Add(s1, s0);
      s2 = hn::Add(s2, s1);
      s3 = hn::Add(s3, s2);
    }
    AddBlockMoments(sums, x, chunks, s0, s1, s2, s3);
    x += chunks * lanes;
  }
  for (; x < width; ++x) AddPixelMoments(sums, x, row[x]);
  return sums;
}

}  // namespace

#include "primitives/moments/moments_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::moments
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::moments {
RYN_DISPATCH(Integral8u);
RYN_DISPATCH(TiltedIntegral8u);
RYN_DISPATCH(Moments8u);
}  // namespace ryn::moments
#endif
