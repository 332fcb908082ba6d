// The generic 8-bit filters (box mean, fixed Gaussians and high-pass, integer kernel): plain
// C++, the reference for every processor build.
#include <cstddef>
#include <cstdint>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/box_rules.h"
#include "primitives/filters/filters_checks.h"
#include "primitives/filters/fixed_filters.h"
#include "primitives/filters/fixed_rules.h"
#include "primitives/filters/kernel_filter.h"
#include "primitives/filters/kernel_rules.h"
#include "primitives/filters/round_to_nearest.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters::generic {
namespace {

template <class Sum>
void AddColumnSums(Sum* sums, const uint8_t* enter, const uint8_t* leave, size_t n) {
  if (leave != nullptr) {
    for (size_t c = 0; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c] - leave[c]);
  } else {
    for (size_t c = 0; c < n; ++c) sums[c] = static_cast<Sum>(sums[c] + enter[c]);
  }
}

// Integer sums are exact in any order: a running sum along the row.
template <class Sum>
void BoxRow(const Sum* window, const BoxRowJob& job, uint8_t* out, int width) {
  uint32_t sum = 0;
  for (int i = 0; i < job.maskWidth; ++i) sum += window[i];
  out[0] = FinishedPixel(sum, job.finish);
  for (int x = 1; x < width; ++x) {
    sum += static_cast<uint32_t>(window[x + job.maskWidth - 1]) - window[x - 1];
    out[x] = FinishedPixel(sum, job.finish);
  }
}

void Gauss3Row(const uint8_t* const* rows, uint16_t*, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = Gauss3Pixel(rows, x);
}
void Gauss5Row(const uint8_t* const* rows, uint16_t*, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = Gauss5Pixel(rows, x);
}
void Hipass3Row(const uint8_t* const* rows, uint16_t*, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = HipassPixel<3>(rows, x);
}
void Hipass5Row(const uint8_t* const* rows, uint16_t*, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = HipassPixel<5>(rows, x);
}

void KernelRow(const KernelRows& k, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = KernelPixel(k, x);
}

}  // namespace

#include "primitives/filters/box_8u_primitives-inl.h"
#include "primitives/filters/fixed_primitives-inl.h"
#include "primitives/filters/kernel_primitives-inl.h"

}  // namespace ryn::filters::generic
