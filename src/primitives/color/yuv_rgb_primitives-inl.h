// Checks and row loops of the pixel-for-pixel conversions between YUV and RGB, compiled into
// every build: included inside the build's namespace (ryn::color::generic, or
// ryn::color::HWY_NAMESPACE) after the row kernels of that build, which it calls by name:
// YuvToRgbRowC3, YuvToRgbRowP3, YuvToRgbRowP3C3, RgbToYuvRowP3. Includes nothing itself.
#if defined(RYN_COLOR_YUV_RGB_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_COLOR_YUV_RGB_PRIMITIVES_INL_H_
#undef RYN_COLOR_YUV_RGB_PRIMITIVES_INL_H_
#else
#define RYN_COLOR_YUV_RGB_PRIMITIVES_INL_H_
#endif

IppStatus YuvToRgbC3(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                     IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  const RowRuns runs =
      RowRunsOf(region, RowsAdjoin(sourceStep, region, 3), RowsAdjoin(destinationStep, region, 3));
  for (int r = 0; r < runs.count; ++r) {
    YuvToRgbRowC3(RowOf(source, sourceStep, r), RowOf(destination, destinationStep, r), runs.length,
                  kNearestCoefficients);
  }
  return ippStsNoErr;
}

IppStatus YuvToRgbP3(const uint8_t* const source[3], int sourceStep, uint8_t* const destination[3],
                     int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(destination[0], destination[1], destination[2]));
  RYN_CHECK(NotNull(source[0], source[1], source[2]));
  const RowRuns runs = RowRunsOf(region, RowsAdjoin(sourceStep, region, 1), RowsAdjoin(destinationStep, region, 1));
  for (int r = 0; r < runs.count; ++r) {
    const ThreeRows<const uint8_t> yuv = RowsOf(source, sourceStep, r);
    const ThreeRows<uint8_t> rgb = RowsOf(destination, destinationStep, r);
    YuvToRgbRowP3(yuv.plane[0], yuv.plane[1], yuv.plane[2], rgb.plane[0], rgb.plane[1], rgb.plane[2], runs.length,
                  kLoweredCoefficients);
  }
  return ippStsNoErr;
}

IppStatus YuvToRgbP3C3(const uint8_t* const source[3], int sourceStep, uint8_t* destination, int destinationStep,
                       IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(source[0], source[1], source[2]));
  const RowRuns runs = RowRunsOf(region, RowsAdjoin(sourceStep, region, 1), RowsAdjoin(destinationStep, region, 3));
  for (int r = 0; r < runs.count; ++r) {
    const ThreeRows<const uint8_t> yuv = RowsOf(source, sourceStep, r);
    YuvToRgbRowP3C3(yuv.plane[0], yuv.plane[1], yuv.plane[2], RowOf(destination, destinationStep, r), runs.length,
                    kLoweredCoefficients);
  }
  return ippStsNoErr;
}

IppStatus RgbToYuvP3(const uint8_t* const source[3], int sourceStep, uint8_t* const destination[3],
                     int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(source[0], source[1], source[2]));
  RYN_CHECK(NotNull(destination[0], destination[1], destination[2]));
  const RowRuns runs = RowRunsOf(region, RowsAdjoin(sourceStep, region, 1), RowsAdjoin(destinationStep, region, 1));
  for (int r = 0; r < runs.count; ++r) {
    const ThreeRows<const uint8_t> rgb = RowsOf(source, sourceStep, r);
    const ThreeRows<uint8_t> yuv = RowsOf(destination, destinationStep, r);
    RgbToYuvRowP3(rgb.plane[0], rgb.plane[1], rgb.plane[2], yuv.plane[0], yuv.plane[1], yuv.plane[2], runs.length);
  }
  return ippStsNoErr;
}

#endif
