// Which bias of a time zone applies at a point in time.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace VLib {

// The bias in minutes (UTC = local + bias) that `rule`, the zone's rule for `year`, gives at
// `utcMilliseconds` (since 1601) of that year. Throws EVLibDateTime for transition dates that
// are no valid dates or that name another year.
int32_t TimeZoneBiasAt(int64_t utcMilliseconds, const ryn::platform::TimeZoneRule& rule, int year);

}  // namespace VLib
