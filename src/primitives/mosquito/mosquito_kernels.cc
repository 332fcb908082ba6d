// Processor builds of the mosquito filter, compiled once per Highway target, and the dispatched
// operation that binds them. A block row of eight pixels is one vector of 16-bit lanes.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "src/primitives/mosquito/mosquito_kernels.cc"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>

#include <cstring>

#include "frame/checks.h"
#include "primitives/mosquito/mosquito.h"
#include "primitives/mosquito/mosquito_checks.h"
#include "primitives/mosquito/mosquito_rules.h"

HWY_BEFORE_NAMESPACE();
namespace ryn::mosquito {
namespace HWY_NAMESPACE {
namespace {
namespace hn = hwy::HWY_NAMESPACE;

// The output pass works on block rows of several horizontally adjacent blocks at once, eight
// 16-bit lanes per block; lane masks carry each block's flags.
using DP = hn::ScalableTag<uint16_t>;
using VP = hn::Vec<DP>;
using MP = hn::Mask<DP>;
constexpr size_t kMaxBlocksPerVector = HWY_MAX_BYTES / sizeof(uint16_t) / kBlockSize;

// Pixels from p + dy rows + dx columns, widened.
HWY_INLINE VP Load(const uint8_t* p, ptrdiff_t step, int dx, int dy) {
  return hn::PromoteTo(DP(), hn::LoadU(hn::Rebind<uint8_t, DP>(), p + dy * step + dx));
}

HWY_INLINE void Sort(VP& a, VP& b) {
  const VP low = hn::Min(a, b);
  b = hn::Max(a, b);
  a = low;
}

// The median of nine, by the 19-exchange network (each exchange leaves the smaller value first).
HWY_INLINE VP Median9(VP p0, VP p1, VP p2, VP p3, VP p4, VP p5, VP p6, VP p7, VP p8) {
  Sort(p1, p2), Sort(p4, p5), Sort(p7, p8);
  Sort(p0, p1), Sort(p3, p4), Sort(p6, p7);
  Sort(p1, p2), Sort(p4, p5), Sort(p7, p8);
  Sort(p0, p3), Sort(p5, p8), Sort(p4, p7);
  Sort(p3, p6), Sort(p1, p4), Sort(p2, p5);
  Sort(p4, p7), Sort(p4, p2), Sort(p6, p4);
  Sort(p4, p2);
  return p4;
}

// The median of seven: a sorting network of sixteen exchanges, middle element.
HWY_INLINE VP Median7(VP p0, VP p1, VP p2, VP p3, VP p4, VP p5, VP p6) {
  Sort(p0, p6), Sort(p2, p3), Sort(p4, p5);
  Sort(p0, p2), Sort(p1, p4), Sort(p3, p6);
  Sort(p0, p1), Sort(p2, p5), Sort(p3, p4);
  Sort(p1, p2), Sort(p4, p6);
  Sort(p2, p3), Sort(p4, p5);
  Sort(p1, p2), Sort(p3, p4), Sort(p5, p6);
  return p3;
}

HWY_INLINE VP SquareMedian(const uint8_t* p, ptrdiff_t step) {
  return Median9(Load(p, step, -1, -1), Load(p, step, 0, -1), Load(p, step, 1, -1), Load(p, step, -1, 0),
                 Load(p, step, 0, 0), Load(p, step, 1, 0), Load(p, step, -1, 1), Load(p, step, 0, 1),
                 Load(p, step, 1, 1));
}

HWY_INLINE VP SquareSum(const uint8_t* p, ptrdiff_t step) {
  VP sum = hn::Zero(DP());
  for (int dy = -1; dy <= 1; ++dy) {
    sum = hn::Add(sum, hn::Add(hn::Add(Load(p, step, -1, dy), Load(p, step, 0, dy)), Load(p, step, 1, dy)));
  }
  return sum;
}

HWY_INLINE VP MeanOfEight(const uint8_t* p, ptrdiff_t step) {
  return hn::ShiftRight<3>(hn::Sub(SquareSum(p, step), Load(p, step, 1, 1)));
}

HWY_INLINE VP AbsoluteDifference(VP a, VP b) { return hn::Or(hn::SaturatedSub(a, b), hn::SaturatedSub(b, a)); }

HWY_INLINE VP SmoothWithoutEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return Median7(MeanOfEight(c, step), MeanOfEight(c - step - 1, step), MeanOfEight(c - step + 1, step),
                 MeanOfEight(c + step - 1, step), MeanOfEight(c + step + 1, step), MeanOfEight(r, step),
                 MeanOfEight(r - 1, step));
}

HWY_INLINE VP SmoothChangedEdges(const uint8_t* c, ptrdiff_t step) {
  return Median9(SquareMedian(c - step - 1, step), SquareMedian(c - step, step), SquareMedian(c - step + 1, step),
                 SquareMedian(c - 1, step), SquareMedian(c, step), SquareMedian(c + 1, step),
                 SquareMedian(c + step - 1, step), SquareMedian(c + step, step), SquareMedian(c + step + 1, step));
}

HWY_INLINE VP SmoothSteadyEdges(const uint8_t* c, const uint8_t* r, ptrdiff_t step) {
  return Median9(SquareMedian(c, step), SquareMedian(c - step - 1, step), SquareMedian(c - step + 1, step),
                 SquareMedian(c + step - 1, step), SquareMedian(c + step + 1, step),
                 SquareMedian(r - step - 1, step), SquareMedian(r - step + 1, step), SquareMedian(r - 1, step),
                 SquareMedian(r, step));
}

// Lane masks of the blocks' flags, eight lanes per block.
struct BlockLanes {
  MP flat, edge, changed;
};

// One row of pixels across the blocks: the rules of FilterPixel, the class-1 values computed only
// where some lane needs them. `marked`: a bit per lane (the pixels that keep their value,
// including every pixel of a block that is not examined).
HWY_INLINE void FilterRow(const uint8_t* c, const uint8_t* r, ptrdiff_t step, uint8_t* destination,
                          const uint8_t* markedBits, const BlockLanes& blocks) {
  const DP d;
  const hn::Rebind<uint8_t, DP> d8;
  const hn::Rebind<int16_t, DP> di;
  const MP marked = hn::LoadMaskBits(d, markedBits);
  const VP centre = Load(c, step, 0, 0);
  if (hn::AllTrue(d, marked)) return;  // the destination holds the copy already
  const VP mean = hn::ShiftRight<4>(hn::Add(hn::Mul(centre, hn::Set(d, 7)), SquareSum(c, step)));
  VP out = hn::IfThenElse(marked, centre, mean);
  const MP open = hn::AndNot(marked, blocks.flat);
  if (!hn::AllFalse(d, open)) {
    VP change = AbsoluteDifference(centre, Load(r, step, 0, 0));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 0, -1), Load(r, step, 0, -1)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 0, 1), Load(r, step, 0, 1)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, -1, 0), Load(r, step, -1, 0)));
    change = hn::Add(change, AbsoluteDifference(Load(c, step, 1, 0), Load(r, step, 1, 0)));
    const MP strong = hn::And(blocks.flat, change > hn::Set(d, kStrongChangeThreshold));
    const MP weak = hn::AndNot(strong, hn::And(blocks.flat, change > hn::Set(d, kWeakChangeThreshold)));
    out = hn::IfThenElse(strong, centre, out);
    const MP smoothed = hn::AndNot(marked, weak);
    if (!hn::AllFalse(d, smoothed)) {
      const MP withoutEdges = hn::AndNot(blocks.edge, smoothed);
      const MP changedEdges = hn::And(smoothed, hn::And(blocks.edge, blocks.changed));
      const MP steadyEdges = hn::And(smoothed, hn::AndNot(blocks.changed, blocks.edge));
      if (!hn::AllFalse(d, withoutEdges)) out = hn::IfThenElse(withoutEdges, SmoothWithoutEdges(c, r, step), out);
      if (!hn::AllFalse(d, changedEdges)) out = hn::IfThenElse(changedEdges, SmoothChangedEdges(c, step), out);
      if (!hn::AllFalse(d, steadyEdges)) out = hn::IfThenElse(steadyEdges, SmoothSteadyEdges(c, r, step), out);
    }
  }
  hn::StoreU(hn::DemoteTo(d8, hn::BitCast(di, out)), d8, destination);
}

HWY_INLINE MP BlockFlagLanes(const BlockRecord* records, size_t blocks, int32_t BlockRecord::*flag) {
  uint8_t bits[(kMaxBlocksPerVector * kBlockSize + 7) / 8] = {};
  for (size_t k = 0; k < blocks; ++k) bits[k] = records[k].*flag ? 0xFF : 0;
  return hn::LoadMaskBits(DP(), bits);
}

// The examined blocks of one block row, as many blocks per vector as it holds; the last vector
// overlaps the one before where the row does not divide (the overlapped blocks are written twice
// with the same values). Rows of fewer blocks go pixel by pixel.
void FilterBlockRow(const uint8_t* cleaned, const uint8_t* reference, ptrdiff_t step, uint8_t* destination,
                    ptrdiff_t destinationStep, const BlockRecord* records, const uint64_t* edgeBits,
                    const uint64_t* edgeBitsBelow, int columns) {
  const int perVector = static_cast<int>(hn::Lanes(DP()) / kBlockSize);
  if (columns < perVector) {
    for (int bx = 0; bx < columns; ++bx) {
      if (!IsExamined(records[bx])) continue;
      const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
      FilterBlockPixels(cleaned + x, reference + x, step, destination + x, destinationStep,
                        MarkedRowsOf(edgeBits, edgeBitsBelow, bx, columns), records[bx]);
    }
    return;
  }
  for (int bx = 0;; bx += perVector) {
    if (bx + perVector > columns) bx = columns - perVector;
    bool anyExamined = false;
    uint8_t marked[kBlockSize][kMaxBlocksPerVector];
    for (int k = 0; k < perVector; ++k) {
      const bool examined = IsExamined(records[bx + k]);
      anyExamined |= examined;
      const auto rows = MarkedRowsOf(edgeBits, edgeBitsBelow, bx + k, columns);
      for (int y = 0; y < kBlockSize; ++y) marked[y][k] = examined ? rows[y] : 0xFF;
    }
    if (anyExamined) {
      const BlockLanes lanes{BlockFlagLanes(records + bx, perVector, &BlockRecord::flat),
                             BlockFlagLanes(records + bx, perVector, &BlockRecord::edge),
                             BlockFlagLanes(records + bx, perVector, &BlockRecord::changed)};
      const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
      for (int y = 0; y < kBlockSize; ++y) {
        FilterRow(cleaned + y * step + x, reference + y * step + x, step, destination + y * destinationStep + x,
                  marked[y], lanes);
      }
    }
    if (bx + perVector == columns) break;
  }
}

// Block analysis of a whole vector of blocks at once, one block per 16-bit lane: the same
// integer steps as AnalyseWindows, so every lane gives that function's result.
using DB = hn::ScalableTag<uint16_t>;
using VB = hn::Vec<DB>;
using DBytes = hn::Repartition<uint8_t, DB>;

// From 8 x Lanes(DB) bytes at p, the bytes p[8 i + j] of every i as lane i of out[j]. Works on
// 16-bit words (block i holds words 4 i .. 4 i + 3): splitting the words by their residue modulo
// 4 takes two rounds of even/odd, and each word then gives two bytes. (Byte-lane even/odd would
// need a lane table on AVX3, whose index check Debug builds cannot link.)
HWY_INLINE void Deinterleave(const uint8_t* p, VB out[kBlockSize]) {
  const DBytes d8;
  const DB d;
  const size_t bytes = hn::Lanes(d8);
  const VB v0 = hn::BitCast(d, hn::LoadU(d8, p)), v1 = hn::BitCast(d, hn::LoadU(d8, p + bytes)),
           v2 = hn::BitCast(d, hn::LoadU(d8, p + 2 * bytes)), v3 = hn::BitCast(d, hn::LoadU(d8, p + 3 * bytes));
  const VB e01 = hn::ConcatEven(d, v1, v0), o01 = hn::ConcatOdd(d, v1, v0);
  const VB e23 = hn::ConcatEven(d, v3, v2), o23 = hn::ConcatOdd(d, v3, v2);
  const VB words[4] = {hn::ConcatEven(d, e23, e01), hn::ConcatEven(d, o23, o01), hn::ConcatOdd(d, e23, e01),
                       hn::ConcatOdd(d, o23, o01)};
  const VB lowByte = hn::Set(d, 0xFF);
  for (int k = 0; k < 4; ++k) {
    // Little-endian: the word's low byte comes first.
    out[2 * k] = hn::And(words[k], lowByte);
    out[2 * k + 1] = hn::ShiftRight<8>(words[k]);
  }
}

// Window row y of every block: columns 0..11.
HWY_INLINE void LoadWindowRow(const uint8_t* row, VB out[kWindowSize]) {
  VB upper[kBlockSize];
  Deinterleave(row, out);
  Deinterleave(row + kBlockSize / 2, upper);
  for (int x = kBlockSize; x < kWindowSize; ++x) out[x] = upper[x - kBlockSize / 2];
}

HWY_INLINE VB AbsoluteDifferenceOf(VB a, VB b) { return hn::Or(hn::SaturatedSub(a, b), hn::SaturatedSub(b, a)); }

// Blocks 0 .. Lanes(DB) - 1 from `reference` and `cleaned` (at the first block's window).
HWY_INLINE void AnalyseBlockVector(const uint8_t* reference, const uint8_t* cleaned, ptrdiff_t step,
                                   BlockRecord* records, uint64_t* edgeBits) {
  const DB d;
  VB w[kWindowSize][kWindowSize];
  VB changed = hn::Zero(d);
  const VB changedLimit = hn::Set(d, kChangedPixelThreshold);
  for (int y = 0; y < kWindowSize; ++y) {
    LoadWindowRow(cleaned + y * step, w[y]);
    if (y < kWindowMargin || y >= kWindowMargin + kBlockSize) continue;
    VB r[kWindowSize];
    LoadWindowRow(reference + y * step, r);
    for (int x = kWindowMargin; x < kWindowMargin + kBlockSize; ++x) {
      // A set mask is all ones, minus one.
      changed = hn::Sub(changed, hn::VecFromMask(d, AbsoluteDifferenceOf(w[y][x], r[x]) > changedLimit));
    }
  }
  for (int x = 1; x <= kWindowSize - 2; ++x) {
    for (int y = 1; y <= kWindowSize - 2; ++y) {
      const VB corners = hn::Add(hn::Add(w[y - 1][x - 1], w[y - 1][x + 1]), hn::Add(w[y + 1][x - 1], w[y + 1][x + 1]));
      const VB sides = hn::Add(hn::Add(w[y - 1][x], w[y][x - 1]), hn::Add(w[y][x + 1], w[y + 1][x]));
      const VB sum = hn::Add(hn::Add(corners, hn::ShiftLeft<1>(sides)), hn::ShiftLeft<2>(w[y][x]));
      w[y][x] = hn::ShiftRight<4>(sum);
    }
  }
  VB edges = hn::Zero(d), flats = hn::Zero(d), largest = hn::Zero(d);
  VB bits[kBlockSize / 2];
  for (auto& b : bits) b = hn::Zero(d);
  const VB edgeLimit = hn::Set(d, kEdgeThreshold), flatLimit = hn::Set(d, kFlatThreshold);
  for (int y = kWindowMargin; y < kWindowMargin + kBlockSize; ++y) {
    for (int x = kWindowMargin; x < kWindowMargin + kBlockSize; ++x) {
      const VB right = hn::Add(hn::Add(w[y - 1][x + 1], w[y + 1][x + 1]), hn::ShiftLeft<1>(w[y][x + 1]));
      const VB left = hn::Add(hn::Add(w[y - 1][x - 1], w[y + 1][x - 1]), hn::ShiftLeft<1>(w[y][x - 1]));
      const VB lower = hn::Add(hn::Add(w[y + 1][x - 1], w[y + 1][x + 1]), hn::ShiftLeft<1>(w[y + 1][x]));
      const VB upper = hn::Add(hn::Add(w[y - 1][x - 1], w[y - 1][x + 1]), hn::ShiftLeft<1>(w[y - 1][x]));
      const VB g = hn::Add(AbsoluteDifferenceOf(right, left), AbsoluteDifferenceOf(lower, upper));
      const auto edge = g > edgeLimit;
      edges = hn::Sub(edges, hn::VecFromMask(d, edge));
      flats = hn::Sub(flats, hn::VecFromMask(d, flatLimit > g));
      largest = hn::Max(largest, g);
      // Two block rows per 16-bit word.
      const int bit = ((y - kWindowMargin) % 2) * kBlockSize + (x - kWindowMargin);
      bits[(y - kWindowMargin) / 2] = hn::Or(bits[(y - kWindowMargin) / 2],
                                             hn::IfThenElseZero(edge, hn::Set(d, static_cast<uint16_t>(1u << bit))));
    }
  }
  constexpr size_t kMaxLanes = HWY_MAX_BYTES / sizeof(uint16_t);
  HWY_ALIGN uint16_t laneChanged[kMaxLanes], laneEdges[kMaxLanes], laneFlats[kMaxLanes], laneLargest[kMaxLanes];
  HWY_ALIGN uint16_t laneBits[kBlockSize / 2][kMaxLanes];
  hn::Store(changed, d, laneChanged);
  hn::Store(edges, d, laneEdges);
  hn::Store(flats, d, laneFlats);
  hn::Store(largest, d, laneLargest);
  for (int k = 0; k < kBlockSize / 2; ++k) hn::Store(bits[k], d, laneBits[k]);
  for (size_t i = 0; i < hn::Lanes(d); ++i) {
    records[i] = BlockFlags(laneChanged[i], laneEdges[i], laneFlats[i], laneLargest[i]);
    uint64_t word = 0;
    for (int k = 0; k < kBlockSize / 2; ++k) word |= uint64_t{laneBits[k][i]} << (16 * k);
    edgeBits[i] = word;
  }
}

// Whole vectors of blocks; the last vector overlaps the one before where the row does not
// divide (those blocks are analysed twice, with the same result). Rows shorter than a vector go
// block by block through the state's windows, as in the generic build.
void AnalyseBlockRow(const uint8_t* reference, const uint8_t* cleaned, ptrdiff_t step, int columns,
                     BlockRecord* records, uint64_t* edgeBits, MosquitoState& state) {
  const int lanes = static_cast<int>(hn::Lanes(DB()));
  if (columns < lanes) {
    for (int bx = 0; bx < columns; ++bx) {
      const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
      CopyWindow(cleaned + x, step, state.cleanedWindow);
      CopyWindow(reference + x, step, state.referenceWindow);
      records[bx] = AnalyseWindows(state.cleanedWindow, state.referenceWindow, edgeBits[bx]);
    }
    return;
  }
  for (int bx = 0;; bx += lanes) {
    if (bx + lanes > columns) bx = columns - lanes;
    const ptrdiff_t x = static_cast<ptrdiff_t>(bx) * kBlockSize;
    AnalyseBlockVector(reference + x, cleaned + x, step, records + bx, edgeBits + bx);
    if (bx + lanes == columns) break;
  }
}

}  // namespace

#include "primitives/mosquito/mosquito_primitives-inl.h"

}  // namespace HWY_NAMESPACE
}  // namespace ryn::mosquito
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "frame/dispatch_hwy.h"

namespace ryn::mosquito {
RYN_DISPATCH(FilterDenoiseMosquito);
}  // namespace ryn::mosquito
#endif
