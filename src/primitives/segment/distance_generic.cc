// The generic passes of the distance transform: plain C++, the reference for every processor
// build.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/segment/distance_envelope.h"
#include "primitives/segment/segment.h"

namespace ryn::segment::generic {
namespace {

// out[x] = 0 where the source pixel is zero, else below[x] + 1 (in place when out == below).
void DownDistanceRow(const uint8_t* source, const uint32_t* below, uint32_t* out, size_t width) {
  for (size_t x = 0; x < width; ++x) StoreUnaligned(out + x, source[x] == 0 ? 0u : LoadUnaligned(below + x) + 1);
}

// row[x] = min(above[x] + 1, row[x]).
void NearestZeroRow(const uint32_t* above, uint32_t* row, size_t width) {
  for (size_t x = 0; x < width; ++x) {
    const uint32_t fromAbove = LoadUnaligned(above + x) + 1;
    const uint32_t fromBelow = LoadUnaligned(row + x);
    StoreUnaligned(row + x, fromAbove < fromBelow ? fromAbove : fromBelow);
  }
}

void SquareRootRow(float* row, size_t width) {
  for (size_t x = 0; x < width; ++x) StoreUnaligned(row + x, std::sqrt(LoadUnaligned(row + x)));
}

// Replaces the column distances of `row` by the distances.
void RowDistances(uint32_t* row, const EnvelopeWorkspace& envelope, size_t width) {
  std::memcpy(envelope.distances(), row, width * sizeof(uint32_t));
  envelope.SquaredRowDistances(row);
  SquareRootRow(reinterpret_cast<float*>(row), width);
}

}  // namespace

#include "primitives/segment/distance_primitives-inl.h"

}  // namespace ryn::segment::generic
