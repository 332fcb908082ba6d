#include "effects/text/text.h"

namespace ryn::effects {

IppStatus InitFont(RynFont* font, int face, double horizontalScale, double verticalScale, double shear,
                   int thickness) {
  *font = RynFont{face, horizontalScale, verticalScale, shear, thickness};
  return ippStsNoErr;
}

}  // namespace ryn::effects
