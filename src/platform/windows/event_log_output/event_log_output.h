/* The event-log companion module: tells whether the Application event log can be opened and
 * reports events to it. Loaded at run time by name; these are its entry points. */
#ifndef RYN_EVENT_LOG_OUTPUT_H
#define RYN_EVENT_LOG_OUTPUT_H

#include <stdint.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when the Application event log can be opened, else 0. */
__declspec(dllexport) int CheckForApplicationLog(void);

/* Reports `text` under the event source `source` with an event type of the event log (1 error,
 * 2 warning, 4 information, 8 audit success, 16 audit failure). 1 on success, 0 for null text or
 * when the event could not be reported. */
__declspec(dllexport) int WriteToEventLogW(const wchar_t* source, uint16_t eventType, const wchar_t* text);
__declspec(dllexport) int WriteToEventLogA(const char* source, uint16_t eventType, const char* text);

#ifdef __cplusplus
}
#endif

#endif
