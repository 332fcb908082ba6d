#include "platform/clock.h"

#include "platform/windows/system_time.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

class WindowsClock final : public Clock {
 public:
  int64_t UtcTicks() const override {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  }

  TimeZoneRule TimeZoneForYear(int year) const override {
    TIME_ZONE_INFORMATION zone{};
    // Years the per-year query cannot take, and systems without rules for them, get the zone's
    // current description.
    const bool perYear = year >= 1601 && year <= 30827 &&
                         GetTimeZoneInformationForYear(static_cast<USHORT>(year), nullptr, &zone) != FALSE;
    if (!perYear) {
      zone = TIME_ZONE_INFORMATION{};
      GetTimeZoneInformation(&zone);
    }
    TimeZoneRule rule;
    rule.bias = zone.Bias;
    rule.standardBias = zone.StandardBias;
    rule.daylightBias = zone.DaylightBias;
    rule.standardDate = ToCalendarTime(zone.StandardDate);
    rule.daylightDate = ToCalendarTime(zone.DaylightDate);
    return rule;
  }

  bool PerformanceCounter(int64_t* count) const override {
    LARGE_INTEGER value{};
    if (!QueryPerformanceCounter(&value)) return false;
    *count = value.QuadPart;
    return true;
  }

  bool PerformanceFrequency(int64_t* frequency) const override {
    LARGE_INTEGER value{};
    if (!QueryPerformanceFrequency(&value)) return false;
    *frequency = value.QuadPart;
    return true;
  }
};

}  // namespace

Clock& SystemClock() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsClock* const clock = new WindowsClock;
  return *clock;
}

}  // namespace ryn::platform
