// The system clock, the time zone and the high-resolution counter.
#pragma once

#include <cstdint>

#include "platform/calendar_time.h"
#include "platform/service_override.h"

namespace ryn::platform {

// The time zone as the system describes one year of it. Biases are minutes, UTC = local + bias.
// A transition date with a year is an absolute date; without one, `day` 1..5 picks the first to
// fifth (5: last) `dayOfWeek` of the month. Month 0 in `standardDate`: no daylight saving time.
struct TimeZoneRule {
  int32_t bias = 0;
  int32_t standardBias = 0;
  int32_t daylightBias = 0;
  CalendarTime standardDate;  // start of standard time, in daylight (local) time
  CalendarTime daylightDate;  // start of daylight saving time, in standard (local) time
};

class Clock {
 public:
  virtual ~Clock() = default;
  // 100-nanosecond intervals since 1601-01-01 UTC.
  virtual int64_t UtcTicks() const = 0;
  virtual TimeZoneRule TimeZoneForYear(int year) const = 0;
  // The high-resolution counter and its frequency in counts per second; false when unavailable.
  virtual bool PerformanceCounter(int64_t* count) const = 0;
  virtual bool PerformanceFrequency(int64_t* frequency) const = 0;
};

Clock& SystemClock();
using ClockOverride = ServiceOverride<Clock, SystemClock>;
inline Clock& ActiveClock() { return ClockOverride::Active(); }

}  // namespace ryn::platform
