// The Gaussian border filter's buffer size and kernel: plain functions shared by every build.
#include <algorithm>
#include <cmath>
#include <limits>

#include "primitives/filters/gauss_border_filter.h"

namespace ryn::filters {

int64_t GaussBorderBufferBytes(int width, int kernelSize) {
  // Widths and kernel sizes below 2^31 keep every term below 2^68: the sum is formed in 128 bits,
  // where it cannot wrap, and only then compared with the 32-bit limit.
  const __int128 w = width;
  const __int128 k = kernelSize;
  const __int128 bytes = 32 * k * ((w + k + 3) / 4) + 16 * ((k + 3) / 4) + 32 * k * ((w + k + 7) / 8) + 144 * k + 320;
  return bytes <= std::numeric_limits<int>::max() ? static_cast<int64_t>(bytes) : -1;
}

IppStatus GaussBorderBufferSize(IppiSize region, int kernelSize, int* bytes) {
  RYN_CHECK(NotNull(bytes));
  RYN_CHECK(PositiveSize(region));
  RYN_CHECK(OddKernelOfAtLeast3(kernelSize));
  const int64_t size = GaussBorderBufferBytes(region.width, kernelSize);
  if (size < 0) return ippStsSizeErr;
  *bytes = static_cast<int>(size);
  return ippStsNoErr;
}

void GaussianTaps(int kernelSize, float sigma, float* taps) {
  const int radius = kernelSize / 2;
  const float twoSigmaSquared = 2.0f * (sigma * sigma);
  if (twoSigmaSquared == 0.0f) {
    std::fill(taps, taps + kernelSize, 0.0f);
    taps[radius] = 1.0f;
    return;
  }
  float sum = 0.0f;
  for (int i = 0; i < kernelSize; ++i) {
    const double x = i - radius;
    taps[i] = static_cast<float>(std::exp(-(x * x) / static_cast<double>(twoSigmaSquared)));
    sum += taps[i];
  }
  for (int i = 0; i < kernelSize; ++i) taps[i] /= sum;
}

}  // namespace ryn::filters
