// Linear filters and border copies: each export forwards to its composition or primitive.
#include "RynRAZUdidazoror.h"
#include "frame/float_environment.h"
#include "primitives/filters/filters.h"

using namespace ryn::filters;

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterBox_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, int maskWidth, int maskHeight) {
  return FilterBoxInset8u(source, sourceStep, destination, destinationStep, region, {maskWidth, maskHeight});
}

RYN_API IppStatus fnVCAIPP_FilterBox_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region, int maskWidth, int maskHeight) {
  const ryn::StandardFloatEnvironment environment;
  return FilterBoxInset32f(source, sourceStep, destination, destinationStep, region, {maskWidth, maskHeight});
}

RYN_API IppStatus fnVCAIPP_FilterGauss_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region, int maskSizeCode) {
  return FilterGaussInset8u(source, sourceStep, destination, destinationStep, region, maskSizeCode);
}

RYN_API IppStatus fnVCAIPP_FilterHipass_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region, int maskSizeCode) {
  return FilterHipassInset8u(source, sourceStep, destination, destinationStep, region, maskSizeCode);
}

RYN_API IppStatus fnVCAIPP_Filter_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, const int32_t* kernel,
                                         IppiSize kernelSize, int divisor) {
  return FilterKernelInset8u(source, sourceStep, destination, destinationStep, region, kernel, kernelSize, divisor);
}

RYN_API IppStatus fnVCAIPP_Filter_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region, const float* kernel,
                                          IppiSize kernelSize, IppiPoint anchor) {
  return FilterKernel32f(source, sourceStep, destination, destinationStep, region, kernel, kernelSize, anchor);
}

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(IppiSize region, int kernelSize, int* bufferSize) {
  return GaussBorderBufferSize(region, kernelSize, bufferSize);
}

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region, int kernelSize,
                                                     int sigma) {
  const ryn::StandardFloatEnvironment environment;
  return FilterGaussBorderAllocating32f(source, sourceStep, destination, destinationStep, region, kernelSize, sigma);
}

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                            float* destination, int destinationStep,
                                                            IppiSize region, int kernelSize, int sigma,
                                                            uint8_t* buffer) {
  const ryn::StandardFloatEnvironment environment;
  return FilterGaussBorderWithBuffer32f(source, sourceStep, destination, destinationStep, region, kernelSize, sigma,
                                        buffer);
}

RYN_API IppStatus fnVCAIPP_CopyConstBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                  int height, int step, int border, uint8_t value) {
  return CopyConstBorderFrame8u(source, destination, width, height, step, border, value);
}

RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                      int height, int step, int border) {
  return CopyReplicateBorderFrame8u(source, destination, width, height, step, border);
}

RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1IR(uint8_t* image, int width, int height, int step,
                                                       int border) {
  return ReplicateBorderFrameInPlace8u(image, width, height, step, border);
}

}  // extern "C"
