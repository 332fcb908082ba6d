#include "platform/linux/event_log_output/event_log_output.h"

#include <sys/stat.h>
#include <syslog.h>

#include <mutex>
#include <set>
#include <string>

#include "platform/linux/syslog_priority.h"
#include "platform/text_encoding.h"

#define RYN_COMPANION_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_mutex;

const char* KeptIdent(const char* source) {
  // syslog keeps the ident pointer, so every ident stays alive for the process.
  static std::set<std::string>* const idents = new std::set<std::string>;
  return idents->insert(source != nullptr ? source : "").first->c_str();
}

int Write(const char* source, uint16_t eventType, const std::string& text) {
  std::lock_guard lock(g_mutex);
  openlog(KeptIdent(source), LOG_PID, LOG_USER);
  syslog(ryn::platform::SyslogPriority(eventType), "%s", text.c_str());
  return 1;
}

}  // namespace

RYN_COMPANION_EXPORT int CheckForApplicationLog(void) {
  struct stat status {};
  return stat("/dev/log", &status) == 0 && S_ISSOCK(status.st_mode) ? 1 : 0;
}

RYN_COMPANION_EXPORT int WriteToEventLogW(const wchar_t* source, uint16_t eventType, const wchar_t* text) {
  if (text == nullptr) return 0;
  const std::string narrowSource = source != nullptr ? ryn::platform::WideToNarrow(source) : "";
  return Write(narrowSource.c_str(), eventType, ryn::platform::WideToNarrow(text));
}

RYN_COMPANION_EXPORT int WriteToEventLogA(const char* source, uint16_t eventType, const char* text) {
  if (text == nullptr) return 0;
  return Write(source, eventType, text);
}
