// The separable weights of the derivative filters: destination(x, y) = sum over dy, dx of
// h[dx + r] * v[dy + r] * source(x + dx, y + dy), computed as a column pass with v (terms in
// order, zero weights skipped) and a row pass with h over the column sums. Element 0 belongs to
// the leftmost column or the top row. The Laplacian adds a second pass with h and v exchanged.
#pragma once

namespace ryn::derivatives {

enum class Unbordered { kSobelHoriz, kSobelVert, kPrewittHoriz, kPrewittVert };
enum class Bordered { kSobelHoriz, kSobelVert, kSobelNegVert, kSobelCross, kLaplacian };

struct SeparablePass {
  int radius;  // 1 for 3 x 3, 2 for 5 x 5
  int h[5];
  int v[5];
};

// One or two passes summed; `passes` is 0 for a kind that has no such mask.
struct SeparableFilter {
  int passes;
  SeparablePass pass[2];
};

constexpr SeparablePass kSobelHoriz3{1, {1, 2, 1}, {-1, 0, 1}};
constexpr SeparablePass kSobelHoriz5{2, {1, 4, 6, 4, 1}, {-1, -2, 0, 2, 1}};
constexpr SeparablePass kSobelVert3{1, {1, 0, -1}, {1, 2, 1}};
constexpr SeparablePass kSobelVert5{2, {1, 2, 0, -2, -1}, {1, 4, 6, 4, 1}};
// The negative vertical filter negates the column sums.
constexpr SeparablePass kSobelNegVert3{1, {1, 0, -1}, {-1, -2, -1}};
constexpr SeparablePass kSobelNegVert5{2, {1, 2, 0, -2, -1}, {-1, -4, -6, -4, -1}};
constexpr SeparablePass kSobelCross3{1, {1, 0, -1}, {-1, 0, 1}};
constexpr SeparablePass kPrewittHoriz3{1, {1, 1, 1}, {-1, 0, 1}};
constexpr SeparablePass kPrewittVert3{1, {1, 0, -1}, {1, 1, 1}};
constexpr SeparablePass kLaplacianAB{2, {1, 4, 6, 4, 1}, {1, 0, -2, 0, 1}};
constexpr SeparablePass kLaplacianBA{2, {1, 0, -2, 0, 1}, {1, 4, 6, 4, 1}};

constexpr SeparablePass PassOf(Unbordered kind) {
  switch (kind) {
    case Unbordered::kSobelHoriz:
      return kSobelHoriz3;
    case Unbordered::kSobelVert:
      return kSobelVert3;
    case Unbordered::kPrewittHoriz:
      return kPrewittHoriz3;
    case Unbordered::kPrewittVert:
      break;
  }
  return kPrewittVert3;
}

// The cross filter exists in 3 x 3 only, the Laplacian in 5 x 5 only.
constexpr SeparableFilter FilterOf(Bordered kind, int maskCode) {
  const bool five = maskCode == 55;
  if (maskCode != 33 && maskCode != 55) return SeparableFilter{0, {}};
  switch (kind) {
    case Bordered::kSobelHoriz:
      return SeparableFilter{1, {five ? kSobelHoriz5 : kSobelHoriz3}};
    case Bordered::kSobelVert:
      return SeparableFilter{1, {five ? kSobelVert5 : kSobelVert3}};
    case Bordered::kSobelNegVert:
      return SeparableFilter{1, {five ? kSobelNegVert5 : kSobelNegVert3}};
    case Bordered::kSobelCross:
      return five ? SeparableFilter{0, {}} : SeparableFilter{1, {kSobelCross3}};
    case Bordered::kLaplacian:
      break;
  }
  return five ? SeparableFilter{2, {kLaplacianAB, kLaplacianBA}} : SeparableFilter{0, {}};
}

}  // namespace ryn::derivatives
