// Checks and passes of the distance transform, compiled into every build: included inside the
// build's namespace (ryn::segment::generic, or ryn::segment::HWY_NAMESPACE) after the row kernels
// of that build, which it calls by name: DownDistanceRow, NearestZeroRow, RowDistances. Includes
// nothing itself.
#if defined(RYN_SEGMENT_DISTANCE_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_SEGMENT_DISTANCE_PRIMITIVES_INL_H_
#undef RYN_SEGMENT_DISTANCE_PRIMITIVES_INL_H_
#else
#define RYN_SEGMENT_DISTANCE_PRIMITIVES_INL_H_
#endif

// The destination holds each pixel's column distance r (an integer) until its row pass replaces it
// by the distance. Bottom-up, d(y) is the distance to the nearest zero at or below y (H when there
// is none); top-down, r(y) = min(r(y - 1) + 1, d(y)) from r(-1) = H - 1, which puts virtual zero
// rows at -H and 2H - 1. Each row's pass runs as soon as the next row no longer needs its r.
IppStatus DistanceTransform8u32f(const uint8_t* source, int sourceStep, float* destination, int destinationStep,
                                 IppiSize region, uint8_t* buffer) {
  RYN_CHECK(NotNull(source, destination, buffer));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, 4 * int64_t{region.width}));
  RYN_CHECK(StepHoldsWholePixels(destinationStep, 4));
  const auto image = View(source, sourceStep, region);
  const auto distances = View(reinterpret_cast<uint32_t*>(destination), destinationStep, region);
  const size_t width = static_cast<size_t>(region.width);
  const int height = region.height;

  uint32_t* bottom = distances.Row(height - 1);
  for (size_t x = 0; x < width; ++x) StoreUnaligned(bottom + x, static_cast<uint32_t>(height - 1));
  DownDistanceRow(image.Row(height - 1), bottom, bottom, width);
  for (int y = height - 2; y >= 0; --y) DownDistanceRow(image.Row(y), distances.Row(y + 1), distances.Row(y), width);

  uint32_t* top = distances.Row(0);
  for (size_t x = 0; x < width; ++x) {
    StoreUnaligned(top + x, std::min(LoadUnaligned(top + x), static_cast<uint32_t>(height)));  // r(-1) + 1 = H
  }
  const EnvelopeWorkspace envelope(buffer, region.width);
  for (int y = 1; y < height; ++y) {
    NearestZeroRow(distances.Row(y - 1), distances.Row(y), width);
    RowDistances(distances.Row(y - 1), envelope, width);
  }
  RowDistances(distances.Row(height - 1), envelope, width);
  return ippStsNoErr;
}

#endif
