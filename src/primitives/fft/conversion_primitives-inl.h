// Checks and row loops of the polar and complex conversions, compiled into every build: included
// inside the build's namespace (ryn::fft::generic, or ryn::fft::HWY_NAMESPACE) after the row
// kernels of that build, which it calls by name: MagnitudeRow, PhaseRow, PolarToCartRow,
// MagnitudeOfPairs, PhaseOfPairs, InterleaveRow. Includes nothing itself.
#if defined(RYN_FFT_CONVERSION_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FFT_CONVERSION_PRIMITIVES_INL_H_
#undef RYN_FFT_CONVERSION_PRIMITIVES_INL_H_
#else
#define RYN_FFT_CONVERSION_PRIMITIVES_INL_H_
#endif

IppStatus Magnitude(const Ipp32fc* source, int sourceStep, float* destination, int destinationStep, IppiSize size) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(size));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const auto from = View(source, sourceStep, size);
  const auto to = View(destination, destinationStep, size);
  for (int y = 0; y < size.height; ++y) MagnitudeRow(from.Row(y), to.Row(y), static_cast<size_t>(size.width));
  return ippStsNoErr;
}

IppStatus Phase(const Ipp32fc* source, int sourceStep, float* destination, int destinationStep, IppiSize size) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(size));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const auto from = View(source, sourceStep, size);
  const auto to = View(destination, destinationStep, size);
  for (int y = 0; y < size.height; ++y) PhaseRow(from.Row(y), to.Row(y), static_cast<size_t>(size.width));
  return ippStsNoErr;
}

IppStatus PolarToCart(const float* magnitude, const float* phase, int planeStep, Ipp32fc* destination,
                      int destinationStep, IppiSize size) {
  RYN_CHECK(NotNull(magnitude, phase, destination));
  RYN_CHECK(PositiveSize(size));
  RYN_CHECK(PositiveStep(planeStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const auto magnitudes = View(magnitude, planeStep, size);
  const auto phases = View(phase, planeStep, size);
  const auto to = View(destination, destinationStep, size);
  for (int y = 0; y < size.height; ++y) {
    PolarToCartRow(magnitudes.Row(y), phases.Row(y), to.Row(y), static_cast<size_t>(size.width));
  }
  return ippStsNoErr;
}

// The magnitude pass's checks come first and win; the phase pass adds its own pointer. Both are
// made before either pass writes.
IppStatus CartToPolar(const float* re, const float* im, float* magnitude, float* phase, int length) {
  RYN_CHECK(NotNull(re, im, magnitude));
  RYN_CHECK(PositiveLength(length));
  RYN_CHECK(NotNull(phase));
  MagnitudeOfPairs(re, im, magnitude, static_cast<size_t>(length));
  PhaseOfPairs(re, im, phase, static_cast<size_t>(length));
  return ippStsNoErr;
}

// Rows advance by whole elements: the steps rounded down to multiples of the element size.
IppStatus RealToComplex(const float* re, int reStep, const float* im, int imStep, Ipp32fc* destination,
                        int destinationStep, IppiSize size) {
  RYN_CHECK(NotNull(re, im, destination));
  RYN_CHECK(PositiveSize(size));
  RYN_CHECK(WholeElementsHoldRow(reStep, sizeof(float), size.width));
  RYN_CHECK(WholeElementsHoldRow(imStep, sizeof(float), size.width));
  RYN_CHECK(WholeElementsHoldRow(destinationStep, sizeof(Ipp32fc), size.width));
  const auto reals = View(re, WholeElementStep(reStep, sizeof(float)), size);
  const auto imaginaries = View(im, WholeElementStep(imStep, sizeof(float)), size);
  const auto to = View(destination, WholeElementStep(destinationStep, sizeof(Ipp32fc)), size);
  for (int y = 0; y < size.height; ++y) {
    InterleaveRow(reals.Row(y), imaginaries.Row(y), to.Row(y), static_cast<size_t>(size.width));
  }
  return ippStsNoErr;
}

#endif
