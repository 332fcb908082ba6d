// The interleaved mean filter, compiled into every build: included inside the build's namespace
// (ryn::effects::generic, or ryn::effects::HWY_NAMESPACE) after the row kernels of that build,
// which it calls by name:
//   AccumulateRow(sums, row)                    adds a row to the column sums
//   FilterRow(sums, entering, leaving, output)  slides the column sums one row down and writes
//                                               the output row's valid bytes
// Includes nothing itself.
#if defined(RYN_MEAN_FILTER_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_MEAN_FILTER_PRIMITIVES_INL_H_
#undef RYN_MEAN_FILTER_PRIMITIVES_INL_H_
#else
#define RYN_MEAN_FILTER_PRIMITIVES_INL_H_
#endif

IppStatus FilterPairs8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                        IppiSize region, int window, MeanFilterRules rules) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(NotInPlace(rules, source, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(WideEnough(rules, region));
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  RYN_CHECK(WindowFits(rules, window, region));
  RYN_CHECK(SupportedWindow(window));

  const ValidArea area = ValidAreaOf(region, window);
  if (area.Empty()) return ippStsNoErr;
  const auto input = View(source, sourceStep, region);
  const auto output = View(destination, destinationStep, region);
  MeanFilterWorkspace workspace(input, window, RegionsOverlap(input, output));
  if (!workspace) return ippStsMemAllocErr;
  for (int row = 0; row < window - 1; ++row) AccumulateRow(workspace.sums(), workspace.Enter(row));
  for (int row = area.firstRow; row < area.endRow; ++row) {
    // The entering row lies below every output row written so far, so it is still unfiltered.
    const int entering = row + window / 2;
    const uint8_t* enteringRow = workspace.Enter(entering);
    FilterRow(workspace.sums(), enteringRow, workspace.Leave(entering - window), output.Row(row));
  }
  return ippStsNoErr;
}

#endif
