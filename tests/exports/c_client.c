/* A C99 caller: allocates an image, fills it and reads a status message. */
#include <stdio.h>
#include <string.h>

#include "RynRAZUdidazoror.h"

int main(void) {
  int step = 0;
  IppiSize size = fnVCAIPP_IppiSize(33, 5);
  uint8_t* image = fnVCAIPP_Malloc_8u_C1(size.width, size.height, &step);
  if (image == NULL || step != 64) return 1;
  if (fnVCAIPP_Set_8u_C1R(image, size, step, 7) != ippStsNoErr) return 2;
  if (image[4 * step + 32] != 7) return 3;
  fnVCAIPP_Free(image);
  if (strcmp(fnVCAIPP_GetStatusString(ippStsSizeErr), "ippStsSizeErr: Wrong value of data size") != 0) return 4;
  puts(fnVCAIPP_GetStatusString(ippStsNoErr));
  return 0;
}
