// The fills and copies under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

void RegisterFills() {
  EachBuild("Set_8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(size_t(s.width) * s.height, 0);
    return [image, s] { fnVCAIPP_Set_8u_C1R(image.data, Roi(s), s.width, 77); };
  });
  EachBuild("Set_16u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(size_t(s.width) * s.height * 2, 0);
    return [image, s] {
      fnVCAIPP_Set_16u_C1R(reinterpret_cast<uint16_t*>(image.data), Roi(s), s.width * 2, 1234);
    };
  });
  EachBuild("Set_32f_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [image, s] { fnVCAIPP_Set_32f_C1R(reinterpret_cast<float*>(image.data), Roi(s), s.width * 4, 0.25f); };
  });
  EachBuild("Set_8u_C1MR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(size_t(s.width) * s.height, 0), mask = CentreMask(s);
    return [image, mask, s] { fnVCAIPP_Set_8u_C1MR(image.data, s.width, mask.data, s.width, Roi(s), 9); };
  });
  EachBuild("Set_32f_C1MR", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer image = BufferAt(size_t(s.width) * s.height * 4, 0), mask = CentreMask(s);
    return [image, mask, s] {
      fnVCAIPP_Set_32f_C1MR(reinterpret_cast<float*>(image.data), Roi(s), s.width * 4, 2.5f, mask.data, s.width);
    };
  });
  EachBuild("ippsCopy_32f", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 1, 0.0f, 1.0f);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s] {
      fnVCAIPP_ippsCopy_32f(reinterpret_cast<const float*>(source.data), reinterpret_cast<float*>(destination.data),
                            s.width * s.height);
    };
  });
}

const Registration kRegistration(RegisterFills);

}  // namespace
}  // namespace ryn::bench
