// Memory that ends just before an inaccessible page: an image placed there makes any read past its
// last byte fault at once.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "RynRAZUdidazoror.h"

namespace ryn::test {

namespace guarded_page_os {

#ifdef _WIN32
inline size_t PageSize() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
}
inline uint8_t* MapReadWrite(size_t bytes) {
  return static_cast<uint8_t*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}
inline bool MakeInaccessible(uint8_t* page, size_t bytes) {
  DWORD previous;
  return VirtualProtect(page, bytes, PAGE_NOACCESS, &previous) != 0;
}
inline void Unmap(uint8_t* base, size_t) { VirtualFree(base, 0, MEM_RELEASE); }
#else
inline size_t PageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }
inline uint8_t* MapReadWrite(size_t bytes) {
  void* base = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return base == MAP_FAILED ? nullptr : static_cast<uint8_t*>(base);
}
inline bool MakeInaccessible(uint8_t* page, size_t bytes) {
  return mprotect(page, bytes, PROT_NONE) == 0;
}
inline void Unmap(uint8_t* base, size_t bytes) { munmap(base, bytes); }
#endif

}  // namespace guarded_page_os

class GuardedBytes {
 public:
  // `bytes` usable bytes whose last one is followed by a page without access.
  explicit GuardedBytes(size_t bytes) : bytes_(bytes) {
    const size_t page = guarded_page_os::PageSize();
    const size_t usable = (bytes + page - 1) / page * page;
    mapped_ = usable + page;
    base_ = guarded_page_os::MapReadWrite(mapped_);
    if (base_ == nullptr) throw std::runtime_error("page mapping failed");
    if (!guarded_page_os::MakeInaccessible(base_ + usable, page)) {
      guarded_page_os::Unmap(base_, mapped_);
      throw std::runtime_error("page protection failed");
    }
    data_ = base_ + usable - bytes;
  }
  ~GuardedBytes() { guarded_page_os::Unmap(base_, mapped_); }
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
