// End to end on short generated clips: on the two-plane frames the tool masks, every pixel inside
// a zone is the truncated mean of its block and every pixel outside the zones is untouched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "privacy_mask/mask_video.h"
#include "scratch_clip.h"

namespace ryn::privacy_mask {
namespace {

using test::ScratchFolder;

// Zone bounds in the chroma plane: bytes x to x + w, rows y / 2 to (y + h) / 2.
bool InChroma(const Zone& zone, int byte, int row) {
  return byte >= zone.x && byte < zone.right() && row >= zone.y / 2 && row < zone.bottom() / 2;
}
bool InLuma(const Zone& zone, int x, int y) {
  return x >= zone.x && x < zone.right() && y >= zone.y && y < zone.bottom();
}

template <class InZone>
bool InAnyZone(const std::vector<Zone>& zones, InZone inZone, int x, int y) {
  for (const Zone& zone : zones)
    if (inZone(zone, x, y)) return true;
  return false;
}

void ExpectOutsideUntouched(const TwoPlaneFrame& before, const TwoPlaneFrame& after, const std::vector<Zone>& zones) {
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (!InAnyZone(zones, InLuma, x, y)) {
        ASSERT_EQ(after.LumaAt(x, y), before.LumaAt(x, y)) << x << ", " << y;
      }
  for (int row = 0; row < before.height() / 2; ++row)
    for (int byte = 0; byte < before.width(); ++byte)
      if (!InAnyZone(zones, InChroma, byte, row)) {
        ASSERT_EQ(after.ChromaAt(byte, row), before.ChromaAt(byte, row)) << "chroma " << byte << ", " << row;
      }
}

struct Plane {
  const uint8_t* data;
  int step;
  uint8_t at(int byte, int row) const { return data[static_cast<ptrdiff_t>(row) * step + byte]; }
};
Plane LumaOf(const TwoPlaneFrame& frame) { return {frame.luma(), frame.lumaStep()}; }
Plane ChromaOf(const TwoPlaneFrame& frame) { return {frame.chroma(), frame.chromaStep()}; }

// Blocks of `blockWidth` samples (`sampleStride` bytes apart) by `blockHeight` rows tile the area
// from its first sample, clipped at its edges; each sample of a block must be the truncated mean
// of the block's samples before masking.
void ExpectBlockMeans(Plane before, Plane after, int left, int top, int width, int height, int sampleStride,
                      int blockWidth, int blockHeight) {
  const int samples = width / sampleStride;
  for (int by = 0; by < height; by += blockHeight)
    for (int bx = 0; bx < samples; bx += blockWidth) {
      const int rows = std::min(blockHeight, height - by), columns = std::min(blockWidth, samples - bx);
      uint64_t sum = 0;
      for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) sum += before.at(left + (bx + x) * sampleStride, top + by + y);
      const uint64_t mean = sum / static_cast<uint64_t>(rows * columns);
      for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
          ASSERT_EQ(after.at(left + (bx + x) * sampleStride, top + by + y), mean)
              << "block at sample " << bx << ", row " << by << " of the area at " << left << ", " << top;
    }
}

// Luma in n x n blocks; chroma in blocks of n pairs by n rows, U and V each on their own.
void ExpectPixelated(const TwoPlaneFrame& before, const TwoPlaneFrame& after, const Zone& zone, int n) {
  const int x = static_cast<int>(zone.x), y = static_cast<int>(zone.y);
  const int w = static_cast<int>(zone.width), h = static_cast<int>(zone.height);
  ExpectBlockMeans(LumaOf(before), LumaOf(after), x, y, w, h, 1, n, n);
  for (int channel = 0; channel < 2; ++channel)
    ExpectBlockMeans(ChromaOf(before), ChromaOf(after), x + channel, y / 2, w, h / 2, 2, n, n);
}

struct MaskedFrames {
  std::vector<int64_t> indices;
  MaskRunSummary summary;
};

// Runs the tool, checking every frame with `check` before it is written.
template <class Check>
MaskedFrames MaskAndCheck(const Options& options, Check check) {
  MaskedFrames result;
  MaskRunHooks hooks;
  hooks.frameMasked = [&](int64_t index, const TwoPlaneFrame& before, const TwoPlaneFrame& after,
                          const std::vector<MaskedBox>&) {
    result.indices.push_back(index);
    // Noise frames: a check that passes on an untouched zone proves nothing.
    EXPECT_NE(std::memcmp(before.luma(), after.luma(), static_cast<size_t>(before.lumaStep()) * before.height()), 0);
    check(before, after);
  };
  result.summary = MaskVideo(options, hooks);
  return result;
}

Options PixelateOptions(const std::string& input, const std::string& output, int mode) {
  Options options;
  options.input = input;
  options.outputDirectory = output;
  options.effect = Effect::kPixelate;
  options.blockSize = 4;
  options.processingMode = mode;
  // Whole blocks in both planes: 32 x 16 and, after clipping, 32 x 24 luma pixels; chroma rows of
  // 32 bytes (8 pairs a block), 8 and 12 rows.
  options.zones = {Zone{8, 6, 32, 16}, Zone{64, 40, 48, 40}};
  return options;
}

std::vector<int> ModesToTry() {
  std::vector<int> modes = {0, 1};
  if (__builtin_cpu_supports("avx2")) modes.push_back(2);
  return modes;
}

TEST(MaskVideo, PixelatesInsideTheZonesOnlyInEveryMode) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 3);
  for (int mode : ModesToTry()) {
    SCOPED_TRACE(mode);
    const Options options = PixelateOptions(folder / "clip.avi", folder / "out", mode);
    const std::vector<Zone> placed = {Zone{8, 6, 32, 16}, Zone{64, 40, 32, 24}};
    const MaskedFrames run = MaskAndCheck(options, [&](const TwoPlaneFrame& before, const TwoPlaneFrame& after) {
      ExpectOutsideUntouched(before, after, placed);
      for (const Zone& zone : placed) ExpectPixelated(before, after, zone, 4);
    });
    EXPECT_EQ(run.indices, (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(run.summary.frames, 3);
    EXPECT_EQ(run.summary.zones, placed);
    EXPECT_GT(run.summary.libraryTime.count(), 0);
    EXPECT_LE(run.summary.libraryTime, run.summary.totalTime);
    EXPECT_TRUE(std::filesystem::exists(run.summary.videoPath));
    EXPECT_TRUE(std::filesystem::exists(run.summary.contactSheetPath));
  }
}

TEST(MaskVideo, ImageSequenceAndFrameLimit) {
  ScratchFolder folder;
  const std::string pattern = test::WriteNoiseImages(folder / "shots", {96, 64}, 4);
  Options options = PixelateOptions(pattern, folder / "out", 0);
  options.frameLimit = 2;
  const std::vector<Zone> placed = {Zone{8, 6, 32, 16}, Zone{64, 40, 32, 24}};
  const MaskedFrames run = MaskAndCheck(options, [&](const TwoPlaneFrame& before, const TwoPlaneFrame& after) {
    ExpectOutsideUntouched(before, after, placed);
    for (const Zone& zone : placed) ExpectPixelated(before, after, zone, 4);
  });
  EXPECT_EQ(run.indices, (std::vector<int64_t>{0, 1}));
  EXPECT_THAT(run.summary.videoPath, testing::AnyOf(folder / "out/shots_masked.mp4", folder / "out/shots_masked.avi"));
}

// Spread of the samples of an area: the mean absolute difference from their mean. `columnStride`
// 2 takes one chroma channel.
template <class SampleAt>
double Spread(SampleAt sampleAt, int left, int top, int width, int height, int columnStride = 1) {
  double sum = 0, deviation = 0, count = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; x += columnStride, ++count) sum += sampleAt(x, y);
  const double mean = sum / count;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; x += columnStride) deviation += std::abs(sampleAt(x, y) - mean);
  return deviation / count;
}

double LumaSpread(const TwoPlaneFrame& frame, int left, int top, int width, int height) {
  return Spread([&](int x, int y) { return frame.LumaAt(x, y); }, left, top, width, height);
}

// The first chroma channel (U) of bytes left .. left + width - 1 of rows top .. top + height - 1.
double ChromaSpread(const TwoPlaneFrame& frame, int left, int top, int width, int height) {
  return Spread([&](int x, int y) { return frame.ChromaAt(x, y); }, left, top, width, height, 2);
}

TEST(MaskVideo, BlurSmoothsTheZonesOnly) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 2);
  for (int mode : ModesToTry()) {
    SCOPED_TRACE(mode);
    Options options;
    options.input = folder / "clip.avi";
    options.outputDirectory = folder / "out";
    options.effect = Effect::kBlur;
    options.blockSize = 5;
    options.processingMode = mode;
    options.zones = {Zone{10, 8, 64, 40}};
    const MaskedFrames run = MaskAndCheck(options, [&](const TwoPlaneFrame& before, const TwoPlaneFrame& after) {
      ExpectOutsideUntouched(before, after, options.zones);
      // Noise averaged over 5 x 5 windows: far less spread inside the zone, away from its edges,
      // in both planes (the zone's chroma: rows 4 to 23, bytes 10 to 73, windows of 5 pairs).
      EXPECT_LT(LumaSpread(after, 14, 12, 56, 32), LumaSpread(before, 14, 12, 56, 32) / 2);
      EXPECT_LT(ChromaSpread(after, 14, 6, 56, 16), ChromaSpread(before, 14, 6, 56, 16) / 2);
    });
    EXPECT_EQ(run.summary.frames, 2);
  }
}

TEST(MaskVideo, OutputStems) {
  EXPECT_EQ(OutputStem("/data/cam 1/hall.mp4"), "hall");
  EXPECT_EQ(OutputStem("clip.avi"), "clip");
  EXPECT_EQ(OutputStem("/data/lobby/%05d.jpg"), "lobby");
}

}  // namespace
}  // namespace ryn::privacy_mask
