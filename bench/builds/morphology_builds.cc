// Rank filters, morphology, derivative filters and Canny under each build.
#include <vector>

#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

using Export8u = IppStatus (*)(const uint8_t*, int, uint8_t*, int, IppiSize);

void RegisterMorphology() {
  const std::pair<const char*, Export8u> exports[] = {{"FilterMedian_8u_C1R", fnVCAIPP_FilterMedian_8u_C1R},
                                                      {"FilterErode_8u_C1R", fnVCAIPP_FilterErode_8u_C1R},
                                                      {"Opening3x3_8u_C1R", fnVCAIPP_Opening3x3_8u_C1R}};
  for (auto [name, call] : exports) {
    EachBuild(name, [call](FrameSize s) -> std::function<void()> {
      OffsetBuffer source = RandomPixels<uint8_t>(s, 1, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
      return [source, destination, s, call] { call(source.data, s.width, destination.data, s.width, Roi(s)); };
    });
  }
}

void RegisterDerivatives() {
  EachBuild("FilterSobelHorizBorder_8u16s_C1R_3x3", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 2, 0, 255), destination = BufferAt(size_t(s.width) * s.height * 2, 0);
    auto buffer = std::make_shared<std::vector<uint8_t>>(1 << 20);
    return [source, destination, buffer, s] {
      fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R(source.data, s.width, reinterpret_cast<int16_t*>(destination.data),
                                                s.width * 2, Roi(s), 33, 1, 0, buffer->data());
    };
  });
  EachBuild("FilterLaplacianBorder_32f_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 3, 0.0f, 1.0f), destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [source, destination, s] {
      fnVCAIPP_FilterLaplacianBorder_32f_C1R(reinterpret_cast<const float*>(source.data), s.width * 4,
                                             reinterpret_cast<float*>(destination.data), s.width * 4, Roi(s));
    };
  });
  EachBuild("Canny_16s8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer dx = RandomPixels<int16_t>(s, 4, -200, 200), dy = RandomPixels<int16_t>(s, 5, -200, 200);
    OffsetBuffer edges = BufferAt(size_t(s.width) * s.height, 0);
    int bytes = 0;
    fnVCAIPP_CannyGetSize(Roi(s), &bytes);
    auto buffer = std::make_shared<std::vector<uint8_t>>(size_t(bytes));
    return [dx, dy, edges, buffer, s] {
      fnVCAIPP_Canny_16s8u_C1R(reinterpret_cast<const int16_t*>(dx.data), s.width * 2,
                               reinterpret_cast<const int16_t*>(dy.data), s.width * 2, edges.data, s.width, Roi(s),
                               100, 250, buffer->data());
    };
  });
}

void RegisterAll() {
  RegisterMorphology();
  RegisterDerivatives();
}

const Registration kRegistration(RegisterAll);

}  // namespace
}  // namespace ryn::bench
