// The filter exports' compositions: inset regions, border completion, the Gaussian filter's
// working buffer and the border copies' frame.
#include <algorithm>
#include <limits>

#include "frame/allocator.h"
#include "primitives/filters/filters.h"

namespace ryn::filters {

namespace {

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Inset InsetOfSize(int64_t width, int64_t height, IppiSize mask) {
  return Inset{{ClampToInt(width), ClampToInt(height)}, {mask.width / 2, mask.height / 2}};
}

// Even kernel sizes filter with the next odd size.
int OddKernelSize(int kernelSize) { return kernelSize % 2 == 0 ? kernelSize + 1 : kernelSize; }

}  // namespace

Inset InsetFor(IppiSize region, IppiSize mask) {
  return InsetOfSize(int64_t{region.width} - mask.width, int64_t{region.height} - mask.height, mask);
}

Inset EveryFittingPosition(IppiSize region, IppiSize mask) {
  return InsetOfSize(int64_t{region.width} - mask.width + 1, int64_t{region.height} - mask.height + 1, mask);
}

IppStatus FilterBoxInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                           IppiSize region, IppiSize mask) {
  const Inset inset = InsetFor(region, mask);
  return FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, BorderCompletion::kReplicate,
      [&](const uint8_t* s, const uint8_t* d) {
        return CheckBoxArguments(s, sourceStep, d, destinationStep, inset.size, mask, inset.origin);
      },
      [&](const uint8_t* s, uint8_t* d) {
        return FilterBox8u(s, sourceStep, d, destinationStep, inset.size, mask, inset.origin);
      });
}

IppStatus FilterBoxInset32f(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, IppiSize mask) {
  const Inset inset = InsetFor(region, mask);
  return FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, BorderCompletion::kReplicate,
      [&](const float* s, const float* d) {
        return CheckBoxArguments(s, sourceStep, d, destinationStep, inset.size, mask, inset.origin);
      },
      [&](const float* s, float* d) {
        return FilterBox32f(s, sourceStep, d, destinationStep, inset.size, mask, inset.origin);
      });
}

namespace {

// The fixed filters refuse an unknown code before anything else.
template <class Fixed>
IppStatus FixedFilterInset(const Fixed& filter, BorderCompletion completion, const uint8_t* source, int sourceStep,
                           uint8_t* destination, int destinationStep, IppiSize region, int maskCode) {
  RYN_CHECK(KnownMaskCode(maskCode));
  const int size = MaskSizeOfCode(maskCode);
  const Inset inset = InsetFor(region, {size, size});
  return FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, completion,
      [&](const uint8_t* s, const uint8_t* d) {
        return CheckFixedFilterArguments(s, sourceStep, d, destinationStep, inset.size, maskCode);
      },
      [&](const uint8_t* s, uint8_t* d) { return filter(s, sourceStep, d, destinationStep, inset.size, maskCode); });
}

}  // namespace

IppStatus FilterGaussInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                             IppiSize region, int maskCode) {
  return FixedFilterInset(FilterGauss8u, BorderCompletion::kReplicate, source, sourceStep, destination,
                          destinationStep, region, maskCode);
}

IppStatus FilterHipassInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                              IppiSize region, int maskCode) {
  return FixedFilterInset(FilterHipass8u, BorderCompletion::kNone, source, sourceStep, destination,
                          destinationStep, region, maskCode);
}

IppStatus FilterKernelInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                              IppiSize region, const int32_t* kernel, IppiSize kernelSize, int divisor) {
  const Inset inset = InsetFor(region, kernelSize);
  return FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, BorderCompletion::kReplicate,
      [&](const uint8_t* s, const uint8_t* d) {
        return CheckKernel8uArguments(s, sourceStep, d, destinationStep, inset.size, kernel, kernelSize, divisor);
      },
      [&](const uint8_t* s, uint8_t* d) {
        return FilterKernel8u(s, sourceStep, d, destinationStep, inset.size, kernel, kernelSize, inset.origin,
                              divisor);
      });
}

IppStatus FilterGaussBorderAllocating32f(const float* source, int sourceStep, float* destination,
                                         int destinationStep, IppiSize region, int kernelSize, int sigma) {
  const int size = OddKernelSize(kernelSize);
  int bytes = 0;
  RYN_CHECK(GaussBorderBufferSize(region, size, &bytes));
  void* buffer = AllocateBlock(bytes);
  const IppStatus status = FilterGaussBorderWithBuffer32f(source, sourceStep, destination, destinationStep, region,
                                                          size, sigma, static_cast<uint8_t*>(buffer));
  FreeBlock(buffer);
  return status;
}

IppStatus FilterGaussBorderWithBuffer32f(const float* source, int sourceStep, float* destination,
                                         int destinationStep, IppiSize region, int kernelSize, int sigma,
                                         uint8_t* buffer) {
  RYN_CHECK(NotNull(buffer));
  return FilterGaussBorder32f(source, sourceStep, destination, destinationStep, region, OddKernelSize(kernelSize),
                              static_cast<float>(sigma), kBorderReplicate, 0.0f, buffer);
}

namespace {

// The frame `border` pixels wide around the inner rectangle of a width x height image.
struct Frame {
  IppiSize inner;
  IppiSize outer;
  IppiPoint origin;
};

IppStatus CheckFrame(int width, int height, int step, int border) {
  RYN_CHECK(PositiveStep(step));
  if (border < 0 || 2 * int64_t{border} >= width || 2 * int64_t{border} >= height) return ippStsSizeErr;
  return ippStsNoErr;
}

Frame FrameOf(int width, int height, int border) {
  return Frame{{width - 2 * border, height - 2 * border}, {width, height}, {border, border}};
}

}  // namespace

IppStatus CopyConstBorderFrame8u(const uint8_t* source, uint8_t* destination, int width, int height, int step,
                                 int border, uint8_t value) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckFrame(width, height, step, border));
  const Frame f = FrameOf(width, height, border);
  return CopyConstBorder8u(PixelAt(source, step, f.origin), step, f.inner, destination, step, f.outer, border,
                           border, value);
}

IppStatus CopyReplicateBorderFrame8u(const uint8_t* source, uint8_t* destination, int width, int height, int step,
                                     int border) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckFrame(width, height, step, border));
  const Frame f = FrameOf(width, height, border);
  return CopyReplicateBorder8u(PixelAt(source, step, f.origin), step, f.inner, destination, step, f.outer, border,
                               border);
}

IppStatus ReplicateBorderFrameInPlace8u(uint8_t* image, int width, int height, int step, int border) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(CheckFrame(width, height, step, border));
  const Frame f = FrameOf(width, height, border);
  return ReplicateBorderInPlace8u(PixelAt(image, step, f.origin), step, f.inner, f.outer, border, border);
}

}  // namespace ryn::filters
