// A single-channel plane in a 32-byte aligned block of the library, freed with the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "RynRAZUdidazoror.h"
#include "tool_error.h"

namespace ryn::privacy_mask {

template <class Sample>
class LibraryPlane {
 public:
  // Throws ToolError when the library cannot allocate the plane.
  LibraryPlane(int width, int height) : width_(width), height_(height), data_(Allocate(width, height, step_)) {
    if (!data_)
      throw ToolError("out of memory for a " + std::to_string(width) + "x" + std::to_string(height) + " plane");
  }

  int width() const { return width_; }
  int height() const { return height_; }
  IppiSize size() const { return IppiSize{width_, height_}; }
  int step() const { return step_; }  // in bytes
  Sample* data() { return data_.get(); }
  const Sample* data() const { return data_.get(); }
  Sample* row(int y) { return reinterpret_cast<Sample*>(reinterpret_cast<uint8_t*>(data()) + Offset(y)); }
  const Sample* row(int y) const {
    return reinterpret_cast<const Sample*>(reinterpret_cast<const uint8_t*>(data()) + Offset(y));
  }

 private:
  struct LibraryFree {
    void operator()(Sample* block) const { fnVCAIPP_Free(block); }
  };

  static Sample* Allocate(int width, int height, int& step) {
    if constexpr (std::is_same_v<Sample, float>)
      return fnVCAIPP_Malloc_32f_C1(width, height, &step);
    else
      return fnVCAIPP_Malloc_8u_C1(width, height, &step);
  }
  ptrdiff_t Offset(int y) const { return static_cast<ptrdiff_t>(y) * step_; }

  int width_;
  int height_;
  int step_ = 0;
  std::unique_ptr<Sample, LibraryFree> data_;
};

using BytePlane = LibraryPlane<uint8_t>;
using FloatPlane = LibraryPlane<float>;

}  // namespace ryn::privacy_mask
