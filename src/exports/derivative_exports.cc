// Derivative filters and Canny edges: each export forwards to its composition or primitive.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/derivatives/derivatives.h"

using namespace ryn::derivatives;

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterSobelHoriz_32f_C1R(const float* source, int sourceStep, float* destination,
                                                    int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterUnborderedShifted32f(source, sourceStep, destination, destinationStep, region,
                                    Unbordered::kSobelHoriz);
}

RYN_API IppStatus fnVCAIPP_FilterSobelVert_32f_C1R(const float* source, int sourceStep, float* destination,
                                                   int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterUnborderedShifted32f(source, sourceStep, destination, destinationStep, region,
                                    Unbordered::kSobelVert);
}

RYN_API IppStatus fnVCAIPP_FilterPrewittHoriz_32f_C1R(const float* source, int sourceStep, float* destination,
                                                      int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterPrewittInset32f(source, sourceStep, destination, destinationStep, region, Unbordered::kPrewittHoriz);
}

RYN_API IppStatus fnVCAIPP_FilterPrewittVert_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterPrewittInset32f(source, sourceStep, destination, destinationStep, region, Unbordered::kPrewittVert);
}

RYN_API IppStatus fnVCAIPP_FilterSobelHorizBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                          int destinationStep, IppiSize region, int maskSizeCode) {
  const ryn::StandardFloatEnvironment environment;
  return FilterBorderedAllocating32f(source, sourceStep, destination, destinationStep, region, Bordered::kSobelHoriz,
                                     maskSizeCode);
}

RYN_API IppStatus fnVCAIPP_FilterSobelVertBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                         int destinationStep, IppiSize region, int maskSizeCode) {
  const ryn::StandardFloatEnvironment environment;
  return FilterBorderedAllocating32f(source, sourceStep, destination, destinationStep, region, Bordered::kSobelVert,
                                     maskSizeCode);
}

RYN_API IppStatus fnVCAIPP_FilterSobelCrossBorder_32f_C1IR(const float* source, int sourceStep, float* destination,
                                                           int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterBorderedAllocating32f(source, sourceStep, destination, destinationStep, region, Bordered::kSobelCross,
                                     33);
}

RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                         int destinationStep, IppiSize region) {
  const ryn::StandardFloatEnvironment environment;
  return FilterBorderedAllocating32f(source, sourceStep, destination, destinationStep, region, Bordered::kLaplacian,
                                     55);
}

RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize(IppiSize region, int* size) {
  return BorderedBufferSize(BufferFamily::kLaplacian32f, region, 55, size);
}

RYN_API IppStatus fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                                float* destination, int destinationStep,
                                                                IppiSize region, uint8_t* buffer) {
  if (buffer == nullptr) return ippStsNullPtrErr;
  return FilterBordered32f(source, sourceStep, destination, destinationStep, region, Bordered::kLaplacian, 55, 1,
                           0.0f, buffer);
}

RYN_API IppStatus fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(const uint8_t* source, int sourceStep,
                                                            int16_t* destination, int destinationStep,
                                                            IppiSize region, int maskSizeCode, int borderType,
                                                            uint8_t borderValue, uint8_t* buffer) {
  return FilterBordered8u16s(source, sourceStep, destination, destinationStep, region, Bordered::kSobelHoriz,
                             maskSizeCode, borderType, borderValue, buffer);
}

RYN_API IppStatus fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R(const uint8_t* source, int sourceStep,
                                                              int16_t* destination, int destinationStep,
                                                              IppiSize region, int maskSizeCode, int borderType,
                                                              uint8_t borderValue, uint8_t* buffer) {
  return FilterBordered8u16s(source, sourceStep, destination, destinationStep, region, Bordered::kSobelNegVert,
                             maskSizeCode, borderType, borderValue, buffer);
}

RYN_API IppStatus fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R(IppiSize region, int maskSizeCode, int* size) {
  return BorderedBufferSize(BufferFamily::kSobel8u16s, region, maskSizeCode, size);
}

RYN_API IppStatus fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R(IppiSize region, int maskSizeCode, int* size) {
  return BorderedBufferSize(BufferFamily::kSobel8u16s, region, maskSizeCode, size);
}

RYN_API IppStatus fnVCAIPP_Canny_16s8u_C1R(const int16_t* dx, int dxStep, const int16_t* dy, int dyStep,
                                           uint8_t* edges, int edgesStep, IppiSize region, float low, float high,
                                           uint8_t* buffer) {
  return Canny16s8u(dx, dxStep, dy, dyStep, edges, edgesStep, region, low, high, buffer);
}

RYN_API IppStatus fnVCAIPP_CannyGetSize(IppiSize region, int* size) { return CannyBufferSize(region, size); }

RYN_API IppStatus fnVCAIPP_GradientsGetBufferSize_32f(IppiSize region, int /*unused*/, int* size) {
  return GradientsBufferSize(region, size);
}

RYN_API IppStatus fnVCAIPP_Gradients_32f_C1IR(float* image, int imageStep, float* horizontal, int horizontalStep,
                                              float* vertical, int verticalStep, int maskSizeCode, int borderType,
                                              float borderValue, IppiSize region, uint8_t* buffer) {
  const ryn::StandardFloatEnvironment environment;
  return Gradients32f(image, imageStep, horizontal, horizontalStep, vertical, verticalStep, maskSizeCode, borderType,
                      borderValue, region, buffer);
}

}  // extern "C"
