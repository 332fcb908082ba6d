// Checks and row loops of the bitwise logic and of the per-pixel minimum and maximum, compiled
// into every build: included inside the build's namespace after the row kernels of that build,
// which it calls by name: AndRow, OrRow, XorRow, NotRow, MinRow, MaxRow. Includes nothing itself.
#if defined(RYN_ARITH_LOGIC_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_LOGIC_PRIMITIVES_INL_H_
#undef RYN_ARITH_LOGIC_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_LOGIC_PRIMITIVES_INL_H_
#endif

// One run when every image's rows follow each other without gaps, else one per row.
template <auto Row>
void ForEachRunOfThree(const ImageView<const uint8_t>& first, const ImageView<const uint8_t>& second,
                       const ImageView<uint8_t>& destination) {
  const RowRuns runs =
      RowRunsOf(destination.size, first.IsContiguous(), second.IsContiguous(), destination.IsContiguous());
  for (int r = 0; r < runs.count; ++r) Row(first.Row(r), second.Row(r), destination.Row(r), runs.length);
}

// The logic checks the steps before the region.
template <auto Row>
IppStatus Logic(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                uint8_t* destination, int destinationStep, IppiSize region) {
  RYN_CHECK(NotNull(source1, source2, destination));
  RYN_CHECK(PositiveStep(source1Step));
  RYN_CHECK(PositiveStep(source2Step));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  ForEachRunOfThree<Row>(View(source1, source1Step, region), View(source2, source2Step, region),
                         View(destination, destinationStep, region));
  return ippStsNoErr;
}

IppStatus And8u(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                uint8_t* destination, int destinationStep, IppiSize region) {
  return Logic<AndRow>(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}

IppStatus Or8u(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
               uint8_t* destination, int destinationStep, IppiSize region) {
  return Logic<OrRow>(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}

IppStatus Xor8u(const uint8_t* source1, int source1Step, const uint8_t* source2, int source2Step,
                uint8_t* destination, int destinationStep, IppiSize region) {
  return Logic<XorRow>(source1, source1Step, source2, source2Step, destination, destinationStep, region);
}

IppStatus Not8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                IppiSize region) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(region));
  const auto from = View(source, sourceStep, region);
  const auto to = View(destination, destinationStep, region);
  const RowRuns runs = RowRunsOf(region, from.IsContiguous(), to.IsContiguous());
  for (int r = 0; r < runs.count; ++r) NotRow(from.Row(r), to.Row(r), runs.length);
  return ippStsNoErr;
}

// image = Row(source, image); the region is checked before the steps.
template <auto Row>
IppStatus Every(const uint8_t* source, int sourceStep, uint8_t* image, int imageStep, IppiSize region) {
  RYN_CHECK(NotNull(source, image));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(imageStep));
  const auto target = View(image, imageStep, region);
  ForEachRunOfThree<Row>(View(source, sourceStep, region), View<const uint8_t>(image, imageStep, region), target);
  return ippStsNoErr;
}

IppStatus MinEvery8u(const uint8_t* source, int sourceStep, uint8_t* image, int imageStep, IppiSize region) {
  return Every<MinRow>(source, sourceStep, image, imageStep, region);
}

IppStatus MaxEvery8u(const uint8_t* source, int sourceStep, uint8_t* image, int imageStep, IppiSize region) {
  return Every<MaxRow>(source, sourceStep, image, imageStep, region);
}

#endif
