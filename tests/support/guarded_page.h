// Memory that ends just before an inaccessible page: an image placed there makes any read past its
// last byte fault at once.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "RynRAZUdidazoror.h"

namespace ryn::test {

class GuardedBytes {
 public:
  // `bytes` usable bytes whose last one is followed by a page without access.
  explicit GuardedBytes(size_t bytes) : bytes_(bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t usable = (bytes + page - 1) / page * page;
    mapped_ = usable + page;
    void* base = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) throw std::runtime_error("mmap failed");
    base_ = static_cast<uint8_t*>(base);
    if (mprotect(base_ + usable, page, PROT_NONE) != 0) throw std::runtime_error("mprotect failed");
    data_ = base_ + usable - bytes;
  }
  ~GuardedBytes() { munmap(base_, mapped_); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  uint8_t* data() { return data_; }
  size_t size() const { return bytes_; }

 private:
  size_t bytes_;
  size_t mapped_ = 0;
  uint8_t* base_ = nullptr;
  uint8_t* data_ = nullptr;
};

// A width x height 8-bit image whose last row ends exactly at an inaccessible page; rows are
// `step` bytes apart (the last row holds only `width` bytes).
class GuardedImage {
 public:
  GuardedImage(int width, int height, int step)
      : width_(width),
        height_(height),
        step_(step),
        memory_(static_cast<size_t>(step) * (height - 1) + static_cast<size_t>(width)) {}
  uint8_t* data() { return memory_.data(); }
  int step() const { return step_; }
  IppiSize size() const { return IppiSize{width_, height_}; }
  uint8_t& at(int x, int y) { return memory_.data()[static_cast<size_t>(y) * step_ + x]; }

 private:
  int width_, height_, step_;
  GuardedBytes memory_;
};

}  // namespace ryn::test
