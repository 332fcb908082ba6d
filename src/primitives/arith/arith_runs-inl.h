// Row loops of the arithmetic's primitives, compiled into every build: included inside the
// build's namespace before the primitives files. Includes nothing itself.
#if defined(RYN_ARITH_ARITH_RUNS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_ARITH_RUNS_INL_H_
#undef RYN_ARITH_ARITH_RUNS_INL_H_
#else
#define RYN_ARITH_ARITH_RUNS_INL_H_
#endif

namespace {

// Row(source row, destination row, length, extra...) over the runs of the region: one run when
// both images' rows follow each other without gaps, else one per row.
template <auto Row, class S, class D, class... Extra>
void ForEachRunOfTwo(const ImageView<S>& source, const ImageView<D>& destination, const Extra&... extra) {
  const RowRuns runs = RowRunsOf(destination.size, source.IsContiguous(), destination.IsContiguous());
  for (int r = 0; r < runs.count; ++r) Row(source.Row(r), destination.Row(r), runs.length, extra...);
}

// Row(first row, second row, destination row, length, extra...) over the runs of the region.
template <auto Row, class A, class B, class D, class... Extra>
void ForEachRunOfThree(const ImageView<A>& first, const ImageView<B>& second, const ImageView<D>& destination,
                       const Extra&... extra) {
  const RowRuns runs =
      RowRunsOf(destination.size, first.IsContiguous(), second.IsContiguous(), destination.IsContiguous());
  for (int r = 0; r < runs.count; ++r) Row(first.Row(r), second.Row(r), destination.Row(r), runs.length, extra...);
}

}  // namespace

#endif
