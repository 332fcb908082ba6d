// The generic single-precision arithmetic and accumulations: plain C++, the reference for every
// processor build. Pixels are read and written through LoadUnaligned and StoreUnaligned, since
// steps need not be multiples of 4.
#include <cstddef>
#include <cstdint>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/arith/arith.h"
#include "primitives/arith/arith_checks.h"
#include "primitives/arith/float_rules.h"

namespace ryn::arith::generic {
namespace {

float At(const float* row, size_t i) { return LoadUnaligned(row + i); }
void Put(float* row, size_t i, float value) { StoreUnaligned(row + i, value); }

void AddRow32f(const float* a, const float* b, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(a, i) + At(b, i));
}
void SubRow32f(const float* a, const float* b, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(a, i) - At(b, i));
}
void MulRow32f(const float* a, const float* b, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(a, i) * At(b, i));
}
void AddConstRow32f(const float* source, float* destination, size_t n, float value) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(source, i) + value);
}
void SubConstRow32f(const float* source, float* destination, size_t n, float value) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(source, i) - value);
}
void MulConstRow32f(const float* source, float* destination, size_t n, float value) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(source, i) * value);
}
// Returns whether a divisor was zero.
bool DivRow32f(const float* dividend, const float* divisor, float* destination, size_t n) {
  bool zero = false;
  for (size_t i = 0; i < n; ++i) {
    zero |= At(divisor, i) == 0.0f;
    Put(destination, i, Quotient(At(dividend, i), At(divisor, i)));
  }
  return zero;
}
void SqrRow32f(const float* source, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, At(source, i) * At(source, i));
}
void AbsRow32f(const float* source, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, ClearSign(At(source, i)));
}
void AbsDiffRow32f(const float* a, const float* b, float* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, ClearSign(At(a, i) - At(b, i)));
}
void AbsDiffConstRow32f(const float* source, float* destination, size_t n, float value) {
  for (size_t i = 0; i < n; ++i) Put(destination, i, ClearSign(At(source, i) - value));
}

void AddMaskedRow32f(const float* source, const uint8_t* mask, float* image, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) Put(image, i, At(image, i) + At(source, i));
  }
}
void AddBytesRow32f(const uint8_t* source, float* image, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(image, i, At(image, i) + static_cast<float>(source[i]));
}
void AddSquareRow32f(const uint8_t* source, float* image, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(image, i, At(image, i) + static_cast<float>(source[i] * source[i]));
}
void AddProductRow32f(const uint8_t* a, const uint8_t* b, float* image, size_t n) {
  for (size_t i = 0; i < n; ++i) Put(image, i, At(image, i) + static_cast<float>(a[i] * b[i]));
}
void AddWeightedRow32f(const float* source, float* image, size_t n, float alpha) {
  for (size_t i = 0; i < n; ++i) Put(image, i, RunningAverage(At(image, i), At(source, i), alpha));
}
void AddWeightedBytesRow32f(const uint8_t* source, float* image, size_t n, float alpha) {
  for (size_t i = 0; i < n; ++i) Put(image, i, RunningAverage(At(image, i), static_cast<float>(source[i]), alpha));
}
void AddWeightedMaskedRow32f(const float* source, const uint8_t* mask, float* image, size_t n, float alpha) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) Put(image, i, RunningAverage(At(image, i), At(source, i), alpha));
  }
}
void AddWeightedMaskedBytesRow32f(const uint8_t* source, const uint8_t* mask, float* image, size_t n,
                                  float alpha) {
  for (size_t i = 0; i < n; ++i) {
    if (mask[i] != 0) Put(image, i, RunningAverage(At(image, i), static_cast<float>(source[i]), alpha));
  }
}

}  // namespace

#include "primitives/arith/arith_runs-inl.h"
#include "primitives/arith/accumulate_primitives-inl.h"
#include "primitives/arith/float_primitives-inl.h"

}  // namespace ryn::arith::generic
