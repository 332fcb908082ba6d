// The command line: every option in its forms, defaults, and the refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "privacy_mask/options.h"
#include "privacy_mask/tool_error.h"

namespace ryn::privacy_mask {
namespace {

using Arguments = std::vector<std::string>;

std::string UsageErrorOf(const Arguments& arguments) {
  try {
    ParseOptions(arguments);
  } catch (const UsageError& error) {
    return error.what();
  }
  return {};
}

TEST(Options, EveryOptionInLongShortAndAttachedForms) {
  const Options a = ParseOptions({"--zone", "1,2,30,40", "-z", "5,6,70,80", "--zone=9,10,11,12", "--effect", "blur",
                                  "-b", "7", "--mode=portable", "-n", "25", "--output-dir", "out/x", "--no-progress",
                                  "clip.avi"});
  EXPECT_EQ(a.input, "clip.avi");
  EXPECT_FALSE(a.inputIsDefaultClip);
  EXPECT_EQ(a.zones, (std::vector<Zone>{{1, 2, 30, 40}, {5, 6, 70, 80}, {9, 10, 11, 12}}));
  EXPECT_EQ(a.effect, Effect::kBlur);
  EXPECT_EQ(a.blockSize, 7);
  EXPECT_EQ(a.processingMode, 1);
  EXPECT_EQ(a.frameLimit, 25);
  EXPECT_EQ(a.outputDirectory, "out/x");
  EXPECT_FALSE(a.showProgress);

  const Options b = ParseOptions({"clip.avi", "-e", "pixelate", "--block=64", "-m", "2", "--frames=1", "-o", "o",
                                  "-z", "0,0,100,100"});
  EXPECT_EQ(b.effect, Effect::kPixelate);
  EXPECT_EQ(b.blockSize, 64);
  EXPECT_EQ(b.processingMode, 2);
  EXPECT_EQ(b.frameLimit, 1);
  EXPECT_EQ(b.outputDirectory, "o");
  EXPECT_TRUE(b.showProgress);
  EXPECT_EQ(ParseOptions({"-m", "vector", "-z", "0,0,9,9", "x.avi"}).processingMode, 2);
  EXPECT_EQ(ParseOptions({"-m", "auto", "-z", "0,0,9,9", "x.avi"}).processingMode, 0);
}

TEST(Options, BlockSizeDefaultsToTheEffects) {
  EXPECT_EQ(ParseOptions({"-z", "0,0,64,64", "v.avi"}).blockSize, 16);
  EXPECT_EQ(ParseOptions({"-z", "0,0,64,64", "-e", "blur", "v.avi"}).blockSize, 9);
  EXPECT_FALSE(ParseOptions({"-z", "0,0,64,64", "v.avi"}).frameLimit.has_value());
}

TEST(Options, NoInputMeansTheDefaultClipWithMotion) {
  setenv("XDG_CACHE_HOME", "/tmp/ryn-cache-test", 1);
  const Options options = ParseOptions({});
  EXPECT_EQ(options.input, "/tmp/ryn-cache-test/ryn/vtest.avi");
  EXPECT_TRUE(options.inputIsDefaultClip);
  EXPECT_TRUE(options.detectMotion);
  EXPECT_TRUE(options.zones.empty());
  // Without motion the default clip has its fixed zones; zones given replace them.
  const Options fixed = ParseOptions({"--no-motion"});
  EXPECT_FALSE(fixed.detectMotion);
  EXPECT_EQ(fixed.zones, DefaultClipZones());
  EXPECT_EQ(ParseOptions({"-z", "0,0,32,32"}).zones, (std::vector<Zone>{{0, 0, 32, 32}}));
  unsetenv("XDG_CACHE_HOME");
}

TEST(Options, MotionIsOnWithoutZonesAndCombinesWithThemOnRequest) {
  EXPECT_TRUE(ParseOptions({"v.avi"}).detectMotion);
  EXPECT_FALSE(ParseOptions({"-z", "0,0,9,9", "v.avi"}).detectMotion);
  const Options both = ParseOptions({"-z", "0,0,9,9", "--motion", "v.avi"});
  EXPECT_TRUE(both.detectMotion);
  EXPECT_EQ(both.zones.size(), 1u);
  EXPECT_FALSE(ParseOptions({"--motion", "--no-motion", "-z", "0,0,9,9", "v.avi"}).detectMotion);
}

TEST(Options, MotionSettings) {
  const Options options = ParseOptions({"--learning-rate", "0.25", "--threshold=40", "--min-area", "300", "--margin",
                                        "0", "--hold", "12", "--warm-up=0", "--boxes", "out/boxes.csv", "v.avi"});
  EXPECT_EQ(options.motion.learningRate, 0.25);
  EXPECT_EQ(options.motion.threshold, 40);
  EXPECT_EQ(options.motion.minimumArea, 300);
  EXPECT_EQ(options.motion.margin, 0);
  EXPECT_EQ(options.motion.holdFrames, 12);
  EXPECT_EQ(options.motion.warmUpFrames, 0);
  EXPECT_EQ(options.boxesPath, "out/boxes.csv");
  EXPECT_EQ(ParseOptions({"--learning-rate=1", "v.avi"}).motion.learningRate, 1.0);
  const MotionSettings defaults = ParseOptions({"v.avi"}).motion;
  EXPECT_EQ(defaults.threshold, MotionSettings{}.threshold);
  EXPECT_EQ(defaults.warmUpFrames, MotionSettings{}.warmUpFrames);
}

TEST(Options, DefaultZonesFitTheDefaultClip) {
  const ZonePlacement placement = PlaceZones(DefaultClipZones(), FrameSize{768, 576}, 16);
  EXPECT_EQ(placement.zones, DefaultClipZones());
  EXPECT_TRUE(placement.notes.empty());
}

TEST(Options, DoubleDashEndsTheOptions) {
  EXPECT_EQ(ParseOptions({"-z", "0,0,9,9", "--", "-odd name.avi"}).input, "-odd name.avi");
}

TEST(Options, HelpNeedsNothingElse) {
  EXPECT_TRUE(ParseOptions({"--help"}).showHelp);
  EXPECT_TRUE(ParseOptions({"clip.avi", "-h"}).showHelp);
  const std::string usage = UsageText();
  for (const char* option : {"--zone", "--effect", "--block", "--mode", "--frames", "--output-dir", "--motion",
                             "--no-motion", "--learning-rate", "--threshold", "--min-area", "--margin", "--hold",
                             "--warm-up", "--boxes"})
    EXPECT_THAT(usage, testing::HasSubstr(option));
}

TEST(Options, RefusalsNameTheProblem) {
  const struct {
    Arguments arguments;
    const char* message;
  } cases[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"-x"}, "unknown option -x"},
      {{"a.avi", "b.avi", "-z", "0,0,9,9"}, "more than one input"},
      {{"a.avi", "--no-motion"}, "nothing to mask: add --zone"},
      {{"--learning-rate", "0"}, "bad --learning-rate '0': expected a number above 0 and at most 1"},
      {{"--learning-rate", "1.5"}, "bad --learning-rate '1.5'"},
      {{"--learning-rate", "fast"}, "bad --learning-rate 'fast'"},
      {{"--learning-rate", "nan"}, "bad --learning-rate 'nan'"},
      {{"--threshold", "255"}, "bad --threshold '255': expected an integer from 0 to 254"},
      {{"--threshold", "-1"}, "bad --threshold '-1'"},
      {{"--min-area", "0"}, "bad --min-area '0'"},
      {{"--margin", "-2"}, "bad --margin '-2'"},
      {{"--margin", "5000"}, "bad --margin '5000'"},
      {{"--hold", "x"}, "bad --hold 'x'"},
      {{"--warm-up", "-1"}, "bad --warm-up '-1'"},
      {{"--boxes", ""}, "bad --boxes: empty"},
      {{"--motion=yes"}, "takes no value"},
      {{"a.avi", "--zone"}, "option --zone needs a value"},
      {{"a.avi", "-z", "1,2,3"}, "bad zone '1,2,3'"},
      {{"-e", "smear"}, "bad --effect 'smear'"},
      {{"-b", "12"}, "bad --block 12 for pixelate: expected one of 4, 8, 16, 32, 64, 128, 256, 512, 1024"},
      {{"-e", "blur", "-b", "16"}, "bad --block 16 for blur: expected one of 3, 5, 7, 9, 11, 13, 15, 17, 19"},
      {{"-b", "0"}, "bad --block '0'"},
      {{"-b", "99999999999"}, "bad --block 99999999999"},
      {{"-b", "8x8"}, "bad --block '8x8'"},
      {{"-m", "3"}, "bad --mode '3'"},
      {{"-n", "0"}, "bad --frames '0'"},
      {{"-n", "-5"}, "bad --frames '-5'"},
      {{"-o", ""}, "bad --output-dir"},
      {{"--no-progress=yes"}, "takes no value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    EXPECT_THAT(UsageErrorOf(c.arguments), testing::HasSubstr(c.message));
  }
}

}  // namespace
}  // namespace ryn::privacy_mask
