// Median, maximum, erosion, dilation, structuring-element forms, opening and closing: each
// export works on the caller's whole W x H image.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

template <class Export>
void SourceToDestination(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region); });
}

// The three-byte structuring element comes before the region.
template <class Export>
void WithElement(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const uint8_t* element = c.Vector<uint8_t>(3, Access::kRead);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, element, region); });
}

template <class Export>
void InPlace(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return call(image.p, image.step, region); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_FilterMedian_8u_C1R) { SourceToDestination(c, fnVCAIPP_FilterMedian_8u_C1R); }
RYN_FUZZ(fnVCAIPP_FilterMax_8u_C1R) { SourceToDestination(c, fnVCAIPP_FilterMax_8u_C1R); }
RYN_FUZZ(fnVCAIPP_FilterDilate_8u_C1R) { SourceToDestination(c, fnVCAIPP_FilterDilate_8u_C1R); }
RYN_FUZZ(fnVCAIPP_FilterErode_8u_C1R) { SourceToDestination(c, fnVCAIPP_FilterErode_8u_C1R); }
RYN_FUZZ(fnVCAIPP_FilterDilateHoriz_8u_C1MR) { WithElement(c, fnVCAIPP_FilterDilateHoriz_8u_C1MR); }
RYN_FUZZ(fnVCAIPP_FilterErodeHoriz_8u_C1MR) { WithElement(c, fnVCAIPP_FilterErodeHoriz_8u_C1MR); }
RYN_FUZZ(fnVCAIPP_FilterDilateVert_8u_C1MR) { WithElement(c, fnVCAIPP_FilterDilateVert_8u_C1MR); }

namespace {

// The second pass of a two-image composite runs in place on the destination, which it needs two
// pixels wider than the inset region: a destination step below W is refused only then, and the
// first pass's output stays, as the composites promise.
template <class Export>
void Composite(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  if (d.step < region.width) c.WritesOnError();
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Opening3x3_8u_C1R) { Composite(c, fnVCAIPP_Opening3x3_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Closing3x3_8u_C1R) { Composite(c, fnVCAIPP_Closing3x3_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Opening3x3_8u_C1IR) { InPlace(c, fnVCAIPP_Opening3x3_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Closing3x3_8u_C1IR) { InPlace(c, fnVCAIPP_Closing3x3_8u_C1IR); }
