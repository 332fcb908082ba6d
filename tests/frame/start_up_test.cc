// The start-up line: its four forms, the failure form, repeated calls.
#include <gtest/gtest.h>

#include <string>

#include "RynRAZUdidazoror.h"
#include "frame/variant.h"
#include "platform/thread.h"
#include "support/default_diagnostics.h"
#include "support/fake_cpu.h"
#include "support/fake_platform.h"
#include "vlib/debug_out_streamer.h"

namespace ryn::test {
namespace {

constexpr uint32_t kSse3 = 1u << 0;
constexpr uint32_t kSsse3 = 1u << 9;
constexpr uint32_t kSse41 = 1u << 19;
constexpr uint32_t kAes = 1u << 25;
constexpr uint32_t kOsXsave = 1u << 27;
constexpr uint32_t kAvx = 1u << 28;
constexpr uint32_t kBaseline = kSse3 | kSsse3 | kSse41;

// Runs fnVCAIPP_InitIPP on a fake processor and collects the console lines it writes through
// the process-wide streamer, whatever the machine's registry file says.
class StartUpTest : public testing::Test {
 protected:
  std::vector<std::wstring> InitOn(const FakeCpu& cpu, int calls = 1) {
    ScopedFakeCpu scopedCpu(cpu);
    const size_t before = console_.lines.size();
    for (int i = 0; i < calls; ++i) {
      fnVCAIPP_InitIPP();
      indices_.push_back(VariantIndex());
    }
    std::vector<std::wstring> lines;
    for (size_t i = before; i < console_.lines.size(); ++i) {
      EXPECT_EQ(console_.lines[i].stream, platform::ConsoleStream::kOutput);
      EXPECT_EQ(console_.lines[i].attribute, platform::kConsoleLightCyan);
      lines.push_back(console_.lines[i].text);
    }
    return lines;
  }

  static std::wstring Line(const std::wstring& text) {
    return L"INFO  [," + std::to_wstring(platform::CurrentThreadId()) + L"] " + text + L"\r\n";
  }

  FakeConsole console_;
  ScopedConsole scopedConsole_{console_};
  ScopedDefaultDiagnostics diagnostics_;
  std::vector<int> indices_;
};

FakeCpu IntelWith(uint32_t ecx, bool avxEnabled = true) {
  FakeCpu cpu("GenuineIntel", ecx | (avxEnabled ? kOsXsave : 0), 0);
  cpu.SetXcr0(avxEnabled ? 0x7 : 0);
  return cpu;
}

TEST_F(StartUpTest, FourFormsByAvxAndAes) {
  EXPECT_EQ(InitOn(IntelWith(kBaseline | kAvx | kAes)),
            std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0.205 (CPU supports AVX, AES)")});
  EXPECT_EQ(InitOn(IntelWith(kBaseline | kAvx)),
            std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0 (CPU supports AVX)")});
  EXPECT_EQ(InitOn(IntelWith(kBaseline | kAes)),
            std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0 (CPU supports AES)")});
  EXPECT_EQ(InitOn(IntelWith(kBaseline)),
            std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0 (CPU doesn't support AVX, AES)")});
  EXPECT_EQ(indices_, (std::vector<int>{5, 5, 4, 4}));
}

TEST_F(StartUpTest, AvxWithoutOperatingSystemSupportStillCountsForTheLine) {
  EXPECT_EQ(InitOn(IntelWith(kBaseline | kAvx | kAes, false)),
            std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0.205 (CPU supports AVX, AES)")});
  EXPECT_EQ(indices_, std::vector<int>{4});
}

TEST_F(StartUpTest, ProcessorWithoutSse3GivesTheErrorLine) {
  EXPECT_EQ(InitOn(IntelWith(kAes, false)), std::vector<std::wstring>{Line(L"RAZUdidazoror: IPP INIT ERROR!")});
  EXPECT_EQ(indices_, std::vector<int>{0});
}

TEST_F(StartUpTest, OtherVendorGivesTheOrdinaryLine) {
  FakeCpu other("AuthenticAMD", kBaseline | kAes, 0);
  EXPECT_EQ(InitOn(other), std::vector<std::wstring>{Line(L"RAZUdidazoror inits IPP 7.0 (CPU supports AES)")});
  EXPECT_EQ(indices_, std::vector<int>{4});
}

TEST_F(StartUpTest, EveryCallWritesALineAndSelectsTheSameVariant) {
  const auto lines = InitOn(IntelWith(kBaseline | kAvx), 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], lines[1]);
  EXPECT_EQ(indices_, (std::vector<int>{5, 5}));
  const auto history = diagnostics_.streamer().History().Records();
  ASSERT_GE(history.size(), 2u);
  EXPECT_EQ(history.back().text, L"RAZUdidazoror inits IPP 7.0 (CPU supports AVX)");
  EXPECT_EQ(history.back().severity, 3u);
  EXPECT_EQ(history.back().source, "");
}

TEST_F(StartUpTest, TheFilterDecidesWhetherTheLineIsShown) {
  VLib::DebugOutConfiguration quiet;
  quiet.defaultLevel = 3;
  diagnostics_.streamer().ReplaceConfigurationForTesting(quiet);
  EXPECT_TRUE(InitOn(IntelWith(kBaseline)).empty());
  EXPECT_EQ(indices_, std::vector<int>{4}) << "the variant is selected all the same";
}

}  // namespace
}  // namespace ryn::test
