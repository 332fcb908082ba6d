// Linear filters and border copies: the inset region that keeps every window inside the
// caller's image, border completion around it, and the Gaussian filter's working buffer.
#include <algorithm>
#include <limits>

#include "RynRAZUdidazoror.h"
#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/filters/border_copy.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/fixed_filters.h"
#include "primitives/filters/float_filters.h"
#include "primitives/filters/kernel_filter.h"

namespace {

using namespace ryn::filters;

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The (W - mw) x (H - mh) region at (mw / 2, mh / 2). A mask the primitive will refuse leaves
// the pointers where they are: nothing is read then.
struct Inset {
  IppiSize size;
  int left;
  int top;

  Inset(IppiSize region, int maskWidth, int maskHeight)
      : size{ClampToInt(int64_t{region.width} - maskWidth), ClampToInt(int64_t{region.height} - maskHeight)},
        left(0),
        top(0) {
    if (maskWidth > 0 && maskHeight > 0 && size.width > 0 && size.height > 0) {
      left = maskWidth / 2;
      top = maskHeight / 2;
    }
  }

  template <class T>
  T* Shift(T* image, int step) const {
    using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(image) + int64_t{top} * step) + left;
  }
};

// After a successful filter step: the destination frame replicates the filtered region.
template <class T, class Replicate>
IppStatus CompleteBorder(IppStatus filtered, T* destination, int step, IppiSize region, const Inset& inset,
                         Replicate replicate) {
  if (filtered != ippStsNoErr) return filtered;
  return replicate(inset.Shift(destination, step), step, inset.size, region, inset.top, inset.left);
}

// The border copies take `border` pixels on every side of a width x height image.
bool BorderFits(int width, int height, int border) {
  return border >= 0 && 2 * int64_t{border} < width && 2 * int64_t{border} < height;
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterBox_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, int maskWidth, int maskHeight) {
  RYN_CHECK(ryn::NotNull(source, destination));
  const Inset inset(region, maskWidth, maskHeight);
  const IppStatus status = FilterBox8u(inset.Shift(source, sourceStep), sourceStep, inset.Shift(destination, destinationStep),
                                       destinationStep, inset.size, {maskWidth, maskHeight}, {inset.left, inset.top});
  return CompleteBorder(status, destination, destinationStep, region, inset, ReplicateBorderInPlace8u);
}

RYN_API IppStatus fnVCAIPP_FilterBox_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region, int maskWidth, int maskHeight) {
  RYN_CHECK(ryn::NotNull(source, destination));
  const Inset inset(region, maskWidth, maskHeight);
  const IppStatus status = FilterBox32f(inset.Shift(source, sourceStep), sourceStep, inset.Shift(destination, destinationStep),
                                        destinationStep, inset.size, {maskWidth, maskHeight}, {inset.left, inset.top});
  return CompleteBorder(status, destination, destinationStep, region, inset, ReplicateBorderInPlace32f);
}

RYN_API IppStatus fnVCAIPP_FilterGauss_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region, int maskSizeCode) {
  const int size = MaskSizeOfCode(maskSizeCode);
  if (size == 0) return ippStsMaskSizeErr;
  RYN_CHECK(ryn::NotNull(source, destination));
  const Inset inset(region, size, size);
  const IppStatus status = FilterGauss8u(inset.Shift(source, sourceStep), sourceStep,
                                         inset.Shift(destination, destinationStep), destinationStep, inset.size,
                                         maskSizeCode);
  return CompleteBorder(status, destination, destinationStep, region, inset, ReplicateBorderInPlace8u);
}

RYN_API IppStatus fnVCAIPP_FilterHipass_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region, int maskSizeCode) {
  const int size = MaskSizeOfCode(maskSizeCode);
  if (size == 0) return ippStsMaskSizeErr;
  RYN_CHECK(ryn::NotNull(source, destination));
  const Inset inset(region, size, size);
  return FilterHipass8u(inset.Shift(source, sourceStep), sourceStep, inset.Shift(destination, destinationStep),
                        destinationStep, inset.size, maskSizeCode);
}

RYN_API IppStatus fnVCAIPP_Filter_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, const int32_t* kernel,
                                         IppiSize kernelSize, int divisor) {
  RYN_CHECK(ryn::NotNull(source, destination));
  const Inset inset(region, kernelSize.width, kernelSize.height);
  const IppStatus status = FilterKernel8u(inset.Shift(source, sourceStep), sourceStep,
                                          inset.Shift(destination, destinationStep), destinationStep, inset.size,
                                          kernel, kernelSize, {inset.left, inset.top}, divisor);
  return CompleteBorder(status, destination, destinationStep, region, inset, ReplicateBorderInPlace8u);
}

RYN_API IppStatus fnVCAIPP_Filter_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region, const float* kernel,
                                          IppiSize kernelSize, IppiPoint anchor) {
  return FilterKernel32f(source, sourceStep, destination, destinationStep, region, kernel, kernelSize, anchor);
}

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(IppiSize region, int kernelSize, int* bufferSize) {
  return GaussBorderBufferSize(region, kernelSize, bufferSize);
}

}  // extern "C"

namespace {

// Even kernel sizes filter with the next odd size.
int OddKernelSize(int kernelSize) { return kernelSize % 2 == 0 ? kernelSize + 1 : kernelSize; }

IppStatus GaussBorderWithBuffer(const float* source, int sourceStep, float* destination, int destinationStep,
                                IppiSize region, int kernelSize, int sigma, uint8_t* buffer) {
  return FilterGaussBorder32f(source, sourceStep, destination, destinationStep, region, kernelSize,
                              static_cast<float>(sigma), kBorderReplicate, 0.0f, buffer);
}

}  // namespace

extern "C" {

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region, int kernelSize,
                                                     int sigma) {
  const int size = OddKernelSize(kernelSize);
  int bytes = 0;
  RYN_CHECK(GaussBorderBufferSize(region, size, &bytes));
  void* buffer = ryn::AllocateBlock(bytes);
  const IppStatus status = GaussBorderWithBuffer(source, sourceStep, destination, destinationStep, region, size,
                                                 sigma, static_cast<uint8_t*>(buffer));
  ryn::FreeBlock(buffer);
  return status;
}

RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                            float* destination, int destinationStep,
                                                            IppiSize region, int kernelSize, int sigma,
                                                            uint8_t* buffer) {
  RYN_CHECK(ryn::NotNull(buffer));
  return GaussBorderWithBuffer(source, sourceStep, destination, destinationStep, region, OddKernelSize(kernelSize),
                               sigma, buffer);
}

RYN_API IppStatus fnVCAIPP_CopyConstBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                  int height, int step, int border, uint8_t value) {
  RYN_CHECK(ryn::NotNull(source, destination));
  if (!BorderFits(width, height, border)) {
    RYN_CHECK(ryn::PositiveStep(step));
    return ippStsSizeErr;
  }
  return CopyConstBorder8u(source + int64_t{border} * step + border, step,
                           {width - 2 * border, height - 2 * border}, destination, step, {width, height}, border,
                           border, value);
}

RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                      int height, int step, int border) {
  RYN_CHECK(ryn::NotNull(source, destination));
  if (!BorderFits(width, height, border)) {
    RYN_CHECK(ryn::PositiveStep(step));
    return ippStsSizeErr;
  }
  return CopyReplicateBorder8u(source + int64_t{border} * step + border, step,
                               {width - 2 * border, height - 2 * border}, destination, step, {width, height},
                               border, border);
}

RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1IR(uint8_t* image, int width, int height, int step,
                                                       int border) {
  RYN_CHECK(ryn::NotNull(image));
  if (!BorderFits(width, height, border)) {
    RYN_CHECK(ryn::PositiveStep(step));
    return ippStsSizeErr;
  }
  return ReplicateBorderInPlace8u(image + int64_t{border} * step + border, step,
                                  {width - 2 * border, height - 2 * border}, {width, height}, border, border);
}

}  // extern "C"
