// Mean and deviation of float images, accumulated in single precision as the operation defines,
// with a second pass around the mean when the first pass cannot resolve the deviation.
#include <cmath>
#include <cstdint>

#include "frame/checks.h"
#include "frame/dispatch_legacy.h"
#include "frame/image_view.h"
#include "primitives/stats/generic_kernels.h"
#include "primitives/stats/stats.h"

namespace ryn::stats {
namespace {

// Regions with fewer pixels are summed in one single-precision run; larger ones per pair of rows,
// each pair's single-precision sums added in double.
constexpr int64_t kOneRunPixelLimit = 5001;

// The first pass is trusted unless its variance is below this fraction of the squared mean.
constexpr double kSecondPassRatio = 0.05;

struct SinglePrecisionSums {
  float sum = 0.0f;
  float squares = 0.0f;
};

void AddRow(const float* row, int width, SinglePrecisionSums& sums) {
  for (int x = 0; x < width; ++x) {
    const float value = LoadFloat(row + x);
    sums.sum += value;
    sums.squares += value * value;
  }
}

struct DoubleSums {
  double sum = 0.0;
  double squares = 0.0;
};

DoubleSums FirstPass(const ImageView<const float>& image) {
  const int width = image.size.width;
  const int height = image.size.height;
  if (static_cast<int64_t>(image.PixelCount()) < kOneRunPixelLimit) {
    SinglePrecisionSums run;
    for (int y = 0; y < height; ++y) AddRow(image.Row(y), width, run);
    return {run.sum, run.squares};
  }
  DoubleSums total;
  for (int y = 0; y < height; y += 2) {
    SinglePrecisionSums pair;
    AddRow(image.Row(y), width, pair);
    if (y + 1 < height) AddRow(image.Row(y + 1), width, pair);
    total.sum += pair.sum;
    total.squares += pair.squares;
  }
  return total;
}

// Sum of (x - mean)^2 in one single-precision run.
double SquaredDeviations(const ImageView<const float>& image, float mean) {
  float total = 0.0f;
  for (int y = 0; y < image.size.height; ++y) {
    const float* row = image.Row(y);
    for (int x = 0; x < image.size.width; ++x) {
      const float difference = LoadFloat(row + x) - mean;
      total += difference * difference;
    }
  }
  return total;
}

IppStatus GenericMeanStdDev32f(const float* source, int step, IppiSize region, double* mean,
                               double* deviation) {
  RYN_CHECK(NotNull(source));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, int64_t{region.width} * 4));
  RYN_CHECK(StepHoldsWholePixels(step, 4));
  const auto image = View(source, step, region);
  const double count = static_cast<double>(image.PixelCount());
  const DoubleSums sums = FirstPass(image);
  const double m = sums.sum / count;
  double d = std::sqrt(std::fabs(sums.squares / count - m * m));
  if (kSecondPassRatio * m * m > d * d) {
    d = std::sqrt(SquaredDeviations(image, static_cast<float>(m)) / count);
  }
  if (mean != nullptr) *mean = m;
  if (deviation != nullptr) *deviation = d;
  return ippStsNoErr;
}

TargetKernels<MeanStdDev32fFn> NoProcessorBuilds() { return {}; }

RYN_DISPATCH_TABLE(g_meanStdDev32f, GenericMeanStdDev32f, NoProcessorBuilds);

}  // namespace

IppStatus MeanStdDev32f(const float* source, int step, IppiSize region, double* mean, double* deviation) {
  return g_meanStdDev32f(source, step, region, mean, deviation);
}

}  // namespace ryn::stats
