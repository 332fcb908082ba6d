// A pair of frames like consecutive frames of compressed surveillance video, for the mosquito
// filter: flat walls and floor in a few levels, object outlines with the ringing that compression
// leaves beside them, sensor noise, and between the frames a moving object and slight flicker.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>

#include "bench_pairs.h"

namespace ryn::bench {

struct FramePair {
  OffsetBuffer reference;
  OffsetBuffer cleaned;
};

inline FramePair DecodedVideoFrames(FrameSize s) {
  const size_t count = size_t(s.width) * s.height;
  FramePair frames{BufferAt(count, 0), BufferAt(count, 0)};
  std::mt19937 rng(7);
  auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  auto clamp = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  uint8_t* reference = frames.reference.data;
  uint8_t* cleaned = frames.cleaned.data;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      // Regions of 160 x 120 in one of four levels, with outlines every so often.
      const int region = (x / 160) * 7 + (y / 120) * 3;
      int value = 40 + 50 * (region % 4);
      const int dx = x % 160, dy = y % 120;
      const int fromOutline = std::min({dx, 159 - dx, dy, 119 - dy});
      if (region % 3 == 0 && fromOutline == 0) value += 90;
      if (region % 3 == 0 && fromOutline > 0 && fromOutline < 4) value += fromOutline % 2 ? 4 : -4;  // ringing
      value += uniform(0, 9) < 3 ? uniform(-1, 1) : 0;
      reference[size_t(y) * s.width + x] = clamp(value);
      // A moving object in the middle, slight flicker in the lower half.
      const bool object = x > 800 && x < 1000 && y > 400 && y < 600;
      cleaned[size_t(y) * s.width + x] = clamp(value + (object ? 60 : 0) + (y > s.height / 2 ? uniform(-2, 2) : 0));
    }
  }
  return frames;
}

}  // namespace ryn::bench
