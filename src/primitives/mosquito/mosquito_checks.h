// Argument checks of the mosquito filter.
#pragma once

#include "RynRAZUdidazoror.h"
#include "primitives/mosquito/mosquito_state.h"

namespace ryn::mosquito {

inline IppStatus HasWorkingMemory(const MosquitoState& state) {
  return state.edgeBits != nullptr && state.blocks != nullptr ? ippStsNoErr : ippStsNullPtrErr;
}

inline IppStatus ValidStateSize(const MosquitoState& state) {
  return state.width >= 1 && state.height >= 1 ? ippStsNoErr : ippStsSizeErr;
}

// The whole roi is processed, and the state's memory is sized for one frame size.
inline IppStatus RoiMatchesState(IppiSize roi, const MosquitoState& state) {
  return roi.width == state.width && roi.height == state.height ? ippStsNoErr : ippStsSizeErr;
}

inline IppStatus HoldsOneWindow(const MosquitoState& state) {
  return state.width >= kWindowSize && state.height >= kWindowSize ? ippStsNoErr : ippStsErr;
}

}  // namespace ryn::mosquito
