// Mosquito-noise reduction and its state.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;

// A state's frame size: mostly the frame's own, sometimes another.
IppiSize StateSize(FuzzCase& c, IppiSize frame) {
  switch (c.in().Byte() % 8) {
    case 0:
      return c.in().Region();
    case 1:
      return IppiSize{frame.width + 1, frame.height};
    default:
      return frame;
  }
}

// The state holds a map of (W + 8) x (H + 8) bytes: larger ones are not made, to spare the machine.
bool Affordable(IppiSize size) {
  const int64_t width = size.width > 0 ? size.width : 0;
  const int64_t height = size.height > 0 ? size.height : 0;
  return (width + 8) * (height + 8) <= FuzzCase::kMaxBytes;
}

}  // namespace

// The state pointer lives outside the compared buffers: each run makes its own state at its own
// address, which teardown releases.
RYN_FUZZ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R) {
  const IppiSize size = c.in().Region();
  if (!Affordable(size)) c.Skip();
  RynMosquitoState** state = c.in().Flag(48) ? nullptr : c.Keep<RynMosquitoState*>(nullptr);
  c.Setup([=] {
    if (state != nullptr) *state = nullptr;
  });
  c.Teardown([=] {
    if (state != nullptr) fnVCAIPP_Free(*state);
  });
  c.Call([=] { return fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(size, state); });
}

// Each run filters with a fresh state, so that no run sees another's working memory.
RYN_FUZZ(fnVCAIPP_FilterDenoiseMosquito_8u_C1R) {
  const IppiSize roi = c.in().Region();
  const int step = c.DecodeStep<uint8_t>(roi, 1);
  const auto reference = c.ImageWithStep<uint8_t>(roi, 1, Access::kRead, step);
  const auto cleaned = c.ImageWithStep<uint8_t>(roi, 1, Access::kRead, step);
  const auto d = c.Image<uint8_t>(roi, 1, Access::kWrite);
  const IppiSize stateSize = StateSize(c, roi);
  if (!Affordable(stateSize)) c.Skip();
  const bool noState = c.in().Flag(48);
  RynMosquitoState** state = c.Keep<RynMosquitoState*>(nullptr);
  c.Setup([=] {
    *state = nullptr;
    if (!noState) fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(stateSize, state);
  });
  c.Teardown([=] {
    fnVCAIPP_Free(*state);
    *state = nullptr;
  });
  c.Call([=] {
    return fnVCAIPP_FilterDenoiseMosquito_8u_C1R(reference.p, cleaned.p, step, d.p, d.step, roi, *state);
  });
}
