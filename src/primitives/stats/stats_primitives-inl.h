// Checks and row loops of the statistics, compiled into every build: included inside the build's
// namespace (ryn::stats::generic, or ryn::stats::HWY_NAMESPACE) after the row kernels of that
// build, which it calls by name: SumOfRuns8u, MaskedSumRow8u, SquareSumsRow8u, MaskedSquareSumsRow8u,
// MinMaxRow8u, MaxRow32f, MinRow32f, MaxIndexRow32f, CountInRangeRow8u, CountInRangeRow32f,
// ValueCounter, NormSumsRow8u, AddRow32f, SumRowPairs32f (with its kRowPairsAtOnce),
// SquaredDeviationsRow32f. Includes nothing itself.
//
// Pixel counts are formed in 64 bits: for every region of fewer than 2^31 pixels they equal the
// 32-bit product width x height, and larger regions get their true count instead of a wrapped one.
#if defined(RYN_STATS_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_STATS_PRIMITIVES_INL_H_
#undef RYN_STATS_PRIMITIVES_INL_H_
#else
#define RYN_STATS_PRIMITIVES_INL_H_
#endif

namespace {

// The exact sum of an 8-bit region, whatever its step. Inlined, so that a small block (the block
// means of pixelation) costs one call.
[[gnu::always_inline]] inline uint64_t RegionSum8u(const ImageView<const uint8_t>& image) {
  return SumOfRuns8u(image, RowRunsOf(image.size, image.IsContiguous()));
}

// Float regions with fewer pixels are summed in one single-precision run; larger ones per pair of
// rows, each pair's single-precision sums added in double.
constexpr uint64_t kOneRunPixelLimit = 5001;

// The first pass of the float deviation is trusted unless its variance is below this fraction of
// the squared mean.
constexpr double kSecondPassRatio = 0.05;

DoubleSums FirstPass32f(const ImageView<const float>& image) {
  const size_t width = static_cast<size_t>(image.size.width);
  const int height = image.size.height;
  if (image.PixelCount() < kOneRunPixelLimit) {
    FloatSums run;
    for (int y = 0; y < height; ++y) AddRow32f(image.Row(y), width, run);
    return DoubleSums{run.sum, run.squares};
  }
  DoubleSums total;
  const int pairs = height / 2 + height % 2;
  for (int p = 0; p < pairs; p += kRowPairsAtOnce) {
    const int count = pairs - p < kRowPairsAtOnce ? pairs - p : kRowPairsAtOnce;
    FloatSums sums[kRowPairsAtOnce];
    SumRowPairs32f(image, 2 * p, count, sums);
    for (int k = 0; k < count; ++k) total += sums[k];
  }
  return total;
}

// Sum of (x - mean)^2 in one single-precision run.
double SquaredDeviations32f(const ImageView<const float>& image, float mean) {
  float total = 0.0f;
  for (int y = 0; y < image.size.height; ++y) {
    total = SquaredDeviationsRow32f(image.Row(y), static_cast<size_t>(image.size.width), mean, total);
  }
  return total;
}

}  // namespace

IppStatus Sum8u(const uint8_t* source, int step, IppiSize region, double* sum) {
  RYN_CHECK(NotNull(source, sum));
  RYN_CHECK(PositiveSize(region));
  *sum = static_cast<double>(RegionSum8u(View(source, step, region)));
  return ippStsNoErr;
}

IppStatus Mean8u(const uint8_t* source, int step, IppiSize region, double* mean) {
  RYN_CHECK(NotNull(mean));
  RYN_CHECK(NotNull(source));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  *mean = static_cast<double>(RegionSum8u(image)) / static_cast<double>(image.PixelCount());
  return ippStsNoErr;
}

// Mean over the pixels whose mask byte is not zero; 0 when there are none.
IppStatus MeanMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep, IppiSize region,
                       double* mean) {
  RYN_CHECK(NotNull(source, mask, mean));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  RYN_CHECK(StepAtLeast(maskStep, region.width));
  const auto image = View(source, step, region);
  const auto maskImage = View(mask, maskStep, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous(), maskImage.IsContiguous());
  MaskedSum totals;
  for (int r = 0; r < runs.count; ++r) totals += MaskedSumRow8u(image.Row(r), maskImage.Row(r), runs.length);
  *mean = totals.count == 0 ? 0.0 : static_cast<double>(totals.sum) / static_cast<double>(totals.count);
  return ippStsNoErr;
}

// Either result pointer may be null; that result is not written.
IppStatus MeanStdDev8u(const uint8_t* source, int step, IppiSize region, double* mean, double* deviation) {
  RYN_CHECK(NotNull(source));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  SquareSums totals;
  for (int r = 0; r < runs.count; ++r) totals += SquareSumsRow8u(image.Row(r), runs.length);
  WriteMeanAndDeviation(totals, mean, deviation);
  return ippStsNoErr;
}

IppStatus MeanStdDevMasked8u(const uint8_t* source, int step, const uint8_t* mask, int maskStep,
                             IppiSize region, double* mean, double* deviation) {
  RYN_CHECK(NotNull(source, mask));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, region.width));
  RYN_CHECK(StepAtLeast(maskStep, region.width));
  const auto image = View(source, step, region);
  const auto maskImage = View(mask, maskStep, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous(), maskImage.IsContiguous());
  SquareSums totals;
  for (int r = 0; r < runs.count; ++r) {
    totals += MaskedSquareSumsRow8u(image.Row(r), maskImage.Row(r), runs.length);
  }
  WriteMeanAndDeviation(totals, mean, deviation);
  return ippStsNoErr;
}

// Single-precision sums, with a second pass around the mean when the first cannot resolve the
// deviation. Either result pointer may be null.
IppStatus MeanStdDev32f(const float* source, int step, IppiSize region, double* mean, double* deviation) {
  RYN_CHECK(NotNull(source));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(step, int64_t{region.width} * 4));
  RYN_CHECK(StepHoldsWholePixels(step, 4));
  const auto image = View(source, step, region);
  const double count = static_cast<double>(image.PixelCount());
  const DoubleSums sums = FirstPass32f(image);
  const double m = sums.sum / count;
  double d = std::sqrt(std::fabs(sums.squares / count - m * m));
  if (kSecondPassRatio * m * m > d * d) d = std::sqrt(SquaredDeviations32f(image, static_cast<float>(m)) / count);
  if (mean != nullptr) *mean = m;
  if (deviation != nullptr) *deviation = d;
  return ippStsNoErr;
}

IppStatus MinMax8u(const uint8_t* source, int step, IppiSize region, uint8_t* minimum, uint8_t* maximum) {
  RYN_CHECK(NotNull(source, minimum, maximum));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  uint8_t low = 255;
  uint8_t high = 0;
  for (int r = 0; r < runs.count; ++r) MinMaxRow8u(image.Row(r), runs.length, low, high);
  *minimum = low;
  *maximum = high;
  return ippStsNoErr;
}

// Starts from the most negative finite float, so a region of -inf and NaN gives that value.
IppStatus Max32f(const float* source, int step, IppiSize region, float* maximum) {
  RYN_CHECK(NotNull(source, maximum));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  float extreme = std::numeric_limits<float>::lowest();
  for (int r = 0; r < runs.count; ++r) extreme = MaxRow32f(image.Row(r), runs.length, extreme);
  *maximum = extreme;
  return ippStsNoErr;
}

IppStatus Min32f(const float* source, int step, IppiSize region, float* minimum) {
  RYN_CHECK(NotNull(source, minimum));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  float extreme = std::numeric_limits<float>::max();
  for (int r = 0; r < runs.count; ++r) extreme = MinRow32f(image.Row(r), runs.length, extreme);
  *minimum = extreme;
  return ippStsNoErr;
}

// Starts from the first pixel; the row kernels keep the first occurrence of the maximum.
IppStatus MaxIndex32f(const float* source, int step, IppiSize region, float* maximum, int* column, int* row) {
  RYN_CHECK(NotNull(source, maximum, column, row));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(source, step, region);
  IndexedMaximum best{LoadUnaligned(source), 0, 0};
  for (int y = 0; y < region.height; ++y) MaxIndexRow32f(image.Row(y), region.width, y, best);
  *maximum = best.value;
  *column = best.column;
  *row = best.row;
  return ippStsNoErr;
}

// Both bounds inclusive. The step is checked before the region.
IppStatus CountInRange8u(const uint8_t* source, int step, IppiSize region, int* count, uint8_t lower,
                         uint8_t upper) {
  RYN_CHECK(NotNull(source, count));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(PositiveSize(region));
  if (upper < lower) return ippStsRangeErr;
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  uint64_t total = 0;
  for (int r = 0; r < runs.count; ++r) total += CountInRangeRow8u(image.Row(r), runs.length, lower, upper);
  *count = SaturatedCount(total);
  return ippStsNoErr;
}

IppStatus CountInRange32f(const float* source, int step, IppiSize region, int* count, float lower, float upper) {
  RYN_CHECK(NotNull(source, count));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(PositiveSize(region));
  if (upper < lower) return ippStsRangeErr;
  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  uint64_t total = 0;
  for (int r = 0; r < runs.count; ++r) total += CountInRangeRow32f(image.Row(r), runs.length, lower, upper);
  *count = SaturatedCount(total);
  return ippStsNoErr;
}

// `levels` (levelCount entries) is written first, then the levelCount - 1 bins.
IppStatus HistogramEven8u(const uint8_t* source, int step, IppiSize region, int* histogram, int* levels,
                          int levelCount, int lowerLevel, int upperLevel) {
  RYN_CHECK(NotNull(source, histogram, levels));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  if (levelCount < 2) return ippStsHistoNofLevelsErr;
  EvenLevels(levelCount, lowerLevel, upperLevel, levels);

  const auto image = View(source, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  ValueCounter counter;
  for (int r = 0; r < runs.count; ++r) counter.Add(image.Row(r), runs.length);
  const ValueCounts counts = counter.Counts();
  uint64_t below[257] = {};  // below[v]: pixels under value v
  for (int v = 0; v < 256; ++v) below[v + 1] = below[v] + counts.perValue[v];
  for (int k = 0; k + 1 < levelCount; ++k) {
    histogram[k] = SaturatedCount(CountBetween(below, levels[k], levels[k + 1]));
  }
  return ippStsNoErr;
}

// sqrt(sum (a - b)^2 / sum b^2); with sum b^2 = 0 the result is sqrt(sum (a - b)^2) and the status
// the warning ippStsDivByZero.
IppStatus NormRelL2_8u(const uint8_t* first, int firstStep, const uint8_t* second, int secondStep,
                       IppiSize region, double* value) {
  RYN_CHECK(NotNull(first, second, value));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(firstStep));
  RYN_CHECK(PositiveStep(secondStep));
  const auto a = View(first, firstStep, region);
  const auto b = View(second, secondStep, region);
  const RowRuns runs = RowRunsOf(region, a.IsContiguous(), b.IsContiguous());
  NormSums totals;
  for (int r = 0; r < runs.count; ++r) totals += NormSumsRow8u(a.Row(r), b.Row(r), runs.length);
  // Exact integers below 2^53: the conversions lose nothing.
  const double numerator = static_cast<double>(totals.squaredDifferences);
  const double denominator = static_cast<double>(totals.squaredSecond);
  if (denominator >= std::numeric_limits<double>::min()) {
    *value = std::sqrt(numerator / denominator);
    return ippStsNoErr;
  }
  *value = std::sqrt(numerator);
  return ippStsDivByZero;
}

#endif
