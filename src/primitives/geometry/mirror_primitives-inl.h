// Checks and row loops of mirror and transpose, compiled into every build: included inside the
// build's namespace after that build's row kernels, which it calls by name: CopyRow, StreamRow,
// FinishStreaming, ReverseRow, ReverseRowInPlace, SwapRows, SwapReversedRows, TransposeTile.
// Includes nothing itself.
#if defined(RYN_GEOMETRY_MIRROR_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_GEOMETRY_MIRROR_PRIMITIVES_INL_H_
#undef RYN_GEOMETRY_MIRROR_PRIMITIVES_INL_H_
#else
#define RYN_GEOMETRY_MIRROR_PRIMITIVES_INL_H_
#endif

namespace {

// Horizontal-axis mirrors of more than this many source bytes write around the cache.
constexpr int64_t kStreamingMirrorBytes = 0x100000;

template <class T>
IppStatus MirrorImage(const T* source, int sourceStep, T* destination, int destinationStep, IppiSize size, int flip) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(size));
  if (flip < 0 || flip > 2) return ippStsMirrorFlipErr;
  if (flip != 1 && size.height < 2) return ippStsSizeErr;
  if (flip != 0 && size.width < 2) return ippStsSizeErr;
  const auto from = View(source, sourceStep, size);
  const auto to = View(destination, destinationStep, size);
  const size_t width = static_cast<size_t>(size.width);
  const int last = size.height - 1;
  if (flip == 1) {
    for (int y = 0; y <= last; ++y) ReverseRow(from.Row(y), to.Row(y), width);
  } else if (flip == 2) {
    for (int y = 0; y <= last; ++y) ReverseRow(from.Row(last - y), to.Row(y), width);
  } else if (std::llabs(int64_t{sourceStep}) * size.height > kStreamingMirrorBytes) {
    for (int y = 0; y <= last; ++y) StreamRow(from.Row(last - y), to.Row(y), width);
    FinishStreaming();
  } else {
    for (int y = 0; y <= last; ++y) CopyRow(from.Row(last - y), to.Row(y), width);
  }
  return ippStsNoErr;
}

template <class T>
IppStatus MirrorImageInPlace(T* image, int step, IppiSize size, int flip) {
  RYN_CHECK(NotNull(image));
  RYN_CHECK(PositiveSize(size));
  const auto view = View(image, step, size);
  const size_t width = static_cast<size_t>(size.width);
  const int last = size.height - 1;
  if (flip == 1) {
    if (size.width < 2) return ippStsSizeErr;
    for (int y = 0; y <= last; ++y) ReverseRowInPlace(view.Row(y), width);
    return ippStsNoErr;
  }
  if (flip != 0 && flip != 2) return ippStsMirrorFlipErr;
  if (size.height < 2) return ippStsSizeErr;
  if (flip == 0) {
    for (int y = 0; y < last - y; ++y) SwapRows(view.Row(y), view.Row(last - y), width);
    return ippStsNoErr;
  }
  if (size.width < 2) return ippStsSizeErr;
  for (int y = 0; y < last - y; ++y) SwapReversedRows(view.Row(y), view.Row(last - y), width);
  if (size.height % 2 == 1) ReverseRowInPlace(view.Row(last / 2), width);
  return ippStsNoErr;
}

// Square tiles of up to 64 x 64 pixels, so that the rows read and the rows written of one tile
// stay in the cache.
template <class T>
IppStatus TransposeImage(const T* source, int sourceStep, T* destination, int destinationStep, IppiSize size) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(size));
  const auto from = View(source, sourceStep, size);
  const auto to = View(destination, destinationStep, IppiSize{size.height, size.width});
  const int tile = std::min({size.width, size.height, 64});
  for (int y = 0; y < size.height; y += tile) {
    for (int x = 0; x < size.width; x += tile) {
      TransposeTile(from.Row(y) + x, sourceStep, to.Row(x) + y, destinationStep, std::min(tile, size.width - x),
                    std::min(tile, size.height - y));
    }
  }
  return ippStsNoErr;
}

}  // namespace

IppStatus Mirror8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize size,
                   int flip) {
  return MirrorImage(source, sourceStep, destination, destinationStep, size, flip);
}
IppStatus Mirror32(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep, IppiSize size,
                   int flip) {
  return MirrorImage(source, sourceStep, destination, destinationStep, size, flip);
}
IppStatus MirrorInPlace8u(uint8_t* image, int step, IppiSize size, int flip) {
  return MirrorImageInPlace(image, step, size, flip);
}
IppStatus MirrorInPlace32(uint32_t* image, int step, IppiSize size, int flip) {
  return MirrorImageInPlace(image, step, size, flip);
}
IppStatus Transpose8u(const uint8_t* source, int sourceStep, uint8_t* destination, int destinationStep, IppiSize size) {
  return TransposeImage(source, sourceStep, destination, destinationStep, size);
}
IppStatus Transpose32(const uint32_t* source, int sourceStep, uint32_t* destination, int destinationStep,
                      IppiSize size) {
  return TransposeImage(source, sourceStep, destination, destinationStep, size);
}

#endif
