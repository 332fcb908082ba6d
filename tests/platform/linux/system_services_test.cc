// Linux system services: debugger output, the C library's time zone as a rule, the clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/clock.h"
#include "platform/linux/c_library_time_zone.h"
#include "platform/linux/debug_output_channel.h"
#include "platform/modules.h"
#include "platform/thread.h"
#include "support/temp_file.h"

namespace ryn::platform {
namespace {

TEST(DebugOutputChannel, AppendsOneLinePerMessageOrDropsThem) {
  const test::TempFile file("before\n");
  DebugOutputChannel channel(file.path());
  channel.Write(L"INFO  [,1] text\r\n");
  channel.Write(L"h\u00e9");
  EXPECT_EQ(file.Read(), "before\nINFO  [,1] text\nh\xc3\xa9\n");
  DebugOutputChannel dropped("");
  dropped.Write(L"nothing");  // no destination: nothing happens
  DebugOutputChannel unwritable("/nonexistent/dir/file");
  unwritable.Write(L"nothing");
}

// Sets TZ for its lifetime.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    const char* saved = std::getenv("TZ");
    hadZone_ = saved != nullptr;
    if (hadZone_) saved_ = saved;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (hadZone_) {
      setenv("TZ", saved_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool hadZone_ = false;
  std::string saved_;
};

TEST(CLibraryTimeZone, DaylightSavingYearsBecomeAbsoluteRules) {
  const ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  const TimeZoneRule rule = CLibraryTimeZoneRule(2024);
  EXPECT_EQ(rule.bias, -60);
  EXPECT_EQ(rule.standardBias, 0);
  EXPECT_EQ(rule.daylightBias, -60);
  EXPECT_EQ(rule.daylightDate, (CalendarTime{2024, 3, 0, 31, 2, 0, 0, 0}));
  EXPECT_EQ(rule.standardDate, (CalendarTime{2024, 10, 0, 27, 3, 0, 0, 0}));
}

TEST(CLibraryTimeZone, SouthernAndFixedZones) {
  {
    const ScopedTimeZone zone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    const TimeZoneRule rule = CLibraryTimeZoneRule(2024);
    EXPECT_EQ(rule.bias, -600);
    EXPECT_EQ(rule.daylightBias, -60);
    EXPECT_EQ(rule.daylightDate, (CalendarTime{2024, 10, 0, 6, 2, 0, 0, 0}));
    EXPECT_EQ(rule.standardDate, (CalendarTime{2024, 4, 0, 7, 3, 0, 0, 0}));
  }
  {
    const ScopedTimeZone zone("EST5");
    const TimeZoneRule rule = CLibraryTimeZoneRule(2024);
    EXPECT_EQ(rule.bias, 300);
    EXPECT_EQ(rule.standardDate.month, 0);
  }
  {
    const ScopedTimeZone zone("IST-5:30");
    EXPECT_EQ(CLibraryTimeZoneRule(2024).bias, -330);
  }
}

TEST(SystemClock, TicksCountFrom1601AndTheCounterRuns) {
  const Clock& clock = SystemClock();
  const int64_t unixSeconds = static_cast<int64_t>(std::time(nullptr));
  const int64_t tickSeconds = clock.UtcTicks() / 10000000 - 11644473600;
  EXPECT_LE(std::abs(tickSeconds - unixSeconds), 2);
  int64_t frequency = 0;
  int64_t first = 0;
  int64_t second = 0;
  ASSERT_TRUE(clock.PerformanceFrequency(&frequency));
  EXPECT_GT(frequency, 0);
  ASSERT_TRUE(clock.PerformanceCounter(&first));
  ASSERT_TRUE(clock.PerformanceCounter(&second));
  EXPECT_GE(second, first);
}

TEST(Modules, ProgramAndModuleNames) {
  const auto program = ExecutableFileName();
  ASSERT_TRUE(program.has_value());
  EXPECT_EQ(program->front(), L'/');
  EXPECT_EQ(ModuleFileNameOf(reinterpret_cast<const void*>(&CurrentThreadId)), program);
  EXPECT_EQ(CompanionModuleName("EventLogOutput"), "libEventLogOutput.so");
  EXPECT_EQ(SystemModuleLoader().Load("libRynNoSuchModule.so"), nullptr);
  EXPECT_NE(CurrentThreadId(), 0u);
}

}  // namespace
}  // namespace ryn::platform
