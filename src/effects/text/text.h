// The text overlay entry points: only the font description is filled; drawing and measuring are
// entry points without effect.
#pragma once

#include "RynRAZUdidazoror.h"

namespace ryn::effects {

IppStatus InitFont(RynFont* font, int face, double horizontalScale, double verticalScale, double shear,
                   int thickness);

// What drawing and measuring text do: nothing.
constexpr IppStatus IgnoreText() { return ippStsNoErr; }

}  // namespace ryn::effects
