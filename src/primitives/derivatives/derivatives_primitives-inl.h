// Checks and row loops of the derivative primitives, compiled into every build: included inside
// the build's namespace (ryn::derivatives::generic, or ryn::derivatives::HWY_NAMESPACE) after
// that build's row kernels, which it calls by name: ColumnPass and RowPass (float and 16-bit
// forms), RowPassPlus32f, WidenRow, CannyMagnitudeRow and CannySuppressRow. Includes nothing
// itself.
#if defined(RYN_DERIVATIVES_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_DERIVATIVES_PRIMITIVES_INL_H_
#undef RYN_DERIVATIVES_PRIMITIVES_INL_H_
#else
#define RYN_DERIVATIVES_PRIMITIVES_INL_H_
#endif

namespace derivative_rows {

// The non-zero weights of one direction of a pass, in order, with their offsets.
template <class Weight>
Taps<Weight> TapsOf(const int* weights, int radius) {
  Taps<Weight> taps{};
  for (int i = 0; i <= 2 * radius; ++i) {
    if (weights[i] == 0) continue;
    taps.offsets[taps.count] = i;
    taps.weights[taps.count] = static_cast<Weight>(weights[i]);
    ++taps.count;
  }
  return taps;
}

template <class T>
T* AlignedStart(uint8_t* buffer) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(buffer);
  return reinterpret_cast<T*>(buffer + (32 - address % 32) % 32);
}

// The bordered row of virtual row `y` (any integer) into `out`, whose element r is column 0.
template <class Source, class Work>
void BorderedRow(const ImageView<const Source>& source, int y, int radius, int borderType, Work borderValue,
                 Work* out) {
  const int width = source.size.width;
  const size_t length = static_cast<size_t>(width) + 2 * static_cast<size_t>(radius);
  const int row = MapCoordinate(y, source.size.height, RowRule(borderType));
  if (row == kConstantPixel) {
    for (size_t i = 0; i < length; ++i) out[i] = borderValue;
    return;
  }
  const Source* pixels = source.Row(row);
  WidenRow(pixels, out + radius, static_cast<size_t>(width));
  const AxisRule columns = ColumnRule(borderType);
  for (int k = 1; k <= radius; ++k) {
    const int left = MapCoordinate(-k, width, columns);
    const int right = MapCoordinate(width - 1 + k, width, columns);
    out[radius - k] = left == kConstantPixel ? borderValue : static_cast<Work>(LoadUnaligned(pixels + left));
    out[radius + width - 1 + k] =
        right == kConstantPixel ? borderValue : static_cast<Work>(LoadUnaligned(pixels + right));
  }
}

// One or two separable passes over a ring of 2r + 1 bordered rows: virtual row v lives in slot
// (v + r) mod (2r + 1), so each source row is bordered once.
template <class Source, class Work, class Out>
void FilterBordered(const Source* source, int sourceStep, Out* destination, int destinationStep, IppiSize region,
                    const SeparableFilter& filter, int borderType, Work borderValue, uint8_t* buffer) {
  const int radius = filter.pass[0].radius;
  const int slots = 2 * radius + 1;
  const size_t length = static_cast<size_t>(region.width) + 2 * static_cast<size_t>(radius);
  const size_t rowElements =
      static_cast<size_t>(RoundUp(static_cast<int64_t>(length * sizeof(Work)), 32)) / sizeof(Work);
  Work* ring = AlignedStart<Work>(buffer);
  Work* columns[2] = {ring + slots * rowElements, ring + (slots + 1) * rowElements};
  Work* firstPass = ring + (slots + 2) * rowElements;
  const auto out = View(destination, destinationStep, region);
  const auto bordered = View(source, sourceStep, region);
  for (int v = -radius; v < radius; ++v) {
    BorderedRow(bordered, v, radius, borderType, borderValue, ring + (v + radius) * rowElements);
  }
  for (int y = 0; y < region.height; ++y) {
    BorderedRow(bordered, y + radius, radius, borderType, borderValue,
                ring + ((y + 2 * radius) % slots) * rowElements);
    for (int p = 0; p < filter.passes; ++p) {
      const Taps<Work> vertical = TapsOf<Work>(filter.pass[p].v, radius);
      const Work* rows[5] = {};
      for (int t = 0; t < vertical.count; ++t) rows[t] = ring + ((y + vertical.offsets[t]) % slots) * rowElements;
      ColumnPass(rows, vertical.weights, vertical.count, columns[p], length);
    }
    const Taps<Work> first = TapsOf<Work>(filter.pass[0].h, radius);
    if (filter.passes == 1) {
      RowPass(columns[0], first, out.Row(y), static_cast<size_t>(region.width));
    } else {
      if constexpr (std::is_same_v<Work, float>) {
        RowPass(columns[0], first, firstPass, static_cast<size_t>(region.width));
        RowPassPlus32f(columns[1], TapsOf<Work>(filter.pass[1].h, radius), firstPass, out.Row(y),
                       static_cast<size_t>(region.width));
      }
    }
  }
}

// Pushes the map indices of the strong edges of a map row. Strong edges are rare: eight map
// bytes at a time are skipped when none has the edge bit.
inline size_t PushStrongEdges(const uint8_t* map, const uint8_t* row, size_t width, uint32_t* stack, size_t size) {
  static_assert(kCannyEdge == 2 && kCannyCandidate == 1);
  constexpr uint64_t kEdgeBits = 0x0202020202020202u;
  size_t x = 0;
  for (; x + 8 <= width; x += 8) {
    uint64_t word;
    std::memcpy(&word, row + x, sizeof(word));
    if ((word & kEdgeBits) == 0) continue;
    for (size_t i = x; i < x + 8; ++i) {
      if (row[i] == kCannyEdge) stack[size++] = static_cast<uint32_t>(row + i - map);
    }
  }
  for (; x < width; ++x) {
    if (row[x] == kCannyEdge) stack[size++] = static_cast<uint32_t>(row + x - map);
  }
  return size;
}

}  // namespace derivative_rows

IppStatus FilterUnbordered32f(const float* source, int sourceStep, float* destination, int destinationStep,
                              IppiSize region, Unbordered kind) {
  RYN_CHECK(CheckUnborderedArguments(source, sourceStep, destination, destinationStep, region));
  const size_t length = static_cast<size_t>(region.width) + 2;
  const filters::ScratchBlock columnSums(static_cast<int64_t>(length * sizeof(float)));
  if (!columnSums.Obtained()) return ippStsMemAllocErr;
  float* columns = columnSums.As<float>();
  const SeparablePass pass = PassOf(kind);
  const Taps<float> vertical = derivative_rows::TapsOf<float>(pass.v, 1);
  const Taps<float> horizontal = derivative_rows::TapsOf<float>(pass.h, 1);
  const auto in = View(source, sourceStep, region);
  const auto out = View(destination, destinationStep, region);
  for (int y = 0; y < region.height; ++y) {
    const float* rows[5] = {};
    for (int t = 0; t < vertical.count; ++t) rows[t] = in.Row(y - 1 + vertical.offsets[t]) - 1;
    ColumnPass(rows, vertical.weights, vertical.count, columns, length);
    RowPass(columns, horizontal, out.Row(y), static_cast<size_t>(region.width));
  }
  return ippStsNoErr;
}

IppStatus FilterBordered32f(const float* source, int sourceStep, float* destination, int destinationStep,
                            IppiSize region, Bordered kind, int maskCode, int borderType, float borderValue,
                            uint8_t* buffer) {
  RYN_CHECK(CheckBordered32fArguments(source, sourceStep, destination, destinationStep, region, maskCode, borderType,
                                      buffer));
  const SeparableFilter filter = FilterOf(kind, maskCode);
  if (filter.passes == 0) return ippStsMaskSizeErr;
  derivative_rows::FilterBordered<float, float, float>(source, sourceStep, destination, destinationStep, region,
                                                       filter, borderType, borderValue, buffer);
  return ippStsNoErr;
}

IppStatus FilterBordered8u16s(const uint8_t* source, int sourceStep, int16_t* destination, int destinationStep,
                              IppiSize region, Bordered kind, int maskCode, int borderType, uint8_t borderValue,
                              uint8_t* buffer) {
  RYN_CHECK(CheckBordered8u16sArguments(source, sourceStep, destination, destinationStep, region, maskCode,
                                        borderType, buffer));
  const SeparableFilter filter = FilterOf(kind, maskCode);
  if (filter.passes != 1) return ippStsMaskSizeErr;
  derivative_rows::FilterBordered<uint8_t, int16_t, int16_t>(source, sourceStep, destination, destinationStep, region,
                                                             filter, borderType, int16_t{borderValue}, buffer);
  return ippStsNoErr;
}

IppStatus Canny16s8u(const int16_t* dx, int dxStep, const int16_t* dy, int dyStep, uint8_t* edges, int edgesStep,
                     IppiSize region, float low, float high, uint8_t* buffer) {
  RYN_CHECK(CheckCannyArguments(dx, dxStep, dy, dyStep, edges, edgesStep, region, low, high, buffer));
  // The buffer size query refuses regions whose buffer leaves the 32-bit range; so does Canny.
  if (CannyBytes(region) > INT32_MAX) return ippStsSizeErr;
  const CannyLayout layout = CannyLayoutOf(region);
  uint8_t* start = derivative_rows::AlignedStart<uint8_t>(buffer);
  const size_t rowElements = static_cast<size_t>(layout.magnitudeRowElements);
  int32_t* magnitudes[3];
  for (int r = 0; r < 3; ++r) magnitudes[r] = reinterpret_cast<int32_t*>(start) + r * rowElements;
  uint8_t* map = start + layout.mapOffset;
  uint32_t* stack = reinterpret_cast<uint32_t*>(start + layout.stackOffset);
  const size_t width = static_cast<size_t>(region.width);
  // Magnitudes not above the integer part of the low threshold are 0 (every magnitude is below
  // 65537, so larger thresholds clear them all).
  const int32_t lowBound = low >= 65536.0f ? 65536 : static_cast<int32_t>(low);
  const auto gx = View(dx, dxStep, region);
  const auto gy = View(dy, dyStep, region);
  // Rows and columns outside the region count as magnitude 0 and are never candidates.
  for (auto* row : magnitudes) std::memset(row, 0, rowElements * sizeof(int32_t));
  std::memset(map, 0, rowElements);
  std::memset(map + (static_cast<size_t>(region.height) + 1) * rowElements, 0, rowElements);
  CannyMagnitudeRow(gx.Row(0), gy.Row(0), lowBound, magnitudes[1] + 1, width);
  if (region.height > 1) CannyMagnitudeRow(gx.Row(1), gy.Row(1), lowBound, magnitudes[2] + 1, width);
  size_t stackSize = 0;
  for (int y = 0; y < region.height; ++y) {
    uint8_t* mapRow = map + (static_cast<size_t>(y) + 1) * rowElements;
    mapRow[0] = 0;
    mapRow[rowElements - 1] = 0;
    CannySuppressRow(magnitudes[0] + 1, magnitudes[1] + 1, magnitudes[2] + 1, gx.Row(y), gy.Row(y), high,
                     mapRow + 1, width);
    stackSize = derivative_rows::PushStrongEdges(map, mapRow + 1, width, stack, stackSize);
    int32_t* oldest = magnitudes[0];
    magnitudes[0] = magnitudes[1];
    magnitudes[1] = magnitudes[2];
    magnitudes[2] = oldest;
    if (y + 2 < region.height) {
      CannyMagnitudeRow(gx.Row(y + 2), gy.Row(y + 2), lowBound, magnitudes[2] + 1, width);
    } else {
      std::memset(magnitudes[2], 0, rowElements * sizeof(int32_t));
    }
  }
  const ptrdiff_t stride = static_cast<ptrdiff_t>(rowElements);
  const ptrdiff_t neighbours[8] = {-stride - 1, -stride, -stride + 1, -1, 1, stride - 1, stride, stride + 1};
  while (stackSize > 0) {
    const uint32_t pixel = stack[--stackSize];
    for (const ptrdiff_t offset : neighbours) {
      uint8_t& neighbour = map[static_cast<ptrdiff_t>(pixel) + offset];
      if (neighbour != kCannyCandidate) continue;
      neighbour = kCannyEdge;
      stack[stackSize++] = static_cast<uint32_t>(static_cast<ptrdiff_t>(pixel) + offset);
    }
  }
  const auto out = View(edges, edgesStep, region);
  for (int y = 0; y < region.height; ++y) {
    const uint8_t* mapRow = map + (static_cast<size_t>(y) + 1) * rowElements + 1;
    uint8_t* row = out.Row(y);
    for (size_t x = 0; x < width; ++x) row[x] = mapRow[x] == kCannyEdge ? 255 : 0;
  }
  return ippStsNoErr;
}

#endif
