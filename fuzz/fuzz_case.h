// One decoded call: the buffers it works on, the call itself, and what may legitimately differ
// between runs. An entry decodes everything once; the runner then repeats the call under every
// processor build from the same starting bytes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "fuzz/fuzz_buffer.h"
#include "fuzz/fuzz_input.h"

namespace ryn::fuzz {

// Extra pixels an export reads around its region (a filter's neighbourhood).
struct Margin {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
inline Margin Around(int radius) { return Margin{radius, radius, radius, radius}; }

template <class T>
struct ImageArg {
  T* p = nullptr;
  int step = 0;
};

// What the caller's buffers start with.
enum class Content { kRandom, kZero, kBinary, kSmall, kFull };

class FuzzCase {
 public:
  // More than this in one call is not run, to keep the fuzzer fast; it holds one frame of the
  // largest pixelation blocks (2048 x 2048 luma and its chroma).
  static constexpr int64_t kMaxBytes = int64_t{8} << 20;
  static constexpr int64_t kMaxOperations = int64_t{1} << 24;

  explicit FuzzCase(FuzzInput& in) : in_(in) {}

  FuzzInput& in() { return in_; }

  // An image of `channels` elements of T per pixel covering `region` plus `margin`; its step,
  // null-ness, alignment and content are decoded from the input.
  template <class T>
  ImageArg<T> Image(IppiSize region, int channels, Access access, Margin margin = {}) {
    return ImageWithStep<T>(region, channels, access, DecodeStep<T>(region, channels, margin), margin);
  }
  // A step decoded for such an image, for exports that take one step for several images.
  template <class T>
  int DecodeStep(IppiSize region, int channels, Margin margin = {}) {
    return in_.Step(RowBytes<T>(region, channels, margin), sizeof(T));
  }
  // An image with the given step.
  template <class T>
  ImageArg<T> ImageWithStep(IppiSize region, int channels, Access access, int step, Margin margin = {}) {
    const int64_t cols = Positive(region.width) ? int64_t{region.width} + margin.left + margin.right : 0;
    const int64_t rows = Positive(region.height) ? int64_t{region.height} + margin.top + margin.bottom : 0;
    const int64_t rowBytes = RowBytes<T>(region, channels, margin);
    ImageArg<T> image;
    image.step = step;
    if (in_.Flag(48)) return image;  // a null pointer
    const int64_t span = std::abs(int64_t{image.step});
    const int64_t bytes = rows > 0 && cols > 0 ? (rows - 1) * span + rowBytes : 0;
    // The region counts against the byte limit, not only its buffer: with a step of 0 a million
    // rows share one row of buffer, and the call still does a million rows of work.
    if (rowBytes > 0 && rows > kMaxBytes / rowBytes) {
      skipped_ = true;
      return image;
    }
    Buffer* buffer = NewBuffer<T>(bytes, access);
    if (buffer == nullptr) return image;
    if (access == Access::kWrite && rows > 1 && span < rowBytes) overlappingRows_ = true;
    uint8_t* origin = buffer->data() + (image.step < 0 ? (rows - 1) * span : 0);
    image.p = reinterpret_cast<T*>(origin + int64_t{margin.top} * image.step +
                                   int64_t{margin.left} * channels * static_cast<int64_t>(sizeof(T)));
    if (bytes == 0) image.p = reinterpret_cast<T*>(buffer->data());
    return image;
  }

  // `count` elements (none when count is not positive), or null.
  template <class T>
  T* Vector(int64_t count, Access access) {
    if (in_.Flag(48)) return nullptr;
    Buffer* buffer = NewBuffer<T>(count > 0 ? count * static_cast<int64_t>(sizeof(T)) : 0, access);
    return buffer == nullptr ? nullptr : reinterpret_cast<T*>(buffer->data());
  }
  // One output element, or null.
  template <class T>
  T* Out() {
    return Vector<T>(1, Access::kWrite);
  }
  // Elements with the given values (pointer arrays, tables), or null.
  template <class T>
  T* Array(std::initializer_list<T> values) {
    if (in_.Flag(48)) return nullptr;
    Buffer* buffer = NewBuffer<T>(static_cast<int64_t>(values.size() * sizeof(T)), Access::kRead, false);
    if (buffer == nullptr) return nullptr;
    if (values.size() > 0) std::memcpy(buffer->initial().data(), values.begin(), values.size() * sizeof(T));
    return reinterpret_cast<T*>(buffer->data());
  }

  // The call, returning its status (or another result, see ResultIsNotStatus).
  void Call(std::function<int64_t()> call) { call_ = std::move(call); }
  // Run before and after each repetition of the call (objects the call needs fresh each time).
  void Setup(std::function<void()> setup) { setup_ = std::move(setup); }
  void Teardown(std::function<void()> teardown) { teardown_ = std::move(teardown); }

  // The call returns something other than a status (a pointer, a flag, nothing).
  void ResultIsNotStatus() { resultIsStatus_ = false; }
  // The call's outputs differ between runs by design (addresses); only memory safety is checked.
  void ResultsDiffer() { comparable_ = false; }
  // The export fills its outputs even when it fails.
  void WritesOnError() { writesOnError_ = true; }
  // The call makes no sense to run (decoded arguments would exhaust memory).
  void Skip() { skipped_ = true; }
  // Skips a call that would do more than kMaxOperations of work: a large kernel over a large
  // region fits the byte limit, yet takes minutes under the sanitizers on every build.
  void LimitWork(IppiSize region, int64_t operationsPerPixel) {
    if (region.width <= 0 || region.height <= 0 || operationsPerPixel <= 0) return;
    if (int64_t{region.width} * region.height > kMaxOperations / operationsPerPixel) skipped_ = true;
  }

  // Storage owned by the case, for objects that setup and teardown share with the call.
  template <class T>
  T* Keep(T value) {
    auto holder = std::make_shared<T>(value);
    kept_.push_back(holder);
    return holder.get();
  }

  std::vector<std::unique_ptr<Buffer>>& buffers() { return buffers_; }
  const std::function<int64_t()>& call() const { return call_; }
  void RunSetup() const { if (setup_) setup_(); }
  void RunTeardown() const { if (teardown_) teardown_(); }
  bool resultIsStatus() const { return resultIsStatus_; }
  bool comparable() const { return comparable_ && !overlappingRows_; }
  bool writesOnError() const { return writesOnError_; }
  bool skipped() const { return skipped_ || !call_; }

 private:
  static bool Positive(int v) { return v > 0; }
  template <class T>
  static int64_t RowBytes(IppiSize region, int channels, Margin margin) {
    const int64_t cols = Positive(region.width) ? int64_t{region.width} + margin.left + margin.right : 0;
    return cols * channels * static_cast<int64_t>(sizeof(T));
  }

  template <class T>
  Buffer* NewBuffer(int64_t bytes, Access access, bool fill = true) {
    // Checked before adding: two buffers of nearly 2^62 bytes would overflow the total.
    if (bytes > kMaxBytes || totalBytes_ + bytes > kMaxBytes) {
      skipped_ = true;
      return nullptr;
    }
    totalBytes_ += bytes;
    const ElementKind kind = std::is_same_v<T, float>    ? ElementKind::kFloat32
                             : std::is_same_v<T, double> ? ElementKind::kFloat64
                                                         : ElementKind::kBytes;
    const size_t offset = in_.Flag(4) ? 1 + in_.Byte() % 63 : 0;
    buffers_.push_back(std::make_unique<Buffer>(static_cast<size_t>(bytes), offset, access, kind));
    Buffer* buffer = buffers_.back().get();
    if (fill) FillContent<T>(*buffer);
    return buffer;
  }

  template <class T>
  void FillContent(Buffer& buffer) {
    const auto content = static_cast<Content>(in_.Byte() % 5);
    uint64_t state = 0x9E3779B97F4A7C15ull ^ (uint64_t{in_.Byte()} << 8 | in_.Byte());
    auto next = [&state] {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      return state;
    };
    auto& bytes = buffer.initial();
    if constexpr (std::is_floating_point_v<T>) {
      const size_t count = bytes.size() / sizeof(T);
      for (size_t i = 0; i < count; ++i) {
        T value = content == Content::kZero    ? T(0)
                  : content == Content::kBinary ? T(next() % 2)
                  : content == Content::kSmall  ? T(static_cast<int>(next() % 7) - 3)
                  : content == Content::kFull   ? T(255)
                                                : T(static_cast<int32_t>(next() % 200001) - 100000) / T(64);
        std::memcpy(bytes.data() + i * sizeof(T), &value, sizeof(T));
      }
    } else {
      for (auto& b : bytes) {
        b = content == Content::kZero     ? 0
            : content == Content::kBinary ? (next() % 4 == 0 ? 255 : 0)
            : content == Content::kSmall  ? static_cast<uint8_t>(next() % 4)
            : content == Content::kFull   ? 255
                                          : static_cast<uint8_t>(next());
      }
    }
  }

  FuzzInput& in_;
  std::vector<std::unique_ptr<Buffer>> buffers_;
  std::vector<std::shared_ptr<void>> kept_;
  std::function<int64_t()> call_;
  std::function<void()> setup_;
  std::function<void()> teardown_;
  int64_t totalBytes_ = 0;
  bool resultIsStatus_ = true;
  bool comparable_ = true;
  bool overlappingRows_ = false;
  bool writesOnError_ = false;
  bool skipped_ = false;
};

}  // namespace ryn::fuzz
