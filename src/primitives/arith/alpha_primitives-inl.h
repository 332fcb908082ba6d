// Checks and row loop of the alpha compositing, compiled into every build: included inside the
// build's namespace after arith_runs-inl.h and the row kernels of that build, which it calls by
// name: CompositeRow8u<composition, premultiplied>. Includes nothing itself.
#if defined(RYN_ARITH_ALPHA_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_ALPHA_PRIMITIVES_INL_H_
#undef RYN_ARITH_ALPHA_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_ALPHA_PRIMITIVES_INL_H_
#endif

namespace {

template <Composition kComposition>
void CompositeRuns(const ImageView<const uint8_t>& first, const ImageView<const uint8_t>& second,
                   const ImageView<uint8_t>& destination, uint8_t firstAlpha, uint8_t secondAlpha,
                   bool premultiplied) {
  if (premultiplied) {
    ForEachRunOfThree<CompositeRow8u<kComposition, true>>(first, second, destination, firstAlpha, secondAlpha);
  } else {
    ForEachRunOfThree<CompositeRow8u<kComposition, false>>(first, second, destination, firstAlpha, secondAlpha);
  }
}

}  // namespace

IppStatus AlphaComp8u(const uint8_t* first, int firstStep, uint8_t firstAlpha, const uint8_t* second, int secondStep,
                      uint8_t secondAlpha, uint8_t* destination, int destinationStep, IppiSize region,
                      int operation) {
  RYN_CHECK(NotNull(first, second, destination));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(AlphaOperation(operation));
  const auto p = View(first, firstStep, region);
  const auto q = View(second, secondStep, region);
  const auto to = View(destination, destinationStep, region);
  const bool premultiplied = operation >= kCompositions;
  switch (static_cast<Composition>(operation % kCompositions)) {
    case Composition::kOver:
      CompositeRuns<Composition::kOver>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
    case Composition::kIn:
      CompositeRuns<Composition::kIn>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
    case Composition::kOut:
      CompositeRuns<Composition::kOut>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
    case Composition::kAtop:
      CompositeRuns<Composition::kAtop>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
    case Composition::kXor:
      CompositeRuns<Composition::kXor>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
    case Composition::kPlus:
      CompositeRuns<Composition::kPlus>(p, q, to, firstAlpha, secondAlpha, premultiplied);
      break;
  }
  return ippStsNoErr;
}

#endif
