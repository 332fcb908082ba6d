// Library calls whose failure ends the run.
#pragma once

#include <string>

#include "RynRAZUdidazoror.h"
#include "tool_error.h"

namespace ryn::privacy_mask {

// Throws ToolError naming the export when the library returns anything but success.
inline void CheckStatus(IppStatus status, const char* exportName) {
  if (status != ippStsNoErr)
    throw ToolError(std::string(exportName) + " returned " + std::to_string(status) + ": " +
                    fnVCAIPP_GetStatusString(status));
}

}  // namespace ryn::privacy_mask
