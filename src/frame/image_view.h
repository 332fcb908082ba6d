// The library's view of a caller's image: first pixel, row step in bytes, region size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "RynRAZUdidazoror.h"

namespace ryn {

template <class T>
struct ImageView {
  T* data;
  int step;  // bytes between row starts; may be 0, negative or smaller than a row
  IppiSize size;

  using Pixel = T;

  template <class U = T>
  U* Row(int y) const {
    using Byte = std::conditional_t<std::is_const_v<U>, const uint8_t, uint8_t>;
    return reinterpret_cast<U*>(reinterpret_cast<Byte*>(data) + static_cast<ptrdiff_t>(y) * step);
  }
  T* At(int x, int y) const { return Row(y) + x; }
  int RowBytes() const { return size.width * static_cast<int>(sizeof(T)); }
  // Rows follow each other without padding, so the region is one run of pixels.
  bool IsContiguous() const { return static_cast<int64_t>(step) == int64_t{size.width} * int64_t{sizeof(T)}; }
  size_t PixelCount() const { return static_cast<size_t>(size.width) * static_cast<size_t>(size.height); }
  int64_t ByteCount() const { return static_cast<int64_t>(PixelCount()) * int64_t{sizeof(T)}; }
};

// How a row loop walks a region: `count` runs of `length` pixels, run r starting at row r. One run
// over the whole region when every image's rows follow each other without padding (then row 0 is
// the only run), one run per row otherwise.
struct RowRuns {
  int count;
  size_t length;
};

// The runs of a region shared by images of the same size: pass each image's IsContiguous().
template <class... Contiguous>
RowRuns RowRunsOf(IppiSize region, Contiguous... contiguous) {
  if ((contiguous && ...)) {
    return RowRuns{1, static_cast<size_t>(region.width) * static_cast<size_t>(region.height)};
  }
  return RowRuns{region.height, static_cast<size_t>(region.width)};
}

template <class T>
ImageView<T> View(T* data, int step, IppiSize size) {
  return ImageView<T>{data, step, size};
}

// Calls rowFn(row, width) for each row, top first; one call over the whole region when its rows
// follow each other without padding.
template <class T, class RowFn>
void ForEachRow(const ImageView<T>& image, RowFn&& rowFn) {
  if (image.IsContiguous()) {
    rowFn(image.data, image.PixelCount());
    return;
  }
  for (int y = 0; y < image.size.height; ++y) rowFn(image.Row(y), static_cast<size_t>(image.size.width));
}

// Calls rowFn(sourceRow, destinationRow, width) for each row pair; one call when both images are
// contiguous.
template <class S, class D, class RowFn>
void ForEachRowPair(const ImageView<S>& source, const ImageView<D>& destination, RowFn&& rowFn) {
  if (source.IsContiguous() && destination.IsContiguous()) {
    rowFn(source.data, destination.data, destination.PixelCount());
    return;
  }
  for (int y = 0; y < destination.size.height; ++y) {
    rowFn(source.Row(y), destination.Row(y), static_cast<size_t>(destination.size.width));
  }
}

}  // namespace ryn
