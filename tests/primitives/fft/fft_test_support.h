// Helpers of the transform tests: random complex data, a direct DFT in double as the oracle, and
// error measures.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {

using Complexes = std::vector<std::complex<double>>;

inline std::vector<Ipp32fc> RandomComplexes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<Ipp32fc> v(n);
  for (Ipp32fc& z : v) z = Ipp32fc{value(rng), value(rng)};
  return v;
}

inline void FillRandom(TestImage<Ipp32fc>& image, uint32_t seed) {
  const std::vector<Ipp32fc> values = RandomComplexes(static_cast<size_t>(image.width()) * image.height(), seed);
  size_t i = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.at(x, y) = values[i++];
}

// sum over m of x(m) exp(sign 2 pi i j m / n), for every j.
inline Complexes ReferenceDft(const Complexes& x, int sign) {
  const size_t n = x.size();
  Complexes roots(n);
  for (size_t t = 0; t < n; ++t) {
    const double angle = sign * 2 * std::numbers::pi * static_cast<double>(t) / static_cast<double>(n);
    roots[t] = std::complex<double>(std::cos(angle), std::sin(angle));
  }
  // Plain doubles: the sum stays quick in unoptimised builds.
  const double* in = reinterpret_cast<const double*>(x.data());
  const double* w = reinterpret_cast<const double*>(roots.data());
  Complexes y(n);
  for (size_t j = 0; j < n; ++j) {
    double re = 0, im = 0;
    size_t t = 0;
    for (size_t m = 0; m < n; ++m) {
      re += in[2 * m] * w[2 * t] - in[2 * m + 1] * w[2 * t + 1];
      im += in[2 * m] * w[2 * t + 1] + in[2 * m + 1] * w[2 * t];
      t += j;
      if (t >= n) t -= n;
    }
    y[j] = {re, im};
  }
  return y;
}

// The two-dimensional transform of a width x height image (row-major), rows first.
inline Complexes ReferenceDft2D(const Complexes& image, int width, int height, int sign) {
  Complexes out = image;
  for (int y = 0; y < height; ++y) {
    const Complexes row(out.begin() + static_cast<ptrdiff_t>(y) * width, out.begin() + static_cast<ptrdiff_t>(y + 1) * width);
    const Complexes transformed = ReferenceDft(row, sign);
    std::copy(transformed.begin(), transformed.end(), out.begin() + static_cast<ptrdiff_t>(y) * width);
  }
  for (int x = 0; x < width; ++x) {
    Complexes column(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) column[static_cast<size_t>(y)] = out[static_cast<size_t>(y) * width + x];
    const Complexes transformed = ReferenceDft(column, sign);
    for (int y = 0; y < height; ++y) out[static_cast<size_t>(y) * width + x] = transformed[static_cast<size_t>(y)];
  }
  return out;
}

inline Complexes ToDouble(const std::vector<Ipp32fc>& v) {
  Complexes out;
  for (const Ipp32fc& z : v) out.emplace_back(z.re, z.im);
  return out;
}

// ||got - expected|| / ||expected|| (root of the sums of squares).
inline double RelativeError(const std::vector<Ipp32fc>& got, const Complexes& expected) {
  double error = 0, norm = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    error += std::norm(std::complex<double>(got[i].re, got[i].im) - expected[i]);
    norm += std::norm(expected[i]);
  }
  return norm == 0 ? std::sqrt(error) : std::sqrt(error / norm);
}

// A few single-precision units per level of the transform: the usual growth of FFT rounding.
inline double TransformTolerance(int64_t length) {
  constexpr double kUnitsPerLevel = 4;
  return kUnitsPerLevel * 0x1p-24 * std::max(1.0, std::log2(static_cast<double>(length)));
}

inline bool SameBits(Ipp32fc a, Ipp32fc b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace ryn::test

namespace ryn::test {

// Complex values as a snapshot of float pairs, so that a build mismatch names the value.
inline Snapshot SnapshotOf(const std::vector<Ipp32fc>& values) {
  Snapshot s;
  s.width = static_cast<int>(2 * values.size());
  s.height = 1;
  s.pixelBytes = 4;
  s.isFloat = true;
  s.bytes.assign(reinterpret_cast<const uint8_t*>(values.data()),
                 reinterpret_cast<const uint8_t*>(values.data() + values.size()));
  return s;
}

inline Snapshot SnapshotOf(const std::vector<float>& values) {
  Snapshot s;
  s.width = static_cast<int>(values.size());
  s.height = 1;
  s.pixelBytes = 4;
  s.isFloat = true;
  s.bytes.assign(reinterpret_cast<const uint8_t*>(values.data()),
                 reinterpret_cast<const uint8_t*>(values.data() + values.size()));
  return s;
}

}  // namespace ryn::test
