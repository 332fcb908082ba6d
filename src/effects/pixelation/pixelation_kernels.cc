// Processor builds of the pixelations, compiled once per Highway target, and the dispatched
// operations that bind them. The AVX2 build of the interleaved pixelation is also the effects'
// vector path.
//
// A band of blocks is pixelated in chunks of whole blocks. For each chunk, the sums of every
// 8-byte group over the band's rows come from one pass over its source rows (SumsOf8, with the
// partial sums held in registers for a strip of vectors at a time); the block values make one
// pattern row, which is then copied into each destination row while the chunk is still in the
// first-level cache. Every source row is read once and every destination row written once.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/effects/pixelation/pixelation_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <algorithm>
#include <cstring>

#include "effects/pixelation/block_row.h"
#include "effects/pixelation/pixelation.h"
#include "effects/pixelation/pixelation_checks.h"
#include "effects/pixelation/truncating_divider.h"
#include "effects/overlapping_stores-inl.h"
#include "frame/checks.h"
#include "frame/vector_loops-inl.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::effects {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;
using ryn::HWY_NAMESPACE::StoreVector;

// A chunk holds whole blocks: as many as fit in the preferred width, at least one.
constexpr int kPreferredChunkBytes = 1024;
constexpr int kLargestChunkBytes = 2048;

HWY_INLINE int ChunkBytes(int blockBytes) {
  return blockBytes >= kPreferredChunkBytes ? blockBytes : kPreferredChunkBytes / blockBytes * blockBytes;
}

// How the bytes of each 8-byte group are summed.
enum class Split {
  kNone,         // one sum per group
  kByteParity,   // even and odd bytes: the two channels of four interleaved pairs
  kDwordHalves,  // the low and the high four bytes: blocks four bytes wide
};

// The part (0 or 1) that byte `offset` of a chunk belongs to.
template <Split kSplit>
HWY_INLINE int PartOf(int offset) {
  if constexpr (kSplit == Split::kByteParity) return offset & 1;
  if constexpr (kSplit == Split::kDwordHalves) return (offset >> 2) & 1;
  return 0;
}

template <Split kSplit, class D8, class V64>
HWY_INLINE void AddGroupSums(D8 d8, const uint8_t* HWY_RESTRICT bytes, V64& part0, V64& part1) {
  const auto v = hn::LoadU(d8, bytes);
  if constexpr (kSplit == Split::kNone) {
    part0 = hn::Add(part0, hn::SumsOf8(v));
  } else if constexpr (kSplit == Split::kByteParity) {
    const hn::Repartition<uint16_t, D8> d16;
    const auto words = hn::BitCast(d16, v);
    part0 = hn::Add(part0, hn::SumsOf8(hn::BitCast(d8, hn::And(words, hn::Set(d16, uint16_t{0x00FF})))));
    part1 = hn::Add(part1, hn::SumsOf8(hn::BitCast(d8, hn::ShiftRight<8>(words))));
  } else {
    const hn::Repartition<uint64_t, D8> d64;
    const auto quads = hn::BitCast(d64, v);
    part0 = hn::Add(part0, hn::SumsOf8(hn::BitCast(d8, hn::And(quads, hn::Set(d64, uint64_t{0xFFFFFFFF})))));
    part1 = hn::Add(part1, hn::SumsOf8(hn::BitCast(d8, hn::ShiftRight<32>(quads))));
  }
}

// Group sums of `kVectors` vectors from chunk offset `x`, over every row of the band.
template <Split kSplit, int kVectors>
HWY_INLINE void SumStrip(const BlockRow& band, int chunkStart, int x, uint64_t* HWY_RESTRICT part0,
                         uint64_t* HWY_RESTRICT part1) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<uint64_t, decltype(d8)> d64;
  const int lanes = static_cast<int>(hn::Lanes(d8));
  hn::Vec<decltype(d64)> sums0[kVectors];
  hn::Vec<decltype(d64)> sums1[kVectors];
  for (int j = 0; j < kVectors; ++j) {
    sums0[j] = hn::Zero(d64);
    sums1[j] = hn::Zero(d64);
  }
  const uint8_t* row = band.SourceRow(0) + chunkStart + x;
  for (int y = 0; y < band.rows; ++y, row += band.sourceStep) {
    for (int j = 0; j < kVectors; ++j) AddGroupSums<kSplit>(d8, row + j * lanes, sums0[j], sums1[j]);
  }
  for (int j = 0; j < kVectors; ++j) {
    const int group = (x + j * lanes) / 8;
    hn::StoreU(sums0[j], d64, part0 + group);
    if constexpr (kSplit != Split::kNone) hn::StoreU(sums1[j], d64, part1 + group);
  }
}

// part0[g] (and part1[g]) = the band's sums of group g of the `bytes` bytes from `chunkStart`.
template <Split kSplit>
HWY_INLINE void SumGroups(const BlockRow& band, int chunkStart, int bytes, uint64_t* HWY_RESTRICT part0,
                          uint64_t* HWY_RESTRICT part1) {
  const int lanes = static_cast<int>(hn::Lanes(hn::ScalableTag<uint8_t>()));
  int x = 0;
  for (; x + 4 * lanes <= bytes; x += 4 * lanes) SumStrip<kSplit, 4>(band, chunkStart, x, part0, part1);
  for (; x + lanes <= bytes; x += lanes) SumStrip<kSplit, 1>(band, chunkStart, x, part0, part1);
  if (x == bytes) return;
  // Fewer bytes than a vector remain before the region's right edge: byte by byte, reading
  // nothing past the edge.
  std::fill(part0 + x / 8, part0 + (bytes + 7) / 8, uint64_t{0});
  std::fill(part1 + x / 8, part1 + (bytes + 7) / 8, uint64_t{0});
  for (int y = 0; y < band.rows; ++y) {
    const uint8_t* row = band.SourceRow(y) + chunkStart;
    for (int i = x; i < bytes; ++i) {
      uint64_t& sum = PartOf<kSplit>(i) != 0 ? part1[i / 8] : part0[i / 8];
      sum += row[i];
    }
  }
}

// The sum of chunk bytes [begin, end) of one part, from its group sums. `begin` is a multiple of
// 8; a group cut by the region's edge holds only the bytes inside it.
HWY_INLINE uint64_t GroupRangeSum(const uint64_t* HWY_RESTRICT part, int begin, int end) {
  uint64_t sum = 0;
  for (int group = begin / 8; group < (end + 7) / 8; ++group) sum += part[group];
  return sum;
}

// The sum of 4-byte unit `unit` of a chunk split into dword halves. Kernels select an element,
// never one of two restrict pointers: g++ 12 with -fsanitize=undefined miscompiles
// `(c ? p : q)[i]` on restrict pointers into a wild read.
HWY_INLINE uint64_t UnitSum(const uint64_t* HWY_RESTRICT part0, const uint64_t* HWY_RESTRICT part1, int unit) {
  return (unit & 1) != 0 ? part1[unit / 2] : part0[unit / 2];
}

// The same for one channel split into dword halves: 4-byte units alternate between the parts,
// and `begin` is a multiple of 4.
HWY_INLINE uint64_t DwordRangeSum(const uint64_t* HWY_RESTRICT part0, const uint64_t* HWY_RESTRICT part1,
                                  int begin, int end) {
  uint64_t sum = 0;
  for (int unit = begin / 4; unit < (end + 3) / 4; ++unit) sum += UnitSum(part0, part1, unit);
  return sum;
}

template <Split kSplit>
HWY_INLINE uint64_t BlockSum(const uint64_t* HWY_RESTRICT part0, const uint64_t* HWY_RESTRICT part1,
                             int begin, int end) {
  if constexpr (kSplit == Split::kDwordHalves) return DwordRangeSum(part0, part1, begin, end);
  return GroupRangeSum(part0, begin, end);
}

// Writes `count` bytes of the repeating 8-byte `word` (all one value, or a pair repeated).
HWY_INLINE void FillPattern(uint8_t* HWY_RESTRICT pattern, int count, uint64_t word) {
  int i = 0;
  for (; i + 8 <= count; i += 8) std::memcpy(pattern + i, &word, 8);
  for (; i < count; ++i) pattern[i] = static_cast<uint8_t>(word >> (8 * (i & 7)));
}

// Writes `bytes` bytes from `pattern` into `row`. The pattern never is the destination, so the
// row's ends may take overlapping vectors.
HWY_INLINE void CopyPatternRow(const uint8_t* HWY_RESTRICT pattern, uint8_t* HWY_RESTRICT row, int bytes) {
  const hn::ScalableTag<uint8_t> d8;
  ForEachVectorOverlapping(
      d8, row, static_cast<size_t>(bytes),
      [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, hn::LoadU(d8, pattern + i), d8, row + i); },
      [&](size_t i) HWY_ATTR { row[i] = pattern[i]; });
}

HWY_INLINE void CopyPatternToRows(const BlockRow& band, int chunkStart, int bytes,
                                  const uint8_t* HWY_RESTRICT pattern) {
  for (int y = 0; y < band.rows; ++y) CopyPatternRow(pattern, band.DestinationRow(y) + chunkStart, bytes);
}

constexpr uint64_t kEveryByte = 0x0101010101010101ull;
constexpr uint64_t kEveryPair = 0x0001000100010001ull;

// The pattern of a chunk's whole blocks of `groups` 8-byte groups each (kGroups when it is not
// 0): one channel from part0, or interleaved pairs from part0 and part1. Whole blocks share one
// divisor, and their count is known, so this loop is what most blocks cost.
template <int kGroups, bool kPairs>
HWY_INLINE void PatternOfWholeBlocks(const uint64_t* HWY_RESTRICT part0, const uint64_t* HWY_RESTRICT part1,
                                     int blocks, int groups, const TruncatingDivider& divider,
                                     uint8_t* HWY_RESTRICT pattern) {
  const int n = kGroups != 0 ? kGroups : groups;
  for (int block = 0; block < blocks; ++block) {
    const int first = block * n;
    uint64_t sum0 = 0;
    uint64_t sum1 = 0;
    for (int j = 0; j < n; ++j) {
      sum0 += part0[first + j];
      if constexpr (kPairs) sum1 += part1[first + j];
    }
    const uint64_t word = kPairs ? (divider.Mean(sum0) | uint64_t{divider.Mean(sum1)} << 8) * kEveryPair
                                 : divider.Mean(sum0) * kEveryByte;
    for (int j = 0; j < n; ++j) std::memcpy(pattern + 8 * (first + j), &word, 8);
  }
}

template <bool kPairs>
HWY_INLINE void PatternOfWholeBlocks(const uint64_t* HWY_RESTRICT part0, const uint64_t* HWY_RESTRICT part1,
                                     int blocks, int groups, const TruncatingDivider& divider,
                                     uint8_t* HWY_RESTRICT pattern) {
  switch (groups) {
    case 1: return PatternOfWholeBlocks<1, kPairs>(part0, part1, blocks, groups, divider, pattern);
    case 2: return PatternOfWholeBlocks<2, kPairs>(part0, part1, blocks, groups, divider, pattern);
    case 4: return PatternOfWholeBlocks<4, kPairs>(part0, part1, blocks, groups, divider, pattern);
    default: return PatternOfWholeBlocks<0, kPairs>(part0, part1, blocks, groups, divider, pattern);
  }
}

// The same for one channel in blocks of `units` 4-byte units, which alternate between the parts.
HWY_INLINE void PatternOfWholeDwordBlocks(const uint64_t* HWY_RESTRICT part0,
                                          const uint64_t* HWY_RESTRICT part1, int blocks, int units,
                                          const TruncatingDivider& divider, uint8_t* HWY_RESTRICT pattern) {
  constexpr uint32_t kEveryByteOfDword = 0x01010101u;
  if (units == 1) {
    // Blocks four bytes wide: the two halves of each group are two blocks.
    int block = 0;
    for (; block + 2 <= blocks; block += 2) {
      const uint64_t low = divider.Mean(part0[block / 2]) * kEveryByteOfDword;
      const uint64_t high = divider.Mean(part1[block / 2]) * kEveryByteOfDword;
      const uint64_t word = low | high << 32;
      std::memcpy(pattern + 4 * block, &word, 8);
    }
    if (block < blocks) {
      const uint32_t word = divider.Mean(part0[block / 2]) * kEveryByteOfDword;
      std::memcpy(pattern + 4 * block, &word, 4);
    }
    return;
  }
  for (int block = 0; block < blocks; ++block) {
    const int first = block * units;
    uint64_t sum = 0;
    for (int unit = first; unit < first + units; ++unit) sum += UnitSum(part0, part1, unit);
    const uint32_t word = divider.Mean(sum) * kEveryByteOfDword;
    for (int unit = first; unit < first + units; ++unit) std::memcpy(pattern + 4 * unit, &word, 4);
  }
}

// One channel, blocks a multiple of 4 bytes wide and at most a chunk.
template <Split kSplit>
void PixelateBandInChunks(const BlockRow& band, int blockWidth) {
  uint64_t part0[kLargestChunkBytes / 8];
  uint64_t part1[kLargestChunkBytes / 8];
  uint8_t pattern[kLargestChunkBytes];
  const uint64_t rows = static_cast<uint64_t>(band.rows);
  const TruncatingDivider wholeBlock(static_cast<uint64_t>(blockWidth) * rows);
  const int chunkBytes = ChunkBytes(blockWidth);
  for (int chunkStart = 0; chunkStart < band.width;) {
    const int bytes = std::min(chunkBytes, band.width - chunkStart);
    SumGroups<kSplit>(band, chunkStart, bytes, part0, part1);
    const int wholeBlocks = bytes / blockWidth;
    if constexpr (kSplit == Split::kNone) {
      PatternOfWholeBlocks</*kPairs=*/false>(part0, part1, wholeBlocks, blockWidth / 8, wholeBlock, pattern);
    } else {
      PatternOfWholeDwordBlocks(part0, part1, wholeBlocks, blockWidth / 4, wholeBlock, pattern);
    }
    // The block that the region's right edge cuts.
    const int begin = wholeBlocks * blockWidth;
    if (begin < bytes) {
      const uint64_t sum = BlockSum<kSplit>(part0, part1, begin, bytes);
      const uint8_t value = TruncatedMean(sum, static_cast<uint64_t>(bytes - begin) * rows);
      FillPattern(pattern + begin, bytes - begin, value * kEveryByte);
    }
    CopyPatternToRows(band, chunkStart, bytes, pattern);
    chunkStart += bytes;
  }
}

HWY_INLINE uint64_t RowSum(const uint8_t* HWY_RESTRICT row, int n) {
  const hn::ScalableTag<uint8_t> d8;
  const hn::Repartition<uint64_t, decltype(d8)> d64;
  const int lanes = static_cast<int>(hn::Lanes(d8));
  auto sums = hn::Zero(d64);
  int i = 0;
  for (; i + lanes <= n; i += lanes) sums = hn::Add(sums, hn::SumsOf8(hn::LoadU(d8, row + i)));
  uint64_t lanesOut[hn::MaxLanes(d64)];
  hn::StoreU(sums, d64, lanesOut);
  uint64_t sum = 0;
  for (size_t lane = 0; lane < hn::Lanes(d64); ++lane) sum += lanesOut[lane];
  for (; i < n; ++i) sum += row[i];
  return sum;
}

HWY_INLINE void FillRow(uint8_t* HWY_RESTRICT row, int n, uint8_t value) {
  const hn::ScalableTag<uint8_t> d8;
  const auto v = hn::Set(d8, value);
  ForEachVectorOverlapping(
      d8, row, static_cast<size_t>(n), [&](size_t i, auto aligned) HWY_ATTR { StoreVector(aligned, v, d8, row + i); },
      [&](size_t i) HWY_ATTR { row[i] = value; });
}

// One channel, blocks of any other width: each block summed and filled on its own.
void PixelateBandBlockByBlock(const BlockRow& band, int blockWidth) {
  const uint64_t rows = static_cast<uint64_t>(band.rows);
  const TruncatingDivider wholeBlock(static_cast<uint64_t>(blockWidth) * rows);
  for (int x = 0; x < band.width;) {
    const int width = std::min(blockWidth, band.width - x);
    uint64_t sum = 0;
    for (int y = 0; y < band.rows; ++y) sum += RowSum(band.SourceRow(y) + x, width);
    const uint8_t value = width == blockWidth ? wholeBlock.Mean(sum)
                                              : TruncatedMean(sum, static_cast<uint64_t>(width) * rows);
    for (int y = 0; y < band.rows; ++y) FillRow(band.DestinationRow(y) + x, width, value);
    x += width;
  }
}

// Interleaved pairs; a block is 2 x blockPairs bytes, a multiple of 8 and at most a chunk.
// A region of odd width ends with a first-channel byte whose partner lies outside: each channel
// of a clipped block is averaged over the samples of it that the block holds.
void PixelatePairBandInChunks(const BlockRow& band, int blockPairs) {
  uint64_t part0[kLargestChunkBytes / 8];
  uint64_t part1[kLargestChunkBytes / 8];
  uint8_t pattern[kLargestChunkBytes];
  const int blockBytes = 2 * blockPairs;
  const uint64_t rows = static_cast<uint64_t>(band.rows);
  const TruncatingDivider wholeBlock(static_cast<uint64_t>(blockPairs) * rows);
  const int chunkBytes = ChunkBytes(blockBytes);
  for (int chunkStart = 0; chunkStart < band.width;) {
    const int bytes = std::min(chunkBytes, band.width - chunkStart);
    SumGroups<Split::kByteParity>(band, chunkStart, bytes, part0, part1);
    const int wholeBlocks = bytes / blockBytes;
    PatternOfWholeBlocks</*kPairs=*/true>(part0, part1, wholeBlocks, blockBytes / 8, wholeBlock, pattern);
    // The block that the region's right edge cuts.
    const int begin = wholeBlocks * blockBytes;
    if (begin < bytes) {
      const int width = bytes - begin;
      const uint64_t secondCount = static_cast<uint64_t>(width / 2) * rows;
      const uint64_t firstCount = static_cast<uint64_t>((width + 1) / 2) * rows;
      const uint8_t first = TruncatedMean(GroupRangeSum(part0, begin, bytes), firstCount);
      const uint8_t second =
          secondCount != 0 ? TruncatedMean(GroupRangeSum(part1, begin, bytes), secondCount) : uint8_t{0};
      FillPattern(pattern + begin, width, (first | uint64_t{second} << 8) * kEveryPair);
    }
    CopyPatternToRows(band, chunkStart, bytes, pattern);
    chunkStart += bytes;
  }
}

HWY_INLINE void PixelateBand(const BlockRow& band, int blockWidth) {
  if (blockWidth % 4 != 0 || blockWidth > kLargestChunkBytes) {
    return PixelateBandBlockByBlock(band, blockWidth);
  }
  if (blockWidth % 8 == 0) return PixelateBandInChunks<Split::kNone>(band, blockWidth);
  PixelateBandInChunks<Split::kDwordHalves>(band, blockWidth);
}

HWY_INLINE void PixelatePairBand(const BlockRow& band, int blockPairs) {
  PixelatePairBandInChunks(band, blockPairs);
}

}  // namespace

#include "effects/pixelation/pixelation_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::effects
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

#if !(HWY_TARGETS & HWY_AVX2)
#error "The effects' vector path is the AVX2 build of the interleaved pixelation."
#endif

namespace ryn::effects {
RYN_DISPATCH(Pixelate8u);
RYN_DISPATCH(PixelatePairs8u);
}  // namespace ryn::effects
#endif
