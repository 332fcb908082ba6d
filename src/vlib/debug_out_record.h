// What every diagnostic line carries besides its text, and the target bits it may go to.
#pragma once

#include <cstdint>
#include <string>

namespace VLib {

enum DebugOutSeverity : uint32_t {
  kSeverityError = 0,
  kSeveritySecurity = 1,
  kSeverityWarning = 2,
  kSeverityInfo = 3,
  kSeverityDebug = 4,
};

enum DebugOutTarget : uint32_t {
  kTargetConsole = 1,
  kTargetDebugWindow = 2,
  kTargetFile = 4,
  kTargetUnused = 8,
  kTargetEventLog = 16,
  kTargetDefault = 32,  // stands for the streamer's default targets
};

struct DebugOutRecord {
  uint32_t threadId = 0;
  std::string source;  // empty: none
  uint32_t severity = kSeverityInfo;
};

// "ERROR", "SECTY", "WARNG", "INFO ", "DEBUG"; "UNKNOWN" for any other severity.
inline const char* SeverityTag(uint32_t severity) {
  static constexpr const char* kTags[] = {"ERROR", "SECTY", "WARNG", "INFO ", "DEBUG"};
  return severity < 5 ? kTags[severity] : "UNKNOWN";
}

}  // namespace VLib
