// Processor builds of the border copies, compiled once per Highway target, and the dispatched
// operations that bind them. Frame runs are vector fills with aligned stores; row copies keep
// memmove, whose own vector loops align the destination and which stays correct on overlap.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/filters/border_copy_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "frame/vector_loops-inl.h"
#include "primitives/filters/border_copy.h"
#include "primitives/filters/filters_checks.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::ForEachVectorAligned;
using ryn::HWY_NAMESPACE::StoreVector;

template <class Bits>
HWY_INLINE void FillRun(Bits* HWY_RESTRICT run, size_t n, Bits value) {
  const hn::ScalableTag<Bits> d;
  const auto v = hn::Set(d, value);
  ForEachVectorAligned(
      d, run, n, [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, v, d, run + i); },
      [&](size_t i) HWY_ATTR { StoreUnaligned(run + i, value); });
}

HWY_INLINE void CopyRow(void* destination, const void* source, size_t bytes) {
  std::memmove(destination, source, bytes);
}

}  // namespace

#include "primitives/filters/border_copy_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::filters {
RYN_DISPATCH(CopyConstBorder8u);
RYN_DISPATCH(CopyReplicateBorder8u);
RYN_DISPATCH(ReplicateBorderInPlace8u);
RYN_DISPATCH(ReplicateBorderInPlace16s);
RYN_DISPATCH(ReplicateBorderInPlace32f);
}  // namespace ryn::filters
#endif
