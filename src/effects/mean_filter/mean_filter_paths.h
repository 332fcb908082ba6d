// The two implementations of the interleaved mean filter. Both write, inside the valid area,
// the truncated mean of each channel's window; neither writes anything else.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

// The output pairs whose whole window lies in the region: rows [firstRow, endRow) and pairs
// [firstPair, endPair). A trailing odd byte of the region belongs to no pair.
struct ValidArea {
  int firstRow;
  int endRow;
  int firstPair;
  int endPair;

  bool Empty() const { return firstRow >= endRow || firstPair >= endPair; }
};

inline ValidArea ValidAreaOf(IppiSize region, int window) {
  const int half = window / 2;
  const int pairs = region.width / 2;
  return ValidArea{half, region.height - half, half, pairs - half};
}

// The value written for a window: its sum divided by the sample count, truncated.
inline uint8_t WindowMean(uint32_t sum, int window) {
  return static_cast<uint8_t>(sum / static_cast<uint32_t>(window * window));
}

// Plain C++ on any processor. Refuses to work in place.
IppStatus MeanFilterInterleavedPortable(const uint8_t* source, int sourceStep, uint8_t* destination,
                                        int destinationStep, IppiSize region, int window);

// The narrowest region, in bytes, that the vector path accepts for `window`.
constexpr int MeanFilterVectorMinimumWidth(int window) { return window <= 9 ? 32 : 64; }

// AVX2; the caller has made sure the processor runs it. Accepts source == destination (equal
// steps) and then still computes every output from the unfiltered plane.
IppStatus MeanFilterInterleavedVector(const uint8_t* source, int sourceStep, uint8_t* destination,
                                      int destinationStep, IppiSize region, int window);

}  // namespace ryn::effects
