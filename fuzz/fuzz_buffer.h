// A caller's memory as the fuzzer hands it to an export: exactly the bytes the decoded arguments
// describe, ending where the allocation ends, so that AddressSanitizer reports any access past
// the last byte the contract allows. The start may sit a few bytes into the allocation (an
// unaligned row); those bytes are poisoned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ryn::fuzz {

enum class Access { kRead, kWrite };

// How the elements of a buffer compare between two runs: floats compare NaN equal to any NaN,
// since builds may differ in the payload of a NaN they produce.
enum class ElementKind { kBytes, kFloat32, kFloat64 };

class Buffer {
 public:
  Buffer(size_t bytes, size_t offset, Access access, ElementKind kind);
  ~Buffer();
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  uint8_t* data() { return data_; }
  size_t size() const { return bytes_; }
  bool written() const { return access_ == Access::kWrite; }

  // The content each run starts from.
  std::vector<uint8_t>& initial() { return initial_; }
  void Reset();
  std::vector<uint8_t> Contents() const { return std::vector<uint8_t>(data_, data_ + bytes_); }
  // The index (in elements from the start) of the first difference between `a` and `b`, or -1;
  // NaNs compare equal to any NaN.
  int64_t FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const;

 private:
  size_t bytes_;
  size_t offset_;
  Access access_;
  ElementKind kind_;
  std::unique_ptr<uint8_t[]> allocation_;
  uint8_t* data_;
  std::vector<uint8_t> initial_;
};

}  // namespace ryn::fuzz
