// The row pass of the distance transform: from the column distances r of one row to the squared
// distances min over v of (x - v)^2 + r(v)^2, by the lower envelope of the parabolas
// g_v(x) = r(v)^2 + (x - v)^2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::segment {

// The envelope's arrays in the caller's buffer (any alignment, DistanceTransformBufferSize bytes).
class EnvelopeWorkspace {
 public:
  // Bytes needed for rows of `width` pixels, including the alignment of the buffer's start.
  static int64_t BytesFor(int width);

  EnvelopeWorkspace(uint8_t* buffer, int width);

  // Replaces the column distances of `row` (32-bit integers) by the squared distances (floats),
  // exactly rounded to float. The row may start at any address.
  void SquaredRowDistances(uint32_t* row) const;

 private:
  int width_;
  double* half_;        // half_[n] = 0.5 / n
  double* boundary_;    // boundary_[k]: left end of parabola k's part of the envelope
  int32_t* position_;   // parabola k is centred at position_[k] (a run of zeros: its right end)
  uint32_t* distance_;  // and raised by distance_[k]^2
};

}  // namespace ryn::segment
