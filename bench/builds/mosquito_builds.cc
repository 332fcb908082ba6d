// The mosquito filter under each build.
#include <memory>

#include "RynRAZUdidazoror.h"
#include "build_timing.h"
#include "mosquito_scene.h"

namespace ryn::bench {
namespace {

void RegisterMosquito() {
  EachBuild("FilterDenoiseMosquito_8u_C1R", [](FrameSize s) -> std::function<void()> {
    FramePair frames = DecodedVideoFrames(s);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, 0);
    RynMosquitoState* raw = nullptr;
    fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(Roi(s), &raw);
    std::shared_ptr<RynMosquitoState> state(raw, [](RynMosquitoState* p) { fnVCAIPP_Free(p); });
    return [frames, destination, state, s] {
      fnVCAIPP_FilterDenoiseMosquito_8u_C1R(frames.reference.data, frames.cleaned.data, s.width, destination.data,
                                            s.width, Roi(s), state.get());
    };
  });
}

const Registration kRegistration(RegisterMosquito);

}  // namespace
}  // namespace ryn::bench
