// Benchmarks come in pairs: our export and a peer (memset, memcpy, OpenCV) doing the same work on
// the same data. Names follow "ours/<operation>/<size>" and "peer/<peer name>/<operation>/<size>",
// which scripts/bench turns into one table of ratios.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ryn::bench {

struct FrameSize {
  int width;
  int height;
};

inline std::string SizeName(FrameSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// `setup(size)` runs once per benchmark and returns the loop body, which does one operation.
using BodyFactory = std::function<std::function<void()>(FrameSize)>;

// Registers one benchmark; `bytes(size)` is the traffic of one operation, for bytes per second.
inline void Register(const std::string& name, FrameSize size, BodyFactory setup,
                     std::function<int64_t(FrameSize)> bytes) {
  benchmark::RegisterBenchmark(name.c_str(), [size, setup, bytes](benchmark::State& state) {
    const std::function<void()> body = setup(size);
    for (auto _ : state) {
      body();
      benchmark::ClobberMemory();
    }
    if (bytes) state.SetBytesProcessed(state.iterations() * bytes(size));
  })->Unit(benchmark::kMicrosecond);
}

inline void Ours(const std::string& operation, FrameSize size, BodyFactory setup,
                 std::function<int64_t(FrameSize)> bytes = {}) {
  Register("ours/" + operation + "/" + SizeName(size), size, std::move(setup), std::move(bytes));
}

inline void Peer(const std::string& peer, const std::string& operation, FrameSize size, BodyFactory setup,
                 std::function<int64_t(FrameSize)> bytes = {}) {
  Register("peer/" + peer + "/" + operation + "/" + SizeName(size), size, std::move(setup), std::move(bytes));
}

// Zeroed memory whose first byte lies `offset` bytes past a 64-byte boundary: images and vectors
// at the addresses callers' regions start at (a zone inside a frame, a plane from another
// allocator). `data` stays valid while `storage` lives.
struct OffsetBuffer {
  std::shared_ptr<std::vector<uint8_t>> storage;
  uint8_t* data;
};

inline OffsetBuffer BufferAt(size_t bytes, size_t offset) {
  auto storage = std::make_shared<std::vector<uint8_t>>(bytes + 64 + offset);
  const size_t toBoundary = (64 - reinterpret_cast<uintptr_t>(storage->data()) % 64) % 64;
  uint8_t* data = storage->data() + toBoundary + offset;
  return OffsetBuffer{std::move(storage), data};
}

// The offsets past a 64-byte boundary at which memory-bound operations are measured.
inline constexpr int kOffsets[] = {0, 1, 16};

inline std::string AtOffset(const std::string& operation, int offset) {
  return operation + " offset " + std::to_string(offset);
}

// Runs `registerAll` before main's benchmark run.
struct Registration {
  explicit Registration(void (*registerAll)()) { registerAll(); }
};

}  // namespace ryn::bench
