#include "vlib/time_zone_bias.h"

#include "vlib/calendar.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

[[noreturn]] void InvalidTransition() { throw EVLibDateTime("Transition date of time zone is not valid."); }

// The local time at which a transition happens in `year`, as milliseconds since 1601.
int64_t TransitionMilliseconds(const CalendarTime& date, int year) {
  if (date.year != 0) {
    if (date.year != year) throw EVLibDateTime("Transition date error in absolute format. Year not equal.");
    if (!IsValidCalendarTime(date)) InvalidTransition();
    return SystemTimeToMilliseconds(date);
  }
  // The n-th (5: last) given weekday of the month.
  if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 5 || date.dayOfWeek > 6 || date.hour > 23 ||
      date.minute > 59 || date.second > 59 || date.milliseconds > 999) {
    InvalidTransition();
  }
  const int64_t firstDay = DaysFrom1601(year, date.month, 1);
  const int firstWeekday = static_cast<int>((firstDay + 1) % 7);
  int day = 1 + (date.dayOfWeek - firstWeekday + 7) % 7 + (date.day - 1) * 7;
  while (day > DaysInMonth(year, date.month)) day -= 7;
  CalendarTime resolved = date;
  resolved.year = static_cast<uint16_t>(year);
  resolved.day = static_cast<uint16_t>(day);
  return SystemTimeToMilliseconds(resolved);
}

}  // namespace

int32_t TimeZoneBiasAt(int64_t utcMilliseconds, const ryn::platform::TimeZoneRule& rule, int year) {
  if (rule.standardDate.month == 0 || rule.daylightDate.month == 0) return rule.bias + rule.standardBias;
  // Daylight time starts at a standard-time wall clock reading and ends at a daylight-time one.
  const int64_t daylightStart = TransitionMilliseconds(rule.daylightDate, year) +
                                int64_t{rule.bias + rule.standardBias} * kMillisecondsPerMinute;
  const int64_t standardStart = TransitionMilliseconds(rule.standardDate, year) +
                                int64_t{rule.bias + rule.daylightBias} * kMillisecondsPerMinute;
  const bool daylight = daylightStart < standardStart
                            ? utcMilliseconds >= daylightStart && utcMilliseconds < standardStart
                            : utcMilliseconds >= daylightStart || utcMilliseconds < standardStart;
  return rule.bias + (daylight ? rule.daylightBias : rule.standardBias);
}

}  // namespace VLib
