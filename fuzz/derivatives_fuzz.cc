// Sobel, Prewitt, Sobel cross and Laplacian filters, Canny edges and the gradient magnitude.
#include <climits>

#include "fuzz/fuzz_registry.h"
#include "fuzz/neighbourhood_shapes.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::Around;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::FuzzInput;
using ryn::fuzz::Margin;
using ryn::fuzz::Moved;
using ryn::fuzz::QueriedScratch;

int MaskCode(FuzzInput& in) { return in.Pick({33, 55, 33, 55, 44, 0, -1}); }

// Border types: the plain ones, the sides held in memory, and invalid values.
int BorderType(FuzzInput& in) {
  return in.Pick({1, 0, 2, 3, 4, 6, 1 | 16, 0 | 32, 2 | 64, 3 | 128, 4 | 16 | 64, 1 | 240, 0 | 32 | 128 | 1024, 5, 7,
                  15, 256 | 1, -1, INT_MIN});
}

// The pixels beyond the region that a border type says the caller's memory holds, `radius` deep.
Margin MemorySides(int borderType, int radius) {
  const int flags = (borderType & 15) == 6 ? 240 : borderType & 240;
  const bool valid = (borderType & 15) != 5 && (borderType & 15) <= 6;
  if (!valid) return Margin{};
  return Margin{flags & 16 ? radius : 0, flags & 64 ? radius : 0, flags & 32 ? radius : 0, flags & 128 ? radius : 0};
}

int Radius(int maskCode) { return maskCode == 55 ? 2 : maskCode == 33 ? 1 : 0; }

// The unbordered Sobel filters take the origin one row and one pixel before their region; the
// source is read one pixel beyond the region on every side, the destination only inside it.
template <class Export>
void Unbordered(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<float>(region, 1, Access::kRead, Around(1));
  const auto d = c.Image<float>(region, 1, Access::kWrite, Margin{1, 1, 0, 0});
  const float* source = Moved(s, -1, -1);
  float* destination = Moved(d, -1, -1);
  c.Call([=] { return call(source, s.step, destination, d.step, region); });
}

template <class T, class Export, class... Extra>
void WholeRegion(FuzzCase& c, Export call, Extra... extra) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<T>(region, 1, Access::kRead);
  const auto d = c.Image<T>(region, 1, Access::kWrite);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region, extra...); });
}

template <class Export>
void SobelBorder32f(FuzzCase& c, Export call) {
  WholeRegion<float>(c, call, MaskCode(c.in()));
}

// 8-bit source, 16-bit result, the caller's border and a buffer sized by the matching query.
template <class Export, class Query>
void SobelBorder8u16s(FuzzCase& c, Export call, Query query) {
  const IppiSize region = c.in().Region();
  const int mask = MaskCode(c.in());
  const int borderType = BorderType(c.in());
  const uint8_t borderValue = c.in().Byte();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead, MemorySides(borderType, Radius(mask)));
  const auto d = c.Image<int16_t>(region, 1, Access::kWrite);
  uint8_t* buffer = QueriedScratch(c, [&](int* bytes) { return query(region, mask, bytes); });
  c.Call([=] { return call(s.p, s.step, d.p, d.step, region, mask, borderType, borderValue, buffer); });
}

template <class Export>
void SizeQuery(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  int* size = c.Out<int>();
  c.Call([=] { return call(region, size); });
}

template <class Export>
void MaskSizeQuery(FuzzCase& c, Export call) {
  const IppiSize region = c.in().Region();
  const int mask = MaskCode(c.in());
  int* size = c.Out<int>();
  c.Call([=] { return call(region, mask, size); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_FilterSobelHoriz_32f_C1R) { Unbordered(c, fnVCAIPP_FilterSobelHoriz_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterSobelVert_32f_C1R) { Unbordered(c, fnVCAIPP_FilterSobelVert_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterPrewittHoriz_32f_C1R) { WholeRegion<float>(c, fnVCAIPP_FilterPrewittHoriz_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterPrewittVert_32f_C1R) { WholeRegion<float>(c, fnVCAIPP_FilterPrewittVert_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterSobelHorizBorder_32f_C1R) { SobelBorder32f(c, fnVCAIPP_FilterSobelHorizBorder_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterSobelVertBorder_32f_C1R) { SobelBorder32f(c, fnVCAIPP_FilterSobelVertBorder_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterSobelCrossBorder_32f_C1IR) { WholeRegion<float>(c, fnVCAIPP_FilterSobelCrossBorder_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_FilterLaplacianBorder_32f_C1R) { WholeRegion<float>(c, fnVCAIPP_FilterLaplacianBorder_32f_C1R); }
RYN_FUZZ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize) {
  SizeQuery(c, fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize);
}

RYN_FUZZ(fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<float>(region, 1, Access::kRead);
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  uint8_t* buffer = QueriedScratch(
      c, [&](int* bytes) { return fnVCAIPP_FilterLaplacianBorder_32f_C1R_GetBufSize(region, bytes); });
  c.Call([=] { return fnVCAIPP_FilterLaplacianBorder_32f_C1R_ExtBuf(s.p, s.step, d.p, d.step, region, buffer); });
}

RYN_FUZZ(fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R) {
  SobelBorder8u16s(c, fnVCAIPP_FilterSobelHorizBorder_8u16s_C1R, fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R);
}
RYN_FUZZ(fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R) {
  SobelBorder8u16s(c, fnVCAIPP_FilterSobelNegVertBorder_8u16s_C1R,
                   fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R);
}
RYN_FUZZ(fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R) {
  MaskSizeQuery(c, fnVCAIPP_FilterSobelHorizGetBufferSize_8u16s_C1R);
}
RYN_FUZZ(fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R) {
  MaskSizeQuery(c, fnVCAIPP_FilterSobelNegVertGetBufferSize_8u16s_C1R);
}

RYN_FUZZ(fnVCAIPP_Canny_16s8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto dx = c.Image<int16_t>(region, 1, Access::kRead);
  const auto dy = c.Image<int16_t>(region, 1, Access::kRead);
  const auto edges = c.Image<uint8_t>(region, 1, Access::kWrite);
  const float low = c.in().Flag(4) ? c.in().Float() : c.in().Byte();
  const float high = c.in().Flag(4) ? c.in().Float() : low + c.in().Byte() * 4;
  uint8_t* buffer = QueriedScratch(c, [&](int* bytes) { return fnVCAIPP_CannyGetSize(region, bytes); });
  c.Call([=] {
    return fnVCAIPP_Canny_16s8u_C1R(dx.p, dx.step, dy.p, dy.step, edges.p, edges.step, region, low, high, buffer);
  });
}

RYN_FUZZ(fnVCAIPP_CannyGetSize) { SizeQuery(c, fnVCAIPP_CannyGetSize); }

RYN_FUZZ(fnVCAIPP_GradientsGetBufferSize_32f) {
  const IppiSize region = c.in().Region();
  const int mask = MaskCode(c.in());
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_GradientsGetBufferSize_32f(region, mask, size); });
}

// The image is read around the region on the sides its border type holds in memory. The
// composite checks each output's step only against the region's width before filtering, so the
// horizontal output may be written before the vertical filter refuses its step: such calls keep
// what the earlier passes wrote, as the composite promises.
RYN_FUZZ(fnVCAIPP_Gradients_32f_C1IR) {
  const IppiSize region = c.in().Region();
  const int mask = MaskCode(c.in());
  const int borderType = BorderType(c.in());
  const float borderValue = c.in().Float();
  const auto image = c.Image<float>(region, 1, Access::kWrite, MemorySides(borderType, Radius(mask)));
  const auto horizontal = c.Image<float>(region, 1, Access::kWrite);
  const auto vertical = c.Image<float>(region, 1, Access::kWrite);
  uint8_t* buffer =
      QueriedScratch(c, [&](int* bytes) { return fnVCAIPP_GradientsGetBufferSize_32f(region, mask, bytes); });
  c.WritesOnError();
  c.Call([=] {
    return fnVCAIPP_Gradients_32f_C1IR(image.p, image.step, horizontal.p, horizontal.step, vertical.p, vertical.step,
                                       mask, borderType, borderValue, region, buffer);
  });
}
