// Argument checks of the plane reshuffles, in the style of frame/checks.h, the alignment test
// behind the interleave's warning, and the interleave sample by sample.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/unaligned.h"

namespace ryn::color {

// A 4:2:0 frame holds at least one 2 x 2 block.
constexpr IppStatus FrameOf420(IppiSize region) {
  return (region.width >= 2 && region.height >= 2) ? ippStsNoErr : ippStsSizeErr;
}

constexpr IppiSize EvenPart(IppiSize region) { return IppiSize{region.width & ~1, region.height & ~1}; }

constexpr IppStatus PlaneCountOf(int planeCount) { return planeCount >= 1 ? ippStsNoErr : ippStsNumChannelsErr; }

inline IppStatus PlanesNotNull(const int16_t* const planes[], int planeCount) {
  for (int c = 0; c < planeCount; ++c) {
    if (planes[c] == nullptr) return ippStsNullPtrErr;
  }
  return ippStsNoErr;
}

inline bool Aligned16(const void* p) { return reinterpret_cast<uintptr_t>(p) % 16 == 0; }

// The destination row and each plane's row (`offset` samples into the plane) start on 16 bytes.
inline bool RowsAligned16(const int16_t* const planes[], int planeCount, ptrdiff_t offset, const int16_t* row) {
  if (!Aligned16(row)) return false;
  for (int c = 0; c < planeCount; ++c) {
    if (!Aligned16(planes[c] + offset)) return false;
  }
  return true;
}

// Samples first..last-1 of each plane's row (starting `offset` samples into the plane): sample k
// of plane c goes to row[k x planeCount + c].
inline void InterleaveSamples(const int16_t* const planes[], int planeCount, ptrdiff_t offset, int16_t* row,
                              size_t first, size_t last) {
  const size_t count = static_cast<size_t>(planeCount);
  for (size_t k = first; k < last; ++k) {
    for (size_t c = 0; c < count; ++c) StoreUnaligned(row + k * count + c, LoadUnaligned(planes[c] + offset + k));
  }
}

}  // namespace ryn::color
