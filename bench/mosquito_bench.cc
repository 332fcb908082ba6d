// The mosquito filter on a 1080p frame pair, with the destination at several offsets past a
// 64-byte boundary. There is no peer doing the same work.
#include <memory>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"
#include "mosquito_scene.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFrame{1920, 1080};

std::shared_ptr<RynMosquitoState> StateFor(FrameSize s) {
  RynMosquitoState* state = nullptr;
  fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{s.width, s.height}, &state);
  return std::shared_ptr<RynMosquitoState>(state, [](RynMosquitoState* p) { fnVCAIPP_Free(p); });
}

void RegisterMosquito() {
  for (int offset : {0, 16}) {
    Ours(AtOffset("FilterDenoiseMosquito_8u_C1R", offset), kFrame, [offset](FrameSize s) -> std::function<void()> {
      FramePair frames = DecodedVideoFrames(s);
      OffsetBuffer destination = BufferAt(size_t(s.width) * s.height, offset);
      auto state = StateFor(s);
      return [frames, destination, state, s] {
        fnVCAIPP_FilterDenoiseMosquito_8u_C1R(frames.reference.data, frames.cleaned.data, s.width, destination.data,
                                              s.width, IppiSize{s.width, s.height}, state.get());
      };
    }, [](FrameSize s) { return int64_t{s.width} * s.height * 3; });
  }
}

const Registration kRegistration(RegisterMosquito);

}  // namespace
}  // namespace ryn::bench
