// Short clips written by the tests: a scratch folder per test, noise frames as an MJPG video or
// as a PNG sequence.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

namespace ryn::privacy_mask::test {

// A fresh folder named after the running test, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::path(testing::TempDir()) /
            ("ryn_tool_" + std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline cv::Mat NoiseFrame(cv::Size size, uint64_t seed) {
  cv::Mat frame(size, CV_8UC3);
  cv::RNG random(seed);
  random.fill(frame, cv::RNG::UNIFORM, 0, 256);
  return frame;
}

inline void WriteNoiseVideo(const std::string& path, cv::Size size, int frames) {
  cv::VideoWriter writer(path, cv::CAP_OPENCV_MJPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), 10.0, size);
  ASSERT_TRUE(writer.isOpened()) << path;
  for (int i = 0; i < frames; ++i) writer.write(NoiseFrame(size, 1000 + i));
}

// Writes folder/000.png, folder/001.png, ...; returns the pattern folder/%03d.png.
inline std::string WriteNoiseImages(const std::string& folder, cv::Size size, int frames) {
  std::filesystem::create_directories(folder);
  char name[16];
  for (int i = 0; i < frames; ++i) {
    std::snprintf(name, sizeof name, "/%03d.png", i);
    EXPECT_TRUE(cv::imwrite(folder + name, NoiseFrame(size, 2000 + i)));
  }
  return folder + "/%03d.png";
}

}  // namespace ryn::privacy_mask::test
