// Contour smoothing: the context, the Cartesian smoother's kept band, the polar smoother.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "fft_test_support.h"
#include "primitives/fft/fft.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

class Smoother {
 public:
  explicit Smoother(int n) { EXPECT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context_, n), ippStsNoErr); }
  ~Smoother() { EXPECT_EQ(fnVCAIPP_DFTSmoothContourFree_32f(&context_), ippStsNoErr); }
  Smoother(const Smoother&) = delete;
  Smoother& operator=(const Smoother&) = delete;
  RynContourSmoother* get() { return context_; }

 private:
  RynContourSmoother* context_ = nullptr;
};

// The smoothing in double: the spectrum divided by n, s(k) .. s(n - k - 2) cleared, transformed back.
Complexes ReferenceSmoothing(const std::vector<Ipp32fc>& contour, int k) {
  const int n = static_cast<int>(contour.size());
  Complexes spectrum = ReferenceDft(ToDouble(contour), -1);
  for (auto& z : spectrum) z /= n;
  for (int i = k; i <= n - k - 2; ++i) spectrum[static_cast<size_t>(i)] = 0;
  return ReferenceDft(spectrum, +1);
}

// Points on an ellipse inside the unit square, with a little noise.
std::vector<Ipp32fc> Ellipse(int n, uint32_t seed) {
  std::vector<Ipp32fc> points(static_cast<size_t>(n));
  const std::vector<Ipp32fc> noise = RandomComplexes(points.size(), seed);
  for (int i = 0; i < n; ++i) {
    const double angle = 2 * std::numbers::pi * i / n;
    points[static_cast<size_t>(i)] = Ipp32fc{static_cast<float>(0.5 + 0.3 * std::cos(angle) + 0.01 * noise[i].re),
                                             static_cast<float>(0.45 + 0.2 * std::sin(angle) + 0.01 * noise[i].im)};
  }
  return points;
}

TEST(SmoothingContext, CreatedAndReleased) {
  RynContourSmoother* context = nullptr;
  ASSERT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, 64), ippStsNoErr);
  ASSERT_NE(context, nullptr);
  const auto* inside = reinterpret_cast<const fft::SmoothingContext*>(context);
  EXPECT_EQ(inside->length, 64);
  EXPECT_EQ(inside->plan->identifier, 13);
  int size = 0;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(context, &size), ippStsNoErr);
  EXPECT_EQ(size, 2560);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourFree_32f(&context), ippStsNoErr);
  EXPECT_EQ(context, nullptr);
}

// A failed creation releases what it built and leaves the caller's pointer null.
TEST(SmoothingContext, FailedCreationLeavesNothing) {
  RynContourSmoother* context = reinterpret_cast<RynContourSmoother*>(&context);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(nullptr, 64), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, 0), ippStsSizeErr);
  EXPECT_EQ(context, nullptr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, -5), ippStsSizeErr);
  EXPECT_EQ(context, nullptr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourFree_32f(nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourFree_32f(&context), ippStsNullPtrErr);
  int size = -1;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourPolarGetBufferSize_32f(nullptr, &size), ippStsNullPtrErr);
  EXPECT_EQ(size, -1);
}

// The largest prime length is one direct radix whose tables need more than a block may hold:
// the sizes are counted in 64 bits (the sanitizer build reports any overflow) and creation fails
// cleanly.
TEST(SmoothingContext, LargestPrimeLengthFailsWithoutOverflow) {
  RynContourSmoother* context = nullptr;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, std::numeric_limits<int>::max()),
            ippStsMemAllocErr);
  EXPECT_EQ(context, nullptr);
}

// The plan's release status is the result, and the context is released all the same.
TEST(SmoothingContext, FreeReportsAPlanOfAnotherKind) {
  RynContourSmoother* context = nullptr;
  ASSERT_EQ(fnVCAIPP_DFTSmoothContourInitAlloc_32f(&context, 10), ippStsNoErr);
  fft::DftPlan* plan = reinterpret_cast<fft::SmoothingContext*>(context)->plan;
  Ipp32fc contour[10] = {}, spectrum[10] = {};
  plan->identifier = fft::kFftPlanIdentifier;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(context, contour, spectrum, 10, 2), ippStsContextMatchErr);
  plan->identifier = fft::kDftPlanIdentifier;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourFree_32f(&context), ippStsNoErr);
  EXPECT_EQ(context, nullptr);
}

TEST(SmoothContour, KeepsFrequenciesFromMinusKPlusOneToKMinusOne) {
  for (const auto& [n, k] : {std::pair{2, 0}, {5, 1}, {16, 3}, {17, 0}, {50, 5}, {64, 10}, {1000, 37}}) {
    SCOPED_TRACE(::testing::Message() << "n " << n << ", k " << k);
    Smoother smoother(n);
    std::vector<Ipp32fc> contour = Ellipse(n, static_cast<uint32_t>(n)), spectrum(static_cast<size_t>(n));
    const Complexes expected = ReferenceSmoothing(contour, k);
    ASSERT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), contour.data(), spectrum.data(), n, k), ippStsNoErr);
    EXPECT_LE(RelativeError(contour, expected), 2 * TransformTolerance(n));
    for (int i = 0; i < n; ++i) {
      const bool cleared = i >= k && i <= n - k - 2;
      EXPECT_EQ(spectrum[i].re == 0 && spectrum[i].im == 0, cleared) << i;
    }
  }
}

// The largest k of an even length clears one coefficient; one more leaves the contour as it was.
TEST(SmoothContour, LargestKAndTheEmptyBand) {
  Smoother even(12);
  std::vector<Ipp32fc> contour = Ellipse(12, 1), spectrum(12);
  const Complexes expected = ReferenceSmoothing(contour, 5);
  ASSERT_EQ(fnVCAIPP_DFTSmoothContour_32f(even.get(), contour.data(), spectrum.data(), 12, 5), ippStsNoErr);
  EXPECT_LE(RelativeError(contour, expected), 2 * TransformTolerance(12));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(spectrum[i].re == 0 && spectrum[i].im == 0, i == 5) << i;

  Smoother odd(13);
  contour = Ellipse(13, 2);
  spectrum.assign(13, Ipp32fc{});
  const std::vector<Ipp32fc> before = contour;
  ASSERT_EQ(fnVCAIPP_DFTSmoothContour_32f(odd.get(), contour.data(), spectrum.data(), 13, 6), ippStsSizeErr);
  for (int i = 0; i < 13; ++i) EXPECT_TRUE(SameBits(contour[i], before[i])) << i;
  Complexes transformed = ReferenceDft(ToDouble(before), -1);
  for (auto& z : transformed) z /= 13.0;
  EXPECT_LE(RelativeError(spectrum, transformed), TransformTolerance(13));
}

TEST(SmoothContour, BadArgumentsWithNothingWritten) {
  Smoother smoother(8);
  std::vector<Ipp32fc> contour = Ellipse(8, 3), spectrum(8, Ipp32fc{-1, -1});
  const std::vector<Ipp32fc> before = contour;
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(nullptr, contour.data(), spectrum.data(), 8, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), nullptr, spectrum.data(), 8, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), contour.data(), nullptr, 8, 1), ippStsNullPtrErr);
  // Another length or a negative k would clear coefficients outside the arrays.
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), contour.data(), spectrum.data(), 9, 1), ippStsBadArgErr);
  EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), contour.data(), spectrum.data(), 8, -1), ippStsBadArgErr);
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(SameBits(contour[i], before[i])) << i;
    EXPECT_TRUE(SameBits(spectrum[i], Ipp32fc{-1, -1})) << i;
  }
}

std::vector<Ipp32fc> SmoothPolar(Smoother& smoother, const std::vector<Ipp32fc>& source, int k,
                                 IppStatus expected = ippStsNoErr) {
  const int n = static_cast<int>(source.size());
  std::vector<uint8_t> buffer(40 * source.size());
  std::vector<Ipp32fc> destination(source.size());
  EXPECT_EQ(fnVCAIPP_DFTSmoothContourPolar_32f(smoother.get(), buffer.data(), source.data(), destination.data(), n, k),
            expected);
  return destination;
}

TEST(SmoothContourPolar, LargeKReproducesASmoothContour) {
  Smoother smoother(64);
  std::vector<Ipp32fc> source(64);
  for (int i = 0; i < 64; ++i) {
    const double angle = 2 * std::numbers::pi * i / 64;
    source[i] = Ipp32fc{static_cast<float>(0.5 + 0.2 * std::cos(angle)), static_cast<float>(0.5 + 0.2 * std::sin(angle))};
  }
  const std::vector<Ipp32fc> smoothed = SmoothPolar(smoother, source, 30);
  for (int i = 0; i < 64; ++i) {
    EXPECT_NEAR(smoothed[i].re, source[i].re, 2e-3) << i;
    EXPECT_NEAR(smoothed[i].im, source[i].im, 2e-3) << i;
  }
  // The destination may be the source.
  std::vector<Ipp32fc> inPlace = source;
  std::vector<uint8_t> buffer(40 * 64);
  ASSERT_EQ(fnVCAIPP_DFTSmoothContourPolar_32f(smoother.get(), buffer.data(), inPlace.data(), inPlace.data(), 64, 30),
            ippStsNoErr);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(SameBits(inPlace[i], smoothed[i])) << i;
}

TEST(SmoothContourPolar, ResultsAreClampedToTheUnitSquare) {
  // A square along the edges of the unit square: its smoothing overshoots them.
  std::vector<Ipp32fc> square;
  for (int i = 0; i < 10; ++i) square.push_back({i / 10.0f, 0.0f});
  for (int i = 0; i < 10; ++i) square.push_back({1.0f, i / 10.0f});
  for (int i = 0; i < 10; ++i) square.push_back({1.0f - i / 10.0f, 1.0f});
  for (int i = 0; i < 10; ++i) square.push_back({0.0f, 1.0f - i / 10.0f});
  Smoother smoother(40);
  const std::vector<Ipp32fc> smoothed = SmoothPolar(smoother, square, 2);
  int onEdge = 0;
  for (const Ipp32fc& p : smoothed) {
    EXPECT_TRUE(p.re >= 0 && p.re <= 1 && p.im >= 0 && p.im <= 1) << p.re << ", " << p.im;
    onEdge += p.re == 0 || p.re == 1 || p.im == 0 || p.im == 1;
  }
  EXPECT_GT(onEdge, 0);
}

// A smoothing that fails returns at once: the buffer then shows the polar form of the moved
// contour, in which the corner point (xmin, ymin) has distance 0 and angle 0.
TEST(SmoothContourPolar, CornerPointHasDistanceAndAngleZero) {
  const std::vector<Ipp32fc> source = {{0.3f, 0.7f}, {0.2f, 0.1f}, {0.6f, 0.4f}, {0.9f, 0.1f}, {0.2f, 0.5f}};
  Smoother smoother(5);
  std::vector<uint8_t> buffer(200);
  std::vector<Ipp32fc> destination(5, Ipp32fc{-1, -1});
  ASSERT_EQ(fnVCAIPP_DFTSmoothContourPolar_32f(smoother.get(), buffer.data(), source.data(), destination.data(), 5, 2),
            ippStsSizeErr);
  const float* magnitude = reinterpret_cast<const float*>(buffer.data() + 4 * 5 * 8);
  const float* phase = magnitude + 5;
  EXPECT_EQ(magnitude[1], 0.0f);
  EXPECT_EQ(phase[1], 0.0f);
  EXPECT_FLOAT_EQ(magnitude[3], 0.7f);
  EXPECT_FLOAT_EQ(phase[0], std::atan2(0.6f, 0.1f));
  for (const Ipp32fc& p : destination) EXPECT_TRUE(SameBits(p, Ipp32fc{-1, -1}));
}

TEST(SmoothContourPolar, BadArgumentsInOrderWithNothingWritten) {
  Smoother smoother(6);
  const std::vector<Ipp32fc> source = Ellipse(6, 4);
  std::vector<uint8_t> buffer(240);
  std::vector<Ipp32fc> destination(6, Ipp32fc{-1, -1});
  auto call = [&](RynContourSmoother* context, uint8_t* b, const Ipp32fc* s, Ipp32fc* d, int n, int k) {
    return fnVCAIPP_DFTSmoothContourPolar_32f(context, b, s, d, n, k);
  };
  EXPECT_EQ(call(nullptr, buffer.data(), source.data(), destination.data(), 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(call(smoother.get(), nullptr, source.data(), destination.data(), 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(call(smoother.get(), buffer.data(), nullptr, destination.data(), 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(call(smoother.get(), buffer.data(), source.data(), nullptr, 0, 0), ippStsNullPtrErr);
  EXPECT_EQ(call(smoother.get(), buffer.data(), source.data(), destination.data(), 0, 0), ippStsSizeErr);
  EXPECT_EQ(call(smoother.get(), buffer.data(), source.data(), destination.data(), 5, 0), ippStsBadArgErr);
  EXPECT_EQ(call(smoother.get(), buffer.data(), source.data(), destination.data(), 5, 1), ippStsBadArgErr);
  for (const Ipp32fc& p : destination) EXPECT_TRUE(SameBits(p, Ipp32fc{-1, -1}));
}

TEST(ContourSmoothing, BuildsMatchGeneric) {
  for (const auto& [n, k] : {std::pair{6, 1}, {16, 3}, {40, 4}, {64, 9}, {300, 20}, {1000, 50}}) {
    SCOPED_TRACE(::testing::Message() << "n " << n << ", k " << k);
    Smoother smoother(n);
    const std::vector<Ipp32fc> source = Ellipse(n, 9);
    ExpectBuildsMatchGeneric([&](Build) {
      std::vector<Ipp32fc> contour = source, spectrum(source.size());
      EXPECT_EQ(fnVCAIPP_DFTSmoothContour_32f(smoother.get(), contour.data(), spectrum.data(), n, k), ippStsNoErr);
      return std::tuple(SnapshotOf(contour), SnapshotOf(SmoothPolar(smoother, source, k)));
    });
  }
}

}  // namespace
}  // namespace ryn::test
