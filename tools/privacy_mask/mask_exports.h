// The library's two-plane masking exports, by effect and block (or window) size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "RynRAZUdidazoror.h"

namespace ryn::privacy_mask {

enum class Effect { kPixelate, kBlur };

// Every two-plane 4:2:0 masking export has this signature: luma plane, luma step, chroma plane,
// chroma step, frame size in luma pixels, processing mode.
using TwoPlaneMaskFunction = IppStatus (*)(uint8_t*, int, uint8_t*, int, IppiSize, int);

struct MaskExport {
  Effect effect;
  int size;  // N of the N x N block or window
  TwoPlaneMaskFunction function;
  const char* name;
};

// The export for this effect and size, or nullptr when the library has none.
const MaskExport* FindMaskExport(Effect effect, int size);

// The export of the same effect with the next smaller block (or window), or nullptr.
const MaskExport* SmallerMaskExport(const MaskExport& maskExport);

// "4, 8, 16, ..." for messages and help.
std::string SupportedSizes(Effect effect);

int DefaultSize(Effect effect);

// "pixelate" or "blur", as on the command line.
std::string_view EffectName(Effect effect);

}  // namespace ryn::privacy_mask
