#include "platform/linux/locale_date_time_formatter.h"

#include <langinfo.h>
#include <time.h>
#include <wchar.h>

#include <cerrno>

#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

constexpr size_t kMaxText = 256;

tm ToTm(const CalendarTime& time) {
  tm broken{};
  broken.tm_year = time.year - 1900;
  broken.tm_mon = time.month - 1;
  broken.tm_mday = time.day;
  broken.tm_wday = time.dayOfWeek;
  broken.tm_hour = time.hour;
  broken.tm_min = time.minute;
  broken.tm_sec = time.second;
  broken.tm_isdst = -1;
  return broken;
}

bool IsValid(const CalendarTime& time) {
  return time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31 && time.dayOfWeek <= 6 &&
         time.hour <= 23 && time.minute <= 59 && time.second <= 59;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

std::string PatternWithoutSeconds(std::string pattern, const std::string& amPmPattern) {
  ReplaceAll(pattern, "%T", "%H:%M:%S");
  ReplaceAll(pattern, "%r", amPmPattern);
  for (size_t at = pattern.find('%'); at != std::string::npos; at = pattern.find('%', at)) {
    size_t conversion = at + 1;
    while (conversion < pattern.size() && std::string_view("_-0^#EO").find(pattern[conversion]) != std::string_view::npos) {
      ++conversion;
    }
    if (conversion >= pattern.size()) break;
    if (pattern[conversion] != 'S') {
      at = conversion + 1;
      continue;
    }
    size_t begin = at;
    while (begin > 0 && std::string_view(":.,'h").find(pattern[begin - 1]) != std::string_view::npos) {
      --begin;
    }
    pattern.erase(begin, conversion + 1 - begin);
    at = begin;
  }
  return pattern;
}

LocaleDateTimeFormatter::LocaleDateTimeFormatter(const char* localeName)
    : locale_(newlocale(LC_TIME_MASK, localeName, static_cast<locale_t>(nullptr))) {
  if (locale_ == static_cast<locale_t>(nullptr)) locale_ = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
}

LocaleDateTimeFormatter::~LocaleDateTimeFormatter() {
  if (locale_ != static_cast<locale_t>(nullptr)) freelocale(locale_);
}

FormattedText LocaleDateTimeFormatter::Format(const CalendarTime& time, const std::wstring& pattern) const {
  if (!IsValid(time)) return {false, {}, EINVAL};
  const tm broken = ToTm(time);
  wchar_t buffer[kMaxText];
  const size_t length = wcsftime_l(buffer, kMaxText, pattern.c_str(), &broken, locale_);
  if (length == 0) return {false, {}, ENOBUFS};
  return {true, std::wstring(buffer, length), 0};
}

FormattedText LocaleDateTimeFormatter::FormatDate(const CalendarTime& time, DateStyle style) const {
  switch (style) {
    case DateStyle::kShort:
      return Format(time, L"%x");
    case DateStyle::kLong:
      return Format(time, L"%A, %-d %B %Y");
    case DateStyle::kAbbreviatedWeekday:
      return Format(time, L"%a");
  }
  return {false, {}, EINVAL};
}

FormattedText LocaleDateTimeFormatter::FormatTime(const CalendarTime& time, bool withSeconds) const {
  if (withSeconds) return Format(time, L"%X");
  const std::string pattern = PatternWithoutSeconds(nl_langinfo_l(T_FMT, locale_), nl_langinfo_l(T_FMT_AMPM, locale_));
  return Format(time, NarrowToWide(pattern));
}

DateTimeFormatter& SystemDateTimeFormatter() {
  // Never destroyed: exit-time handlers may still need it.
  static LocaleDateTimeFormatter* const formatter = new LocaleDateTimeFormatter("");
  return *formatter;
}

}  // namespace ryn::platform
