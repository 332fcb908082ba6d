#include "fuzz/fuzz_buffer.h"

#include <sanitizer/asan_interface.h>

#include <cmath>
#include <cstring>

namespace ryn::fuzz {

Buffer::Buffer(size_t bytes, size_t offset, Access access, ElementKind kind)
    : bytes_(bytes),
      offset_(offset),
      access_(access),
      kind_(kind),
      allocation_(new uint8_t[offset + bytes]),
      data_(allocation_.get() + offset),
      initial_(bytes, 0) {
  ASAN_POISON_MEMORY_REGION(allocation_.get(), offset_);
}

Buffer::~Buffer() { ASAN_UNPOISON_MEMORY_REGION(allocation_.get(), offset_); }

void Buffer::Reset() {
  if (bytes_ > 0) std::memcpy(data_, initial_.data(), bytes_);
}

namespace {

// True when both elements are NaNs (of any payload or sign).
template <class F>
bool SameFloat(const uint8_t* a, const uint8_t* b) {
  F x, y;
  std::memcpy(&x, a, sizeof(F));
  std::memcpy(&y, b, sizeof(F));
  return std::isnan(x) && std::isnan(y);
}

}  // namespace

int64_t Buffer::FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const {
  const size_t element = kind_ == ElementKind::kFloat32 ? 4 : kind_ == ElementKind::kFloat64 ? 8 : 1;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    // Rows may start at any byte (a step that is not a multiple of the element), so a differing
    // byte is forgiven when some element-sized window around it is a NaN in both runs.
    bool bothNaN = false;
    for (size_t start = i >= element - 1 ? i - (element - 1) : 0; start <= i && !bothNaN; ++start) {
      if (element == 1 || start + element > a.size()) break;
      bothNaN = element == 4 ? SameFloat<float>(a.data() + start, b.data() + start)
                             : SameFloat<double>(a.data() + start, b.data() + start);
    }
    if (!bothNaN) return static_cast<int64_t>(i / element);
  }
  return -1;
}

}  // namespace ryn::fuzz
