// The per-position rule of template matching, shared by the generic build and the processor
// builds' tails.
#pragma once

#include <cmath>

namespace ryn::fft {

// Energies and the template norm are raised to at least 2^-23 in the denominator.
constexpr double kDistanceFloor = 1.1920928955078125e-7;

// x > floor ? x : floor, the order of the processors' maximum.
inline double AtLeast(double x, double floor) { return x > floor ? x : floor; }

// (energy - 2 correlation + norm^2) / (sqrt(max(energy, e)) max(norm, e)), rounded once.
inline float DistanceOf(double correlation, double energy, double normSquared, double normFloored) {
  const double distance = (energy - 2.0 * correlation) + normSquared;
  return static_cast<float>(distance / (std::sqrt(AtLeast(energy, kDistanceFloor)) * normFloored));
}

}  // namespace ryn::fft
