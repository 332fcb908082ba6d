// Processor builds of the interleaved fill, compiled once per Highway target, and the dispatched
// operation that binds them. Its AVX2 build is also the effects' vector path.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/effects/interleaved_fill/interleaved_fill_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstddef>
#include <cstdint>

#include "effects/interleaved_fill/interleaved_fill.h"
#include "frame/checks.h"
#include "frame/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::effects {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

// The row's bytes, whole vectors of the pattern at vector boundaries. Those boundaries all lie at
// offsets of one parity, which decides whether a vector starts with the first value or the second.
HWY_INLINE void FillPairsRow(uint8_t* HWY_RESTRICT row, size_t pairs, uint8_t first, uint8_t second) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<uint16_t, decltype(d8)> d16;
  const auto firstAtEven = hn::BitCast(d8, hn::Set(d16, static_cast<uint16_t>(first | second << 8)));
  const auto firstAtOdd = hn::BitCast(d8, hn::Set(d16, static_cast<uint16_t>(second | first << 8)));
  ForEachVectorAligned(
      d8, row, 2 * pairs,
      [&](size_t i, auto aligned) HWY_ATTR {
        StoreVector(aligned, (i & 1) != 0 ? firstAtOdd : firstAtEven, d8, row + i);
      },
      [&](size_t i) HWY_ATTR { row[i] = (i & 1) != 0 ? second : first; });
}

}  // namespace

#include "effects/interleaved_fill/interleaved_fill_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::effects
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

#if !(HWY_TARGETS & HWY_AVX2)
#error "The effects' vector path is the AVX2 build of the interleaved fill."
#endif

namespace ryn::effects {
RYN_DISPATCH(FillPairs8u);
}  // namespace ryn::effects
#endif
