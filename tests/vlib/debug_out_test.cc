// Diagnostic lines: the standard format, the filter, and each streamer seen through fakes.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/modules.h"
#include "platform/text_encoding.h"
#include "support/fake_platform.h"
#include "support/temp_file.h"
#include "vlib/calendar.h"
#include "vlib/console_output_streamer.h"
#include "vlib/debug_out.h"
#include "vlib/debug_out_streamer.h"
#include "vlib/debug_window_output_streamer.h"
#include "vlib/output_history_streamer.h"
#include "vlib/standard_line.h"
#include "vlib/support_library.h"

namespace VLib {
namespace {

using ryn::platform::ConsoleStream;
using ryn::test::FakeConsole;
using ryn::test::FakeDebuggerOutput;

ReferencePointer<DebugOutStreamer> NewStreamer(DebugOutConfiguration configuration = {}, bool consoleWindow = true) {
  return ReferencePointer<DebugOutStreamer>(new DebugOutStreamer(std::move(configuration), consoleWindow));
}

// Every test sees fake console and debugger output.
class DebugOutTest : public testing::Test {
 protected:
  FakeConsole console_;
  FakeDebuggerOutput debugger_;
  ryn::test::ScopedConsole scopedConsole_{console_};
  ryn::test::ScopedDebuggerOutput scopedDebugger_{debugger_};
};

TEST(StandardLine, TagSourceThreadTextAndLineEnd) {
  EXPECT_EQ(StandardLine({4242, "", kSeverityInfo}, L"text"), L"INFO  [,4242] text\r\n");
  EXPECT_EQ(StandardLine({7, "VCA", kSeverityError}, L"x"), L"ERROR [VCA,7] x\r\n");
  EXPECT_EQ(StandardLine({4294967295u, "s", kSeveritySecurity}, L""), L"SECTY [s,4294967295] \r\n");
  EXPECT_EQ(StandardLine({1, "", kSeverityWarning}, L"w"), L"WARNG [,1] w\r\n");
  EXPECT_EQ(StandardLine({1, "", kSeverityDebug}, L"d"), L"DEBUG [,1] d\r\n");
  EXPECT_EQ(StandardLine({1, "", 5}, L"u"), L"UNKNOWN [,1] u\r\n");
}

TEST_F(DebugOutTest, LineObjectAppendsTextAndNumbersAndWritesWhenItEnds) {
  const auto streamer = NewStreamer();
  {
    DebugOut line({31, "", kSeverityInfo}, kTargetConsole, streamer);
    line << "value " << -42 << " and " << 2147483647 << " " << ryn::platform::WideToNarrow(L"\u00e9");
    EXPECT_TRUE(console_.lines.empty()) << "nothing is written before the line ends";
  }
  ASSERT_EQ(console_.lines.size(), 1u);
  EXPECT_EQ(console_.lines[0].text, L"INFO  [,31] value -42 and 2147483647 \u00e9\r\n");
  const auto history = streamer->History().Records();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].text, L"value -42 and 2147483647 \u00e9");
  EXPECT_EQ(history[0].severity, kSeverityInfo);
}

TEST_F(DebugOutTest, ConsoleColourAndStreamBySeverity) {
  const auto streamer = NewStreamer();
  struct Expected {
    uint32_t severity;
    ConsoleStream stream;
    uint16_t attribute;
  };
  const Expected expected[] = {{0, ConsoleStream::kError, 12}, {1, ConsoleStream::kOutput, 13},
                               {2, ConsoleStream::kOutput, 14}, {3, ConsoleStream::kOutput, 11},
                               {4, ConsoleStream::kOutput, 7},  {9, ConsoleStream::kOutput, 7}};
  for (const Expected& e : expected) streamer->Emit({1, "src", e.severity}, kTargetConsole, L"t");
  ASSERT_EQ(console_.lines.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(console_.lines[i].stream, expected[i].stream) << i;
    EXPECT_EQ(console_.lines[i].attribute, expected[i].attribute) << i;
    EXPECT_EQ(console_.lines[i].text, StandardLine({1, "src", expected[i].severity}, L"t"));
  }
}

TEST_F(DebugOutTest, MissingConsoleStreamIsReportedOnceAndSkipped) {
  console_.hasOutput = false;
  const auto streamer = NewStreamer();
  EXPECT_EQ(debugger_.messages, std::vector<std::wstring>{L"ConsoleOutputStreamer::GetStdHandle STD_OUTPUT failed"});
  streamer->Emit({1, "", kSeverityInfo}, kTargetConsole, L"lost");
  streamer->Emit({1, "", kSeverityError}, kTargetConsole, L"shown");
  ASSERT_EQ(console_.lines.size(), 1u);
  EXPECT_EQ(console_.lines[0].stream, ConsoleStream::kError);
  EXPECT_EQ(debugger_.messages.size(), 1u);
}

TEST_F(DebugOutTest, LongConsoleLinesAreCut) {
  const auto streamer = NewStreamer();
  streamer->Emit({1, "", kSeverityInfo}, kTargetConsole, std::wstring(70000, L'x'));
  ASSERT_EQ(console_.lines.size(), 1u);
  EXPECT_EQ(console_.lines[0].text.size(), ConsoleOutputStreamer::kMaxLineLength);
  EXPECT_EQ(debugger_.messages, std::vector<std::wstring>{L"ClipSizeT failed - Size > MaxSize"});
  streamer->Emit({1, "", kSeverityInfo}, kTargetConsole, std::wstring(65536 - 13, L'x'));
  EXPECT_EQ(console_.lines[1].text.size(), 65536u) << "a line of exactly the limit is whole";
  EXPECT_EQ(debugger_.messages.size(), 1u);
}

TEST_F(DebugOutTest, ConsoleTimeModesPutLocalTimeInFront) {
  ryn::test::FakeClock clock;
  clock.ticks = SystemTimeToMilliseconds(CalendarTime{2024, 7, 0, 1, 10, 30, 5, 0}) * 10000;
  clock.rule.bias = -60;  // no daylight saving time
  ryn::test::FakeDateTimeFormatter formatter;
  ryn::test::ScopedClock scopedClock(clock);
  ryn::test::ScopedDateTimeFormatter scopedFormatter(formatter);
  const std::wstring line = L"INFO  [,1] t\r\n";
  const std::pair<uint32_t, std::wstring> modes[] = {
      {0, line},
      {1, L"TS:11:30:5 " + line},
      {2, L"D2:2024-7-1 TS:11:30:5 " + line},
      {3, L"D0:2024-7-1 TS:11:30:5 " + line},
  };
  for (const auto& [mode, expected] : modes) {
    DebugOutConfiguration configuration;
    configuration.consoleTimeMode = mode;
    NewStreamer(configuration)->Emit({1, "", kSeverityInfo}, kTargetConsole, L"t");
    EXPECT_EQ(console_.lines.back().text, expected) << "mode " << mode;
  }
}

TEST_F(DebugOutTest, FilterDropsLinesAndAppends) {
  DebugOutConfiguration configuration;
  configuration.sourceLevels["VCA"] = 5;
  const auto streamer = NewStreamer(configuration);
  DebugOut({1, "", kSeverityDebug}, kTargetConsole, streamer) << "dropped";
  DebugOut({1, "other", kSeverityDebug}, kTargetConsole, streamer) << "dropped";
  DebugOut({1, "vca", kSeverityDebug}, kTargetConsole, streamer) << "kept";
  DebugOut({1, "", kSeverityError}, kTargetConsole, streamer) << "kept";
  ASSERT_EQ(console_.lines.size(), 2u);
  EXPECT_EQ(console_.lines[0].text, L"DEBUG [vca,1] kept\r\n");
  EXPECT_EQ(streamer->History().Size(), 2u) << "filtered lines do not reach the history either";

  DebugOut rejected({1, "", kSeverityDebug}, kTargetConsole, streamer);
  rejected << "text";
  EXPECT_TRUE(rejected.Text().empty());
}

TEST_F(DebugOutTest, EmptyLinesAndLinesWithoutStreamerWriteNothing) {
  const auto streamer = NewStreamer();
  { DebugOut empty({1, "", kSeverityInfo}, kTargetConsole, streamer); }
  { DebugOut orphan({1, "", kSeverityInfo}, kTargetConsole, {}); orphan << "x"; }
  EXPECT_TRUE(console_.lines.empty());
  EXPECT_EQ(streamer->History().Size(), 0u);
  EXPECT_TRUE(debugger_.messages.empty());
}

TEST_F(DebugOutTest, TargetThirtyTwoStandsForTheDefaultTargets) {
  const auto withConsole = NewStreamer({}, true);
  EXPECT_EQ(withConsole->DefaultTargets(), kTargetConsole);
  withConsole->Emit({1, "", kSeverityInfo}, kTargetDefault, L"a");
  ASSERT_EQ(console_.lines.size(), 1u);
  EXPECT_TRUE(debugger_.messages.empty());

  DebugOutConfiguration noPrefix;
  noPrefix.debugWindowSourcePrefix = 0;
  const auto withoutConsole = NewStreamer(noPrefix, false);
  EXPECT_EQ(withoutConsole->DefaultTargets(), kTargetDebugWindow);
  EXPECT_TRUE(withoutConsole->HasStreamerFor(kTargetDebugWindow));
  EXPECT_FALSE(withoutConsole->HasStreamerFor(kTargetConsole));
  withoutConsole->Emit({1, "", kSeverityInfo}, kTargetDefault, L"b");
  EXPECT_EQ(console_.lines.size(), 1u);
  EXPECT_EQ(debugger_.messages, std::vector<std::wstring>{L"INFO  [,1] b\r\n"});
  withoutConsole->Emit({1, "", kSeverityInfo}, kTargetUnused, L"c");
  EXPECT_FALSE(withoutConsole->HasStreamerFor(kTargetUnused)) << "bit 8 has no streamer";
  EXPECT_EQ(withoutConsole->History().Size(), 2u);
}

TEST_F(DebugOutTest, LinesBeforeStaticInitialisationGoToTheDebuggerOnly) {
  const auto streamer = NewStreamer();
  SetSupportLibraryInitialisedForTesting(false);
  DebugOut({1, "", kSeverityInfo}, kTargetConsole, streamer) << "early";
  DebugOut({1, "", kSeverityDebug}, kTargetConsole, streamer) << "filtered";
  SetSupportLibraryInitialisedForTesting(true);
  EXPECT_EQ(debugger_.messages, std::vector<std::wstring>{L"STATOUT: early"});
  EXPECT_TRUE(console_.lines.empty());
  EXPECT_EQ(streamer->History().Size(), 0u);
}

TEST_F(DebugOutTest, DebugWindowPrefixNamesModuleOrProgram) {
  const std::wstring program = *ryn::platform::ExecutableFileName();
  const std::wstring programName = program.substr(program.find_last_of(L"/\\") + 1) + L":";
  EXPECT_EQ(DebugWindowOutputStreamer(0).Prefix(), L"");
  // The unit tests carry the library's code in their own executable.
  EXPECT_EQ(DebugWindowOutputStreamer(1).Prefix(), programName);
  EXPECT_EQ(DebugWindowOutputStreamer(2).Prefix(), programName);

  DebugOutConfiguration configuration;
  configuration.debugWindowSourcePrefix = 2;
  NewStreamer(configuration, false)->Emit({5, "S", kSeverityWarning}, kTargetDebugWindow, L"w");
  EXPECT_EQ(debugger_.messages, std::vector<std::wstring>{programName + L"WARNG [S,5] w\r\n"});
}

// The file is a text stream: its lines end as the system's text files do.
#ifdef _WIN32
constexpr const char* kTextLineEnd = "\r\n";
#else
constexpr const char* kTextLineEnd = "\n";
#endif

TEST_F(DebugOutTest, FileTargetAppendsDatedNarrowLines) {
  ryn::test::FakeClock clock;
  clock.ticks = SystemTimeToMilliseconds(CalendarTime{2024, 7, 0, 1, 10, 30, 5, 7}) * 10000;
  ryn::test::ScopedClock scopedClock(clock);
  const ryn::test::TempFile file("earlier\n");
  DebugOutConfiguration configuration;
  configuration.fileName = ryn::platform::NarrowToWide(file.path());
  const auto streamer = NewStreamer(configuration);
  DebugOut({9, "src", kSeverityInfo}, kTargetFile, streamer) << "h\xc3\xa9llo";
  EXPECT_EQ(file.Read(), std::string("earlier\n2024-07-01 10:30:05.007 INFO  [src,9] h\xc3\xa9llo") + kTextLineEnd);
  EXPECT_TRUE(console_.lines.empty());

  DebugOut({9, "src", kSeverityInfo}, kTargetFile, NewStreamer()) << "nowhere";  // no file configured
}

TEST(OutputHistoryStreamer, KeepsAtMostOneLessThanItsCapacity) {
  ryn::test::FakeClock clock;
  ryn::test::ScopedClock scopedClock(clock);
  OutputHistoryStreamer history;
  for (int i = 0; i < 2000; ++i) history.Write({1, "s", kSeverityInfo}, std::to_wstring(i));
  const auto records = history.Records();
  ASSERT_EQ(records.size(), 1023u);
  EXPECT_EQ(records.front().text, L"977");
  EXPECT_EQ(records.back().text, L"1999");
  EXPECT_EQ(records.back().source, "s");

  const auto streamer = NewStreamer({}, false);
  for (int i = 0; i < 1030; ++i) streamer->Emit({1, "", kSeverityError}, kTargetUnused, L"x");
  EXPECT_EQ(streamer->History().Size(), 1023u);
}

// A console that writes one character at a time and yields in between: lines written without
// the streamer's lock would interleave.
class CharacterConsole final : public ryn::platform::Console {
 public:
  bool HasStream(ConsoleStream) const override { return true; }
  bool HasWindow() const override { return true; }
  void WriteLine(ConsoleStream, uint16_t, std::wstring_view text) override {
    for (wchar_t c : text) {
      output += c;
      std::this_thread::yield();
    }
  }
  std::wstring output;
};

TEST(DebugOutConcurrency, LinesFromSeveralThreadsNeverInterleave) {
  CharacterConsole console;
  ryn::test::ScopedConsole scoped(console);
  const auto streamer = NewStreamer();
  constexpr int kThreads = 4;
  constexpr int kLines = 100;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kLines; ++i) {
        DebugOut(DebugOutRecord{static_cast<uint32_t>(t), "", kSeverityInfo}, kTargetConsole, streamer)
            << "thread " << t << " line " << i;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  std::vector<int> next(kThreads, 0);
  size_t start = 0;
  int lines = 0;
  for (size_t end = console.output.find(L"\r\n"); end != std::wstring::npos;
       start = end + 2, end = console.output.find(L"\r\n", start), ++lines) {
    const std::wstring line = console.output.substr(start, end - start);
    int t = -1;
    int i = -1;
    ASSERT_EQ(swscanf(line.c_str(), L"INFO  [,%*d] thread %d line %d", &t, &i), 2) << "garbled: " << std::string(line.begin(), line.end());
    ASSERT_EQ(line, L"INFO  [," + std::to_wstring(t) + L"] thread " + std::to_wstring(t) + L" line " + std::to_wstring(i));
    EXPECT_EQ(i, next[t]++) << "each thread's lines stay in order";
  }
  EXPECT_EQ(lines, kThreads * kLines);
  EXPECT_EQ(start, console.output.size());
}

}  // namespace
}  // namespace VLib
