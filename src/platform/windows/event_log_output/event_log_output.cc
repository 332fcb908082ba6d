#include "platform/windows/event_log_output/event_log_output.h"

#include "platform/windows/windows_api.h"

int CheckForApplicationLog(void) {
  const HANDLE log = OpenEventLogW(nullptr, L"Application");
  if (log == nullptr) return 0;
  CloseEventLog(log);
  return 1;
}

int WriteToEventLogW(const wchar_t* source, uint16_t eventType, const wchar_t* text) {
  if (text == nullptr) return 0;
  const HANDLE log = RegisterEventSourceW(nullptr, source != nullptr ? source : L"Application");
  if (log == nullptr) return 0;
  const BOOL reported = ReportEventW(log, eventType, 0, 0, nullptr, 1, 0, &text, nullptr);
  DeregisterEventSource(log);
  return reported ? 1 : 0;
}

int WriteToEventLogA(const char* source, uint16_t eventType, const char* text) {
  if (text == nullptr) return 0;
  const HANDLE log = RegisterEventSourceA(nullptr, source != nullptr ? source : "Application");
  if (log == nullptr) return 0;
  const BOOL reported = ReportEventA(log, eventType, 0, 0, nullptr, 1, 0, &text, nullptr);
  DeregisterEventSource(log);
  return reported ? 1 : 0;
}
