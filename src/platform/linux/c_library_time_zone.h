// The time zone of the C library (TZ, /etc/localtime) described as one year's rule.
#pragma once

#include "platform/clock.h"

namespace ryn::platform {

// One start and one end of daylight saving time in `year` give the usual rule with absolute
// dates. Any other year (no change, or a zone that changed its offsets) is described by the
// offset in force at the end of the year.
TimeZoneRule CLibraryTimeZoneRule(int year);

}  // namespace ryn::platform
