// Processor builds of the 8-bit kernel filter rows, compiled once per Highway target.
//
// Two kernel rows are handled together: the pixels of rows 2p and 2p + 1 are interleaved as
// 16-bit pairs and multiplied by the pair of 16-bit taps with one widening multiply-add, which
// gives exact 32-bit sums. The interleave and the final narrowing both work per 128-bit block,
// so together they leave the pixels in order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/kernel_filter_simd.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include "primitives/filters/kernel_rows.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D16 = hn::ScalableTag<int16_t>;
using D32 = hn::Repartition<int32_t, D16>;
using V32 = hn::Vec<D32>;

struct KeepSum {
  HWY_INLINE V32 operator()(V32 sum) const { return sum; }
};

struct HalfEvenShiftSum {
  int shift;
  HWY_INLINE V32 operator()(V32 sum) const {
    const D32 d;
    const V32 quotient = hn::ShiftRightSame(sum, shift);
    const V32 remainder = hn::And(sum, hn::Set(d, (1 << shift) - 1));
    const V32 bias = hn::Add(hn::Set(d, (1 << (shift - 1)) - 1), hn::And(quotient, hn::Set(d, 1)));
    return hn::Add(quotient, hn::ShiftRightSame(hn::Add(remainder, bias), shift));
  }
};

struct ScaleSum {
  float reciprocal;
  HWY_INLINE V32 operator()(V32 sum) const {
    const hn::Rebind<float, D32> df;
    const auto scaled = hn::Mul(hn::ConvertTo(df, sum), hn::Set(df, reciprocal));
    return hn::NearestInt(hn::Min(hn::Max(scaled, hn::Zero(df)), hn::Set(df, 255.0f)));
  }
};

template <class Divide>
HWY_INLINE void PairedKernelRow(const KernelRows& k, uint8_t* HWY_RESTRICT out, int width, Divide divide) {
  const D16 d16;
  const D32 d32;
  const hn::RebindToUnsigned<D32> du32;
  const hn::Rebind<uint8_t, D16> d8;
  const int lanes = static_cast<int>(hn::Lanes(d16));
  const int pairs = (k.kernelHeight + 1) / 2;
  int x = 0;
  for (; x + lanes <= width; x += lanes) {
    V32 low = hn::Zero(d32);
    V32 high = hn::Zero(d32);
    V32 unused = hn::Zero(d32);
    for (int p = 0; p < pairs; ++p) {
      const uint8_t* first = k.rows[2 * p] + x;
      const uint8_t* second = k.rows[2 * p + 1] + x;
      const uint32_t* taps = k.pairedTaps + static_cast<ptrdiff_t>(p) * k.kernelWidth;
      for (int i = 0; i < k.kernelWidth; ++i) {
        const auto a = hn::PromoteTo(d16, hn::LoadU(d8, first - i));
        const auto b = hn::PromoteTo(d16, hn::LoadU(d8, second - i));
        const auto tapPair = hn::BitCast(d16, hn::Set(du32, taps[i]));
        low = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveLower(d16, a, b), tapPair, low, unused);
        high = hn::ReorderWidenMulAccumulate(d32, hn::InterleaveUpper(d16, a, b), tapPair, high, unused);
      }
    }
    const auto packed = hn::ReorderDemote2To(d16, divide(low), divide(high));
    hn::StoreU(hn::DemoteTo(d8, packed), d8, out + x);
  }
  for (; x < width; ++x) out[x] = KernelPixel(k, x);
}

void KernelRow(const KernelRows& k, uint8_t* out, int width) {
  if (k.pairedTaps == nullptr) {
    for (int x = 0; x < width; ++x) out[x] = KernelPixel(k, x);
    return;
  }
  switch (k.division.kind) {
    case KernelDivision::Kind::kNone:
      return PairedKernelRow(k, out, width, KeepSum{});
    case KernelDivision::Kind::kHalfEvenShift:
      return PairedKernelRow(k, out, width, HalfEvenShiftSum{k.division.shift});
    case KernelDivision::Kind::kScale:
      return PairedKernelRow(k, out, width, ScaleSum{k.division.reciprocal});
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/hwy_kernels.h"

namespace ryn::filters {
TargetKernels<KernelRowFn> KernelRowBuilds() { return RYN_HWY_KERNELS(KernelRow); }
}  // namespace ryn::filters
#endif
