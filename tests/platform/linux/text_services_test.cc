// Linux text services: UTF-8 conversion, system error texts, locale date and time text.
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>

#include "platform/linux/locale_date_time_formatter.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

TEST(TextEncoding, RoundTripsAndReplacesWhatCannotBeDecoded) {
  const std::wstring wide = L"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(WideToNarrow(wide), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
  EXPECT_EQ(NarrowToWide(WideToNarrow(wide)), wide);
  EXPECT_EQ(NarrowToWide("\xff"), L"\ufffd");
  EXPECT_EQ(NarrowToWide("a\xc3"), L"a\ufffd") << "a cut sequence";
  EXPECT_EQ(NarrowToWide("\xc0\xaf"), L"\ufffd\ufffd") << "an overlong form";
  EXPECT_EQ(NarrowToWide("\xed\xa0\x80"), L"\ufffd\ufffd\ufffd") << "a surrogate";
  EXPECT_EQ(WideToNarrow(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xef\xbf\xbd");
  EXPECT_EQ(WideToNarrow(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xef\xbf\xbd");
}

TEST(SystemErrorText, KnownCodesHaveTextUnknownOnesNone) {
  const auto text = SystemErrorText(ENOENT);
  ASSERT_TRUE(text.has_value());
  EXPECT_FALSE(text->empty());
  EXPECT_FALSE(SystemErrorText(100000).has_value());
  EXPECT_FALSE(SystemErrorText(0xFFFFFFFF).has_value());
  errno = EACCES;
  EXPECT_EQ(LastSystemError(), static_cast<uint32_t>(EACCES));
}

TEST(LocaleDateTimeFormatter, CLocaleForms) {
  const LocaleDateTimeFormatter formatter("C");
  const CalendarTime t{2024, 3, 2, 5, 14, 7, 9, 0};
  EXPECT_EQ(formatter.FormatDate(t, DateStyle::kShort).text, L"03/05/24");
  EXPECT_EQ(formatter.FormatDate(t, DateStyle::kLong).text, L"Tuesday, 5 March 2024");
  EXPECT_EQ(formatter.FormatDate(t, DateStyle::kAbbreviatedWeekday).text, L"Tue");
  EXPECT_EQ(formatter.FormatTime(t, true).text, L"14:07:09");
  EXPECT_EQ(formatter.FormatTime(t, false).text, L"14:07");
  const FormattedText invalid = formatter.FormatTime(CalendarTime{2024, 13, 0, 1, 0, 0, 0, 0}, true);
  EXPECT_FALSE(invalid.ok);
  EXPECT_EQ(invalid.error, static_cast<uint32_t>(EINVAL));
}

TEST(LocaleDateTimeFormatter, UnknownLocaleFallsBackAndTheGlobalLocaleStays) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  const LocaleDateTimeFormatter formatter("xx_NOWHERE.UTF-8");
  EXPECT_EQ(formatter.FormatDate(CalendarTime{2024, 3, 2, 5, 0, 0, 0, 0}, DateStyle::kAbbreviatedWeekday).text, L"Tue");
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(LocaleDateTimeFormatter, SecondsLeaveTimePatternsWithTheirSeparator) {
  EXPECT_EQ(PatternWithoutSeconds("%H:%M:%S", ""), "%H:%M");
  EXPECT_EQ(PatternWithoutSeconds("%T", ""), "%H:%M");
  EXPECT_EQ(PatternWithoutSeconds("%I:%M:%S %p", ""), "%I:%M %p");
  EXPECT_EQ(PatternWithoutSeconds("%r", "%I:%M:%S %p"), "%I:%M %p");
  EXPECT_EQ(PatternWithoutSeconds("%H.%M.%OS Uhr", ""), "%H.%M Uhr");
  EXPECT_EQ(PatternWithoutSeconds("%p %I:%M", ""), "%p %I:%M");
  EXPECT_EQ(PatternWithoutSeconds("%%S %H:%M", ""), "%%S %H:%M") << "a literal percent sign";
}

}  // namespace
}  // namespace ryn::platform
