// Resizing, rotation, perspective warp, remap, mirror and transpose.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_registry.h"
#include "fuzz/neighbourhood_shapes.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::FuzzInput;
using ryn::fuzz::ImageArg;
using ryn::fuzz::QueriedScratch;

constexpr int kBlend = static_cast<int>(0x80000000u);
constexpr int kFade = 0x40000000;
constexpr int kAntialias = 0x20000000;

int ResizeInterpolation(FuzzInput& in) {
  return in.Pick({1, 2, 4, 5, 6, 7, 8, 16, 1, 2, 8, 2 | kBlend, 4 | kFade, 6 | kAntialias, 16 | kAntialias,
                  8 | kAntialias, 1 | kAntialias, 16 | kBlend, 0, 3, 9, 2 | kBlend | kFade, 0x1FFFFFFF, -1});
}
int RotateInterpolation(FuzzInput& in) {
  return in.Pick({1, 2, 4, 6, 1 | kBlend, 2 | kBlend, 4 | kBlend, 6 | kBlend, 5, 8, 16, 0, 2 | kFade});
}
int RemapInterpolation(FuzzInput& in) {
  return in.Pick({1, 2, 4, 6, 16, 1 | kBlend, 2 | kBlend, 4 | kBlend, 6 | kBlend, 16 | kBlend, 5, 0, 3, 8});
}

// A region of an image of `size`: mostly the whole image or a part of it, sometimes starting
// outside it or larger than it.
IppiRect RegionIn(FuzzInput& in, IppiSize size) {
  const int width = size.width > 0 ? size.width : 1;
  const int height = size.height > 0 ? size.height : 1;
  switch (in.Byte() % 8) {
    case 0: case 1: case 2:
      return IppiRect{0, 0, size.width, size.height};
    case 3: case 4: {
      const int x = in.Byte() % width;
      const int y = in.Byte() % height;
      return IppiRect{x, y, 1 + in.Byte() % (width - x), 1 + in.Byte() % (height - y)};
    }
    case 5:
      return IppiRect{in.Pick({0, -1, width, width > INT_MAX - 3 ? width : width + 3}), in.Pick({0, -2, height}),
                      in.Size(), in.Size()};
    default: {
      const int x = in.Byte() % 8;
      const int y = in.Byte() % 8;
      return IppiRect{x, y, in.Size(), in.Size()};
    }
  }
}

// The image that holds a destination region at its origin: (x + width) x (y + height). Calls
// whose region lies beyond what an int can address are not run.
IppiSize Holding(FuzzCase& c, IppiRect region) {
  const int64_t width = int64_t{std::max(region.x, 0)} + std::max(region.width, 0);
  const int64_t height = int64_t{std::max(region.y, 0)} + std::max(region.height, 0);
  if (width > INT_MAX || height > INT_MAX) {
    c.Skip();
    return IppiSize{0, 0};
  }
  return IppiSize{static_cast<int>(width), static_cast<int>(height)};
}

double Angle(FuzzInput& in) {
  return in.Flag(4) ? in.Double() : in.Pick({0, 90, 180, 270, 450, -90, 30, 45, 1, -720, 135});
}
double Offset(FuzzInput& in) { return in.Flag(3) ? in.Double() : in.Pick({0, 1, -1, 5, -7, 20}); }

}  // namespace

RYN_FUZZ(fnVCAIPP_Resize_8u_C1R) {
  const IppiSize size = c.in().Region();
  const IppiRect region = RegionIn(c.in(), size);
  const double xFactor = c.in().Double();
  const double yFactor = c.in().Double();
  const int interpolation = ResizeInterpolation(c.in());
  c.Call([=] {
    return fnVCAIPP_Resize_8u_C1R(nullptr, size, size.width, region, nullptr, size.width, size, xFactor, yFactor,
                                  interpolation);
  });
}

namespace {

// A reduction or an enlargement by a simple ratio.
float Ratio(FuzzInput& in) {
  const int numerator = in.Pick({2, 4, 3, 1, 8});
  return numerator / static_cast<float>(in.Pick({1, 2, 3, 4}));
}

// truncate(extent / factor) in single precision, saturated to the int range.
int ScaledExtent(int extent, float factor) {
  const float scaled = static_cast<float>(extent) / factor;
  if (std::isnan(scaled)) return 0;
  if (scaled >= 2147483648.0f) return INT_MAX;
  if (scaled <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(scaled);
}

}  // namespace

RYN_FUZZ(fnVCAIPP_ResizeSqrPixel_8u_C1R) {
  const IppiSize size = c.in().Region();
  const float factor = c.in().Flag(4) ? c.in().Float() : Ratio(c.in());
  const IppiSize scaled{ScaledExtent(size.width, factor), ScaledExtent(size.height, factor)};
  const auto s = c.Image<uint8_t>(size, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(scaled, 1, Access::kWrite);
  c.Call([=] { return fnVCAIPP_ResizeSqrPixel_8u_C1R(s.p, s.step, d.p, d.step, size.width, size.height, factor); });
}

RYN_FUZZ(fnVCAIPP_ResizeImage_8u_C1R_GetBufSize) {
  const IppiSize source = c.in().Region();
  const IppiSize destination = c.in().Region();
  const int interpolation = ResizeInterpolation(c.in());
  int* size = c.Out<int>();
  c.Call([=] { return fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(source, destination, interpolation, size); });
}

RYN_FUZZ(fnVCAIPP_ResizeImage_8u_C1R_ExtBuf) {
  const IppiSize sourceSize = c.in().Region();
  const IppiSize destinationSize = c.in().Region();
  const int interpolation = ResizeInterpolation(c.in());
  const auto s = c.Image<uint8_t>(sourceSize, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(destinationSize, 1, Access::kWrite);
  uint8_t* buffer = QueriedScratch(c, [&](int* bytes) {
    return fnVCAIPP_ResizeImage_8u_C1R_GetBufSize(sourceSize, destinationSize, interpolation, bytes);
  });
  c.Call([=] {
    return fnVCAIPP_ResizeImage_8u_C1R_ExtBuf(s.p, s.step, sourceSize, d.p, d.step, destinationSize, interpolation,
                                              buffer);
  });
}

RYN_FUZZ(fnVCAIPP_ResizeImage_8u_C1R) {
  const IppiSize sourceSize = c.in().Region();
  const IppiSize destinationSize = c.in().Region();
  const int interpolation = ResizeInterpolation(c.in());
  const auto s = c.Image<uint8_t>(sourceSize, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(destinationSize, 1, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_ResizeImage_8u_C1R(s.p, s.step, sourceSize, d.p, d.step, destinationSize, interpolation);
  });
}

namespace {

// Rotation of a source region into a destination region, both addressed from their image's
// origin; the last two doubles are shifts or a centre.
template <class Export>
void Rotation(FuzzCase& c, Export call) {
  const IppiSize sourceSize = c.in().Region();
  const IppiRect sourceRegion = RegionIn(c.in(), sourceSize);
  const IppiRect destinationRegion = RegionIn(c.in(), c.in().Region());
  const auto s = c.Image<uint8_t>(sourceSize, 1, Access::kRead);
  const auto d = c.Image<uint8_t>(Holding(c, destinationRegion), 1, Access::kWrite);
  const double angle = Angle(c.in());
  const double first = Offset(c.in());
  const double second = Offset(c.in());
  const int interpolation = RotateInterpolation(c.in());
  c.Call([=] {
    return call(s.p, sourceSize, s.step, sourceRegion, d.p, d.step, destinationRegion, angle, first, second,
                interpolation);
  });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Rotate_8u_C1R) { Rotation(c, fnVCAIPP_Rotate_8u_C1R); }
RYN_FUZZ(fnVCAIPP_RotateCenter_8u_C1R) { Rotation(c, fnVCAIPP_RotateCenter_8u_C1R); }

namespace {

// A quadrangle near the corners of a width x height rectangle (top-left, top-right,
// bottom-right, bottom-left), moved, perturbed, or degenerate.
std::array<double, 8> Quadrangle(FuzzInput& in, IppiSize size) {
  const double right = size.width - 1.0;
  const double bottom = size.height - 1.0;
  std::array<double, 8> corners{0, 0, right, 0, right, bottom, 0, bottom};
  switch (in.Byte() % 4) {
    case 0:
      break;
    case 1:
      for (double& v : corners) v += in.Byte() % 16 - 8;
      break;
    case 2:
      for (double& v : corners) v = v * 0.5 + in.Double();
      break;
    default:
      corners[2] = corners[0];  // two coincident points
      corners[3] = corners[1];
      break;
  }
  return corners;
}

// A 3 x 3 matrix near the identity: shifted, scaled, sheared or with a perspective row, or
// singular.
std::array<double, 9> Perspective(FuzzInput& in) {
  std::array<double, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};
  switch (in.Byte() % 6) {
    case 0:
      break;
    case 1:
      m[2] = in.Pick({1, -3, 10, -100});
      m[5] = in.Pick({0, 2, -5, 1000});
      break;
    case 2:
      m[0] = in.Pick({2, 1, -1}) * 0.5;
      m[1] = in.Byte() / 64.0 - 2;
      m[3] = in.Byte() / 64.0 - 2;
      m[4] = in.Pick({2, 1, 3}) * 0.5;
      break;
    case 3:
      m[6] = in.Byte() / 4096.0;
      m[7] = in.Byte() / 4096.0 - 1 / 32.0;
      break;
    case 4:
      for (double& v : m) v = in.Double();
      break;
    default:
      m = {0, 0, 0, 0, 0, 0, 0, 0, static_cast<double>(in.Pick({0, 1}))};
      break;
  }
  return m;
}

}  // namespace

RYN_FUZZ(fnVCAIPP_GetPerspectiveTransform_8u_C1R) {
  const IppiSize size = c.in().Region();
  const auto q = Quadrangle(c.in(), size);
  const double* quadrangle = c.Array<double>({q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7]});
  double* coefficients = c.Vector<double>(9, Access::kWrite);
  c.Call([=] { return fnVCAIPP_GetPerspectiveTransform_8u_C1R(quadrangle, size, coefficients); });
}

// The destination is filled with 15 before the arguments are checked, so a failing call has
// written it.
RYN_FUZZ(fnVCAIPP_WarpPerspective_8u_C1R) {
  const IppiSize size = c.in().Region();
  const int step = c.DecodeStep<uint8_t>(size, 1);
  const auto s = c.ImageWithStep<uint8_t>(size, 1, Access::kRead, step);
  const auto d = c.ImageWithStep<uint8_t>(size, 1, Access::kWrite, step);
  const auto direction = static_cast<uint8_t>(c.in().Pick({1, 0, 2, 255}));
  const auto m = Perspective(c.in());
  const double* coefficients = c.Array<double>({m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]});
  c.WritesOnError();
  c.Call([=] { return fnVCAIPP_WarpPerspective_8u_C1R(s.p, d.p, size, step, direction, coefficients); });
}

namespace {

// A coordinate map of `size`: as decoded, or positions along `axis` (0 columns, 1 rows) scaled
// and shifted, so that most of them land in or near the source.
ImageArg<float> CoordinateMap(FuzzCase& c, IppiSize size, int axis) {
  const auto map = c.Image<float>(size, 1, Access::kRead);
  if (map.p == nullptr || size.width <= 0 || size.height <= 0 || !c.in().Flag(2)) return map;
  const int64_t rowBytes = int64_t{size.width} * sizeof(float);
  const int64_t span = std::abs(int64_t{map.step});
  if (span < rowBytes) return map;
  const float scale = c.in().Pick({1, 2, -1, 3}) / static_cast<float>(c.in().Pick({1, 2, 3}));
  const float shift = c.in().Float();
  auto& initial = c.buffers().back()->initial();
  for (int64_t y = 0; y < size.height; ++y) {
    const int64_t row = (map.step > 0 ? y : size.height - 1 - y) * span;
    for (int64_t x = 0; x < size.width; ++x) {
      const float position = static_cast<float>(axis == 0 ? x : y) * scale + shift;
      std::memcpy(initial.data() + row + x * sizeof(float), &position, sizeof position);
    }
  }
  return map;
}

// Destination pixel (x, y) samples the source at the maps' (x, y); maps and destination have the
// destination's size.
template <class Export>
void Remap(FuzzCase& c, Export call, int channels) {
  const IppiSize sourceSize = c.in().Region();
  const IppiRect sourceRegion = RegionIn(c.in(), sourceSize);
  const IppiSize destinationSize = c.in().Region();
  const auto s = c.Image<uint8_t>(sourceSize, channels, Access::kRead);
  const auto d = c.Image<uint8_t>(destinationSize, channels, Access::kWrite);
  const auto xMap = CoordinateMap(c, destinationSize, 0);
  const auto yMap = CoordinateMap(c, destinationSize, 1);
  const int interpolation = RemapInterpolation(c.in());
  c.Call([=] {
    return call(s.p, sourceSize, s.step, sourceRegion, xMap.p, xMap.step, yMap.p, yMap.step, d.p, d.step,
                destinationSize, interpolation);
  });
}

template <class T, class Export>
void Mirror(FuzzCase& c, Export call) {
  const IppiSize size = c.in().Region();
  const auto s = c.Image<T>(size, 1, Access::kRead);
  const auto d = c.Image<T>(size, 1, Access::kWrite);
  const int flip = c.in().Code(0, 2);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, size, flip); });
}

template <class T, class Export>
void MirrorInPlace(FuzzCase& c, Export call) {
  const IppiSize size = c.in().Region();
  const auto image = c.Image<T>(size, 1, Access::kWrite);
  const int flip = c.in().Code(0, 2);
  c.Call([=] { return call(image.p, image.step, size, flip); });
}

// The destination is size.height columns by size.width rows.
template <class T, class Export>
void Transpose(FuzzCase& c, Export call) {
  const IppiSize size = c.in().Region();
  const auto s = c.Image<T>(size, 1, Access::kRead);
  const auto d = c.Image<T>(IppiSize{size.height, size.width}, 1, Access::kWrite);
  c.Call([=] { return call(s.p, s.step, d.p, d.step, size); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Remap_8u_C1R) { Remap(c, fnVCAIPP_Remap_8u_C1R, 1); }
RYN_FUZZ(fnVCAIPP_Remap_8u_C3R) { Remap(c, fnVCAIPP_Remap_8u_C3R, 3); }
RYN_FUZZ(fnVCAIPP_Mirror_8u_C1R) { Mirror<uint8_t>(c, fnVCAIPP_Mirror_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Mirror_32f_C1R) { Mirror<float>(c, fnVCAIPP_Mirror_32f_C1R); }
RYN_FUZZ(fnVCAIPP_Mirror_8u_C1IR) { MirrorInPlace<uint8_t>(c, fnVCAIPP_Mirror_8u_C1IR); }
RYN_FUZZ(fnVCAIPP_Mirror_32f_C1IR) { MirrorInPlace<float>(c, fnVCAIPP_Mirror_32f_C1IR); }
RYN_FUZZ(fnVCAIPP_Transpose_8u_C1R) { Transpose<uint8_t>(c, fnVCAIPP_Transpose_8u_C1R); }
RYN_FUZZ(fnVCAIPP_Transpose_32f_C1R) { Transpose<float>(c, fnVCAIPP_Transpose_32f_C1R); }
