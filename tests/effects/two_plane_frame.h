// Two-plane 4:2:0 frames for the tests of the two-plane effects: a luma plane and an interleaved
// chroma plane of half the rows (rounded down), and the check of both planes after a call.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/test_image.h"

namespace ryn::test {

// fnVCAIPP_Pixelized_NxN_8u_P2P3IR, fnVCAIPP_MeanFilter_NxN_8u_P2P3IR: luma plane, luma step,
// chroma plane, chroma step, frame size, mode.
using TwoPlaneExport = IppStatus (*)(uint8_t*, int, uint8_t*, int, IppiSize, int);

// Random pixels; the planes are padded and unaligned differently, and the guard bytes below the
// chroma plane catch a write to a row it does not have.
struct TwoPlaneFrame {
  TwoPlaneFrame(int width, int height, uint32_t seed) : luma(width, height, 5, 3), chroma(width, height / 2, 7, 1) {
    luma.FillRandom(seed, 0, 255);
    chroma.FillRandom(seed + 1, 0, 255);
  }

  IppiSize size() const { return luma.size(); }

  IppStatus Run(TwoPlaneExport effect, int mode) {
    return effect(luma.data(), luma.step(), chroma.data(), chroma.step(), size(), mode);
  }

  TestImage<uint8_t> luma;
  TestImage<uint8_t> chroma;
};

// What both planes should hold after a call, row by row.
struct ExpectedPlanes {
  std::vector<uint8_t> luma;
  std::vector<uint8_t> chroma;
};

inline ExpectedPlanes PlanesOf(const TwoPlaneFrame& frame) {
  return ExpectedPlanes{frame.luma.RegionBytes(), frame.chroma.RegionBytes()};
}

namespace detail {

inline ::testing::AssertionResult PlaneHolds(const char* name, const TestImage<uint8_t>& plane,
                                             const std::vector<uint8_t>& expected) {
  const std::vector<uint8_t> got = plane.RegionBytes();
  for (size_t i = 0; i < got.size() && i < expected.size(); ++i) {
    if (got[i] != expected[i]) {
      const size_t width = static_cast<size_t>(plane.width());
      return ::testing::AssertionFailure() << "the " << name << " plane differs first at (" << i % width << ", "
                                           << i / width << "): expected " << int{expected[i]} << ", got "
                                           << int{got[i]};
    }
  }
  if (got.size() != expected.size()) return ::testing::AssertionFailure() << "the " << name << " plane's size";
  const ::testing::AssertionResult guards = plane.GuardsIntact();
  if (!guards) return ::testing::AssertionFailure() << "the " << name << " plane: " << guards.message();
  return ::testing::AssertionSuccess();
}

}  // namespace detail

// Both planes hold what was expected, and nothing outside either plane was written.
inline ::testing::AssertionResult FrameHolds(const TwoPlaneFrame& frame, const ExpectedPlanes& expected) {
  if (auto luma = detail::PlaneHolds("luma", frame.luma, expected.luma); !luma) return luma;
  return detail::PlaneHolds("chroma", frame.chroma, expected.chroma);
}

}  // namespace ryn::test
