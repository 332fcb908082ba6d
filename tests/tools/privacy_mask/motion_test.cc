// Masking what moves, end to end on generated clips and through the motion stages directly: a
// moving square is masked on every frame and nothing else is, a square that stops stays masked,
// a vanished one is held for the hold time, a static scene masks nothing, and the boxes file
// lists exactly what was masked.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "moving_square.h"
#include "privacy_mask/box_masker.h"
#include "privacy_mask/mask_video.h"
#include "privacy_mask/motion_boxes.h"
#include "privacy_mask/tool_error.h"
#include "scratch_clip.h"

namespace ryn::privacy_mask {
namespace {

using test::Contains;
using test::Grown;
using test::ScratchFolder;

constexpr int64_t kSide = 24;

// Right along row 48 at 8 pixels a frame for 24 frames, then back.
Zone SquareAt(int64_t frame) {
  const int64_t x = frame < 24 ? 8 + 8 * frame : 192 - 8 * (frame - 23);
  return Zone{x, 48, kSide, kSide};
}

// A textured 256 x 128 background with the square over it for `frames` frames.
void WriteMovingSquareClip(const std::string& path, int64_t frames) {
  std::vector<std::optional<Zone>> squares;
  for (int64_t frame = 0; frame < frames; ++frame) squares.push_back(SquareAt(frame));
  test::WriteClip(path, test::TexturedBackground({256, 128}), squares);
}

Options MotionOptions(const std::string& input, const std::string& output) {
  Options options;
  options.input = input;
  options.outputDirectory = output;
  options.blockSize = 4;
  options.detectMotion = true;
  options.motion.warmUpFrames = 24;
  options.motion.holdFrames = 3;
  options.motion.minimumArea = 100;
  options.motion.margin = 4;
  options.boxesPath = output + "/boxes.csv";  // in a folder the run makes
  return options;
}

using BoxesByFrame = std::map<int64_t, std::vector<MaskedBox>>;

// Runs the tool keeping every frame's boxes; `check` sees each frame before and after masking.
template <class Check>
BoxesByFrame MaskRecordingBoxes(const Options& options, Check check, MaskRunSummary* summary = nullptr) {
  BoxesByFrame boxes;
  MaskRunHooks hooks;
  hooks.frameMasked = [&](int64_t index, const TwoPlaneFrame& before, const TwoPlaneFrame& after,
                          const std::vector<MaskedBox>& masked) {
    boxes[index] = masked;
    check(index, before, after, masked);
  };
  const MaskRunSummary result = MaskVideo(options, hooks);
  if (summary != nullptr) *summary = result;
  return boxes;
}

void ExpectLumaUntouchedOutside(const TwoPlaneFrame& before, const TwoPlaneFrame& after,
                                const std::vector<MaskedBox>& boxes) {
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      bool inBox = false;
      for (const MaskedBox& masked : boxes) inBox = inBox || Contains(masked.box, Zone{x, y, 1, 1});
      if (!inBox) {
        ASSERT_EQ(after.LumaAt(x, y), before.LumaAt(x, y)) << x << ", " << y;
      }
    }
}

// The boxes file read back on its own terms.
BoxesByFrame ReadBoxesFile(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  EXPECT_EQ(line, "frame,x,y,width,height,source");
  BoxesByFrame boxes;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    int64_t frame = 0;
    MaskedBox masked{};
    char comma = 0;
    std::string source;
    fields >> frame >> comma >> masked.box.x >> comma >> masked.box.y >> comma >> masked.box.width >> comma >>
        masked.box.height >> comma >> source;
    EXPECT_TRUE(source == "zone" || source == "motion") << line;
    masked.source = source == "zone" ? BoxSource::kZone : BoxSource::kMotion;
    boxes[frame].push_back(masked);
  }
  return boxes;
}

TEST(MotionMasking, MovingSquareIsMaskedOnEveryFrameAndNothingElse) {
  ScratchFolder folder;
  WriteMovingSquareClip(folder / "square.avi", 48);

  MaskRunSummary summary;
  const BoxesByFrame boxes = MaskRecordingBoxes(
      MotionOptions(folder / "square.avi", folder / "out"),
      [&](int64_t index, const TwoPlaneFrame& before, const TwoPlaneFrame& after,
          const std::vector<MaskedBox>& masked) {
        SCOPED_TRACE(index);
        const Zone square = SquareAt(index);
        bool covered = false;
        for (const MaskedBox& box : masked) {
          EXPECT_EQ(box.source, BoxSource::kMotion);
          // Around the square only: its margin, the block's smallest box, the 4:2:0 grid.
          EXPECT_TRUE(Contains(Grown(square, 20), box.box)) << ToString(box.box);
          covered = covered || Contains(box.box, square);
        }
        EXPECT_TRUE(covered);
        ExpectLumaUntouchedOutside(before, after, masked);
      },
      &summary);
  EXPECT_EQ(boxes.size(), 48u);
  EXPECT_EQ(summary.warmUpFrames, 24);
  EXPECT_EQ(summary.framesWithMotion, 48);
  EXPECT_EQ(ReadBoxesFile(folder / "out/boxes.csv"), boxes);
}

TEST(MotionMasking, StaticSceneMasksNothing) {
  ScratchFolder folder;
  const cv::Mat background = test::TexturedBackground({128, 96});
  test::WriteClip(folder / "still.avi", background, std::vector<std::optional<Zone>>(12));
  Options options = MotionOptions(folder / "still.avi", folder / "out");
  options.motion.warmUpFrames = 4;
  MaskRunSummary summary;
  MaskRecordingBoxes(
      options,
      [](int64_t, const TwoPlaneFrame& before, const TwoPlaneFrame& after, const std::vector<MaskedBox>& masked) {
        EXPECT_TRUE(masked.empty());
        EXPECT_EQ(std::memcmp(before.luma(), after.luma(), static_cast<size_t>(before.lumaStep()) * before.height()),
                  0);
      },
      &summary);
  EXPECT_EQ(summary.frames, 12);
  EXPECT_EQ(summary.motionBoxes, 0);
  EXPECT_TRUE(ReadBoxesFile(folder / "out/boxes.csv").empty());
}

TEST(MotionMasking, ZonesAndMotionTogetherInTheBoxesFile) {
  ScratchFolder folder;
  WriteMovingSquareClip(folder / "square.avi", 6);
  Options options = MotionOptions(folder / "square.avi", folder / "out");
  options.zones = {Zone{200, 96, 40, 20}};
  const BoxesByFrame boxes = MaskRecordingBoxes(options, [](int64_t, const TwoPlaneFrame&, const TwoPlaneFrame&,
                                             const std::vector<MaskedBox>& masked) {
    ASSERT_GE(masked.size(), 2u);
    EXPECT_EQ(masked.front(), (MaskedBox{Zone{200, 96, 40, 20}, BoxSource::kZone}));
    EXPECT_EQ(masked.back().source, BoxSource::kMotion);
  });
  EXPECT_EQ(ReadBoxesFile(folder / "out/boxes.csv"), boxes);
}

// The motion stages on exact frames (no codec): the background is learnt from an empty scene.
class MotionStages : public testing::Test {
 protected:
  static constexpr int64_t kHold = 4;

  MotionStages() : background_(test::TexturedBackground({128, 96})), frame_(128, 96) { Start(0.02); }

  void Start(double learningRate) {
    MotionSettings settings;
    settings.learningRate = learningRate;
    settings.holdFrames = kHold;
    settings.minimumArea = 50;
    settings.margin = 2;
    motion_ = std::make_unique<MotionBoxes>(FrameSize{128, 96}, settings, FrameSize{6, 6});
    frame_.FromBgr(background_);
    for (int pass = 0; pass < 2; ++pass)
      for (int i = 0; i < 4; ++i) motion_->WarmUp(frame_, pass);
  }

  std::vector<Zone> Next(std::optional<Zone> square, double brightness = 0) {
    frame_.FromBgr(test::SceneWith(background_, square) + cv::Scalar::all(brightness));
    return motion_->Next(frame_, times_);
  }

  static bool AnyContains(const std::vector<Zone>& boxes, const Zone& square) {
    for (const Zone& box : boxes)
      if (Contains(box, square)) return true;
    return false;
  }

  cv::Mat background_;
  TwoPlaneFrame frame_;
  std::unique_ptr<MotionBoxes> motion_;
  StageTimes times_;
};

TEST_F(MotionStages, SquareThatStopsStaysMaskedAndIsHeldAfterItLeaves) {
  Zone square{10, 30, 20, 20};
  for (int i = 0; i < 5; ++i, square.x += 6) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(AnyContains(Next(square), square));
  }
  // Standing still, it is not learnt into the background, long after the hold time.
  for (int i = 0; i < 5 * kHold; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(AnyContains(Next(square), square));
  }
  // Gone: its last box is held for the hold time, then nothing is masked.
  for (int i = 0; i < kHold; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(AnyContains(Next(std::nullopt), square));
  }
  EXPECT_THAT(Next(std::nullopt), testing::IsEmpty());
  EXPECT_THAT(motion_->motionMask().data()[0], 0);
  EXPECT_GT(times_[Stage::kMask].count(), 0);
  EXPECT_GT(times_[Stage::kLabelling].count(), 0);
}

TEST_F(MotionStages, ChangeOfLightOverTheWholeSceneIsLearntAway) {
  Start(0.3);
  EXPECT_THAT(Next(std::nullopt, 50), testing::ElementsAre(Zone{0, 0, 128, 96}));
  int frames = 1;
  while (!Next(std::nullopt, 50).empty() && frames < 40) ++frames;
  EXPECT_LT(frames, 40);
  // Against the new light, a square is found again, and only the square.
  const Zone square{40, 30, 20, 20};
  const std::vector<Zone> boxes = Next(square, 50);
  ASSERT_THAT(boxes, testing::SizeIs(1));
  EXPECT_TRUE(Contains(boxes[0], square));
  EXPECT_TRUE(Contains(Grown(square, 4), boxes[0]));
}

TEST_F(MotionStages, SpecksBelowTheMinimumAreaAreIgnored) {
  EXPECT_THAT(Next(Zone{40, 40, 6, 6}), testing::IsEmpty());  // 36 pixels
  EXPECT_THAT(Next(std::nullopt), testing::IsEmpty());
  EXPECT_THAT(Next(Zone{40, 40, 10, 10}), testing::SizeIs(1));
}

TEST(BoxMasker, SmallestBoxFollowsTheBlockAndThePath) {
  const MaskExport& pixelate4 = *FindMaskExport(Effect::kPixelate, 4);
  const MaskExport& pixelate32 = *FindMaskExport(Effect::kPixelate, 32);
  const MaskExport& pixelate256 = *FindMaskExport(Effect::kPixelate, 256);
  const MaskExport& blur9 = *FindMaskExport(Effect::kBlur, 9);
  const MaskExport& blur11 = *FindMaskExport(Effect::kBlur, 11);
  EXPECT_EQ(SmallestBox(pixelate4, 1).width, 6);
  EXPECT_EQ(SmallestBox(pixelate4, 1).height, 6);
  EXPECT_EQ(SmallestBox(pixelate4, 0).width, 32);
  EXPECT_EQ(SmallestBox(pixelate32, 2).width, 64);
  EXPECT_EQ(SmallestBox(pixelate32, 2).height, 34);
  EXPECT_EQ(SmallestBox(pixelate256, 0).width, 258);
  EXPECT_EQ(SmallestBox(blur9, 1).width, 10);
  EXPECT_EQ(SmallestBox(blur9, 2).width, 32);
  EXPECT_EQ(SmallestBox(blur11, 2).width, 64);
}

TEST(BoxMasker, NarrowMotionBoxFallsBackToThePortablePathWhereAZoneFails) {
  if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "no vector path on this processor";
  TwoPlaneFrame frame(64, 32), portable(64, 32);
  frame.FromBgr(test::NoiseFrame({64, 32}, 5));
  portable.CopyFrom(frame);
  const MaskExport& pixelate = *FindMaskExport(Effect::kPixelate, 4);
  const Zone narrow{8, 8, 16, 16};  // 16 chroma bytes a row: below the vector path's 32
  BoxMasker vector(pixelate, 2);
  vector.Mask(frame, {MaskedBox{narrow, BoxSource::kMotion}});
  BoxMasker(pixelate, 1).Mask(portable, {MaskedBox{narrow, BoxSource::kMotion}});
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(frame.LumaAt(x, y), portable.LumaAt(x, y)) << x << ", " << y;
  EXPECT_EQ(vector.fallbacks(), 1);
  EXPECT_THAT([&] { vector.Mask(frame, {MaskedBox{narrow, BoxSource::kZone}}); },
              testing::ThrowsMessage<ToolError>(testing::HasSubstr("on zone 1 (8,8,16,16)")));
}

TEST(BoxMasker, MotionInAFrameSmallerThanTheBlockTakesASmallerBlock) {
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    TwoPlaneFrame frame(16, 16), expected(16, 16);
    frame.FromBgr(test::NoiseFrame({16, 16}, 9));
    expected.CopyFrom(frame);
    const Zone whole{0, 0, 16, 16};
    BoxMasker masker(*FindMaskExport(Effect::kPixelate, 16), mode);
    masker.Mask(frame, {MaskedBox{whole, BoxSource::kMotion}});
    BoxMasker(*FindMaskExport(Effect::kPixelate, 8), 1).Mask(expected, {MaskedBox{whole, BoxSource::kMotion}});
    EXPECT_EQ(masker.fallbacks(), 1);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(frame.LumaAt(x, y), expected.LumaAt(x, y)) << x << ", " << y;
    EXPECT_THROW(masker.Mask(frame, {MaskedBox{whole, BoxSource::kZone}}), ToolError);
  }
  // Nothing smaller than the smallest block: the run fails rather than leave the box unmasked.
  TwoPlaneFrame tiny(4, 4);
  EXPECT_THROW(BoxMasker(*FindMaskExport(Effect::kPixelate, 4), 1).Mask(tiny, {MaskedBox{Zone{0, 0, 4, 4},
                                                                                          BoxSource::kMotion}}),
               ToolError);
}

TEST(MaskExports, SmallerExportsOfTheSameEffect) {
  EXPECT_EQ(SmallerMaskExport(*FindMaskExport(Effect::kPixelate, 16)), FindMaskExport(Effect::kPixelate, 8));
  EXPECT_EQ(SmallerMaskExport(*FindMaskExport(Effect::kBlur, 5)), FindMaskExport(Effect::kBlur, 3));
  EXPECT_EQ(SmallerMaskExport(*FindMaskExport(Effect::kPixelate, 4)), nullptr);
  EXPECT_EQ(SmallerMaskExport(*FindMaskExport(Effect::kBlur, 3)), nullptr);
}

}  // namespace
}  // namespace ryn::privacy_mask
