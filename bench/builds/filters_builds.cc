// The linear filters and border copies under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

void RegisterFilters() {
  for (int k : {3, 15, 31}) {
    EachBuild("FilterBox_8u_C1R_" + std::to_string(k) + "x" + std::to_string(k), [k](FrameSize s) -> std::function<void()> {
      OffsetBuffer source = RandomPixels<uint8_t>(s, 1, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
      return [source, destination, s, k] {
        fnVCAIPP_FilterBox_8u_C1R(source.data, s.width, destination.data, s.width, Roi(s), k, k);
      };
    });
  }
  EachBuild("FilterBox_32f_C1R_5x5", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 2, 0.0f, 1.0f), destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s] {
      fnVCAIPP_FilterBox_32f_C1R(reinterpret_cast<const float*>(source.data), s.width * 4,
                                 reinterpret_cast<float*>(destination.data), s.width * 4, Roi(s), 5, 5);
    };
  });
  for (int code : {33, 55}) {
    EachBuild("FilterGauss_8u_C1R_" + std::to_string(code), [code](FrameSize s) -> std::function<void()> {
      OffsetBuffer source = RandomPixels<uint8_t>(s, 3, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
      return [source, destination, s, code] {
        fnVCAIPP_FilterGauss_8u_C1R(source.data, s.width, destination.data, s.width, Roi(s), code);
      };
    });
    EachBuild("FilterHipass_8u_C1R_" + std::to_string(code), [code](FrameSize s) -> std::function<void()> {
      OffsetBuffer source = RandomPixels<uint8_t>(s, 4, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
      return [source, destination, s, code] {
        fnVCAIPP_FilterHipass_8u_C1R(source.data, s.width, destination.data, s.width, Roi(s), code);
      };
    });
  }
  EachBuild("Filter_8u_C1R_5x5", [](FrameSize s) -> std::function<void()> {
    static const int32_t kKernel[25] = {1, 2, 3, 2, 1, 2, 4, 6, 4, 2, 3, 6, 9, 6, 3, 2, 4, 6, 4, 2, 1, 2, 3, 2, -1};
    OffsetBuffer source = RandomPixels<uint8_t>(s, 5, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    return [source, destination, s] {
      fnVCAIPP_Filter_8u_C1R(source.data, s.width, destination.data, s.width, Roi(s), kKernel, {5, 5}, 79);
    };
  });
  EachBuild("Filter_32f_C1R_5x5", [](FrameSize s) -> std::function<void()> {
    static const std::vector<float> kKernel(25, 0.04f);
    OffsetBuffer source = RandomPixels<float>(s, 6, 0.0f, 1.0f), destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s] {
      const int step = s.width * 4;
      fnVCAIPP_Filter_32f_C1R(reinterpret_cast<const float*>(source.data + 2 * step + 8), step,
                              reinterpret_cast<float*>(destination.data + 2 * step + 8), step,
                              {s.width - 4, s.height - 4}, kKernel.data(), {5, 5}, {2, 2});
    };
  });
  EachBuild("FilterGaussBorder_32f_C1R_7", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 7, 0.0f, 1.0f), destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s] {
      fnVCAIPP_FilterGaussBorder_32f_C1R(reinterpret_cast<const float*>(source.data), s.width * 4,
                                         reinterpret_cast<float*>(destination.data), s.width * 4, Roi(s), 7, 2);
    };
  });
  EachBuild("CopyReplicateBorder_8u_C1R_16", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 8, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    return [source, destination, s] {
      fnVCAIPP_CopyReplicateBorder_8u_C1R(source.data, destination.data, s.width, s.height, s.width, 16);
    };
  });
}

const Registration kRegistration(RegisterFilters);

}  // namespace
}  // namespace ryn::bench
