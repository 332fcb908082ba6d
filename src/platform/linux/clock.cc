#include "platform/clock.h"
#include "platform/linux/c_library_time_zone.h"

#include <time.h>

#include <map>
#include <mutex>
#include <vector>

namespace ryn::platform {
namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsPerDay = 86400;

struct LocalState {
  long offsetSeconds;  // local = UTC + offset
  bool daylight;
  bool operator==(const LocalState&) const = default;
};

LocalState StateAt(time_t t) {
  tm local{};
  localtime_r(&t, &local);
  return {local.tm_gmtoff, local.tm_isdst > 0};
}

time_t StartOfYearUtc(int year) {
  tm start{};
  start.tm_year = year - 1900;
  start.tm_mday = 1;
  return timegm(&start);
}

struct Transition {
  time_t at;  // first second of the new state
  LocalState before;
  LocalState after;
};

// Scans the year day by day and narrows each change down to the second.
std::vector<Transition> TransitionsOf(int year) {
  std::vector<Transition> found;
  const time_t end = StartOfYearUtc(year + 1);
  time_t previous = StartOfYearUtc(year);
  LocalState previousState = StateAt(previous);
  for (time_t t = previous + kSecondsPerDay; previous < end; t += kSecondsPerDay) {
    if (t > end) t = end;
    const LocalState state = StateAt(t);
    if (!(state == previousState)) {
      time_t low = previous;  // has previousState
      time_t high = t;        // has a different state
      while (high - low > 1) {
        const time_t middle = low + (high - low) / 2;
        (StateAt(middle) == previousState ? low : high) = middle;
      }
      found.push_back({high, previousState, StateAt(high)});
    }
    previous = t;
    previousState = state;
  }
  return found;
}

CalendarTime AbsoluteDate(time_t utc, long offsetSeconds) {
  const time_t local = utc + offsetSeconds;
  tm broken{};
  gmtime_r(&local, &broken);
  CalendarTime date;
  date.year = static_cast<uint16_t>(broken.tm_year + 1900);
  date.month = static_cast<uint16_t>(broken.tm_mon + 1);
  date.dayOfWeek = static_cast<uint16_t>(broken.tm_wday);
  date.day = static_cast<uint16_t>(broken.tm_mday);
  date.hour = static_cast<uint16_t>(broken.tm_hour);
  date.minute = static_cast<uint16_t>(broken.tm_min);
  date.second = static_cast<uint16_t>(broken.tm_sec);
  return date;
}

int32_t BiasMinutes(long offsetSeconds) { return static_cast<int32_t>(-offsetSeconds / 60); }

}  // namespace

TimeZoneRule CLibraryTimeZoneRule(int year) {
  const std::vector<Transition> transitions = TransitionsOf(year);
  TimeZoneRule rule;
  if (transitions.size() == 2 && transitions[0].after.daylight != transitions[1].after.daylight &&
      transitions[0].before == transitions[1].after) {
    const Transition& toDaylight = transitions[0].after.daylight ? transitions[0] : transitions[1];
    const Transition& toStandard = transitions[0].after.daylight ? transitions[1] : transitions[0];
    const long standard = toStandard.after.offsetSeconds;
    const long daylight = toDaylight.after.offsetSeconds;
    rule.bias = BiasMinutes(standard);
    rule.daylightBias = BiasMinutes(daylight - standard);
    rule.daylightDate = AbsoluteDate(toDaylight.at, standard);
    rule.standardDate = AbsoluteDate(toStandard.at, daylight);
    if (rule.daylightDate.year == year && rule.standardDate.year == year) return rule;
  }
  return TimeZoneRule{BiasMinutes(StateAt(StartOfYearUtc(year + 1) - 1).offsetSeconds), 0, 0, {}, {}};
}

namespace {

class LinuxClock final : public Clock {
 public:
  int64_t UtcTicks() const override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return (now.tv_sec + kSecondsFrom1601To1970) * kTicksPerSecond + now.tv_nsec / 100;
  }

  TimeZoneRule TimeZoneForYear(int year) const override {
    std::lock_guard lock(mutex_);
    auto found = rules_.find(year);
    if (found == rules_.end()) found = rules_.emplace(year, CLibraryTimeZoneRule(year)).first;
    return found->second;
  }

  bool PerformanceCounter(int64_t* count) const override {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return false;
    *count = now.tv_sec * int64_t{1000000000} + now.tv_nsec;
    return true;
  }

  bool PerformanceFrequency(int64_t* frequency) const override {
    *frequency = 1000000000;
    return true;
  }

 private:
  mutable std::mutex mutex_;
  mutable std::map<int, TimeZoneRule> rules_;
};

}  // namespace

Clock& SystemClock() {
  // Never destroyed: exit-time handlers may still need it.
  static LinuxClock* const clock = new LinuxClock;
  return *clock;
}

}  // namespace ryn::platform
