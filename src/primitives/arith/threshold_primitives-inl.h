// Checks and row loops of the thresholds, compiled into every build: included inside the build's
// namespace after the row kernels of that build, which it calls by name: RaiseToRow8u,
// LowerToRow8u, RaiseToRow32f, LowerToRow32f, ReplaceBelowRow8u, ReplaceAboveRow8u, BandRow8u.
// Includes nothing itself.
#if defined(RYN_ARITH_THRESHOLD_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_THRESHOLD_PRIMITIVES_INL_H_
#undef RYN_ARITH_THRESHOLD_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_THRESHOLD_PRIMITIVES_INL_H_
#endif

IppStatus Threshold8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                      IppiSize region, uint8_t threshold, int operation) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(ThresholdOperation(operation));
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  for (int r = 0; r < runs.count; ++r) {
    if (operation == kThresholdBelow) {
      RaiseToRow8u(from.Row(r), to.Row(r), runs.length, threshold);
    } else {
      LowerToRow8u(from.Row(r), to.Row(r), runs.length, threshold);
    }
  }
  return ippStsNoErr;
}

IppStatus Threshold32f(float* image, int step, IppiSize region, float threshold, int operation) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(ThresholdOperation(operation));
  const auto pixels = View(image, step, region);
  const RowRuns runs = RowRunsOf(region, pixels.IsContiguous());
  for (int r = 0; r < runs.count; ++r) {
    if (operation == kThresholdBelow) {
      RaiseToRow32f(pixels.Row(r), runs.length, threshold);
    } else {
      LowerToRow32f(pixels.Row(r), runs.length, threshold);
    }
  }
  return ippStsNoErr;
}

// The operation is checked before anything else.
IppStatus ThresholdValue8u(uint8_t* image, int step, IppiSize region, uint8_t threshold, uint8_t value,
                           int operation) {
  RYN_CHECK(ThresholdOperation(operation));
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  const auto pixels = View(image, step, region);
  const RowRuns runs = RowRunsOf(region, pixels.IsContiguous());
  for (int r = 0; r < runs.count; ++r) {
    if (operation == kThresholdBelow) {
      ReplaceBelowRow8u(pixels.Row(r), runs.length, threshold, value);
    } else {
      ReplaceAboveRow8u(pixels.Row(r), runs.length, threshold, value);
    }
  }
  return ippStsNoErr;
}

IppStatus ThresholdBand8u(uint8_t* image, int step, IppiSize region, uint8_t lower, uint8_t lowerValue,
                          uint8_t upper, uint8_t upperValue) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(BandInOrder(lower, upper));
  const auto pixels = View(image, step, region);
  const RowRuns runs = RowRunsOf(region, pixels.IsContiguous());
  for (int r = 0; r < runs.count; ++r) BandRow8u(pixels.Row(r), runs.length, lower, lowerValue, upper, upperValue);
  return ippStsNoErr;
}

#endif
