// The command line end to end: its failures (one line, non-zero exit, no output left behind) and
// the summary.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "privacy_mask/run_tool.h"
#include "moving_square.h"
#include "scratch_clip.h"

namespace ryn::privacy_mask {
namespace {

using test::ScratchFolder;
using testing::HasSubstr;

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

Outcome RunWith(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int exitCode = RunTool(arguments, out, err, /*errIsTerminal=*/false);
  return {exitCode, out.str(), err.str()};
}

// A failure is one line on the error stream, nothing on the output stream.
void ExpectFailure(const Outcome& outcome, int exitCode, const std::string& message) {
  EXPECT_EQ(outcome.exitCode, exitCode);
  EXPECT_THAT(outcome.err, testing::StartsWith("ryn-privacy-mask: "));
  EXPECT_THAT(outcome.err, HasSubstr(message));
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_TRUE(outcome.err.ends_with("\n"));
  EXPECT_EQ(outcome.out, "");
}

TEST(RunTool, MissingInput) {
  ScratchFolder folder;
  ExpectFailure(RunWith({"-z", "0,0,32,32", "-o", folder / "out", folder / "nothing.avi"}), kExitFailure,
                "cannot open '" + (folder / "nothing.avi") + "': no such file");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(RunTool, MissingDefaultClipPointsToTheDemo) {
  ScratchFolder folder;
  setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);
  const Outcome outcome = RunWith({"-o", folder / "out"});
  unsetenv("XDG_CACHE_HOME");
  ExpectFailure(outcome, kExitFailure,
                "the default clip " + (folder / "cache") + "/ryn/vtest.avi is missing: run scripts/demo");
}

TEST(RunTool, InputThatIsNoVideo) {
  ScratchFolder folder;
  std::ofstream(folder / "notes.avi") << "not a video\n";
  const Outcome outcome = RunWith({"-z", "0,0,32,32", "-o", folder / "out", folder / "notes.avi"});
  EXPECT_EQ(outcome.exitCode, kExitFailure);
  EXPECT_THAT(outcome.err, testing::AnyOf(HasSubstr("cannot open"), HasSubstr("cannot read a frame")));
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  std::filesystem::create_directories(folder / "dir");
  ExpectFailure(RunWith({"-z", "0,0,32,32", folder / "dir"}), kExitFailure, "is a directory");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(RunTool, ZoneOutsideTheFrame) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 2);
  ExpectFailure(RunWith({"-z", "0,0,32,32", "-z", "96,0,32,32", "-o", folder / "out", folder / "clip.avi"}),
                kExitFailure, "zone 2 (96,0,32,32) lies outside the 96x64 frame");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(RunTool, PartlyOutsideZoneIsClippedWithANote) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 2);
  const Outcome outcome = RunWith({"-z", "64,40,48,40", "-b", "4", "-o", folder / "out", folder / "clip.avi"});
  EXPECT_EQ(outcome.exitCode, kExitSuccess) << outcome.err;
  EXPECT_EQ(outcome.err,
            "ryn-privacy-mask: note: zone 1 (64,40,48,40) reaches outside the 96x64 frame: clipped to 64,40,32,24\n");
}

TEST(RunTool, BlockLargerThanTheZone) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 2);
  ExpectFailure(RunWith({"-z", "0,0,64,32", "-b", "32", "-o", folder / "out", folder / "clip.avi"}), kExitFailure,
                "zone 1 (0,0,64,32) is too small for 32x32 masking");
  ExpectFailure(RunWith({"-z", "0,0,64,8", "-e", "blur", "-b", "9", "-o", folder / "out", folder / "clip.avi"}),
                kExitFailure, "zone 1 (0,0,64,8) is too small for 9x9 masking");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(RunTool, LibraryStatusIsReportedBeforeAnythingIsWritten) {
  // The vector path needs chroma rows of 64 bytes for 32 x 32 blocks; without AVX2 it is not
  // available at all. Either way the library refuses, and the tool says which export did.
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 2);
  ExpectFailure(RunWith({"-z", "0,0,40,40", "-b", "32", "-m", "vector", "-o", folder / "out", folder / "clip.avi"}),
                kExitFailure, "fnVCAIPP_Pixelized_32x32_8u_P2P3IR returned -");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(RunTool, OddFrameSize) {
  ScratchFolder folder;
  const std::string pattern = test::WriteNoiseImages(folder / "odd", {33, 20}, 1);
  ExpectFailure(RunWith({"-z", "0,0,16,16", "-b", "4", "-o", folder / "out", pattern}), kExitFailure,
                "cannot mask 33x20 frames: 4:2:0 frames need an even width and height");
}

TEST(RunTool, BadOptionsExitWithUsageCode) {
  ExpectFailure(RunWith({"--bogus"}), kExitUsage, "unknown option --bogus (see --help)");
  ExpectFailure(RunWith({"-z", "1,2,3", "clip.avi"}), kExitUsage, "bad zone '1,2,3'");
  ExpectFailure(RunWith({"-b", "12"}), kExitUsage, "bad --block 12");
}

TEST(RunTool, HelpGoesToTheOutput) {
  const Outcome outcome = RunWith({"--help"});
  EXPECT_EQ(outcome.exitCode, kExitSuccess);
  EXPECT_THAT(outcome.out, testing::StartsWith("Usage: ryn-privacy-mask"));
  EXPECT_EQ(outcome.err, "");
}

TEST(RunTool, SummaryAndOutputFiles) {
  ScratchFolder folder;
  test::WriteNoiseVideo(folder / "clip.avi", {96, 64}, 3);
  const Outcome outcome =
      RunWith({"-z", "8,6,32,16", "-z", "50,30,40,30", "-b", "4", "-o", folder / "out", folder / "clip.avi"});
  ASSERT_EQ(outcome.exitCode, kExitSuccess) << outcome.err;
  EXPECT_THAT(outcome.err, testing::Not(HasSubstr("\r")));  // not a terminal: no progress bar
  EXPECT_THAT(outcome.out, HasSubstr("Masked 3 frames of 96x64 from " + (folder / "clip.avi")));
  EXPECT_THAT(outcome.out, HasSubstr("zones          2 (x,y,w,h):  8,6,32,16  50,30,40,30"));
  EXPECT_THAT(outcome.out, HasSubstr("pixelate 4x4 with fnVCAIPP_Pixelized_4x4_8u_P2P3IR, mode auto"));
  EXPECT_THAT(outcome.out, testing::ContainsRegex("masking calls  [0-9]+\\.[0-9]{3} ms per frame in the library"));
  EXPECT_THAT(outcome.out, testing::ContainsRegex("decode +[0-9]+\\.[0-9]{3} +[0-9]+\n"));
  EXPECT_THAT(outcome.out, testing::ContainsRegex("pipeline +[0-9.]+ ms/frame, [0-9]+ frames/s without decode"));
  EXPECT_THAT(outcome.out, testing::Not(HasSubstr("motion")));
  // H.264 in MP4 where FFmpeg can write it, MJPG in AVI with a note where it cannot.
  const bool h264 = outcome.out.find("clip_masked.mp4 (H.264)") != std::string::npos;
  const std::string videoPath = folder / (h264 ? "out/clip_masked.mp4" : "out/clip_masked.avi");
  EXPECT_THAT(outcome.out, HasSubstr("masked video   " + videoPath));
  EXPECT_EQ(outcome.err, h264 ? "" : "ryn-privacy-mask: note: this FFmpeg writes no H.264: the masked video is MJPG in " +
                                         videoPath + "\n");
  EXPECT_THAT(outcome.out, HasSubstr("contact sheet  " + (folder / "out/clip_contact.png")));

  cv::VideoCapture video(videoPath, cv::CAP_FFMPEG);
  ASSERT_TRUE(video.isOpened());
  EXPECT_EQ(video.get(cv::CAP_PROP_FRAME_COUNT), 3);
  EXPECT_EQ(video.get(cv::CAP_PROP_FRAME_WIDTH), 96);
  EXPECT_EQ(cv::imread(folder / "out/clip_contact.png").rows, 8 + 3 * (28 + 64 + 8));
}

// A square crossing a still scene: four frames of 128 x 64.
void WriteSquareClip(const std::string& path) {
  std::vector<std::optional<Zone>> squares;
  for (int64_t frame = 0; frame < 4; ++frame) squares.push_back(Zone{8 + 16 * frame, 20, 20, 20});
  test::WriteClip(path, test::TexturedBackground({128, 64}), squares);
}

TEST(RunTool, MotionSummaryAndBoxesFile) {
  ScratchFolder folder;
  WriteSquareClip(folder / "square.avi");
  const Outcome outcome = RunWith({"-b", "4", "--warm-up", "4", "--boxes", folder / "boxes.csv", "-o", folder / "out",
                                   folder / "square.avi"});
  ASSERT_EQ(outcome.exitCode, kExitSuccess) << outcome.err;
  EXPECT_THAT(outcome.out, HasSubstr("zones          none\n"));
  EXPECT_THAT(outcome.out, testing::ContainsRegex("motion +[0-9]+ boxes in 4 frames, warm-up 4 frames"));
  EXPECT_THAT(outcome.out,
              HasSubstr("detection      learning rate 0.02, threshold 20, min area 120, margin 8, hold 10\n"));
  for (const char* stage : {"decode", "background", "mask", "morphology", "labelling", "masking", "encode"})
    EXPECT_THAT(outcome.out, testing::ContainsRegex(std::string(stage) + " +[0-9]+\\.[0-9]{3} +[0-9]+\n"));
  EXPECT_THAT(outcome.out, HasSubstr("boxes          " + (folder / "boxes.csv")));
  std::ifstream boxes(folder / "boxes.csv");
  std::string header, first;
  std::getline(boxes, header);
  std::getline(boxes, first);
  EXPECT_EQ(header, "frame,x,y,width,height,source");
  EXPECT_THAT(first, testing::MatchesRegex("0,[0-9]+,[0-9]+,[0-9]+,[0-9]+,motion"));
}

TEST(RunTool, UnwritableBoxesFile) {
  ScratchFolder folder;
  WriteSquareClip(folder / "square.avi");
  // Its folder would be a file.
  ExpectFailure(RunWith({"-b", "4", "--boxes", folder / "square.avi/boxes.csv", "-o", folder / "out",
                         folder / "square.avi"}),
                kExitFailure, "cannot write '" + (folder / "square.avi/boxes.csv") + "'");
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

}  // namespace
}  // namespace ryn::privacy_mask
