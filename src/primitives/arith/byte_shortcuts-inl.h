// The shortcuts of the 8-bit arithmetic whose results are a fill or the source itself, compiled
// into every build: included inside the build's namespace before the primitives files. Includes
// nothing itself.
#if defined(RYN_ARITH_BYTE_SHORTCUTS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_BYTE_SHORTCUTS_INL_H_
#undef RYN_ARITH_BYTE_SHORTCUTS_INL_H_
#else
#define RYN_ARITH_BYTE_SHORTCUTS_INL_H_
#endif

namespace {

// An 8-bit result that equals its source: a copy, or nothing when the destination is the source.
IppStatus CopyUnlessSame(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep,
                         IppiSize region) {
  if (source == destination && sourceStep == destinationStep) return ippStsNoErr;
  return arith::Copy8u(source, sourceStep, destination, destinationStep, region);
}

IppStatus FillZeros(uint8_t* destination, int step, IppiSize region) {
  return fill::Set8u(destination, region, step, 0);
}

}  // namespace

#endif
