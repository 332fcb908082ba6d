// Helpers of the colour conversion tests: sets of three guarded planes, C3 test images, the
// conversion formulas written out independently of the library, and snapshots of the part of an
// image that a 4:2:0 conversion writes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {

// An image of three bytes per pixel: a TestImage three times as wide.
inline TestImage<uint8_t> C3Image(int width, int height, int paddingBytes = 5, int misalignBytes = 1) {
  return TestImage<uint8_t>(3 * width, height, paddingBytes, misalignBytes);
}

// Three guarded planes, each with its own size, padding and misalignment, and the pointer and
// step arrays that the exports take.
class ThreePlanes {
 public:
  ThreePlanes(std::array<IppiSize, 3> sizes, int paddingBytes) {
    for (int c = 0; c < 3; ++c) {
      planes_[c] = std::make_unique<TestImage<uint8_t>>(sizes[c].width, sizes[c].height, paddingBytes + c, c + 1);
      pointers_[c] = planes_[c]->data();
      steps_[c] = planes_[c]->step();
    }
  }
  // Three planes of one size sharing one step.
  ThreePlanes(IppiSize size, int paddingBytes) {
    for (int c = 0; c < 3; ++c) {
      planes_[c] = std::make_unique<TestImage<uint8_t>>(size.width, size.height, paddingBytes, 2 * c + 1);
      pointers_[c] = planes_[c]->data();
      steps_[c] = planes_[c]->step();
    }
  }
  // Full-size Y, half-size U and V.
  static ThreePlanes Of420(IppiSize size, int paddingBytes) {
    const IppiSize half{size.width / 2, size.height / 2};
    return ThreePlanes(std::array<IppiSize, 3>{size, half, half}, paddingBytes);
  }

  TestImage<uint8_t>& operator[](int c) { return *planes_[c]; }
  const TestImage<uint8_t>& operator[](int c) const { return *planes_[c]; }
  uint8_t* const* pointers() { return pointers_.data(); }
  const uint8_t* const* sources() const { return pointers_.data(); }
  const int* steps() const { return steps_.data(); }
  int step() const { return steps_[0]; }

  void FillRandom(uint32_t seed) {
    for (int c = 0; c < 3; ++c) planes_[c]->FillRandom(seed + c, 0, 255);
  }
  void FillBytes(uint8_t value) {
    for (int c = 0; c < 3; ++c) planes_[c]->FillBytes(value);
  }
  ::testing::AssertionResult GuardsIntact() const {
    for (int c = 0; c < 3; ++c) {
      if (auto intact = planes_[c]->GuardsIntact(); !intact) return intact << " (plane " << c << ")";
    }
    return ::testing::AssertionSuccess();
  }
  std::array<Snapshot, 3> Capture() const {
    return {test::Capture(*planes_[0]), test::Capture(*planes_[1]), test::Capture(*planes_[2])};
  }

 private:
  std::array<std::unique_ptr<TestImage<uint8_t>>, 3> planes_;
  std::array<uint8_t*, 3> pointers_{};
  std::array<int, 3> steps_{};
};

// The top-left `width` x `height` part of an image, for conversions that leave an odd last column
// or row alone.
inline Snapshot CapturePart(const TestImage<uint8_t>& image, int width, int height) {
  Snapshot snapshot{width, height, 1, false, false, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) snapshot.bytes.push_back(image.at(x, y));
  return snapshot;
}

// Every byte of the image outside its top-left `width` x `height` part still holds `value`.
inline ::testing::AssertionResult OutsidePartHolds(const TestImage<uint8_t>& image, int width, int height,
                                                   uint8_t value) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if ((x < width && y < height) || image.at(x, y) == value) continue;
      return ::testing::AssertionFailure() << "byte (" << x << ", " << y << ") outside the converted "
                                           << width << "x" << height << " part was written";
    }
  return ::testing::AssertionSuccess();
}

// The conversion formulas in 64-bit arithmetic with explicit floors, as a second opinion.
inline int64_t FloorDiv(int64_t numerator, int64_t denominator) {
  const int64_t quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}
inline uint8_t Clamp255(int64_t value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

struct Coefficients {
  int64_t kr, kgu, kgv, kb;
};
inline constexpr Coefficients kNearest{74711, -25821, -38076, 133169};
inline constexpr Coefficients kLowered{74710, -25820, -38075, 133168};

inline std::array<uint8_t, 3> ExpectedRgb(int y, int u, int v, const Coefficients& k) {
  const int64_t cu = u - 128, cv = v - 128, luma = int64_t{y} << 16;
  return {Clamp255(FloorDiv(luma + k.kr * cv, 65536)), Clamp255(FloorDiv(luma + k.kgu * cu + k.kgv * cv, 65536)),
          Clamp255(FloorDiv(luma + k.kb * cu, 65536))};
}

inline std::array<uint8_t, 3> ExpectedYuv(int r, int g, int b) {
  return {Clamp255(FloorDiv(19595 * r + 38469 * g + 7471 * b, 65536)),
          Clamp255(FloorDiv(-4816 * r - 9469 * g + 14286 * b, 32768) + 128),
          Clamp255(FloorDiv(20152 * r - 16875 * g - 3276 * b, 32768) + 128)};
}

}  // namespace ryn::test
