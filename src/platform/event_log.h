// The system's event log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/service_override.h"

namespace ryn::platform {

// The event log's own type numbers.
enum class EventType : uint16_t {
  kError = 1,
  kWarning = 2,
  kInformation = 4,
  kAuditSuccess = 8,
  kAuditFailure = 16,
};

struct Account {
  std::wstring name;
  uint32_t id = 0;
  bool known = false;
};

class EventLogService {
 public:
  virtual ~EventLogService() = default;
  // A handle for reporting under `source`, or nullptr.
  virtual void* RegisterSource(std::wstring_view source) = 0;
  virtual void DeregisterSource(void* handle) = 0;
  // False when the event could not be reported.
  virtual bool Report(void* handle, EventType type, std::wstring_view text, const Account& user) = 0;
  // The account the process runs as.
  virtual Account CurrentAccount() const = 0;
};

EventLogService& SystemEventLog();
using EventLogOverride = ServiceOverride<EventLogService, SystemEventLog>;
inline EventLogService& ActiveEventLog() { return EventLogOverride::Active(); }

}  // namespace ryn::platform
