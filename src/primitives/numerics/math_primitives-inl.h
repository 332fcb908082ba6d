// Checks and row loops of the element-wise functions, compiled into every build: included inside
// the build's namespace (ryn::numerics::generic, or ryn::numerics::HWY_NAMESPACE) after the
// kernels of that build, which it calls by name: Atan2Row, HypotRow, SineRow, JaehneRow. Includes
// nothing itself.
#if defined(RYN_MATH_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_MATH_PRIMITIVES_INL_H_
#undef RYN_MATH_PRIMITIVES_INL_H_
#else
#define RYN_MATH_PRIMITIVES_INL_H_
#endif

IppStatus Atan2(const float* y, const float* x, float* destination, int length) {
  RYN_CHECK(PositiveLength(length));
  RYN_CHECK(NotNull(y, x, destination));
  return Atan2Row(y, x, destination, static_cast<size_t>(length));
}

IppStatus Hypot(const float* a, const float* b, float* destination, int length) {
  RYN_CHECK(PositiveLength(length));
  RYN_CHECK(NotNull(a, b, destination));
  return HypotRow(a, b, destination, static_cast<size_t>(length));
}

// Row r starts r x (step / 4) floats after the first pixel: the remainder of a step that is not
// a multiple of 4 is dropped, and a negative step walks upwards.
IppStatus SinA11(const float* source, int sourceStep, float* destination, int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(SineStepHoldsRow(sourceStep, region.width));
  RYN_CHECK(SineStepHoldsRow(destinationStep, region.width));
  const ptrdiff_t sourceFloats = sourceStep / 4, destinationFloats = destinationStep / 4;
  for (int r = 0; r < region.height; ++r) {
    SineRow(source + r * sourceFloats, destination + r * destinationFloats, static_cast<size_t>(region.width));
  }
  return ippStsNoErr;
}

IppStatus Jaehne(uint8_t* destination, int step, IppiSize region) {
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveStep(step));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const double centreX = static_cast<double>(region.width - 1) / 2.0;
  const double centreY = static_cast<double>(region.height - 1) / 2.0;
  const double fourHeight = 4.0 * static_cast<double>(region.height);
  for (int y = 0; y < region.height; ++y) {
    const double yc = static_cast<double>(y) - centreY;
    JaehneRow(image.Row(y), static_cast<size_t>(region.width), centreX, yc * yc, fourHeight);
  }
  return ippStsNoErr;
}

#endif
