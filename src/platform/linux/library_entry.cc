// The library's entry point on a system without DLL notifications: a constructor of the shared
// object.
#include "RynRAZUdidazoror.h"
#include "platform/load_order.h"

namespace ryn {
namespace {

// The library is loaded: select the variant and announce it, after the support library's
// static objects exist so that the line takes the ordinary output path.
__attribute__((constructor(kStartUpPriority))) void StartLibrary() { fnVCAIPP_InitIPP(); }

}  // namespace
}  // namespace ryn
