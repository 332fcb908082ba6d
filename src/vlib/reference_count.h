// Reference-counted objects: an atomic count that starts at 0; the release that brings it back
// to 0 runs the object's last-release operation and destroys the object.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

#include "vlib/non_copyable.h"

namespace VLib {

class VirtualReferenceCountBaseClass : private NonCopyable {
 public:
  // Both return the new count.
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;
  virtual uint32_t ReferenceCount() const = 0;

 protected:
  virtual ~VirtualReferenceCountBaseClass() = default;
};

template <class Base>
class ReferenceBaseClass : public virtual Base {
 public:
  uint32_t AddRef() override { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }

  uint32_t Release() override {
    const uint32_t count = count_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (count == 0) {
      LastRelease();
      delete this;
    }
    return count;
  }

  uint32_t ReferenceCount() const override { return count_.load(std::memory_order_acquire); }

 protected:
  // Runs once, just before the object is destroyed by its last release.
  virtual void LastRelease() {}

 private:
  std::atomic<uint32_t> count_{0};
};

// Holds one reference to a reference-counted object.
template <class T>
class ReferencePointer {
 public:
  ReferencePointer() = default;
  explicit ReferencePointer(T* object) : object_(object) {
    if (object_ != nullptr) object_->AddRef();
  }
  ReferencePointer(const ReferencePointer& other) : ReferencePointer(other.object_) {}
  ReferencePointer(ReferencePointer&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ReferencePointer& operator=(ReferencePointer other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ReferencePointer() { Reset(); }

  void Reset() {
    if (T* object = std::exchange(object_, nullptr)) object->Release();
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

}  // namespace VLib
