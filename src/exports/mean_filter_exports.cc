// The mean filters and the interleaved fill of the privacy effects.
#include "RynRAZUdidazoror.h"
#include "effects/interleaved_fill.h"

extern "C" {

RYN_API IppStatus fnVCA_Set_Interleave_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                              uint8_t firstValue, uint8_t secondValue, int processingMode) {
  return ryn::effects::SetInterleaved8u(destination, region, destinationStep, firstValue, secondValue,
                                        processingMode);
}

}  // extern "C"
