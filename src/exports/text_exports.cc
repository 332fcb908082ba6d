// Text overlay entry points.
#include "RynRAZUdidazoror.h"
#include "effects/text/text.h"

extern "C" {

RYN_API IppStatus fnVCA_InitFont(RynFont* font, int face, double horizontalScale, double verticalScale,
                                 double shear, int thickness) {
  return ryn::effects::InitFont(font, face, horizontalScale, verticalScale, shear, thickness);
}

RYN_API IppStatus fnVCA_WriteText_8u_C1IR(uint8_t*, int, IppiSize, const char*, IppiPoint, const RynFont*,
                                          uint8_t) {
  return ryn::effects::IgnoreText();
}

RYN_API IppStatus fnVCA_CalculateTextSize(const char*, const RynFont*, IppiSize*, int*) {
  return ryn::effects::IgnoreText();
}

}  // extern "C"
