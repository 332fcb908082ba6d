// Calendar arithmetic on milliseconds since 1601-01-01 00:00 (proleptic Gregorian calendar),
// over the years 1601 to 30827.
#pragma once

#include <cstdint>

#include "platform/calendar_time.h"

namespace VLib {

using ryn::platform::CalendarTime;

inline constexpr int64_t kMillisecondsPerMinute = 60 * 1000;
inline constexpr int64_t kMillisecondsPerDay = 24 * 60 * kMillisecondsPerMinute;
inline constexpr int kFirstYear = 1601;
inline constexpr int kLastYear = 30827;

// Days from 1601-01-01 to the given date.
int64_t DaysFrom1601(int year, int month, int day);
int DaysInMonth(int year, int month);

// The last millisecond of kLastYear.
int64_t MaxMilliseconds();

// Throws EVLibDateTime ("YearFromMilliseconds: ...") outside 0..MaxMilliseconds().
CalendarTime MillisecondsToCalendar(int64_t milliseconds);

bool IsValidCalendarTime(const CalendarTime& time);

// Ignores the day of the week. Throws SystemException naming "VLib::SystemTimeToMilliseconds"
// for a time that is no valid date.
int64_t SystemTimeToMilliseconds(const CalendarTime& time);

}  // namespace VLib
