// Fakes of the platform services, installed for the lifetime of a scope.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/date_time_format.h"
#include "platform/debugger_output.h"
#include "platform/event_log.h"
#include "platform/modules.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace ryn::test {

// Installs `fake` through the service's override while in scope.
template <class Override, class Service>
class ScopedService {
 public:
  explicit ScopedService(Service& fake) { Override::SetForTesting(&fake); }
  ~ScopedService() { Override::SetForTesting(nullptr); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;
};

class FakeConsole final : public platform::Console {
 public:
  struct Line {
    platform::ConsoleStream stream;
    uint16_t attribute;
    std::wstring text;
  };

  bool HasStream(platform::ConsoleStream stream) const override {
    return stream == platform::ConsoleStream::kError ? hasError : hasOutput;
  }
  bool HasWindow() const override { return hasWindow; }
  void WriteLine(platform::ConsoleStream stream, uint16_t attribute, std::wstring_view text) override {
    std::lock_guard lock(mutex_);
    lines.push_back({stream, attribute, std::wstring(text)});
  }

  bool hasOutput = true;
  bool hasError = true;
  bool hasWindow = true;
  std::vector<Line> lines;

 private:
  std::mutex mutex_;
};
using ScopedConsole = ScopedService<platform::ConsoleOverride, platform::Console>;

class FakeDebuggerOutput final : public platform::DebuggerOutput {
 public:
  void Write(std::wstring_view text) override {
    std::lock_guard lock(mutex_);
    messages.emplace_back(text);
  }
  std::vector<std::wstring> messages;

 private:
  std::mutex mutex_;
};
using ScopedDebuggerOutput = ScopedService<platform::DebuggerOutputOverride, platform::DebuggerOutput>;

class FakeClock final : public platform::Clock {
 public:
  int64_t UtcTicks() const override { return ticks; }
  platform::TimeZoneRule TimeZoneForYear(int) const override { return rule; }
  bool PerformanceCounter(int64_t* count) const override {
    *count = 0;
    return true;
  }
  bool PerformanceFrequency(int64_t* value) const override {
    *value = frequency;
    return frequencyAvailable;
  }

  int64_t ticks = 0;
  platform::TimeZoneRule rule;
  int64_t frequency = 10000000;
  bool frequencyAvailable = true;
};
using ScopedClock = ScopedService<platform::ClockOverride, platform::Clock>;

// Dates as "D<style>:<y>-<m>-<d>", times as "T<seconds?>:<h>:<m>:<s>", or failures.
class FakeDateTimeFormatter final : public platform::DateTimeFormatter {
 public:
  platform::FormattedText FormatDate(const platform::CalendarTime& t, platform::DateStyle style) const override {
    if (dateError != 0) return {false, {}, dateError};
    if (dateText) return {true, *dateText, 0};
    return {true, L"D" + std::to_wstring(static_cast<int>(style)) + L":" + std::to_wstring(t.year) + L"-" +
                      std::to_wstring(t.month) + L"-" + std::to_wstring(t.day),
            0};
  }
  platform::FormattedText FormatTime(const platform::CalendarTime& t, bool withSeconds) const override {
    if (timeError != 0) return {false, {}, timeError};
    return {true, std::wstring(withSeconds ? L"TS:" : L"T:") + std::to_wstring(t.hour) + L":" +
                      std::to_wstring(t.minute) + L":" + std::to_wstring(t.second),
            0};
  }

  std::optional<std::wstring> dateText;
  uint32_t dateError = 0;
  uint32_t timeError = 0;
};
using ScopedDateTimeFormatter = ScopedService<platform::DateTimeFormatterOverride, platform::DateTimeFormatter>;

class FakeRegistry final : public platform::Registry {
 public:
  std::optional<std::vector<platform::RegistryValue>> ReadKey(std::wstring_view path) const override {
    const auto found = keys.find(std::wstring(path));
    if (found == keys.end()) return std::nullopt;
    return found->second;
  }
  FakeRegistry& Dword(const std::wstring& key, const std::wstring& name, uint32_t value) {
    platform::RegistryValue v;
    v.name = name;
    v.type = platform::RegistryValue::Type::kDword;
    v.dword = value;
    keys[key].push_back(v);
    return *this;
  }
  std::map<std::wstring, std::vector<platform::RegistryValue>> keys;
};

class FakeEventLog final : public platform::EventLogService {
 public:
  struct Event {
    std::wstring source;
    platform::EventType type;
    std::wstring text;
    std::wstring user;
  };

  void* RegisterSource(std::wstring_view source) override {
    registeredSources.emplace_back(source);
    return registerFails ? nullptr : &registeredSources.back();
  }
  void DeregisterSource(void*) override { ++deregistrations; }
  bool Report(void* handle, platform::EventType type, std::wstring_view text, const platform::Account& user) override {
    if (handle == nullptr || reportFails) return false;
    events.push_back({*static_cast<std::wstring*>(handle), type, std::wstring(text), user.name});
    return true;
  }
  platform::Account CurrentAccount() const override { return {L"operator", 1000, true}; }

  bool registerFails = false;
  bool reportFails = false;
  int deregistrations = 0;
  std::vector<std::wstring> registeredSources;  // reserved so that handles stay valid
  std::vector<Event> events;

  FakeEventLog() { registeredSources.reserve(16); }
};
using ScopedEventLog = ScopedService<platform::EventLogOverride, platform::EventLogService>;

class FakeModuleLoader final : public platform::ModuleLoader {
 public:
  void* Load(const std::string& name) override {
    loadedNames.push_back(name);
    const auto found = modules.find(name);
    return found != modules.end() ? &found->second : nullptr;
  }
  void* EntryPoint(void* module, const char* name) override {
    auto& symbols = *static_cast<std::map<std::string, void*>*>(module);
    const auto found = symbols.find(name);
    return found != symbols.end() ? found->second : nullptr;
  }

  std::map<std::string, std::map<std::string, void*>> modules;
  std::vector<std::string> loadedNames;
};
using ScopedModuleLoader = ScopedService<platform::ModuleLoaderOverride, platform::ModuleLoader>;

class FakeProcess final : public platform::Process {
 public:
  void Sleep(uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    if (onSleep) onSleep();
  }
  void TerminateNow() override { ++terminations; }

  std::vector<uint32_t> sleeps;
  int terminations = 0;
  std::function<void()> onSleep;
};
using ScopedProcess = ScopedService<platform::ProcessOverride, platform::Process>;

}  // namespace ryn::test
