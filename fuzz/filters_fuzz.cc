// Box, Gaussian, high-pass and kernel filters, the bordered Gaussian and the border copies.
#include <algorithm>
#include <climits>
#include <cstring>
#include <tuple>

#include "fuzz/fuzz_registry.h"
#include "fuzz/neighbourhood_shapes.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::FuzzInput;
using ryn::fuzz::Margin;

// One side of a mask: mostly small, sometimes zero, negative, large enough for the general
// paths, or far too large.
int MaskSide(FuzzInput& in) {
  switch (in.Byte() % 8) {
    case 0: case 1: case 2: case 3:
      return in.Pick({3, 5, 7, 1, 2, 4});
    case 4: case 5:
      return 1 + in.Byte() % 15;
    case 6:
      return in.Pick({0, -1, -3, 91, 100});
    default:
      return in.Pick({INT_MIN, INT_MAX, 1 << 16});
  }
}

int MaskCode(FuzzInput& in) { return in.Pick({33, 55, 33, 55, 44, 0, 3, -1, 35}); }

// Filters of a caller's W x H image into a W x H destination, the mask decoded by `mask`.
template <class T, class Export, class Mask>
void WholeImage(FuzzCase& c, Export call, Mask mask) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<T>(region, 1, Access::kRead);
  const auto d = c.Image<T>(region, 1, Access::kWrite);
  const auto arguments = mask(c.in());
  c.Call([=] {
    return std::apply([&](auto... a) { return call(s.p, s.step, d.p, d.step, region, a...); }, arguments);
  });
}

auto BoxMask(FuzzInput& in) {
  const int width = MaskSide(in);
  return std::make_tuple(width, MaskSide(in));
}
auto CodeMask(FuzzInput& in) { return std::make_tuple(MaskCode(in)); }

// `taps` kernel weights from the input: mostly small signed values, sometimes any 32-bit value.
int32_t* IntegerKernel(FuzzCase& c, int64_t taps) {
  int32_t* kernel = c.Vector<int32_t>(taps, Access::kRead);
  if (kernel == nullptr || taps <= 0) return kernel;
  const bool wide = c.in().Flag(8);
  auto& initial = c.buffers().back()->initial();
  for (int64_t i = 0; i < taps; ++i) {
    const int32_t weight = wide ? c.in().Raw<int32_t>() : static_cast<int8_t>(c.in().Byte());
    std::memcpy(initial.data() + i * sizeof weight, &weight, sizeof weight);
  }
  return kernel;
}

int64_t Taps(IppiSize kernelSize) {
  return kernelSize.width > 0 && kernelSize.height > 0 ? int64_t{kernelSize.width} * kernelSize.height : 0;
}

int GaussKernelSize(FuzzInput& in) { return in.Pick({3, 5, 7, 4, 9, 15, 31, 1, 2, 0, -1, INT_MAX}); }
int Sigma(FuzzInput& in) { return in.Pick({1, 2, 3, 5, 10, 0, -1}); }

// The odd kernel size the bordered Gaussian filters with.
int OddKernelSize(int kernelSize) { return kernelSize % 2 == 0 ? kernelSize + 1 : kernelSize; }

// Border copies: one step for both images, the border often near its largest valid width.
int BorderWidth(FuzzInput& in, int width, int height) {
  const int smaller = width < height ? width : height;
  switch (in.Byte() % 4) {
    case 0:
      return smaller > 0 ? in.Byte() % ((smaller + 1) / 2) : 0;
    case 1:
      return smaller > 0 ? (smaller - 1) / 2 : 0;
    case 2:
      return in.Pick({0, 1, 2});
    default:
      return in.Pick({smaller / 2, -1, INT_MIN, INT_MAX});
  }
}

}  // namespace

RYN_FUZZ(fnVCAIPP_FilterBox_8u_C1R) { WholeImage<uint8_t>(c, fnVCAIPP_FilterBox_8u_C1R, BoxMask); }
RYN_FUZZ(fnVCAIPP_FilterBox_32f_C1R) { WholeImage<float>(c, fnVCAIPP_FilterBox_32f_C1R, BoxMask); }
RYN_FUZZ(fnVCAIPP_FilterGauss_8u_C1R) { WholeImage<uint8_t>(c, fnVCAIPP_FilterGauss_8u_C1R, CodeMask); }
RYN_FUZZ(fnVCAIPP_FilterHipass_8u_C1R) { WholeImage<uint8_t>(c, fnVCAIPP_FilterHipass_8u_C1R, CodeMask); }

RYN_FUZZ(fnVCAIPP_Filter_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<uint8_t>(region, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  const int kernelWidth = MaskSide(c.in());
  const IppiSize kernelSize{kernelWidth, MaskSide(c.in())};
  const int32_t* kernel = IntegerKernel(c, Taps(kernelSize));
  c.LimitWork(region, Taps(kernelSize));
  const int divisor = c.in().Pick({1, 2, 4, 3, 16, 9, 256, 0, -3, -4, 7, INT_MIN});
  c.Call([=] { return fnVCAIPP_Filter_8u_C1R(s.p, s.step, d.p, d.step, region, kernel, kernelSize, divisor); });
}

// The float kernel reaches columns x + anchor.x - (kw - 1) .. x + anchor.x of source row y, and
// rows alike: the caller provides them, whatever the anchor.
RYN_FUZZ(fnVCAIPP_Filter_32f_C1R) {
  const IppiSize region = c.in().Region();
  const int kernelWidth = MaskSide(c.in());
  const IppiSize kernelSize{kernelWidth, MaskSide(c.in())};
  const bool inside = !c.in().Flag(6);
  const IppiPoint anchor = inside ? IppiPoint{kernelSize.width > 0 ? c.in().Byte() % kernelSize.width : 0,
                                              kernelSize.height > 0 ? c.in().Byte() % kernelSize.height : 0}
                                  : IppiPoint{c.in().Pick({-1, 0, 5, -3}), c.in().Pick({0, -2, 4, 7})};
  // Every kernel the filter accepts reaches its rows and columns, however large; a reach too
  // large to allocate makes the call too large to run.
  auto side = [](int64_t pixels) { return static_cast<int>(std::clamp<int64_t>(pixels, 0, 1 << 28)); };
  Margin reach;
  if (Taps(kernelSize) > 0) {
    reach = Margin{side(int64_t{kernelSize.width} - 1 - anchor.x), side(int64_t{kernelSize.height} - 1 - anchor.y),
                   side(anchor.x), side(anchor.y)};
  }
  const auto s = c.Image<float>(region, 1, Access::kRead, reach);
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  const float* kernel = c.Vector<float>(Taps(kernelSize), Access::kRead);
  c.LimitWork(region, Taps(kernelSize));
  c.Call([=] { return fnVCAIPP_Filter_32f_C1R(s.p, s.step, d.p, d.step, region, kernel, kernelSize, anchor); });
}

RYN_FUZZ(fnVCAIPP_FilterGaussBorder_32f_C1R) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<float>(region, 1, Access::kRead);
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  const int kernelSize = GaussKernelSize(c.in());
  const int sigma = Sigma(c.in());
  c.Call([=] { return fnVCAIPP_FilterGaussBorder_32f_C1R(s.p, s.step, d.p, d.step, region, kernelSize, sigma); });
}

RYN_FUZZ(fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize) {
  const IppiSize region = c.in().Region();
  const int kernelSize = GaussKernelSize(c.in());
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(region, kernelSize, size); });
}

RYN_FUZZ(fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf) {
  const IppiSize region = c.in().Region();
  const auto s = c.Image<float>(region, 1, Access::kRead);
  const auto d = c.Image<float>(region, 1, Access::kWrite);
  const int kernelSize = GaussKernelSize(c.in());
  const int sigma = Sigma(c.in());
  uint8_t* buffer = ryn::fuzz::QueriedScratch(c, [&](int* bytes) {
    return fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(region, OddKernelSize(kernelSize), bytes);
  });
  c.Call([=] {
    return fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(s.p, s.step, d.p, d.step, region, kernelSize, sigma, buffer);
  });
}

namespace {

// A width x height source and destination sharing one step, and a border width.
template <class Export, class... Extra>
void BorderCopy(FuzzCase& c, Export call, Extra... extra) {
  const IppiSize size = c.in().Region();
  const int step = c.DecodeStep<uint8_t>(size, 1);
  const auto s = c.ImageWithStep<uint8_t>(size, 1, Access::kRead, step);
  const auto d = c.ImageWithStep<uint8_t>(size, 1, Access::kWrite, step);
  const int border = BorderWidth(c.in(), size.width, size.height);
  c.Call([=] { return call(s.p, d.p, size.width, size.height, step, border, extra...); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_CopyConstBorder_8u_C1R) {
  BorderCopy(c, fnVCAIPP_CopyConstBorder_8u_C1R, static_cast<uint8_t>(c.in().Byte()));
}
RYN_FUZZ(fnVCAIPP_CopyReplicateBorder_8u_C1R) { BorderCopy(c, fnVCAIPP_CopyReplicateBorder_8u_C1R); }

RYN_FUZZ(fnVCAIPP_CopyReplicateBorder_8u_C1IR) {
  const IppiSize size = c.in().Region();
  const auto image = c.Image<uint8_t>(size, 1, Access::kWrite);
  const int border = BorderWidth(c.in(), size.width, size.height);
  c.Call([=] { return fnVCAIPP_CopyReplicateBorder_8u_C1IR(image.p, size.width, size.height, image.step, border); });
}
