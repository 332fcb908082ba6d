#include "zones.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <sstream>

#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

constexpr int64_t kLargestCoordinate = std::numeric_limits<int32_t>::max();

bool ParseCoordinate(std::string_view text, int64_t& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && value >= -kLargestCoordinate && value <= kLargestCoordinate;
}

std::string FrameText(FrameSize frame) {
  return std::to_string(frame.width) + "x" + std::to_string(frame.height);
}

std::string Describe(int number, const Zone& zone) {
  return "zone " + std::to_string(number) + " (" + ToString(zone) + ")";
}

int64_t EvenBelow(int64_t value) { return value & ~int64_t{1}; }
int64_t EvenAbove(int64_t value) { return (value + 1) & ~int64_t{1}; }

}  // namespace

std::string ToString(const Zone& zone) {
  std::ostringstream text;
  text << zone.x << ',' << zone.y << ',' << zone.width << ',' << zone.height;
  return text.str();
}

Zone ParseZone(std::string_view text) {
  int64_t values[4];
  std::string_view rest = text;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = i < 3 ? rest.find(',') : rest.size();
    if (comma == std::string_view::npos || !ParseCoordinate(rest.substr(0, comma), values[i]))
      throw UsageError("bad zone '" + std::string(text) + "': expected x,y,w,h (four integers)");
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  const Zone zone{values[0], values[1], values[2], values[3]};
  if (zone.width < 1 || zone.height < 1)
    throw UsageError("bad zone '" + std::string(text) + "': width and height must be at least 1");
  return zone;
}

ZonePlacement PlaceZones(const std::vector<Zone>& requested, FrameSize frame, int blockSize) {
  ZonePlacement placement;
  for (size_t i = 0; i < requested.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const Zone& asked = requested[i];
    const Zone clipped{std::max<int64_t>(asked.x, 0), std::max<int64_t>(asked.y, 0), 0, 0};
    const int64_t right = std::min<int64_t>(asked.right(), frame.width);
    const int64_t bottom = std::min<int64_t>(asked.bottom(), frame.height);
    if (right <= clipped.x || bottom <= clipped.y)
      throw ToolError(Describe(number, asked) + " lies outside the " + FrameText(frame) + " frame");

    // The frame's sides are even, so widening to even bounds stays inside it.
    const int64_t left = EvenBelow(clipped.x);
    const int64_t top = EvenBelow(clipped.y);
    const Zone placed{left, top, EvenAbove(right) - left, EvenAbove(bottom) - top};

    const bool wasClipped = right < asked.right() || bottom < asked.bottom() || asked.x < 0 || asked.y < 0;
    if (wasClipped)
      placement.notes.push_back(Describe(number, asked) + " reaches outside the " + FrameText(frame) +
                                " frame: clipped to " + ToString(placed));
    else if (placed != asked)
      placement.notes.push_back(Describe(number, asked) + " widened to even bounds for 4:2:0 chroma: " +
                                ToString(placed));

    if (blockSize >= placed.width || blockSize >= placed.height)
      throw ToolError(Describe(number, placed) + " is too small for " + std::to_string(blockSize) + "x" +
                      std::to_string(blockSize) + " masking: it must be wider and taller than " +
                      std::to_string(blockSize) + " pixels");
    placement.zones.push_back(placed);
  }
  return placement;
}

}  // namespace ryn::privacy_mask
