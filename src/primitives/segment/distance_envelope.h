// The row pass of the distance transform: from the column distances r of one row to the squared
// distances min over v of (x - v)^2 + r(v)^2, by the lower envelope of the parabolas
// g_v(x) = r(v)^2 + (x - v)^2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::segment {

// The envelope's arrays and a copy of the row's column distances, in the caller's buffer (any
// alignment, DistanceTransformBufferSize bytes). The copy lies between two other arrays of the
// buffer, so that reads up to width - 1 elements before or after it stay inside the buffer.
class EnvelopeWorkspace {
 public:
  // Bytes needed for rows of `width` pixels, including the alignment of the buffer's start.
  static int64_t BytesFor(int width);

  EnvelopeWorkspace(uint8_t* buffer, int width);

  // Where the row's column distances go before either pass below.
  uint32_t* distances() const { return distances_; }

  // Writes the squared distances of the row whose column distances are in distances() to `row`
  // (floats, each the exact integer rounded to float). The row may start at any address.
  void SquaredRowDistances(uint32_t* row) const;

 private:
  int width_;
  double* half_;        // half_[n] = 0.5 / n
  uint32_t* distances_;
  double* boundary_;    // boundary_[k]: left end of parabola k's part of the envelope
  int32_t* position_;   // parabola k is centred at position_[k] (a run of zeros: its right end)
};

}  // namespace ryn::segment
