// The AVX2 interleaved mean filter.
//
// For each output row the entering source row is copied into a ring of window + 1 row copies,
// the column sums of the window's rows are updated by adding the entering row and subtracting
// the leaving one (taken from the ring, so that an in-place call subtracts the unfiltered row),
// the column sums are turned into running prefix sums per channel, and each output is the
// difference of two prefix sums 2 * window bytes apart. The cost per pixel does not depend on the
// window.
#include <immintrin.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "effects/mean_filter/mean_filter_paths.h"
#include "frame/allocator.h"
#include "frame/checks.h"
#include "frame/image_view.h"

namespace ryn::effects {
namespace {

// Every function that executes AVX2 instructions names the target itself and has internal
// linkage, so no AVX2 code can ever be picked for a caller on another processor.
#define RYN_AVX2 __attribute__((target("avx2")))

constexpr int kChunkBytes = 32;
// Zero prefix sums in front of the first column, read by the windows of the first valid pairs.
constexpr int kPrefixLeadBytes = 32;

constexpr uint32_t LargestWindowSum(int window) { return 255u * static_cast<uint32_t>(window * window); }

// Window sums run in 16-bit lanes while they fit.
template <int Window>
using SumLane = std::conditional_t<LargestWindowSum(Window) < 65536, uint16_t, uint32_t>;

constexpr int LaneBytes(int window) { return LargestWindowSum(window) < 65536 ? 2 : 4; }

// Truncating division by window² as a multiplication, for 16-bit sums:
// (sum * multiplier) >> (16 + shift), the high half of the product shifted.
struct Divider16 {
  uint32_t multiplier;
  int shift;
};

constexpr bool Exact16(uint32_t divisor, uint32_t multiplier, int shift) {
  for (uint32_t sum = 0; sum <= 255 * divisor; ++sum) {
    if (((sum * multiplier) >> (16 + shift)) != sum / divisor) return false;
  }
  return true;
}

// The first multiplier that gives every possible window sum's exact quotient; shift -1 if none.
constexpr Divider16 FindDivider16(uint32_t divisor) {
  for (int shift = 0; shift < 16; ++shift) {
    const uint64_t multiplier = ((uint64_t{1} << (16 + shift)) + divisor - 1) / divisor;
    if (multiplier > 0xFFFF) break;
    if (Exact16(divisor, static_cast<uint32_t>(multiplier), shift)) {
      return Divider16{static_cast<uint32_t>(multiplier), shift};
    }
  }
  return Divider16{0, -1};
}

// For 32-bit sums: (sum * multiplier) >> 32 with the multiplier 2^32 / divisor rounded up.
constexpr uint32_t Multiplier32(uint32_t divisor) {
  return static_cast<uint32_t>(((uint64_t{1} << 32) + divisor - 1) / divisor);
}

constexpr bool Exact32(uint32_t divisor) {
  for (uint64_t sum = 0; sum <= 255 * divisor; ++sum) {
    if (((sum * Multiplier32(divisor)) >> 32) != sum / divisor) return false;
  }
  return true;
}

// The working memory of one call, 32-byte aligned and zeroed.
struct Workspace {
  uint8_t* ring;         // window + 1 row copies of paddedBytes each
  uint16_t* columnSums;  // paddedBytes sums of the window's rows
  void* prefix;          // kPrefixLeadBytes of zeros, then paddedBytes prefix sums
  int rowBytes;          // the bytes of the region's whole pairs
  int paddedBytes;       // rowBytes rounded up to whole chunks
};

class WorkspaceBlock {
 public:
  WorkspaceBlock(int rowBytes, int window) {
    const int64_t padded = (int64_t{rowBytes} + kChunkBytes - 1) / kChunkBytes * kChunkBytes;
    const int64_t ringBytes = (window + 1) * padded;
    const int64_t sumBytes = 2 * padded;
    const int64_t prefixBytes = kPrefixLeadBytes + LaneBytes(window) * padded;
    const int64_t total = ringBytes + sumBytes + prefixBytes;
    block_ = static_cast<uint8_t*>(AllocateBlock(total));
    if (block_ == nullptr) return;
    std::memset(block_, 0, static_cast<size_t>(total));
    layout_ = Workspace{block_, reinterpret_cast<uint16_t*>(block_ + ringBytes), block_ + ringBytes + sumBytes,
                        rowBytes, static_cast<int>(padded)};
  }
  ~WorkspaceBlock() { FreeBlock(block_); }
  WorkspaceBlock(const WorkspaceBlock&) = delete;
  WorkspaceBlock& operator=(const WorkspaceBlock&) = delete;

  explicit operator bool() const { return block_ != nullptr; }
  const Workspace& layout() const { return layout_; }

 private:
  uint8_t* block_ = nullptr;
  Workspace layout_{};
};

uint8_t* RingSlot(const Workspace& ws, int row, int slots) {
  return ws.ring + static_cast<size_t>(row % slots) * static_cast<size_t>(ws.paddedBytes);
}

RYN_AVX2 __m256i Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
RYN_AVX2 void Store(void* p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }

RYN_AVX2 __m256i WidenLow(__m256i bytes) { return _mm256_cvtepu8_epi16(_mm256_castsi256_si128(bytes)); }
RYN_AVX2 __m256i WidenHigh(__m256i bytes) { return _mm256_cvtepu8_epi16(_mm256_extracti128_si256(bytes, 1)); }

RYN_AVX2 void AccumulateRow(uint16_t* columnSums, const uint8_t* row, int paddedBytes) {
  for (int x = 0; x < paddedBytes; x += kChunkBytes) {
    const __m256i bytes = Load(row + x);
    Store(columnSums + x, _mm256_add_epi16(Load(columnSums + x), WidenLow(bytes)));
    Store(columnSums + x + 16, _mm256_add_epi16(Load(columnSums + x + 16), WidenHigh(bytes)));
  }
}

// Inclusive prefix sums of each channel over the pairs of `v`, continuing from `carry` (the
// totals so far, in every pair); `carry` becomes the new totals. 16-bit lanes wrap, which keeps
// differences of prefix sums exact while the window sums fit.
RYN_AVX2 void ScanInto(uint16_t* prefix, __m256i v, __m256i& carry) {
  __m256i s = _mm256_add_epi16(v, _mm256_slli_si256(v, 4));
  s = _mm256_add_epi16(s, _mm256_slli_si256(s, 8));
  const __m256i lowTotal = _mm256_shuffle_epi32(s, 0xFF);
  s = _mm256_add_epi16(s, _mm256_permute2x128_si256(lowTotal, lowTotal, 0x08));
  s = _mm256_add_epi16(s, carry);
  carry = _mm256_permutevar8x32_epi32(s, _mm256_set1_epi32(7));
  Store(prefix, s);
}

RYN_AVX2 void ScanInto32(uint32_t* prefix, __m256i v, __m256i& carry) {
  __m256i s = _mm256_add_epi32(v, _mm256_slli_si256(v, 8));
  const __m256i lowTotal = _mm256_shuffle_epi32(s, 0xEE);
  s = _mm256_add_epi32(s, _mm256_permute2x128_si256(lowTotal, lowTotal, 0x08));
  s = _mm256_add_epi32(s, carry);
  carry = _mm256_permutevar8x32_epi32(s, _mm256_setr_epi32(6, 7, 6, 7, 6, 7, 6, 7));
  Store(prefix, s);
}

RYN_AVX2 void ScanInto(uint32_t* prefix, __m256i v, __m256i& carry) {
  ScanInto32(prefix, _mm256_cvtepu16_epi32(_mm256_castsi256_si128(v)), carry);
  ScanInto32(prefix + 8, _mm256_cvtepu16_epi32(_mm256_extracti128_si256(v, 1)), carry);
}

// Adds the entering row to the column sums, subtracts the leaving one, and writes the prefix sums
// of the updated column sums.
template <class Lane>
RYN_AVX2 void SlideAndScan(uint16_t* columnSums, const uint8_t* entering, const uint8_t* leaving, Lane* prefix,
                           int paddedBytes) {
  __m256i carry = _mm256_setzero_si256();
  for (int x = 0; x < paddedBytes; x += kChunkBytes) {
    const __m256i in = Load(entering + x);
    const __m256i out = Load(leaving + x);
    const __m256i low =
        _mm256_sub_epi16(_mm256_add_epi16(Load(columnSums + x), WidenLow(in)), WidenLow(out));
    const __m256i high =
        _mm256_sub_epi16(_mm256_add_epi16(Load(columnSums + x + 16), WidenHigh(in)), WidenHigh(out));
    Store(columnSums + x, low);
    Store(columnSums + x + 16, high);
    ScanInto(prefix + x, low, carry);
    ScanInto(prefix + x + 16, high, carry);
  }
}

RYN_AVX2 __m256i Divide32(__m256i sums, __m256i multiplier) {
  const __m256i even = _mm256_mul_epu32(sums, multiplier);
  const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(sums, 32), multiplier);
  return _mm256_blend_epi32(_mm256_srli_epi64(even, 32), odd, 0xAA);
}

// The means of 32 consecutive bytes: window sums are ahead[i] - behind[i].
template <int Window>
RYN_AVX2 void StoreMeans(const uint16_t* ahead, const uint16_t* behind, uint8_t* out) {
  constexpr Divider16 kDivider = FindDivider16(Window * Window);
  static_assert(kDivider.shift >= 0, "no exact 16-bit reciprocal for this window");
  const __m256i multiplier = _mm256_set1_epi16(static_cast<short>(kDivider.multiplier));
  const __m256i low = _mm256_sub_epi16(Load(ahead), Load(behind));
  const __m256i high = _mm256_sub_epi16(Load(ahead + 16), Load(behind + 16));
  const __m256i lowMeans = _mm256_srli_epi16(_mm256_mulhi_epu16(low, multiplier), kDivider.shift);
  const __m256i highMeans = _mm256_srli_epi16(_mm256_mulhi_epu16(high, multiplier), kDivider.shift);
  // The pack interleaves the two inputs per 128-bit half; the permutation restores byte order.
  Store(out, _mm256_permute4x64_epi64(_mm256_packus_epi16(lowMeans, highMeans), 0xD8));
}

template <int Window>
RYN_AVX2 void StoreMeans(const uint32_t* ahead, const uint32_t* behind, uint8_t* out) {
  static_assert(Exact32(Window * Window), "no exact 32-bit reciprocal for this window");
  const __m256i multiplier = _mm256_set1_epi32(static_cast<int>(Multiplier32(Window * Window)));
  __m256i means[4];
  for (int k = 0; k < 4; ++k) {
    means[k] = Divide32(_mm256_sub_epi32(Load(ahead + 8 * k), Load(behind + 8 * k)), multiplier);
  }
  const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(means[0], means[1]),
                                            _mm256_packus_epi32(means[2], means[3]));
  Store(out, _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
}

// Writes the valid bytes of one output row from the prefix sums. A last partial chunk is written
// as the chunk ending at the last valid byte: the overlap receives its own values again, computed
// from the prefix sums, so this is safe in place too.
template <int Window, class Lane>
RYN_AVX2 void WriteMeans(const Lane* prefix, uint8_t* out, int rowBytes) {
  constexpr int kHalf = Window / 2;
  const Lane* ahead = prefix + 2 * kHalf;
  const Lane* behind = prefix - 2 * kHalf - 2;
  const int begin = 2 * kHalf;
  const int end = rowBytes - 2 * kHalf;
  if (end - begin < kChunkBytes) {
    for (int x = begin; x < end; ++x) out[x] = WindowMean(static_cast<Lane>(ahead[x] - behind[x]), Window);
    return;
  }
  int x = begin;
  for (; x + kChunkBytes <= end; x += kChunkBytes) StoreMeans<Window>(ahead + x, behind + x, out + x);
  if (x < end) StoreMeans<Window>(ahead + end - kChunkBytes, behind + end - kChunkBytes, out + end - kChunkBytes);
}

template <int Window>
RYN_AVX2 void FilterRows(const ImageView<const uint8_t>& input, const ImageView<uint8_t>& output,
                         const ValidArea& area, const Workspace& ws) {
  using Lane = SumLane<Window>;
  constexpr int kHalf = Window / 2;
  constexpr int kSlots = Window + 1;
  Lane* prefix = reinterpret_cast<Lane*>(static_cast<uint8_t*>(ws.prefix) + kPrefixLeadBytes);
  const size_t rowBytes = static_cast<size_t>(ws.rowBytes);

  for (int row = 0; row < Window - 1; ++row) {
    uint8_t* copy = RingSlot(ws, row, kSlots);
    std::memcpy(copy, input.Row(row), rowBytes);
    AccumulateRow(ws.columnSums, copy, ws.paddedBytes);
  }
  for (int row = area.firstRow; row < area.endRow; ++row) {
    // The entering row lies below every row written so far, so it is still unfiltered.
    const int entering = row + kHalf;
    uint8_t* copy = RingSlot(ws, entering, kSlots);
    std::memcpy(copy, input.Row(entering), rowBytes);
    // The leaving row, row - kHalf - 1, sits in the slot after the entering row's; for the first
    // output row that is the slot no row has used yet, which holds zeros.
    SlideAndScan(ws.columnSums, copy, RingSlot(ws, entering + 1, kSlots), prefix, ws.paddedBytes);
    WriteMeans<Window>(prefix, output.Row(row), ws.rowBytes);
  }
}

using FilterRowsFn = void (*)(const ImageView<const uint8_t>&, const ImageView<uint8_t>&, const ValidArea&,
                              const Workspace&);

FilterRowsFn FilterRowsFor(int window) {
  switch (window) {
    case 3: return FilterRows<3>;
    case 5: return FilterRows<5>;
    case 7: return FilterRows<7>;
    case 9: return FilterRows<9>;
    case 11: return FilterRows<11>;
    case 13: return FilterRows<13>;
    case 15: return FilterRows<15>;
    case 17: return FilterRows<17>;
    case 19: return FilterRows<19>;
    default: return nullptr;
  }
}

}  // namespace

IppStatus MeanFilterInterleavedVector(const uint8_t* source, int sourceStep, uint8_t* destination,
                                      int destinationStep, IppiSize region, int window) {
  RYN_CHECK(NotNull(source, destination));
  RYN_CHECK(PositiveSize(region));
  if (region.width < MeanFilterVectorMinimumWidth(window)) return ippStsSizeErr;
  RYN_CHECK(StepAtLeast(sourceStep, region.width));
  RYN_CHECK(StepAtLeast(destinationStep, region.width));
  const FilterRowsFn filterRows = FilterRowsFor(window);
  if (filterRows == nullptr) return ippStsMaskSizeErr;

  const ValidArea area = ValidAreaOf(region, window);
  if (area.Empty()) return ippStsNoErr;
  const WorkspaceBlock workspace(region.width / 2 * 2, window);
  if (!workspace) return ippStsMemAllocErr;
  filterRows(View(source, sourceStep, region), View(destination, destinationStep, region), area,
             workspace.layout());
  return ippStsNoErr;
}

}  // namespace ryn::effects
