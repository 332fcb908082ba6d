#include "vlib/event_log.h"

#include <cwchar>
#include <mutex>
#include <optional>

#include "platform/modules.h"
#include "vlib/debugger_text.h"
#include "vlib/text_format.h"

namespace VLib {
namespace {

namespace platform = ryn::platform;

// Made on first use and never destroyed: static initialisation and exit-time handlers lock it, in
// whatever order they run.
CriticalSection& InstanceLock() {
  static CriticalSection* const lock = new CriticalSection;
  return *lock;
}

constinit EventLog* g_instance = nullptr;
constinit std::wstring* g_logName = nullptr;

std::wstring PointerText(const void* pointer) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

std::wstring DefaultSourceName() {
  const std::optional<std::wstring> program = platform::ExecutableFileName();
  if (!program || program->empty()) return L"RynRAZUdidazoror";
  const size_t slash = program->find_last_of(L"/\\");
  return slash == std::wstring::npos ? *program : program->substr(slash + 1);
}

std::wstring Formatted(std::wstring_view format, const std::vector<std::wstring>& arguments) {
  std::wstring text;
  Text::Format(format, text, arguments);
  return text;
}

}  // namespace

EventLog::EventLog(std::wstring sourceName)
    : sourceName_(sourceName.empty() ? DefaultSourceName() : std::move(sourceName)) {}

platform::EventType EventLog::SystemEventType(uint32_t type) {
  switch (type) {
    case kEventWarning:
      return platform::EventType::kWarning;
    case kEventError:
      return platform::EventType::kError;
    case kEventAuditSuccess:
      return platform::EventType::kAuditSuccess;
    case kEventAuditFailure:
      return platform::EventType::kAuditFailure;
    default:
      return platform::EventType::kInformation;
  }
}

void EventLog::CheckForCompanionModule() {
  companionChecked_ = true;
  OutputDebugText(L"Check for EventLogOutput dll");
  platform::ModuleLoader& loader = platform::ActiveModuleLoader();
  void* module = loader.Load(platform::CompanionModuleName(kCompanionModule));
  OutputDebugText(Formatted(L"Load EventLogOutput result: {0}", {PointerText(module)}));
  if (module == nullptr) return;
  auto check = reinterpret_cast<int (*)()>(loader.EntryPoint(module, "CheckForApplicationLog"));
  if (check == nullptr || check() == 0) return;
  writeW_ = loader.EntryPoint(module, "WriteToEventLogW");
  writeA_ = loader.EntryPoint(module, "WriteToEventLogA");
  OutputDebugText(Formatted(L"EventLogOutput function pointers - WriteToEventLogWName:{0}  WriteToEventLogAName:{1}",
                            {PointerText(writeW_), PointerText(writeA_)}));
}

void EventLog::RegisterSource() {
  registered_ = true;
  platform::EventLogService& log = platform::ActiveEventLog();
  source_ = log.RegisterSource(sourceName_);
  user_ = log.CurrentAccount();
}

void EventLog::Write(std::wstring_view text, uint32_t type) {
  std::lock_guard lock(lock_);
  if (!companionChecked_) CheckForCompanionModule();
  if (!registered_) RegisterSource();
  if (!platform::ActiveEventLog().Report(source_, SystemEventType(type), text, user_)) OutputDebugText(text);
}

void EventLog::LastRelease() {
  if (source_ != nullptr) platform::ActiveEventLog().DeregisterSource(source_);
}

ReferencePointer<EventLog> EventLog::Instance() {
  std::lock_guard lock(InstanceLock());
  if (g_instance == nullptr) {
    g_instance = new EventLog();
    g_instance->AddRef();
  }
  return ReferencePointer<EventLog>(g_instance);
}

void EventLog::ReleaseInstanceAtExit() {
  EventLog* instance = nullptr;
  {
    std::lock_guard lock(InstanceLock());
    instance = std::exchange(g_instance, nullptr);
  }
  if (instance != nullptr) instance->ReleaseGlobalReference();
}

const std::wstring& EventLog::LogName() {
  static const std::wstring kUnset;
  return g_logName != nullptr ? *g_logName : kUnset;
}

void EventLog::SetLogName(std::wstring name) {
  // Kept for the whole process: lines may be written while the process exits.
  std::lock_guard lock(InstanceLock());
  if (g_logName == nullptr) {
    g_logName = new std::wstring(std::move(name));
  } else {
    *g_logName = std::move(name);
  }
}

}  // namespace VLib
