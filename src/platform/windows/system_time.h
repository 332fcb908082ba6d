// Conversions between the platform layer's calendar time and the system's SYSTEMTIME, which hold
// the same fields in the same order.
#pragma once

#include "platform/calendar_time.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {

inline SYSTEMTIME ToSystemTime(const CalendarTime& time) {
  return SYSTEMTIME{time.year, time.month,  time.dayOfWeek, time.day,
                    time.hour, time.minute, time.second,    time.milliseconds};
}

inline CalendarTime ToCalendarTime(const SYSTEMTIME& time) {
  return CalendarTime{time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                      time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

}  // namespace ryn::platform
