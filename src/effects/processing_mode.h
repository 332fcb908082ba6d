// The processing mode of the library's own effects, the caller's last argument: 0 automatic,
// 1 portable path, 2 vector path. The vector path of every effect is the AVX2 build of its
// dispatched operation, called directly whatever the variant index.
#pragma once

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

enum class EffectPath { kPortable, kVector };

struct ResolvedMode {
  IppStatus status;  // ippStsNoErr, or the status to return at once
  EffectPath path;
};

// True when the effects' feature words report AVX2 (leaf 7 EBX bit 5) and AVX or SSSE3 (leaf 1
// ECX bit 28 or 9), and the processor really runs the AVX2 builds.
bool VectorPathAvailable();

// True when the effects' feature words report AVX (leaf 1 ECX bit 28).
bool AvxReported();

// 0 becomes the vector path when `vectorPathAvailable`, else the portable path; 1 is the portable
// path; 2 the vector path, or ippStsCpuNotSupportedErr when it is not available; any other mode
// ippStsNoOperation.
ResolvedMode ResolveMode(int mode, bool vectorPathAvailable);

}  // namespace ryn::effects
