// Rank filters and morphology: each export forwards to its composition.
#include "RynRAZUdidazoror.h"
#include "primitives/morphology/morphology.h"

using namespace ryn::morphology;

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterMedian_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region) {
  return FilterRank3x3Inset(Rank3x3::kMedian, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_FilterMax_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region) {
  return FilterRank3x3Inset(Rank3x3::kMax, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_FilterDilate_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region) {
  return FilterRank3x3Inset(Rank3x3::kDilate, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_FilterErode_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region) {
  return FilterRank3x3Inset(Rank3x3::kErode, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_FilterDilateHoriz_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                     int destinationStep, const uint8_t* element, IppiSize region) {
  return FilterMaskedInset(Extreme::kMaximum, ElementAxis::kRow, source, sourceStep, destination, destinationStep,
                           element, region);
}

RYN_API IppStatus fnVCAIPP_FilterErodeHoriz_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                    int destinationStep, const uint8_t* element, IppiSize region) {
  return FilterMaskedInset(Extreme::kMinimum, ElementAxis::kRow, source, sourceStep, destination, destinationStep,
                           element, region);
}

RYN_API IppStatus fnVCAIPP_FilterDilateVert_8u_C1MR(const uint8_t* source, int sourceStep, uint8_t* destination,
                                                    int destinationStep, const uint8_t* element, IppiSize region) {
  return FilterMaskedInset(Extreme::kMaximum, ElementAxis::kColumn, source, sourceStep, destination,
                           destinationStep, element, region);
}

RYN_API IppStatus fnVCAIPP_Opening3x3_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region) {
  return Composite3x3Inset(Composite::kOpening, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_Opening3x3_8u_C1IR(uint8_t* image, int step, IppiSize region) {
  return Composite3x3InsetInPlace(Composite::kOpening, image, step, region);
}

RYN_API IppStatus fnVCAIPP_Closing3x3_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region) {
  return Composite3x3Inset(Composite::kClosing, source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_Closing3x3_8u_C1IR(uint8_t* image, int step, IppiSize region) {
  return Composite3x3InsetInPlace(Composite::kClosing, image, step, region);
}

}  // extern "C"
