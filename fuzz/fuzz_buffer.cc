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

template <class F>
bool SameFloat(const uint8_t* a, const uint8_t* b) {
  F x, y;
  std::memcpy(&x, a, sizeof(F));
  std::memcpy(&y, b, sizeof(F));
  if (std::isnan(x) && std::isnan(y)) return true;
  return std::memcmp(a, b, sizeof(F)) == 0;
}

}  // namespace

int64_t Buffer::FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const {
  const size_t element = kind_ == ElementKind::kFloat32 ? 4 : kind_ == ElementKind::kFloat64 ? 8 : 1;
  const size_t count = a.size() / element;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* x = a.data() + i * element;
    const uint8_t* y = b.data() + i * element;
    const bool same = kind_ == ElementKind::kFloat32   ? SameFloat<float>(x, y)
                      : kind_ == ElementKind::kFloat64 ? SameFloat<double>(x, y)
                                                       : *x == *y;
    if (!same) return static_cast<int64_t>(i);
  }
  // Bytes past the last whole element (a step that is not a multiple of the element).
  for (size_t i = count * element; i < a.size(); ++i) {
    if (a[i] != b[i]) return static_cast<int64_t>(i / element);
  }
  return -1;
}

}  // namespace ryn::fuzz
