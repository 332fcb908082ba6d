// Sampling an 8-bit source at one mapped position, for rotation, perspective warp and remap: the
// per-pixel rules that the generic code applies everywhere and the processor builds apply where
// they do not vectorise (cubic and Lanczos modes, edge smoothing, tails). Positions are clamped to
// the source region, so no sample reads outside it.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "primitives/geometry/interpolation.h"

namespace ryn::geometry {

// The readable part of a source: pixels [left, right] x [top, bottom] (inclusive), `channels`
// interleaved bytes each.
struct SourcePlane {
  const uint8_t* data;  // pixel (0, 0) of the image
  int step;
  int left, top, right, bottom;
  int channels;

  const uint8_t* At(int x, int y) const {
    return data + static_cast<ptrdiff_t>(y) * step + static_cast<ptrdiff_t>(x) * channels;
  }
};

// Nearest index with ties to even of a single-precision coordinate, kept inside [low, high]
// (NaN gives low, as the vector Max/Min pair does).
inline int NearestIndex(float v, float low, float high) {
  float m = v > low ? v : low;
  m = m < high ? m : high;
  return static_cast<int>(std::nearbyint(m));
}

// Linear sample of channel c around (x0 + fx, y0 + fy): horizontal steps on two rows, then a
// vertical step, each with 14-bit weights; neighbours outside the plane repeat its edge.
inline int LinearSample(const SourcePlane& s, int x0, int wx, int y0, int wy, int c) {
  x0 = Clamp(x0, s.left - 1, s.right + 1), y0 = Clamp(y0, s.top - 1, s.bottom + 1);
  const int xa = Clamp(x0, s.left, s.right), xb = Clamp(x0 + 1, s.left, s.right);
  const int ya = Clamp(y0, s.top, s.bottom), yb = Clamp(y0 + 1, s.top, s.bottom);
  const int top = LinearStep(s.At(xa, ya)[c], s.At(xb, ya)[c], wx);
  const int bottom = LinearStep(s.At(xa, yb)[c], s.At(xb, yb)[c], wx);
  return LinearStep(top, bottom, wy);
}

// Separable sample with `taps` weights per axis starting at x0, y0, summed row by row in float.
inline float TapSample(const SourcePlane& s, int x0, const float* wx, int y0, const float* wy, int taps, int c) {
  float sum = 0.0f;
  for (int j = 0; j < taps; ++j) {
    const int y = Clamp(y0 + j, s.top, s.bottom);
    float row = 0.0f;
    for (int i = 0; i < taps; ++i) row += wx[i] * static_cast<float>(s.At(Clamp(x0 + i, s.left, s.right), y)[c]);
    sum += wy[j] * row;
  }
  return sum;
}

// Sample of every channel at (sx, sy) with an interpolating mode (2, 4 to 7, 16), or nearest with
// ties to even of the single-precision position (1).
inline void SampleAt(const SourcePlane& s, int mode, double sx, double sy, uint8_t* out) {
  if (mode == kNearest) {
    const int x = NearestIndex(static_cast<float>(sx), static_cast<float>(s.left), static_cast<float>(s.right));
    const int y = NearestIndex(static_cast<float>(sy), static_cast<float>(s.top), static_cast<float>(s.bottom));
    for (int c = 0; c < s.channels; ++c) out[c] = s.At(x, y)[c];
    return;
  }
  const double fx0 = std::floor(sx), fy0 = std::floor(sy);
  const int x0 = TruncateToInt(fx0), y0 = TruncateToInt(fy0);
  const float fx = static_cast<float>(sx - fx0), fy = static_cast<float>(sy - fy0);
  if (mode == kLinear) {
    const int wx = WeightFromFraction(fx), wy = WeightFromFraction(fy);
    for (int c = 0; c < s.channels; ++c) out[c] = static_cast<uint8_t>(LinearSample(s, x0, wx, y0, wy, c));
    return;
  }
  float wx[6], wy[6];
  int taps = 4, before = 1;
  if (mode == kLanczos) {
    LanczosWeights(fx, wx);
    LanczosWeights(fy, wy);
    taps = 6, before = 2;
  } else {
    CubicWeights(mode, fx, wx);
    CubicWeights(mode, fy, wy);
  }
  for (int c = 0; c < s.channels; ++c) out[c] = RoundToByte(TapSample(s, x0 - before, wx, y0 - before, wy, taps, c));
}

// How much of a destination pixel whose centre maps to (sx, sy) the source region covers: 1
// inside the hull of the region's pixel centres, falling to 0 one pixel outside it, per axis.
inline float RegionCoverage(const SourcePlane& s, double sx, double sy) {
  double ox = s.left - sx > sx - s.right ? s.left - sx : sx - s.right;
  double oy = s.top - sy > sy - s.bottom ? s.top - sy : sy - s.bottom;
  if (!(ox < 1.0 && oy < 1.0)) return 0.0f;
  if (ox < 0.0) ox = 0.0;
  if (oy < 0.0) oy = 0.0;
  return static_cast<float>((1.0 - ox) * (1.0 - oy));
}

// Remap samples nearest neighbour at truncate(s + 0.5), half up; the other modes as SampleAt.
inline void RemapSampleAt(const SourcePlane& s, int mode, double sx, double sy, uint8_t* out) {
  if (mode != kNearest) return SampleAt(s, mode, sx, sy, out);
  const int x = Clamp(TruncateToInt(sx + 0.5), s.left, s.right), y = Clamp(TruncateToInt(sy + 0.5), s.top, s.bottom);
  for (int c = 0; c < s.channels; ++c) out[c] = s.At(x, y)[c];
}

// Edge smoothing (interpolation bit 31): a pixel inside the centre hull is sampled as usual; one
// less than a pixel outside it is the edge sample blended with the destination by its coverage,
// the blend of the resize's edge option; anything further out is left alone.
template <class Sampler>
inline void SmoothedSample(const SourcePlane& s, int mode, double sx, double sy, uint8_t* out, Sampler sample) {
  const float coverage = RegionCoverage(s, sx, sy);
  if (coverage <= 0.0f) return;
  if (coverage >= 1.0f) return sample(s, mode, sx, sy, out);
  const double cx = sx < s.left ? s.left : (sx > s.right ? s.right : sx);
  const double cy = sy < s.top ? s.top : (sy > s.bottom ? s.bottom : sy);
  uint8_t edge[4];
  sample(s, mode, cx, cy, edge);
  for (int c = 0; c < s.channels; ++c) out[c] = BlendEdge(out[c], edge[c], coverage);
}

}  // namespace ryn::geometry
