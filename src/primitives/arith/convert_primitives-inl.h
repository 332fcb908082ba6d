// Checks and row loops of the conversions, compiled into every build: included inside the build's
// namespace after the row kernels of that build, which it calls by name: ConvertRow8u32f,
// ConvertRow16u32f, ConvertRow8u16u, ConvertRow16s8u, ConvertRow32f8u (each taking whether to
// stream its stores) and FinishStreaming. Includes nothing itself.
#if defined(RYN_ARITH_CONVERT_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_CONVERT_PRIMITIVES_INL_H_
#undef RYN_ARITH_CONVERT_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_CONVERT_PRIMITIVES_INL_H_
#endif

// One run when both images' rows follow each other without gaps, else one per row.
template <auto Row, class S, class D>
IppStatus ConvertRegion(const S* source, int sourceStep, D* destination, int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  const bool streaming = ConversionPrefersStreaming(from.ByteCount() + to.ByteCount());
  for (int r = 0; r < runs.count; ++r) Row(from.Row(r), to.Row(r), runs.length, streaming);
  if (streaming) FinishStreaming();
  return ippStsNoErr;
}

IppStatus Convert8u32f(const uint8_t* source, int sourceStep, float* destination, int destinationStep,
                       IppiSize region) {
  return ConvertRegion<ConvertRow8u32f>(source, sourceStep, destination, destinationStep, region);
}

IppStatus Convert16u32f(const uint16_t* source, int sourceStep, float* destination, int destinationStep,
                        IppiSize region) {
  return ConvertRegion<ConvertRow16u32f>(source, sourceStep, destination, destinationStep, region);
}

IppStatus Convert8u16u(const uint8_t* source, int sourceStep, uint16_t* destination, int destinationStep,
                       IppiSize region) {
  return ConvertRegion<ConvertRow8u16u>(source, sourceStep, destination, destinationStep, region);
}

IppStatus Convert16s8u(const int16_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                       IppiSize region) {
  return ConvertRegion<ConvertRow16s8u>(source, sourceStep, destination, destinationStep, region);
}

IppStatus Convert32f8u(const float* source, int sourceStep, uint8_t* destination, int destinationStep,
                       IppiSize region) {
  return ConvertRegion<ConvertRow32f8u>(source, sourceStep, destination, destinationStep, region);
}

#endif
