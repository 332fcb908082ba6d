#include "primitives/filters/float_filters.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "frame/checks.h"
#include "primitives/filters/float_rows.h"
#include "primitives/filters/row_window.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::filters {

namespace {

void GenericWeightedSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  for (size_t c = 0; c < n; ++c) out[c] = WeightedSumAt(inputs, weights, count, c);
}

void GenericSymmetricSum(const float* const* inputs, const float* weights, int count, float* out, size_t n) {
  for (size_t c = 0; c < n; ++c) out[c] = SymmetricSumAt(inputs, weights, count, c);
}

RYN_DISPATCH_TABLE(g_weightedSum, GenericWeightedSum, WeightedSumBuilds);
RYN_DISPATCH_TABLE(g_symmetricSum, GenericSymmetricSum, SymmetricSumBuilds);

float* FloatRow(float* image, int step, int64_t y) {
  return reinterpret_cast<float*>(reinterpret_cast<uint8_t*>(image) + y * step);
}
const float* FloatRow(const float* image, int step, int64_t y) {
  return reinterpret_cast<const float*>(reinterpret_cast<const uint8_t*>(image) + y * step);
}

}  // namespace

IppStatus FilterKernel32f(const float* source, int sourceStep, float* destination, int destinationStep,
                          IppiSize region, const float* kernel, IppiSize kernelSize, IppiPoint anchor) {
  RYN_CHECK(NotNull(source, destination, kernel));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveSize(kernelSize));
  RYN_CHECK(StepAtLeast(sourceStep, 4 * (int64_t{region.width} + kernelSize.width) - 4));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width}));

  const int64_t taps = int64_t{kernelSize.width} * kernelSize.height;
  if (taps > std::numeric_limits<int>::max()) return ippStsMemAllocErr;
  const WindowLayout layout{source, sourceStep, destination, destinationStep, region, 4,
                            anchor.x - kernelSize.width + 1, int64_t{region.width} + kernelSize.width - 1,
                            anchor.y - kernelSize.height + 1, kernelSize.height, 0};
  RowWindow window(layout);
  ScratchBlock work(AlignedBytes<const float*>(taps));
  if (!window.Ready() || !work.Obtained()) return ippStsMemAllocErr;
  auto* inputs = work.As<const float*>();
  const WeightedSumFn weightedSum = g_weightedSum.Entry(VariantIndex());
  for (int y = 0; y < region.height; ++y) {
    window.Enter(y);
    for (int j = 0; j < kernelSize.height; ++j) {
      const float* row = window.Row<float>(int64_t{y} + anchor.y - j) + anchor.x;
      for (int i = 0; i < kernelSize.width; ++i) inputs[j * kernelSize.width + i] = row - i;
    }
    weightedSum(inputs, kernel, static_cast<int>(taps), FloatRow(destination, destinationStep, y),
                static_cast<size_t>(region.width));
  }
  return ippStsNoErr;
}

namespace {

IppStatus CheckGaussKernelSize(int kernelSize) {
  return kernelSize < 3 || kernelSize % 2 == 0 ? ippStsBadArgErr : ippStsNoErr;
}

int64_t GaussBufferBytes(int64_t width, int64_t k) {
  return 32 * k * ((width + k + 3) / 4) + 16 * ((k + 3) / 4) + 32 * k * ((width + k + 7) / 8) + 144 * k + 320;
}

// Carves 16-byte aligned arrays from the caller's buffer, in order.
class BufferCarver {
 public:
  explicit BufferCarver(uint8_t* buffer)
      : next_(buffer + ((16 - reinterpret_cast<uintptr_t>(buffer) % 16) % 16)) {}
  template <class T>
  T* Take(int64_t count) {
    T* array = reinterpret_cast<T*>(next_);
    next_ += (count * static_cast<int64_t>(sizeof(T)) + 15) / 16 * 16;
    return array;
  }

 private:
  uint8_t* next_;
};

}  // namespace

IppStatus GaussBorderBufferSize(IppiSize region, int kernelSize, int* bytes) {
  RYN_CHECK(NotNull(bytes));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(CheckGaussKernelSize(kernelSize));
  const int64_t size = GaussBufferBytes(region.width, kernelSize);
  if (size > std::numeric_limits<int>::max()) return ippStsSizeErr;
  *bytes = static_cast<int>(size);
  return ippStsNoErr;
}

void GaussianTaps(int kernelSize, float sigma, float* taps) {
  const int radius = kernelSize / 2;
  const float twoSigmaSquared = 2.0f * (sigma * sigma);
  if (twoSigmaSquared == 0.0f) {
    std::fill(taps, taps + kernelSize, 0.0f);
    taps[radius] = 1.0f;
    return;
  }
  float sum = 0.0f;
  for (int i = 0; i < kernelSize; ++i) {
    const double x = i - radius;
    taps[i] = static_cast<float>(std::exp(-(x * x) / static_cast<double>(twoSigmaSquared)));
    sum += taps[i];
  }
  for (int i = 0; i < kernelSize; ++i) taps[i] /= sum;
}

IppStatus FilterGaussBorder32f(const float* source, int sourceStep, float* destination, int destinationStep,
                               IppiSize region, int kernelSize, float sigma, int borderType, float borderValue,
                               uint8_t* buffer) {
  RYN_CHECK(NotNull(source, destination, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  RYN_CHECK(CheckGaussKernelSize(kernelSize));
  const int type = borderType & ~(16 | 32);
  if (type < 0 || type > 4) return ippStsBadArgErr;
  if (type != kBorderConstant && type != kBorderReplicate) return ippStsBadArgErr;

  const int k = kernelSize;
  const int radius = k / 2;
  const int width = region.width;
  const int height = region.height;
  BufferCarver carver(buffer);
  float* taps = carver.Take<float>(k);
  float* ring = carver.Take<float>(int64_t{k} * width);
  float* padded = carver.Take<float>(int64_t{width} + k - 1);
  float* constantRow = carver.Take<float>(width);
  const float** inputs = carver.Take<const float*>(k);
  const float** paddedInputs = carver.Take<const float*>(k);
  GaussianTaps(k, sigma, taps);
  for (int i = 0; i < k; ++i) paddedInputs[i] = padded + i;

  const SymmetricSumFn weightedSum = g_symmetricSum.Entry(VariantIndex());
  const bool constant = type == kBorderConstant;
  if (constant) {
    // A row outside the region filtered along the row: the same sum as any other row.
    for (int i = 0; i < k; ++i) inputs[i] = &borderValue;
    const float filtered = SymmetricSumAt(inputs, taps, k, 0);
    std::fill(constantRow, constantRow + width, filtered);
  }
  const auto slot = [&](int r) { return ring + static_cast<ptrdiff_t>(r % k) * width; };
  // Filters `count` outputs from columns first - radius on of source row `row` through `padded`,
  // with the border's columns outside the region.
  const auto filterThroughPadding = [&](const float* row, int first, int count, float* out) {
    for (int j = 0; j < count + 2 * radius; ++j) {
      const int column = first - radius + j;
      padded[j] = column >= 0 && column < width ? row[column]
                  : constant                    ? borderValue
                                                : row[std::clamp(column, 0, width - 1)];
    }
    weightedSum(paddedInputs, taps, k, out, static_cast<size_t>(count));
  };
  // Filters source row r along the row into its ring slot: the interior straight from the
  // source, the ends through the padding.
  const auto enterRow = [&](int r) {
    const float* row = FloatRow(source, sourceStep, r);
    float* out = slot(r);
    if (width <= 2 * radius) return filterThroughPadding(row, 0, width, out);
    for (int i = 0; i < k; ++i) inputs[i] = row + i;
    weightedSum(inputs, taps, k, out + radius, static_cast<size_t>(width - 2 * radius));
    filterThroughPadding(row, 0, radius, out);
    filterThroughPadding(row, width - radius, radius, out + width - radius);
  };

  for (int r = 0; r <= std::min(radius, height - 1); ++r) enterRow(r);
  for (int y = 0; y < height; ++y) {
    if (y > 0 && y + radius < height) enterRow(y + radius);
    for (int j = 0; j < k; ++j) {
      const int r = y + j - radius;
      inputs[j] = (r >= 0 && r < height) ? slot(r) : constant ? constantRow : slot(std::clamp(r, 0, height - 1));
    }
    weightedSum(inputs, taps, k, FloatRow(destination, destinationStep, y), static_cast<size_t>(width));
  }
  return ippStsNoErr;
}

}  // namespace ryn::filters
