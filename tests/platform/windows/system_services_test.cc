// Windows system services: clock, error texts, text conversion, modules, account, event log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <cwctype>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/event_log.h"
#include "platform/modules.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "platform/thread.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == Lower(end);
}

TEST(WindowsClock, TicksCountFrom1601AndTheCounterRuns) {
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
  Sleep(2);
  ASSERT_TRUE(clock.PerformanceCounter(&second));
  EXPECT_GT(second, first);
}

TEST(WindowsClock, TimeZoneRulesAreWholeForAnyYear) {
  for (const int year : {1601, 2024, 30827, 40000}) {
    const TimeZoneRule rule = SystemClock().TimeZoneForYear(year);
    EXPECT_GE(rule.bias, -14 * 60) << year;
    EXPECT_LE(rule.bias, 14 * 60) << year;
    EXPECT_LE(rule.standardDate.month, 12) << year;
    EXPECT_EQ(rule.standardDate.month == 0, rule.daylightDate.month == 0) << year << ": both dates or none";
  }
}

TEST(WindowsSystemError, TextsWithoutLineEndsAndCodesWithoutText) {
  const auto text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(text.has_value());
  ASSERT_FALSE(text->empty());
  EXPECT_NE(text->back(), L'\n');
  EXPECT_NE(text->back(), L'\r');
  EXPECT_FALSE(SystemErrorText(0x7FFFFF01).has_value());
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(LastSystemError(), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(kInsufficientBufferError, 122u);
  EXPECT_EQ(kInvalidParameterError, 87u);
}

TEST(WindowsTextEncoding, AnsiCodePageRoundTrips) {
  EXPECT_EQ(NarrowToWide(""), L"");
  EXPECT_EQ(WideToNarrow(L""), "");
  EXPECT_EQ(NarrowToWide("INFO  [src,7] text"), L"INFO  [src,7] text");
  const std::string withNull("a\0b", 3);
  EXPECT_EQ(NarrowToWide(withNull), std::wstring(L"a\0b", 3)) << "lengths, not terminators";
  EXPECT_EQ(WideToNarrow(std::wstring(L"a\0b", 3)), withNull);
  // Every byte of a single-byte code page stands for one character and comes back unchanged.
  CPINFO codePage{};
  ASSERT_TRUE(GetCPInfo(CP_ACP, &codePage));
  if (codePage.MaxCharSize == 1) {
    std::string bytes;
    for (int c = 0x20; c < 0x7F; ++c) bytes += static_cast<char>(c);
    EXPECT_EQ(WideToNarrow(NarrowToWide(bytes)), bytes);
  }
}

TEST(WindowsModules, ProgramAndModuleNames) {
  const auto program = ExecutableFileName();
  ASSERT_TRUE(program.has_value());
  EXPECT_TRUE(EndsWith(*program, L"\\ryn_tests.exe")) << WideToNarrow(*program);
  EXPECT_EQ(ModuleFileNameOf(reinterpret_cast<const void*>(&CurrentThreadId)), program);
  const auto system = ModuleFileNameOf(reinterpret_cast<const void*>(&GetLastError));
  ASSERT_TRUE(system.has_value());
  EXPECT_TRUE(EndsWith(*system, L"\\kernel32.dll")) << WideToNarrow(*system);

  const auto heap = std::make_unique<int>(0);
  EXPECT_FALSE(ModuleFileNameOf(heap.get()).has_value()) << "heap memory belongs to no module";
  EXPECT_FALSE(ModuleFileNameOf(nullptr).has_value());

  EXPECT_EQ(CompanionModuleName("EventLogOutput"), "EventLogOutput.dll");
  EXPECT_EQ(SystemModuleLoader().Load("RynNoSuchModule.dll"), nullptr);
  EXPECT_EQ(CurrentThreadId(), GetCurrentThreadId());
}

TEST(WindowsEventLog, CurrentAccountAndReports) {
  EventLogService& log = SystemEventLog();
  const Account account = log.CurrentAccount();
  EXPECT_TRUE(account.known);
  EXPECT_FALSE(account.name.empty());
  void* source = log.RegisterSource(L"RynPlatformTest");
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(log.Report(source, EventType::kInformation, L"INFO  [,1] platform test\r\n", account));
  log.DeregisterSource(source);
  EXPECT_FALSE(log.Report(nullptr, EventType::kError, L"no source", account));
}

}  // namespace
}  // namespace ryn::platform
