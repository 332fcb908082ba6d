// Checks and row loops of the copies, compiled into every build: included inside the build's
// namespace (ryn::arith::generic, or ryn::arith::HWY_NAMESPACE) after the row kernels of that
// build, which it calls by name: CopyRow, StreamCopyRow, FinishStreaming, CopyMaskedRow8u,
// CopyMaskedRow32. Includes nothing itself.
#if defined(RYN_ARITH_COPY_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_COPY_PRIMITIVES_INL_H_
#undef RYN_ARITH_COPY_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_COPY_PRIMITIVES_INL_H_
#endif

// One run when both images' rows follow each other without gaps, else one per row.
template <class T>
IppStatus CopyRegion(const T* source, int sourceStep, T* destination, int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  if (CopyPrefersStreaming(to.ByteCount())) {
    for (int r = 0; r < runs.count; ++r) StreamCopyRow(from.Row(r), to.Row(r), runs.length);
    FinishStreaming();
  } else {
    for (int r = 0; r < runs.count; ++r) CopyRow(from.Row(r), to.Row(r), runs.length);
  }
  return ippStsNoErr;
}

IppStatus Copy8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                 IppiSize region) {
  return CopyRegion(source, sourceStep, destination, destinationStep, region);
}

IppStatus Copy16(const uint16_t* source, int sourceStep, uint16_t* destination, int destinationStep,
                 IppiSize region) {
  return CopyRegion(source, sourceStep, destination, destinationStep, region);
}

IppStatus Copy32(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                 IppiSize region) {
  return CopyRegion(source, sourceStep, destination, destinationStep, region);
}

template <auto MaskedRow, class T>
IppStatus CopyMaskedRegion(const T* source, int sourceStep, T* destination, int destinationStep,
                           const uint8_t* mask, int maskStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination, mask));
  RYN_CHECK(PositiveSize(region));
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const auto selection = View(mask, maskStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous(), selection.IsContiguous());
  for (int r = 0; r < runs.count; ++r) MaskedRow(from.Row(r), selection.Row(r), to.Row(r), runs.length);
  return ippStsNoErr;
}

IppStatus CopyMasked8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                       const uint8_t* mask, int maskStep, IppiSize region) {
  return CopyMaskedRegion<CopyMaskedRow8u>(source, sourceStep, destination, destinationStep, mask, maskStep,
                                           region);
}

IppStatus CopyMasked32(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                       const uint8_t* mask, int maskStep, IppiSize region) {
  return CopyMaskedRegion<CopyMaskedRow32>(source, sourceStep, destination, destinationStep, mask, maskStep,
                                           region);
}

#endif
