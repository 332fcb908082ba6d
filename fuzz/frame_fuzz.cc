// Status messages and start-up.
#include <cstring>

#include "fuzz/fuzz_registry.h"

// Every code has a message, known codes and unknown ones alike; its length is compared between
// runs and reading it all checks its end.
RYN_FUZZ(fnVCAIPP_GetStatusString) {
  const int status = c.in().Flag(4) ? c.in().Raw<int32_t>() : c.in().Code(-230, 50);
  c.ResultIsNotStatus();
  c.Call([=] { return static_cast<int64_t>(std::strlen(fnVCAIPP_GetStatusString(status))); });
}

RYN_FUZZ(fnVCAIPP_InitIPP) {
  c.ResultIsNotStatus();
  c.Call([] {
    fnVCAIPP_InitIPP();
    return int64_t{0};
  });
}
