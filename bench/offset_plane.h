// 8-bit planes whose rows all start a chosen number of bytes past a 64-byte boundary, for the
// benchmarks that compare destinations at any address with aligned ones.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>

namespace ryn::bench {

// The destination offsets every such benchmark runs at: aligned, odd, and half a cache line off
// a 32-byte vector.
inline constexpr int kDestinationOffsets[] = {0, 1, 16};

class OffsetPlane {
 public:
  OffsetPlane(int width, int height, int offset)
      : step_((width + offset + 63) / 64 * 64),
        storage_(static_cast<uint8_t*>(std::aligned_alloc(64, static_cast<size_t>(step_) * height)), std::free),
        data_(storage_.get() + offset) {
    std::mt19937 rng(static_cast<uint32_t>(width * 31 + height));
    for (size_t i = 0; i < static_cast<size_t>(step_) * height; ++i) storage_.get()[i] = static_cast<uint8_t>(rng());
  }

  uint8_t* data() const { return data_; }
  int step() const { return step_; }

 private:
  int step_;
  std::unique_ptr<uint8_t, decltype(&std::free)> storage_;
  uint8_t* data_;
};

}  // namespace ryn::bench
