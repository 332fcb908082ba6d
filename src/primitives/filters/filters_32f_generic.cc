// The generic float filters (box mean, kernel, Gaussian border): plain C++, the reference for
// every processor build. Caller rows may start at any address: read and written through
// LoadUnaligned and StoreUnaligned.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/box_rules.h"
#include "primitives/filters/filters_checks.h"
#include "primitives/filters/float_kernel_filter.h"
#include "primitives/filters/float_rules.h"
#include "primitives/filters/gauss_border_filter.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters::generic {
namespace {

void DirectColumnSums32f(float* sums, const float* const* rows, int count, size_t n) {
  for (size_t c = 0; c < n; ++c) sums[c] = DirectColumnSum32f(rows, count, c);
}

void UpdateColumnSums32f(float* sums, const float* enter, const float* leave, size_t n) {
  for (size_t c = 0; c < n; ++c) sums[c] = (sums[c] + LoadUnaligned(enter + c)) - LoadUnaligned(leave + c);
}

void BoxRow32f(const float* window, int maskWidth, float reciprocal, float* out, int width) {
  if (maskWidth > kDirectFloatMaskWidth) return RunningBoxRow32f(window, maskWidth, reciprocal, out, width);
  for (int x = 0; x < width; ++x) StoreUnaligned(out + x, DirectWindowSum32f(window, maskWidth, x) * reciprocal);
}

void WeightedSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  for (size_t c = 0; c < n; ++c) StoreUnaligned(out + c, WeightedSumAt(inputs, weights, count, c));
}

void SymmetricSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  for (size_t c = 0; c < n; ++c) StoreUnaligned(out + c, SymmetricSumAt(inputs, weights, count, c));
}

}  // namespace

#include "primitives/filters/box_32f_primitives-inl.h"
#include "primitives/filters/float_kernel_primitives-inl.h"
#include "primitives/filters/gauss_border_primitives-inl.h"

}  // namespace ryn::filters::generic
