// Checks and row loops of the plane reshuffles (two-plane and three-plane 4:2:0, interleaved
// 16-bit planes), compiled into every build: included inside the build's namespace
// (ryn::color::generic, or ryn::color::HWY_NAMESPACE) after the row kernels of that build, which
// it calls by name: CopyRow, SplitPairsRow, JoinPairsRow, InterleaveRow16. Includes nothing itself.
#if defined(RYN_COLOR_PLANES_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_COLOR_PLANES_PRIMITIVES_INL_H_
#undef RYN_COLOR_PLANES_PRIMITIVES_INL_H_
#else
#define RYN_COLOR_PLANES_PRIMITIVES_INL_H_
#endif

// The luma plane of a 4:2:0 frame rounded down to even sizes, copied row by row (in one run when
// both planes' rows adjoin).
inline void CopyLumaPlane(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                          IppiSize even) {
  const RowRuns runs = RowRunsOf(even, RowsAdjoin(sourceStep, even, 1), RowsAdjoin(destinationStep, even, 1));
  for (int r = 0; r < runs.count; ++r) {
    CopyRow(RowOf(source, sourceStep, r), RowOf(destination, destinationStep, r), runs.length);
  }
}

IppStatus YCbCr420P2P3(const uint8_t* sourceY, int sourceYStep, const uint8_t* sourceCbCr, int sourceCbCrStep,
                       uint8_t* const destination[3], const int destinationSteps[3], IppiSize region) {
  RYN_CHECK(NotNull(destination[0], destination[1], destination[2], sourceY, sourceCbCr));
  RYN_CHECK(FrameOf420(region));
  const IppiSize even = EvenPart(region);
  CopyLumaPlane(sourceY, sourceYStep, destination[0], destinationSteps[0], even);
  const IppiSize chroma{even.width / 2, even.height / 2};
  const RowRuns runs = RowRunsOf(chroma, RowsAdjoin(sourceCbCrStep, chroma, 2),
                                 RowsAdjoin(destinationSteps[1], chroma, 1), RowsAdjoin(destinationSteps[2], chroma, 1));
  for (int r = 0; r < runs.count; ++r) {
    SplitPairsRow(RowOf(sourceCbCr, sourceCbCrStep, r), RowOf(destination[1], destinationSteps[1], r),
                  RowOf(destination[2], destinationSteps[2], r), runs.length);
  }
  return ippStsNoErr;
}

IppStatus YCbCr420P3P2(const uint8_t* const source[3], const int sourceSteps[3], uint8_t* destinationY,
                       int destinationYStep, uint8_t* destinationCbCr, int destinationCbCrStep, IppiSize region) {
  RYN_CHECK(NotNull(source[0], source[1], source[2], destinationY, destinationCbCr));
  RYN_CHECK(FrameOf420(region));
  const IppiSize even = EvenPart(region);
  CopyLumaPlane(source[0], sourceSteps[0], destinationY, destinationYStep, even);
  const IppiSize chroma{even.width / 2, even.height / 2};
  const RowRuns runs = RowRunsOf(chroma, RowsAdjoin(sourceSteps[1], chroma, 1), RowsAdjoin(sourceSteps[2], chroma, 1),
                                 RowsAdjoin(destinationCbCrStep, chroma, 2));
  for (int r = 0; r < runs.count; ++r) {
    JoinPairsRow(RowOf(source[1], sourceSteps[1], r), RowOf(source[2], sourceSteps[2], r),
                 RowOf(destinationCbCr, destinationCbCrStep, r), runs.length);
  }
  return ippStsNoErr;
}

// Rows are checked and written one after another as the single-row operation would be, except
// that source rows advance by a positive sourceStride and a misaligned row does not stop the
// rows after it. Every row has the same null pointers, so the first row's checks decide before
// anything is written.
IppStatus PlaneToInterleave16s(const int16_t* const planes[], int planeCount, IppiSize size, int sourceStride,
                               int16_t* destination, int destinationStride) {
  if (size.height < 1) return ippStsNoErr;
  RYN_CHECK(NotNull(planes, destination));
  RYN_CHECK(PlaneCountOf(planeCount));
  RYN_CHECK(PositiveLength(size.width));
  RYN_CHECK(PlanesNotNull(planes, planeCount));
  const ptrdiff_t sourceAdvance = sourceStride > 0 ? sourceStride : 0;
  bool misaligned = false;
  for (int y = 0; y < size.height; ++y) {
    const ptrdiff_t offset = y * sourceAdvance;
    int16_t* row = destination + static_cast<ptrdiff_t>(y) * destinationStride;
    misaligned = misaligned || !RowsAligned16(planes, planeCount, offset, row);
    InterleaveRow16(planes, planeCount, offset, row, static_cast<size_t>(size.width));
  }
  return misaligned ? ippStsMisalignedBuf : ippStsNoErr;
}

#endif
