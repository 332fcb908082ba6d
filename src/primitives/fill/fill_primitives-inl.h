// Checks and row loops of the fills and copies, compiled into every build: included inside the
// build's namespace (ryn::fill::generic, or ryn::fill::HWY_NAMESPACE) after the row kernels of
// that build, which it calls by name: FillRow8u, FillRow16u, FillRow32, StreamRow8u, StreamRow32,
// FinishStreaming, FillMaskedRow8u, FillMaskedRow32, CopyRow32. Includes nothing itself.
#if defined(RYN_FILL_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_FILL_PRIMITIVES_INL_H_
#undef RYN_FILL_PRIMITIVES_INL_H_
#else
#define RYN_FILL_PRIMITIVES_INL_H_
#endif

IppStatus Set8u(uint8_t* destination, IppiSize region, int step, uint8_t value) {
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  if (PrefersNonTemporalStores(image.ByteCount())) {
    for (int r = 0; r < runs.count; ++r) StreamRow8u(image.Row(r), runs.length, value);
    FinishStreaming();
  } else {
    for (int r = 0; r < runs.count; ++r) FillRow8u(image.Row(r), runs.length, value);
  }
  return ippStsNoErr;
}

IppStatus Set16u(uint16_t* destination, IppiSize region, int step, uint16_t value) {
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  for (int r = 0; r < runs.count; ++r) FillRow16u(image.Row(r), runs.length, value);
  return ippStsNoErr;
}

IppStatus Set32(uint32_t* destination, IppiSize region, int step, uint32_t bits) {
  RYN_CHECK(NotNull(destination));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous());
  if (PrefersNonTemporalStores(image.ByteCount())) {
    for (int r = 0; r < runs.count; ++r) StreamRow32(image.Row(r), runs.length, bits);
    FinishStreaming();
  } else {
    for (int r = 0; r < runs.count; ++r) FillRow32(image.Row(r), runs.length, bits);
  }
  return ippStsNoErr;
}

IppStatus SetMasked8u(uint8_t* destination, int step, const uint8_t* mask, int maskStep, IppiSize region,
                      uint8_t value) {
  RYN_CHECK(NotNull(destination, mask));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const auto maskImage = View(mask, maskStep, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous(), maskImage.IsContiguous());
  for (int r = 0; r < runs.count; ++r) FillMaskedRow8u(image.Row(r), maskImage.Row(r), runs.length, value);
  return ippStsNoErr;
}

IppStatus SetMasked32(uint32_t* destination, int step, const uint8_t* mask, int maskStep, IppiSize region,
                      uint32_t bits) {
  RYN_CHECK(NotNull(destination, mask));
  RYN_CHECK(PositiveSize(region));
  const auto image = View(destination, step, region);
  const auto maskImage = View(mask, maskStep, region);
  const RowRuns runs = RowRunsOf(region, image.IsContiguous(), maskImage.IsContiguous());
  for (int r = 0; r < runs.count; ++r) FillMaskedRow32(image.Row(r), maskImage.Row(r), runs.length, bits);
  return ippStsNoErr;
}

IppStatus Copy32(const uint32_t* source, uint32_t* destination, int length) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveLength(length));
  CopyRow32(source, destination, static_cast<size_t>(length));
  return ippStsNoErr;
}

#endif
