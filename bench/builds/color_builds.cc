// The colour conversions and plane reshuffles under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

size_t Pixels(FrameSize s) { return size_t(s.width) * s.height; }

// Three planes of one size in one buffer, and their pointer arrays.
struct Planes {
  Planes(FrameSize s, size_t bytesEach, uint32_t seed)
      : buffer(RandomPixels<uint8_t>(FrameSize{s.width, s.height * 3}, seed, 0, 255)),
        pointers{buffer.data, buffer.data + bytesEach, buffer.data + 2 * bytesEach} {}
  OffsetBuffer buffer;
  uint8_t* pointers[3];
  const uint8_t* const* sources() const { return pointers; }
};

// Y, U and V of a 4:2:0 frame back to back.
struct Planes420 {
  explicit Planes420(FrameSize s, uint32_t seed)
      : buffer(RandomPixels<uint8_t>(FrameSize{s.width, s.height * 3 / 2}, seed, 0, 255)),
        pointers{buffer.data, buffer.data + Pixels(s), buffer.data + Pixels(s) * 5 / 4},
        steps{s.width, s.width / 2, s.width / 2} {}
  OffsetBuffer buffer;
  uint8_t* pointers[3];
  int steps[3];
  const uint8_t* const* sources() const { return pointers; }
};

void RegisterConversions() {
  EachBuild("YUVToRGB_8u_C3R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(FrameSize{3 * s.width, s.height}, 1, 0, 255);
    OffsetBuffer destination = BufferAt(3 * Pixels(s), 0);
    return [source, destination, s] {
      fnVCAIPP_YUVToRGB_8u_C3R(source.data, 3 * s.width, destination.data, 3 * s.width, Roi(s));
    };
  });
  EachBuild("YUVToRGB_8u_P3R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes>(s, Pixels(s), 2);
    auto destination = std::make_shared<Planes>(s, Pixels(s), 3);
    return [source, destination, s] {
      fnVCAIPP_YUVToRGB_8u_P3R(source->sources(), s.width, destination->pointers, s.width, Roi(s));
    };
  });
  EachBuild("YUVToRGB_8u_P3C3R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes>(s, Pixels(s), 4);
    OffsetBuffer destination = BufferAt(3 * Pixels(s), 0);
    return [source, destination, s] {
      fnVCAIPP_YUVToRGB_8u_P3C3R(source->sources(), s.width, destination.data, 3 * s.width, Roi(s));
    };
  });
  EachBuild("RGBToYUV_8u_P3R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes>(s, Pixels(s), 5);
    auto destination = std::make_shared<Planes>(s, Pixels(s), 6);
    return [source, destination, s] {
      fnVCAIPP_RGBToYUV_8u_P3R(source->sources(), s.width, destination->pointers, s.width, Roi(s));
    };
  });
  EachBuild("YUV420ToRGB_8u_P3C3R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes420>(s, 7);
    OffsetBuffer destination = BufferAt(3 * Pixels(s), 0);
    return [source, destination, s] {
      fnVCAIPP_YUV420ToRGB_8u_P3C3R(source->sources(), source->steps, destination.data, 3 * s.width, Roi(s));
    };
  });
  EachBuild("RGBToYUV420_8u_C3P3R", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<uint8_t>(FrameSize{3 * s.width, s.height}, 8, 0, 255);
    auto destination = std::make_shared<Planes420>(s, 9);
    return [source, destination, s] {
      fnVCAIPP_RGBToYUV420_8u_C3P3R(source.data, 3 * s.width, destination->pointers, destination->steps, Roi(s));
    };
  });
}

void RegisterReshuffles() {
  // Two-plane frames use the buffer of a 4:2:0 frame: Y, then width x height / 2 bytes of pairs.
  EachBuild("YCbCr420_8u_P2P3R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes420>(s, 10);
    auto destination = std::make_shared<Planes420>(s, 11);
    return [source, destination, s] {
      uint8_t* const* to = destination->pointers;
      fnVCAIPP_YCbCr420_8u_P2P3R(source->pointers[0], s.width, source->pointers[1], s.width, to[0], to[1], to[2],
                                 s.width, s.width / 2, s.width / 2, Roi(s));
    };
  });
  EachBuild("YCbCr420_8u_P3P2R", [](FrameSize s) -> std::function<void()> {
    auto source = std::make_shared<Planes420>(s, 12);
    auto destination = std::make_shared<Planes420>(s, 13);
    return [source, destination, s] {
      uint8_t* const* from = source->pointers;
      fnVCAIPP_YCbCr420_8u_P3P2R(from[0], from[1], from[2], s.width, s.width / 2, s.width / 2,
                                 destination->pointers[0], s.width, destination->pointers[1], s.width, Roi(s));
    };
  });
  EachBuild("PlaneToInterleave_16s", [](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<int16_t>(FrameSize{s.width, 2 * s.height}, 14, -1000, 1000);
    OffsetBuffer destination = BufferAt(4 * Pixels(s), 0);
    return [source, destination, s] {
      const auto* first = reinterpret_cast<const int16_t*>(source.data);
      const int16_t* planes[2] = {first, first + Pixels(s)};
      fnVCAIPP_PlaneToInterleave_16s(planes, 2, Roi(s), s.width, reinterpret_cast<int16_t*>(destination.data),
                                     2 * s.width);
    };
  });
}

const Registration kConversions(RegisterConversions);
const Registration kReshuffles(RegisterReshuffles);

}  // namespace
}  // namespace ryn::bench
