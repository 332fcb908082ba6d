// The Lanczos table, built once on first use.
#include "primitives/geometry/interpolation.h"

#include <array>
#include <cmath>

namespace ryn::geometry {
namespace {

std::array<float, 301> BuildLanczosTable() {
  std::array<float, 301> table{};
  const double pi = 3.141592653589793;
  table[0] = 1.0f;
  for (int i = 1; i < 300; ++i) {
    const double x = i * 0.01;
    table[i] = static_cast<float>(std::sin(pi * x) / (pi * x) * std::sin(pi * x / 3.0) / (pi * x / 3.0));
  }
  table[300] = 0.0f;
  return table;
}

}  // namespace

double LanczosKernel(double x) {
  static const std::array<float, 301> table = BuildLanczosTable();
  const double position = x * 100.0;
  const int i = TruncateToInt(position);
  if (i >= 300) return table[300];
  if (i < 0) return table[0];
  return table[i] + (static_cast<double>(table[i + 1]) - table[i]) * (position - i);
}

}  // namespace ryn::geometry
