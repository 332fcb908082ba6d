#include "primitives/filters/kernel_rules.h"

#include <bit>

namespace ryn::filters {

KernelDivision DivisionFor(int divisor) {
  KernelDivision division;
  if (divisor == 1) return division;
  if (divisor > 1 && std::has_single_bit(static_cast<uint32_t>(divisor))) {
    division.kind = KernelDivision::Kind::kHalfEvenShift;
    division.shift = std::countr_zero(static_cast<uint32_t>(divisor));
    return division;
  }
  division.kind = KernelDivision::Kind::kScale;
  division.reciprocal = 1.0f / static_cast<float>(divisor);
  return division;
}

}  // namespace ryn::filters
