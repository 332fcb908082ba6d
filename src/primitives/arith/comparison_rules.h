// The comparison operations and their per-pixel rule, shared by the generic code and the scalar
// tails of every processor build.
#pragma once

#include <cstdint>

namespace ryn::arith {

// The codes callers pass: the relation reads `first OP second`.
enum class Relation : int { kLess = 0, kLessOrEqual = 1, kEqual = 2, kGreaterOrEqual = 3, kGreater = 4 };

constexpr bool IsRelation(int operation) { return operation >= 0 && operation <= 4; }

// Greater-or-equal and greater are the lesser relations with the operands exchanged. On floats
// these are ordered comparisons: with a NaN operand no relation holds.
template <class T>
constexpr bool Holds(Relation relation, T first, T second) {
  switch (relation) {
    case Relation::kLess:
      return first < second;
    case Relation::kLessOrEqual:
      return first <= second;
    case Relation::kEqual:
      return first == second;
    case Relation::kGreaterOrEqual:
      return second <= first;
    case Relation::kGreater:
      return second < first;
  }
  return false;
}

constexpr uint8_t MaskByte(bool holds) { return holds ? 255 : 0; }

}  // namespace ryn::arith
