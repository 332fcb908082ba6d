// Row loops of the filters' processor builds, included once per Highway target (after
// foreach_target.h, before the including file's HWY_BEFORE_NAMESPACE).
#if defined(RYN_FILTERS_VECTOR_LOOPS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILTERS_VECTOR_LOOPS_INL_H_
#undef RYN_FILTERS_VECTOR_LOOPS_INL_H_
#else
#define RYN_FILTERS_VECTOR_LOOPS_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace ryn::filters {
namespace HWY_NAMESPACE {

// Calls vector(x) for x = 0, lanes, 2 lanes, ..., and for the ragged end once more at
// count - lanes, overlapping the previous vector; counts below one vector go to scalar(x).
// Only for outputs that are a function of inputs the loop does not write, so that computing a
// pixel twice gives the same value.
template <class Vector, class Scalar>
HWY_INLINE void ForEachVectorOverlappingEnd(size_t count, size_t lanes, Vector vector, Scalar scalar) {
  if (count < lanes) {
    for (size_t x = 0; x < count; ++x) scalar(x);
    return;
  }
  size_t x = 0;
  for (; x + lanes <= count; x += lanes) vector(x);
  if (x < count) vector(count - lanes);
}

}  // namespace HWY_NAMESPACE
}  // namespace ryn::filters
HWY_AFTER_NAMESPACE();

#endif
