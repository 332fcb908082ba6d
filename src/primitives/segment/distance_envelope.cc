// The lower envelope is computed with exact integers held in doubles: r^2 + v^2 and every squared
// distance are integers below 2^53 for any image below 2^26 pixels on a side, so each parabola
// intersection is rounded once and each output is the exact minimum rounded to float. In single
// precision, squares of positions beyond 4096 are rounded and the envelope can give a zero pixel a
// distance of 1.
//
// A run of zero pixels is one element of the envelope: no parabola beats it on its own pixels
// (which are at distance 0), so it meets the parabolas on its left at its left end and those on
// its right at its right end, and it is never dropped.
#include "primitives/segment/distance_envelope.h"

#include <cmath>
#include <limits>

#include "frame/checks.h"
#include "frame/unaligned.h"
#include "primitives/segment/segment.h"
#include "primitives/segment/segment_checks.h"

namespace ryn::segment {
namespace {

constexpr double kLowest = std::numeric_limits<double>::lowest();
constexpr double kHighest = std::numeric_limits<double>::max();

inline double Square(double value) { return value * value; }

void StoreSquare(uint32_t* row, int x, double squaredDistance) {
  StoreUnaligned(reinterpret_cast<float*>(row) + x, static_cast<float>(squaredDistance));
}

}  // namespace

int64_t EnvelopeWorkspace::BytesFor(int width) {
  // half_, distances_, boundary_, position_, and up to 15 bytes of alignment.
  return 8 * (int64_t{width} + 1) + 4 * (int64_t{width} + 1) + 8 * (int64_t{width} + 2) + 4 * (int64_t{width} + 1) + 15;
}

EnvelopeWorkspace::EnvelopeWorkspace(uint8_t* buffer, int width) : width_(width) {
  const uintptr_t start = (reinterpret_cast<uintptr_t>(buffer) + 15) & ~uintptr_t{15};
  half_ = reinterpret_cast<double*>(start);
  distances_ = reinterpret_cast<uint32_t*>(half_ + width + 1);
  // Doubles need 8-byte alignment: the copy holds an even number of words or is followed by one.
  boundary_ = reinterpret_cast<double*>(distances_ + (width + 1) / 2 * 2);
  position_ = reinterpret_cast<int32_t*>(boundary_ + width + 2);
  half_[0] = 0.0;
  for (int n = 1; n <= width; ++n) half_[n] = 0.5 / n;
}

void EnvelopeWorkspace::SquaredRowDistances(uint32_t* row) const {
  const int width = width_;
  const uint32_t* distances = distances_;
  // The envelope from left to right; the top parabola is also kept in registers.
  int top = -1;
  int topPosition = 0;
  double topHeight = 0.0;  // r^2 + position^2 of the top parabola
  double topBoundary = kLowest;
  for (int q = 0; q < width;) {
    const uint32_t distance = distances[q];
    int last = q;
    if (distance == 0) {
      while (last + 1 < width && distances[last + 1] == 0) ++last;
    }
    const double height = Square(distance) + Square(q);
    double boundary = kLowest;
    if (top >= 0) {
      boundary = (height - topHeight) * half_[q - topPosition];
      while (top > 0 && boundary <= topBoundary) {
        --top;
        topPosition = position_[top];
        topHeight = Square(distances[topPosition]) + Square(topPosition);
        topBoundary = boundary_[top];
        boundary = (height - topHeight) * half_[q - topPosition];
      }
    }
    ++top;
    position_[top] = last;
    boundary_[top] = boundary;
    topPosition = last;
    topHeight = distance == 0 ? Square(last) : height;
    topBoundary = boundary;
    q = last + 1;
  }
  boundary_[top + 1] = kHighest;

  // Parabola k serves the pixels x with boundary_[k] < x <= boundary_[k + 1].
  int x = 0;
  for (int k = 0; k <= top && x < width; ++k) {
    const double right = boundary_[k + 1];
    const int last = right >= width - 1 ? width - 1 : right < x ? x - 1 : static_cast<int>(std::floor(right));
    const int position = position_[k];
    const double raise = Square(distances[position]);
    if (raise == 0) {
      int first = x;  // of the zero run that ends at `position`
      while (first < position && first <= last && distances[first] != 0) ++first;
      for (; x < first; ++x) StoreSquare(row, x, Square(first - x));
      for (; x <= position && x <= last; ++x) StoreSquare(row, x, 0.0);
    }
    for (; x <= last; ++x) StoreSquare(row, x, Square(x - position) + raise);
  }
}

}  // namespace ryn::segment

namespace ryn::segment {

IppStatus DistanceTransformBufferSize(IppiSize region, int* size) {
  RYN_CHECK(NotNull(size));
  RYN_CHECK(PositiveSize(region));
  const int64_t width4 = (int64_t{region.width} + 3) / 4 * 4, height4 = (int64_t{region.height} + 3) / 4 * 4;
  const int64_t bytes = (width4 > height4 ? width4 : height4) * 24 + 56;
  RYN_CHECK(FitsInInt(bytes));
  *size = static_cast<int>(bytes);
  return ippStsNoErr;
}

}  // namespace ryn::segment
