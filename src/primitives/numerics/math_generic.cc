// The generic element-wise functions: each element through its rule. The reference for every
// processor build.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/numerics/math_checks.h"
#include "primitives/numerics/math_rules.h"
#include "primitives/numerics/numerics.h"

namespace ryn::numerics::generic {
namespace {

IppStatus Atan2Row(const float* y, const float* x, float* destination, size_t n) {
  IppStatus status = ippStsNoErr;
  for (size_t i = 0; i < n; ++i) {
    StoreUnaligned(destination + i, Atan2Element(LoadUnaligned(y + i), LoadUnaligned(x + i), status));
  }
  return status;
}

IppStatus HypotRow(const float* a, const float* b, float* destination, size_t n) {
  IppStatus status = ippStsNoErr;
  for (size_t i = 0; i < n; ++i) {
    StoreUnaligned(destination + i, HypotElement(LoadUnaligned(a + i), LoadUnaligned(b + i), status));
  }
  return status;
}

void SineRow(const float* source, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) StoreUnaligned(destination + i, SineElement(LoadUnaligned(source + i)));
}

void JaehneRow(uint8_t* row, size_t width, double centreX, double ycSquared, double fourHeight) {
  for (size_t x = 0; x < width; ++x) row[x] = JaehnePixel(static_cast<double>(x) - centreX, ycSquared, fourHeight);
}

}  // namespace

#include "primitives/numerics/math_primitives-inl.h"

}  // namespace ryn::numerics::generic
