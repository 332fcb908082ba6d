// Checks and row loops of the conversions between 4:2:0 planes and RGB, compiled into every
// build: included inside the build's namespace (ryn::color::generic, or
// ryn::color::HWY_NAMESPACE) after the row kernels of that build, which it calls by name:
// Yuv420ToRgbRows, RgbToYuv420Rows. Includes nothing itself.
#if defined(RYN_COLOR_YUV420_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_COLOR_YUV420_PRIMITIVES_INL_H_
#undef RYN_COLOR_YUV420_PRIMITIVES_INL_H_
#else
#define RYN_COLOR_YUV420_PRIMITIVES_INL_H_
#endif

// Whole 2 x 2 blocks only: an odd last column or row is left alone and reported.
inline IppStatus WholeBlocksStatus(IppiSize region) {
  return (region.width % 2 != 0 || region.height % 2 != 0) ? ippStsDoubleSize : ippStsNoErr;
}

// Both conversions check their array of steps with the pointers: without it no row can be found.
IppStatus Yuv420ToRgbP3C3(const uint8_t* const source[3], const int sourceSteps[3], uint8_t* destination,
                          int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, sourceSteps, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(source[0], source[1], source[2]));
  const size_t blocks = static_cast<size_t>(region.width / 2);
  for (int j = 0; j < region.height / 2; ++j) {
    Yuv420ToRgbRows(RowOf(source[0], sourceSteps[0], 2 * j), RowOf(source[0], sourceSteps[0], 2 * j + 1),
                    RowOf(source[1], sourceSteps[1], j), RowOf(source[2], sourceSteps[2], j),
                    RowOf(destination, destinationStep, 2 * j), RowOf(destination, destinationStep, 2 * j + 1),
                    blocks, kNearestCoefficients);
  }
  return WholeBlocksStatus(region);
}

IppStatus RgbToYuv420C3P3(const uint8_t* source, int sourceStep, uint8_t* const destination[3],
                          const int destinationSteps[3], IppiSize region) {
  RYN_CHECK(NotNull(source, destination, destinationSteps));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(destination[0], destination[1], destination[2]));
  const size_t blocks = static_cast<size_t>(region.width / 2);
  for (int j = 0; j < region.height / 2; ++j) {
    RgbToYuv420Rows(RowOf(source, sourceStep, 2 * j), RowOf(source, sourceStep, 2 * j + 1),
                    RowOf(destination[0], destinationSteps[0], 2 * j), RowOf(destination[0], destinationSteps[0], 2 * j + 1),
                    RowOf(destination[1], destinationSteps[1], j), RowOf(destination[2], destinationSteps[2], j), blocks);
  }
  return WholeBlocksStatus(region);
}

#endif
