// The generic derivative row kernels: plain C++, the reference for every processor build.
#include <cstring>
#include <type_traits>

#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/derivatives/border_rules.h"
#include "primitives/derivatives/buffer_sizes.h"
#include "primitives/derivatives/derivative_checks.h"
#include "primitives/derivatives/derivative_rules.h"
#include "primitives/derivatives/derivatives.h"
#include "primitives/filters/scratch_block.h"

namespace ryn::derivatives::generic {
namespace {

void WidenRow(const float* source, float* out, size_t n) { std::memcpy(out, source, n * sizeof(float)); }

void WidenRow(const uint8_t* source, int16_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = source[x];
}

// out[x] = sum of weights[t] * rows[t][x].
void ColumnPass(const float* const* rows, const float* weights, int count, float* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = WeightedSum(rows, weights, count, x);
}

void ColumnPass(const int16_t* const* rows, const int16_t* weights, int count, int16_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = static_cast<int16_t>(WeightedSum(rows, weights, count, x));
}

// out[x] = sum of weights[t] * columns[x + offsets[t]].
template <class T>
void TermsAt(const T* columns, const Taps<T>& taps, const T* (&terms)[5]) {
  for (int t = 0; t < taps.count; ++t) terms[t] = columns + taps.offsets[t];
}

void RowPass(const float* columns, const Taps<float>& taps, float* out, size_t n) {
  const float* terms[5] = {};
  TermsAt(columns, taps, terms);
  for (size_t x = 0; x < n; ++x) StoreUnaligned(out + x, WeightedSum(terms, taps.weights, taps.count, x));
}

void RowPass(const int16_t* columns, const Taps<int16_t>& taps, int16_t* out, size_t n) {
  const int16_t* terms[5] = {};
  TermsAt(columns, taps, terms);
  for (size_t x = 0; x < n; ++x) {
    StoreUnaligned(out + x, SaturateTo16s(WeightedSum(terms, taps.weights, taps.count, x)));
  }
}

// out[x] = first[x] + the row pass of `columns`.
void RowPassPlus32f(const float* columns, const Taps<float>& taps, const float* first, float* out, size_t n) {
  const float* terms[5] = {};
  TermsAt(columns, taps, terms);
  for (size_t x = 0; x < n; ++x) StoreUnaligned(out + x, first[x] + WeightedSum(terms, taps.weights, taps.count, x));
}

void CannyMagnitudeRow(const int16_t* gx, const int16_t* gy, int32_t lowBound, int32_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) out[x] = CannyMagnitude(LoadUnaligned(gx + x), LoadUnaligned(gy + x), lowBound);
}

void CannySuppressRow(const int32_t* above, const int32_t* row, const int32_t* below, const int16_t* gx,
                      const int16_t* gy, float high, uint8_t* out, size_t n) {
  for (size_t x = 0; x < n; ++x) {
    out[x] = CannyClass(above + x, row + x, below + x, LoadUnaligned(gx + x), LoadUnaligned(gy + x), high);
  }
}

}  // namespace

#include "primitives/derivatives/derivatives_primitives-inl.h"

}  // namespace ryn::derivatives::generic
