// Date and time text from the C library's locale data, in a locale object of its own so that the
// process's global locale is never touched.
#pragma once

#include <locale.h>

#include <string>

#include "platform/date_time_format.h"

namespace ryn::platform {

class LocaleDateTimeFormatter final : public DateTimeFormatter {
 public:
  // `localeName` "" takes LC_TIME from the environment; an unknown locale falls back to "C".
  explicit LocaleDateTimeFormatter(const char* localeName);
  ~LocaleDateTimeFormatter() override;
  LocaleDateTimeFormatter(const LocaleDateTimeFormatter&) = delete;
  LocaleDateTimeFormatter& operator=(const LocaleDateTimeFormatter&) = delete;

  FormattedText FormatDate(const CalendarTime& time, DateStyle style) const override;
  FormattedText FormatTime(const CalendarTime& time, bool withSeconds) const override;

 private:
  FormattedText Format(const CalendarTime& time, const std::wstring& pattern) const;

  locale_t locale_;
};

// The time pattern `pattern` (strftime conversions) without its seconds field and the separator
// in front of it; composite conversions are expanded first (%T, and %r through `amPmPattern`).
std::string PatternWithoutSeconds(std::string pattern, const std::string& amPmPattern);

}  // namespace ryn::platform
