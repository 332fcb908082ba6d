// Running a call under each processor build by name and requiring the generic build's results.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "frame/build.h"
#include "frame/dispatch.h"
#include "support/test_image.h"

namespace ryn::test {

// Routes every dispatched call to `build` for its lifetime, then rebinds to the processor.
class ScopedBuild {
 public:
  explicit ScopedBuild(Build build) { DispatchRegistration::ForceAllForTesting(build); }
  ~ScopedBuild() { DispatchRegistration::BindAllForHardware(); }
  ScopedBuild(const ScopedBuild&) = delete;
  ScopedBuild& operator=(const ScopedBuild&) = delete;
};

// The builds this processor runs, generic first. Says once per process which builds it skips.
inline std::vector<Build> RunnableBuilds() {
  static const std::vector<Build> runnable = [] {
    std::vector<Build> builds;
    for (Build b : kAllBuilds) {
      if (CanRun(b, HardwareTargets())) {
        builds.push_back(b);
      } else {
        std::cout << "[ SKIPPED  ] the " << BuildName(b) << " build: this processor cannot run it\n";
      }
    }
    return builds;
  }();
  return runnable;
}

// A different region prefill for the reference run and the build runs, so that a pixel which a
// build fails to write differs from the reference.
inline uint8_t SentinelFor(Build build) { return build == Build::kGeneric ? 0xA5 : 0x5A; }

// Calls body(build) under each build the processor runs.
template <class Body>
void ForEachBuild(Body&& body) {
  for (Build build : RunnableBuilds()) {
    SCOPED_TRACE(::testing::Message() << BuildName(build) << " build");
    ScopedBuild scoped(build);
    body(build);
  }
}

// The region of an image after a call, compared pixel by pixel.
struct Snapshot {
  int width = 0;
  int height = 0;
  int pixelBytes = 1;
  bool isFloat = false;
  bool isSigned = false;
  std::vector<uint8_t> bytes;

  bool operator==(const Snapshot&) const = default;
};

template <class T>
Snapshot Capture(const TestImage<T>& image) {
  return Snapshot{image.width(),          image.height(),        static_cast<int>(sizeof(T)),
                  std::is_floating_point_v<T>, std::is_signed_v<T>, image.RegionBytes()};
}

namespace detail {

inline std::string PixelText(const Snapshot& s, size_t index) {
  const uint8_t* p = s.bytes.data() + index * static_cast<size_t>(s.pixelBytes);
  std::ostringstream text;
  if (s.isFloat && s.pixelBytes == 4) {
    float f;
    uint32_t bits;
    std::memcpy(&f, p, 4);
    std::memcpy(&bits, p, 4);
    text << f << " (0x" << std::hex << bits << ")";
  } else if (s.isFloat && s.pixelBytes == 8) {
    double f;
    std::memcpy(&f, p, 8);
    text << f;
  } else {
    int64_t value = 0;
    std::memcpy(&value, p, static_cast<size_t>(s.pixelBytes));
    if (s.isSigned && s.pixelBytes < 8) {
      const int shift = 64 - 8 * s.pixelBytes;
      value = (value << shift) >> shift;
    }
    text << value;
  }
  return text.str();
}

inline std::string Difference(const Snapshot& expected, const Snapshot& got) {
  std::ostringstream text;
  if (expected.width != got.width || expected.height != got.height || expected.pixelBytes != got.pixelBytes) {
    text << "image " << got.width << "x" << got.height << " instead of " << expected.width << "x"
         << expected.height;
    return text.str();
  }
  const size_t pixels = static_cast<size_t>(expected.width) * static_cast<size_t>(expected.height);
  for (size_t i = 0; i < pixels; ++i) {
    const size_t at = i * static_cast<size_t>(expected.pixelBytes);
    if (std::memcmp(expected.bytes.data() + at, got.bytes.data() + at, static_cast<size_t>(expected.pixelBytes)) !=
        0) {
      text << expected.width << "x" << expected.height << " image, first difference at ("
           << i % static_cast<size_t>(expected.width) << ", " << i / static_cast<size_t>(expected.width)
           << "): expected " << PixelText(expected, i) << ", got " << PixelText(got, i);
      return text.str();
    }
  }
  return "no difference";
}

template <class T>
std::string Difference(const T& expected, const T& got) {
  return "expected " + ::testing::PrintToString(expected) + ", got " + ::testing::PrintToString(got);
}

template <class... T>
std::string Difference(const std::tuple<T...>& expected, const std::tuple<T...>& got) {
  std::string text;
  std::size_t index = 0;
  std::apply(
      [&](const auto&... e) {
        std::apply(
            [&](const auto&... g) {
              ((text.empty() && !(e == g) ? (text = "result " + std::to_string(index) + ": " + Difference(e, g))
                                          : text,
                ++index),
               ...);
            },
            got);
      },
      expected);
  return text;
}

}  // namespace detail

// Runs run(Build::kGeneric), then run(build) under every other build the processor runs, and
// expects each result to equal the generic one. `run` prepares its own inputs (prefilling
// destinations with SentinelFor(build)) and returns something comparable: statuses, Snapshots of
// its outputs, other values, or a tuple of them. A mismatch names the build and the first
// differing pixel.
template <class Run>
void ExpectBuildsMatchGeneric(Run&& run) {
  const auto reference = [&] {
    ScopedBuild scoped(Build::kGeneric);
    return run(Build::kGeneric);
  }();
  for (Build build : RunnableBuilds()) {
    if (build == Build::kGeneric) continue;
    ScopedBuild scoped(build);
    const auto result = run(build);
    if (!(result == reference)) {
      ADD_FAILURE() << "the " << BuildName(build) << " build differs from the generic build: "
                    << detail::Difference(reference, result);
    }
  }
}

}  // namespace ryn::test
