// A rectangle masked in a frame, and why: a fixed zone or motion.
#pragma once

#include <string_view>

#include "zones.h"

namespace ryn::privacy_mask {

enum class BoxSource { kZone, kMotion };

struct MaskedBox {
  Zone box;
  BoxSource source;
  friend bool operator==(const MaskedBox&, const MaskedBox&) = default;
};

// "zone" or "motion".
inline std::string_view SourceName(BoxSource source) { return source == BoxSource::kZone ? "zone" : "motion"; }

}  // namespace ryn::privacy_mask
