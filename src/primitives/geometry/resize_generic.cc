// The generic resize row kernels: plain C++, the reference for every processor
// build.
#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"
#include "primitives/geometry/resize_pixels.h"

namespace ryn::geometry::generic {

void ResizeNearestRow(const uint8_t* sourceRow, const int32_t* columns, int count, int, uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = sourceRow[columns[i]];
}

void ResizeLinearRow(const uint8_t* sourceRow, const int32_t* starts, const int32_t* weights, int count, int first,
                     int last, const LinearRuns&, uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = LinearPixel(sourceRow, starts[i], weights[i], first, last);
}

void ResizeLinearBlend(const uint8_t* top, const uint8_t* bottom, int weight, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(LinearStep(top[i], bottom[i], weight));
}

void ResizeTapRow(const uint8_t* sourceRow, const int32_t* starts, const float* weights, int taps, int count, int first,
                  int last, float* out) {
  for (int i = 0; i < count; ++i) out[i] = TapPixel(sourceRow, starts[i], weights + i, count, taps, first, last);
}

void ResizeTapBlend(const float* const* rows, const float* weights, int taps, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    float sum = 0.0f;
    for (int t = 0; t < taps; ++t) sum += weights[t] * rows[t][i];
    out[i] = RoundToByte(sum);
  }
}

void ResizeTapAccumulate(const float* row, float weight, bool first, int count, float* sums) {
  for (int i = 0; i < count; ++i) sums[i] = (first ? 0.0f : sums[i]) + weight * row[i];
}

void ResizeAreaAccumulate(const uint8_t* row, float weight, bool first, int count, float* sums) {
  for (int i = 0; i < count; ++i) sums[i] = (first ? 0.0f : sums[i]) + weight * static_cast<float>(row[i]);
}

void ResizeRoundRow(const float* sums, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = RoundToByte(sums[i]);
}

void ResizeAreaRow(const float* sums, int origin, int, const AreaSpans& spans, int count, int, float scale,
                   uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = AreaPixel(sums, origin, spans, i, scale);
}

void ResizeLinearHalving(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    const int upper = LinearStep(top[2 * i], top[2 * i + 1], 8192);
    const int lower = LinearStep(bottom[2 * i], bottom[2 * i + 1], 8192);
    out[i] = static_cast<uint8_t>(LinearStep(upper, lower, 8192));
  }
}

// Whole pixels sum exactly in float, so this is the general path's sum of sums times 0.25.
void ResizeAreaHalving(const uint8_t* top, const uint8_t* bottom, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    const float left = static_cast<float>(top[2 * i]) + static_cast<float>(bottom[2 * i]);
    const float right = static_cast<float>(top[2 * i + 1]) + static_cast<float>(bottom[2 * i + 1]);
    out[i] = RoundToByte((left + right) * 0.25f);
  }
}

}  // namespace ryn::geometry::generic
