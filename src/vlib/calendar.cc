#include "vlib/calendar.h"

#include "platform/system_error.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

// Days from 1970-01-01 (H. Hinnant's civil calendar algorithms).
constexpr int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  *day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  *month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2));
}

constexpr int64_t k1601 = DaysFromCivil(kFirstYear, 1, 1);

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int64_t DaysFrom1601(int year, int month, int day) { return DaysFromCivil(year, month, day) - k1601; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

int64_t MaxMilliseconds() { return DaysFrom1601(kLastYear + 1, 1, 1) * kMillisecondsPerDay - 1; }

CalendarTime MillisecondsToCalendar(int64_t milliseconds) {
  if (milliseconds < 0 || milliseconds > MaxMilliseconds()) {
    throw EVLibDateTime("YearFromMilliseconds: Year/Century out of range.");
  }
  const int64_t days = milliseconds / kMillisecondsPerDay;
  int64_t rest = milliseconds % kMillisecondsPerDay;
  int year = 0, month = 0, day = 0;
  CivilFromDays(days + k1601, &year, &month, &day);
  CalendarTime time;
  time.year = static_cast<uint16_t>(year);
  time.month = static_cast<uint16_t>(month);
  time.day = static_cast<uint16_t>(day);
  time.dayOfWeek = static_cast<uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
  time.milliseconds = static_cast<uint16_t>(rest % 1000);
  rest /= 1000;
  time.second = static_cast<uint16_t>(rest % 60);
  rest /= 60;
  time.minute = static_cast<uint16_t>(rest % 60);
  time.hour = static_cast<uint16_t>(rest / 60);
  return time;
}

bool IsValidCalendarTime(const CalendarTime& time) {
  return time.year >= kFirstYear && time.year <= kLastYear && time.month >= 1 && time.month <= 12 &&
         time.day >= 1 && time.day <= DaysInMonth(time.year, time.month) && time.hour < 24 && time.minute < 60 &&
         time.second < 60 && time.milliseconds < 1000;
}

int64_t SystemTimeToMilliseconds(const CalendarTime& time) {
  if (!IsValidCalendarTime(time)) {
    throw SystemException(ryn::platform::kInvalidParameterError, "VLib::SystemTimeToMilliseconds");
  }
  const int64_t seconds = (time.hour * 60 + time.minute) * 60 + time.second;
  return DaysFrom1601(time.year, time.month, time.day) * kMillisecondsPerDay + seconds * 1000 + time.milliseconds;
}

}  // namespace VLib
