// A point in time as UTC milliseconds since 1601-01-01 with the time-zone bias in force then,
// and its text forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vlib/calendar.h"

namespace VLib {

// The text-mode word of the date-time text conversion.
enum TVLibDateTimeStrMode : uint32_t {
  dtsmModeMask = 0xFF,
  dtsmDateTime = 0,
  dtsmDate = 1,
  dtsmTime = 2,
  dtsmLongDate = 0x100,    // locale family: the long date form
  dtsmNoSeconds = 0x200,   // time without seconds
  dtsmWeekday = 0x400,     // locale family: the date as the abbreviated weekday
  dtsmNoMilliseconds = 0x800,  // fixed families: seconds without milliseconds
  dtsmFormatMask = 0xFF0000,
  dtsmFormatLocale = 0,         // the user's locale
  dtsmFormatSlashed = 0x10000,  // 2024/03/05 14:07:09,123
  dtsmFormatIso = 0x20000,      // 2024-03-05 14:07:09.123
};

class TVLibDateTime {
 public:
  static constexpr size_t kTextCapacity = 256;  // characters, terminator included

  TVLibDateTime() = default;

  // Now, with the bias in force now.
  static TVLibDateTime Now();
  // From the system clock's 100-nanosecond count since 1601, rounded to the nearest millisecond,
  // with the bias in force then.
  static TVLibDateTime FromUtcTicks(int64_t ticks);

  int64_t UTCMilliseconds() const { return utcMilliseconds_; }
  // Throws EVLibDateTime below 1601 or after the last representable year.
  void SetUTCMilliseconds(int64_t milliseconds);

  int32_t TimeZoneBias() const { return bias_; }
  void SetTimeZoneBias(int32_t minutes) { bias_ = minutes; }

  CalendarTime UtcTime() const { return MillisecondsToCalendar(utcMilliseconds_); }
  CalendarTime LocalTime() const {
    return MillisecondsToCalendar(utcMilliseconds_ - int64_t{bias_} * kMillisecondsPerMinute);
  }

  std::wstring LocalTimeText(uint32_t mode) const;

  // Writes `time` as text into `text` (terminated) and returns the number of characters.
  static size_t SystemTimeToStr(wchar_t (&text)[kTextCapacity], const CalendarTime& time, uint32_t mode);

 private:
  int64_t utcMilliseconds_ = 0;
  int32_t bias_ = 0;
};

}  // namespace VLib
