// The generic integral rows and moment sums: plain C++, the reference for every processor build.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/moments/moment_sums.h"
#include "primitives/moments/moments.h"
#include "primitives/moments/moments_checks.h"

namespace ryn::moments::generic {
namespace {

// out[x] = above[x] + source[0] + ... + source[x], wrapping modulo 2^32.
void IntegralRow(const uint8_t* source, const uint32_t* above, uint32_t* out, size_t width) {
  uint32_t rowSum = 0;
  for (size_t x = 0; x < width; ++x) {
    rowSum += source[x];
    StoreUnaligned(out + x, LoadUnaligned(above + x) + rowSum);
  }
}

// out[x] for x = 1..width from the row above and the row two above; the source pixel right of the
// region counts as 0.
void TiltedIntegralRow(const uint8_t* source, const uint32_t* above, const uint32_t* twoAbove, uint32_t* out,
                       size_t width) {
  for (size_t x = 1; x <= width; ++x) {
    const uint32_t right = x < width ? source[x] : 0u;
    StoreUnaligned(out + x, source[x - 1] + right + LoadUnaligned(above + x - 1) + LoadUnaligned(above + x + 1) -
                                LoadUnaligned(twoAbove + x));
  }
}

RowMomentSums RowMoments(const uint8_t* row, size_t width) {
  RowMomentSums sums;
  for (size_t x = 0; x < width; ++x) AddPixelMoments(sums, x, row[x]);
  return sums;
}

}  // namespace

#include "primitives/moments/moments_primitives-inl.h"

}  // namespace ryn::moments::generic
