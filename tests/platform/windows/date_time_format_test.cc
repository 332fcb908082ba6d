// Date and time text in the user's locale, as the system formats it.
#include <gtest/gtest.h>

#include "platform/date_time_format.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

constexpr CalendarTime kTuesday{2024, 3, 2, 5, 14, 7, 9, 0};

TEST(WindowsDateTimeFormatter, EveryStyleGivesText) {
  const DateTimeFormatter& formatter = SystemDateTimeFormatter();
  for (const DateStyle style : {DateStyle::kShort, DateStyle::kLong, DateStyle::kAbbreviatedWeekday}) {
    const FormattedText date = formatter.FormatDate(kTuesday, style);
    ASSERT_TRUE(date.ok) << static_cast<int>(style);
    EXPECT_FALSE(date.text.empty());
    EXPECT_EQ(date.text.find(L'\0'), std::wstring::npos) << "no terminating null in the text";
  }
  EXPECT_LT(formatter.FormatDate(kTuesday, DateStyle::kShort).text.size(),
            formatter.FormatDate(kTuesday, DateStyle::kLong).text.size());
  const FormattedText withSeconds = formatter.FormatTime(kTuesday, true);
  const FormattedText withoutSeconds = formatter.FormatTime(kTuesday, false);
  ASSERT_TRUE(withSeconds.ok);
  ASSERT_TRUE(withoutSeconds.ok);
  EXPECT_NE(withSeconds.text.find(L"09"), std::wstring::npos);
  EXPECT_LT(withoutSeconds.text.size(), withSeconds.text.size());
}

TEST(WindowsDateTimeFormatter, EnglishWeekdayPicture) {
  if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) != LANG_ENGLISH) GTEST_SKIP() << "not an English locale";
  EXPECT_EQ(SystemDateTimeFormatter().FormatDate(kTuesday, DateStyle::kAbbreviatedWeekday).text, L"Tue");
}

TEST(WindowsDateTimeFormatter, InvalidTimesFailWithTheSystemsCode) {
  const FormattedText date = SystemDateTimeFormatter().FormatDate(CalendarTime{2024, 13, 0, 1, 0, 0, 0, 0}, DateStyle::kShort);
  EXPECT_FALSE(date.ok);
  EXPECT_NE(date.error, 0u);
  const FormattedText time = SystemDateTimeFormatter().FormatTime(CalendarTime{2024, 1, 1, 1, 25, 0, 0, 0}, true);
  EXPECT_FALSE(time.ok);
  EXPECT_NE(time.error, 0u);
}

}  // namespace
}  // namespace ryn::platform
