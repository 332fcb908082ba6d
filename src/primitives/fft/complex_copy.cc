// Copies of complex images: one memcpy a row.
#include <cstring>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/fft/fft.h"
#include "primitives/fft/fft_checks.h"

namespace ryn::fft {

// Each step must hold a row of 8-byte elements: a step between the width and 8 x width bytes
// would make rows overlap and write past an image of that step.
IppStatus CopyComplex(const Ipp32fc* source, int sourceStep, Ipp32fc* destination, int destinationStep,
                      IppiSize size) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(StepAtLeast(sourceStep, int64_t{size.width} * int64_t{sizeof(Ipp32fc)}));
  RYN_CHECK(StepAtLeast(destinationStep, int64_t{size.width} * int64_t{sizeof(Ipp32fc)}));
  RYN_CHECK(PositiveSize(size));
  const auto from = View(source, WholeElementStep(sourceStep, sizeof(Ipp32fc)), size);
  const auto to = View(destination, WholeElementStep(destinationStep, sizeof(Ipp32fc)), size);
  for (int y = 0; y < size.height; ++y) std::memcpy(to.Row(y), from.Row(y), static_cast<size_t>(to.RowBytes()));
  return ippStsNoErr;
}

}  // namespace ryn::fft
