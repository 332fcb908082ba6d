// The resize engine: plans the call, carves its tables and row buffers from the caller's working
// buffer, and runs the row kernels of the effective mode, then the edge pass.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "primitives/geometry/geometry.h"
#include "primitives/geometry/interpolation.h"

namespace ryn::geometry {
namespace {

struct Images {
  const uint8_t* source;
  int sourceStep;
  uint8_t* destination;
  int destinationStep;
  const uint8_t* SourceRow(int y) const { return source + static_cast<ptrdiff_t>(y) * sourceStep; }
  uint8_t* Out(const ResizePlan& plan, int r) const {
    return destination + static_cast<ptrdiff_t>(plan.y.first + r) * destinationStep + plan.x.first;
  }
};

// Rows of a resize kept between destination rows: source row `row` lives in slot row mod size, so
// the at most `size` consecutive rows that one destination row needs never share a slot.
template <class T>
class RowRing {
 public:
  RowRing(T* storage, int size, int length, int32_t* tags)
      : storage_(storage), size_(size), length_(length), tags_(tags) {
    for (int i = 0; i < size; ++i) tags_[i] = -1;
  }
  // The slot of `row`, and whether it already holds it.
  T* Slot(int row, bool* present) {
    const int slot = row % size_;
    *present = tags_[slot] == row;
    tags_[slot] = row;
    return storage_ + static_cast<ptrdiff_t>(slot) * length_;
  }

 private:
  T* storage_;
  int size_, length_;
  int32_t* tags_;
};

IppStatus ResizeNearest(const ResizePlan& plan, const Images& im, BufferCarver& carver) {
  const int w = plan.x.Count(), h = plan.y.Count();
  int32_t* columns = carver.Take<int32_t>(w);
  int32_t* rows = carver.Take<int32_t>(h);
  if (columns == nullptr || rows == nullptr) return ippStsErr;
  NearestIndices(plan.x, columns);
  NearestIndices(plan.y, rows);
  for (int r = 0; r < h; ++r) {
    if (r > 0 && rows[r] == rows[r - 1]) {
      std::memmove(im.Out(plan, r), im.Out(plan, r - 1), static_cast<size_t>(w));
    } else {
      ResizeNearestRow(im.SourceRow(rows[r]), columns, w, plan.x.high, im.Out(plan, r));
    }
  }
  return ippStsNoErr;
}

// Whether every destination position of the axis samples two whole neighbours with weight 8192,
// the first from *firstSource on, two apart, all inside the region: a factor of one half and a
// shift of whole half pixels put every source position at 2 (d - shift) + 0.5 exactly.
bool LinearHalvesExactly(const ResizeAxis& axis, int* firstSource) {
  const double first = 2.0 * (axis.first - axis.shift), last = 2.0 * (axis.end - 1 - axis.shift) + 1.0;
  if (axis.factor != 0.5 || first != std::floor(first) || first < axis.low || last > axis.high) return false;
  *firstSource = static_cast<int>(first);
  return true;
}

IppStatus ResizeLinear(const ResizePlan& plan, const Images& im, BufferCarver& carver) {
  const int w = plan.x.Count(), h = plan.y.Count();
  int firstColumn, firstRow;
  if (LinearHalvesExactly(plan.x, &firstColumn) && LinearHalvesExactly(plan.y, &firstRow)) {
    // Both axes halved exactly: one pass over each pair of source rows, no tables.
    for (int r = 0; r < h; ++r) {
      ResizeLinearHalving(im.SourceRow(firstRow + 2 * r) + firstColumn,
                          im.SourceRow(firstRow + 2 * r + 1) + firstColumn, w, im.Out(plan, r));
    }
    return ippStsNoErr;
  }
  int32_t* xStarts = carver.Take<int32_t>(w);
  int32_t* yStarts = carver.Take<int32_t>(h);
  int32_t* xWeights = carver.Take<int32_t>(w);
  int32_t* yWeights = carver.Take<int32_t>(h);
  uint8_t* rows = carver.Take<uint8_t>(2 * static_cast<size_t>(w));
  if (xStarts == nullptr || yStarts == nullptr || xWeights == nullptr || yWeights == nullptr || rows == nullptr) {
    return ippStsErr;
  }
  LinearRuns runs;
  LinearTable(plan.x, xStarts, xWeights, &runs);
  LinearTable(plan.y, yStarts, yWeights);
  int32_t tags[2];
  RowRing<uint8_t> ring(rows, 2, w, tags);
  for (int r = 0; r < h; ++r) {
    const uint8_t* pair[2];
    for (int t = 0; t < 2; ++t) {
      const int row = Clamp(yStarts[r] + t, plan.y.low, plan.y.high);
      bool present;
      uint8_t* slot = ring.Slot(row, &present);
      if (!present) ResizeLinearRow(im.SourceRow(row), xStarts, xWeights, w, plan.x.low, plan.x.high, runs, slot);
      pair[t] = slot;
    }
    ResizeLinearBlend(pair[0], pair[1], yWeights[r], w, im.Out(plan, r));
  }
  return ippStsNoErr;
}

// Cubic families and Lanczos: rows filtered horizontally into float, kept in a ring of `taps` rows.
IppStatus ResizeTaps(const ResizePlan& plan, const Images& im, BufferCarver& carver) {
  const int w = plan.x.Count(), h = plan.y.Count();
  const int taps = TapCount(plan.x, plan.mode, false);
  int32_t* xStarts = carver.Take<int32_t>(w);
  int32_t* yStarts = carver.Take<int32_t>(h);
  float* xWeights = carver.Take<float>(static_cast<size_t>(taps) * w);
  float* yWeights = carver.Take<float>(static_cast<size_t>(taps) * h);
  const size_t rowLength = (static_cast<size_t>(w) + 3) & ~size_t{3};  // rows start 16-byte aligned
  float* rows = carver.Take<float>(static_cast<size_t>(taps) * rowLength);
  if (xStarts == nullptr || yStarts == nullptr || xWeights == nullptr || yWeights == nullptr || rows == nullptr) {
    return ippStsErr;
  }
  TapTable(plan.x, plan.mode, false, taps, xStarts, xWeights);
  TapTable(plan.y, plan.mode, false, taps, yStarts, yWeights);
  int32_t tags[6];
  RowRing<float> ring(rows, taps, static_cast<int>(rowLength), tags);
  for (int r = 0; r < h; ++r) {
    const float* window[6];
    float weights[6];
    for (int t = 0; t < taps; ++t) {
      const int row = Clamp(yStarts[r] + t, plan.y.low, plan.y.high);
      bool present;
      float* slot = ring.Slot(row, &present);
      if (!present) {
        ResizeTapRow(im.SourceRow(row), xStarts, xWeights, taps, w, plan.x.low, plan.x.high, slot);
      }
      window[t] = slot;
      weights[t] = yWeights[t * h + r];
    }
    ResizeTapBlend(window, weights, taps, w, im.Out(plan, r));
  }
  return ippStsNoErr;
}

// Antialiasing: every source row the destination needs is filtered horizontally once, then the
// destination rows are accumulated tap by tap.
IppStatus ResizeWidened(const ResizePlan& plan, const Images& im, BufferCarver& carver) {
  const int w = plan.x.Count(), h = plan.y.Count();
  const int xTaps = TapCount(plan.x, plan.mode, true), yTaps = TapCount(plan.y, plan.mode, true);
  int32_t* xStarts = carver.Take<int32_t>(w);
  float* xWeights = carver.Take<float>(static_cast<size_t>(xTaps) * w);
  int32_t* yStarts = carver.Take<int32_t>(h);
  float* yWeights = carver.Take<float>(static_cast<size_t>(yTaps) * h);
  float* sums = carver.Take<float>(w);
  if (xStarts == nullptr || xWeights == nullptr || yStarts == nullptr || yWeights == nullptr || sums == nullptr) {
    return ippStsErr;
  }
  TapTable(plan.x, plan.mode, true, xTaps, xStarts, xWeights);
  TapTable(plan.y, plan.mode, true, yTaps, yStarts, yWeights);
  const int firstRow = Clamp(yStarts[0], plan.y.low, plan.y.high);
  const int lastRow = Clamp(yStarts[h - 1] + yTaps - 1, plan.y.low, plan.y.high);
  float* filtered = carver.Take<float>(static_cast<size_t>(lastRow - firstRow + 1) * w);
  if (filtered == nullptr) return ippStsErr;
  for (int row = firstRow; row <= lastRow; ++row) {
    ResizeTapRow(im.SourceRow(row), xStarts, xWeights, xTaps, w, plan.x.low, plan.x.high,
                 filtered + static_cast<ptrdiff_t>(row - firstRow) * w);
  }
  for (int r = 0; r < h; ++r) {
    for (int t = 0; t < yTaps; ++t) {
      const int row = Clamp(yStarts[r] + t, plan.y.low, plan.y.high);
      ResizeTapAccumulate(filtered + static_cast<ptrdiff_t>(row - firstRow) * w, yWeights[t * h + r], t == 0, w, sums);
    }
    ResizeRoundRow(sums, w, im.Out(plan, r));
  }
  return ippStsNoErr;
}

// Whether every destination position of the axis averages exactly two whole source positions
// inside the region, the first from *firstSource on: a factor of one half and a shift of whole
// half pixels, whose spans (d - shift) / 0.5 .. + 2 AreaTable gives with both weights 1.
bool HalvesExactly(const ResizeAxis& axis, int* firstSource) {
  const double first = 2.0 * (axis.first - axis.shift), last = 2.0 * (axis.end - axis.shift) - 1.0;
  if (axis.factor != 0.5 || first != std::floor(first) || first < axis.low || last > axis.high) return false;
  *firstSource = static_cast<int>(first);
  return true;
}

// Super-sampling, in strips of destination columns whose spans are tabled on the stack: each
// destination row sums its source rows over the strip, then each column its span of the sums.
IppStatus ResizeArea(const ResizePlan& plan, const Images& im, BufferCarver& carver) {
  int firstColumn, firstRow;
  if (HalvesExactly(plan.x, &firstColumn) && HalvesExactly(plan.y, &firstRow)) {
    for (int r = 0; r < plan.y.Count(); ++r) {
      ResizeAreaHalving(im.SourceRow(firstRow + 2 * r) + firstColumn, im.SourceRow(firstRow + 2 * r + 1) + firstColumn,
                        plan.x.Count(), im.Out(plan, r));
    }
    return ippStsNoErr;
  }
  constexpr int kStrip = 512;
  float* sums = carver.Take<float>(static_cast<size_t>(plan.source.width));
  if (sums == nullptr) return ippStsErr;
  int32_t starts[kStrip], counts[kStrip];
  float firstWeights[kStrip], lastWeights[kStrip];
  const AreaSpans columns{starts, counts, firstWeights, lastWeights};
  int32_t rowStart, rowCount;
  float rowFirst, rowLast;
  const AreaSpans rowSpan{&rowStart, &rowCount, &rowFirst, &rowLast};
  const float scale = static_cast<float>(plan.x.factor * plan.y.factor);
  for (int from = plan.x.first; from < plan.x.end; from += kStrip) {
    const int to = std::min(from + kStrip, plan.x.end), count = to - from;
    const int taps = AreaTable(plan.x, from, to, columns);
    const int low = starts[0], high = starts[count - 1] + counts[count - 1] - 1;
    for (int y = plan.y.first; y < plan.y.end; ++y) {
      AreaTable(plan.y, y, y + 1, rowSpan);
      for (int k = 0; k < rowCount; ++k) {
        const float weight = k == 0 ? rowFirst : (k == rowCount - 1 ? rowLast : 1.0f);
        ResizeAreaAccumulate(im.SourceRow(rowStart + k) + low, weight, k == 0, high - low + 1, sums);
      }
      ResizeAreaRow(sums, low, high, columns, count, taps, scale,
                    im.Out(plan, y - plan.y.first) + (from - plan.x.first));
    }
  }
  return ippStsNoErr;
}

}  // namespace

IppStatus Resize8u(const uint8_t* source, IppiSize sourceSize, int sourceStep, IppiRect* sourceRegion,
                   uint8_t* destination, int destinationStep, IppiRect destinationRegion, double xFactor,
                   double yFactor, double xShift, double yShift, int interpolation, uint8_t* buffer) {
  ResizePlan plan;
  const IppStatus planned = PlanResize(source, sourceSize, sourceRegion, destination, destinationRegion, xFactor,
                                       yFactor, xShift, yShift, interpolation, buffer, &plan);
  if (planned != ippStsNoErr) return planned;
  const Images images{source, sourceStep, destination, destinationStep};
  BufferCarver carver(buffer, plan.budget);
  const bool antialiasing = plan.option == kAntialiasing;
  IppStatus status;
  if (plan.mode == kNearest) {
    status = ResizeNearest(plan, images, carver);
  } else if (plan.mode == kSuperSampling) {
    status = ResizeArea(plan, images, carver);
  } else if (antialiasing) {
    status = ResizeWidened(plan, images, carver);
  } else if (plan.mode == kLinear) {
    status = ResizeLinear(plan, images, carver);
  } else {
    status = ResizeTaps(plan, images, carver);
  }
  if (status != ippStsNoErr) return status;
  ResizeEdgePass(plan, destinationRegion, destination, destinationStep);
  // Antialiasing asked of a mode without it is reported once the resize has succeeded.
  return antialiasing && (plan.mode == kNearest || plan.mode == kSuperSampling) ? ippStsNoAntialiasing : ippStsNoErr;
}

}  // namespace ryn::geometry
