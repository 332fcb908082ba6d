#include "platform/date_time_format.h"

#include "platform/windows/system_time.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

constexpr int kMaxText = 256;

// `length` counts the terminating null; 0 means the call failed.
FormattedText Result(const wchar_t* buffer, int length) {
  if (length <= 0) return {false, {}, GetLastError()};
  return {true, std::wstring(buffer, static_cast<size_t>(length - 1)), 0};
}

class LocaleDateTimeFormatter final : public DateTimeFormatter {
 public:
  FormattedText FormatDate(const CalendarTime& time, DateStyle style) const override {
    const SYSTEMTIME date = ToSystemTime(time);
    wchar_t buffer[kMaxText];
    if (style == DateStyle::kAbbreviatedWeekday) {
      return Result(buffer, GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, L"ddd", buffer, kMaxText));
    }
    const DWORD flags = style == DateStyle::kLong ? DATE_LONGDATE : DATE_SHORTDATE;
    return Result(buffer, GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, nullptr, buffer, kMaxText));
  }

  FormattedText FormatTime(const CalendarTime& time, bool withSeconds) const override {
    const SYSTEMTIME clock = ToSystemTime(time);
    wchar_t buffer[kMaxText];
    const DWORD flags = withSeconds ? 0 : TIME_NOSECONDS;
    return Result(buffer, GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &clock, nullptr, buffer, kMaxText));
  }
};

}  // namespace

DateTimeFormatter& SystemDateTimeFormatter() {
  // Never destroyed: exit-time handlers may still need it.
  static LocaleDateTimeFormatter* const formatter = new LocaleDateTimeFormatter;
  return *formatter;
}

}  // namespace ryn::platform
