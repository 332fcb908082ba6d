// The date-time value: calendar arithmetic, rounding, limits, time-zone bias and text forms.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "platform/system_error.h"
#include "support/fake_platform.h"
#include "vlib/calendar.h"
#include "vlib/date_time.h"
#include "vlib/time_zone_bias.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

using ryn::platform::TimeZoneRule;

constexpr int64_t kUnixEpochMilliseconds = 11644473600000;

CalendarTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  CalendarTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  t.milliseconds = static_cast<uint16_t>(ms);
  return t;
}

template <class Exception, class Body>
std::string MessageOf(Body body) {
  try {
    body();
  } catch (const Exception& e) {
    return e.what();
  }
  return "no exception";
}

TEST(Calendar, KnownDatesAndWeekdays) {
  const CalendarTime first = MillisecondsToCalendar(0);
  EXPECT_EQ(first, (CalendarTime{1601, 1, 1, 1, 0, 0, 0, 0})) << "1601-01-01 was a Monday";
  const CalendarTime unix = MillisecondsToCalendar(kUnixEpochMilliseconds);
  EXPECT_EQ(unix, (CalendarTime{1970, 1, 4, 1, 0, 0, 0, 0}));
  const CalendarTime last = MillisecondsToCalendar(MaxMilliseconds());
  EXPECT_EQ(last, (CalendarTime{30827, 12, 5, 31, 23, 59, 59, 999}));
  EXPECT_EQ(MillisecondsToCalendar(SystemTimeToMilliseconds(Date(2024, 2, 29, 12, 34, 56, 789))).dayOfWeek, 4);
}

// The oracle is the standard calendar (proleptic Gregorian, like the C library's gmtime) rather
// than gmtime itself, which Windows' C runtime refuses for times before 1970.
TEST(Calendar, AgreesWithTheStandardCalendarAndRoundTrips) {
  using namespace std::chrono;
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int64_t> seconds(-11644473600, 253402300799);  // 1601 .. 9999
  for (int i = 0; i < 2000; ++i) {
    const int64_t t = seconds(random);
    const sys_seconds instant{std::chrono::seconds{t}};
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss<std::chrono::seconds> time{instant - day};
    const int64_t ms = (t * 1000 + kUnixEpochMilliseconds) + i % 1000;
    const CalendarTime actual = MillisecondsToCalendar(ms);
    ASSERT_EQ(actual.year, static_cast<int>(date.year())) << t;
    ASSERT_EQ(actual.month, static_cast<int>(static_cast<unsigned>(date.month()))) << t;
    ASSERT_EQ(actual.day, static_cast<int>(static_cast<unsigned>(date.day()))) << t;
    ASSERT_EQ(actual.dayOfWeek, static_cast<int>(weekday{day}.c_encoding())) << t;
    ASSERT_EQ(actual.hour, static_cast<int>(time.hours().count())) << t;
    ASSERT_EQ(actual.second, static_cast<int>(time.seconds().count())) << t;
    ASSERT_EQ(SystemTimeToMilliseconds(actual), ms);
  }
}

TEST(Calendar, RejectsTimesOutsideTheRangeAndInvalidDates) {
  EXPECT_EQ(MessageOf<EVLibDateTime>([] { MillisecondsToCalendar(-1); }),
            "YearFromMilliseconds: Year/Century out of range.");
  EXPECT_EQ(MessageOf<EVLibDateTime>([] { MillisecondsToCalendar(MaxMilliseconds() + 1); }),
            "YearFromMilliseconds: Year/Century out of range.");
  for (const CalendarTime& bad : {Date(2023, 2, 29), Date(1600, 12, 31), Date(2024, 13, 1), Date(2024, 4, 31),
                                  Date(2024, 1, 1, 24), Date(2024, 1, 1, 0, 60), Date(2024, 1, 1, 0, 0, 0, 1000)}) {
    try {
      SystemTimeToMilliseconds(bad);
      ADD_FAILURE() << "accepted " << bad.year << "-" << bad.month << "-" << bad.day;
    } catch (const SystemException& e) {
      EXPECT_EQ(e.Context(), "VLib::SystemTimeToMilliseconds");
      EXPECT_EQ(e.ErrorCode(), ryn::platform::kInvalidParameterError);
    }
  }
}

TEST(TVLibDateTime, MillisecondsFromTicksAreRoundedToNearest) {
  ryn::test::FakeClock clock;
  ryn::test::ScopedClock scoped(clock);
  EXPECT_EQ(TVLibDateTime::FromUtcTicks(4999).UTCMilliseconds(), 0);
  EXPECT_EQ(TVLibDateTime::FromUtcTicks(5000).UTCMilliseconds(), 1);
  EXPECT_EQ(TVLibDateTime::FromUtcTicks(14999).UTCMilliseconds(), 1);
  EXPECT_EQ(TVLibDateTime::FromUtcTicks(-5000).UTCMilliseconds(), 0);
  clock.ticks = kUnixEpochMilliseconds * 10000 + 123456789;
  EXPECT_EQ(TVLibDateTime::Now().UTCMilliseconds(), kUnixEpochMilliseconds + 12346);
  EXPECT_EQ(MessageOf<EVLibDateTime>([] { TVLibDateTime::FromUtcTicks(-5001); }),
            "SetUTCMilliseconds(): Internal milliseconds underflow. A year below 1601 is not supported.");
  EXPECT_EQ(MessageOf<EVLibDateTime>([] { TVLibDateTime::FromUtcTicks(INT64_MAX); }),
            "SetUTCMilliseconds(): Internal milliseconds overflow.");
}

TEST(TVLibDateTime, LimitsOfTheMillisecondCount) {
  TVLibDateTime value;
  value.SetUTCMilliseconds(MaxMilliseconds());
  EXPECT_EQ(value.UTCMilliseconds(), MaxMilliseconds());
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { value.SetUTCMilliseconds(-1); }),
            "SetUTCMilliseconds(): Internal milliseconds underflow. A year below 1601 is not supported.");
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { value.SetUTCMilliseconds(MaxMilliseconds() + 1); }),
            "SetUTCMilliseconds(): Internal milliseconds overflow.");
  EXPECT_EQ(value.UTCMilliseconds(), MaxMilliseconds()) << "a rejected value changes nothing";
  value.SetUTCMilliseconds(0);
  value.SetTimeZoneBias(60);  // west of Greenwich: local time is earlier
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { value.LocalTime(); }), "YearFromMilliseconds: Year/Century out of range.");
}

// Central European rule: last Sunday of March 02:00 to last Sunday of October 03:00.
TimeZoneRule CentralEurope() {
  TimeZoneRule rule;
  rule.bias = -60;
  rule.daylightBias = -60;
  rule.daylightDate = CalendarTime{0, 3, 0, 5, 2, 0, 0, 0};
  rule.standardDate = CalendarTime{0, 10, 0, 5, 3, 0, 0, 0};
  return rule;
}

int64_t Utc(int year, int month, int day, int hour, int minute = 0) {
  return SystemTimeToMilliseconds(Date(year, month, day, hour, minute));
}

TEST(TimeZoneBias, DayInMonthRuleSwitchesAtTheTransitions) {
  const TimeZoneRule rule = CentralEurope();
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 1, 15, 12), rule, 2024), -60);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 3, 31, 1) - 1, rule, 2024), -60);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 3, 31, 1), rule, 2024), -120);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 10, 27, 1) - 1, rule, 2024), -120);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 10, 27, 1), rule, 2024), -60);
  // 2021: the fifth Sunday of March does not exist in the count from the first, the last is the 28th.
  EXPECT_EQ(TimeZoneBiasAt(Utc(2021, 3, 28, 1), rule, 2021), -120);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2021, 3, 28, 1) - 1, rule, 2021), -60);
}

TEST(TimeZoneBias, SouthernRuleSpansTheTurnOfTheYear) {
  TimeZoneRule sydney;
  sydney.bias = -600;
  sydney.daylightBias = -60;
  sydney.daylightDate = CalendarTime{0, 10, 0, 1, 2, 0, 0, 0};
  sydney.standardDate = CalendarTime{0, 4, 0, 1, 3, 0, 0, 0};
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 1, 10, 0), sydney, 2024), -660);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 4, 6, 16) - 1, sydney, 2024), -660);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 4, 6, 16), sydney, 2024), -600);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 10, 5, 16) - 1, sydney, 2024), -600);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 10, 5, 16), sydney, 2024), -660);
}

TEST(TimeZoneBias, AbsoluteDatesAndRulesWithoutDaylightTime) {
  TimeZoneRule rule = CentralEurope();
  rule.daylightDate = Date(2024, 3, 31, 2);
  rule.standardDate = Date(2024, 10, 27, 3);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 7, 1, 0), rule, 2024), -120);
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 11, 1, 0), rule, 2024), -60);
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { TimeZoneBiasAt(Utc(2025, 7, 1, 0), rule, 2025); }),
            "Transition date error in absolute format. Year not equal.");
  rule.standardDate = Date(2024, 2, 30, 3);
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { TimeZoneBiasAt(Utc(2024, 7, 1, 0), rule, 2024); }),
            "Transition date of time zone is not valid.");

  TimeZoneRule plain;
  plain.bias = 300;
  plain.standardBias = 0;
  plain.daylightDate = CalendarTime{0, 3, 0, 2, 2, 0, 0, 0};  // ignored without a standard date
  EXPECT_EQ(TimeZoneBiasAt(Utc(2024, 7, 1, 0), plain, 2024), 300);
}

TEST(TimeZoneBias, InvalidDayInMonthTransitions) {
  for (const CalendarTime& bad : {CalendarTime{0, 13, 0, 1, 2, 0, 0, 0}, CalendarTime{0, 3, 0, 6, 2, 0, 0, 0},
                                  CalendarTime{0, 3, 7, 1, 2, 0, 0, 0}, CalendarTime{0, 3, 0, 0, 2, 0, 0, 0},
                                  CalendarTime{0, 3, 0, 1, 24, 0, 0, 0}}) {
    TimeZoneRule rule = CentralEurope();
    rule.daylightDate = bad;
    EXPECT_EQ(MessageOf<EVLibDateTime>([&] { TimeZoneBiasAt(Utc(2024, 7, 1, 0), rule, 2024); }),
              "Transition date of time zone is not valid.");
  }
}

TEST(TVLibDateTime, NowCarriesTheBiasInForceAndGivesLocalTime) {
  ryn::test::FakeClock clock;
  clock.rule = CentralEurope();
  ryn::test::ScopedClock scoped(clock);
  clock.ticks = Utc(2024, 7, 1, 10, 30) * 10000;
  const TVLibDateTime summer = TVLibDateTime::Now();
  EXPECT_EQ(summer.TimeZoneBias(), -120);
  EXPECT_EQ(summer.LocalTime(), (CalendarTime{2024, 7, 1, 1, 12, 30, 0, 0}));
  EXPECT_EQ(summer.UtcTime().hour, 10);
  clock.ticks = Utc(2024, 12, 31, 23, 30) * 10000;
  EXPECT_EQ(TVLibDateTime::Now().LocalTime(), (CalendarTime{2025, 1, 3, 1, 0, 30, 0, 0}));
}

std::wstring Text(const CalendarTime& time, uint32_t mode) {
  wchar_t text[TVLibDateTime::kTextCapacity];
  const size_t length = TVLibDateTime::SystemTimeToStr(text, time, mode);
  EXPECT_EQ(text[length], L'\0');
  return std::wstring(text, length);
}

TEST(DateTimeText, FixedFamilies) {
  const CalendarTime t = Date(2024, 3, 5, 14, 7, 9, 23);
  EXPECT_EQ(Text(t, dtsmFormatSlashed), L"2024/03/05 14:07:09,023");
  EXPECT_EQ(Text(t, dtsmFormatIso), L"2024-03-05 14:07:09.023");
  EXPECT_EQ(Text(t, dtsmFormatIso | dtsmDate), L"2024-03-05");
  EXPECT_EQ(Text(t, dtsmFormatSlashed | dtsmTime), L"14:07:09,023");
  EXPECT_EQ(Text(t, dtsmFormatIso | dtsmTime | dtsmNoSeconds), L"14:07");
  EXPECT_EQ(Text(t, dtsmFormatSlashed | dtsmNoMilliseconds), L"2024/03/05 14:07:09");
  EXPECT_EQ(Text(t, dtsmFormatIso | dtsmWeekday | dtsmLongDate | dtsmDate), L"2024-03-05")
      << "the locale flags leave the fixed patterns alone";
}

TEST(DateTimeText, LocaleFamilyAsksForTheRightForms) {
  ryn::test::FakeDateTimeFormatter formatter;
  ryn::test::ScopedDateTimeFormatter scoped(formatter);
  const CalendarTime t = Date(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(Text(t, dtsmDateTime), L"D0:2024-3-5 TS:14:7:9");
  EXPECT_EQ(Text(t, dtsmDate | dtsmLongDate), L"D1:2024-3-5");
  EXPECT_EQ(Text(t, dtsmDateTime | dtsmWeekday | dtsmLongDate), L"D2:2024-3-5 TS:14:7:9");
  EXPECT_EQ(Text(t, dtsmTime | dtsmNoSeconds), L"T:14:7:9");
}

template <class Body>
SystemException SystemFailureOf(Body body) {
  try {
    body();
  } catch (const SystemException& e) {
    return e;
  }
  ADD_FAILURE() << "no SystemException";
  return SystemException(0, "");
}

TEST(DateTimeText, InvalidModeWords) {
  const CalendarTime t = Date(2024, 3, 5);
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { Text(t, 0x30000); }),
            "Invalid value of TVLibDateTimeStrMode & dtsmFormatMask");
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { Text(t, 0xFF0000); }),
            "Invalid value of TVLibDateTimeStrMode & dtsmFormatMask");
  EXPECT_EQ(MessageOf<EVLibDateTime>([&] { Text(t, dtsmFormatIso | 3); }),
            "Invalid value of TVLibDateTimeStrMode & dtsmModeMask");
}

TEST(DateTimeText, LocaleFailuresNameTheFailingStep) {
  ryn::test::FakeDateTimeFormatter formatter;
  ryn::test::ScopedDateTimeFormatter scoped(formatter);
  const CalendarTime t = Date(2024, 3, 5, 14, 7, 9);
  formatter.dateError = 42;
  SystemException date = SystemFailureOf([&] { Text(t, dtsmDateTime); });
  EXPECT_EQ(date.ErrorCode(), 42u);
  EXPECT_EQ(date.Context(), "TVLibDateTime::SystemTimeToStr::GetDateFormat");
  EXPECT_EQ(Text(t, dtsmTime), L"TS:14:7:9") << "time only asks for no date";
  formatter.dateError = 0;
  formatter.timeError = 43;
  SystemException time = SystemFailureOf([&] { Text(t, dtsmDateTime); });
  EXPECT_EQ(time.ErrorCode(), 43u);
  EXPECT_EQ(time.Context(), "TVLibDateTime::SystemTimeToStr::GetTimeFormat");
}

TEST(DateTimeText, FullBufferBeforeEachPart) {
  ryn::test::FakeDateTimeFormatter formatter;
  ryn::test::ScopedDateTimeFormatter scoped(formatter);
  const CalendarTime t = Date(2024, 3, 5, 14, 7, 9);
  const uint32_t full = ryn::platform::kInsufficientBufferError;

  formatter.dateText = std::wstring(254, L'd');  // the separator takes the last place
  SystemException beforeTime = SystemFailureOf([&] { Text(t, dtsmDateTime); });
  EXPECT_EQ(beforeTime.ErrorCode(), full);
  EXPECT_EQ(beforeTime.Context(), "TVLibDateTime::SystemTimeToStr::GetTimeFormat");
  EXPECT_EQ(Text(t, dtsmDate).size(), 254u);

  formatter.dateText = std::wstring(255, L'd');
  EXPECT_EQ(Text(t, dtsmDate).size(), 255u);
  EXPECT_EQ(SystemFailureOf([&] { Text(t, dtsmDateTime); }).Context(), "VLib::CheckedStringCchCopyEx");

  formatter.dateText = std::wstring(256, L'd');
  SystemException date = SystemFailureOf([&] { Text(t, dtsmDate); });
  EXPECT_EQ(date.ErrorCode(), full);
  EXPECT_EQ(date.Context(), "TVLibDateTime::SystemTimeToStr::GetDateFormat");
}

}  // namespace
}  // namespace VLib
