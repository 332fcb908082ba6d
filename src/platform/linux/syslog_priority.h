// Event types of the event log as syslog priorities. Audits go to the security facility.
#pragma once

#include <syslog.h>

#include <cstdint>

namespace ryn::platform {

inline int SyslogPriority(uint16_t eventType) {
  switch (eventType) {
    case 1:
      return LOG_ERR;
    case 2:
      return LOG_WARNING;
    case 8:
      return LOG_AUTHPRIV | LOG_NOTICE;
    case 16:
      return LOG_AUTHPRIV | LOG_WARNING;
    default:
      return LOG_INFO;
  }
}

}  // namespace ryn::platform
