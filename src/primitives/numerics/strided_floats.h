// Vectors and matrices of floats that live inside a caller's records: element (i, j) lies at
// base + i x rowStride + j x elementStride bytes, element k of a vector at base + k x
// elementStride. Strides are checked before a view is made; offsets are formed in 64 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "frame/unaligned.h"

namespace ryn::numerics {

template <class Float>  // float, or const float for sources
class StridedFloats {
 public:
  StridedFloats(Float* base, int rowStride, int elementStride)
      : base_(base), rowStride_(rowStride), elementStride_(elementStride) {}
  // A vector: one row.
  StridedFloats(Float* base, int elementStride) : StridedFloats(base, 0, elementStride) {}

  float operator()(int64_t i, int64_t j) const { return LoadUnaligned(Address(i, j)); }
  float operator[](int64_t k) const { return (*this)(0, k); }
  void Set(int64_t i, int64_t j, float value) const { StoreUnaligned(Address(i, j), value); }
  void Set(int64_t k, float value) const { Set(0, k, value); }

  // The view moved by `bytes`: the next matrix of an array.
  StridedFloats Shifted(int64_t bytes) const {
    return StridedFloats(reinterpret_cast<Float*>(Bytes() + bytes), rowStride_, elementStride_);
  }

 private:
  using Byte = std::conditional_t<std::is_const_v<Float>, const uint8_t, uint8_t>;
  Byte* Bytes() const { return reinterpret_cast<Byte*>(base_); }
  Float* Address(int64_t i, int64_t j) const {
    return reinterpret_cast<Float*>(Bytes() + i * rowStride_ + j * elementStride_);
  }

  Float* base_;
  int64_t rowStride_;
  int64_t elementStride_;
};

using SourceFloats = StridedFloats<const float>;
using DestinationFloats = StridedFloats<float>;

}  // namespace ryn::numerics
