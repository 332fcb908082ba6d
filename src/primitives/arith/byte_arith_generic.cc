// The generic 8-bit arithmetic: plain C++, the reference for every processor build.
#include <cstddef>
#include <cstdint>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "primitives/arith/alpha_rules.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/arith_checks.h"
#include "primitives/arith/byte_tables.h"
#include "primitives/arith/copy.h"
#include "primitives/arith/scale_rules.h"
#include "primitives/fill/fill.h"

namespace ryn::arith::generic {
namespace {

void AddRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactSum(a[i], b[i]), scale);
}
void SubRow8u(const uint8_t* minuend, const uint8_t* subtrahend, uint8_t* destination, size_t n, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactDifference(minuend[i], subtrahend[i]), scale);
}
void MulRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactProduct(a[i], b[i]), scale);
}
void AddConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactSum(source[i], value), scale);
}
void SubConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactDifference(source[i], value), scale);
}
void MulConstRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t value, int scale) {
  for (size_t i = 0; i < n; ++i) destination[i] = ScaleToByte(ExactProduct(source[i], value), scale);
}

void AbsDiffRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = static_cast<uint8_t>(a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]);
}

const uint8_t* PrepareLookUp(const uint8_t* table) { return table; }

void TableRow8u(const uint8_t* source, uint8_t* destination, size_t n, const uint8_t* table) {
  for (size_t i = 0; i < n; ++i) destination[i] = table[source[i]];
}

// Returns whether the row held a zero pixel.
bool LnRow8u(const uint8_t* source, uint8_t* destination, size_t n, const uint8_t* table) {
  bool zero = false;
  for (size_t i = 0; i < n; ++i) {
    zero |= source[i] == 0;
    destination[i] = table[source[i]];
  }
  return zero;
}

template <Composition kComposition, bool kPremultiplied>
void CompositeRow8u(const uint8_t* p, const uint8_t* q, uint8_t* destination, size_t n, uint8_t a,
                    uint8_t b) {
  for (size_t i = 0; i < n; ++i) destination[i] = Composite<kComposition, kPremultiplied>(p[i], q[i], a, b);
}

}  // namespace

#include "primitives/arith/arith_runs-inl.h"
#include "primitives/arith/byte_shortcuts-inl.h"
#include "primitives/arith/add_sub_primitives-inl.h"
#include "primitives/arith/alpha_primitives-inl.h"
#include "primitives/arith/div_ln_primitives-inl.h"
#include "primitives/arith/mul_primitives-inl.h"

}  // namespace ryn::arith::generic
