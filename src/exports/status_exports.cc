#include "RynRAZUdidazoror.h"
#include "frame/status_table.h"

extern "C" RYN_API const char* fnVCAIPP_GetStatusString(IppStatus status) {
  return ryn::StatusMessage(status);
}
