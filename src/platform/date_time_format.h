// Date and time text in the user's locale.
#pragma once

#include <cstdint>
#include <string>

#include "platform/calendar_time.h"
#include "platform/service_override.h"

namespace ryn::platform {

enum class DateStyle { kShort, kLong, kAbbreviatedWeekday };

struct FormattedText {
  bool ok = false;
  std::wstring text;
  uint32_t error = 0;  // system error code when not ok
};

class DateTimeFormatter {
 public:
  virtual ~DateTimeFormatter() = default;
  virtual FormattedText FormatDate(const CalendarTime& time, DateStyle style) const = 0;
  virtual FormattedText FormatTime(const CalendarTime& time, bool withSeconds) const = 0;
};

DateTimeFormatter& SystemDateTimeFormatter();
using DateTimeFormatterOverride = ServiceOverride<DateTimeFormatter, SystemDateTimeFormatter>;
inline DateTimeFormatter& ActiveDateTimeFormatter() { return DateTimeFormatterOverride::Active(); }

}  // namespace ryn::platform
