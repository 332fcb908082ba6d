// The generic plane reshuffles: plain C++, the reference for every processor build.
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/color/color.h"
#include "primitives/color/plane_rows.h"
#include "primitives/color/planes_rules.h"

namespace ryn::color::generic {
namespace {

// memmove: the source and destination luma planes may be one plane.
void CopyRow(const uint8_t* source, uint8_t* destination, size_t n) { std::memmove(destination, source, n); }

// n (Cb, Cr) pairs into n Cb and n Cr samples.
void SplitPairsRow(const uint8_t* pairs, uint8_t* cb, uint8_t* cr, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    cb[i] = pairs[2 * i];
    cr[i] = pairs[2 * i + 1];
  }
}

void JoinPairsRow(const uint8_t* cb, const uint8_t* cr, uint8_t* pairs, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    pairs[2 * i] = cb[i];
    pairs[2 * i + 1] = cr[i];
  }
}

void InterleaveRow16(const int16_t* const planes[], int planeCount, ptrdiff_t offset, int16_t* row, size_t n) {
  InterleaveSamples(planes, planeCount, offset, row, 0, n);
}

}  // namespace

#include "primitives/color/planes_primitives-inl.h"

}  // namespace ryn::color::generic
