// The generic morphology row kernels: plain C++, the reference for every processor build.
#include <algorithm>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/filters/scratch_block.h"
#include "primitives/morphology/morphology.h"
#include "primitives/morphology/morphology_checks.h"
#include "primitives/morphology/morphology_rules.h"

namespace ryn::morphology::generic {
namespace {

void ErodeRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = Min3x3(above + x, row + x, below + x);
}

void DilateRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = Max3x3(above + x, row + x, below + x);
}

void MedianRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = Median3x3(above + x, row + x, below + x);
}

void MinOfTaps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) {
    uint8_t value = 255;
    for (int t = 0; t < count; ++t) value = std::min(value, taps[t][x]);
    out[x] = value;
  }
}

void MaxOfTaps(const uint8_t* const* taps, int count, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) {
    uint8_t value = 0;
    for (int t = 0; t < count; ++t) value = std::max(value, taps[t][x]);
    out[x] = value;
  }
}

}  // namespace

#include "primitives/morphology/morphology_primitives-inl.h"

}  // namespace ryn::morphology::generic
