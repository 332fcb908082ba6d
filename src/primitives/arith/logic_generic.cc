// The generic logic, thresholds, comparisons and lookup: plain C++, the reference for every
// processor build.
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/arith/comparison_rules.h"
#include "primitives/arith/linear_table.h"
#include "primitives/arith/logic.h"
#include "primitives/arith/logic_checks.h"

namespace ryn::arith::generic {
namespace {

void AndRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = a[i] & b[i];
}
void OrRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = a[i] | b[i];
}
void XorRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = a[i] ^ b[i];
}
void NotRow(const uint8_t* source, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = static_cast<uint8_t>(~source[i]);
}
void MinRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = a[i] < b[i] ? a[i] : b[i];
}
void MaxRow(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n) {
  for (size_t i = 0; i < n; ++i) destination[i] = a[i] > b[i] ? a[i] : b[i];
}

void RaiseToRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t threshold) {
  for (size_t i = 0; i < n; ++i) destination[i] = source[i] < threshold ? threshold : source[i];
}
void LowerToRow8u(const uint8_t* source, uint8_t* destination, size_t n, uint8_t threshold) {
  for (size_t i = 0; i < n; ++i) destination[i] = source[i] > threshold ? threshold : source[i];
}
void RaiseToRow32f(float* row, size_t n, float threshold) {
  for (size_t i = 0; i < n; ++i) {
    if (LoadUnaligned(row + i) < threshold) StoreUnaligned(row + i, threshold);
  }
}
void LowerToRow32f(float* row, size_t n, float threshold) {
  for (size_t i = 0; i < n; ++i) {
    if (LoadUnaligned(row + i) > threshold) StoreUnaligned(row + i, threshold);
  }
}
void ReplaceBelowRow8u(uint8_t* row, size_t n, uint8_t threshold, uint8_t value) {
  for (size_t i = 0; i < n; ++i) {
    if (row[i] < threshold) row[i] = value;
  }
}
void ReplaceAboveRow8u(uint8_t* row, size_t n, uint8_t threshold, uint8_t value) {
  for (size_t i = 0; i < n; ++i) {
    if (row[i] > threshold) row[i] = value;
  }
}
void BandRow8u(uint8_t* row, size_t n, uint8_t lower, uint8_t lowerValue, uint8_t upper, uint8_t upperValue) {
  for (size_t i = 0; i < n; ++i) {
    if (row[i] < lower) {
      row[i] = lowerValue;
    } else if (row[i] > upper) {
      row[i] = upperValue;
    }
  }
}

void CompareRow8u(const uint8_t* a, const uint8_t* b, uint8_t* destination, size_t n, Relation relation) {
  for (size_t i = 0; i < n; ++i) destination[i] = MaskByte(Holds(relation, a[i], b[i]));
}
void CompareRow32f(const float* a, const float* b, uint8_t* destination, size_t n, Relation relation) {
  for (size_t i = 0; i < n; ++i) {
    destination[i] = MaskByte(Holds(relation, LoadUnaligned(a + i), LoadUnaligned(b + i)));
  }
}
void CompareConstRow8u(const uint8_t* source, uint8_t value, uint8_t* destination, size_t n, Relation relation) {
  for (size_t i = 0; i < n; ++i) destination[i] = MaskByte(Holds(relation, source[i], value));
}
void CompareConstRow32f(const float* source, float value, uint8_t* destination, size_t n, Relation relation) {
  for (size_t i = 0; i < n; ++i) destination[i] = MaskByte(Holds(relation, LoadUnaligned(source + i), value));
}

// The generic lookup uses the table as it is.
const uint8_t* PrepareLookUp(const uint8_t* table) { return table; }
void LookUpRow(const uint8_t* source, uint8_t* destination, size_t n, const uint8_t* table) {
  for (size_t i = 0; i < n; ++i) destination[i] = table[source[i]];
}

}  // namespace

#include "primitives/arith/compare_primitives-inl.h"
#include "primitives/arith/logic_primitives-inl.h"
#include "primitives/arith/lookup_primitives-inl.h"
#include "primitives/arith/threshold_primitives-inl.h"

}  // namespace ryn::arith::generic
