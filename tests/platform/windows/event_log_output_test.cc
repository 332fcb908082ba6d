// The event-log companion DLL built beside the library: found by name through the system's safe
// search (the application's folder holds it), with its three entry points and nothing else.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/modules.h"
#include "platform/windows/windows_api.h"
#include "support/fake_platform.h"
#include "vlib/event_log.h"

namespace VLib {
namespace {

namespace platform = ryn::platform;

std::wstring PointerText(const void* pointer) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

TEST(EventLogOutputDll, LoadsByNameWithItsThreeEntryPoints) {
  platform::ModuleLoader& loader = platform::SystemModuleLoader();
  void* module = loader.Load(platform::CompanionModuleName("EventLogOutput"));
  ASSERT_NE(module, nullptr) << "EventLogOutput.dll beside ryn_tests.exe";
  auto check = reinterpret_cast<int (*)()>(loader.EntryPoint(module, "CheckForApplicationLog"));
  auto writeW = reinterpret_cast<int (*)(const wchar_t*, uint16_t, const wchar_t*)>(loader.EntryPoint(module, "WriteToEventLogW"));
  auto writeA = reinterpret_cast<int (*)(const char*, uint16_t, const char*)>(loader.EntryPoint(module, "WriteToEventLogA"));
  ASSERT_NE(check, nullptr);
  ASSERT_NE(writeW, nullptr);
  ASSERT_NE(writeA, nullptr);
  const int answer = check();
  EXPECT_TRUE(answer == 0 || answer == 1);
  EXPECT_EQ(writeW(L"RynTest", 4, nullptr), 0) << "null text is refused";
  EXPECT_EQ(writeA("RynTest", 4, nullptr), 0);
  EXPECT_EQ(loader.EntryPoint(module, "DllMain"), nullptr) << "nothing else leaves the module";
  EXPECT_EQ(loader.EntryPoint(module, "WriteToEventLog"), nullptr);
}

// The event log's first write finds the companion through the system's loader.
TEST(EventLogOutputDll, TheEventLogReportsTheModuleAndItsWriters) {
  ryn::test::FakeDebuggerOutput debugger;
  ryn::test::FakeEventLog events;
  const ryn::test::ScopedDebuggerOutput scopedDebugger(debugger);
  const ryn::test::ScopedEventLog scopedEvents(events);
  const ReferencePointer<EventLog> log(new EventLog(L"RynTest"));
  log->Write(L"text", kEventInformation);

  const HMODULE module = GetModuleHandleW(L"EventLogOutput.dll");
  ASSERT_NE(module, nullptr) << "loaded by the first write";
  ASSERT_GE(debugger.messages.size(), 2u);
  EXPECT_EQ(debugger.messages[0], L"Check for EventLogOutput dll");
  EXPECT_EQ(debugger.messages[1], L"Load EventLogOutput result: " + PointerText(module));
  // Through the generic function pointer type, which converts to any other without a warning.
  const FARPROC entry = GetProcAddress(module, "CheckForApplicationLog");
  auto check = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(entry));
  ASSERT_NE(check, nullptr);
  if (check() == 1) {
    ASSERT_EQ(debugger.messages.size(), 3u);
    EXPECT_EQ(debugger.messages[2],
              L"EventLogOutput function pointers - WriteToEventLogWName:" +
                  PointerText(reinterpret_cast<const void*>(GetProcAddress(module, "WriteToEventLogW"))) +
                  L"  WriteToEventLogAName:" +
                  PointerText(reinterpret_cast<const void*>(GetProcAddress(module, "WriteToEventLogA"))));
    EXPECT_TRUE(log->CompanionWriters());
  } else {
    EXPECT_EQ(debugger.messages.size(), 2u);
  }
  EXPECT_EQ(events.events.size(), 1u);
}

}  // namespace
}  // namespace VLib
