// Timing one operation under each processor build: the generic code against every build the
// processor runs, called through the operation's export on a 1920 x 1080 frame. Names follow
// "build/<operation>/<build name>", which scripts/bench turns into a table of speed-ups.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench_pairs.h"
#include "frame/build.h"
#include "frame/dispatch.h"
#include "frame/targets.h"

namespace ryn::bench {

inline constexpr FrameSize kBuildFrame = {1920, 1080};

inline IppiSize Roi(FrameSize s) { return IppiSize{s.width, s.height}; }

// Every dispatched call runs `build` while the benchmark runs; the processor's own binding after.
class BuildInForce {
 public:
  explicit BuildInForce(Build build) { DispatchRegistration::ForceAllForTesting(build); }
  ~BuildInForce() { DispatchRegistration::BindAllForHardware(); }
  BuildInForce(const BuildInForce&) = delete;
  BuildInForce& operator=(const BuildInForce&) = delete;
};

// Registers build/<operation>/<build> for each build the processor runs, generic first; `setup`
// runs once per benchmark and returns the loop body, which does one operation.
inline void EachBuild(const std::string& operation, BodyFactory setup) {
  for (Build build : kAllBuilds) {
    if (!CanRun(build, HardwareTargets())) continue;
    const std::string name = "build/" + operation + "/" + BuildName(build);
    benchmark::RegisterBenchmark(name.c_str(), [build, setup](benchmark::State& state) {
      const BuildInForce inForce(build);
      const std::function<void()> body = setup(kBuildFrame);
      for (auto _ : state) {
        body();
        benchmark::ClobberMemory();
      }
    })->Unit(benchmark::kMicrosecond);
  }
}

// Pixels of a frame, 64-byte aligned, rows without padding.
template <class T>
OffsetBuffer RandomPixels(FrameSize s, uint32_t seed, T low, T high) {
  const size_t count = size_t(s.width) * s.height;
  OffsetBuffer buffer = BufferAt(count * sizeof(T), 0);
  std::mt19937 rng(seed);
  T* pixels = reinterpret_cast<T*>(buffer.data);
  for (size_t i = 0; i < count; ++i) {
    if constexpr (std::is_floating_point_v<T>) {
      pixels[i] = std::uniform_real_distribution<T>(low, high)(rng);
    } else {
      pixels[i] = static_cast<T>(std::uniform_int_distribution<int>(low, high)(rng));
    }
  }
  return buffer;
}

// A mask selecting the centre quarter of the frame.
inline OffsetBuffer CentreMask(FrameSize s) {
  OffsetBuffer mask = BufferAt(size_t(s.width) * s.height, 0);
  for (int y = s.height / 4; y < s.height * 3 / 4; ++y) {
    for (int x = s.width / 4; x < s.width * 3 / 4; ++x) mask.data[size_t(y) * s.width + x] = 1;
  }
  return mask;
}

}  // namespace ryn::bench
