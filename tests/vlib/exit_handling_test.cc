// The exit-time handling of the process-wide streamer and the static initialisation's checks.
#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "vlib/debug_out_streamer.h"
#include "vlib/support_library.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

TEST(ExitHandling, WaitsForOtherHoldersThenEndsTheProcess) {
  ryn::test::FakeProcess process;
  ryn::test::ScopedProcess scoped(process);
  ReferencePointer<DebugOutStreamer> held = DebugOutStreamer::Instance();
  DebugOutStreamer* const instance = held.get();
  ReleaseProcessObjectsAtExit();
  EXPECT_EQ(process.sleeps, std::vector<uint32_t>(20, 100));
  EXPECT_EQ(process.terminations, 1);
  EXPECT_EQ(DebugOutStreamer::Instance().get(), instance) << "the streamer is kept when the process goes on";
}

TEST(ExitHandling, ReleasesTheStreamerOnceTheLastOtherHolderLetsGo) {
  ryn::test::FakeProcess process;
  ryn::test::ScopedProcess scoped(process);
  ReferencePointer<DebugOutStreamer> held = DebugOutStreamer::Instance();
  EXPECT_EQ(held->GlobalReferenceCount(), 2u);
  process.onSleep = [&] {
    if (process.sleeps.size() == 3) held.Reset();
  };
  ReleaseProcessObjectsAtExit();
  EXPECT_EQ(process.sleeps.size(), 3u);
  EXPECT_EQ(process.terminations, 0);
  // A new streamer serves whoever writes next.
  const ReferencePointer<DebugOutStreamer> fresh = DebugOutStreamer::Instance();
  EXPECT_EQ(fresh->GlobalReferenceCount(), 2u);
  EXPECT_TRUE(fresh->IsReady());
}

TEST(ExitHandling, NoWaitWhenOnlyTheProcessHoldsTheStreamer) {
  ryn::test::FakeProcess process;
  ryn::test::ScopedProcess scoped(process);
  DebugOutStreamer::Instance();
  ReleaseProcessObjectsAtExit();
  ReleaseProcessObjectsAtExit();
  EXPECT_TRUE(process.sleeps.empty());
  EXPECT_EQ(process.terminations, 0);
}

TEST(StaticInitialisation, HasRunAndChecksTheTimerFrequency) {
  EXPECT_TRUE(SupportLibraryInitialised());
  ryn::test::FakeClock clock;
  ryn::test::FakeDebuggerOutput debugger;
  ryn::test::ScopedClock scopedClock(clock);
  ryn::test::ScopedDebuggerOutput scopedDebugger(debugger);
  CheckTimerFrequency();
  EXPECT_TRUE(debugger.messages.empty());
  clock.frequency = 0;
  CheckTimerFrequency();
  EXPECT_EQ(debugger.messages, std::vector<std::wstring>{L"Result.QuadPart > 0"});
  clock.frequencyAvailable = false;
  try {
    CheckTimerFrequency();
    ADD_FAILURE() << "no exception";
  } catch (const SystemException& e) {
    EXPECT_EQ(e.Context(), "VLib::GetVLibTimerFrequency");
  }
}

}  // namespace
}  // namespace VLib
