// Benchmarks come in pairs: our export and a peer (memset, memcpy, OpenCV) doing the same work on
// the same data. Names follow "ours/<operation>/<size>" and "peer/<peer name>/<operation>/<size>",
// which scripts/bench turns into one table of ratios.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

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

// Runs `registerAll` before main's benchmark run.
struct Registration {
  explicit Registration(void (*registerAll)()) { registerAll(); }
};

}  // namespace ryn::bench
