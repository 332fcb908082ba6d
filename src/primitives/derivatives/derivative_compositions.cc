// The derivative exports' compositions: buffer-size queries, pointer shifts, the Prewitt inset
// region with border completion, the allocating bordered filters and the gradient magnitude.
#include <cmath>
#include <limits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/derivatives/buffer_sizes.h"
#include "primitives/derivatives/derivative_checks.h"
#include "primitives/derivatives/derivatives.h"
#include "primitives/filters/filters.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::derivatives {

namespace {

constexpr IppStatus FitsInt32(int64_t bytes) {
  return bytes <= std::numeric_limits<int32_t>::max() ? ippStsNoErr : ippStsSizeErr;
}

int64_t BorderedBytes(BufferFamily family, IppiSize region, int maskCode) {
  const int64_t w16 = RoundUp(region.width, 16);
  const int64_t w4 = RoundUp(region.width, 4);
  const bool five = maskCode == 55;
  switch (family) {
    case BufferFamily::kSobel32f:
      return five ? 100 * w16 + 1256 : 84 * w16 + 952;
    case BufferFamily::kLaplacian32f:
      return five ? 200 * w16 + 1584 : 168 * w16 + 1232;
    case BufferFamily::kSobel8u16s:
      break;
  }
  return five ? 50 * w16 + 12 * w4 + 876 : 42 * w16 + 12 * w4 + 756;
}

BufferFamily FamilyOf(Bordered kind) {
  return kind == Bordered::kLaplacian ? BufferFamily::kLaplacian32f : BufferFamily::kSobel32f;
}

}  // namespace

IppStatus BorderedBufferSize(BufferFamily family, IppiSize region, int maskCode, int* size) {
  RYN_CHECK(NotNull(size));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(filters::KnownMaskCode(maskCode));
  const int64_t bytes = BorderedBytes(family, region, maskCode);
  RYN_CHECK(FitsInt32(bytes));
  *size = static_cast<int>(bytes);
  return ippStsNoErr;
}

IppStatus CannyBufferSize(IppiSize region, int* size) {
  RYN_CHECK(NotNull(size));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(FitsInt32(CannyBytes(region)));
  *size = static_cast<int>(CannyBytes(region));
  return ippStsNoErr;
}

// The 3 x 3 Sobel size, which also covers the 5 x 5 passes: the filters use BorderedBytesUsed,
// far below either query.
IppStatus GradientsBufferSize(IppiSize region, int* size) {
  RYN_CHECK(NotNull(size));
  RYN_CHECK(PositiveSize(region));
  int horizontal = 0, vertical = 0;
  RYN_CHECK(BorderedBufferSize(BufferFamily::kSobel32f, region, 33, &horizontal));
  RYN_CHECK(BorderedBufferSize(BufferFamily::kSobel32f, region, 33, &vertical));
  *size = std::max(horizontal, vertical);
  return ippStsNoErr;
}

IppStatus FilterUnborderedShifted32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                     IppiSize region, Unbordered kind) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckUnborderedArguments(source, sourceStep, destination, destinationStep, region));
  return FilterUnbordered32f(filters::PixelAt(source, sourceStep, {1, 1}), sourceStep,
                             filters::PixelAt(destination, destinationStep, {1, 1}), destinationStep, region, kind);
}

IppStatus FilterPrewittInset32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                IppiSize region, Unbordered kind) {
  const filters::Inset inset = filters::EveryFittingPosition(region, {3, 3});
  return filters::FilterInset(
      source, sourceStep, destination, destinationStep, region, inset, filters::BorderCompletion::kReplicate,
      [&](const float* s, const float* d) {
        return CheckUnborderedArguments(s, sourceStep, d, destinationStep, inset.size);
      },
      [&](const float* s, float* d) {
        return FilterUnbordered32f(s, sourceStep, d, destinationStep, inset.size, kind);
      });
}

IppStatus FilterBorderedAllocating32f(const float* source, int sourceStep, float* destination, int destinationStep,
                                      IppiSize region, Bordered kind, int maskCode) {
  int bytes = 0;
  RYN_CHECK(BorderedBufferSize(FamilyOf(kind), region, maskCode, &bytes));
  const filters::ScratchBlock buffer(bytes);
  return FilterBordered32f(source, sourceStep, destination, destinationStep, region, kind, maskCode, 1, 0.0f,
                           buffer.As<uint8_t>());
}

IppStatus Gradients32f(float* image, int imageStep, float* horizontal, int horizontalStep, float* vertical,
                       int verticalStep, int maskCode, int borderType, float borderValue, IppiSize region,
                       uint8_t* buffer) {
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(NotNull(image));
  RYN_CHECK(StepAtLeast(imageStep, region.width));
  RYN_CHECK(NotNull(horizontal));
  RYN_CHECK(StepAtLeast(horizontalStep, region.width));
  RYN_CHECK(NotNull(vertical));
  RYN_CHECK(StepAtLeast(verticalStep, region.width));
  RYN_CHECK(NotNull(buffer));
  RYN_CHECK(FilterBordered32f(image, imageStep, horizontal, horizontalStep, region, Bordered::kSobelHoriz, maskCode,
                              borderType, borderValue, buffer));
  RYN_CHECK(FilterBordered32f(image, imageStep, vertical, verticalStep, region, Bordered::kSobelVert, maskCode,
                              borderType, borderValue, buffer));
  const auto magnitude = View(image, imageStep, region);
  const auto h = View(static_cast<const float*>(horizontal), horizontalStep, region);
  const auto v = View(static_cast<const float*>(vertical), verticalStep, region);
  for (int y = 0; y < region.height; ++y) {
    float* out = magnitude.Row(y);
    const float* hr = h.Row(y);
    const float* vr = v.Row(y);
    // 0 + h^2 + v^2 in that order: adding h^2 to 0.0 gives h^2's bits.
    for (int x = 0; x < region.width; ++x) {
      const float hx = LoadUnaligned(hr + x), vx = LoadUnaligned(vr + x);
      StoreUnaligned(out + x, std::sqrt(hx * hx + vx * vx));
    }
  }
  return ippStsNoErr;
}

}  // namespace ryn::derivatives
