// The linear-filter family: the dispatched primitives (one header per topic, included here) and
// the compositions that the filter exports are made of. Later neighbourhood families (morphology,
// derivative filters) compose their exports from the same pieces:
//
// Inset region. A neighbourhood primitive with an explicit anchor reads source pixels wherever
// its mask reaches. An export keeps those reads inside the caller's W x H image by filtering an
// inset region only: for a kw x kh mask, the region at (kw / 2, kh / 2) of (W - kw) x (H - kh)
// pixels (InsetFor: one column and one row fewer than the positions where the whole mask fits),
// or of (W - kw + 1) x (H - kh + 1) pixels (EveryFittingPosition: every such position, the
// (W - 2) x (H - 2) of a fixed 3 x 3 mask), with the anchor at (kw / 2, kh / 2).
//
// Border completion. After a successful filter step, every destination pixel outside the inset
// region takes the value of the nearest inset pixel (ReplicateBorderInPlace of border_copy.h,
// frame kh / 2 rows high at the top and kw / 2 columns wide at the left).
//
// FilterInset puts the two together for any pixel type with an in-place replicate (8u, 16s,
// 32f), any mask size and anchor: null images first, then the primitive's own checks on the
// caller's pointers, and only then the shifted addresses, so that no address is formed from a
// step that a check would refuse.
#pragma once

#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/filters/border_copy.h"
#include "primitives/filters/box_filter.h"
#include "primitives/filters/filters_checks.h"
#include "primitives/filters/fixed_filters.h"
#include "primitives/filters/float_kernel_filter.h"
#include "primitives/filters/gauss_border_filter.h"
#include "primitives/filters/kernel_filter.h"

namespace ryn::filters {

// A region of the caller's image and the mask anchor that keeps every window inside the image.
struct Inset {
  IppiSize size;
  IppiPoint origin;  // the region's first pixel in the caller's image, and the anchor
};

// (W - kw) x (H - kh) at (kw / 2, kh / 2). Sizes that leave the 32-bit range are clamped, so a
// mask that the primitive refuses still gives a region that it refuses or a mask error.
Inset InsetFor(IppiSize region, IppiSize mask);
// (W - kw + 1) x (H - kh + 1) at (kw / 2, kh / 2), clamped likewise.
Inset EveryFittingPosition(IppiSize region, IppiSize mask);

enum class BorderCompletion { kNone, kReplicate };

// Pixel p of an image. Only for images whose checks have passed.
template <class T>
T* PixelAt(T* image, int step, IppiPoint p) {
  return View(image, step, IppiSize{0, 0}).Row(p.y) + p.x;
}

// Completes the W x H destination around its filtered inset region by replicate.
template <class T>
IppStatus CompleteBorder(T* destination, int step, IppiSize region, const Inset& inset) {
  return ReplicateBorderInPlace(PixelAt(destination, step, inset.origin), step, inset.size, region, inset.origin.y,
                                inset.origin.x);
}

// Filters the inset region of a W x H (`region`) image and completes the destination if asked.
//   check(source, destination): the primitive's argument checks on the inset, given the caller's
//     pointers (the checks compare pointers with null only);
//   filter(insetSource, insetDestination): the primitive on the inset region.
// Returns the first failing status of: the null test of both images, check, filter, and the
// border completion; a failing check or filter leaves the destination as it was.
template <class T, class Check, class Filter>
IppStatus FilterInset(const T* source, int sourceStep, T* destination, int destinationStep, IppiSize region,
                      const Inset& inset, BorderCompletion completion, Check check, Filter filter) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(check(source, destination));
  RYN_CHECK(filter(PixelAt(source, sourceStep, inset.origin), PixelAt(destination, destinationStep, inset.origin)));
  if (completion == BorderCompletion::kNone) return ippStsNoErr;
  return CompleteBorder(destination, destinationStep, region, inset);
}

// The filter exports' compositions, one per export, in the export's argument order.
IppStatus FilterBoxInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                           IppiSize region, IppiSize mask);
IppStatus FilterBoxInset32f(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, IppiSize mask);
IppStatus FilterGaussInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                             IppiSize region, int maskCode);
// No border completion: the frame is left as it was.
IppStatus FilterHipassInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                              IppiSize region, int maskCode);
IppStatus FilterKernelInset8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                              IppiSize region, const int32_t* kernel, IppiSize kernelSize, int divisor);

// The Gaussian border filter with replicated borders; an even kernel size k filters with k + 1.
// The first form obtains its buffer from the library's allocator (ippStsNullPtrErr when that
// fails), the second takes the caller's, which the size query sized.
IppStatus FilterGaussBorderAllocating32f(const float* source, int sourceStep, float* destination,
                                         int destinationStep, IppiSize region, int kernelSize, int sigma);
IppStatus FilterGaussBorderWithBuffer32f(const float* source, int sourceStep, float* destination,
                                         int destinationStep, IppiSize region, int kernelSize, int sigma,
                                         uint8_t* buffer);

// Border copies of a width x height image whose rows share one step: the inner rectangle at
// (border, border) of (width - 2 border) x (height - 2 border) pixels and a frame border pixels
// wide. 2 border must stay below the width and the height.
IppStatus CopyConstBorderFrame8u(const uint8_t* source, uint8_t* destination, int width, int height, int step,
                                 int border, uint8_t value);
IppStatus CopyReplicateBorderFrame8u(const uint8_t* source, uint8_t* destination, int width, int height, int step,
                                     int border);
IppStatus ReplicateBorderFrameInPlace8u(uint8_t* image, int width, int height, int step, int border);

}  // namespace ryn::filters
