// Checks and row loops of the 8-bit division by a constant and logarithm, which look their results
// up in tables (byte_tables.h), compiled into every build: included inside the build's namespace
// after arith_runs-inl.h and the row kernels of that build, which it calls by name: PrepareLookUp
// (the build's form of a table), TableRow8u, LnRow8u. Includes nothing itself.
#if defined(RYN_ARITH_DIV_LN_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_DIV_LN_PRIMITIVES_INL_H_
#undef RYN_ARITH_DIV_LN_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_DIV_LN_PRIMITIVES_INL_H_
#endif

IppStatus DivC8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize region,
                 uint8_t value, int scale) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(NonZeroDivisor(value));
  if (scale > kLastDivisionScale) return FillZeros(destination, destinationStep, region);
  uint8_t table[256];
  BuildDivisionTable(value, scale, table);
  const auto lookUp = PrepareLookUp(table);
  ForEachRunOfTwo<TableRow8u>(View(source, sourceStep, region), View(destination, destinationStep, region), lookUp);
  return ippStsNoErr;
}

// A zero pixel is a warning, not an error: every row is computed.
IppStatus Ln8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize region,
               int scale) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  uint8_t table[256];
  BuildLnTable(scale, table);
  const auto lookUp = PrepareLookUp(table);
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  bool zeroSeen = false;
  for (int r = 0; r < runs.count; ++r) zeroSeen |= LnRow8u(from.Row(r), to.Row(r), runs.length, lookUp);
  return zeroSeen ? ippStsLnZeroArg : ippStsNoErr;
}

#endif
