// Selects the processor variant while the library loads, so that the selected variant serves
// every call from the first one.
#include "frame/load_order.h"
#include "frame/variant.h"

namespace {

__attribute__((constructor(ryn::kStartUpPriority))) void StartLibrary() { ryn::SelectVariant(); }

}  // namespace
