#include "frame/start_up.h"

#include "RynRAZUdidazoror.h"
#include "frame/cpu_features.h"
#include "frame/variant.h"
#include "platform/thread.h"
#include "vlib/debug_out.h"

namespace ryn {

void InitIpp() {
  const IppStatus selection = SelectVariant();
  const VersionRecord* version = QueryVersion();
  VLib::DebugOut line(VLib::DebugOutRecord{platform::CurrentThreadId(), "", VLib::kSeverityInfo});
  if (selection != ippStsNoErr && selection != ippStsNonIntelCpu) {
    line << "RAZUdidazoror: IPP INIT ERROR!";
    return;
  }
  uint64_t mask = 0;
  const bool known = QueryCpuFeatures(&mask) == ippStsNoErr;
  const bool avx = known && (mask & kFeatureAvx) != 0;
  const bool aes = known && (mask & kFeatureAes) != 0;
  line << "RAZUdidazoror inits IPP " << version->major << "." << version->minor;
  if (avx && aes) {
    line << "." << version->majorBuild << " (CPU supports AVX, AES)";
  } else if (avx) {
    line << " (CPU supports AVX)";
  } else if (aes) {
    line << " (CPU supports AES)";
  } else {
    line << " (CPU doesn't support AVX, AES)";
  }
}

}  // namespace ryn
