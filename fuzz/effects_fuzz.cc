// Block pixelation, mean filters and the interleaved fill of the library's own effects.
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::FuzzInput;

// The caller's path: 0 automatic, 1 portable, 2 vector; others do nothing.
int Mode(FuzzInput& in) { return in.Pick({0, 1, 2, 1, 2, 3, -1}); }

// A region of an interleaved plane (width in bytes) of whole blocks of `block` pairs by `block`
// rows, the path minimums included, sometimes with a few more bytes and rows.
IppiSize WholeBlocks(FuzzInput& in, int block) {
  const int width = 2 * block * (1 + in.Byte() % 3) + (in.Flag(4) ? in.Byte() % 8 : 0);
  const int height = block * (1 + in.Byte() % 3) + (in.Flag(4) ? in.Byte() % 8 : 0);
  return IppiSize{width, height};
}
IppiSize BlockRegion(FuzzInput& in, int block) { return in.Flag(2) ? in.Region() : WholeBlocks(in, block); }

// Interleaved plane from a source into a destination, or in place (one buffer and one step for
// both).
template <class Export>
void Interleaved(FuzzCase& c, Export call, IppiSize region) {
  const int mode = Mode(c.in());
  if (c.in().Flag(4)) {
    const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
    c.Call([=] { return call(image.p, image.step, image.p, image.step, region, mode); });
    return;
  }
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region, mode); });
}

// A two-plane frame: the luma plane of the frame size and the interleaved chroma plane of half
// its rows. The chroma plane is checked only after the luma plane has been processed, so a
// failing call may have written the luma plane.
template <class Export>
void TwoPlane(FuzzCase& c, Export call, IppiSize frame) {
  const auto luma = c.Image<uint8_t>(frame, 1, Access::kWrite);
  const auto chroma = c.Image<uint8_t>(IppiSize{frame.width, frame.height / 2}, 1, Access::kWrite);
  const int mode = Mode(c.in());
  c.WritesOnError();
  c.Call([=] { return call(luma.p, luma.step, chroma.p, chroma.step, frame, mode); });
}

// A frame whose chroma plane holds whole blocks of `block` pairs by `block` rows, or any size.
IppiSize BlockFrame(FuzzInput& in, int block) {
  if (in.Flag(2)) return in.Region();
  const IppiSize chroma = WholeBlocks(in, block);
  return IppiSize{chroma.width, 2 * chroma.height + (in.Flag(4) ? 1 : 0)};
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Pixelized_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const IppiSize block = c.in().Flag(4) ? c.in().Region() : IppiSize{1 + c.in().Byte() % 16, 1 + c.in().Byte() % 16};
  c.Call([=] { return fnVCAIPP_Pixelized_8u_C1R(s.p, s.step, d.p, d.step, region, block); });
}

RYN_FUZZ(fnVCA_Pixelized_4x4_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_4x4_Interleaved_8u_C1R, BlockRegion(c.in(), 4));
}
RYN_FUZZ(fnVCA_Pixelized_8x8_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_8x8_Interleaved_8u_C1R, BlockRegion(c.in(), 8));
}
RYN_FUZZ(fnVCA_Pixelized_16x16_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_16x16_Interleaved_8u_C1R, BlockRegion(c.in(), 16));
}
RYN_FUZZ(fnVCA_Pixelized_32x32_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_32x32_Interleaved_8u_C1R, BlockRegion(c.in(), 32));
}
RYN_FUZZ(fnVCA_Pixelized_64x64_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_64x64_Interleaved_8u_C1R, BlockRegion(c.in(), 64));
}
RYN_FUZZ(fnVCA_Pixelized_128x128_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_128x128_Interleaved_8u_C1R, BlockRegion(c.in(), 128));
}
RYN_FUZZ(fnVCA_Pixelized_256x256_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_256x256_Interleaved_8u_C1R, BlockRegion(c.in(), 256));
}
RYN_FUZZ(fnVCA_Pixelized_512x512_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_512x512_Interleaved_8u_C1R, BlockRegion(c.in(), 512));
}
RYN_FUZZ(fnVCA_Pixelized_1024x1024_Interleaved_8u_C1R) {
  Interleaved(c, fnVCA_Pixelized_1024x1024_Interleaved_8u_C1R, BlockRegion(c.in(), 1024));
}

RYN_FUZZ(fnVCAIPP_Pixelized_4x4_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_Pixelized_4x4_8u_P2P3IR, BlockFrame(c.in(), 4)); }
RYN_FUZZ(fnVCAIPP_Pixelized_8x8_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_Pixelized_8x8_8u_P2P3IR, BlockFrame(c.in(), 8)); }
RYN_FUZZ(fnVCAIPP_Pixelized_16x16_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_16x16_8u_P2P3IR, BlockFrame(c.in(), 16));
}
RYN_FUZZ(fnVCAIPP_Pixelized_32x32_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_32x32_8u_P2P3IR, BlockFrame(c.in(), 32));
}
RYN_FUZZ(fnVCAIPP_Pixelized_64x64_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_64x64_8u_P2P3IR, BlockFrame(c.in(), 64));
}
RYN_FUZZ(fnVCAIPP_Pixelized_128x128_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_128x128_8u_P2P3IR, BlockFrame(c.in(), 128));
}
RYN_FUZZ(fnVCAIPP_Pixelized_256x256_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_256x256_8u_P2P3IR, BlockFrame(c.in(), 256));
}
RYN_FUZZ(fnVCAIPP_Pixelized_512x512_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_512x512_8u_P2P3IR, BlockFrame(c.in(), 512));
}
RYN_FUZZ(fnVCAIPP_Pixelized_1024x1024_8u_P2P3IR) {
  TwoPlane(c, fnVCAIPP_Pixelized_1024x1024_8u_P2P3IR, BlockFrame(c.in(), 1024));
}

RYN_FUZZ(fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R, c.in().Region());
}
RYN_FUZZ(fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R) {
  Interleaved(c, fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R, c.in().Region());
}

RYN_FUZZ(fnVCAIPP_MeanFilter_3x3_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_3x3_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_5x5_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_5x5_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_7x7_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_7x7_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_9x9_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_9x9_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_11x11_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_11x11_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_13x13_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_13x13_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_15x15_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_15x15_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_17x17_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_17x17_8u_P2P3IR, c.in().Region()); }
RYN_FUZZ(fnVCAIPP_MeanFilter_19x19_8u_P2P3IR) { TwoPlane(c, fnVCAIPP_MeanFilter_19x19_8u_P2P3IR, c.in().Region()); }

// region.width counts pairs: each row is 2 x width bytes.
RYN_FUZZ(fnVCA_Set_Interleave_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto d = c.Image<uint8_t>(region, 2, Access::kWrite);
  const uint8_t first = c.in().Byte();
  const uint8_t second = c.in().Byte();
  const int mode = Mode(c.in());
  c.Call([=] { return fnVCA_Set_Interleave_8u_C1R(d.p, region, d.step, first, second, mode); });
}
