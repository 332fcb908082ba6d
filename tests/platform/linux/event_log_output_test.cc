// The event-log companion module built beside the library.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>

namespace {

// The real companion module, loaded by its path.
TEST(EventLogOutputModule, ExportsTheThreeEntryPoints) {
  void* module = dlopen(RYN_EVENT_LOG_OUTPUT_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  auto check = reinterpret_cast<int (*)()>(dlsym(module, "CheckForApplicationLog"));
  auto writeW = reinterpret_cast<int (*)(const wchar_t*, uint16_t, const wchar_t*)>(dlsym(module, "WriteToEventLogW"));
  auto writeA = reinterpret_cast<int (*)(const char*, uint16_t, const char*)>(dlsym(module, "WriteToEventLogA"));
  ASSERT_NE(check, nullptr);
  ASSERT_NE(writeW, nullptr);
  ASSERT_NE(writeA, nullptr);
  const int answer = check();
  EXPECT_TRUE(answer == 0 || answer == 1);
  // Null text is refused without touching the system log.
  EXPECT_EQ(writeW(L"ryn", 4, nullptr), 0);
  EXPECT_EQ(writeA("ryn", 4, nullptr), 0);
  EXPECT_EQ(dlsym(module, "SyslogPriority"), nullptr) << "nothing else leaves the module";
  dlclose(module);
}

}  // namespace
