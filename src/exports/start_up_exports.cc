#include "RynRAZUdidazoror.h"
#include "frame/start_up.h"

extern "C" RYN_API void fnVCAIPP_InitIPP(void) { ryn::InitIpp(); }
