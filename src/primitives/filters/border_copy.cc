#include "primitives/filters/border_copy.h"

#include <cstring>
#include <type_traits>

#include "frame/checks.h"
#include "primitives/fill/fill.h"

namespace ryn::filters {

namespace {

IppStatus CheckBorder(int sourceStep, int destinationStep, IppiSize inner, IppiSize outer, int top, int left) {
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(destinationStep));
  RYN_CHECK(PositiveSize(inner));
  RYN_CHECK(PositiveSize(outer));
  if (top < 0 || left < 0) return ippStsSizeErr;
  if (int64_t{outer.width} < int64_t{inner.width} + left || int64_t{outer.height} < int64_t{inner.height} + top) {
    return ippStsSizeErr;
  }
  return ippStsNoErr;
}

template <class T>
T* RowOf(T* image, int step, int64_t y) {
  using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
  return reinterpret_cast<T*>(reinterpret_cast<Byte*>(image) + y * step);
}

// Short runs (frame columns) are written directly; long ones go through the dispatched fills.
constexpr int kShortRun = 32;

void FillRun(uint8_t* run, int count, uint8_t value) {
  if (count <= 0) return;
  if (count < kShortRun) {
    for (int i = 0; i < count; ++i) run[i] = value;
  } else {
    fill::Set8u(run, IppiSize{count, 1}, count, value);
  }
}

void FillRun(float* run, int count, float value) {
  if (count <= 0) return;
  if (count < kShortRun) {
    for (int i = 0; i < count; ++i) run[i] = value;
  } else {
    fill::Set32f(run, IppiSize{count, 1}, 4 * count, value);
  }
}

// The outer image around an inner rectangle whose rows already hold their inner pixels: frame
// columns of the inner rows, then whole frame rows, copied from the first or last completed
// row, or filled with `value` when it is given.
template <class T, class FillLeftRight>
void CompleteFrame(T* outer, int step, IppiSize inner, IppiSize outerSize, int top, int left,
                   FillLeftRight fillLeftRight, const T* value) {
  const int right = outerSize.width - inner.width - left;
  for (int y = 0; y < inner.height; ++y) fillLeftRight(RowOf(outer, step, int64_t{top} + y), left, right);
  const T* first = RowOf(outer, step, top);
  const T* last = RowOf(outer, step, int64_t{top} + inner.height - 1);
  const auto completeRow = [&](int y, const T* model) {
    if (value != nullptr) {
      FillRun(RowOf(outer, step, y), outerSize.width, *value);
    } else {
      std::memcpy(RowOf(outer, step, y), model, static_cast<size_t>(outerSize.width) * sizeof(T));
    }
  };
  for (int y = 0; y < top; ++y) completeRow(y, first);
  for (int y = top + inner.height; y < outerSize.height; ++y) completeRow(y, last);
}

template <class T>
void ReplicateColumns(T* row, int left, int innerWidth, int right) {
  FillRun(row, left, row[left]);
  FillRun(row + left + innerWidth, right, row[left + innerWidth - 1]);
}

template <class T>
IppStatus ReplicateInPlace(T* inner, int step, IppiSize innerSize, IppiSize outerSize, int top, int left) {
  RYN_CHECK(NotNull(inner));
  RYN_CHECK(CheckBorder(step, step, innerSize, outerSize, top, left));
  T* outer = RowOf(inner, step, -int64_t{top}) - left;
  CompleteFrame(
      outer, step, innerSize, outerSize, top, left,
      [&](T* row, int l, int r) { ReplicateColumns(row, l, innerSize.width, r); }, static_cast<const T*>(nullptr));
  return ippStsNoErr;
}

template <class FillLeftRight>
IppStatus CopyWithBorder(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                         int destinationStep, IppiSize outerSize, int top, int left, FillLeftRight fillLeftRight,
                         const uint8_t* value) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(CheckBorder(sourceStep, destinationStep, innerSize, outerSize, top, left));
  for (int y = 0; y < innerSize.height; ++y) {
    std::memcpy(RowOf(destination, destinationStep, int64_t{top} + y) + left, RowOf(source, sourceStep, y),
                static_cast<size_t>(innerSize.width));
  }
  CompleteFrame(destination, destinationStep, innerSize, outerSize, top, left, fillLeftRight, value);
  return ippStsNoErr;
}

}  // namespace

IppStatus CopyConstBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                            int destinationStep, IppiSize outerSize, int top, int left, uint8_t value) {
  return CopyWithBorder(source, sourceStep, innerSize, destination, destinationStep, outerSize, top, left,
                        [&](uint8_t* row, int l, int r) {
                          FillRun(row, l, value);
                          FillRun(row + l + innerSize.width, r, value);
                        },
                        &value);
}

IppStatus CopyReplicateBorder8u(const uint8_t* source, int sourceStep, IppiSize innerSize, uint8_t* destination,
                                int destinationStep, IppiSize outerSize, int top, int left) {
  return CopyWithBorder(source, sourceStep, innerSize, destination, destinationStep, outerSize, top, left,
                        [&](uint8_t* row, int l, int r) { ReplicateColumns(row, l, innerSize.width, r); },
                        nullptr);
}

IppStatus ReplicateBorderInPlace8u(uint8_t* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                   int left) {
  return ReplicateInPlace(inner, step, innerSize, outerSize, top, left);
}

IppStatus ReplicateBorderInPlace32f(float* inner, int step, IppiSize innerSize, IppiSize outerSize, int top,
                                    int left) {
  return ReplicateInPlace(inner, step, innerSize, outerSize, top, left);
}

}  // namespace ryn::filters
