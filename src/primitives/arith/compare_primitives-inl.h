// Checks and row loops of the comparisons, compiled into every build: included inside the build's
// namespace after the row kernels of that build, which it calls by name: CompareRow8u,
// CompareRow32f, CompareConstRow8u, CompareConstRow32f. Includes nothing itself.
#if defined(RYN_ARITH_COMPARE_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_COMPARE_PRIMITIVES_INL_H_
#undef RYN_ARITH_COMPARE_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_COMPARE_PRIMITIVES_INL_H_
#endif

// An operation outside 0..4 is not an error: nothing is written and the status is ippStsNoErr.
template <auto Row, class T>
IppStatus CompareImages(const T* source1, int source1Step, const T* source2, int source2Step, uint8_t* destination,
                        int destinationStep, IppiSize region, int operation) {
  RYN_CHECK(NotNull(source1, source2, destination));
  RYN_CHECK(PositiveStep(source1Step));
  RYN_CHECK(PositiveStep(source2Step));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  if (!IsRelation(operation)) return ippStsNoErr;
  const auto first = View(source1, source1Step, region);
  const auto second = View(source2, source2Step, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, first.IsContiguous(), second.IsContiguous(), to.IsContiguous());
  const auto relation = static_cast<Relation>(operation);
  for (int r = 0; r < runs.count; ++r) Row(first.Row(r), second.Row(r), to.Row(r), runs.length, relation);
  return ippStsNoErr;
}

template <auto Row, class T>
IppStatus CompareWithConstant(const T* source, int sourceStep, T value, uint8_t* destination, int destinationStep,
                              IppiSize region, int operation) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  if (!IsRelation(operation)) return ippStsNoErr;
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  const auto relation = static_cast<Relation>(operation);
  for (int r = 0; r < runs.count; ++r) Row(from.Row(r), value, to.Row(r), runs.length, relation);
  return ippStsNoErr;
}

IppStatus Compare8u(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                    uint8_t* destination, int destinationStep, IppiSize region, int operation) {
  return CompareImages<CompareRow8u>(source1, source1Step, source2, source2Step, destination, destinationStep,
                                     region, operation);
}

IppStatus Compare32f(const float* source1, int source1Step, const float* source2, int source2Step,
                     uint8_t* destination, int destinationStep, IppiSize region, int operation) {
  return CompareImages<CompareRow32f>(source1, source1Step, source2, source2Step, destination, destinationStep,
                                      region, operation);
}

IppStatus CompareConst8u(const uint8_t* source, int sourceStep, uint8_t value, uint8_t* destination,
                         int destinationStep, IppiSize region, int operation) {
  return CompareWithConstant<CompareConstRow8u>(source, sourceStep, value, destination, destinationStep, region,
                                                operation);
}

IppStatus CompareConst32f(const float* source, int sourceStep, float value, uint8_t* destination,
                          int destinationStep, IppiSize region, int operation) {
  return CompareWithConstant<CompareConstRow32f>(source, sourceStep, value, destination, destinationStep, region,
                                                 operation);
}

#endif
