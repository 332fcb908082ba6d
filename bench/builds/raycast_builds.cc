// The eye rays and hit points under each build, a 1920 x 1080 frame as one block.
#include <vector>

#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

void RegisterRayCasting() {
  EachBuild("CastEye_32f", [](FrameSize s) -> std::function<void()> {
    const size_t n = size_t(s.width) * s.height;
    OffsetBuffer x = BufferAt(n * 4, 0), y = BufferAt(n * 4, 0), z = BufferAt(n * 4, 0);
    return [x, y, z, s] {
      float* const planes[3] = {reinterpret_cast<float*>(x.data), reinterpret_cast<float*>(y.data),
                                reinterpret_cast<float*>(z.data)};
      fnVCAIPP_CastEye_32f(RynPoint3D{-0.5f, 0.3f, 1.0f}, RynPoint3D{5e-4f, 0.0f, 0.0f}, RynPoint3D{0.0f, -5e-4f, 0.0f},
                           0, 0, Roi(s), planes, Roi(s));
    };
  });
  EachBuild("HitPoint3DEpsS0_32f_M", [](FrameSize s) -> std::function<void()> {
    const size_t n = size_t(s.width) * s.height;
    OffsetBuffer dx = RandomPixels<float>(s, 1, -1.0f, 1.0f), dy = RandomPixels<float>(s, 2, -1.0f, 1.0f),
                 dz = RandomPixels<float>(s, 3, 0.5f, 1.0f), distance = RandomPixels<float>(s, 4, 1.0f, 50.0f);
    OffsetBuffer mask = BufferAt(n * 4, 0);
    for (size_t i = 0; i < n; ++i) reinterpret_cast<int32_t*>(mask.data)[i] = i % 7 == 0 ? -1 : int32_t(i);
    OffsetBuffer x = BufferAt(n * 4, 0), y = BufferAt(n * 4, 0), z = BufferAt(n * 4, 0);
    return [=] {
      float* const directions[3] = {reinterpret_cast<float*>(dx.data), reinterpret_cast<float*>(dy.data),
                                    reinterpret_cast<float*>(dz.data)};
      float* const hits[3] = {reinterpret_cast<float*>(x.data), reinterpret_cast<float*>(y.data),
                              reinterpret_cast<float*>(z.data)};
      fnVCAIPP_HitPoint3DEpsS0_32f_M(RynPoint3D{0.0f, 1.0f, 2.0f}, directions, reinterpret_cast<float*>(distance.data),
                                     reinterpret_cast<int32_t*>(mask.data), hits, int(n), 0.999f);
    };
  });
}

const Registration kRegistration(RegisterRayCasting);

}  // namespace
}  // namespace ryn::bench
