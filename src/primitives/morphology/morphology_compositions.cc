// The morphology exports' compositions: the (W - 2) x (H - 2) inset region of the caller's image,
// border completion, and the openings and closings made of two passes.
#include "frame/checks.h"
#include "primitives/filters/filters.h"
#include "primitives/morphology/morphology.h"
#include "primitives/morphology/morphology_checks.h"

namespace ryn::morphology {

namespace {

using filters::BorderCompletion;
using filters::CompleteBorder;
using filters::Inset;
using filters::PixelAt;

constexpr IppiSize kWindow{3, 3};

Inset Inset3x3(IppiSize region) { return filters::EveryFittingPosition(region, kWindow); }

using InPlace = Dispatched<IppStatus(uint8_t* image, int step, IppiSize region)>;

IppStatus RunRank(Rank3x3 rank, const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                  IppiSize size) {
  switch (rank) {
    case Rank3x3::kErode:
      return Erode3x3_8u(source, sourceStep, destination, destinationStep, size);
    case Rank3x3::kDilate:
      return Dilate3x3_8u(source, sourceStep, destination, destinationStep, size);
    case Rank3x3::kMax:
      return FilterMax3x3_8u(source, sourceStep, destination, destinationStep, size);
    case Rank3x3::kMedian:
      break;
  }
  return FilterMedian3x3_8u(source, sourceStep, destination, destinationStep, size);
}

IppStatus CheckRank(Rank3x3 rank, const uint8_t* source, int sourceStep, const uint8_t* destination,
                    int destinationStep, IppiSize size) {
  if (rank == Rank3x3::kErode || rank == Rank3x3::kDilate) {
    return CheckMorphology3x3Arguments(source, sourceStep, destination, destinationStep, size);
  }
  return CheckRank3x3Arguments(source, sourceStep, destination, destinationStep, size);
}

// The first and second pass of a composite.
Rank3x3 FirstPass(Composite composite) { return composite == Composite::kOpening ? Rank3x3::kErode : Rank3x3::kDilate; }
const InPlace& FirstInPlace(Composite composite) {
  return composite == Composite::kOpening ? ErodeInPlace3x3_8u : DilateInPlace3x3_8u;
}
const InPlace& SecondInPlace(Composite composite) {
  return composite == Composite::kOpening ? DilateInPlace3x3_8u : ErodeInPlace3x3_8u;
}

}  // namespace

IppStatus FilterRank3x3Inset(Rank3x3 rank, const uint8_t* source, int sourceStep, uint8_t* destination,
                             int destinationStep, IppiSize region) {
  const Inset inset = Inset3x3(region);
  return filters::FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, BorderCompletion::kReplicate,
      [&](const uint8_t* s, const uint8_t* d) { return CheckRank(rank, s, sourceStep, d, destinationStep, inset.size); },
      [&](const uint8_t* s, uint8_t* d) { return RunRank(rank, s, sourceStep, d, destinationStep, inset.size); });
}

IppStatus FilterMaskedInset(Extreme extreme, ElementAxis axis, const uint8_t* source, int sourceStep,
                            uint8_t* destination, int destinationStep, const uint8_t* element, IppiSize region) {
  const Inset inset = Inset3x3(region);
  const IppiSize mask = axis == ElementAxis::kRow ? IppiSize{3, 1} : IppiSize{1, 3};
  const IppiPoint anchor = axis == ElementAxis::kRow ? IppiPoint{1, 0} : IppiPoint{0, 1};
  return filters::FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, BorderCompletion::kNone,
      [&](const uint8_t* s, const uint8_t* d) {
        return CheckMaskedArguments(s, sourceStep, d, destinationStep, inset.size, element, mask, anchor);
      },
      [&](const uint8_t* s, uint8_t* d) {
        const auto& masked = extreme == Extreme::kMinimum ? ErodeMasked8u : DilateMasked8u;
        return masked(s, sourceStep, d, destinationStep, inset.size, element, mask, anchor);
      });
}

IppStatus Composite3x3Inset(Composite composite, const uint8_t* source, int sourceStep, uint8_t* destination,
                            int destinationStep, IppiSize region) {
  RYN_CHECK(FilterRank3x3Inset(FirstPass(composite), source, sourceStep, destination, destinationStep, region));
  const Inset inset = Inset3x3(region);
  RYN_CHECK(SecondInPlace(composite)(PixelAt(destination, destinationStep, inset.origin), destinationStep, inset.size));
  return CompleteBorder(destination, destinationStep, region, inset);
}

IppStatus Composite3x3InsetInPlace(Composite composite, uint8_t* image, int step, IppiSize region) {
  RYN_CHECK(NotNull(image));
  const Inset inset = Inset3x3(region);
  RYN_CHECK(CheckInPlace3x3Arguments(image, step, inset.size));
  uint8_t* inner = PixelAt(image, step, inset.origin);
  RYN_CHECK(FirstInPlace(composite)(inner, step, inset.size));
  RYN_CHECK(SecondInPlace(composite)(inner, step, inset.size));
  return CompleteBorder(image, step, region, inset);
}

}  // namespace ryn::morphology
