/* Text overlay entry points. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_TEXT_H
#define RYN_TEXT_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A font description owned by the caller. The library stores the values it is given and reads
 * none of them. */
typedef struct RynFont {
  int32_t face;
  double horizontalScale;
  double verticalScale;
  double shear;
  int32_t thickness;
} RynFont;

/* Stores the five values in the record, unchanged and unchecked; returns ippStsNoErr. The record
 * must be valid. */
RYN_API IppStatus fnVCA_InitFont(RynFont* font, int face, double horizontalScale, double verticalScale,
                                 double shear, int thickness);

/* Drawing and measuring text are not provided: both entry points accept their arguments, read and
 * write nothing, and return ippStsNoErr. */
RYN_API IppStatus fnVCA_WriteText_8u_C1IR(uint8_t* image, int imageStep, IppiSize region, const char* text,
                                          IppiPoint origin, const RynFont* font, uint8_t value);
RYN_API IppStatus fnVCA_CalculateTextSize(const char* text, const RynFont* font, IppiSize* size,
                                          int* baseline);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_TEXT_H */
