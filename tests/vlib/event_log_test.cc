// The event log object, its companion-module check and its streamer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/modules.h"
#include "support/fake_platform.h"
#include "vlib/event_log.h"
#include "vlib/eventlog_output_streamer.h"

namespace VLib {
namespace {

using ryn::platform::EventType;

const std::string kCompanion = ryn::platform::CompanionModuleName("EventLogOutput");

int CompanionSaysYes() { return 1; }
int CompanionSaysNo() { return 0; }
void WriteW() {}
void WriteA() {}

void* Address(auto function) { return reinterpret_cast<void*>(function); }

std::wstring PointerText(void* pointer) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

class EventLogTest : public testing::Test {
 protected:
  ReferencePointer<EventLog> NewLog() { return ReferencePointer<EventLog>(new EventLog(L"TestSource")); }

  ryn::test::FakeDebuggerOutput debugger_;
  ryn::test::FakeEventLog events_;
  ryn::test::FakeModuleLoader modules_;
  ryn::test::ScopedDebuggerOutput scopedDebugger_{debugger_};
  ryn::test::ScopedEventLog scopedEvents_{events_};
  ryn::test::ScopedModuleLoader scopedModules_{modules_};
};

TEST_F(EventLogTest, WithoutCompanionModuleEventsAreStillReported) {
  const auto log = NewLog();
  log->Write(L"first", kEventError);
  log->Write(L"second", kEventWarning);
  EXPECT_EQ(modules_.loadedNames, std::vector<std::string>{kCompanion}) << "checked once";
  EXPECT_EQ(debugger_.messages, (std::vector<std::wstring>{L"Check for EventLogOutput dll",
                                                           L"Load EventLogOutput result: 0x0000000000000000"}));
  EXPECT_EQ(events_.registeredSources, std::vector<std::wstring>{L"TestSource"});
  ASSERT_EQ(events_.events.size(), 2u);
  EXPECT_EQ(events_.events[0].text, L"first");
  EXPECT_EQ(events_.events[0].type, EventType::kError);
  EXPECT_EQ(events_.events[0].user, L"operator");
  EXPECT_EQ(events_.events[1].type, EventType::kWarning);
  EXPECT_FALSE(log->CompanionWriters());
}

TEST_F(EventLogTest, CompanionModuleThatAcceptsReportsItsWriters) {
  auto& companion = modules_.modules[kCompanion];
  companion = {{"CheckForApplicationLog", Address(&CompanionSaysYes)},
               {"WriteToEventLogW", Address(&WriteW)},
               {"WriteToEventLogA", Address(&WriteA)}};
  const auto log = NewLog();
  log->Write(L"text", kEventInformation);
  ASSERT_EQ(debugger_.messages.size(), 3u);
  EXPECT_EQ(debugger_.messages[1], L"Load EventLogOutput result: " + PointerText(&companion));
  EXPECT_EQ(debugger_.messages[2], L"EventLogOutput function pointers - WriteToEventLogWName:" +
                                       PointerText(Address(&WriteW)) + L"  WriteToEventLogAName:" +
                                       PointerText(Address(&WriteA)));
  EXPECT_TRUE(log->CompanionWriters());
  EXPECT_EQ(events_.events.size(), 1u) << "the companion's writers are not used for writing";
}

TEST_F(EventLogTest, CompanionModuleThatDeclinesOrLacksTheCheck) {
  modules_.modules[kCompanion] = {{"CheckForApplicationLog", Address(&CompanionSaysNo)},
                                              {"WriteToEventLogW", Address(&WriteW)}};
  NewLog()->Write(L"a", kEventInformation);
  EXPECT_EQ(debugger_.messages.size(), 2u);
  modules_.modules[kCompanion] = {{"WriteToEventLogW", Address(&WriteW)}};
  NewLog()->Write(L"b", kEventInformation);
  EXPECT_EQ(debugger_.messages.size(), 4u);
  EXPECT_EQ(events_.events.size(), 2u);
}

TEST_F(EventLogTest, FailedReportsGoToTheDebuggerAndSourcesAreDeregistered) {
  events_.reportFails = true;
  {
    const auto log = NewLog();
    log->Write(L"lost event", kEventError);
    EXPECT_EQ(debugger_.messages.back(), L"lost event");
  }
  EXPECT_EQ(events_.deregistrations, 1);
  events_.registerFails = true;
  events_.reportFails = false;
  NewLog()->Write(L"no source", kEventError);
  EXPECT_EQ(debugger_.messages.back(), L"no source");
  EXPECT_EQ(events_.deregistrations, 1) << "nothing registered, nothing to deregister";
}

TEST_F(EventLogTest, FacilityTypesBecomeEventTypes) {
  EXPECT_EQ(EventLog::SystemEventType(kEventInformation), EventType::kInformation);
  EXPECT_EQ(EventLog::SystemEventType(kEventWarning), EventType::kWarning);
  EXPECT_EQ(EventLog::SystemEventType(kEventError), EventType::kError);
  EXPECT_EQ(EventLog::SystemEventType(kEventAuditSuccess), EventType::kAuditSuccess);
  EXPECT_EQ(EventLog::SystemEventType(kEventAuditFailure), EventType::kAuditFailure);
  EXPECT_EQ(EventLog::SystemEventType(5), EventType::kInformation);
}

TEST_F(EventLogTest, StreamerWritesTheStandardLineWithTypeBySeverity) {
  EventlogOutputStreamer streamer(NewLog());
  for (uint32_t severity = 0; severity < 6; ++severity) streamer.Write({3, "ev", severity}, L"t");
  ASSERT_EQ(events_.events.size(), 6u);
  const EventType expected[] = {EventType::kError, EventType::kInformation, EventType::kWarning,
                                EventType::kInformation, EventType::kInformation, EventType::kInformation};
  for (uint32_t severity = 0; severity < 6; ++severity) EXPECT_EQ(events_.events[severity].type, expected[severity]);
  EXPECT_EQ(events_.events[0].text, L"ERROR [ev,3] t\r\n");
}

TEST(EventLog, DefaultsToTheProgramNameAndTheApplicationLog) {
  const std::wstring program = *ryn::platform::ExecutableFileName();
  EXPECT_EQ(ReferencePointer<EventLog>(new EventLog())->SourceName(), program.substr(program.find_last_of(L"/\\") + 1));
  EXPECT_EQ(EventLog::LogName(), L"Application");
}

}  // namespace
}  // namespace VLib
