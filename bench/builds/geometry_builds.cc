// The geometric transforms under each build: 1920 x 1080 frames, resized to half and to double
// size, rotated, warped, remapped, mirrored and transposed.
#include <cmath>
#include <memory>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

// ResizeImage of the frame to `to` with `mode`, its working buffer allocated once.
void Resize(const std::string& operation, FrameSize to, int mode) {
  EachBuild(operation, [to, mode](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 1, 0, 255);
    OffsetBuffer destination = BufferAt(size_t(to.width) * to.height, 0);
    int bytes = 0;
    fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(Roi(s), Roi(to), mode, &bytes);
    auto buffer = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(bytes));
    return [=] {
      fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(source.data, s.width, Roi(s), destination.data, to.width, Roi(to), mode,
                                         buffer->data());
    };
  });
}

void RegisterGeometry() {
  for (int mode : {1, 2, 4, 8, 16}) {
    Resize("ResizeImage mode " + std::to_string(mode) + " to half", {960, 540}, mode);
  }
  Resize("ResizeImage mode 2 to double", {3840, 2160}, 2);
  EachBuild("Rotate_8u_C1R 30 degrees linear", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 2, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    return [=] {
      fnVCAIPP_RotateCenter_8u_C1R(source.data, Roi(s), s.width, {0, 0, s.width, s.height}, destination.data, s.width,
                                   {0, 0, s.width, s.height}, 30.0, s.width / 2.0, s.height / 2.0, 2);
    };
  });
  EachBuild("WarpPerspective_8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 3, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    auto matrix = std::make_shared<std::vector<double>>(
        std::vector<double>{0.95, 0.02, 30.0, -0.01, 0.97, 20.0, 0.00001, -0.00002, 1.0});
    return [=] { fnVCAIPP_WarpPerspective_8u_C1R(source.data, destination.data, Roi(s), s.width, 0, matrix->data()); };
  });
  EachBuild("Remap_8u_C1R linear", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 4, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    OffsetBuffer xs = BufferAt(size_t(s.width) * s.height * 4, 0), ys = BufferAt(size_t(s.width) * s.height * 4, 0);
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        reinterpret_cast<float*>(xs.data)[size_t(y) * s.width + x] = x * 0.97f + 10.3f + std::sin(y * 0.01f);
        reinterpret_cast<float*>(ys.data)[size_t(y) * s.width + x] = y * 0.98f + 5.7f + std::sin(x * 0.01f);
      }
    }
    return [=] {
      fnVCAIPP_Remap_8u_C1R(source.data, Roi(s), s.width, {0, 0, s.width, s.height},
                            reinterpret_cast<const float*>(xs.data), s.width * 4,
                            reinterpret_cast<const float*>(ys.data), s.width * 4, destination.data, s.width, Roi(s), 2);
    };
  });
  for (int flip = 0; flip < 3; ++flip) {
    EachBuild("Mirror_8u_C1R flip " + std::to_string(flip), [flip](FrameSize s) -> std::function<void()> {
      OffsetBuffer source = RandomPixels<uint8_t>(s, 5, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
      return [=] { fnVCAIPP_Mirror_8u_C1R(source.data, s.width, destination.data, s.width, Roi(s), flip); };
    });
  }
  EachBuild("Transpose_8u_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(s, 6, 0, 255), destination = BufferAt(size_t(s.width) * s.height, 0);
    return [=] { fnVCAIPP_Transpose_8u_C1R(source.data, s.width, destination.data, s.height, Roi(s)); };
  });
  EachBuild("Transpose_32f_C1R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<float>(s, 7, 0.0f, 1.0f);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * 4, 0);
    return [=] {
      fnVCAIPP_Transpose_32f_C1R(reinterpret_cast<const float*>(source.data), s.width * 4,
                                 reinterpret_cast<float*>(destination.data), s.height * 4, Roi(s));
    };
  });
}

const Registration kRegistration(RegisterGeometry);

}  // namespace
}  // namespace ryn::bench
