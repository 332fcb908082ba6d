// Privacy zones: parsed from "x,y,w,h", then placed on a frame (clipped to it, widened to the
// 4:2:0 grid, checked against the effect's block size).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ryn::privacy_mask {

// A rectangle in luma pixels; as given on the command line it may reach outside the frame.
struct Zone {
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;

  int64_t right() const { return x + width; }
  int64_t bottom() const { return y + height; }
  friend bool operator==(const Zone&, const Zone&) = default;
};

// "x,y,w,h" as written on the command line.
std::string ToString(const Zone& zone);

// Parses "x,y,w,h": four integers, width and height at least 1. Throws UsageError naming the text.
Zone ParseZone(std::string_view text);

struct FrameSize {
  int width = 0;
  int height = 0;
};

// What placing the zones said about them, for the user (clipped or widened zones).
struct ZonePlacement {
  std::vector<Zone> zones;
  std::vector<std::string> notes;
};

// Places every zone on the frame: a zone with no pixel in the frame is an error; one that reaches
// outside is clipped; the result is widened to even coordinates and sizes, because a chroma pair
// covers 2 x 2 luma pixels; the effect's block (or window) must then be strictly smaller than the
// zone in both directions. Throws ToolError naming the zone by its 1-based number.
ZonePlacement PlaceZones(const std::vector<Zone>& requested, FrameSize frame, int blockSize);

}  // namespace ryn::privacy_mask
