/* Library start-up. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_START_UP_H
#define RYN_START_UP_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Selects the processor variant and writes one start-up line at severity INFO to the console
 * diagnostic target. Runs when the library is loaded; calling it again selects the same variant
 * and writes another line. */
RYN_API void fnVCAIPP_InitIPP(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_START_UP_H */
