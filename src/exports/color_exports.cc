// Colour conversions and the interleaving of 16-bit planes.
#include <climits>

#include "RynRAZUdidazoror.h"
#include "primitives/color/color.h"

extern "C" {

RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_C3R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                           int destinationStep, IppiSize region) {
  return ryn::color::YuvToRgbC3(source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_P3R(const uint8_t* const source[3], int sourceStep,
                                           uint8_t* const destination[3], int destinationStep, IppiSize region) {
  return ryn::color::YuvToRgbP3(source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_YUVToRGB_8u_P3C3R(const uint8_t* const source[3], int sourceStep, uint8_t* destination,
                                             int destinationStep, IppiSize region) {
  return ryn::color::YuvToRgbP3C3(source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_YUV420ToRGB_8u_P3C3R(const uint8_t* const source[3], const int sourceSteps[3],
                                                uint8_t* destination, int destinationStep, IppiSize region) {
  return ryn::color::Yuv420ToRgbP3C3(source, sourceSteps, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_YUV420ToRGB_8u_P3C3(const uint8_t* const source[3], uint8_t* destination,
                                               IppiSize size) {
  // The implied destination step, 3 x width, must fit an int: a wider frame is a size error,
  // reported where the conversion reports sizes (after the pointers). Steps of widths the
  // conversion rejects anyway are never used.
  const bool stepFits = size.width >= 1 && size.width <= INT_MAX / 3;
  if (!stepFits && size.width >= 1 && source != nullptr && destination != nullptr) return ippStsSizeErr;
  const int sourceSteps[3] = {size.width, size.width / 2, size.width / 2};
  return ryn::color::Yuv420ToRgbP3C3(source, sourceSteps, destination, stepFits ? 3 * size.width : 0, size);
}

RYN_API IppStatus fnVCAIPP_RGBToYUV_8u_P3R(const uint8_t* const source[3], int sourceStep,
                                           uint8_t* const destination[3], int destinationStep, IppiSize region) {
  return ryn::color::RgbToYuvP3(source, sourceStep, destination, destinationStep, region);
}

RYN_API IppStatus fnVCAIPP_RGBToYUV420_8u_C3P3R(const uint8_t* source, int sourceStep,
                                                uint8_t* const destination[3], const int destinationSteps[3],
                                                IppiSize region) {
  return ryn::color::RgbToYuv420C3P3(source, sourceStep, destination, destinationSteps, region);
}

RYN_API IppStatus fnVCAIPP_YCbCr420_8u_P2P3R(const uint8_t* sourceY, int sourceYStep, const uint8_t* sourceCbCr,
                                             int sourceCbCrStep, uint8_t* destinationY, uint8_t* destinationCb,
                                             uint8_t* destinationCr, int destinationYStep, int destinationCbStep,
                                             int destinationCrStep, IppiSize region) {
  uint8_t* const destination[3] = {destinationY, destinationCb, destinationCr};
  const int destinationSteps[3] = {destinationYStep, destinationCbStep, destinationCrStep};
  return ryn::color::YCbCr420P2P3(sourceY, sourceYStep, sourceCbCr, sourceCbCrStep, destination, destinationSteps,
                                  region);
}

RYN_API IppStatus fnVCAIPP_YCbCr420_8u_P3P2R(const uint8_t* sourceY, const uint8_t* sourceCb,
                                             const uint8_t* sourceCr, int sourceYStep, int sourceCbStep,
                                             int sourceCrStep, uint8_t* destinationY, int destinationYStep,
                                             uint8_t* destinationCbCr, int destinationCbCrStep, IppiSize region) {
  const uint8_t* const source[3] = {sourceY, sourceCb, sourceCr};
  const int sourceSteps[3] = {sourceYStep, sourceCbStep, sourceCrStep};
  return ryn::color::YCbCr420P3P2(source, sourceSteps, destinationY, destinationYStep, destinationCbCr,
                                  destinationCbCrStep, region);
}

RYN_API IppStatus fnVCAIPP_PlaneToInterleave_16s(const int16_t* const planes[], int planeCount, IppiSize size,
                                                 int sourceStride, int16_t* destination, int destinationStride) {
  return ryn::color::PlaneToInterleave16s(planes, planeCount, size, sourceStride, destination, destinationStride);
}

}  // extern "C"
