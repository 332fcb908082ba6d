/* The event-log companion module: tells whether the system log can take events and writes
 * events to it. Loaded at run time by name; these are its entry points. */
#ifndef RYN_EVENT_LOG_OUTPUT_H
#define RYN_EVENT_LOG_OUTPUT_H

#include <stdint.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when the system log accepts messages (its socket exists), else 0. */
int CheckForApplicationLog(void);

/* Writes `text` under the ident `source` with an event type of the event log (1 error,
 * 2 warning, 4 information, 8 audit success, 16 audit failure). 1 on success, 0 for null text. */
int WriteToEventLogW(const wchar_t* source, uint16_t eventType, const wchar_t* text);
int WriteToEventLogA(const char* source, uint16_t eventType, const char* text);

#ifdef __cplusplus
}
#endif

#endif
