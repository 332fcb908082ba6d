// Checks and row loop of the linear lookup table, compiled into every build: included inside the
// build's namespace after the row kernels of that build, which it calls by name: PrepareLookUp
// (the build's form of the table) and LookUpRow. Includes nothing itself.
#if defined(RYN_ARITH_LOOKUP_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_LOOKUP_PRIMITIVES_INL_H_
#undef RYN_ARITH_LOOKUP_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_LOOKUP_PRIMITIVES_INL_H_
#endif

IppStatus LookUpLinear8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region, const int32_t* values, const int32_t* levels, int levelCount) {
  RYN_CHECK(NotNull(source, destination, values, levels));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(EnoughLevels(levelCount));
  uint8_t table[256];
  BuildLinearTable(values, levels, levelCount, table);
  const auto lookUp = PrepareLookUp(table);
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  for (int r = 0; r < runs.count; ++r) LookUpRow(from.Row(r), to.Row(r), runs.length, lookUp);
  return ippStsNoErr;
}

#endif
