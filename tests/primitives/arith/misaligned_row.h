// A row of pixels at an address that is not a multiple of the pixel size, between guard bytes.
// The library reads and writes such pixels (steps need not be multiples of the pixel size);
// TestImage cannot hold them, since it reaches pixels through typed references.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ryn::test {

template <class T>
class MisalignedRow {
 public:
  static constexpr size_t kGuardBytes = 16;

  MisalignedRow(int width, uint8_t fill)
      : width_(static_cast<size_t>(width)), bytes_(width * sizeof(T) + 2 * kGuardBytes + 1, fill) {}

  // One byte past a 16-byte boundary of the heap block.
  T* data() { return reinterpret_cast<T*>(bytes_.data() + kGuardBytes + 1); }
  void Set(int x, T value) { std::memcpy(bytes_.data() + kGuardBytes + 1 + x * sizeof(T), &value, sizeof(T)); }
  std::vector<uint8_t> PixelBytes() const {
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(kGuardBytes + 1);
    return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(width_ * sizeof(T)));
  }
  // The bytes around the pixels still hold the fill.
  bool GuardsIntact(uint8_t fill) const {
    for (size_t i = 0; i < bytes_.size(); ++i) {
      const bool pixel = i >= kGuardBytes + 1 && i < kGuardBytes + 1 + width_ * sizeof(T);
      if (!pixel && bytes_[i] != fill) return false;
    }
    return true;
  }

 private:
  size_t width_;
  std::vector<uint8_t> bytes_;
};

}  // namespace ryn::test
