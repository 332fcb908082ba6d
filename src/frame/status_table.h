// The fixed message of every status code.
#pragma once

#include "RynRAZUdidazoror.h"

namespace ryn {

struct StatusRow {
  IppStatus code;
  const char* message;
};

// Ordered by ascending code, each code once.
extern const StatusRow kStatusTable[];
extern const int kStatusTableRows;

// The message of `code`, or that of ippStsUnknownStatusCodeErr when the table has no row for it.
const char* StatusMessage(IppStatus code);

}  // namespace ryn
